#pragma once

#include "core/media/RadioStations.h"
#include "ui/common/BlockedWindow.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;

namespace zorvex {

// "Dodaj URL radia do listy" (TForm23): the name and address of a favourite,
// to add or to edit. The Tools window is disabled while it is shown.
class StationWindow : public QDialog {
    Q_OBJECT
public:
    explicit StationWindow(QWidget* parent = nullptr);

    // An empty name, "http://", "Dodaj".
    void openToAdd(QWidget* toolsWindow);
    // The station's fields, "Zmień".
    void openToEdit(const RadioStation& station, QWidget* toolsWindow);

    // The station as confirmed: the name as typed (without line breaks or
    // the list separator, which would break the favourites file), the
    // address trimmed.
    RadioStation station() const;

signals:
    void confirmed(const zorvex::RadioStation& station, bool editing);

protected:
    void done(int result) override;

private:
    void openWith(const QString& title, const QString& button, const RadioStation& station, QWidget* toolsWindow);
    void updateEnabled();

    QLineEdit* m_name; // Edit1
    QLineEdit* m_url;  // Edit2
    QPushButton* m_confirm; // BitBtn1
    bool m_editing = false;
    BlockedWindow m_blocked;
};

} // namespace zorvex

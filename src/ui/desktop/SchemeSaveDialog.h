#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvex {

// TForm31: "Zapisz schemat jako..." or "Zapisz kompozycję jako...". The name
// loses the characters no file name may hold while it is typed; "Zapisz" is
// enabled only for a name that can be a folder and is not the default's.
class SchemeSaveDialog : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Scheme, Composition };
    explicit SchemeSaveDialog(QWidget* parent = nullptr);

    // Shows the window (not modal) in `mode` with the name to start from.
    void open(Mode mode, const QString& name);
    Mode mode() const { return m_mode; }
    QString name() const;

    // Called by "Zapisz" with the trimmed name; true closes the window, false
    // (an answered No, a failed save) leaves it open with the name.
    std::function<bool(Mode mode, const QString& name)> save;

    QLineEdit* nameEdit() const { return m_name; }
    QPushButton* saveButton() const { return m_save; }

private:
    void nameEdited(const QString& text);
    void updateSaveButton();

    Mode m_mode = Mode::Scheme;
    QLabel* m_label = nullptr;
    QLineEdit* m_name = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace zorvex

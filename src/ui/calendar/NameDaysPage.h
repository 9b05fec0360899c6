#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace zorvex {

class PathTable;

// The "Imieniny" page of "Ważne daty": the search of the name-day file
// (group "Imieniny do szukania"). The file is read afresh for each search.
class NameDaysPage : public QWidget {
    Q_OBJECT
public:
    explicit NameDaysPage(const PathTable& paths, QWidget* parent = nullptr);
    NameDaysPage(QString namesPath, QWidget* parent);

    // What "Szukaj imię..." does: fills the result list and selects the first
    // hit.
    void search();

    QLineEdit* searchField() const { return m_text; }
    QPushButton* searchButton() const { return m_search; }
    QListWidget* results() const { return m_results; }
    QLineEdit* selectedLine() const { return m_selected; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void build();
    void updateHints();
    void showSelected();

    QString m_namesPath;
    QLineEdit* m_text = nullptr;
    QPushButton* m_search = nullptr;
    QListWidget* m_results = nullptr;
    QLineEdit* m_selected = nullptr;
};

} // namespace zorvex

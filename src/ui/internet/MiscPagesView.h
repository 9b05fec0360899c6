#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace zorvex {

// Where a page's embedded browser goes; until one is there (or when the
// page went to the user's browser) a short note stands in its place.
class BrowserHolder : public QWidget {
    Q_OBJECT
public:
    explicit BrowserHolder(QWidget* parent = nullptr);
    void setView(QWidget* view);
    void showNote(const QString& text);
    QLabel* note() const { return m_note; }

private:
    QVBoxLayout* m_layout;
    QLabel* m_note;
};

// The page "Internet" → "Różne": the list of the service's pages and the
// browser showing the chosen one.
class MiscPage : public QWidget {
    Q_OBJECT
public:
    explicit MiscPage(QWidget* parent = nullptr);
    QComboBox* entryBox() const { return m_entries; } // ComboBox24
    QPushButton* showButton() const { return m_show; } // "Pokaż"
    BrowserHolder* holder() const { return m_holder; }

private:
    QComboBox* m_entries;
    QPushButton* m_show;
    BrowserHolder* m_holder;
};

// The page "Internet" → "ShoutBox".
class ShoutboxPage : public QWidget {
    Q_OBJECT
public:
    explicit ShoutboxPage(QWidget* parent = nullptr);
    QPushButton* refreshButton() const { return m_refresh; } // "Odśwież"
    QPushButton* homeButton() const { return m_home; }       // "Strona główna shoutbox'a"
    BrowserHolder* holder() const { return m_holder; }

private:
    QPushButton* m_refresh;
    QPushButton* m_home;
    BrowserHolder* m_holder;
};

} // namespace zorvex

#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace zorvex {

class Playlist;

// "Szukaj w playliście" (TForm24): the entries whose name holds the typed
// text, to play one or to go to it.
class SearchWindow : public QDialog {
    Q_OBJECT
public:
    SearchWindow(const Playlist& list, QWidget* parent = nullptr);
    void start();
    QLineEdit* textEdit() const { return m_text; }
    QListWidget* results() const { return m_results; }

signals:
    void playRequested(int index);
    void goToRequested(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void refill();
    int chosen() const;

    const Playlist& m_list;
    QList<int> m_found;
    QLineEdit* m_text = nullptr;
    QListWidget* m_results = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_goTo = nullptr;
};

} // namespace zorvex

#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace zorvex {

// "Aktualizowanie programu": the program update's download, on top, with a
// taskbar button of its own. "Anuluj" or closing the window hides it, which
// stops the download without a message.
class UpdateProgressWindow : public QWidget {
    Q_OBJECT
public:
    explicit UpdateProgressWindow(QWidget* parent = nullptr);

    void showProgress(qint64 done, qint64 total);

signals:
    void cancelled();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QProgressBar* m_bar;
    QLabel* m_bytes;
};

} // namespace zorvex

#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace zorvex {

class PingService;
class SoundFileChooser;
struct PingHost;
struct PingSettings;

// The "Ping" page: the added hosts or the range, their buttons and the
// options, which go straight into the settings.
class PingPage : public QWidget {
    Q_OBJECT
public:
    PingPage(PingService& service, PingSettings& settings, QWidget* parent = nullptr);

    void refresh();
    void setRunning(bool running);
    QListWidget* addedList() const { return m_added; }
    QListWidget* rangeList() const { return m_rangeList; }
    // "Odtwórz dźwięk": the file and its "Testuj".
    SoundFileChooser* soundChooser() const { return m_sound; }
    // The host dialog or the messenger window while one is open.
    QDialog* openDialog() const { return m_dialog; }

private:
    void addHost();
    void editHost();
    void openHostDialog(int row);
    void removeHost();
    void move(int by);
    void addSelectedFromRange();
    void openMessenger(const QString& ip);
    static void fill(QListWidget* list, const QList<PingHost>& hosts);

    PingService& m_service;
    PingSettings& m_settings;
    QStackedWidget* m_views = nullptr;
    QListWidget* m_added = nullptr;
    QListWidget* m_rangeList = nullptr;
    QLineEdit* m_start = nullptr;
    QLineEdit* m_end = nullptr;
    QPushButton* m_check = nullptr;
    QPushButton* m_scan = nullptr;
    SoundFileChooser* m_sound = nullptr;
    QPointer<QDialog> m_dialog;
};

} // namespace zorvex

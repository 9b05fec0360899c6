#pragma once

#include "core/reminders/UpcomingDates.h"

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace zorvex {

class EdgeSnapper;
struct UpcomingDatesSettings;

// "Ważne daty - powiadomienie": the table of the events from today to 31
// days ahead. A tool window of its own (not owned by the main window) that
// remembers its place in the settings (X, Y, W, H of "WazneDatyPow") and
// snaps to the screen edges and the main window.
//
// Widgets: "Page" (the view of the table).
class UpcomingWindow : public QWidget {
    Q_OBJECT
public:
    // `dataFolder` holds the pictures of the page (Gfx/01.png and the like).
    UpcomingWindow(const QString& dataFolder, UpcomingDatesSettings& settings, QWidget* parent = nullptr);

    // The main window, to dock to while it is showing.
    void setDockTarget(QWidget* mainWindow);

    // Shows the table of `rows` and brings the window to the foreground; a
    // hidden window reopens at its stored place.
    void showRows(const QList<UpcomingRow>& rows);

    QTextBrowser* page() const { return m_page; }

    static constexpr QSize kDefaultSize{560, 300};

signals:
    // The window closed; its bounds are in the settings model.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QString m_dataFolder;
    UpcomingDatesSettings& m_settings;
    QTextBrowser* m_page;
    EdgeSnapper* m_snapper;
};

} // namespace zorvex

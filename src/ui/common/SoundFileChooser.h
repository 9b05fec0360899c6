#pragma once

#include <QWidget>

#include <functional>

class QLineEdit;
class QPushButton;

namespace zorvex {

// A sound file with "..." to choose it and a "Testuj" button that plays it;
// the button stays pressed while the sound plays and is released when it is
// pressed again or the sound ends. The chosen file goes straight into the
// setting it edits. Sounds and questions go through the callbacks, so tests
// and pages decide where they play.
class SoundFileChooser : public QWidget {
    Q_OBJECT
public:
    struct Callbacks {
        // The full path of the stored value (relative values lie below the
        // data folder); the stored value itself when not given.
        std::function<QString(const QString& stored)> resolve;
        // Plays the file on the page's test player; the owner calls
        // testEnded() when it stops.
        std::function<void(const QString& path)> play;
        std::function<void()> stop;
        // The file is missing: say so (no box that waits: see Messages.h).
        std::function<void(const QString& path)> missing;
        // Empty = cancelled.
        std::function<QString(const QString& caption, const QString& filter, const QString& start)> chooseFile;
    };
    // Names of the box, "..." and "Testuj", for pages whose controls are
    // found by name.
    struct Names {
        QString file = QStringLiteral("SoundFile");
        QString browse = QStringLiteral("SoundBrowse");
        QString test = QStringLiteral("SoundTest");
    };

    SoundFileChooser(QString& file, Names names, QWidget* parent = nullptr);
    explicit SoundFileChooser(QString& file, QWidget* parent = nullptr);

    void setCallbacks(Callbacks callbacks);
    // Shows the setting again (after a reload).
    void reload();
    QString resolvedPath() const;

    bool testRunning() const;
    // Plays as if "Testuj" were pressed: what an announcement does.
    void pressTest();
    void stopTest();
    // The test player stopped by itself.
    void testEnded();

private:
    void testToggled(bool on);
    void browse();

    QString& m_stored;
    Callbacks m_cb;
    QLineEdit* m_file = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_test = nullptr;
};

} // namespace zorvex

#pragma once

#include "core/media/AudioLibrary.h"
#include "core/media/RecordingRules.h"
#include "core/shell/LoopServices.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

namespace zorvex {

class BassPlay;
class Clock;
class RadioService;
class RecordingOptionsWindow;
struct PanelView;
struct RecordingSettings;

// Records what the radio plays into MP3 files through the outside encoder:
// starts and stops it, splits on title changes (at once or after the delay),
// goes on in a new file after the radio reconnected, and tells once each
// file is complete (its encoder has exited). An encoder that cannot start or
// dies stops the recording with a message; the page never shows a
// recording that does not run.
class RadioRecorder : public QObject, public TickService, public ShutdownService {
    Q_OBJECT
public:
    // `program` is the encoder: a path, or a name looked up on the PATH.
    RadioRecorder(RadioService& radio, BassPlay& player, RecordingSettings& settings, QString program,
                  const Clock& clock, QObject* parent = nullptr);
    ~RadioRecorder() override;

    bool recording() const { return m_recording; }
    QString currentFile() const { return m_path; }
    qint64 recordingSeconds() const;
    // The record button and "Nagrywaj": starts or stops. Without a playing
    // station it only beeps and returns the reason.
    QString toggle();
    void stop();
    void fillPanelView(PanelView& view) const;
    // "Opcje nagrywania", over `window` (the Tools window) when given.
    void openOptions();
    RecordingOptionsWindow* optionsWindow() const;
    QWidget* toolsWindow = nullptr;

    void tick(TickStep step, const QDateTime& now) override;
    void shutdownStep(ShutdownStepId step, const QDate& today) override;

signals:
    // Recording started or stopped.
    void changed();
    // A new second of the recording time.
    void secondChanged();
    // A finished file, once its encoder has exited, when AddToM3U is on.
    void fileFinished(const QString& path);

private:
    struct File {
        QString path;
        std::shared_ptr<EncoderExit> exit;
    };

    bool start();
    bool startFile(bool replacing);
    void split();
    void finishFile();
    void failed(const QString& text);
    void titleChanged();
    void streamClosing(bool byUser);
    void streamStarted();
    void encoderEnded();
    void poll();
    void updateControls();
    bool inUse(const QString& path) const;

    RadioService& m_radio;
    BassPlay& m_player;
    RecordingSettings& m_settings;
    const QString m_program;
    const Clock& m_clock;

    bool m_recording = false;
    bool m_continue = false;
    QDateTime m_started;
    QString m_path;
    std::shared_ptr<EncoderExit> m_exit;
    std::vector<File> m_finishing;
    PendingSplit m_split;
    qint64 m_shownSeconds = -1;
    QTimer m_timer;
    QPointer<RecordingOptionsWindow> m_options;
};

// The messages of the recorder, caption "Zorvex - Nagrywanie".
inline constexpr char kRecordingCaption[] = "Zorvex - Nagrywanie";
inline constexpr char kNoRecordingFolder[] = "Nie ustawiono folderu docelowego dla nagranych plików.";

} // namespace zorvex

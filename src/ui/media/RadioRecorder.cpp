#include "ui/media/RadioRecorder.h"

#include "core/common/Clock.h"
#include "core/media/BassPlay.h"
#include "core/media/RecordingSettings.h"
#include "ui/common/Messages.h"
#include "ui/media/PlaybackPanel.h"
#include "ui/media/RadioPage.h"
#include "ui/media/RadioService.h"
#include "ui/media/RecordingWindows.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace zorvex {

namespace {

constexpr int kPollMs = 100;

} // namespace

RadioRecorder::RadioRecorder(RadioService& radio, BassPlay& player, RecordingSettings& settings, QString program,
                             const Clock& clock, QObject* parent)
    : QObject(parent), m_radio(radio), m_player(player), m_settings(settings), m_program(std::move(program)),
      m_clock(clock)
{
    connect(&m_radio, &RadioService::titleChanged, this, &RadioRecorder::titleChanged);
    connect(&m_radio, &RadioService::streamClosing, this, &RadioRecorder::streamClosing);
    connect(&m_radio, &RadioService::streamStarted, this, &RadioRecorder::streamStarted);
    connect(&m_radio, &RadioService::changed, this, &RadioRecorder::updateControls);
    connect(&m_player, &BassPlay::recordingStopped, this, &RadioRecorder::encoderEnded);
    RadioPage* page = m_radio.page();
    connect(page->record, &QPushButton::clicked, this, [this] { toggle(); });
    connect(page->recordOptions, &QPushButton::clicked, this, &RadioRecorder::openOptions);
    m_timer.setInterval(kPollMs);
    connect(&m_timer, &QTimer::timeout, this, &RadioRecorder::poll);
    updateControls();
}

RadioRecorder::~RadioRecorder()
{
    if (m_recording)
        m_player.stopEncoder();
    delete m_options;
}

qint64 RadioRecorder::recordingSeconds() const
{
    return m_recording ? std::max<qint64>(0, m_started.secsTo(m_clock.now())) : 0;
}

QString RadioRecorder::toggle()
{
    if (m_recording) {
        stop();
        return QString();
    }
    if (!m_player.isPlaying() || !m_radio.playing()) {
        QApplication::beep();
        return u"Radio nie odtwarza żadnej stacji."_s;
    }
    if (m_settings.folder.isEmpty()) {
        m_radio.prompts().window(QMessageBox::Information, QString::fromUtf8(kRecordingCaption),
                                 QString::fromUtf8(kNoRecordingFolder));
        openOptions();
        return QString::fromUtf8(kNoRecordingFolder);
    }
    return start() ? QString() : u"Nagrywanie nie zostało rozpoczęte."_s;
}

bool RadioRecorder::start()
{
    if (!startFile(false))
        return false;
    m_recording = true;
    m_started = m_clock.now();
    m_shownSeconds = -1;
    m_timer.start();
    updateControls();
    emit changed();
    return true;
}

bool RadioRecorder::inUse(const QString& path) const
{
    if (path == m_path && m_recording)
        return true;
    return std::any_of(m_finishing.begin(), m_finishing.end(), [&](const File& f) { return f.path == path; });
}

bool RadioRecorder::startFile(bool replacing)
{
    const QString station = recordingStationText(m_radio.stationName(), m_radio.streamTitle());
    const QString title = recordingTitleText(m_radio.streamTitle(), station);
    const QString name = expandRecordingPattern(effectiveRecordingPattern(m_settings), station, title, m_clock.now());
    // A file another encoder is still writing counts as taken, even before
    // that encoder has created it.
    const QString path = recordingFilePath(m_settings.folder, name, [this](const QString& p) {
        return inUse(p) || QFileInfo::exists(p);
    });
    if (path.isEmpty()) {
        failed(u"Nie można utworzyć nazwy pliku nagrania w folderze %1."_s.arg(QDir::toNativeSeparators(m_settings.folder)));
        return false;
    }
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir)) {
        failed(u"Nie można utworzyć folderu %1."_s.arg(dir));
        return false;
    }
    auto exit = std::make_shared<EncoderExit>();
    if (!m_player.startEncoder(encoderArguments(m_program, m_settings, path), exit)) {
        failed(u"Nie można uruchomić programu lame (%1). Sprawdź, czy jest zainstalowany (pakiet lame)."_s.arg(m_program));
        return false;
    }
    if (replacing)
        finishFile();
    m_path = path;
    m_exit = std::move(exit);
    return true;
}

void RadioRecorder::failed(const QString& text)
{
    const bool was = m_recording;
    if (m_recording) {
        m_player.stopEncoder();
        finishFile();
    }
    m_recording = false;
    m_continue = false;
    m_split.clear();
    updateControls();
    if (was)
        emit changed();
    m_radio.prompts().window(QMessageBox::Warning, QString::fromUtf8(kRecordingCaption), text);
}

void RadioRecorder::stop()
{
    m_continue = false;
    m_split.clear();
    if (!m_recording)
        return;
    m_recording = false;
    m_player.stopEncoder();
    finishFile();
    updateControls();
    emit changed();
}

void RadioRecorder::finishFile()
{
    if (m_path.isEmpty())
        return;
    m_finishing.push_back({m_path, m_exit});
    m_path.clear();
    m_exit.reset();
    m_timer.start();
}

void RadioRecorder::split()
{
    if (!m_recording)
        return;
    // The new encoder takes over from the next buffer on, so no sound falls
    // between the two files.
    if (!startFile(true))
        return;
    m_started = m_clock.now();
    m_shownSeconds = -1;
    emit changed();
}

void RadioRecorder::titleChanged()
{
    if (!m_recording || !m_settings.splitOnTitle)
        return;
    if (m_settings.splitDelay <= 0)
        split();
    else
        m_split.titleChanged(m_clock.now().toMSecsSinceEpoch());
}

void RadioRecorder::tick(TickStep step, const QDateTime& now)
{
    if (step != TickStep::RecordingSplit)
        return;
    if (m_split.due(now.toMSecsSinceEpoch(), m_settings.splitDelay, m_recording, m_settings.splitOnTitle))
        split();
}

void RadioRecorder::streamClosing(bool byUser)
{
    if (byUser)
        m_continue = false;
    if (!m_recording)
        return;
    const bool keep = m_continue;
    stop();
    m_continue = keep;
}

void RadioRecorder::streamStarted()
{
    if (!m_continue)
        return;
    m_continue = false;
    if (m_settings.continueAfterLoss && !m_recording)
        toggle();
}

void RadioRecorder::encoderEnded()
{
    // The channel ended or stalled: a lost stream that the radio restarts
    // goes on in a new file.
    if (!m_recording)
        return;
    m_continue = m_radio.playing();
    m_recording = false;
    m_split.clear();
    finishFile();
    updateControls();
    emit changed();
}

void RadioRecorder::poll()
{
    if (m_recording && !m_player.encoderActive()) {
        if (m_player.hasChannel() && m_player.isPlaying()) {
            failed(u"Nagrywanie zostało przerwane: program lame zakończył pracę (na przykład brak miejsca na "
                   u"dysku). Nagrany dotąd plik: %1"_s.arg(QDir::toNativeSeparators(m_path)));
        } else {
            m_player.stopEncoder();
            encoderEnded();
        }
    }
    for (auto it = m_finishing.begin(); it != m_finishing.end();) {
        if (it->exit && !it->exit->done) {
            ++it;
            continue;
        }
        const QString path = it->path;
        it = m_finishing.erase(it);
        if (m_settings.addToPlaylist && QFileInfo(path).isFile())
            emit fileFinished(path);
    }
    if (m_recording) {
        const qint64 seconds = recordingSeconds();
        if (seconds != m_shownSeconds) {
            m_shownSeconds = seconds;
            m_radio.page()->recordingTime->setText(radioRecordingText(seconds));
            emit secondChanged();
        }
    }
    if (!m_recording && m_finishing.empty())
        m_timer.stop();
}

void RadioRecorder::updateControls()
{
    RadioPage* page = m_radio.page();
    page->record->setEnabled(m_recording || (m_player.isPlaying() && m_radio.playing()));
    page->record->setText(m_recording ? u"■"_s : u"●"_s);
    page->record->setToolTip(m_recording ? u"Zatrzymaj nagrywanie"_s : u"Nagrywaj"_s);
    if (!m_recording)
        page->recordingTime->clear();
}

void RadioRecorder::fillPanelView(PanelView& view) const
{
    view.recording = m_recording;
    view.recordingSeconds = int(recordingSeconds());
}

RecordingOptionsWindow* RadioRecorder::optionsWindow() const
{
    return m_options.data();
}

void RadioRecorder::openOptions()
{
    if (!m_options)
        m_options = new RecordingOptionsWindow(m_settings);
    m_options->openOver(toolsWindow);
}

void RadioRecorder::shutdownStep(ShutdownStepId step, const QDate&)
{
    // The encoder gets the end of its input and completes the file by itself.
    if (step == ShutdownStepId::StopRecording)
        stop();
}

} // namespace zorvex

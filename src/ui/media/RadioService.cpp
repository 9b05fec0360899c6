#include "ui/media/RadioService.h"

#include "core/common/Cp1250.h"
#include "core/common/PathTable.h"
#include "core/media/BassPlaySet.h"
#include "core/media/MediaSettings.h"
#include "core/media/PlaybackRules.h"
#include "core/media/RadioSettings.h"
#include "platform/media/MprisService.h"
#include "ui/common/Messages.h"
#include "ui/media/PlaybackPanel.h"
#include "ui/media/RadioPage.h"
#include "ui/media/StationWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

namespace zorvex {

namespace {

constexpr int kReconnectMs = 3000;
// A playlist is a few lines; anything bigger is not one.
constexpr qint64 kPlaylistCap = 64 * 1024;
constexpr int kMaxHeaderSkips = 50;

} // namespace

RadioService::RadioService(const PathTable& paths, RadioSettings& settings, PlaybackPanelSettings& panelSettings,
                           BassPlaySet& players, Prompts& prompts, QObject* parent)
    : QObject(parent), m_paths(paths), m_settings(settings), m_panelSettings(panelSettings), m_players(players),
      m_prompts(prompts),
      m_player(players.player(BassPlaySet::Radio)), m_page(new RadioPage)
{
    connect(&m_player, &BassPlay::streamOpened, this, &RadioService::streamOpened);
    connect(&m_player, &BassPlay::stopped, this, &RadioService::playerStopped);
    // The component hands each title over on the main thread already.
    connect(&m_player, &BassPlay::metadata, this, &RadioService::applyTitle);
    connect(&m_player, &BassPlay::statusText, m_page, [this](const QString& text) {
        if (m_state == RadioState::Connecting && !text.isEmpty())
            m_page->state->setText(text);
    });

    RadioPage* p = m_page;
    connect(p->play, &QPushButton::clicked, this, &RadioService::play);
    connect(p->stop, &QPushButton::clicked, this, &RadioService::stop);
    connect(p->next, &QPushButton::clicked, this, [this] { step(1); });
    connect(p->previous, &QPushButton::clicked, this, [this] { step(-1); });
    connect(p->stations, &QListWidget::itemActivated, this, &RadioService::play);
    connect(p->favourites, &QListWidget::itemActivated, this, &RadioService::play);
    connect(p->categories, &QComboBox::activated, this, [this](int index) {
        m_settings.category = index;
        fillStations();
        m_page->stations->setCurrentRow(m_shown.isEmpty() ? -1 : 0);
    });
    connect(p->stations, &QListWidget::currentRowChanged, this, [this](int row) {
        m_settings.station = row;
        const RadioStation s = row >= 0 && row < m_shown.size() ? m_shown.at(row) : RadioStation();
        m_page->addFavourite->setEnabled(!s.url.isEmpty() && !s.isHeader() && !m_favourites.contains(s));
    });
    connect(p->favourites, &QListWidget::currentRowChanged, this, [this](int row) { m_settings.favourite = row; });
    connect(p->addFavourite, &QPushButton::clicked, this, [this] {
        const int row = m_page->stations->currentRow();
        if (row < 0 || row >= m_shown.size())
            return;
        if (!addFavourite(m_shown.at(row)))
            m_prompts.window(QMessageBox::Warning, QStringLiteral("Zorvex - Radio"),
                             QStringLiteral("Wybrane radio jest już na liście ulubionych"), false);
    });
    connect(p->removeStation, &QPushButton::clicked, this, [this] {
        const int row = m_page->favourites->currentRow();
        if (row < 0)
            return;
        m_prompts.askLater(QStringLiteral("Usuń"), QStringLiteral("Na pewno usunąć wybraną pozycję z listy?"), false,
                           [this, row](bool yes) {
                               if (!yes || !m_favourites.remove(row))
                                   return;
                               fillFavourites(qMin(row, m_favourites.count() - 1));
                           });
    });
    const auto move = [this](int by) {
        const int row = m_page->favourites->currentRow();
        if (m_favourites.move(row, by))
            fillFavourites(row + by);
    };
    connect(p->addStation, &QPushButton::clicked, this, [this] { openStationWindow(false); });
    connect(p->editStation, &QPushButton::clicked, this, [this] { openStationWindow(true); });
    connect(p->moveUp, &QPushButton::clicked, this, [move] { move(-1); });
    connect(p->moveDown, &QPushButton::clicked, this, [move] { move(1); });
    connect(p->volume, &QScrollBar::valueChanged, this, &RadioService::setVolume);
    connect(p->autoPlay, &QCheckBox::toggled, this, [this](bool on) { m_settings.autoPlay = on; });
    connect(p->autoStation, &QComboBox::activated, this, [this](int index) {
        m_settings.autoUrl = m_favourites.at(index).url;
    });
    connect(p->reconnectCancel, &QPushButton::clicked, this, [this] {
        cancelReconnect();
        setState(RadioState::Stopped);
    });
    connect(p->webPage, &QLabel::linkActivated, this, [this](const QString& url) {
        if (openWebPage)
            openWebPage(url);
    });

    loadLists();
    m_tick.setInterval(100);
    connect(&m_tick, &QTimer::timeout, this, &RadioService::tick);
    m_tick.start();
}

RadioService::~RadioService()
{
    delete m_stationWindow;
    if (m_playlistReply)
        m_playlistReply->abort();
    if (m_page && !m_page->parent())
        delete m_page;
}

RadioPage* RadioService::page() const
{
    return m_page;
}

void RadioService::loadLists()
{
    m_list = RadioStationList(loadStationFile(m_paths.path(PathId::RadioL)));
    m_favourites.setLines(loadStationFile(m_paths.path(PathId::RadioU), &m_favouritesLoaded));

    const QStringList categories = m_list.categories();
    m_page->categories->addItems(categories);
    if (m_settings.category < 0 || m_settings.category >= categories.size())
        m_settings.category = 0;
    m_page->categories->setCurrentIndex(categories.isEmpty() ? -1 : m_settings.category);
    m_page->autoPlay->setChecked(m_settings.autoPlay);
    const int station = m_settings.station;
    const int favourite = m_settings.favourite;
    fillStations();
    if (station >= 0 && station < m_shown.size())
        m_page->stations->setCurrentRow(station);
    fillFavourites(favourite);
    m_page->volume->setValue(m_settings.volume);
    m_page->volumeText->setText(QString::number(m_settings.volume) + u'%');
}

void RadioService::fillStations()
{
    m_shown = m_list.stations(m_settings.category);
    m_page->stations->clear();
    for (const RadioStation& s : m_shown)
        m_page->stations->addItem(s.name);
}

void RadioService::fillFavourites(int select)
{
    QSignalBlocker block(m_page->favourites);
    m_page->favourites->clear();
    m_page->favourites->addItems(m_favourites.names());
    if (select >= 0 && select < m_favourites.count())
        m_page->favourites->setCurrentRow(select);
    m_settings.favourite = m_page->favourites->currentRow();
    fillAutoStations();
    emit favouritesChanged();
}

void RadioService::fillAutoStations()
{
    QComboBox* box = m_page->autoStation;
    box->clear();
    box->addItems(m_favourites.names());
    const int at = m_favourites.indexOfUrl(m_settings.autoUrl);
    box->setCurrentIndex(at >= 0 ? at : (m_favourites.count() > 0 ? 0 : -1));
}

bool RadioService::addFavourite(const RadioStation& station)
{
    if (!m_favourites.add(station))
        return false;
    fillFavourites(m_favourites.count() - 1);
    m_page->addFavourite->setEnabled(false);
    return true;
}

void RadioService::save()
{
    // A file that could not be read whole is not written over with less.
    if (!m_favouritesLoaded)
        return;
    QString error;
    if (!saveStationFile(m_paths.path(PathId::RadioU), m_favourites.lines(), &error))
        m_prompts.errorWindow(error);
}

RadioStation RadioService::selectedStation() const
{
    if (m_page->tabs->currentIndex() == RadioPage::Favourites)
        return m_favourites.at(m_page->favourites->currentRow());
    const int row = m_page->stations->currentRow();
    return row >= 0 && row < m_shown.size() ? m_shown.at(row) : RadioStation();
}

void RadioService::command(int command)
{
    switch (command) {
    case 0: step(-1); break;
    case 1: play(); break;
    case 2: stop(); break;
    case 3: step(1); break;
    default: break;
    }
}

void RadioService::play()
{
    if (m_reconnect)
        cancelReconnect();
    if (m_state == RadioState::Connecting)
        stop();
    const RadioStation station = selectedStation();
    QString url = station.url;
    QString name = station.name;
    if (m_abort) {
        m_queuedUrl = url;
        m_queuedName = name;
        setState(RadioState::Preparing);
        return;
    }
    if (m_atStart) {
        m_atStart = false;
        url = m_settings.autoUrl;
    }
    if (url.isEmpty() || url == QLatin1String("-"))
        return;
    if (m_busy) {
        QApplication::beep();
        return;
    }
    if (m_panelSettings.switchPanel && switchPanel)
        switchPanel();
    if (m_player.isPlaying()) {
        // Left first, so that the end of play it reports is not taken for a
        // lost stream to restart.
        m_state = RadioState::Stopped;
        closeStream(true);
    }
    m_url = url;
    m_name = name;
    m_busy = true;
    startStation(url, name);
}

void RadioService::playAtStart()
{
    if (!m_settings.autoPlay || m_settings.autoUrl.isEmpty())
        return;
    const int at = m_favourites.indexOfUrl(m_settings.autoUrl);
    m_page->tabs->setCurrentIndex(RadioPage::Favourites);
    if (at >= 0)
        m_page->favourites->setCurrentRow(at);
    m_atStart = true;
    play();
}

void RadioService::playFavourite(int index)
{
    if (index < 0 || index >= m_favourites.count())
        return;
    m_page->tabs->setCurrentIndex(RadioPage::Favourites);
    m_page->favourites->setCurrentRow(index);
    play();
}

void RadioService::startStation(const QString& urlField, const QString& name)
{
    m_url = urlField;
    m_name = name;
    const QString url = m_alternatives.choose(urlField).trimmed();
    clearFields();
    setState(RadioState::Connecting);
    const RadioPlaylist kind = radioPlaylistKind(url);
    if (kind == RadioPlaylist::None) {
        openStream(url);
        return;
    }
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request{QUrl(url)};
    // Playlists often move to https; a move back to http is refused.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setHeader(QNetworkRequest::UserAgentHeader, streamAgent());
    request.setTransferTimeout(5000);
    request.setAttribute(QNetworkRequest::User, int(kind));
    m_playlistReply = m_network->get(request);
    m_playlistReply->setProperty("zorvexUrl", url);
    connect(m_playlistReply, &QNetworkReply::downloadProgress, m_playlistReply, [reply = m_playlistReply.data()](qint64 got, qint64) {
        if (got > kPlaylistCap)
            reply->abort();
    });
    connect(m_playlistReply, &QNetworkReply::finished, this, &RadioService::playlistFetched);
}

void RadioService::playlistFetched()
{
    auto* reply = qobject_cast<QNetworkReply*>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    if (reply != m_playlistReply)
        return;
    m_playlistReply = nullptr;
    const QString url = reply->property("zorvexUrl").toString();
    if (m_abort) {
        // Stopped while the list was on its way.
        m_abort = false;
        m_busy = false;
        setState(RadioState::Stopped);
        return;
    }
    QString stream;
    if (reply->error() == QNetworkReply::NoError) {
        const QByteArray body = reply->read(kPlaylistCap);
        stream = radioPlaylistStream(radioPlaylistKind(url), decodeFileText(body));
    }
    openStream(stream.isEmpty() ? url : stream);
}

void RadioService::openStream(const QString& url)
{
    m_player.setFileName(url);
    m_player.setVolume(m_settings.volume);
    m_players.playStream(BassPlaySet::Radio, proxy ? proxy() : QString());
}

void RadioService::streamOpened(BassPlay*, const StreamOpenResult& result)
{
    if (!result.ok()) {
        if (m_abort) {
            m_abort = false;
            if (!m_queuedUrl.isEmpty()) {
                const QString url = m_queuedUrl;
                const QString name = m_queuedName;
                m_queuedUrl.clear();
                m_queuedName.clear();
                m_busy = true;
                startStation(url, name);
                return;
            }
            setState(RadioState::Stopped);
            m_busy = false;
            return;
        }
        setState(RadioState::Error, result.errorText);
        scheduleReconnect();
        m_busy = false;
        return;
    }
    m_page->name->setText(m_name);
    for (const QString& h : result.headers)
        applyText(h);
    for (const QString& t : result.tags)
        applyText(t);
    m_playingSince.start();
    setState(RadioState::Playing);
    if (m_player.titleTagKind() != 0) {
        if (const auto tags = m_player.tags(TagKind(m_player.titleTagKind())))
            applyTitle(tags->join(u';'));
    }
    emit streamStarted();
    if (m_panelSettings.exclusive && stopMusic)
        stopMusic();
    m_busy = false;
}

StationWindow* RadioService::stationWindow() const
{
    return m_stationWindow.data();
}

void RadioService::closeStream(bool byUser)
{
    emit streamClosing(byUser);
    m_players.closeFile(BassPlaySet::Radio);
}

void RadioService::openStationWindow(bool editing)
{
    const int row = m_page->favourites->currentRow();
    if (editing && (row < 0 || row >= m_favourites.count()))
        return;
    if (!m_stationWindow) {
        m_stationWindow = new StationWindow;
        m_stationWindow->setAttribute(Qt::WA_DeleteOnClose, false);
        connect(m_stationWindow, &StationWindow::confirmed, this, &RadioService::stationConfirmed);
    }
    if (editing)
        m_stationWindow->openToEdit(m_favourites.at(row), toolsWindow);
    else
        m_stationWindow->openToAdd(toolsWindow);
}

void RadioService::stationConfirmed(const RadioStation& station, bool editing)
{
    if (!editing) {
        if (!addFavourite(station))
            m_prompts.window(QMessageBox::Warning, QStringLiteral("Zorvex - Radio"),
                             QStringLiteral("Wybrane radio jest już na liście ulubionych"), false);
        return;
    }
    const int row = m_page->favourites->currentRow();
    if (m_favourites.replace(row, station))
        fillFavourites(row);
}

void RadioService::applyText(const QString& text)
{
    const RadioHeader h = radioHeader(text);
    switch (h.field) {
    case RadioField::WebPage: {
        // Only web addresses are offered for opening.
        const QUrl url(h.value);
        const bool web = url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
        m_page->webPage->setText(web ? QStringLiteral("<a href=\"%1\">%2</a>")
                                           .arg(url.toString(QUrl::FullyEncoded).toHtmlEscaped(), h.value.toHtmlEscaped())
                                     : QString());
        break;
    }
    case RadioField::Name: m_page->name->setText(h.value); break;
    case RadioField::Bitrate: m_page->bitrate->setText(h.value); break;
    case RadioField::Title:
        m_page->title->setText(h.value);
        emit changed();
        break;
    case RadioField::None: break;
    }
}

void RadioService::applyTitle(const QString& text)
{
    // A title of a channel already closed must not reach the page.
    if (m_state != RadioState::Playing)
        return;
    const QString title = radioTitleFromMetadata(text);
    if (title == m_page->title->text())
        return;
    m_page->title->setText(title);
    emit changed();
    emit titleChanged();
}

void RadioService::playerStopped()
{
    if (m_state == RadioState::Playing) {
        // A server that closes right after its headers would otherwise be
        // hammered; such a loss waits for the countdown like a failure.
        if (m_playingSince.isValid() && m_playingSince.elapsed() < kReconnectMs) {
            setState(RadioState::Error, QStringLiteral("error"));
            closeStream(false);
            scheduleReconnect();
            return;
        }
        m_busy = true;
        startStation(m_url, m_name);
        return;
    }
    setState(RadioState::Stopped);
    closeStream(true);
    clearFields();
}

void RadioService::stop()
{
    m_queuedUrl.clear();
    m_queuedName.clear();
    // The recording ends while its stream is still there to be let go.
    emit streamClosing(true);
    if (m_state == RadioState::Disconnecting)
        return;
    cancelReconnect();
    if (m_state == RadioState::Connecting) {
        m_abort = true;
        if (m_playlistReply) {
            m_playlistReply->abort(); // finishes at once, taking the abort path
        } else {
            m_player.setFileName(QString());
            m_player.close(); // its open reports "error", which ends the abort
            setState(RadioState::Disconnecting);
        }
    } else {
        setState(RadioState::Stopped);
    }
    m_busy = m_state == RadioState::Disconnecting;
    if (m_state != RadioState::Disconnecting)
        m_players.closeFile(BassPlaySet::Radio);
    clearFields();
}

void RadioService::step(int direction)
{
    if (m_state != RadioState::Stopped)
        stop();
    QListWidget* list = m_page->visibleList();
    const int n = list->count();
    if (n == 0)
        return;
    int row = list->currentRow();
    const bool favourites = list == m_page->favourites;
    for (int skips = 0; skips <= kMaxHeaderSkips; ++skips) {
        row = (row + direction + n) % n;
        if (!favourites || !m_favourites.at(row).isHeader())
            break;
    }
    list->setCurrentRow(row);
    play();
}

void RadioService::setVolume(int percent)
{
    percent = qBound(0, percent, 100);
    m_settings.volume = percent;
    m_page->volumeText->setText(QString::number(percent) + u'%');
    if (m_page->volume->value() != percent)
        m_page->volume->setValue(percent);
    if (m_player.isPlaying())
        m_player.setChannelVolume(percent);
    emit changed();
}

int RadioService::volume() const
{
    return m_settings.volume;
}

void RadioService::setState(RadioState state, const QString& error)
{
    m_state = state;
    m_error = error;
    if (state == RadioState::Playing && m_player.volume() != m_settings.volume)
        m_player.setChannelVolume(m_settings.volume);
    m_page->state->setText(stateText());
    emit changed();
}

QString RadioService::stateText() const
{
    switch (m_state) {
    case RadioState::Stopped: return QStringLiteral("Stop");
    case RadioState::Playing:
        return radioElapsedText(m_playingSince.isValid() ? m_playingSince.elapsed() / 1000 : 0);
    case RadioState::Error: return radioErrorText(m_error);
    case RadioState::Connecting: return QStringLiteral("Łączenie...");
    case RadioState::Disconnecting: return QStringLiteral("Rozłączanie...");
    case RadioState::Preparing: return QStringLiteral("Przygotowanie połączenia...");
    }
    return QString();
}

void RadioService::clearFields()
{
    m_page->name->clear();
    m_page->bitrate->clear();
    m_page->title->clear();
    m_page->webPage->clear();
    emit changed();
}

void RadioService::scheduleReconnect()
{
    m_reconnect = true;
    m_reconnectSince.start();
    m_page->reconnectText->setText(QStringLiteral("Próba ponownego połączenia za 3 sek."));
    m_page->reconnect->show();
}

void RadioService::cancelReconnect()
{
    m_reconnect = false;
    m_page->reconnect->hide();
}

void RadioService::tick()
{
    if (m_state == RadioState::Playing)
        m_page->state->setText(stateText());
    if (!m_reconnect)
        return;
    const qint64 seconds = m_reconnectSince.elapsed() / 1000;
    if (seconds < kReconnectMs / 1000) {
        m_page->reconnectText->setText(QStringLiteral("Próba ponownego połączenia za ")
                                       + QString::number(kReconnectMs / 1000 - seconds) + QStringLiteral(" sek."));
        return;
    }
    cancelReconnect();
    // Play takes the station selected now; without one the lost station
    // comes back.
    if (selectedStation().url.isEmpty()) {
        m_busy = true;
        startStation(m_url, m_name);
    } else {
        play();
    }
}

QString RadioService::stationName() const
{
    return m_page->name->text();
}

QString RadioService::streamTitle() const
{
    return m_page->title->text();
}

RadioSource RadioService::dayTextSource() const
{
    RadioSource s;
    s.streamTitle = streamTitle();
    s.stationName = stationName();
    s.stopped = m_state == RadioState::Stopped;
    return s;
}

void RadioService::fillPanelView(PanelView& view) const
{
    view.radioActive = m_state == RadioState::Playing || m_state == RadioState::Connecting;
    view.radioVolume = m_settings.volume;
}

void RadioService::fillMpris(MprisState& state) const
{
    state.status = m_state == RadioState::Playing ? MprisState::Playing : MprisState::Stopped;
    const QString title = streamTitle();
    state.title = title.isEmpty() ? stationName() : title;
    state.artist = stationName().isEmpty() ? m_name : stationName();
    state.url = m_player.fileName();
    state.volume = m_settings.volume / 100.0;
    state.canPlay = true;
    state.canGoNext = state.canGoPrevious = true;
    state.canPause = m_state == RadioState::Playing;
    state.canSeek = false;
}

} // namespace zorvex

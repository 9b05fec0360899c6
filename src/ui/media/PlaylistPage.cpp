#include "ui/media/PlaylistPage.h"

#include "core/common/DataFile.h"
#include "core/media/FileActions.h"
#include "core/media/M3uFormat.h"
#include "core/media/MediaSettings.h"
#include "core/media/MusicPlayer.h"
#include "core/media/Playlist.h"
#include "core/media/TrackInfo.h"
#include "core/media/TrackScanner.h"
#include "core/common/AtomicFile.h"
#include "ui/common/Messages.h"
#include "ui/media/SearchWindow.h"
#include "ui/media/TrackWindows.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <random>

namespace zorvex {
namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

const char kSoundFilter[] =
    "Pliki dźwiękowe (*.mp3;*.ogg;*.wav;*.wma;*.m4a;*.aac)|*.mp3;*.ogg;*.wav;*.wma;*.m4a;*.aac|Plik MP3 (*.mp3)|*.mp3|"
    "Plik OGG (*.ogg)|*.ogg|Plik WAV (*.wav)|*.wav|Plik WMA (*.wma)|*.wma|Plik AAC (*.aac)|*.aac|Plik M4A (*.m4a)|*.m4a|"
    "Wszystkie pliki (*.*)|*.*";

// A "caption|patterns|…" filter as the file dialog takes it.
QString dialogFilter(const char* filter)
{
    const QStringList parts = QString::fromUtf8(filter).split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString caption = parts[i];
        const qsizetype paren = caption.indexOf(QLatin1String(" ("));
        if (paren >= 0)
            caption = caption.first(paren);
        out << caption + QLatin1String(" (") + patterns + QLatin1Char(')');
    }
    return out.join(QLatin1String(";;"));
}

bool fileExists(const QString& path)
{
    return QFileInfo(path).isFile();
}

QPushButton* button(QWidget* parent, const char* name, const char* text)
{
    auto* b = new QPushButton(u(text), parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

void showMenuAbove(QMenu* menu, QWidget* anchor)
{
    menu->popup(anchor->mapToGlobal(QPoint(0, -menu->sizeHint().height())));
}

} // namespace

PlaylistPage::PlaylistPage(Playlist& list, MusicPlayer& player, PlaylistSettings& settings, Prompts& prompts,
                           QWidget* parent)
    : QWidget(parent)
    , m_playlist(list)
    , m_player(player)
    , m_settings(settings)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("PlaylistPage"));
    setAcceptDrops(true);
    m_scanner = new TrackScanner(this);
    connect(m_scanner, &TrackScanner::batch, this, &PlaylistPage::scanBatch);
    connect(m_scanner, &TrackScanner::finished, this, &PlaylistPage::scanFinished);
    connect(m_scanner, &TrackScanner::progress, this, [this](int done, int total) {
        if (m_progress) {
            m_progress->setMaximum(std::max(1, total));
            m_progress->setValue(done);
        }
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFileGroup());
    layout->addWidget(buildListGroup(), 1);
    layout->addWidget(buildPlayerGroup());
    layout->addWidget(buildTargetGroup());

    connect(&m_player, &MusicPlayer::stateChanged, this, [this] {
        refreshPlayer();
        // Only the rows whose colours change, however long the list.
        refreshEntry(m_shownCurrent);
        m_shownCurrent = m_playlist.current();
        refreshEntry(m_shownCurrent);
        syncSelectionToView();
    });
    connect(&m_player, &MusicPlayer::timeChanged, this, &PlaylistPage::refreshPlayer);
    connect(&m_player, &MusicPlayer::entryUpdated, this, [this](int i) {
        refreshEntry(i);
        refreshTotals();
        emit listChanged();
    });
    refreshList();
    refreshPlayer();
}

PlaylistPage::~PlaylistPage() = default;

QWidget* PlaylistPage::buildFileGroup()
{
    auto* box = new QGroupBox(QStringLiteral("Playlista m3u"), this);
    auto* row = new QHBoxLayout(box);
    m_playlistPath = new QLineEdit(box);
    m_playlistPath->setObjectName(QStringLiteral("Edit14"));
    m_playlistPath->setReadOnly(true);
    m_playlistPath->setText(m_settings.openPlaylist);
    auto* open = button(box, "BitBtn38", "Otwórz playlistę");
    m_saveAs = button(box, "BitBtn39", "Zapisz jako");
    m_saveAs->setEnabled(m_settings.saveEnabled);
    auto* close = button(box, "BitBtn40", "Zamknij");
    row->addWidget(m_playlistPath, 1);
    row->addWidget(open);
    row->addWidget(m_saveAs);
    row->addWidget(close);
    connect(open, &QPushButton::clicked, this, &PlaylistPage::openPlaylist);
    connect(m_saveAs, &QPushButton::clicked, this, &PlaylistPage::savePlaylistAs);
    connect(close, &QPushButton::clicked, this, &PlaylistPage::closePlaylist);
    return box;
}

QWidget* PlaylistPage::buildListGroup()
{
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    m_list = new QListWidget(box);
    m_list->setObjectName(QStringLiteral("ListBox11"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setUniformItemSizes(true);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    layout->addWidget(m_list, 1);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &PlaylistPage::syncSelectionFromView);

    auto* totals = new QHBoxLayout;
    m_durations = new QLabel(box);
    m_durations->setObjectName(QStringLiteral("ListBox12"));
    m_counts = new QLabel(box);
    m_counts->setObjectName(QStringLiteral("ListBox13"));
    m_sizes = new QLabel(box);
    m_sizes->setObjectName(QStringLiteral("ListBox14"));
    totals->addWidget(m_durations);
    totals->addWidget(m_counts);
    totals->addWidget(m_sizes);
    totals->addStretch();
    layout->addLayout(totals);

    auto* actions = new QHBoxLayout;
    auto* add = button(box, "BitBtn41", "Dodaj");
    auto* addMenu = new QMenu(add);
    addMenu->setObjectName(QStringLiteral("PopupMenu1"));
    connect(addMenu->addAction(u("Dodaj plik(i)")), &QAction::triggered, this, &PlaylistPage::addFiles);
    connect(addMenu->addAction(u("Dodaj playlistę")), &QAction::triggered, this, &PlaylistPage::addPlaylist);
    connect(addMenu->addAction(u("Dodaj folder")), &QAction::triggered, this, &PlaylistPage::addFolder);
    connect(add, &QPushButton::clicked, this, [add, addMenu] { showMenuAbove(addMenu, add); });

    auto* remove = button(box, "BitBtn42", "Usuń");
    auto* removeMenu = new QMenu(remove);
    removeMenu->setObjectName(QStringLiteral("PopupMenu2"));
    const auto removal = [this](auto op) {
        return [this, op] {
            m_player.clearHistory();
            const int current = m_playlist.current();
            const bool wasCurrent = current >= 0;
            op();
            if (wasCurrent && m_playlist.current() < 0)
                m_player.stop();
            afterRemoval();
        };
    };
    connect(removeMenu->addAction(u("Usuń zaznaczone")), &QAction::triggered, this,
            removal([this] { m_playlist.removeSelected(); }));
    connect(removeMenu->addAction(u("Zostaw zaznaczone")), &QAction::triggered, this,
            removal([this] { m_playlist.keepSelected(); }));
    connect(removeMenu->addAction(u("Usuń z playlisty nieistniejące pliki")), &QAction::triggered, this,
            removal([this] { m_playlist.removeMissing(fileExists); }));
    connect(removeMenu->addAction(u("Usuń z playlisty duplikaty")), &QAction::triggered, this,
            removal([this] { m_playlist.removeDuplicates(); }));
    connect(removeMenu->addAction(u("Wyczyść playlistę")), &QAction::triggered, this,
            removal([this] { m_playlist.clear(); }));
    connect(remove, &QPushButton::clicked, this, [remove, removeMenu] { showMenuAbove(removeMenu, remove); });

    auto* sort = button(box, "BitBtn71", "Sortuj");
    auto* sortMenu = new QMenu(sort);
    sortMenu->setObjectName(QStringLiteral("PopupMenu7"));
    const struct {
        PlaylistSortKey key;
        const char* up;
        const char* down;
    } keys[] = {
        {PlaylistSortKey::Name, "Według nazwy - rosnąco", "Według nazwy - malejąco"},
        {PlaylistSortKey::FileTime, "Według daty modyfikacji - rosnąco", "Według daty modyfikacji - malejąco"},
        {PlaylistSortKey::Path, "Według ścieżki - rosnąco", "Według ścieżki - malejąco"},
        {PlaylistSortKey::Size, "Według rozmiaru plików - rosnąco", "Według rozmiaru plików - malejąco"},
        {PlaylistSortKey::Seconds, "Według czasów utworów - rosnąco", "Według czasów utworów - malejąco"},
    };
    const auto fileTime = [](const QString& p) -> std::optional<qint64> {
        const QFileInfo fi(p);
        if (!fi.exists())
            return std::nullopt;
        return fi.lastModified().toMSecsSinceEpoch();
    };
    for (const auto& k : keys) {
        for (const bool descending : {false, true}) {
            const PlaylistSortKey key = k.key;
            connect(sortMenu->addAction(u(descending ? k.down : k.up)), &QAction::triggered, this,
                    [this, key, descending, fileTime] {
                        m_playlist.sort(key, descending, fileTime);
                        refreshList();
                        emit listChanged();
                    });
        }
    }
    sortMenu->addSeparator();
    connect(sortMenu->addAction(u("Wymieszaj utwory na liście")), &QAction::triggered, this, [this] {
        std::mt19937 rng{std::random_device{}()};
        m_playlist.shuffle(rng);
        refreshList();
        emit listChanged();
    });
    connect(sort, &QPushButton::clicked, this, [sort, sortMenu] { showMenuAbove(sortMenu, sort); });

    auto* durations = button(box, "BitBtn43", "Wczytaj czas trwania wszystkich plików");
    durations->setText(QStringLiteral("Czas"));
    durations->setToolTip(u("Wczytaj czas trwania wszystkich plików"));
    connect(durations, &QPushButton::clicked, this, &PlaylistPage::fillDurations);
    auto* sizes = button(box, "BitBtn47", "MB");
    connect(sizes, &QPushButton::clicked, this, &PlaylistPage::fillSizes);

    auto* copy = button(box, "BitBtn45", "Kopiuj");
    auto* copyMenu = new QMenu(copy);
    copyMenu->setObjectName(QStringLiteral("PopupMenu3"));
    const char* copyItems[] = {"Kopiuj nazwy do schowka", "Kopiuj nazwy bez wykonawców do schowka (z TAG'ów)",
                               "Kopiuj nazwy bez tytułów do schowka (z TAG'ów)", "Kopiuj nazwy plików do schowka",
                               "Kopiuj sciezki plików do schowka"};
    for (int i = 0; i < 3; ++i)
        connect(copyMenu->addAction(u(copyItems[i])), &QAction::triggered, this, [this, i] { copyLines(i); });
    connect(copyMenu->addAction(u("Kopiuj nazwy za wpisanym ciągiem znaków do schowka...")), &QAction::triggered, this,
            [this] { copyAroundText(true); });
    connect(copyMenu->addAction(u("Kopiuj nazwy przed wpisanym ciągiem znaków do schowka...")), &QAction::triggered,
            this, [this] { copyAroundText(false); });
    for (int i = 3; i < 5; ++i)
        connect(copyMenu->addAction(u(copyItems[i])), &QAction::triggered, this, [this, i] { copyLines(i); });
    connect(copy, &QPushButton::clicked, this, [copy, copyMenu] { showMenuAbove(copyMenu, copy); });

    auto* select = button(box, "BitBtn46", "Z");
    auto* selectMenu = new QMenu(select);
    selectMenu->setObjectName(QStringLiteral("PopupMenu4"));
    QAction* all = selectMenu->addAction(u("Zaznacz wszystko"));
    QAction* none = selectMenu->addAction(u("Odznacz wszystko"));
    QAction* invert = selectMenu->addAction(u("Odwróć zaznaczenie"));
    connect(all, &QAction::triggered, this, [this] { m_playlist.selectAll(true); syncSelectionToView(); });
    connect(none, &QAction::triggered, this, [this] { m_playlist.selectAll(false); syncSelectionToView(); });
    connect(invert, &QAction::triggered, this, [this] { m_playlist.invertSelection(); syncSelectionToView(); });
    connect(select, &QPushButton::clicked, this, [this, select, selectMenu, all, none] {
        all->setEnabled(m_playlist.selectedCount() < m_playlist.size());
        none->setEnabled(m_playlist.selectedCount() > 0);
        showMenuAbove(selectMenu, select);
    });

    auto* search = button(box, "BitBtn110", "Szukaj w playliście");
    connect(search, &QPushButton::clicked, this, &PlaylistPage::openSearchWindow);
    auto* rename = button(box, "BitBtn44", "Zmień nazwę");
    connect(rename, &QPushButton::clicked, this, &PlaylistPage::openRenameWindow);
    auto* tags = button(box, "BitBtn28", "Tagi");
    connect(tags, &QPushButton::clicked, this, &PlaylistPage::openTagWindow);

    for (QWidget* w : {static_cast<QWidget*>(add), static_cast<QWidget*>(remove), static_cast<QWidget*>(sort),
                       static_cast<QWidget*>(durations), static_cast<QWidget*>(sizes), static_cast<QWidget*>(copy),
                       static_cast<QWidget*>(select), static_cast<QWidget*>(search), static_cast<QWidget*>(rename), static_cast<QWidget*>(tags)})
        actions->addWidget(w);
    actions->addStretch();
    layout->addLayout(actions);
    m_needList = {remove, sort, durations, sizes, select, search};
    m_needSelection = {copy, rename, tags};
    return box;
}

QWidget* PlaylistPage::buildPlayerGroup()
{
    auto* box = new QGroupBox(u("Odtwarzacz"), this);
    auto* grid = new QGridLayout(box);
    const char* names[5] = {"BitBtn34", "BitBtn35", "BitBtn129", "BitBtn36", "BitBtn37"};
    const char* texts[5] = {"|<", ">", "||", "[]", ">|"};
    const char* hints[5] = {"Poprzedni", "Odtwarzaj", "Pauza", "Stop", "Następny"};
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        QPushButton* b = button(box, names[i], texts[i]);
        b->setToolTip(u(hints[i]));
        m_transport << b;
        buttons->addWidget(b);
    }
    connect(m_transport[0], &QPushButton::clicked, &m_player, &MusicPlayer::previous);
    connect(m_transport[1], &QPushButton::clicked, &m_player, &MusicPlayer::play);
    connect(m_transport[2], &QPushButton::clicked, &m_player, &MusicPlayer::pause);
    connect(m_transport[3], &QPushButton::clicked, &m_player, &MusicPlayer::stop);
    connect(m_transport[4], &QPushButton::clicked, &m_player, &MusicPlayer::next);
    m_random = new QToolButton(box);
    m_random->setObjectName(QStringLiteral("SpeedButton8"));
    m_random->setText(QStringLiteral("Los"));
    m_random->setToolTip(QStringLiteral("Odtwarzanie losowe"));
    m_random->setCheckable(true);
    m_random->setChecked(m_settings.random);
    m_player.setRandom(m_settings.random);
    connect(m_random, &QToolButton::toggled, this, [this](bool on) {
        m_settings.random = on;
        m_player.setRandom(on);
    });
    buttons->addWidget(m_random);
    m_time = new QPushButton(box);
    m_time->setObjectName(QStringLiteral("ListBox15"));
    m_time->setFlat(true);
    connect(m_time, &QPushButton::clicked, this, [this] {
        m_settings.showElapsed = !m_settings.showElapsed;
        refreshPlayer();
    });
    buttons->addWidget(m_time);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 0, 1, 3);

    m_seek = new QSlider(Qt::Horizontal, box);
    m_seek->setObjectName(QStringLiteral("Scroll1"));
    m_seek->setEnabled(false);
    connect(m_seek, &QSlider::sliderReleased, this, [this] { m_player.seek(m_seek->value()); });
    connect(m_seek, &QSlider::sliderMoved, this, [this](int v) {
        if (m_player.paused())
            m_player.setBarPosition(v);
    });
    grid->addWidget(m_seek, 1, 0, 1, 3);

    grid->addWidget(new QLabel(u("Głośność"), box), 2, 0);
    m_volume = new QSlider(Qt::Horizontal, box);
    m_volume->setObjectName(QStringLiteral("Scroll3"));
    m_volume->setRange(0, 100);
    m_volume->setValue(m_settings.volume);
    m_player.setVolume(m_settings.volume);
    m_volumeLabel = new QLabel(QString::number(m_settings.volume) + QLatin1Char('%'), box);
    m_volumeLabel->setObjectName(QStringLiteral("Label89"));
    connect(m_volume, &QSlider::valueChanged, this, [this](int v) {
        m_settings.volume = v;
        m_volumeLabel->setText(QString::number(v) + QLatin1Char('%'));
        if (m_player.volume() != v)
            m_player.setVolume(v);
    });
    grid->addWidget(m_volume, 2, 1);
    grid->addWidget(m_volumeLabel, 2, 2);

    m_playing = new QLineEdit(box);
    m_playing->setObjectName(QStringLiteral("Edit18"));
    m_playing->setReadOnly(true);
    grid->addWidget(m_playing, 3, 0, 1, 3);
    m_autoPlay = new QCheckBox(u("Automatycznie odtwarzaj przy uruchomieniu Zorvex"), box);
    m_autoPlay->setObjectName(QStringLiteral("CheckBox59"));
    m_autoPlay->setChecked(m_settings.autoPlay);
    connect(m_autoPlay, &QCheckBox::toggled, this, [this](bool on) { m_settings.autoPlay = on; });
    grid->addWidget(m_autoPlay, 4, 0, 1, 3);
    return box;
}

QString PlaylistPage::rowText(int i) const
{
    const PlaylistEntry& e = m_playlist.at(i);
    const int width = int(QString::number(m_playlist.size()).size());
    QString text = QStringLiteral("%1.").arg(i + 1, width) + QLatin1Char(' ');
    if (!fileExists(e.path))
        text += QLatin1String("[plik nie istnieje] ");
    text += e.name;
    const QString d = durationText(e.seconds);
    if (d != QLatin1String("-1"))
        text += QLatin1String("  ") + d;
    return text;
}

void PlaylistPage::refreshEntry(int i)
{
    QListWidgetItem* item = m_list->item(i);
    if (!item)
        return;
    item->setText(rowText(i));
    const bool current = i == m_playlist.current();
    const bool missing = !fileExists(m_playlist.at(i).path);
    item->setBackground(current ? QColor(255, 238, 193) : QBrush());
    item->setForeground(missing ? QColor(Qt::red) : current ? QColor(0, 0, 128) : QBrush());
}

void PlaylistPage::refreshList()
{
    m_syncing = true;
    const int n = m_playlist.size();
    m_list->setUpdatesEnabled(false);
    while (m_list->count() > n)
        delete m_list->takeItem(m_list->count() - 1);
    while (m_list->count() < n)
        m_list->addItem(QString());
    for (int i = 0; i < n; ++i) {
        refreshEntry(i);
        m_list->item(i)->setSelected(m_playlist.isSelected(i));
    }
    m_list->setUpdatesEnabled(true);
    m_syncing = false;
    m_shownCurrent = m_playlist.current();
    refreshTotals();
}

void PlaylistPage::refreshTotals()
{
    m_durations->setText(durationTotals(m_playlist));
    m_counts->setText(countTotals(m_playlist));
    m_sizes->setText(sizeTotals(m_playlist, fileExists));
    updateEnabled();
}

QWidget* PlaylistPage::buildTargetGroup()
{
    auto* box = new QGroupBox(u("Pliki na dysku"), this);
    auto* row = new QHBoxLayout(box);
    m_targets = new QComboBox(box);
    m_targets->setObjectName(QStringLiteral("ComboBox13"));
    m_targets->setMinimumContentsLength(20);
    connect(m_targets, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_settings.targetFolder = i;
        updateEnabled();
    });
    auto* addFolder = button(box, "BitBtn29", "Dodaj folder do listy");
    auto* removeFolder = button(box, "BitBtn30", "Usuń folder z listy");
    auto* move = button(box, "BitBtn31", "Przenieś do folderu");
    auto* copy = button(box, "BitBtn32", "Kopiuj do folderu");
    auto* trash = button(box, "BitBtn33", "Przenieś do kosza");
    row->addWidget(m_targets, 1);
    for (QPushButton* b : {addFolder, removeFolder, move, copy, trash})
        row->addWidget(b);
    connect(addFolder, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, u("Wybierz folder, który ma być dodany do listy"),
                                                                 m_targets->currentText());
        if (folder.isEmpty())
            return;
        m_targets->addItem(folder);
        m_targets->setCurrentIndex(m_targets->count() - 1);
        emit listChanged();
    });
    connect(removeFolder, &QPushButton::clicked, this, [this] {
        if (m_targets->currentIndex() < 0)
            return;
        m_targets->removeItem(m_targets->currentIndex());
        m_targets->setCurrentIndex(m_targets->count() > 0 ? 0 : -1);
        emit listChanged();
    });
    connect(move, &QPushButton::clicked, this, [this] { runFileAction(FileAction::Move); });
    connect(copy, &QPushButton::clicked, this, [this] { runFileAction(FileAction::Copy); });
    connect(trash, &QPushButton::clicked, this, [this] { runFileAction(FileAction::Trash); });
    m_needTarget = {move, copy};
    m_needSelection << trash;
    return box;
}

void PlaylistPage::setTargetFolders(const QStringList& folders)
{
    m_targets->clear();
    m_targets->addItems(folders);
    const int chosen = m_settings.targetFolder;
    m_targets->setCurrentIndex(chosen >= 0 && chosen < folders.size() ? chosen : (folders.isEmpty() ? -1 : 0));
}

QStringList PlaylistPage::targetFolders() const
{
    QStringList out;
    for (int i = 0; i < m_targets->count(); ++i)
        out << m_targets->itemText(i);
    return out;
}

void PlaylistPage::runFileAction(FileAction action, bool ask)
{
    QStringList files;
    for (const int i : m_playlist.selectedIndexes())
        if (fileExists(m_playlist.at(i).path))
            files << m_playlist.at(i).path;
    if (files.isEmpty())
        return;
    const QString folder = m_targets->currentText();
    if (action != FileAction::Trash && folder.isEmpty())
        return;
    if (ask && action == FileAction::Move
        && !m_prompts.askYesNo(u("Potwierdzenie przenoszenia pliku/plików"),
                     u("Czy na pewno przenieść plik/pliki do folderu docelowego?"), this))
        return;
    if (ask && action == FileAction::Copy
        && !m_prompts.askYesNo(u("Potwierdzenie kopiowania pliku/plików"),
                     u("Czy na pewno przekopiować plik/pliki do folderu docelowego?"), this))
        return;
    // The player lets go of a file that is moved away from under it.
    if (action != FileAction::Copy)
        m_player.stop();
    const ReplaceQuestion replace = [this](const QString& target) {
        return m_prompts.askYesNo(u("Zorvex - Menadżer m3u"),
                        u("W folderze docelowym jest już inny plik o tej nazwie:\n") + target + u("\nZastąpić go?"), this);
    };
    setEnabled(false);
    const FileActionReport r = action == FileAction::Move   ? moveFilesTo(files, folder, replace)
                               : action == FileAction::Copy ? copyFilesTo(files, folder, replace)
                                                            : trashFiles(files);
    setEnabled(true);
    if (!r.failures.isEmpty())
        m_prompts.error(r.failures.join(QLatin1Char('\n')), this);
    refreshList();
}

void PlaylistPage::updateEnabled()
{
    const bool any = !m_playlist.isEmpty();
    const bool selected = m_playlist.selectedCount() > 0;
    for (QWidget* w : std::as_const(m_needTarget))
        w->setEnabled(selected && m_targets->currentIndex() >= 0);
    for (QWidget* w : std::as_const(m_needList))
        w->setEnabled(any);
    for (QWidget* w : std::as_const(m_needSelection))
        w->setEnabled(selected);
    for (QPushButton* b : std::as_const(m_transport))
        b->setEnabled(any);
}

void PlaylistPage::refreshPlayer()
{
    m_seek->setEnabled(m_player.barEnabled());
    m_seek->setMaximum(std::max(0, m_player.barMaximum()));
    if (!m_seek->isSliderDown())
        m_seek->setValue(m_player.barPosition());
    m_time->setText(m_player.timeText(m_settings.showElapsed));
    m_time->setToolTip(m_player.infoText());
    m_playing->setText(m_player.shownPath());
    if (m_volume->value() != m_player.volume())
        m_volume->setValue(m_player.volume());
}

void PlaylistPage::syncSelectionFromView()
{
    if (m_syncing)
        return;
    for (int i = 0; i < m_list->count() && i < m_playlist.size(); ++i)
        m_playlist.setSelected(i, m_list->item(i)->isSelected());
    refreshTotals();
}

void PlaylistPage::syncSelectionToView()
{
    m_syncing = true;
    for (int i = 0; i < m_list->count() && i < m_playlist.size(); ++i)
        m_list->item(i)->setSelected(m_playlist.isSelected(i));
    m_syncing = false;
    refreshTotals();
}

void PlaylistPage::afterRemoval()
{
    refreshList();
    emit listChanged();
}

void PlaylistPage::addFiles()
{
    const QStringList files = QFileDialog::getOpenFileNames(this, u("Dodaj plik(i)"), QString(), dialogFilter(kSoundFilter));
    if (!files.isEmpty())
        addPaths(files);
}

void PlaylistPage::addFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, u("Wybierz folder z plikami dźwiękowymi (*.mp3;*.ogg;*.wav;*.wma;*.m4a;*.aac)"));
    if (!folder.isEmpty())
        addPaths({folder});
}

void PlaylistPage::addPlaylist()
{
    const QString file = QFileDialog::getOpenFileName(this, u("Dodaj playlistę"), QFileInfo(m_settings.openPlaylist).path(),
                                                      dialogFilter("Playlista (*.m3u)|*.m3u;*.m3u8|Wszystkie pliki (*.*)|*.*"));
    if (!file.isEmpty())
        loadPlaylist(file, false);
}

void PlaylistPage::openPlaylist()
{
    const QString file = QFileDialog::getOpenFileName(this, u("Otwórz playlistę"), QFileInfo(m_settings.openPlaylist).path(),
                                                      dialogFilter("Playlista (*.m3u)|*.m3u;*.m3u8|Wszystkie pliki (*.*)|*.*"));
    if (!file.isEmpty())
        loadPlaylist(file, true);
}

bool PlaylistPage::loadPlaylist(const QString& path, bool open, bool interactive)
{
    const FileRead file = readDataFile(path);
    if (file.status == FileReadStatus::Missing)
        return false;
    if (!file.read()) {
        if (interactive)
            m_prompts.error(fileReadProblem(path, file.status), this);
        return false;
    }
    const bool utf8 = path.endsWith(QLatin1String(".m3u8"), Qt::CaseInsensitive);
    M3uRead read = parseM3u(file.bytes, QFileInfo(path).absolutePath(), utf8, fileExists);
    if (!read.isPlaylist) {
        if (interactive)
            m_prompts.information(u("Zorvex - Menadżer m3u"), QStringLiteral("To nie jest playlista"), this);
        return false;
    }
    if (open) {
        closePlaylist();
        m_settings.openPlaylist = path;
        m_playlistPath->setText(path);
    }
    // Entries named by the list keep their names; the rest are named from
    // their tags off this thread.
    QStringList unnamed;
    for (PlaylistEntry& e : read.entries) {
        if (e.name.isEmpty()) {
            e.name = baseNameOf(e.path);
            unnamed << e.path;
        }
    }
    m_playlist.append(read.entries);
    m_settings.saveEnabled = true;
    m_saveAs->setEnabled(true);
    refreshList();
    emit listChanged();
    if (!unnamed.isEmpty() && !m_scanner->running()) {
        m_scanMeasuresOnly = true;
        m_scanner->start(unnamed, false);
    }
    return true;
}

void PlaylistPage::savePlaylistAs()
{
    const QString proposal = m_settings.openPlaylist.isEmpty() ? QStringLiteral("Playlista.m3u") : m_settings.openPlaylist;
    QString file = QFileDialog::getSaveFileName(this, u("Zapisz jako"), proposal,
                                                dialogFilter("Playlista (*.m3u)|*.m3u;*.m3u8|Wszystkie pliki (*.*)|*.*"));
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().isEmpty())
        file += QLatin1String(".m3u");
    const bool utf8 = file.endsWith(QLatin1String(".m3u8"), Qt::CaseInsensitive);
    QString why;
    if (!writeFileAtomically(file, formatM3u(m_playlist.entries(), utf8), &why)) {
        m_prompts.error(u("Nie można zapisać playlisty: ") + file + (why.isEmpty() ? QString() : QLatin1String("\n") + why), this);
        return;
    }
    m_settings.openPlaylist = file;
    m_playlistPath->setText(file);
}

void PlaylistPage::closePlaylist()
{
    m_player.clearHistory();
    m_player.stop();
    m_playlist.clear();
    m_settings.openPlaylist.clear();
    m_playlistPath->clear();
    m_settings.saveEnabled = false;
    m_saveAs->setEnabled(false);
    refreshList();
    emit listChanged();
}

void PlaylistPage::addPaths(const QStringList& paths)
{
    QStringList scan;
    for (const QString& p : paths) {
        const QFileInfo fi(p);
        if (fi.isFile() && isPlaylistFile(p))
            loadPlaylist(p, m_playlist.isEmpty() && m_settings.openPlaylist.isEmpty());
        else if (fi.exists())
            scan << p;
    }
    if (scan.isEmpty())
        return;
    if (m_scanner->running()) {
        m_prompts.information(u("Zorvex - Menadżer m3u"), u("Trwa dodawanie plików; poczekaj, aż się zakończy."), this);
        return;
    }
    m_scanMeasuresOnly = false;
    m_scanner->start(scan, true);
    m_progress = new QProgressDialog(u("Dodawanie plików..."), u("Anuluj"), 0, 0, this);
    m_progress->setObjectName(QStringLiteral("TForm9"));
    m_progress->setWindowTitle(QStringLiteral("Wczytywanie"));
    m_progress->setMinimumDuration(500);
    m_progress->setAutoClose(false);
    connect(m_progress, &QProgressDialog::canceled, m_scanner, &TrackScanner::cancel);
}

void PlaylistPage::scanBatch(const QList<PlaylistEntry>& entries)
{
    if (m_scanMeasuresOnly) {
        // Names and lengths for entries already listed, matched by path.
        QHash<QString, const PlaylistEntry*> byPath;
        for (const PlaylistEntry& e : entries)
            byPath.insert(e.path, &e);
        for (int i = 0; i < m_playlist.size(); ++i) {
            const PlaylistEntry* got = byPath.value(m_playlist.at(i).path);
            if (!got)
                continue;
            PlaylistEntry e = m_playlist.at(i);
            if (e.name == baseNameOf(e.path))
                e.name = got->name;
            if (e.seconds == QLatin1String("-1") && got->seconds != QLatin1String("-1"))
                e.seconds = got->seconds;
            if (e.size == QLatin1String("-1") && got->size != QLatin1String("-1"))
                e.size = got->size;
            m_playlist.replace(i, e);
            refreshEntry(i);
        }
    } else {
        // Only the new rows while a large folder comes in; the numbering and
        // the totals are redone once at the end.
        const int from = m_playlist.size();
        m_playlist.append(entries);
        m_syncing = true;
        for (int i = from; i < m_playlist.size(); ++i) {
            m_list->addItem(QString());
            refreshEntry(i);
        }
        m_syncing = false;
        m_counts->setText(countTotals(m_playlist));
    }
    emit listChanged();
}

void PlaylistPage::scanFinished()
{
    if (m_progress) {
        m_progress->deleteLater();
        m_progress = nullptr;
    }
    refreshList();
}

void PlaylistPage::fillDurations()
{
    QStringList unknown;
    for (int i = 0; i < m_playlist.size(); ++i)
        if (m_playlist.at(i).seconds == QLatin1String("-1") && fileExists(m_playlist.at(i).path))
            unknown << m_playlist.at(i).path;
    if (unknown.isEmpty() || m_scanner->running())
        return;
    m_scanMeasuresOnly = true;
    m_scanner->start(unknown, true);
    m_progress = new QProgressDialog(u("Wczytywanie czasów trwania wszystkich plików"), u("Anuluj"), 0,
                                     int(unknown.size()), this);
    m_progress->setObjectName(QStringLiteral("TForm9"));
    m_progress->setWindowTitle(QStringLiteral("Wczytywanie"));
    m_progress->setMinimumDuration(500);
    m_progress->setAutoClose(false);
    connect(m_progress, &QProgressDialog::canceled, m_scanner, &TrackScanner::cancel);
}

void PlaylistPage::fillSizes()
{
    for (int i = 0; i < m_playlist.size(); ++i) {
        PlaylistEntry e = m_playlist.at(i);
        if (e.size != QLatin1String("-1"))
            continue;
        const QFileInfo fi(e.path);
        if (!fi.isFile())
            continue;
        e.size = QString::number(fi.size());
        m_playlist.replace(i, e);
    }
    refreshList();
    emit listChanged();
}

void PlaylistPage::watchTrackWindow(TrackWindowBase* window)
{
    connect(window, &TrackWindowBase::entryChanged, this, [this](int i) {
        refreshEntry(i);
        syncSelectionToView();
        emit listChanged();
    });
}

void PlaylistPage::openSearchWindow()
{
    if (!m_search) {
        m_search = new SearchWindow(m_playlist, this);
        connect(m_search, &SearchWindow::playRequested, this, [this](int i) {
            m_playlist.selectOnly(i);
            syncSelectionToView();
            m_player.playIndex(i);
        });
        connect(m_search, &SearchWindow::goToRequested, this, [this](int i) {
            m_playlist.selectOnly(i);
            syncSelectionToView();
            m_list->scrollToItem(m_list->item(i));
        });
    }
    m_search->start();
}

void PlaylistPage::openRenameWindow()
{
    if (!m_rename) {
        m_rename = new RenameWindow(m_playlist, m_player, m_prompts, this);
        watchTrackWindow(m_rename);
    }
    m_rename->start(trackWorkList(m_playlist, false));
}

void PlaylistPage::openTagWindow()
{
    if (!m_tags) {
        m_tags = new TagWindow(m_playlist, m_player, m_prompts, this);
        watchTrackWindow(m_tags);
    }
    m_tags->start(trackWorkList(m_playlist, true));
}

void PlaylistPage::copyAroundText(bool after)
{
    // "Wpisz ciąg znaków" (TForm10), with the last text of that item.
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("TForm10"));
    dialog.setWindowTitle(u("Wpisz ciąg znaków"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* edit = new QLineEdit(after ? m_settings.textAfter : m_settings.textBefore, &dialog);
    edit->setObjectName(QStringLiteral("Edit1"));
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Anuluj"));
    const auto enable = [buttons, edit] { buttons->button(QDialogButtonBox::Ok)->setEnabled(!edit->text().isEmpty()); };
    enable();
    connect(edit, &QLineEdit::textChanged, &dialog, enable);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString text = edit->text();
    (after ? m_settings.textAfter : m_settings.textBefore) = text;
    QStringList lines;
    for (const int i : m_playlist.selectedIndexes())
        lines << (after ? nameAfter(m_playlist.at(i).name, text) : nameBefore(m_playlist.at(i).name, text));
    QApplication::clipboard()->setText(lines.join(QLatin1String("\r\n")));
}

void PlaylistPage::copyLines(int kind)
{
    QStringList lines;
    for (const int i : m_playlist.selectedIndexes()) {
        const PlaylistEntry& e = m_playlist.at(i);
        switch (kind) {
        case 0: lines << e.name; break;
        case 1: {
            const QString t = trackTags(e.path).title;
            lines << (t.isEmpty() ? baseNameOf(e.path) : t);
            break;
        }
        case 2: {
            const QString a = trackTags(e.path).artist;
            lines << (a.isEmpty() ? baseNameOf(e.path) : a);
            break;
        }
        case 3: lines << baseNameOf(e.path); break;
        default: lines << e.path; break;
        }
    }
    QApplication::clipboard()->setText(lines.join(QLatin1String("\r\n")));
}

void PlaylistPage::dropped(const QStringList& paths)
{
    QStringList add;
    for (const QString& p : paths) {
        const QFileInfo fi(p);
        if (fi.isDir() || (fi.isFile() && (isSoundFile(p) || isPlaylistFile(p)))) {
            add << p;
        } else if (fi.exists()) {
            m_prompts.information(u("Błąd otwierania pliku"),
                            u("Można tylko dodać do listy pliki *.mp3 *.ogg *.wav *.wma *.m4a *.aac *.m3u"), this);
        } else {
            m_prompts.information(u("Błąd otwierania pliku"), u("Plik nie istnieje: ") + p, this);
        }
    }
    addPaths(add);
}

void PlaylistPage::dragEnterEvent(QDragEnterEvent* e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void PlaylistPage::dropEvent(QDropEvent* e)
{
    QStringList paths;
    for (const QUrl& url : e->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    e->acceptProposedAction();
    // Messages for refused files must not hold the desktop's drag.
    QMetaObject::invokeMethod(this, [this, paths] { dropped(paths); }, Qt::QueuedConnection);
}

void PlaylistPage::refreshRows(int from, int to)
{
    m_syncing = true;
    for (int i = std::max(0, from); i <= to && i < m_list->count() && i < m_playlist.size(); ++i) {
        refreshEntry(i);
        m_list->item(i)->setSelected(m_playlist.isSelected(i));
    }
    m_syncing = false;
    m_shownCurrent = m_playlist.current();
}

bool PlaylistPage::dragRows(QEvent* e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress: {
        const auto* m = static_cast<QMouseEvent*>(e);
        m_dragRow = -1;
        m_dragMoved = false;
        if (m->button() != Qt::LeftButton || m->modifiers() != Qt::NoModifier)
            return false;
        const int row = m_list->indexAt(m->position().toPoint()).row();
        if (row < 0 || row >= m_playlist.size())
            return false;
        m_dragRow = row;
        // A press inside the selection keeps it, so the whole of it can be
        // dragged; elsewhere the list selects that one row as usual.
        if (!m_playlist.isSelected(row))
            return false;
        m_list->setCurrentRow(row, QItemSelectionModel::NoUpdate);
        return true;
    }
    case QEvent::MouseMove: {
        const auto* m = static_cast<QMouseEvent*>(e);
        if (m_dragRow < 0 || !(m->buttons() & Qt::LeftButton))
            return false;
        const int row = m_list->indexAt(m->position().toPoint()).row();
        const QList<int> sel = m_playlist.selectedIndexes();
        if (row < 0 || row == m_dragRow || sel.isEmpty())
            return true;
        // Past an end the rows stop there.
        const int distance = std::clamp(row - m_dragRow, -sel.first(), m_playlist.size() - 1 - sel.last());
        if (distance != 0 && m_playlist.moveSelected(distance)) {
            const int oldCurrent = m_shownCurrent;
            refreshRows(std::min(sel.first(), sel.first() + distance), std::max(sel.last(), sel.last() + distance));
            refreshEntry(oldCurrent);
            m_dragMoved = true;
        }
        m_dragRow = row;
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        // Taken here: a press kept inside the selection leaves the view
        // without the pressed row its own double-click needs.
        const auto* m = static_cast<QMouseEvent*>(e);
        const int row = m_list->indexAt(m->position().toPoint()).row();
        if (m->button() != Qt::LeftButton || row < 0 || row >= m_playlist.size())
            return false;
        m_player.playIndex(row);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const bool moved = m_dragMoved;
        m_dragRow = -1;
        m_dragMoved = false;
        if (moved) {
            refreshTotals();
            emit listChanged();
            emit rowsMoved();
        }
        return false;
    }
    default: return false;
    }
}

bool PlaylistPage::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_list->viewport() && dragRows(e))
        return true;
    if (watched == m_list && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        switch (k->key()) {
        case Qt::Key_Delete:
            m_player.clearHistory();
            m_playlist.removeSelected();
            afterRemoval();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_X: m_player.play(); return true;
        case Qt::Key_Z: m_player.previous(); return true;
        case Qt::Key_C: m_player.pause(); return true;
        case Qt::Key_V: m_player.stop(); return true;
        case Qt::Key_B: m_player.next(); return true;
        case Qt::Key_Right: m_player.seek(m_player.barPosition() + 5); return true;
        case Qt::Key_Left: m_player.seek(m_player.barPosition() - 5); return true;
        case Qt::Key_J: openSearchWindow(); return true;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void PlaylistPage::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    refreshList();
    refreshPlayer();
}

} // namespace zorvex

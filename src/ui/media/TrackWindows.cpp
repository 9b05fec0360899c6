#include "ui/media/TrackWindows.h"

#include "core/common/Text.h"
#include "core/media/Genres.h"
#include "core/media/MusicPlayer.h"
#include "core/media/Playlist.h"
#include "core/media/RenameRules.h"
#include "core/media/TrackInfo.h"
#include "ui/common/Messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {
namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

QLineEdit* field(QWidget* parent, const char* name, int maxLength)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

// A track number typed in: 0 when not a number or below 1.
int trackNumber(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n >= 1 ? n : 0;
}

} // namespace

QList<TrackWorkItem> trackWorkList(const Playlist& list, bool mp3Only)
{
    QList<TrackWorkItem> out;
    for (const int i : list.selectedIndexes()) {
        const QString& path = list.at(i).path;
        if (!QFileInfo(path).isFile())
            continue;
        if (mp3Only && !path.toLower().endsWith(QLatin1String(".mp3")))
            continue;
        out.append({i, path});
    }
    return out;
}

TrackWindowBase::TrackWindowBase(Playlist& list, MusicPlayer& player, Prompts& prompts, QWidget* parent)
    : QDialog(parent)
    , m_list(list)
    , m_player(player)
    , m_prompts(prompts)
{
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(false);
}

bool TrackWindowBase::start(const QList<TrackWorkItem>& items)
{
    if (items.isEmpty())
        return false;
    m_items = items;
    m_position = 0;
    load();
    show();
    raise();
    return true;
}

void TrackWindowBase::skip()
{
    if (m_position + 1 >= m_items.size()) {
        hide();
        return;
    }
    ++m_position;
    load();
}

void TrackWindowBase::back()
{
    if (m_position == 0)
        return;
    --m_position;
    load();
}

void TrackWindowBase::updateStatus()
{
    m_status->setText(u("Plików do zmiany: ") + QString::number(m_items.size()) + u("    Pozostało: ")
                      + QString::number(m_items.size() - 1 - m_position));
    m_back->setEnabled(m_position > 0);
}

void TrackWindowBase::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        skip();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TrackWindowBase::hideEvent(QHideEvent* e)
{
    m_items.clear();
    m_position = 0;
    QDialog::hideEvent(e);
}

void TrackWindowBase::releaseFile(const QString& path)
{
    if (m_player.shownPath() == path || (m_player.paused() && m_list.currentEntry() && m_list.currentEntry()->path == path))
        m_player.stop();
}

void TrackWindowBase::updateEntry(int index, const QString& path)
{
    if (index < 0 || index >= m_list.size())
        return;
    PlaylistEntry e = m_list.at(index);
    e.path = path;
    e.name = trackDisplayName(path);
    m_list.replace(index, e);
    m_list.selectOnly(index);
    emit entryChanged(index);
}

RenameWindow::RenameWindow(Playlist& list, MusicPlayer& player, Prompts& prompts, QWidget* parent)
    : TrackWindowBase(list, player, prompts, parent)
{
    setObjectName(QStringLiteral("TForm8"));
    setWindowTitle(u("Zmień nazwę pliku"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_folder = field(this, "Edit3", 0);
    m_folder->setReadOnly(true);
    m_name = field(this, "Edit1", 0);
    m_extension = field(this, "Edit2", 0);
    m_extension->setReadOnly(true);
    form->addRow(u("Folder:"), m_folder);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(m_name, 1);
    nameRow->addWidget(m_extension);
    form->addRow(u("Nazwa:"), nameRow);
    layout->addLayout(form);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString clean = cleanedFileName(text);
        if (clean != text) {
            const int at = m_name->cursorPosition();
            m_name->setText(clean);
            m_name->setCursorPosition(at);
        }
    });
    auto* buttons = new QHBoxLayout;
    auto* rename = new QPushButton(u("Zmień nazwę"), this);
    rename->setObjectName(QStringLiteral("BitBtnRename"));
    rename->setDefault(true);
    auto* skipButton = new QPushButton(u("Pomiń"), this);
    m_back = new QPushButton(u("Wstecz"), this);
    buttons->addWidget(m_back);
    buttons->addStretch();
    buttons->addWidget(skipButton);
    buttons->addWidget(rename);
    layout->addLayout(buttons);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    layout->addWidget(m_status);
    connect(rename, &QPushButton::clicked, this, &RenameWindow::renameCurrent);
    connect(skipButton, &QPushButton::clicked, this, &RenameWindow::skip);
    connect(m_back, &QPushButton::clicked, this, &RenameWindow::back);
}

void RenameWindow::load()
{
    const TrackWorkItem& item = m_items[m_position];
    m_folder->setText(QFileInfo(item.path).path());
    m_name->setText(nameWithoutExtension(item.path));
    m_extension->setText(extensionOf(item.path).toLower());
    m_name->selectAll();
    m_name->setFocus();
    updateStatus();
}

bool RenameWindow::renameCurrent()
{
    if (m_items.isEmpty())
        return false;
    TrackWorkItem& item = m_items[m_position];
    const RenamePlan plan = planRename(item.path, m_name->text());
    if (plan.target.isEmpty()) {
        m_prompts.error(plan.error, this);
        return false;
    }
    if (plan.target != item.path) {
        if (item.index == m_list.current())
            m_player.stop();
        QString error;
        if (!renameTrack(item.path, plan.target, &error)) {
            m_prompts.error(error, this);
            return false;
        }
        updateEntry(item.index, plan.target);
        item.path = plan.target;
    }
    skip();
    return true;
}

TagWindow::TagWindow(Playlist& list, MusicPlayer& player, Prompts& prompts, QWidget* parent)
    : TrackWindowBase(list, player, prompts, parent)
{
    setObjectName(QStringLiteral("TForm11"));
    setWindowTitle(u("Zmień Tag(i)"));
    auto* layout = new QVBoxLayout(this);
    m_path = field(this, "Edit1", 0);
    m_path->setReadOnly(true);
    layout->addWidget(m_path);
    auto* groups = new QHBoxLayout;

    m_v1 = new QGroupBox(u("ID3v1 Tag"), this);
    m_v1->setObjectName(QStringLiteral("Tag1"));
    m_v1->setCheckable(true);
    auto* f1 = new QFormLayout(m_v1);
    m_title1 = field(m_v1, "Tytul1", 30);
    m_artist1 = field(m_v1, "Wykonawca1", 30);
    m_album1 = field(m_v1, "Album1", 30);
    m_year1 = field(m_v1, "Rok1", 4);
    m_genre1 = new QComboBox(m_v1);
    m_genre1->setObjectName(QStringLiteral("Rodzaj1"));
    m_genre1->addItem(QString());
    m_genre1->addItems(genreNames());
    m_comment1 = field(m_v1, "Komentarz1", 30);
    m_track1 = field(m_v1, "Utwor1", 2);
    f1->addRow(u("Tytuł"), m_title1);
    f1->addRow(u("Wykonawca"), m_artist1);
    f1->addRow(u("Album"), m_album1);
    f1->addRow(u("Rok"), m_year1);
    f1->addRow(u("Rodzaj"), m_genre1);
    f1->addRow(u("Komentarz"), m_comment1);
    f1->addRow(u("Utwór"), m_track1);
    groups->addWidget(m_v1);

    m_v2 = new QGroupBox(u("ID3v2 Tag"), this);
    m_v2->setObjectName(QStringLiteral("Tag2"));
    m_v2->setCheckable(true);
    auto* f2 = new QFormLayout(m_v2);
    m_title2 = field(m_v2, "Tytul2", Id3v2::kMaxFrameData);
    m_artist2 = field(m_v2, "Wykonawca2", Id3v2::kMaxFrameData);
    m_album2 = field(m_v2, "Album2", Id3v2::kMaxFrameData);
    m_year2 = field(m_v2, "Rok2", Id3v2::kMaxFrameData);
    m_genre2 = new QComboBox(m_v2);
    m_genre2->setObjectName(QStringLiteral("Rodzaj2"));
    m_genre2->setEditable(true);
    m_genre2->addItems(genreNames());
    m_comment2 = new QPlainTextEdit(m_v2);
    m_comment2->setObjectName(QStringLiteral("Komentarz2"));
    m_comment2->setMaximumHeight(60);
    connect(m_comment2, &QPlainTextEdit::textChanged, this, [this] {
        const QString t = m_comment2->toPlainText();
        if (t.size() > 245)
            m_comment2->setPlainText(t.left(245));
    });
    m_track2 = field(m_v2, "Utwor2", Id3v2::kMaxFrameData);
    m_composer2 = field(m_v2, "Kompozytor2", Id3v2::kMaxFrameData);
    m_rights2 = field(m_v2, "Prawa2", Id3v2::kMaxFrameData);
    m_link2 = field(m_v2, "Link2", Id3v2::kMaxFrameData);
    m_encoder2 = field(m_v2, "Kodek2", Id3v2::kMaxFrameData);
    f2->addRow(u("Tytuł"), m_title2);
    f2->addRow(u("Wykonawca"), m_artist2);
    f2->addRow(u("Album"), m_album2);
    f2->addRow(u("Rok"), m_year2);
    f2->addRow(u("Rodzaj"), m_genre2);
    f2->addRow(u("Komentarz"), m_comment2);
    f2->addRow(u("Utwór"), m_track2);
    f2->addRow(u("Kompozytor"), m_composer2);
    f2->addRow(u("Prawa autorskie"), m_rights2);
    f2->addRow(u("Link"), m_link2);
    f2->addRow(u("Kodek"), m_encoder2);
    groups->addWidget(m_v2);
    layout->addLayout(groups);

    auto* copies = new QHBoxLayout;
    auto* toV2 = new QPushButton(QStringLiteral("ID3v1 >> ID3v2"), this);
    toV2->setObjectName(QStringLiteral("BitBtn4"));
    auto* toV1 = new QPushButton(QStringLiteral("ID3v1 << ID3v2"), this);
    toV1->setObjectName(QStringLiteral("BitBtn5"));
    copies->addWidget(toV2);
    copies->addWidget(toV1);
    copies->addStretch();
    layout->addLayout(copies);
    connect(toV2, &QPushButton::clicked, this, [this] {
        const Id3v1 v1 = v1Fields();
        Id3v2 v2 = v2Fields();
        v2.title = v1.title;
        v2.artist = v1.artist;
        v2.album = v1.album;
        v2.year = v1.year;
        v2.genre = genreName(v1.genre);
        v2.comment = v1.comment;
        v2.track = v1.track;
        setV2Fields(v2);
        m_v2->setChecked(true);
    });
    connect(toV1, &QPushButton::clicked, this, [this] {
        const Id3v2 v2 = v2Fields();
        Id3v1 v1;
        v1.title = v2.title.left(30);
        v1.artist = v2.artist.left(30);
        v1.album = v2.album.left(30);
        v1.year = v2.year.left(4);
        v1.comment = v2.comment.left(30);
        v1.track = quint8(std::clamp(v2.track, 0, 99));
        const int g = genreIndex(v2.genre);
        v1.genre = g >= 0 ? quint8(g) : kNoGenre;
        setV1Fields(v1);
        m_v1->setChecked(true);
    });

    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(u("Zmień Tag"), this);
    save->setDefault(true);
    auto* skipButton = new QPushButton(u("Pomiń"), this);
    m_back = new QPushButton(u("Wstecz"), this);
    buttons->addWidget(m_back);
    buttons->addStretch();
    buttons->addWidget(skipButton);
    buttons->addWidget(save);
    layout->addLayout(buttons);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    layout->addWidget(m_status);
    connect(save, &QPushButton::clicked, this, &TagWindow::saveCurrent);
    connect(skipButton, &QPushButton::clicked, this, &TagWindow::skip);
    connect(m_back, &QPushButton::clicked, this, &TagWindow::back);
}

Id3v1 TagWindow::v1Fields() const
{
    Id3v1 t;
    t.title = m_title1->text();
    t.artist = m_artist1->text();
    t.album = m_album1->text();
    t.year = m_year1->text();
    t.comment = m_comment1->text();
    t.track = quint8(std::min(trackNumber(m_track1->text()), 255));
    const int g = m_genre1->currentIndex() - 1;
    t.genre = g >= 0 && g < kGenreCount ? quint8(g) : kNoGenre;
    return t;
}

Id3v2 TagWindow::v2Fields() const
{
    Id3v2 t = m_loadedV2;
    t.title = m_title2->text();
    t.artist = m_artist2->text();
    t.album = m_album2->text();
    t.year = m_year2->text();
    t.genre = m_genre2->currentText();
    t.comment = m_comment2->toPlainText();
    t.track = trackNumber(m_track2->text());
    t.composer = m_composer2->text();
    t.rights = m_rights2->text();
    t.link = m_link2->text();
    t.encoder = m_encoder2->text();
    return t;
}

void TagWindow::setV1Fields(const Id3v1& t)
{
    m_title1->setText(t.title);
    m_artist1->setText(t.artist);
    m_album1->setText(t.album);
    m_year1->setText(t.year);
    m_comment1->setText(t.comment);
    m_track1->setText(t.track ? QString::number(t.track) : QString());
    m_genre1->setCurrentIndex(t.genre < kGenreCount ? t.genre + 1 : 0);
}

void TagWindow::setV2Fields(const Id3v2& t)
{
    m_title2->setText(t.title);
    m_artist2->setText(t.artist);
    m_album2->setText(t.album);
    m_year2->setText(t.year);
    m_genre2->setCurrentText(t.genre);
    m_comment2->setPlainText(t.comment);
    m_track2->setText(t.track ? QString::number(t.track) : QString());
    m_composer2->setText(t.composer);
    m_rights2->setText(t.rights);
    m_link2->setText(t.link);
    m_encoder2->setText(t.encoder);
}

void TagWindow::load()
{
    const TrackWorkItem& item = m_items[m_position];
    m_path->setText(item.path);
    Id3v1 v1;
    Id3v2 v2;
    v1.read(item.path);
    v2.read(item.path);
    m_loadedV2 = v2;
    setV1Fields(v1);
    setV2Fields(v2);
    m_v1->setChecked(v1.exists);
    m_v2->setChecked(v2.exists);
    updateStatus();
}

void TagWindow::saveCurrent()
{
    if (m_items.isEmpty())
        return;
    const TrackWorkItem item = m_items[m_position];
    releaseFile(item.path);
    const bool exists = QFileInfo(item.path).isFile();
    QStringList problems;
    // A group switched off leaves its tag as it is: switching it off only
    // says "not this one", never "delete it".
    if (m_v1->isChecked()) {
        Id3v1 t = v1Fields();
        if (!exists || !t.save(item.path))
            problems << u("Nie można zapisać Tag`a do pliku: ") + item.path;
    }
    if (m_v2->isChecked()) {
        Id3v2 t = v2Fields();
        if (!exists || !t.save(item.path))
            problems << u("Nie można zapisać Tag`a do pliku: ") + item.path;
    }
    for (const QString& p : problems)
        m_prompts.error(p, this);
    updateEntry(item.index, item.path);
    skip();
}

} // namespace zorvex

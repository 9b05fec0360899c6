#include "ui/desktop/DiscCatalogueWindow.h"

#include "core/desktop/DiscMount.h"
#include "core/desktop/DiscSettings.h"
#include "ui/common/Messages.h"
#include "ui/common/WindowBounds.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorvex {
namespace {

constexpr int kRowRole = Qt::UserRole + 1;     // DiscRow index
constexpr int kNumberRole = Qt::UserRole + 2;  // number among image rows, 0 for headers
constexpr int kLastRole = Qt::UserRole + 3;    // mounted last
constexpr int kWidthRole = Qt::UserRole + 4;   // digits of the largest number
constexpr QSize kMinimumSize(482, 220);
constexpr int kMinHeightWithArea = 218;
constexpr int kMinHeightWithout = 115;

// Headers on their tinted band; images numbered, with a disc, the name, a
// dotted leader and the size at the right.
class DiscRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        p->save();
        const QRect r = option.rect;
        const QString name = index.data(Qt::DisplayRole).toString();
        const int number = index.data(kNumberRole).toInt();
        const QFontMetrics fm(option.font);
        if (number == 0) {
            p->fillRect(r, QColor(255, 238, 193));
            p->setPen(QColor(100, 72, 0));
            p->drawText(r.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, name);
            p->restore();
            return;
        }
        const bool selected = option.state & QStyle::State_Selected;
        p->fillRect(r, selected ? QColor(255, 251, 240) : option.palette.base().color());
        const int digits = index.data(kWidthRole).toInt();
        const int numberWidth = fm.horizontalAdvance(QString(digits, QLatin1Char('9')) + QLatin1Char('.')) + 2;
        p->setPen(QColor(0, 0, 128));
        p->drawText(QRect(r.left(), r.top(), numberWidth, r.height()), Qt::AlignVCenter | Qt::AlignRight,
                    QString::number(number) + QLatin1Char('.'));
        // The disc: grey, or gold for the one mounted last.
        const int d = std::min(r.height() - 4, 12);
        const QRect disc(r.left() + numberWidth + 4, r.top() + (r.height() - d) / 2, d, d);
        p->setRenderHint(QPainter::Antialiasing);
        p->setPen(QColor(90, 90, 90));
        p->setBrush(index.data(kLastRole).toBool() ? QColor(240, 190, 40) : QColor(200, 205, 215));
        p->drawEllipse(disc);
        p->setBrush(option.palette.base());
        p->drawEllipse(disc.center(), d / 6, d / 6);
        p->setRenderHint(QPainter::Antialiasing, false);

        const QString size = QStringLiteral(" %1 MB").arg(index.data(Qt::UserRole).toLongLong());
        const int sizeWidth = fm.horizontalAdvance(size);
        const int textLeft = disc.right() + 5;
        const int sizeLeft = r.right() - 2 - sizeWidth;
        QString shown = fm.elidedText(name, Qt::ElideRight, std::max(0, sizeLeft - textLeft));
        int leaderLeft = textLeft + fm.horizontalAdvance(shown);
        p->setPen(option.palette.text().color());
        p->drawText(QRect(textLeft, r.top(), sizeLeft - textLeft, r.height()), Qt::AlignVCenter | Qt::AlignLeft, shown);
        const int dot = std::max(1, fm.horizontalAdvance(QLatin1Char('.')));
        const int dots = std::max(0, (sizeLeft - leaderLeft) / dot);
        p->drawText(QRect(leaderLeft, r.top(), dots * dot, r.height()), Qt::AlignVCenter | Qt::AlignLeft,
                    QString(dots, QLatin1Char('.')));
        p->drawText(QRect(sizeLeft, r.top(), sizeWidth, r.height()), Qt::AlignVCenter | Qt::AlignRight, size);
        p->restore();
    }
};

QPushButton* button(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

DiscCatalogueWindow::DiscCatalogueWindow(DiscCatalogueSettings& settings, Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , m_settings(settings)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(catalogueCaption({}));
    setMinimumSize(kMinimumSize);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListaKlonow"));
    m_list->setItemDelegate(new DiscRowDelegate(m_list));
    m_list->setUniformItemSizes(true);

    m_settingsArea = new QWidget(this);
    m_settingsArea->setObjectName(QStringLiteral("PanelUstawienia"));
    auto* area = new QVBoxLayout(m_settingsArea);
    area->setContentsMargins(0, 0, 0, 0);
    auto* programRow = new QHBoxLayout;
    programRow->addWidget(new QLabel(QStringLiteral("Ścieżka do programu DAEMON Tools lub Alcohol 120%"), m_settingsArea));
    m_program = new QLineEdit(m_settingsArea);
    m_program->setObjectName(QStringLiteral("SciezkaProgramu"));
    m_program->setReadOnly(true);
    programRow->addWidget(m_program, 1);
    auto* browse = new QToolButton(m_settingsArea);
    browse->setObjectName(QStringLiteral("WybierzProgram"));
    browse->setText(QStringLiteral("..."));
    programRow->addWidget(browse);
    area->addLayout(programRow);

    auto* foldersRow = new QHBoxLayout;
    auto* foldersColumn = new QVBoxLayout;
    foldersColumn->addWidget(new QLabel(QStringLiteral("Foldery z obrazami płyt:"), m_settingsArea));
    m_folderList = new QListWidget(m_settingsArea);
    m_folderList->setObjectName(QStringLiteral("ListaFolderow"));
    m_folderList->setMaximumHeight(60);
    foldersColumn->addWidget(m_folderList);
    foldersRow->addLayout(foldersColumn, 1);
    auto* folderButtons = new QVBoxLayout;
    QPushButton* add = button(QStringLiteral("Dodaj folder do listy"), "DodajFolder", m_settingsArea);
    m_remove = button(QStringLiteral("Usuń folder z listy"), "UsunFolder", m_settingsArea);
    m_searchOne = button(QStringLiteral("Przeszukaj wybrany folder"), "PrzeszukajWybrany", m_settingsArea);
    folderButtons->addWidget(add);
    folderButtons->addWidget(m_remove);
    folderButtons->addWidget(m_searchOne);
    foldersRow->addLayout(folderButtons);
    area->addLayout(foldersRow);
    m_searchAll = button(QStringLiteral("Przeszukaj foldery z listy"), "PrzeszukajWszystkie", m_settingsArea);
    auto* copyGroup = new QGroupBox(QStringLiteral("Pozycje z listy"), m_settingsArea);
    auto* copyLayout = new QHBoxLayout(copyGroup);
    m_copy = button(QStringLiteral("Kopiuj do schowka"), "KopiujDoSchowka", copyGroup);
    copyLayout->addWidget(m_copy);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_searchAll);
    searchRow->addStretch(1);
    searchRow->addWidget(copyGroup);
    area->addLayout(searchRow);

    m_settingsToggle = new QToolButton(this);
    m_settingsToggle->setObjectName(QStringLiteral("Ustawienia"));
    m_settingsToggle->setText(QStringLiteral("Ustawienia"));
    m_settingsToggle->setCheckable(true);
    m_mount = button(QStringLiteral("Zamontuj"), "Zamontuj", this);
    m_mount->setDefault(true);
    QPushButton* close = button(QStringLiteral("Zamknij"), "Zamknij", this);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_settingsToggle);
    bottom->addStretch(1);
    bottom->addWidget(m_mount);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_settingsArea);
    layout->addLayout(bottom);

    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { emit mountRequested(currentRow()); });
    connect(m_list, &QListWidget::currentRowChanged, this, &DiscCatalogueWindow::updateButtons);
    connect(m_mount, &QPushButton::clicked, this, [this] { emit mountRequested(currentRow()); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(browse, &QToolButton::clicked, this, &DiscCatalogueWindow::chooseProgram);
    connect(add, &QPushButton::clicked, this, &DiscCatalogueWindow::addFolder);
    connect(m_remove, &QPushButton::clicked, this, &DiscCatalogueWindow::removeFolder);
    connect(m_folderList, &QListWidget::currentRowChanged, this, [this](int row) {
        updateButtons();
        emit folderSelected(row);
    });
    connect(m_searchOne, &QPushButton::clicked, this, [this] {
        const int row = m_folderList->currentRow();
        if (row >= 0 && row < m_folders.size())
            emit searchRequested({m_folders[row]});
    });
    connect(m_searchAll, &QPushButton::clicked, this, [this] { emit searchRequested(m_folders); });
    connect(m_copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(catalogueText(m_rows)); });
    connect(m_settingsToggle, &QToolButton::toggled, this, [this](bool on) { setSettingsShown(on, true); });

    m_settingsToggle->setChecked(m_settings.settingsShown);
    setSettingsShown(m_settings.settingsShown, false);
    updateButtons();
}

void DiscCatalogueWindow::setRows(const QList<DiscRow>& rows, int lastMounted)
{
    const int keep = m_list->currentRow();
    m_rows = rows;
    m_list->clear();
    const int count = imageNumber(rows, int(rows.size()) - 1);
    const int digits = int(QString::number(std::max(count, 1)).size());
    for (int i = 0; i < rows.size(); ++i) {
        const DiscRow& r = rows[i];
        auto* item = new QListWidgetItem(r.name, m_list);
        item->setData(kRowRole, i);
        item->setData(kNumberRole, r.isHeader() ? 0 : imageNumber(rows, i));
        item->setData(kLastRole, i == lastMounted);
        item->setData(kWidthRole, digits);
        item->setData(Qt::UserRole, r.sizeMb);
        item->setToolTip(r.isHeader() ? r.name : r.path);
    }
    setWindowTitle(catalogueCaption(rows));
    if (keep >= 0 && keep < rows.size())
        m_list->setCurrentRow(keep);
    updateButtons();
}

void DiscCatalogueWindow::setFolders(const QStringList& folders, int selected)
{
    m_folders = folders;
    const QSignalBlocker block(m_folderList);
    m_folderList->clear();
    for (const QString& f : folders) {
        auto* item = new QListWidgetItem(f, m_folderList);
        item->setToolTip(f); // a path wider than the list shows whole
    }
    if (selected >= 0 && selected < folders.size())
        m_folderList->setCurrentRow(selected);
    updateButtons();
}

void DiscCatalogueWindow::setProgram(const QString& program)
{
    m_program->setText(program);
}

int DiscCatalogueWindow::currentRow() const
{
    return m_list->currentRow();
}

void DiscCatalogueWindow::selectRow(int row)
{
    m_list->setCurrentRow(row);
}

int DiscCatalogueWindow::selectedFolder() const
{
    return m_folderList->currentRow();
}

void DiscCatalogueWindow::placeAndShow()
{
    if (!isVisible())
        applyStoredBounds(this, {m_settings.x, m_settings.y, m_settings.w, m_settings.h, m_settings.maximized},
                          QSize(kMinimumSize.width(), m_settings.settingsShown ? 330 : 330 - kSettingsAreaHeight));
    show();
    raise();
    activateWindow();
}

void DiscCatalogueWindow::setSettingsShown(bool shown, bool resizeWindow)
{
    m_settings.settingsShown = shown;
    m_settingsArea->setVisible(shown);
    setMinimumSize(kMinimumSize.width(), shown ? kMinHeightWithArea : kMinHeightWithout);
    if (resizeWindow && !isMaximized())
        resize(width(), std::max(minimumHeight(), height() + (shown ? kSettingsAreaHeight : -kSettingsAreaHeight)));
}

void DiscCatalogueWindow::updateButtons()
{
    const int row = m_list->currentRow();
    m_mount->setEnabled(row >= 0 && row < m_rows.size() && !m_rows[row].isHeader());
    m_copy->setEnabled(!m_rows.isEmpty());
    const bool folder = m_folderList->currentRow() >= 0;
    m_remove->setEnabled(folder);
    m_searchOne->setEnabled(folder);
    m_searchAll->setEnabled(!m_folders.isEmpty());
}

void DiscCatalogueWindow::chooseProgram()
{
    const QFileInfo current(m_program->text());
    const QString start = current.isFile() ? current.absolutePath() : QString();
    const QString chosen = QFileDialog::getOpenFileName(
        this, QStringLiteral("Wybierz program"), start,
        QStringLiteral("DAEMON Tools lub Alcohol 120% (Daemon.exe AxCmd.exe daemon.exe axcmd.exe);;"
                       "DAEMON Tools (Daemon.exe daemon.exe);;Alcohol 120% (AxCmd.exe axcmd.exe);;"
                       "udisksctl, cdemu (udisksctl cdemu);;Wszystkie pliki (*)"));
    if (!chosen.isEmpty())
        emit programChosen(chosen);
}

void DiscCatalogueWindow::addFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Wybierz folder zawierający obrazy płyt, który ma być dodany do listy"));
    if (!folder.isEmpty())
        emit folderAdded(folder);
}

void DiscCatalogueWindow::removeFolder()
{
    const int row = m_folderList->currentRow();
    if (row < 0)
        return;
    if (m_prompts.askYesNo(QLatin1String(kDiscCaption), QStringLiteral("Na pewno usunąć wybrany folder z listy?"), this, true))
        emit folderRemoved(row);
}

void DiscCatalogueWindow::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_list->hasFocus()) {
        emit mountRequested(currentRow());
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DiscCatalogueWindow::closeEvent(QCloseEvent* event)
{
    const StoredBounds b =
        currentBounds(this, {m_settings.x, m_settings.y, m_settings.w, m_settings.h, m_settings.maximized});
    m_settings.x = b.x;
    m_settings.y = b.y;
    m_settings.w = b.w;
    m_settings.h = b.h;
    m_settings.maximized = b.maximized;
    event->accept();
    emit closed();
}

DiscSearchWindow::DiscSearchWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Szukanie obrazów płyt"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Szukanie obrazów..."), this));
    m_folder = new QLabel(this);
    m_folder->setObjectName(QStringLiteral("Folder"));
    m_folder->setMinimumWidth(360);
    layout->addWidget(m_folder);
    QPushButton* cancel = button(QStringLiteral("Anuluj"), "Anuluj", this);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    connect(cancel, &QPushButton::clicked, this, &DiscSearchWindow::cancelRequested);
}

void DiscSearchWindow::setFolder(const QString& folder)
{
    m_folder->setText(m_folder->fontMetrics().elidedText(folder, Qt::ElideMiddle, m_folder->width()));
}

void DiscSearchWindow::closeEvent(QCloseEvent* event)
{
    // Closing it is cancelling the search.
    emit cancelRequested();
    event->ignore();
}

} // namespace zorvex

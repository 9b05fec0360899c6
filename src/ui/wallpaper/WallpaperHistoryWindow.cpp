#include "ui/wallpaper/WallpaperHistoryWindow.h"

#include "core/wallpaper/WallpaperHistory.h"
#include "core/wallpaper/WallpaperSettings.h"
#include "core/wallpaper/WallpaperStore.h"
#include "platform/wallpaper/FileManager.h"
#include "ui/common/Messages.h"
#include "ui/common/WindowBounds.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QUrl>
#include <QVBoxLayout>

namespace zorvex {

namespace {

// A "-" row is a line across the middle of the row.
class SeparatorDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (!isHistorySeparator(index.data(Qt::UserRole).toString()))
            return QStyledItemDelegate::paint(painter, option, index);
        const int y = option.rect.center().y();
        painter->save();
        painter->setPen(option.palette.color(QPalette::WindowText));
        painter->drawLine(option.rect.left() + 2, y, option.rect.right() - 2, y);
        painter->restore();
    }
};

} // namespace

void WallpaperHistoryWindow::notThere()
{
    m_prompts.window(QMessageBox::Warning, QStringLiteral("Zorvex"), QStringLiteral("Wybrany plik nie istnieje"));
}

WallpaperHistoryWindow::WallpaperHistoryWindow(const WallpaperStore& store, WallpaperHistorySettings& settings,
                                               Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_store(store)
    , m_settings(settings)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("TForm37"));
    setWindowTitle(QStringLiteral("Lista ostatnich tapet wyświetlanych na pulpicie"));
    setMinimumSize(514, 287);

    m_splitter = new QSplitter(this);
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("list"));
    m_list->setItemDelegate(new SeparatorDelegate(m_list));
    m_list->setStyleSheet(QStringLiteral("QListWidget::item:selected { background: rgb(255, 224, 138); color: black; }"));
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->installEventFilter(this);
    m_fullPaths = new QCheckBox(QStringLiteral("Pełne ścieżki do plików"));
    m_fullPaths->setObjectName(QStringLiteral("fullPaths"));
    leftLayout->addWidget(m_list, 1);
    leftLayout->addWidget(m_fullPaths);

    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    m_preview = new QLabel;
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setMinimumSize(160, 120);
    m_preview->setScaledContents(true);
    rightLayout->addWidget(m_preview, 1);
    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* text, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(text));
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        m_fileButtons << b;
        return b;
    };
    QPushButton* go = button("Przejdź do folderu", "goToFolder");
    QPushButton* move = button("Przenieś do...", "moveTo");
    QPushButton* copy = button("Kopiuj do...", "copyTo");
    QPushButton* trash = button("Do kosza", "toTrash");
    QPushButton* rename = button("Zmień nazwę", "rename");
    rightLayout->addLayout(buttons);
    m_splitter->addWidget(left);
    m_splitter->addWidget(right);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_splitter);

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("historyMenu"));
    m_menu->addAction(QStringLiteral("Ustaw wybrany plik jako tapetę"), this,
                      &WallpaperHistoryWindow::setSelectedAsWallpaper);
    m_menu->addAction(QStringLiteral("Usuń z listy nieistniejące pliki"), this, &WallpaperHistoryWindow::removeMissing);
    m_menu->addAction(QStringLiteral("Wyczyść listę"), this, &WallpaperHistoryWindow::clearAll);

    connect(m_list, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_menu->popup(m_list->viewport()->mapToGlobal(at)); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { showPreview(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        if (selectedExists())
            QDesktopServices::openUrl(QUrl::fromLocalFile(selected()));
    });
    connect(m_fullPaths, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.fullPaths = on;
        showRows(m_list->currentRow());
    });
    connect(go, &QPushButton::clicked, this, [this] {
        if (!selectedExists())
            return notThere();
        const QString folder = QFileInfo(selected()).absolutePath();
        showInFileManager(selected(), [folder] { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); });
    });
    connect(move, &QPushButton::clicked, this, [this] { transfer(true); });
    connect(copy, &QPushButton::clicked, this, [this] { transfer(false); });
    connect(trash, &QPushButton::clicked, this, &WallpaperHistoryWindow::toTrash);
    connect(rename, &QPushButton::clicked, this, &WallpaperHistoryWindow::rename);
}

void WallpaperHistoryWindow::reload()
{
    m_replaceable = true;
    setRows(m_store.loadHistory(&m_replaceable), 0);
}

void WallpaperHistoryWindow::openModal()
{
    m_fullPaths->setChecked(m_settings.fullPaths);
    if (!isVisible()) {
        applyStoredBounds(this, {m_settings.x, m_settings.y, m_settings.w, m_settings.h, m_settings.maximized},
                          QSize(640, 400));
        m_splitter->setSizes({m_settings.listWidth, std::max(width() - m_settings.listWidth, 160)});
    }
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
}

void WallpaperHistoryWindow::closeEvent(QCloseEvent* event)
{
    const StoredBounds b =
        currentBounds(this, {m_settings.x, m_settings.y, m_settings.w, m_settings.h, m_settings.maximized});
    m_settings.x = b.x;
    m_settings.y = b.y;
    m_settings.w = b.w;
    m_settings.h = b.h;
    m_settings.maximized = b.maximized;
    if (!m_splitter->sizes().isEmpty())
        m_settings.listWidth = m_splitter->sizes().first();
    event->accept();
    emit closed();
}

bool WallpaperHistoryWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            deleteSelected();
            return true;
        }
        if (key == Qt::Key_Space) {
            setSelectedAsWallpaper();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (selectedExists())
                QDesktopServices::openUrl(QUrl::fromLocalFile(selected()));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString WallpaperHistoryWindow::selected() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < m_rows.size() && !isHistorySeparator(m_rows.at(row)) ? m_rows.at(row) : QString();
}

bool WallpaperHistoryWindow::selectedExists() const
{
    const QString path = selected();
    return !path.isEmpty() && QFileInfo(path).isFile();
}

void WallpaperHistoryWindow::selectRow(int row)
{
    m_list->setCurrentRow(row);
}

void WallpaperHistoryWindow::setRows(QStringList rows, int select)
{
    m_rows = std::move(rows);
    showRows(select);
}

void WallpaperHistoryWindow::showRows(int select)
{
    m_list->clear();
    for (const QString& row : m_rows) {
        const bool separator = isHistorySeparator(row);
        auto* item = new QListWidgetItem(separator || m_settings.fullPaths ? (separator ? QString() : row)
                                                                          : QFileInfo(row).fileName());
        item->setData(Qt::UserRole, row);
        if (!separator) {
            item->setToolTip(row);
            if (!QFileInfo(row).isFile())
                item->setForeground(Qt::red);
        }
        m_list->addItem(item);
    }
    m_list->setCurrentRow(std::min(select, int(m_rows.size()) - 1));
    showPreview();
}

void WallpaperHistoryWindow::showPreview()
{
    const bool exists = selectedExists();
    for (QPushButton* b : m_fileButtons)
        b->setEnabled(exists);
    m_preview->setEnabled(exists);
    m_preview->setPixmap(QPixmap());
    if (!exists)
        return;
    // Decoded at about the preview's size, which JPEG does at a fraction of
    // the full picture's cost.
    QImageReader reader(selected());
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    const QSize box = m_preview->size().expandedTo(QSize(160, 120));
    if (full.isValid() && (full.width() > box.width() || full.height() > box.height()))
        reader.setScaledSize(full.scaled(box, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull()) {
        m_prompts.window(QMessageBox::Critical, QStringLiteral("Zorvex"),
                          QStringLiteral("Plik jest uszkodzony: ") + selected());
        return;
    }
    m_preview->setPixmap(QPixmap::fromImage(image));
}

void WallpaperHistoryWindow::save()
{
    // A history that could not be read whole is left as it is on disk.
    if (m_replaceable)
        m_store.saveHistory(m_rows);
}

void WallpaperHistoryWindow::removeMissing()
{
    QStringList kept;
    for (const QString& row : m_rows)
        if (isHistorySeparator(row) || QFileInfo(row).isFile())
            kept << row;
    setRows(tidyHistory(kept), 0);
    save();
}

void WallpaperHistoryWindow::clearAll()
{
    setRows({}, -1);
    save();
}

void WallpaperHistoryWindow::deleteSelected()
{
    const int row = m_list->currentRow();
    if (selected().isEmpty())
        return;
    if (selectedExists())
        return toTrash();
    QStringList rows = m_rows;
    rows.removeAt(row);
    setRows(tidyHistory(rows), row);
    save();
}

void WallpaperHistoryWindow::setSelectedAsWallpaper()
{
    if (selectedExists())
        emit showRequested(selected());
}

void WallpaperHistoryWindow::toTrash()
{
    if (!selectedExists())
        return notThere();
    const int row = m_list->currentRow();
    moveToTrash(selected());
    if (QFileInfo(selected()).exists())
        return showPreview();
    QStringList rows = m_rows;
    rows.removeAt(row);
    setRows(tidyHistory(rows), row);
    save();
}

void WallpaperHistoryWindow::transfer(bool move)
{
    if (!selectedExists())
        return notThere();
    QString& last = move ? m_settings.moveDir : m_settings.copyDir;
    const QString start = !last.isEmpty() && QFileInfo(last).isDir()
        ? last
        : QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString title = move ? QStringLiteral("Wybierz folder, do którego ma być przeniesiona zaznaczona tapeta:")
                               : QStringLiteral("Wybierz folder, do którego ma być przekopiowana zaznaczona tapeta:");
    const QString folder = QFileDialog::getExistingDirectory(this, title, start);
    if (folder.isEmpty())
        return;
    last = folder;
    const QString source = selected();
    const QString target = QDir(folder).filePath(QFileInfo(source).fileName());
    if (QFileInfo::exists(target)) {
        m_prompts.error(QStringLiteral("Plik \"%1\" już istnieje.").arg(target), this);
        return;
    }
    // A move across file systems is a copy and a removal.
    const bool ok = move ? (QFile::rename(source, target) || (QFile::copy(source, target) && QFile::remove(source)))
                         : QFile::copy(source, target);
    if (!ok)
        m_prompts.error(QStringLiteral("Nie udało się %1 pliku \"%2\".")
                      .arg(move ? QStringLiteral("przenieść") : QStringLiteral("skopiować"), source),
                  this);
    // The row keeps the old path, red once the file moved.
    showRows(m_list->currentRow());
}

bool WallpaperHistoryWindow::renameSelected(const QString& newName)
{
    const QString from = selected();
    const QString name = newName.trimmed();
    if (from.isEmpty() || name.isEmpty() || name.contains(QLatin1Char('/')))
        return false;
    const QString to = QDir(QFileInfo(from).absolutePath()).filePath(name);
    if (to == from)
        return true;
    if (QFileInfo::exists(to) || !QFile::rename(from, to))
        return false;
    setRows(renamedInHistory(m_rows, from, to), m_list->currentRow());
    save();
    return true;
}

void WallpaperHistoryWindow::rename()
{
    if (!selectedExists())
        return notThere();
    const QFileInfo info(selected());
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("TForm41"));
    dialog.setWindowTitle(QStringLiteral("Zmień nazwę pliku"));
    auto* name = new QLineEdit(info.completeBaseName());
    name->setObjectName(QStringLiteral("name"));
    auto* extension = new QLineEdit(info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix());
    extension->setObjectName(QStringLiteral("extension"));
    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("Nazwa:"), name);
    form->addRow(QStringLiteral("Rozszerzenie:"), extension);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(box);
    connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!renameSelected(name->text().trimmed() + extension->text().trimmed()))
        m_prompts.error(QStringLiteral("Nie udało się zmienić nazwy pliku"), this);
}

} // namespace zorvex

#include "ui/wallpaper/FolderPicker.h"

#include "core/wallpaper/WallpaperPool.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace zorvex {

FolderPicker::FolderPicker(QWidget* parent)
    : QDialog(parent)
    , m_model(new QFileSystemModel(this))
{
    setObjectName(QStringLiteral("TForm22"));
    setWindowTitle(QStringLiteral("Wybierz folder z tapetami"));
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    m_model->setRootPath(QDir::rootPath());

    m_tree = new QTreeView;
    m_tree->setObjectName(QStringLiteral("tree"));
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->header()->hide();
    m_path = new QLineEdit;
    m_path->setObjectName(QStringLiteral("path"));
    m_path->setReadOnly(true);
    m_add = new QPushButton(QStringLiteral("Dodaj katalog do listy"));
    m_add->setObjectName(QStringLiteral("add"));
    auto* cancel = new QPushButton(QStringLiteral("Anuluj"));
    cancel->setObjectName(QStringLiteral("cancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_path);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_add);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    resize(420, 480);

    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { selectionChanged(); });
    connect(m_add, &QPushButton::clicked, this, [this] {
        const QString folder = m_model->filePath(m_tree->currentIndex());
        if (!QFileInfo(folder).isDir())
            return;
        m_chosen = wallpaperFolder(folder);
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    selectionChanged();
}

void FolderPicker::start(const QString& folder)
{
    m_chosen.clear();
    select(!folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath());
}

void FolderPicker::select(const QString& folder)
{
    const QModelIndex index = m_model->index(QDir::cleanPath(folder));
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
    selectionChanged();
}

void FolderPicker::selectionChanged()
{
    const QString folder = m_model->filePath(m_tree->currentIndex());
    const bool real = !folder.isEmpty() && QFileInfo(folder).isDir();
    m_add->setEnabled(real);
    m_path->setText(real ? wallpaperFolder(folder) + sourceCountSuffix(countWallpaperSources(folder)) : QString());
}

} // namespace zorvex

#include "ui/wallpaper/WallpaperPage.h"

#include "core/wallpaper/WallpaperPool.h"
#include "core/wallpaper/WallpaperSettings.h"
#include "ui/common/ColourBox.h"
#include "ui/common/NumberField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace zorvex {

namespace {

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

WallpaperPage::WallpaperPage(WallpaperSettings& settings, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
{
    auto* layout = new QVBoxLayout(this);
    m_active = named(new QCheckBox(QStringLiteral("Tapeter aktywny - Zmieniaj tapetę podczas logowania użytkownika do systemu")),
                     "active");
    layout->addWidget(m_active);

    m_groups = named(new QWidget, "groups");
    auto* groups = new QVBoxLayout(m_groups);
    groups->setContentsMargins(0, 0, 0, 0);

    auto* folderBox =
        new QGroupBox(QStringLiteral("Lista katalogów (nie są uwzględniane pliki *.jpg lub *.bmp w podkatalogach)"));
    auto* folderLayout = new QVBoxLayout(folderBox);
    m_list = named(new QListWidget, "folders");
    // The selected row as the rest of the program marks it.
    m_list->setStyleSheet(QStringLiteral("QListWidget::item:selected { background: rgb(255, 224, 138); color: black; }"));
    folderLayout->addWidget(m_list);
    auto* folderButtons = new QHBoxLayout;
    auto* add = named(new QPushButton(QStringLiteral("Dodaj katalog do listy")), "addFolder");
    add->setToolTip(QStringLiteral("Podkatalogi nie są uwzględniane"));
    m_remove = named(new QPushButton(QStringLiteral("Usuń katalog z listy")), "removeFolder");
    folderButtons->addWidget(add);
    folderButtons->addWidget(m_remove);
    folderButtons->addStretch();
    folderLayout->addLayout(folderButtons);
    groups->addWidget(folderBox);

    auto* timedBox = new QGroupBox(QStringLiteral("Automatyczna zmiana tapety"));
    auto* timedLayout = new QVBoxLayout(timedBox);
    auto* timedRow = new QHBoxLayout;
    m_timed = named(new QCheckBox(QStringLiteral("Zmieniaj tapetę co")), "timed");
    m_minutes = named(new NumberField(1, 9999), "minutes");
    timedRow->addWidget(m_timed);
    timedRow->addWidget(m_minutes);
    timedRow->addWidget(new QLabel(QStringLiteral("min.")));
    timedRow->addStretch();
    auto* cpuRow = new QHBoxLayout;
    m_cpuLimit = named(new QCheckBox(QStringLiteral("Nie zmieniaj tapety jeśli użycie procesora przekroczy")), "cpuLimit");
    m_cpuPercent = named(new NumberField(1, 100), "cpuPercent");
    cpuRow->addWidget(m_cpuLimit);
    cpuRow->addWidget(m_cpuPercent);
    cpuRow->addWidget(new QLabel(QStringLiteral("%")));
    cpuRow->addStretch();
    timedLayout->addLayout(timedRow);
    timedLayout->addLayout(cpuRow);
    groups->addWidget(timedBox);

    auto* optionsBox = new QGroupBox(QStringLiteral("Opcje"));
    auto* options = new QVBoxLayout(optionsBox);
    auto* modeRow = new QHBoxLayout;
    m_mode = named(new QComboBox, "mode");
    m_mode->addItems({QStringLiteral("1 tapeta"), QStringLiteral("4 tapety"), QStringLiteral("9 tapet"),
                      QStringLiteral("16 tapet")});
    modeRow->addWidget(new QLabel(QStringLiteral("Ilość tapet na pulpicie:")));
    modeRow->addWidget(m_mode);
    modeRow->addStretch();
    auto* qualityRow = new QHBoxLayout;
    m_quality = named(new QComboBox, "quality");
    m_quality->addItems({QStringLiteral("Niska (szybko)"), QStringLiteral("Wysoka (wolno)")});
    qualityRow->addWidget(new QLabel(QStringLiteral("Jakość tapet:")));
    qualityRow->addWidget(m_quality);
    qualityRow->addStretch();
    auto* aspectRow = new QHBoxLayout;
    m_keepAspect = named(new QCheckBox(QStringLiteral("Zachowaj współczynnik proporcji tapet")), "keepAspect");
    m_background = named(new ColourBox, "background");
    aspectRow->addWidget(m_keepAspect);
    aspectRow->addWidget(new QLabel(QStringLiteral("Kolor tła:")));
    aspectRow->addWidget(m_background);
    aspectRow->addStretch();
    options->addLayout(modeRow);
    options->addLayout(qualityRow);
    options->addLayout(aspectRow);
    groups->addWidget(optionsBox);
    layout->addWidget(m_groups);

    auto* buttons = new QHBoxLayout;
    m_test = named(new QPushButton(QStringLiteral("Testuj")), "test");
    m_test->setToolTip(QStringLiteral("Testowana tapeta pojawi się na pulpicie także przy następnym uruchomieniu systemu"));
    auto* history = named(new QPushButton(QStringLiteral("Lista ostatnich tapet")), "history");
    buttons->addWidget(m_test);
    buttons->addStretch();
    buttons->addWidget(history);
    layout->addLayout(buttons);
    layout->addStretch();

    connect(m_active, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loading)
            return;
        m_settings.active = on;
        updateEnabled();
        if (on)
            emit scheduleChanged();
    });
    connect(m_timed, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loading)
            return;
        m_settings.timed = on;
        updateEnabled();
        if (on)
            emit scheduleChanged();
    });
    connect(m_minutes, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_loading)
            return;
        m_settings.minutes = v;
        emit scheduleChanged();
    });
    connect(m_cpuLimit, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_loading)
            m_settings.cpuLimit = on;
    });
    connect(m_cpuPercent, &QSpinBox::valueChanged, this, [this](int v) {
        if (!m_loading)
            m_settings.cpuPercent = v;
    });
    connect(m_mode, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_loading && i >= 0)
            m_settings.mode = i;
    });
    connect(m_quality, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_loading && i >= 0)
            m_settings.quality = i;
    });
    connect(m_keepAspect, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loading)
            return;
        m_settings.keepAspect = on;
        updateEnabled();
    });
    connect(m_background, &ColourBox::colourChanged, this, [this](Colour c) { m_settings.background = c; });
    connect(add, &QPushButton::clicked, this, &WallpaperPage::addFolderRequested);
    connect(m_remove, &QPushButton::clicked, this, [this] {
        const int row = m_list->currentRow();
        if (row < 0 || row >= m_folders.size())
            return;
        m_folders.removeAt(row);
        showFolders(std::min(row, int(m_folders.size()) - 1));
        emit foldersChanged();
    });
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { updateEnabled(); });
    connect(m_test, &QPushButton::clicked, this, &WallpaperPage::testRequested);
    connect(history, &QPushButton::clicked, this, &WallpaperPage::historyRequested);
    reload();
}

void WallpaperPage::setFolders(const QStringList& folders)
{
    m_folders = folders;
    showFolders(m_folders.isEmpty() ? -1 : 0);
}

bool WallpaperPage::addFolder(const QString& folder)
{
    const QString f = wallpaperFolder(folder);
    if (f.isEmpty() || m_folders.contains(f))
        return false;
    m_folders << f;
    showFolders(int(m_folders.size()) - 1);
    emit foldersChanged();
    return true;
}

void WallpaperPage::showFolders(int select)
{
    m_list->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    for (const QString& f : m_folders)
        m_list->addItem(new QListWidgetItem(icon, f));
    m_list->setCurrentRow(select);
    updateEnabled();
}

void WallpaperPage::reload()
{
    m_loading = true;
    m_active->setChecked(m_settings.active);
    m_timed->setChecked(m_settings.timed);
    m_minutes->setValue(m_settings.minutes);
    m_cpuLimit->setChecked(m_settings.cpuLimit);
    m_cpuPercent->setValue(m_settings.cpuPercent);
    m_mode->setCurrentIndex(std::clamp(m_settings.mode, 0, kWallpaperModeCount - 1));
    m_quality->setCurrentIndex(m_settings.quality == WallpaperSettings::High ? 1 : 0);
    m_keepAspect->setChecked(m_settings.keepAspect);
    m_background->setColour(m_settings.background);
    m_loading = false;
    updateEnabled();
}

void WallpaperPage::updateEnabled()
{
    m_groups->setVisible(m_settings.active);
    m_test->setVisible(m_settings.active);
    m_cpuLimit->setEnabled(m_settings.timed);
    m_cpuPercent->setEnabled(m_settings.timed);
    m_background->setEnabled(m_settings.keepAspect);
    m_remove->setEnabled(m_list->currentRow() >= 0);
}

} // namespace zorvex

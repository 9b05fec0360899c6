#include "ui/reminders/ChimePage.h"

#include "core/app/StartupData.h"
#include "core/common/AddonFolder.h"
#include "core/common/AddonSet.h"
#include "core/common/DataFile.h"
#include "core/reminders/Chime.h"
#include "core/reminders/ChimeSettings.h"
#include "ui/common/Messages.h"
#include "ui/common/SoundFileChooser.h"
#include "ui/common/AddonListMarks.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace zorvex {
namespace {

const QString kCaption = QStringLiteral("Zorvex - Dźwięk co godzinę");
constexpr char kAddOnPage[] = "https://zorvex.pl/dodatki";

// The list is read afresh whenever it is opened, so sets added or removed
// outside the program show up.
class SetComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> aboutToOpen;
    void showPopup() override
    {
        if (aboutToOpen)
            aboutToOpen();
        QComboBox::showPopup();
    }
};

} // namespace

ChimePage::ChimePage(ChimeSettings& settings, Prompts& prompts, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_prompts(prompts)
{
    build();
}

void ChimePage::setCallbacks(Callbacks callbacks)
{
    m_cb = std::move(callbacks);
    SoundFileChooser::Callbacks file;
    file.resolve = [this](const QString& stored) { return m_cb.chosenFile ? m_cb.chosenFile() : stored; };
    file.play = m_cb.playFileTest;
    file.stop = m_cb.closeFilePlayer;
    file.missing = [this](const QString& path) { m_prompts.warning(kCaption, missingFileMessage(path), this); };
    file.chooseFile = m_cb.chooseFile;
    m_fileChooser->setCallbacks(std::move(file));
    reload();
}

void ChimePage::build()
{
    auto* layout = new QVBoxLayout(this);

    m_mode = new QComboBox;
    m_mode->setObjectName(QStringLiteral("mode"));
    m_mode->addItems({QStringLiteral("Nie odtwarzaj"), QStringLiteral("Zestaw dźwięków"),
                      QStringLiteral("Wybrany plik *.wav lub *.mp3")});
    layout->addWidget(m_mode);

    m_setGroup = new QGroupBox(QStringLiteral("Zestaw dźwięków"));
    auto* setLayout = new QVBoxLayout(m_setGroup);
    m_random = new QRadioButton(QStringLiteral("Losowo"));
    m_chosen = new QRadioButton(QStringLiteral("Wybrany"));
    auto* choice = new QButtonGroup(this);
    choice->addButton(m_random);
    choice->addButton(m_chosen);
    setLayout->addWidget(m_random);
    setLayout->addWidget(m_chosen);
    m_chosenPart = new QWidget;
    auto* chosenLayout = new QVBoxLayout(m_chosenPart);
    chosenLayout->setContentsMargins(0, 0, 0, 0);
    auto* listRow = new QHBoxLayout;
    auto* setList = new SetComboBox;
    setList->aboutToOpen = [this] {
        stopSetTest();
        rebuildSetList();
    };
    m_setList = setList;
    useAddonMarks(m_setList);
    m_setList->setObjectName(QStringLiteral("setList"));
    m_setTest = new QPushButton(QStringLiteral("Testuj"));
    m_setTest->setObjectName(QStringLiteral("setTest"));
    m_setTest->setCheckable(true);
    listRow->addWidget(m_setList, 1);
    listRow->addWidget(m_setTest);
    chosenLayout->addLayout(listRow);
    m_deleteSet = new QPushButton(QStringLiteral("Usuń wybrany zestaw dźwięków"));
    m_browseFolder = new QPushButton(QStringLiteral("Przeglądaj folder"));
    m_addOns = new QPushButton(QStringLiteral("Pobierz więcej dodatków"));
    chosenLayout->addWidget(m_deleteSet);
    chosenLayout->addWidget(m_browseFolder);
    chosenLayout->addWidget(m_addOns);
    setLayout->addWidget(m_chosenPart);
    layout->addWidget(m_setGroup);

    m_noSets = new QWidget;
    auto* noSetsLayout = new QVBoxLayout(m_noSets);
    noSetsLayout->addWidget(new QLabel(QStringLiteral("Nie masz żadnych dźwięków.")));
    noSetsLayout->addWidget(new QLabel(QStringLiteral("Możesz je pobrać ze strony:")));
    auto* link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(QLatin1String(kAddOnPage)));
    link->setOpenExternalLinks(true);
    noSetsLayout->addWidget(link);
    layout->addWidget(m_noSets);

    m_fileGroup = new QGroupBox(QStringLiteral("Plik *.wav lub *.mp3"));
    auto* fileLayout = new QHBoxLayout(m_fileGroup);
    m_fileChooser = new SoundFileChooser(m_settings.file, {QStringLiteral("file"), QStringLiteral("browse"),
                                                           QStringLiteral("fileTest")});
    fileLayout->addWidget(m_fileChooser);
    layout->addWidget(m_fileGroup);

    m_volumePart = new QWidget;
    auto* volumeLayout = new QHBoxLayout(m_volumePart);
    volumeLayout->setContentsMargins(0, 0, 0, 0);
    volumeLayout->addWidget(new QLabel(QStringLiteral("Głośność:")));
    m_volume = new QSlider(Qt::Horizontal);
    m_volume->setObjectName(QStringLiteral("volume"));
    m_volume->setRange(0, 100);
    m_volumeText = new QLabel;
    m_volumeText->setObjectName(QStringLiteral("volumeText"));
    volumeLayout->addWidget(m_volume, 1);
    volumeLayout->addWidget(m_volumeText);
    layout->addWidget(m_volumePart);

    m_hoursGroup = new QGroupBox(QStringLiteral("Godziny odtwarzania"));
    auto* hoursLayout = new QVBoxLayout(m_hoursGroup);
    m_wholeDay = new QRadioButton(QStringLiteral("Odtwarzaj całą dobę"));
    m_wholeDay->setObjectName(QStringLiteral("wholeDay"));
    m_range = new QRadioButton(QStringLiteral("Odtwarzaj tylko w wybranym przedziale czasowym:"));
    m_range->setObjectName(QStringLiteral("range"));
    auto* hoursChoice = new QButtonGroup(this);
    hoursChoice->addButton(m_wholeDay);
    hoursChoice->addButton(m_range);
    hoursLayout->addWidget(m_wholeDay);
    hoursLayout->addWidget(m_range);
    auto* rangeRow = new QHBoxLayout;
    m_from = new QComboBox;
    m_from->setObjectName(QStringLiteral("from"));
    m_to = new QComboBox;
    m_to->setObjectName(QStringLiteral("to"));
    for (int h = 0; h < 24; ++h) {
        m_from->addItem(QString::number(h));
        m_to->addItem(QString::number(h));
    }
    auto* fromLabel = new QLabel(QStringLiteral("Od godz.:"));
    auto* toLabel = new QLabel(QStringLiteral("do"));
    auto* inclusive = new QLabel(QStringLiteral("włącznie"));
    rangeRow->addWidget(fromLabel);
    rangeRow->addWidget(m_from);
    rangeRow->addWidget(toLabel);
    rangeRow->addWidget(m_to);
    rangeRow->addWidget(inclusive);
    rangeRow->addStretch();
    hoursLayout->addLayout(rangeRow);
    m_rangeWidgets = {fromLabel, m_from, toLabel, m_to, inclusive};
    layout->addWidget(m_hoursGroup);

    m_optionsGroup = new QGroupBox(QStringLiteral("Opcje"));
    auto* optionsLayout = new QVBoxLayout(m_optionsGroup);
    m_skipFullScreen = new QCheckBox(QStringLiteral("Nie odtwarzaj, jeśli uruchomiona jest aplikacja pełnoekranowa"));
    m_skipFullScreen->setObjectName(QStringLiteral("skipFullScreen"));
    m_fullScreenNote = new QLabel(QStringLiteral("Wykrywanie aplikacji pełnoekranowych działa tylko w sesji X11."));
    m_fullScreenNote->setObjectName(QStringLiteral("fullScreenNote"));
    m_fullScreenNote->setWordWrap(true);
    m_fullScreenNote->hide();
    m_skipPlaylist = new QCheckBox(QStringLiteral("Nie odtwarzaj, jeśli menadżer m3u odtwarza pliki"));
    m_skipRadio = new QCheckBox(QStringLiteral("Nie odtwarzaj, jeśli radio odtwarza stacje radiowe"));
    optionsLayout->addWidget(m_skipFullScreen);
    optionsLayout->addWidget(m_fullScreenNote);
    optionsLayout->addWidget(m_skipPlaylist);
    optionsLayout->addWidget(m_skipRadio);
    layout->addWidget(m_optionsGroup);
    layout->addStretch();

    m_nextHour = new QTimer(this);
    m_nextHour->setSingleShot(true);
    m_nextHour->setInterval(100);
    connect(m_nextHour, &QTimer::timeout, this, &ChimePage::playNextTestHour);

    connect(m_mode, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_loading)
            return;
        // Leaving a mode stops its test.
        if (index != ChimeSettings::Set)
            stopSetTest();
        if (index != ChimeSettings::File)
            stopFileTest();
        m_settings.mode = index;
        updateVisibility();
    });
    connect(m_random, &QRadioButton::toggled, this, [this](bool on) {
        if (m_loading)
            return;
        m_settings.setChoice = on ? ChimeSettings::Random : ChimeSettings::Chosen;
        if (on)
            stopSetTest();
        updateVisibility();
    });
    connect(m_setList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_loading)
            chooseSet(index);
    });
    connect(m_setTest, &QPushButton::toggled, this, &ChimePage::setTestToggled);
    connect(m_deleteSet, &QPushButton::clicked, this, &ChimePage::deleteSet);
    connect(m_browseFolder, &QPushButton::clicked, this, &ChimePage::browseFolder);
    connect(m_addOns, &QPushButton::clicked, this, [this] {
        if (m_cb.openAddOns)
            m_cb.openAddOns();
    });
    connect(m_volume, &QSlider::valueChanged, this, [this](int v) {
        m_volumeText->setText(QString::number(v) + QLatin1Char('%'));
        if (m_loading)
            return;
        m_settings.volume = v;
        if (m_cb.volumeChanged)
            m_cb.volumeChanged(v);
    });
    connect(m_wholeDay, &QRadioButton::toggled, this, [this] { hoursChanged(); });
    connect(m_from, &QComboBox::currentIndexChanged, this, [this] { hoursChanged(); });
    connect(m_to, &QComboBox::currentIndexChanged, this, [this] { hoursChanged(); });
    connect(m_skipFullScreen, &QCheckBox::toggled, this, [this](bool on) { m_settings.skipFullScreen = on; });
    connect(m_skipPlaylist, &QCheckBox::toggled, this, [this](bool on) { m_settings.skipPlaylist = on; });
    connect(m_skipRadio, &QCheckBox::toggled, this, [this](bool on) { m_settings.skipRadio = on; });
}

void ChimePage::reload()
{
    m_loading = true;
    m_mode->setCurrentIndex(std::clamp(m_settings.mode, 0, 2));
    (m_settings.setChoice == ChimeSettings::Random ? m_random : m_chosen)->setChecked(true);
    m_fileChooser->reload();
    m_volume->setValue(m_settings.volume);
    m_volumeText->setText(QString::number(m_settings.volume) + QLatin1Char('%'));
    (m_settings.wholeDay() ? m_wholeDay : m_range)->setChecked(true);
    m_from->setCurrentIndex(m_settings.firstHour);
    m_to->setCurrentIndex(m_settings.lastHour);
    for (QWidget* w : std::as_const(m_rangeWidgets))
        w->setEnabled(!m_settings.wholeDay());
    m_skipFullScreen->setChecked(m_settings.skipFullScreen);
    m_skipPlaylist->setChecked(m_settings.skipPlaylist);
    m_skipRadio->setChecked(m_settings.skipRadio);
    m_loading = false;
    rebuildSetList();
    updateVisibility();
}

void ChimePage::rebuildSetList()
{
    const QString selected = m_setList->currentIndex() >= 0 && m_setList->currentIndex() < m_sets.folders.size()
                               ? m_sets.folders.at(m_setList->currentIndex())
                               : QString();
    m_sets = m_cb.rescanSets ? m_cb.rescanSets() : ChimeSets{};
    m_loading = true;
    m_setList->clear();
    for (qsizetype i = 0; i < m_sets.folders.size(); ++i) {
        const QString folder = m_cb.setFolder ? m_cb.setFolder(m_sets.folders.at(i)) : QString();
        m_setList->addItem(m_sets.displayNames.at(i));
        if (!folder.isEmpty()) {
            // Aged by the newest sound of the set.
            QStringList files;
            for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files))
                files << f.filePath();
            setAddonMarks(m_setList, int(i), addonAgeHours(files, QDateTime::currentDateTime()),
                          addonSetVersion(folder));
        }
    }
    // The selection follows the name when the list was shown before, else
    // the stored position.
    int index = selected.isEmpty() ? clampSetNumber(m_settings.setNumber, static_cast<int>(m_sets.folders.size())) - 1
                                   : static_cast<int>(m_sets.folders.indexOf(selected));
    if (index < 0 && !m_sets.folders.isEmpty())
        index = 0;
    m_setList->setCurrentIndex(index);
    m_loading = false;
    if (index >= 0 && !selected.isEmpty())
        m_settings.setNumber = index + 1;
    updateVisibility();
}

void ChimePage::updateVisibility()
{
    const int mode = m_mode->currentIndex();
    const bool haveSets = !m_sets.folders.isEmpty();
    m_setGroup->setVisible(mode == ChimeSettings::Set && haveSets);
    m_chosenPart->setVisible(m_chosen->isChecked());
    m_noSets->setVisible(mode == ChimeSettings::Set && !haveSets);
    m_fileGroup->setVisible(mode == ChimeSettings::File);
    const bool active = mode != ChimeSettings::Off;
    m_volumePart->setVisible(active);
    m_hoursGroup->setVisible(active);
    m_optionsGroup->setVisible(active);
}

bool ChimePage::chooseInstalledSet(const QString& folder)
{
    const ChimeSets sets = m_cb.rescanSets ? m_cb.rescanSets() : ChimeSets{};
    int found = -1;
    for (qsizetype i = 0; i < sets.folders.size() && found < 0; ++i) {
        if (sets.folders.at(i).compare(folder, Qt::CaseInsensitive) == 0)
            found = int(i);
    }
    if (found < 0)
        return false;
    m_settings.mode = ChimeSettings::Set;
    m_settings.setChoice = ChimeSettings::Chosen;
    m_settings.setNumber = found + 1;
    m_setList->setCurrentIndex(-1); // the stored position decides, not the old name
    reload();
    return true;
}

void ChimePage::chooseSet(int index)
{
    stopSetTest();
    if (index >= 0)
        m_settings.setNumber = index + 1;
}

void ChimePage::setFullScreenAvailable(bool available)
{
    m_skipFullScreen->setEnabled(available);
    m_fullScreenNote->setVisible(!available);
}

bool ChimePage::setTestRunning() const { return m_setTest->isChecked(); }
bool ChimePage::fileTestRunning() const { return m_fileChooser->testRunning(); }

void ChimePage::stopSetTest() { m_setTest->setChecked(false); }

void ChimePage::setTestToggled(bool on)
{
    m_nextHour->stop();
    m_testFilePlaying = false;
    if (on) {
        m_testHour = 0;
        playNextTestHour();
        return;
    }
    if (m_cb.closeSetPlayer)
        m_cb.closeSetPlayer();
}

void ChimePage::playNextTestHour()
{
    if (!m_setTest->isChecked())
        return;
    const int index = m_setList->currentIndex();
    if (m_testHour >= 24 || index < 0 || index >= m_sets.folders.size() || !m_cb.setFolder) {
        stopSetTest();
        return;
    }
    ++m_testHour;
    const QString file = chimeHourFile(m_cb.setFolder(m_sets.folders.at(index)), m_testHour);
    // A file gone since the list was read is skipped, not played.
    if (file.isEmpty()) {
        m_nextHour->start();
        return;
    }
    // Starting it stops what the player played before (a chime, the last
    // hour); that stop is heard while the flag is still down.
    m_testFilePlaying = false;
    if (m_cb.playSetFile)
        m_cb.playSetFile(file);
    m_testFilePlaying = true;
}

void ChimePage::setTestFileEnded()
{
    if (!m_setTest->isChecked() || !m_testFilePlaying)
        return;
    m_testFilePlaying = false;
    m_nextHour->start();
}

void ChimePage::pressFileTest() { m_fileChooser->pressTest(); }

void ChimePage::stopFileTest() { m_fileChooser->stopTest(); }

void ChimePage::fileTestEnded() { m_fileChooser->testEnded(); }

void ChimePage::deleteSet()
{
    const int index = m_setList->currentIndex();
    if (index < 0 || index >= m_sets.folders.size() || !m_cb.setFolder)
        return;
    if (!m_prompts.askYesNo(QStringLiteral("Usuwanie zestawu dźwięków"),
                            QStringLiteral("Na pewno usunąć wybrany zestaw dźwięków?"), this))
        return;
    stopSetTest();
    const QString folder = m_cb.setFolder(m_sets.folders.at(index));
    removeAddonSetFolder(QFileInfo(folder).absolutePath(), QFileInfo(folder).fileName());
    m_sets = {};
    m_setList->clear();
    rebuildSetList();
    const int count = static_cast<int>(m_sets.folders.size());
    if (count > 0) {
        const int keep = std::min(index, count - 1);
        m_setList->setCurrentIndex(keep);
        m_settings.setNumber = keep + 1;
    }
}

void ChimePage::browseFolder()
{
    if (!m_cb.openFolder)
        return;
    const int index = m_setList->currentIndex();
    QString folder = index >= 0 && index < m_sets.folders.size() && m_cb.setFolder
                       ? m_cb.setFolder(m_sets.folders.at(index))
                       : QString();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = m_cb.chimeFolder ? m_cb.chimeFolder() : QString();
    m_cb.openFolder(folder);
}

void ChimePage::hoursChanged()
{
    const bool whole = m_wholeDay->isChecked();
    for (QWidget* w : std::as_const(m_rangeWidgets))
        w->setEnabled(!whole);
    if (m_loading)
        return;
    m_settings.firstHour = whole ? 0 : m_from->currentIndex();
    m_settings.lastHour = whole ? 23 : m_to->currentIndex();
}

} // namespace zorvex

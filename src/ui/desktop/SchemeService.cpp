#include "ui/desktop/SchemeService.h"

#include "core/app/Settings.h"
#include "core/common/AtomicFile.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "core/desktop/SchemeRecord.h"
#include "ui/common/AddonListMarks.h"
#include "ui/common/Messages.h"
#include "ui/desktop/SchemeListBox.h"
#include "ui/desktop/SchemeMinimizePicture.h"
#include "ui/desktop/SchemeSaveDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace zorvex {
namespace {

QToolButton* button(QWidget* parent, const char* name, const char* hint, const char* text)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromUtf8(hint));
    b->setText(QString::fromUtf8(text));
    return b;
}

} // namespace

SchemeService::SchemeService(Settings& settings, const PathTable& paths, const Clock& clock, Prompts& prompts,
                             QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_paths(paths)
    , m_clock(clock)
    , m_prompts(prompts)
{
    buildWidgets();
}

SchemeService::~SchemeService()
{
    delete m_dialog;
}

QString SchemeService::schemesFolder() const
{
    return m_paths.inDataFolder(QStringLiteral("Gfx/Schematy/"));
}

void SchemeService::buildWidgets()
{
    // "Kolory" -> "Schematy kolorów".
    auto* group = new QGroupBox(QStringLiteral("Schematy kolorów"));
    group->setObjectName(QStringLiteral("GroupSchemes"));
    m_coloursGroup = group;
    auto* row = new QHBoxLayout(group);
    auto* schemeBox = new SchemeListBox(group);
    m_schemes = schemeBox;
    m_schemes->setObjectName(QStringLiteral("ComboBoxSchemat"));
    auto* saveScheme = button(group, "BitBtnSaveScheme", "Zapisz schemat kolorów jako...", "Zapisz...");
    auto* deleteScheme = button(group, "BitBtnDeleteScheme", "Usuń wybrany schemat kolorów z listy", "Usuń");
    row->addWidget(new QLabel(QStringLiteral("Schemat:"), group));
    row->addWidget(m_schemes, 1);
    row->addWidget(saveScheme);
    row->addWidget(deleteScheme);

    // "Wygląd": the scheme again and the compositions.
    auto* look = new QGroupBox(QStringLiteral("Kompozycje"));
    look->setObjectName(QStringLiteral("GroupCompositions"));
    m_lookGroup = look;
    auto* form = new QFormLayout(look);
    m_compositions = new QComboBox(look);
    m_compositions->setObjectName(QStringLiteral("ComboBoxKompozycja"));
    auto* saveComposition = button(look, "BitBtnSaveComposition", "Zapisz kompozycję jako...", "Zapisz...");
    m_deleteComposition = button(look, "BitBtnDeleteComposition", "Usuń wybraną kompozycję z listy", "Usuń");
    auto* compositionRow = new QHBoxLayout;
    compositionRow->addWidget(m_compositions, 1);
    compositionRow->addWidget(saveComposition);
    compositionRow->addWidget(m_deleteComposition);
    form->addRow(QStringLiteral("Kompozycja:"), compositionRow);
    auto* lookSchemeBox = new SchemeListBox(look);
    m_lookSchemes = lookSchemeBox;
    m_lookSchemes->setObjectName(QStringLiteral("ComboBoxSchematKolorow"));
    auto* lookDelete = button(look, "BitBtnDeleteLookScheme", "Usuń wybrany schemat kolorów z listy", "Usuń");
    auto* schemeRow = new QHBoxLayout;
    schemeRow->addWidget(m_lookSchemes, 1);
    schemeRow->addWidget(lookDelete);
    form->addRow(QStringLiteral("Schemat kolorów:"), schemeRow);
    m_deleteSchemeButtons = {deleteScheme, lookDelete};

    for (QComboBox* list : {m_schemes, m_lookSchemes, m_compositions})
        useAddonMarks(list);
    for (QComboBox* list : {m_schemes, m_lookSchemes}) {
        connect(list, &QComboBox::activated, this, [this](int index) { applyScheme(index); });
    }
    for (SchemeListBox* box : {schemeBox, lookSchemeBox})
        box->aboutToDropDown = [this] { rebuildKeepingChoice(); };
    connect(m_compositions, &QComboBox::activated, this, [this](int index) { applyComposition(index); });
    connect(saveScheme, &QToolButton::clicked, this, &SchemeService::openSaveScheme);
    connect(saveComposition, &QToolButton::clicked, this, &SchemeService::openSaveComposition);
    connect(deleteScheme, &QToolButton::clicked, this, &SchemeService::deleteScheme);
    connect(lookDelete, &QToolButton::clicked, this, &SchemeService::deleteScheme);
    connect(m_deleteComposition, &QToolButton::clicked, this, &SchemeService::deleteComposition);

    m_dialog = new SchemeSaveDialog;
    m_dialog->save = [this](SchemeSaveDialog::Mode mode, const QString& name) {
        return mode == SchemeSaveDialog::Mode::Scheme ? saveSchemeAs(name) : saveCompositionAs(name);
    };
    connect(m_dialog, &QDialog::finished, this, [this] { hooks.enableTools(true); });
}

bool SchemeService::ask(const QString& caption, const QString& text)
{
    return m_prompts.askYesNo(caption, text, m_dialog->isVisible() ? m_dialog : nullptr);
}

void SchemeService::warn(const QString& caption, const QString& text)
{
    m_prompts.window(QMessageBox::Warning, caption, text, false);
}

void SchemeService::loadChosenFonts()
{
    m_fonts.load(schemeFolderIn(schemesFolder(), m_settings.main.colourSchemeName));
}

void SchemeService::start()
{
    // A picture run changes no file.
    if (!fileChangesSuspended())
        convertLegacySchemes(m_paths.path(PathId::Kolory), schemesFolder());
    buildSchemeList();
    const int stored = m_settings.main.colourSchemeIndex;
    fillSchemeLists(stored >= 0 && stored < m_list.size() ? stored : 0);
    reloadCompositions();
    fillCompositionList(chosenComposition(m_compositionLines, m_settings.main.compositionName));
}

void SchemeService::buildSchemeList()
{
    m_list = zorvex::buildSchemeList(schemesFolder(), m_clock.now());
}

void SchemeService::rebuildKeepingChoice()
{
    const QString current = m_schemes->currentText();
    buildSchemeList();
    int at = 0;
    for (int i = 1; i < m_list.size(); ++i) {
        if (m_list.at(i).name == current)
            at = i;
    }
    fillSchemeLists(at);
}

void SchemeService::fillSchemeLists(int selected)
{
    m_filling = true;
    for (QComboBox* list : {m_schemes, m_lookSchemes}) {
        list->clear();
        for (int i = 0; i < m_list.size(); ++i) {
            list->addItem(m_list.at(i).name);
            if (i > 0)
                setAddonMarks(list, i, m_list.at(i).ageHours, m_list.at(i).version);
        }
        list->setCurrentIndex(selected);
    }
    m_filling = false;
    updateButtons();
}

void SchemeService::fillCompositionList(int selected)
{
    m_filling = true;
    m_compositions->clear();
    const QDateTime now = m_clock.now();
    for (int i = 0; i < m_compositionLines.size(); ++i) {
        const QString& line = m_compositionLines.at(i);
        m_compositions->addItem(compositionField(line, composition::Name));
        if (i > 0)
            setAddonMarks(m_compositions, i, compositionAgeHours(line, now),
                          compositionField(line, composition::Version));
    }
    m_compositions->setCurrentIndex(selected);
    m_filling = false;
    updateButtons();
}

void SchemeService::updateButtons()
{
    for (QToolButton* b : std::as_const(m_deleteSchemeButtons))
        b->setEnabled(m_schemes->currentIndex() > 0);
    m_deleteComposition->setEnabled(m_compositions->currentIndex() > 0);
}

void SchemeService::applyScheme(int index)
{
    if (index < 0 || index >= m_list.size())
        return;
    const SchemeEntry& entry = m_list.at(index);
    MainWindowSettings& s = m_settings.main;
    for (QComboBox* list : {m_schemes, m_lookSchemes}) {
        if (list->currentIndex() != index)
            list->setCurrentIndex(index);
    }
    updateButtons();
    s.colourSchemeIndex = index;
    s.colourSchemeName = entry.name;
    const QString folder = schemeFolderIn(schemesFolder(), entry.name);
    const QString minimize = schemeMinimizePicture(folder);
    s.minimizeButtonSet = minimize.isEmpty() ? QString() : QDir(m_paths.dataFolder()).relativeFilePath(minimize);
    m_fonts.load(folder);
    applySchemeRecord(entry.record, s);
    hooks.applyLook();
    loadMinimizePicture();
    emit schemeApplied();
}

void SchemeService::loadMinimizePicture()
{
    if (!hooks.minimizePictures)
        return;
    const MainWindowSettings& s = m_settings.main;
    QString file;
    if (!s.minimizeButtonSet.isEmpty()) {
        file = QDir(m_paths.dataFolder()).filePath(s.minimizeButtonSet);
        if (!QFileInfo(file).isFile())
            file.clear();
    }
    if (file.isEmpty())
        file = schemeMinimizePicture(schemeFolderIn(schemesFolder(), s.colourSchemeName));
    const MinimizePictures pictures = loadMinimizePictures(file, s.background);
    hooks.minimizePictures(pictures.normal, pictures.hover, pictures.pressed);
}

void SchemeService::openSaveScheme()
{
    const int index = m_schemes->currentIndex();
    hooks.enableTools(false);
    m_dialog->open(SchemeSaveDialog::Mode::Scheme, index > 0 ? m_list.at(index).name : QString());
}

void SchemeService::openSaveComposition()
{
    const int index = m_compositions->currentIndex();
    hooks.enableTools(false);
    m_dialog->open(SchemeSaveDialog::Mode::Composition,
                   index > 0 ? compositionField(m_compositionLines.at(index), composition::Name) : QString());
}

bool SchemeService::saveSchemeAs(const QString& name)
{
    bool exists = false;
    for (int i = 1; i < m_list.size(); ++i)
        exists = exists || m_list.at(i).name == name;
    if (exists && !ask(QStringLiteral("Zapisywanie schematu kolorów"), QStringLiteral("Zastąpić istniejący schemat?")))
        return false;
    SchemeSave save;
    save.schemesFolder = schemesFolder();
    save.name = name;
    save.record = schemeRecordFromSettings(name, m_settings.main);
    save.currentScheme = m_settings.main.colourSchemeName;
    save.skinName = m_settings.main.skinPicture;
    QString error;
    if (!saveScheme(save, &error)) {
        warn(QStringLiteral("Zapisywanie schematu..."), QStringLiteral("Wystąpił problem podczas zapisu schematu"));
        return false;
    }
    buildSchemeList();
    int at = 0;
    for (int i = 1; i < m_list.size(); ++i) {
        if (m_list.at(i).name == name)
            at = i;
    }
    fillSchemeLists(at);
    m_settings.main.colourSchemeIndex = at;
    m_settings.main.colourSchemeName = m_list.at(at).name;
    return true;
}

bool SchemeService::saveCompositionAs(const QString& name)
{
    if (findComposition(m_compositionLines, name) > 0
        && !ask(QStringLiteral("Zapisywanie kompozycji"), QStringLiteral("Zastąpić istniejącą kompozycję?")))
        return false;
    // Stored into the file as it is now: an add-on may have added to it.
    reloadCompositions();
    CompositionParts parts = hooks.currentAddons ? hooks.currentAddons() : CompositionParts{};
    parts.name = name;
    const int scheme = m_schemes->currentIndex();
    parts.scheme = scheme > 0 ? m_list.at(scheme).name : QString();
    const int at = storeComposition(m_compositionLines, compositionLine(parts, m_clock.now()));
    m_settings.main.compositionName = m_compositionLines.at(at);
    fillCompositionList(at);
    m_compositionsChanged = true;
    writeCompositions();
    return true;
}

void SchemeService::deleteScheme()
{
    const int index = m_schemes->currentIndex();
    if (index <= 0 || index >= m_list.size())
        return;
    if (!ask(QStringLiteral("Usuwanie schematu kolorów"), QStringLiteral("Na pewno usunąć wybrany schemat z listy?")))
        return;
    QString error;
    if (!removeAddonSetFolder(schemesFolder(), m_list.at(index).name, &error)) {
        m_prompts.error(error);
        return;
    }
    buildSchemeList();
    const int keep = std::min(index, int(m_list.size()) - 1);
    fillSchemeLists(keep);
    applyScheme(keep);
}

void SchemeService::deleteComposition()
{
    const int index = m_compositions->currentIndex();
    if (index <= 0 || index >= m_compositionLines.size())
        return;
    if (!ask(QStringLiteral("Usuwanie kompozycji"), QStringLiteral("Na pewno usunąć wybraną kompozycję z listy?")))
        return;
    const QString name = compositionField(m_compositionLines.at(index), composition::Name);
    reloadCompositions();
    const int at = findComposition(m_compositionLines, name);
    if (at > 0)
        m_compositionLines.removeAt(at);
    m_compositionsChanged = true;
    const int keep = std::min(index, int(m_compositionLines.size()) - 1);
    fillCompositionList(keep);
    applyComposition(keep);
}

void SchemeService::applyComposition(int index)
{
    if (index < 0 || index >= m_compositionLines.size())
        return;
    const QString line = m_compositionLines.at(index);
    m_settings.main.compositionName = line;
    if (m_compositions->currentIndex() != index)
        m_compositions->setCurrentIndex(index);
    updateButtons();
    // The lists are read again: a set may have come or gone since.
    buildSchemeList();
    AvailableAddons available = hooks.availableAddons ? hooks.availableAddons() : AvailableAddons{};
    for (int i = 1; i < m_list.size(); ++i)
        available.schemes << m_list.at(i).name;
    const CompositionPlan plan = planComposition(line, available);
    int scheme = 0;
    for (int i = 1; i < m_list.size(); ++i) {
        if (m_list.at(i).name == plan.scheme)
            scheme = i;
    }
    fillSchemeLists(scheme);
    applyScheme(scheme);
    hooks.applyAddons(plan);
    if (!plan.missing.isEmpty())
        warn(compositionCaption(plan.name), missingAddonsText(plan.missing));
}

void SchemeService::chooseInstalledScheme(const QString& name)
{
    buildSchemeList();
    for (int i = 1; i < m_list.size(); ++i) {
        if (m_list.at(i).name.compare(name, Qt::CaseInsensitive) == 0) {
            fillSchemeLists(i);
            applyScheme(i);
            return;
        }
    }
    fillSchemeLists(std::max(0, m_schemes->currentIndex()));
}

void SchemeService::chooseInstalledComposition(const QString& line)
{
    reloadCompositions();
    const int at = findComposition(m_compositionLines, compositionField(line, composition::Name));
    fillCompositionList(std::max(at, 0));
    if (at > 0)
        applyComposition(at);
}

void SchemeService::reloadCompositions()
{
    m_compositionLines = loadCompositions(m_paths.path(PathId::Kompozycje), &m_compositionsReplaceable);
}

void SchemeService::writeCompositions()
{
    // Only a list changed here is written: the add-on installer adds to the
    // file too, and a list that could not be read whole is not written from
    // half of it.
    if (!m_compositionsChanged || !m_compositionsReplaceable)
        return;
    if (saveCompositions(m_paths.path(PathId::Kompozycje), m_compositionLines))
        m_compositionsChanged = false;
}

void SchemeService::shutdownStep(ShutdownStepId step, const QDate&)
{
    if (step == ShutdownStepId::UnloadSchemeFonts)
        m_fonts.unload();
}

} // namespace zorvex

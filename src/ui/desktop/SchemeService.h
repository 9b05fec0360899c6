#pragma once

#include "core/desktop/Compositions.h"
#include "core/desktop/SchemeStore.h"
#include "core/shell/LoopServices.h"
#include "ui/desktop/SchemeFonts.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QComboBox;
class QToolButton;
class QWidget;

namespace zorvex {

class Prompts;

class Clock;
class PathTable;
class SchemeSaveDialog;
struct Settings;

// Colour schemes and compositions: the group "Schematy kolorów" of the page
// "Kolory", the scheme and composition lists of the page "Wygląd" (the two
// scheme lists stay on the same entry), the save window TForm31, the
// schemes' fonts and the minimize button's picture.
class SchemeService : public QObject, public ShutdownService {
    Q_OBJECT
public:
    SchemeService(Settings& settings, const PathTable& paths, const Clock& clock, Prompts& prompts,
                  QObject* parent = nullptr);
    ~SchemeService() override;

    // What the service asks of the rest of the program.
    struct Hooks {
        // The look after the settings changed: colours, background, fonts,
        // gauges, the playback panel, the weather icon, the colours page.
        std::function<void()> applyLook = [] {};
        // The minimize button's pictures (normal, pointer over, pressed).
        std::function<void(const QImage& normal, const QImage& hover, const QImage& pressed)> minimizePictures;
        // The sets a composition may name, and the choices it makes, each as
        // if the user had chosen it (an empty name is the default entry).
        std::function<AvailableAddons()> availableAddons;
        std::function<void(const CompositionPlan& plan)> applyAddons = [](const CompositionPlan&) {};
        // The current choices of the other lists (weather, skin, disk icon,
        // time of day; zodiac from the settings), for saving a composition.
        std::function<CompositionParts()> currentAddons;
        // The Tools window is disabled while the save window is open.
        std::function<void(bool enabled)> enableTools = [](bool) {};
    };
    Hooks hooks;

    // The group for the page "Kolory" and the part for the page "Wygląd".
    QWidget* coloursGroup() const { return m_coloursGroup; }
    QWidget* lookGroup() const { return m_lookGroup; }
    QComboBox* schemeList() const { return m_schemes; }       // "Schemat:"
    QComboBox* lookSchemeList() const { return m_lookSchemes; } // "Schemat kolorów:"
    QComboBox* compositionList() const { return m_compositions; }
    SchemeSaveDialog* saveDialog() const { return m_dialog; }

    // At settings load: the chosen scheme's fonts.
    void loadChosenFonts();
    // When the Tools window is created: the legacy list converted, both
    // lists filled and the stored entries selected; nothing applied.
    void start();

    void buildSchemeList();
    void applyScheme(int index);
    void applyComposition(int index);
    void openSaveScheme();
    void openSaveComposition();
    bool saveSchemeAs(const QString& name);
    bool saveCompositionAs(const QString& name);
    void deleteScheme();
    void deleteComposition();
    // LoadMinimizePicture with the background colour.
    void loadMinimizePicture();
    // An add-on just installed: the scheme of that name, or the composition
    // of that line (the file has it already), chosen as the user would.
    void chooseInstalledScheme(const QString& name);
    void chooseInstalledComposition(const QString& line);
    // The list writer: "Kompozycje.ini" with the other settings.
    void writeCompositions();

    const QList<SchemeEntry>& schemes() const { return m_list; }
    const QStringList& compositions() const { return m_compositionLines; }
    const SchemeFonts& fonts() const { return m_fonts; }

    void shutdownStep(ShutdownStepId step, const QDate& today) override;

signals:
    void schemeApplied();

private:
    void buildWidgets();
    void fillSchemeLists(int selected);
    void rebuildKeepingChoice();
    void reloadCompositions();
    void fillCompositionList(int selected);
    void updateButtons();
    QString schemesFolder() const;
    bool ask(const QString& caption, const QString& text);
    void warn(const QString& caption, const QString& text);

    Settings& m_settings;
    const PathTable& m_paths;
    const Clock& m_clock;
    Prompts& m_prompts;
    SchemeFonts m_fonts;
    QList<SchemeEntry> m_list;
    QStringList m_compositionLines;
    bool m_compositionsReplaceable = true;
    bool m_compositionsChanged = false;
    bool m_filling = false;

    QWidget* m_coloursGroup = nullptr;
    QWidget* m_lookGroup = nullptr;
    QComboBox* m_schemes = nullptr;
    QComboBox* m_lookSchemes = nullptr;
    QComboBox* m_compositions = nullptr;
    QList<QToolButton*> m_deleteSchemeButtons;
    QToolButton* m_deleteComposition = nullptr;
    SchemeSaveDialog* m_dialog = nullptr;
};

} // namespace zorvex

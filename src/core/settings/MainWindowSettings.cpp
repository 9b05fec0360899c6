#include "core/settings/MainWindowSettings.h"

namespace zorvex {
namespace {

FontValue tahoma(int size)
{
    return FontValue{QStringLiteral("Tahoma"), size, FontValue::Bold, 238};
}

// Keys numbered from 1 with a fixed width, e.g. "KT01" or "M7".
QByteArray numberedKey(const char* prefix, int n, int width)
{
    return QByteArray(prefix) + QByteArray::number(n).rightJustified(width, '0');
}

} // namespace

void MainWindowSettings::visit(SettingsVisitor& v)
{
    v.integer("Pozycja", placement, 4, 1, 5);
    v.integer("PozycjaX", left, 0);
    v.integer("PozycjaY", top, 0);
    v.boolean("PozycjaZ", positionLocked, false);
    static constexpr Colour ktDefaults[10] = {0, 0, 0, 0, 0, 128, 255, 0, 0, 0};
    for (int i = 0; i < 10; ++i)
        v.colour(numberedKey("KT", i + 1, 2).constData(), textColours[i], ktDefaults[i]);
    v.colour("Kolor_B", background, 16760400);
    v.colour("Kolor_B_PO", playbackPanelBackground, 16760400);
    v.colour("Kolor_PR", gaugeLowColour, 255);
    v.colour("Kolor_PY", gaugeMiddleColour, 65535);
    v.colour("Kolor_PG", gaugeHighColour, 65280);
    v.colour("Kolor_PB", infoPanelBackground, 16777215);
    v.boolean("NaWierzchu", alwaysOnTop, false);
    v.boolean("UNaWierzchu", toolsOnTopForChart, false);
    v.boolean("Wykres", chartsRunLeft, true);
    v.boolean("WykresAkt", chartsActive, false);
    v.integer("WykresCz", uptimeChartKind, 0, 0, 1);
    v.boolean("Panel1", clockPanelVisible, true);
    v.boolean("Panel2", textPanelVisible, true);
    v.boolean("Panel3", memoryPanelsVisible, true);
    v.boolean("Panel4", cpuPanelVisible, true);
    v.boolean("Panel5", transferPanelVisible, true);
    v.integer("Panel5a", transferPanelDirection, 0, 0, 1);
    v.boolean("Panel6", playbackPanelVisible, false);
    v.boolean("Panel7", zodiacVisible, true);
    v.boolean("PanelRamW", ramPanelShowsFree, true);
    v.boolean("PanelSwapW", swapPanelShowsFree, false);
    v.integer("Kolor_TN", trayIconKind, 2, 0, 5);
    v.boolean("PrzyciskM", trayButtonVisible, true);
    v.boolean("UruZmin", startMinimized, false);
    v.boolean("Kolor_BC", plainBackground, true);
    v.boolean("Kolor_BCC", backgroundShadow, true);
    v.text("Kolor_BT", skinPicture, QString());
    v.colour("Kolor_T1", trayCpuColour, 65280);
    v.colour("Kolor_T2", trayFreeRamColour, 65535);
    v.colour("Kolor_T3", trayUsedSwapColour, 16776960);
    v.colour("Kolor_T4", trayTransferTextColour, 0);
    v.colour("Kolor_WD2", importantDayColour, 7462140);
    v.colour("Kolor_Uro", birthdayColour, 65280);
    v.colour("Kolor_Imi", nameDayColour, 16776960);
    v.colour("Kolor_Pry", privateDayColour, 16777215);
    v.colour("Kolor_AD2", todayFrameColour, 16711680);
    v.text("Kolor_Kol", markingPrecedence, QStringLiteral("1234"));
    v.integer("Kolor_Schemat", colourSchemeIndex, 0);
    v.text("Schemat_Nazwa", colourSchemeName, QStringLiteral("Domyślny"));
    v.text("Kompozycja", compositionName, QString());
    v.boolean("Menu_Klony", menuDiscImages, true);
    v.boolean("Menu_IkonyPulpitu", menuDesktopIcons, true);
    v.boolean("BlendA", translucent, false);
    v.integer("BlendW", opacity, 255, 1, 255);
    for (int i = 0; i < kMenuEntries; ++i)
        v.integer(numberedKey("M", i + 1, 1).constData(), menuEntries[i], -1);
    for (int i = 0; i < 3; ++i)
        v.integer(numberedKey("P", i + 1, 1).constData(), infoRows[i], i + 1);
    for (int i = 0; i < 3; ++i)
        v.integer(numberedKey("PG", i + 1, 1).constData(), panelOrder[i], i + 1);
    v.integer("Priorytet", priority, 3, 0, 3);
    v.text("Zakladka", toolsPageIndexes, QStringLiteral("0|0|0|0|0|0|0|0|0|0|0"));
    v.integer("ZakladkaS", toolsButtonBarScroll, 0);
    v.text("NiePokazujKom", todayWindowMutedOn, QString());
    v.dateTime("OstPokCP", upcomingLastShown, kNever); // when the upcoming dates were last shown
    v.integer("Dyski", diskPanelMode, 0, 0, 3);
    v.text("DyskStyl", diskIconSet, QString());
    v.boolean("DyskiSuma", diskSum, false);
    v.boolean("DyskiWymienne", removableDisks, false);
    v.integer("DyskiWymienneJ", removableDisksInGb, 0);
    v.integer("ImSePredkosc", scrollSpeed, 1, 1, 4);
    v.text("Update", oldDataListState, QString());
    v.dateTime("OstatnioSpr", lastDataCheck, kNever);
    v.boolean("Przelaczanie", monthArrows, true);
    v.boolean("TrayMinimize", trayMinimize, true);
    v.boolean("TrayIconProtect", trayIconProtect, false);
    v.integer("TrayTransfer", trayTransferDirection, 0, 0, 1);
    v.boolean("PokazSiatke", gridLines, true);
    v.boolean("PokazRamke", windowFrame, true);
    v.boolean("PaskiCien", shadedGauges, true);
    v.integer("ZodiakTyp", zodiacFixedPicture, 0);
    v.text("ZodiakStyl1", zodiacSignSet, QString());
    v.text("ZodiakStyl2", zodiacPicture, QString());
    v.text("MinimizeStyl", minimizeButtonSet, QString());
    v.text("PoraStyl", timeOfDaySet, QString());
    v.font("Font1", clockFont, tahoma(11));
    v.font("Font2", textPanelFont, tahoma(10));
    v.font("Font3", infoLabelFont, tahoma(10));
}

} // namespace zorvex

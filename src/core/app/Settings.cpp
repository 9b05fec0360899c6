#include "core/app/Settings.h"

namespace zorvex {
namespace {

class DefaultsVisitor : public SettingsVisitor {
public:
    void boolean(const char*, bool& v, bool def) override { v = def; }
    void integer(const char*, int& v, int def, int, int) override { v = def; }
    void colour(const char*, int& v, int def) override { v = def; }
    void text(const char*, QString& v, const QString& def) override { v = def; }
    void date(const char*, DayTime& v, DayTime def) override { v = def; }
    void dateTime(const char*, DayTime& v, DayTime def) override { v = def; }
    void real(const char*, double& v, double def) override { v = def; }
    void font(const char*, FontValue& v, const FontValue& def) override { v = def; }
};

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
    v.integer("Pozycja", pozycja, 4, 1, 5);
    v.integer("PozycjaX", pozycjaX, 0);
    v.integer("PozycjaY", pozycjaY, 0);
    v.boolean("PozycjaZ", pozycjaZ, false);
    static constexpr Colour ktDefaults[10] = {0, 0, 0, 0, 0, 128, 255, 0, 0, 0};
    for (int i = 0; i < 10; ++i)
        v.colour(numberedKey("KT", i + 1, 2).constData(), kt[i], ktDefaults[i]);
    v.colour("Kolor_B", kolorB, 16760400);
    v.colour("Kolor_B_PO", kolorBPO, 16760400);
    v.colour("Kolor_PR", kolorPR, 255);
    v.colour("Kolor_PY", kolorPY, 65535);
    v.colour("Kolor_PG", kolorPG, 65280);
    v.colour("Kolor_PB", kolorPB, 16777215);
    v.boolean("NaWierzchu", naWierzchu, false);
    v.boolean("UNaWierzchu", uNaWierzchu, false);
    v.boolean("Wykres", wykres, true);
    v.boolean("WykresAkt", wykresAkt, false);
    v.integer("WykresCz", wykresCz, 0, 0, 1);
    v.boolean("Panel1", panel1, true);
    v.boolean("Panel2", panel2, true);
    v.boolean("Panel3", panel3, true);
    v.boolean("Panel4", panel4, true);
    v.boolean("Panel5", panel5, true);
    v.integer("Panel5a", panel5a, 0, 0, 1);
    v.boolean("Panel6", panel6, false);
    v.boolean("Panel7", panel7, true);
    v.boolean("PanelRamW", panelRamW, true);
    v.boolean("PanelSwapW", panelSwapW, false);
    v.integer("Kolor_TN", kolorTN, 2, 0, 5);
    v.boolean("PrzyciskM", przyciskM, true);
    v.boolean("UruZmin", uruZmin, false);
    v.boolean("Kolor_BC", kolorBC, true);
    v.boolean("Kolor_BCC", kolorBCC, true);
    v.text("Kolor_BT", kolorBT, QString());
    v.colour("Kolor_T1", kolorT1, 65280);
    v.colour("Kolor_T2", kolorT2, 65535);
    v.colour("Kolor_T3", kolorT3, 16776960);
    v.colour("Kolor_T4", kolorT4, 0);
    v.colour("Kolor_WD2", kolorWD2, 7462140);
    v.colour("Kolor_Uro", kolorUro, 65280);
    v.colour("Kolor_Imi", kolorImi, 16776960);
    v.colour("Kolor_Pry", kolorPry, 16777215);
    v.colour("Kolor_AD2", kolorAD2, 16711680);
    v.text("Kolor_Kol", kolorKol, QStringLiteral("1234"));
    v.integer("Kolor_Schemat", kolorSchemat, 0);
    v.text("Schemat_Nazwa", schematNazwa, QStringLiteral("Domyślny"));
    v.text("Kompozycja", kompozycja, QString());
    v.boolean("Menu_Klony", menuKlony, true);
    v.boolean("Menu_IkonyPulpitu", menuIkonyPulpitu, true);
    v.boolean("BlendA", blendA, false);
    v.integer("BlendW", blendW, 255, 1, 255);
    for (int i = 0; i < kMenuEntries; ++i)
        v.integer(numberedKey("M", i + 1, 1).constData(), m[i], -1);
    for (int i = 0; i < 3; ++i)
        v.integer(numberedKey("P", i + 1, 1).constData(), p[i], i + 1);
    for (int i = 0; i < 3; ++i)
        v.integer(numberedKey("PG", i + 1, 1).constData(), pg[i], i + 1);
    v.integer("Priorytet", priorytet, 3, 0, 3);
    v.text("Zakladka", zakladka, QStringLiteral("0|0|0|0|0|0|0|0|0|0|0"));
    v.integer("ZakladkaS", zakladkaS, 0);
    v.text("NiePokazujKom", niePokazujKom, QString());
    v.dateTime("OstPokCP", ostPokCP, kNever); // when the upcoming dates were last shown
    v.integer("Dyski", dyski, 0, 0, 3);
    v.text("DyskStyl", dyskStyl, QString());
    v.boolean("DyskiSuma", dyskiSuma, false);
    v.boolean("DyskiWymienne", dyskiWymienne, false);
    v.integer("DyskiWymienneJ", dyskiWymienneJ, 0);
    v.integer("ImSePredkosc", imSePredkosc, 1, 1, 4);
    v.text("Update", update, QString());
    v.dateTime("OstatnioSpr", ostatnioSpr, kNever);
    v.boolean("Przelaczanie", przelaczanie, true);
    v.boolean("TrayMinimize", trayMinimize, true);
    v.boolean("TrayIconProtect", trayIconProtect, false);
    v.integer("TrayTransfer", trayTransfer, 0, 0, 1);
    v.boolean("PokazSiatke", pokazSiatke, true);
    v.boolean("PokazRamke", pokazRamke, true);
    v.boolean("PaskiCien", paskiCien, true);
    v.integer("ZodiakTyp", zodiakTyp, 0);
    v.text("ZodiakStyl1", zodiakStyl1, QString());
    v.text("ZodiakStyl2", zodiakStyl2, QString());
    v.text("MinimizeStyl", minimizeStyl, QString());
    v.text("PoraStyl", poraStyl, QString());
    v.font("Font1", font1, tahoma(11));
    v.font("Font2", font2, tahoma(10));
    v.font("Font3", font3, tahoma(10));
}

void ToolsSettings::visit(SettingsVisitor& v)
{
    v.boolean("Lista", lista, true);
    v.colour("Kolor", kolor, 15793151);
    v.colour("KolorT", kolorT, 0);
    v.boolean("Cien", cien, true);
    v.boolean("Aktualizacja", aktualizacja, true);
    v.integer("AktualizacjaCoIle", aktualizacjaCoIle, 0);
    v.date("AktualizacjaData", aktualizacjaData, kNever);
    v.text("KopiaSci", kopiaSci, QString());
    v.boolean("AutoSave", autoSave, true);
    v.integer("AutoSaveMin", autoSaveMin, 10, 1, 15000);
}

Settings::Settings()
{
    resetToDefaults();
}

std::vector<SettingsSection*> Settings::sections()
{
    return {&main, &tools, &tray, &solenizant, &inne, &prywatne, &wazneDatyPow, &chime,
            &czas, &uptimeCost, &ruchMyszy, &siec, &siecWykres};
}

void resetToDefaults(SettingsSection& section)
{
    DefaultsVisitor d;
    section.visit(d);
}

void Settings::resetToDefaults()
{
    for (SettingsSection* s : sections())
        zorvex::resetToDefaults(*s);
}

} // namespace zorvex

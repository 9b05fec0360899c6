#include "core/app/SettingsStore.h"

#include "core/app/TrayIconModel.h"
#include "core/common/IniFile.h"
#include "core/common/PathTable.h"

#include <QFileInfo>

#include <algorithm>

namespace zorvex {
namespace {

QString key(const char* k)
{
    return QString::fromUtf8(k);
}

class LoadVisitor : public SettingsVisitor {
public:
    LoadVisitor(const IniFile& ini, QString section)
        : m_ini(ini)
        , m_section(std::move(section))
    {
    }
    void boolean(const char* k, bool& v, bool def) override { v = m_ini.readBool(m_section, key(k), def); }
    void integer(const char* k, int& v, int def, int min, int max) override
    {
        v = std::clamp(m_ini.readInteger(m_section, key(k), def), min, max);
    }
    void colour(const char* k, int& v, int def) override { v = m_ini.readInteger(m_section, key(k), def); }
    void text(const char* k, QString& v, const QString& def) override { v = m_ini.readString(m_section, key(k), def); }
    void date(const char* k, DayTime& v, DayTime def) override { v = m_ini.readDateTime(m_section, key(k), def); }
    void dateTime(const char* k, DayTime& v, DayTime def) override { v = m_ini.readDateTime(m_section, key(k), def); }
    void real(const char* k, double& v, double def) override { v = m_ini.readReal(m_section, key(k), def); }
    void font(const char* k, FontValue& v, const FontValue& def) override
    {
        v = m_ini.readFont(m_section, key(k)).value_or(def);
    }

private:
    const IniFile& m_ini;
    QString m_section;
};

class SaveVisitor : public SettingsVisitor {
public:
    SaveVisitor(IniFile& ini, QString section, QChar decimal)
        : m_ini(ini)
        , m_section(std::move(section))
        , m_decimal(decimal)
    {
    }
    void boolean(const char* k, bool& v, bool) override { m_ini.writeBool(m_section, key(k), v); }
    void integer(const char* k, int& v, int, int, int) override { m_ini.writeInteger(m_section, key(k), v); }
    void colour(const char* k, int& v, int) override { m_ini.writeInteger(m_section, key(k), v); }
    void text(const char* k, QString& v, const QString&) override { m_ini.writeString(m_section, key(k), v); }
    void date(const char* k, DayTime& v, DayTime) override { m_ini.writeDate(m_section, key(k), v); }
    void dateTime(const char* k, DayTime& v, DayTime) override { m_ini.writeDateTime(m_section, key(k), v); }
    void real(const char* k, double& v, double) override { m_ini.writeReal(m_section, key(k), v, m_decimal); }
    void font(const char* k, FontValue& v, const FontValue&) override { m_ini.writeFont(m_section, key(k), v); }

private:
    IniFile& m_ini;
    QString m_section;
    QChar m_decimal;
};

// M1..M43 all empty: the menu list of a first run, and of a file without M24.
void writeEmptyMenuList(IniFile& ini)
{
    for (int i = 1; i <= kMenuEntries; ++i)
        ini.writeInteger(QStringLiteral("Vuzuvured"), QLatin1Char('M') + QString::number(i), -1);
}

bool inRange(const std::array<int, 3>& values)
{
    return std::all_of(values.begin(), values.end(), [](int v) { return v >= 1 && v <= 3; });
}

} // namespace

SettingsStore::SettingsStore(QString path, QChar decimalSeparator)
    : m_path(std::move(path))
    , m_decimal(decimalSeparator)
{
}

bool SettingsStore::exists() const
{
    return QFileInfo::exists(m_path);
}

bool SettingsStore::readForRewrite(IniFile& ini) const
{
    bool readable = false;
    ini = IniFile::load(m_path, &readable);
    // A file that exists but cannot be read would be replaced by one holding
    // only the keys of this pass; every other setting would be lost.
    return readable || !QFileInfo::exists(m_path);
}

bool SettingsStore::update(const std::function<void(IniFile&)>& change) const
{
    IniFile ini;
    if (!readForRewrite(ini))
        return false;
    change(ini);
    return ini.save(m_path);
}

bool SettingsStore::writeFirstRunDefaults(const FirstRunContext& ctx) const
{
    IniFile ini;
    struct Value {
        const char* key;
        QString value;
    };
    auto put = [&ini](const char* section, std::initializer_list<Value> values) {
        for (const Value& v : values)
            ini.writeString(key(section), key(v.key), v.value);
    };
    const QString zeroDate = formatDate(kNever);
    const QString zeroDateTime = formatDateTime(kNever);
    auto n = [](int v) { return QString::number(v); };
    auto real = [&ctx](const char* text) {
        QString t = QString::fromLatin1(text);
        return t.replace(QLatin1Char('.'), ctx.decimalSeparator);
    };

    put("Vuzuvured", {{"BlendA", n(0)}, {"BlendW", n(255)}, {"PrzyciskM", n(1)}, {"UruZmin", n(0)}});
    writeEmptyMenuList(ini);
    put("Vuzuvured",
        {{"P1", n(1)}, {"P2", n(2)}, {"P3", n(3)}, {"Zakladka", QStringLiteral("0|0|0|0|0|0|0|0|0|0|0")},
         {"ZakladkaS", n(0)}, {"NiePokazujKom", {}}, {"OstPokCP", zeroDate}, {"Priorytet", n(2)}, {"Dyski", n(0)},
         {"ImSePredkosc", n(1)}, {"OstatnioSpr", zeroDateTime}, {"Przelaczanie", n(1)}, {"TrayMinimize", n(1)},
         {"TrayIconProtect", n(0)}, {"TrayTransfer", n(0)}, {"PokazSiatke", n(1)}, {"PokazRamke", n(1)},
         {"PaskiCien", n(1)}});
    put("Ustawienia",
        {{"Lista", n(1)}, {"Kolor", n(15793151)}, {"KolorT", n(0)}, {"Cien", n(1)}, {"Aktualizacja", n(1)},
         {"AktualizacjaData", zeroDate}, {"KopiaSci", {}}, {"AutoSave", n(1)}, {"AutoSaveMin", n(10)}});
    put("Tapeter",
        {{"Zmiana", n(0)}, {"ZmianaCz", n(0)}, {"ZmianaCzM", n(5)}, {"ZmianaCzC", n(0)}, {"Proporcje", n(1)},
         {"Jakosc", n(0)}, {"ZmianaCzCM", n(75)}, {"IleTap", n(1)}, {"Kolor", n(0)}, {"SciDodaj", {}}});
    put("RuchMyszy", {{"Aktywny", n(1)}});
    put("Siec", {{"Poz", n(0)}, {"MAC", {}}, {"Aktywna", n(0)}, {"Pobrane", n(1)}});
    put("Alarm",
        {{"Dźwięk", n(1)}, {"Dźwięk_r", n(1)}, {"Dźwięk_n", n(1)},
         {"PlikGo", ctx.dataFolder + QLatin1String(kDefaultChimeSound)}, {"Dźwięk_vol", n(100)}});
    put("Solenizant", {{"Aktywny", n(0)}, {"PanelU", n(1)}, {"PanelI", n(1)}});
    put("Inne", {{"Aktywne", n(1)}, {"Panel", n(1)}, {"Stawka", real("0.1847")}, {"kW", real("0.3")}});
    put("Prywatne", {{"Aktywne", n(1)}, {"Panel", n(1)}});
    put("Klony",
        {{"PozFol", n(-1)}, {"Ustawienia", n(1)}, {"Daemon", {}}, {"X", n(-1)}, {"Y", n(-1)}, {"W", n(-1)},
         {"H", n(-1)}, {"M", n(0)}, {"Ost", n(-1)}});
    put("M3U",
        {{"Sci", {}}, {"Zap", n(0)}, {"Losowo", n(0)}, {"AutoPlay", n(0)}, {"AutoPlayNr", n(-1)},
         {"AutoPlayPoz", n(0)}, {"Kat", n(-1)}, {"C1", QStringLiteral("\"\"")}, {"C2", QStringLiteral("\"\"")}});
    put("Ping",
        {{"OdswiezAuto", n(0)}, {"OdswiezUru", n(0)}, {"Powiadomienie", n(0)}, {"AutoUkr", n(0)}, {"Balon", n(0)},
         {"BalonUkr", n(0)}, {"BalonSek", n(10)}, {"Glosnik", n(0)}, {"Dzwiek", n(0)}, {"GlosnikNr", n(0)},
         {"CzasLacz", n(100)}, {"OdswiezAutoMin", n(1)}, {"AutoUkrSek", n(10)},
         {"SciDzwiek", ctx.dataFolder + QLatin1String(kDefaultPingSound)}, {"Przedzial1", QStringLiteral("0.0.0.1")},
         {"Przedzial2", QStringLiteral("0.0.0.255")}, {"Nazwy", n(1)}});
    put("Pogoda",
        {{"Dopasuj", n(0)}, {"Lista", n(0)}, {"ZazL1", n(0)}, {"ZazL2", n(0)}, {"Miasto", n(0)}, {"Dzien", n(0)},
         {"IkoPokaz", n(0)}, {"IkoWl", n(0)}, {"IkoMiasto", n(0)}, {"IkoDzien", n(0)}, {"IkoData", zeroDateTime},
         {"IkoSchemat", {}}, {"IkoNr", n(0)}, {"IkoNaDzien", n(0)}, {"IkoDane", {}}, {"IkoTemp", n(1)},
         {"IkoTempTyp", n(0)}, {"IkoTempKol", n(0)}});
    put("Pocz",
        {{"OdswiezAuto", n(0)}, {"OdswiezUru", n(0)}, {"OdswiezAutoMin", n(5)}, {"ZadanieGdy", n(1)},
         {"Powiadomienie", n(0)}, {"PowUkr", n(0)}, {"PowUkrSek", n(10)}, {"Balon", n(0)}, {"BalonUkr", n(0)},
         {"BalonUkrSek", n(10)}, {"Glosnik", n(0)}, {"GlosnikNr", n(0)}, {"Dzwiek", n(0)}, {"Scroll", n(0)},
         {"OknoI", n(0)}, {"OknoX", n(0)}, {"OknoY", n(0)}, {"OknoW", n(542)}, {"OknoH", n(246)}, {"OknoM", n(0)},
         {"OknoK1", n(84)}, {"OknoK2", n(85)}, {"OknoK3", n(176)}, {"OknoK4", n(112)}, {"OknoK5", n(57)},
         {"Ostatnio", zeroDateTime}, {"Program", ctx.mailProgram}});
    put("Poczta", {{"SciDzwiek", ctx.dataFolder + QLatin1String(kDefaultMailSound)}});
    put("Synchro",
        {{"Serwer", ctx.timeServer}, {"Auto", n(0)}, {"Ostatnio", zeroDateTime}, {"Dzien", zeroDate},
         {"Skorygowano", n(-1)}});
    put("Wiadomosci", {{"Wyb", n(-1)}});
    put("Radio", {{"Auto", n(0)}, {"AutoURL", {}}, {"Lista1", n(-1)}, {"Lista2", n(-1)}, {"ListaK", n(0)}});
    put("WazneDatyPow",
        {{"X", n(-1)}, {"Y", n(-1)}, {"W", n(-1)}, {"H", n(-1)}, {"Pokaz", n(0)}, {"PolazDni", n(7)},
         {"Pokaz1", n(1)}, {"Pokaz2", n(1)}, {"Pokaz3", n(1)}});
    return ini.save(m_path);
}

void SettingsStore::load(Settings& s, const FontResolver& resolveFont) const
{
    s.resetToDefaults();
    const IniFile ini = IniFile::load(m_path);
    for (SettingsSection* section : s.sections()) {
        LoadVisitor v(ini, key(section->name()));
        section->visit(v);
    }

    MainWindowSettings& m = s.main;
    // M24 marks a valid menu list; without it the whole list starts afresh.
    if (!ini.hasKey(QStringLiteral("Vuzuvured"), QStringLiteral("M24"))) {
        m.menuEntries.fill(-1);
        update(writeEmptyMenuList);
    }
    if (!inRange(m.infoRows))
        m.infoRows = {1, 2, 3};
    if (!inRange(m.panelOrder))
        m.panelOrder = {1, 2, 3};
    if (resolveFont) {
        for (FontValue* f : {&m.clockFont, &m.textPanelFont, &m.infoLabelFont})
            f->name = resolveFont(f->name);
    }
    // Starting minimized needs a tray icon to come back from.
    if (!hasTrayIcon(m.trayIconKind))
        m.startMinimized = false;
}

bool SettingsStore::save(Settings& s) const
{
    IniFile ini;
    bool ok = readForRewrite(ini);
    if (ok) {
        for (SettingsSection* section : s.sections()) {
            SaveVisitor v(ini, key(section->name()), m_decimal);
            section->visit(v);
        }
        ok = ini.save(m_path);
    }
    for (const auto& writer : m_listWriters)
        writer();
    return ok;
}

bool SettingsStore::saveSection(SettingsSection& section) const
{
    return update([this, &section](IniFile& ini) {
        SaveVisitor v(ini, key(section.name()), m_decimal);
        section.visit(v);
    });
}

bool SettingsStore::writeExitValues(const ExitValues& v) const
{
    return update([&v](IniFile& ini) {
        ini.writeInteger(QStringLiteral("Vuzuvured"), QStringLiteral("PozycjaX"), v.positionX);
        ini.writeInteger(QStringLiteral("Vuzuvured"), QStringLiteral("PozycjaY"), v.positionY);
        if (v.lastDiscImage)
            ini.writeInteger(QStringLiteral("Klony"), QStringLiteral("Ost"), *v.lastDiscImage);
        if (v.playbackChoice)
            ini.writeString(QStringLiteral("PanelOdtwarzania"), QStringLiteral("Wybrany"), *v.playbackChoice);
    });
}

} // namespace zorvex

#include "core/internet/AddonPackage.h"

#include "core/common/Cp1250.h"
#include "core/common/Text.h"
#include "core/internet/RelativePath.h"

#include <algorithm>
#include <optional>

namespace zorvex {
namespace {

const QString kZodiacFolder = QStringLiteral("GFX\\ZODIAK\\");

const AddonCategoryInfo* categoryOf(const QString& upperFolder)
{
    for (const AddonCategoryInfo& info : addonCategories()) {
        if (upperFolder.startsWith(QLatin1String(info.prefix)))
            return &info;
    }
    return nullptr;
}

// The place below the data folder, "/" separated, the family's folder
// spelled as the data folder has it.
QString relativeTarget(const AddonCategoryInfo& info, const QString& folder, const QString& fileName)
{
    QString rest = folder.mid(qsizetype(qstrlen(info.prefix)));
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QString::fromUtf8(info.folder) + QLatin1Char('/') + rest + fileName;
}

bool lessThan(const AddonItem& a, const AddonItem& b)
{
    if (a.category != b.category)
        return int(a.category) < int(b.category);
    return PolishUpper(a.name) < PolishUpper(b.name);
}

QString headingOf(AddonCategory c)
{
    for (const AddonCategoryInfo& info : addonCategories()) {
        if (info.category == c)
            return QString::fromUtf8(info.heading);
    }
    return {};
}

QString body(const QList<AddonItem>& items, const QStringList& compositions)
{
    QString text;
    if (items.size() > 15) {
        text += QLatin1Char('\n');
        if (!compositions.isEmpty())
            text += QStringLiteral("Kompozycje: ") + QString::number(compositions.size()) + QLatin1Char('\n');
        // The items are sorted, so each family is one run.
        for (qsizetype i = 0; i < items.size();) {
            qsizetype end = i;
            while (end < items.size() && items[end].category == items[i].category)
                ++end;
            text += headingOf(items[i].category) + QLatin1Char(' ') + QString::number(end - i) + QLatin1Char('\n');
            i = end;
        }
    } else {
        if (!compositions.isEmpty()) {
            text += QStringLiteral("\nKompozycje:\n");
            for (const QString& line : compositions)
                text += QStringLiteral("- ") + compositionName(line) + QLatin1Char('\n');
        }
        AddonCategory current = AddonCategory::None;
        for (const AddonItem& item : items) {
            if (item.category != current) {
                current = item.category;
                text += QLatin1Char('\n') + headingOf(current) + QLatin1Char('\n');
            }
            text += QStringLiteral("- ") + item.name + QLatin1Char('\n');
        }
    }
    return text.trimmed();
}

// The add-on folder a path below the data folder lies in: the family and
// the item, or nothing when it lies in none.
std::optional<AddonItem> addonFolderOf(const QString& folder, const QString& fileName)
{
    const QString upper = PolishUpper(folder);
    const AddonCategoryInfo* info = categoryOf(upper);
    if (!info)
        return std::nullopt;
    if (upper == kZodiacFolder)
        return AddonItem{AddonCategory::Zodiac, fileName};
    const QString rest = folder.mid(qsizetype(qstrlen(info->prefix)));
    const QString set = rest.section(QLatin1Char('\\'), 0, 0);
    if (set.isEmpty())
        return std::nullopt;
    return AddonItem{info->category, set};
}

bool mayBeWritten(const QString& upperFolder)
{
    return upperFolder.startsWith(QLatin1String("GFX\\")) || upperFolder.startsWith(QLatin1String("GODZINY\\"));
}

} // namespace

const std::vector<AddonCategoryInfo>& addonCategories()
{
    static const std::vector<AddonCategoryInfo> list = {
        {AddonCategory::Scheme, "GFX\\SCHEMATY\\", "Gfx/Schematy", "Schematy kolorów:"},
        {AddonCategory::WeatherIcons, "GFX\\POGODA\\", "Gfx/Pogoda", "Ikony pogody:"},
        {AddonCategory::TimeOfDay, "GFX\\PORA DNIA\\", "Gfx/Pora dnia", "Ikony pory dnia:"},
        {AddonCategory::PlaybackSkin, "GFX\\PANEL ODTWARZANIA\\", "Gfx/Panel odtwarzania", "Skórki panelu odtwarzania:"},
        {AddonCategory::ChimeSet, "GODZINY\\", "Godziny", "Dźwięki co godzinę:"},
        {AddonCategory::Zodiac, "GFX\\ZODIAK\\", "Gfx/Zodiak", "Znaki zodiaku:"},
        {AddonCategory::DiskIcon, "GFX\\DYSK\\", "Gfx/Dysk", "Ikony dysku:"},
    };
    return list;
}

AddonPlan planAddonPackage(const std::vector<ZlbEntry>& entries)
{
    AddonPlan plan;
    for (int i = 0; i < int(entries.size()); ++i) {
        const ZlbEntry& e = entries[size_t(i)];
        if (entryPathProblem(e, true) != ZlbPathProblem::None) {
            plan.refusal = e.fullName();
            return plan;
        }
        // Leading separators are dropped the way a saved path drops its root.
        const QString folder = savedFolderPath(e.folderPath);
        if (folder.isEmpty()) {
            if (equalsIgnoringCase(e.fileName, u"kompozycje") && plan.compositionsEntry < 0)
                plan.compositionsEntry = i;
            else if (equalsIgnoringCase(e.fileName, u"kopie") && plan.copiesEntry < 0)
                plan.copiesEntry = i;
            continue;
        }
        plan.hasFolders = true;
        const QString upper = PolishUpper(folder);
        if (!mayBeWritten(upper))
            continue;
        const std::optional<AddonItem> item = addonFolderOf(folder, e.fileName);
        if (!item) {
            plan.refusal = e.fullName();
            return plan;
        }
        // One set spelled two ways is still one set.
        const bool known = std::any_of(plan.items.cbegin(), plan.items.cend(), [&](const AddonItem& it) {
            return it.category == item->category && equalsIgnoringCase(it.name, item->name);
        });
        if (!known)
            plan.items.append(*item);
        plan.extract.push_back(i);
        plan.targets.append(relativeTarget(*categoryOf(upper), folder, e.fileName));
    }
    std::sort(plan.items.begin(), plan.items.end(), lessThan);
    return plan;
}

bool parseAddonCopies(const QString& text, QList<AddonCopy>* copies, QString* refusal)
{
    copies->clear();
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype star = line.indexOf(QLatin1Char('*'));
        const QString source = star >= 0 ? safeRelativePath(line.left(star).trimmed()) : QString();
        const QString target = star >= 0 ? safeRelativePath(line.mid(star + 1).trimmed()) : QString();
        bool inAddonFolder = false;
        if (!target.isEmpty()) {
            const qsizetype slash = target.lastIndexOf(QLatin1Char('/'));
            QString folder = slash >= 0 ? target.left(slash + 1) : QString();
            folder.replace(QLatin1Char('/'), QLatin1Char('\\'));
            inAddonFolder = mayBeWritten(PolishUpper(folder)) && addonFolderOf(folder, target.mid(slash + 1)).has_value();
        }
        if (source.isEmpty() || !inAddonFolder) {
            *refusal = line;
            copies->clear();
            return false;
        }
        copies->append({source, target});
    }
    return true;
}

QStringList parseAddonCompositions(const QString& text, qint64 secondsSince1970)
{
    QStringList out;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        QStringList fields = line.split(kListSeparator);
        while (fields.size() < 9)
            fields << QString();
        fields[8] = QString::number(secondsSince1970);
        out << fields.join(kListSeparator);
    }
    return out;
}

QString compositionName(const QString& line)
{
    return Field(line, kListSeparator, 1);
}

QStringList mergeCompositions(const QStringList& list, const QStringList& installed)
{
    const QString first = QStringLiteral("Domyślna");
    QStringList out = list;
    if (out.isEmpty() || out.front() != first)
        out.prepend(first);
    for (const QString& line : installed) {
        const QString name = compositionName(line);
        bool replaced = false;
        for (qsizetype i = 1; i < out.size(); ++i) {
            if (compositionName(out[i]) == name) {
                out[i] = line;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out << line;
    }
    return out;
}

QString addonQuestion(const QList<AddonItem>& items, const QStringList& compositions)
{
    const QString question = items.size() == 1 ? QStringLiteral("Czy na pewno zainstalować następujący dodatek?\n\n")
                                               : QStringLiteral("Czy na pewno zainstalować następujące dodatki?\n\n");
    return question + body(items, compositions);
}

QString addonSummary(const QList<AddonItem>& items, const QStringList& compositions)
{
    const QString header = items.size() == 1
        ? QStringLiteral("Zainstalowano:\n")
        : QStringLiteral("Zainstalowanych dodatków: ") + QString::number(items.size()) + QLatin1Char('\n');
    return header + body(items, compositions);
}

bool applyInstalledItems(const QList<AddonItem>& items)
{
    if (items.size() == 1)
        return true;
    if (items.size() < 2 || items.size() > 6)
        return false;
    return std::all_of(items.cbegin(), items.cend(), [&](const AddonItem& i) { return i.category == items.front().category; });
}

} // namespace zorvex

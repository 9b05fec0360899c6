#include "core/common/IniFile.h"

#include "core/common/AtomicFile.h"
#include "core/common/Cp1250.h"

#include <QStringDecoder>

namespace zorvex {

QString IniFile::fold(const QString& name)
{
    // Section and key names are nearly always ASCII; full Unicode folding
    // costs several times more and every lookup folds its names.
    const QStringView t = QStringView(name).trimmed();
    QString out(t.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const QChar c : t) {
        const char16_t u = c.unicode();
        if (u >= 0x80)
            return t.toString().toCaseFolded();
        *dst++ = QChar(u >= 'A' && u <= 'Z' ? char16_t(u + ('a' - 'A')) : u);
    }
    return out;
}

namespace {

// Sections of more lines than this keep an index; smaller ones are searched:
// an index costs more than a kilobyte, and files of many small sections
// must not cost their size many times over.
constexpr int kIndexedFrom = 8;

// The UTF-8 byte order mark in front of a stored value: the value's bytes
// are UTF-8. As the Windows-1250 text of a file it reads as these letters; in
// a file read as UTF-8 it is the mark itself.
const QString kUtf8MarkAsCp1250 = QStringLiteral("\u010F\u00BB\u017C");
constexpr QChar kUtf8Mark = QChar(0xFEFF);

// The value as it goes into the Windows-1250 file.
QString storedForm(const QString& value)
{
    if (fitsCp1250(value) && !value.startsWith(kUtf8MarkAsCp1250))
        return value;
    return kUtf8MarkAsCp1250 + fromCp1250(value.toUtf8());
}

// The value a stored one stands for.
QString fromStoredForm(QStringView stored)
{
    if (stored.startsWith(kUtf8Mark))
        return stored.sliced(1).toString();
    if (stored.startsWith(kUtf8MarkAsCp1250)) {
        const QByteArray bytes = toCp1250(stored.sliced(kUtf8MarkAsCp1250.size()));
        QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
        const QString decoded = utf8(bytes);
        if (!utf8.hasError())
            return decoded;
    }
    return stored.toString();
}

// Whether `name` folds to `folded` without building its folded form for the
// common, ASCII case.
bool foldsTo(QStringView name, const QString& folded)
{
    if (name.size() != folded.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t u = name[i].unicode();
        if (u >= 0x80)
            return name.toString().toCaseFolded() == folded;
        const char16_t lower = u >= 'A' && u <= 'Z' ? char16_t(u + ('a' - 'A')) : u;
        if (lower != folded[i].unicode())
            return false;
    }
    return true;
}

} // namespace

IniFile IniFile::load(const QString& path, bool* ok, FileReadStatus* status)
{
    const TextFileRead file = readTextFile(path);
    if (ok)
        *ok = file.read();
    if (status)
        *status = file.status;
    IniFile ini;
    ini.parse(file.text);
    return ini;
}

IniFile IniFile::fromBytes(const QByteArray& bytes)
{
    IniFile ini;
    ini.parse(decodeFileText(bytes));
    return ini;
}

void IniFile::parse(const QString& text)
{
    const QStringView all(text);
    Section* current = nullptr;
    qsizetype from = 0;
    while (from < all.size()) {
        qsizetype end = all.indexOf(QLatin1Char('\n'), from);
        const bool last = end < 0;
        if (last)
            end = all.size();
        QStringView l = all.mid(from, end - from);
        from = end + 1;
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
        // The text after the last newline is a line only when it is not empty.
        if (last && l.isEmpty())
            break;
        const QStringView t = l.trimmed();
        const qint32 lead = qint32(t.data() - l.data());
        if (t.startsWith(QLatin1Char('['))) {
            const qsizetype close = t.indexOf(QLatin1Char(']'));
            const QStringView inner = close < 0 ? t.mid(1) : t.mid(1, close - 1);
            const QStringView name = inner.trimmed();
            Section s;
            s.header = l.toString();
            s.nameFrom = name.isEmpty() ? 0 : qint32(lead + 1 + (name.data() - inner.data()));
            s.nameLength = qint32(name.size());
            m_sections.push_back(std::move(s));
            const QString key = fold(m_sections.back().name().toString());
            if (!m_sectionIndex.contains(key))
                m_sectionIndex.insert(key, int(m_sections.size() - 1));
            current = &m_sections.back();
            continue;
        }
        Line line;
        line.text = l.toString();
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        if (eq > 0 && !t.startsWith(QLatin1Char(';'))) {
            const QStringView key = t.left(eq).trimmed();
            const QStringView value = t.mid(eq + 1).trimmed();
            line.keyFrom = lead;
            line.keyLength = qint32(key.size());
            line.valueFrom = value.isEmpty() ? 0 : qint32(value.data() - l.data());
            line.valueLength = qint32(value.size());
        }
        (current ? current->lines : m_preamble).push_back(std::move(line));
    }
    for (Section& s : m_sections)
        reindex(s);
}

void IniFile::reindex(Section& s)
{
    s.index.clear();
    if (s.lines.size() <= size_t(kIndexedFrom))
        return;
    for (int i = 0; i < int(s.lines.size()); ++i) {
        if (s.lines[i].hasKey()) {
            const QString k = fold(s.lines[i].key().toString());
            if (!s.index.contains(k))
                s.index.insert(k, i);
        }
    }
}

int IniFile::findKey(const Section& s, const QString& key)
{
    const QString folded = fold(key);
    if (!s.index.isEmpty())
        return s.index.value(folded, -1);
    for (int i = 0; i < int(s.lines.size()); ++i) {
        if (s.lines[i].hasKey() && foldsTo(s.lines[i].key(), folded))
            return i;
    }
    return -1;
}

IniFile::Line IniFile::keyLine(const QString& key, const QString& storedValue)
{
    Line l;
    l.text = key + QLatin1Char('=') + storedValue;
    l.keyLength = qint32(key.size());
    l.valueFrom = qint32(key.size() + 1);
    l.valueLength = qint32(storedValue.size());
    return l;
}

QByteArray IniFile::toBytes() const
{
    QByteArray out;
    auto put = [&out](const QString& text) {
        out += toCp1250(text);
        out += "\r\n";
    };
    auto putLine = [&put](const Line& l) {
        // Lines read from a UTF-8 file may hold what Windows-1250 cannot:
        // such a value goes behind the UTF-8 mark.
        if (!l.hasKey() || fitsCp1250(l.text))
            put(l.text);
        else
            put(l.key() + QLatin1Char('=') + storedForm(fromStoredForm(l.storedValue())));
    };
    for (const Line& l : m_preamble)
        putLine(l);
    for (const Section& s : m_sections) {
        if (s.removed)
            continue;
        put(s.header);
        for (const Line& l : s.lines)
            putLine(l);
    }
    return out;
}

bool IniFile::save(const QString& path, QString* error) const
{
    return writeFileAtomically(path, toBytes(), error);
}

const IniFile::Section* IniFile::findSection(const QString& name) const
{
    const auto it = m_sectionIndex.constFind(fold(name));
    if (it == m_sectionIndex.constEnd())
        return nullptr;
    return &m_sections[*it];
}

IniFile::Section& IniFile::ensureSection(const QString& name)
{
    const QString key = fold(name);
    const auto it = m_sectionIndex.constFind(key);
    if (it != m_sectionIndex.constEnd())
        return m_sections[*it];
    // Keep sections apart with a blank line, as files written by hand are.
    std::vector<Line>& tail = m_sections.empty() ? m_preamble : m_sections.back().lines;
    const bool hasContent = !m_preamble.empty() || !m_sections.empty();
    if (hasContent && (tail.empty() || !tail.back().blank()))
        tail.push_back(Line{});
    Section s;
    const QString trimmed = name.trimmed();
    s.header = QLatin1Char('[') + trimmed + QLatin1Char(']');
    s.nameFrom = 1;
    s.nameLength = qint32(trimmed.size());
    m_sections.push_back(std::move(s));
    m_sectionIndex.insert(key, int(m_sections.size() - 1));
    return m_sections.back();
}

bool IniFile::hasSection(const QString& section) const
{
    return findSection(section) != nullptr;
}

bool IniFile::hasKey(const QString& section, const QString& key) const
{
    const Section* s = findSection(section);
    return s && findKey(*s, key) >= 0;
}

QStringList IniFile::sections() const
{
    QStringList out;
    for (const Section& s : m_sections) {
        if (!s.removed && m_sectionIndex.value(fold(s.name().toString()), -1) == int(&s - m_sections.data()))
            out << s.name().toString();
    }
    return out;
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList out;
    if (const Section* s = findSection(section)) {
        for (int i = 0; i < int(s->lines.size()); ++i) {
            const Line& l = s->lines[i];
            if (l.hasKey() && findKey(*s, l.key().toString()) == i)
                out << l.key().toString();
        }
    }
    return out;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    const int at = findKey(*s, key);
    if (at < 0)
        return std::nullopt;
    QString v = fromStoredForm(s->lines[at].storedValue());
    // A value in matching quotes reads without them.
    if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\''))
        && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const
{
    return value(section, key).value_or(def);
}

qint64 IniFile::readInt64(const QString& section, const QString& key, qint64 def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    bool ok = false;
    const qint64 n = v->toLongLong(&ok);
    return ok ? n : def;
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    bool ok = false;
    const int n = v->toInt(&ok);
    return ok ? n : def;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

double IniFile::readReal(const QString& section, const QString& key, double def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    QString t = *v;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double d = t.toDouble(&ok);
    return ok ? d : def;
}

DayTime IniFile::readDateTime(const QString& section, const QString& key, DayTime def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    return parseDayTime(*v).value_or(def);
}

std::optional<FontValue> IniFile::readFont(const QString& section, const QString& key) const
{
    const auto v = value(section, key);
    if (!v)
        return std::nullopt;
    return FontValue::parse(*v);
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    Section& s = ensureSection(section);
    const QString stored = storedForm(value);
    const int at = findKey(s, key);
    if (at >= 0) {
        Line& l = s.lines[at];
        if (l.storedValue() != stored)
            l = keyLine(l.key().toString(), stored);
        return;
    }
    // New keys go after the section's last key, before trailing blank lines.
    int pos = int(s.lines.size());
    while (pos > 0 && s.lines[pos - 1].blank())
        --pos;
    s.lines.insert(s.lines.begin() + pos, keyLine(key.trimmed(), stored));
    reindex(s);
}

void IniFile::writeInteger(const QString& section, const QString& key, qint64 value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::writeReal(const QString& section, const QString& key, double value, QChar decimalSeparator)
{
    QString text = QString::number(value, 'g', 15);
    if (decimalSeparator != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), decimalSeparator);
    writeString(section, key, text);
}

void IniFile::writeDate(const QString& section, const QString& key, DayTime value)
{
    writeString(section, key, formatDate(value));
}

void IniFile::writeDateTime(const QString& section, const QString& key, DayTime value)
{
    writeString(section, key, formatDateTime(value));
}

void IniFile::writeFont(const QString& section, const QString& key, const FontValue& font)
{
    writeString(section, key, font.format());
}

void IniFile::deleteKey(const QString& section, const QString& key)
{
    const auto sit = m_sectionIndex.constFind(fold(section));
    if (sit == m_sectionIndex.constEnd())
        return;
    Section& s = m_sections[*sit];
    const QString k = fold(key);
    std::erase_if(s.lines, [&](const Line& l) { return l.hasKey() && foldsTo(l.key(), k); });
    reindex(s);
}

void IniFile::eraseSection(const QString& section)
{
    const QString key = fold(section);
    for (Section& s : m_sections) {
        if (foldsTo(s.name(), key))
            s.removed = true;
    }
    m_sectionIndex.remove(key);
}

} // namespace zorvex

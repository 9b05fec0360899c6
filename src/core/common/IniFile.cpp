#include "core/common/IniFile.h"

#include "core/common/AtomicFile.h"
#include "core/common/Cp1250.h"

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

IniFile IniFile::load(const QString& path, bool* ok)
{
    QByteArray bytes;
    const bool read = readWholeFile(path, &bytes);
    if (ok)
        *ok = read;
    return fromBytes(bytes);
}

IniFile IniFile::fromBytes(const QByteArray& bytes)
{
    IniFile ini;
    ini.parse(fromCp1250(bytes));
    return ini;
}

void IniFile::parse(const QString& text)
{
    const QList<QStringView> rawLines = QStringView(text).split(QLatin1Char('\n'));
    const qsizetype count = rawLines.size();
    Section* current = nullptr;
    for (qsizetype i = 0; i < count; ++i) {
        QStringView l = rawLines[i];
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
        // The text after the last newline is a line only when it is not empty.
        if (i == count - 1 && l.isEmpty())
            break;
        const QStringView t = l.trimmed();
        if (t.startsWith(QLatin1Char('['))) {
            qsizetype close = t.indexOf(QLatin1Char(']'));
            Section s;
            s.name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed().toString();
            s.header = l.toString();
            m_sections.push_back(std::move(s));
            const QString key = fold(m_sections.back().name);
            if (!m_sectionIndex.contains(key))
                m_sectionIndex.insert(key, int(m_sections.size() - 1));
            current = &m_sections.back();
            continue;
        }
        Line line;
        line.raw = l.toString();
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        if (eq > 0 && !t.startsWith(QLatin1Char(';'))) {
            line.key = t.left(eq).trimmed().toString();
            line.value = t.mid(eq + 1).trimmed().toString();
        }
        (current ? current->lines : m_preamble).push_back(std::move(line));
    }
    for (Section& s : m_sections)
        reindex(s);
}

void IniFile::reindex(Section& s)
{
    s.index.clear();
    for (int i = 0; i < int(s.lines.size()); ++i) {
        if (!s.lines[i].key.isEmpty()) {
            const QString k = fold(s.lines[i].key);
            if (!s.index.contains(k))
                s.index.insert(k, i);
        }
    }
}

QByteArray IniFile::toBytes() const
{
    QString out;
    auto put = [&out](const Line& l) {
        out += l.dirty ? l.key + QLatin1Char('=') + l.value : l.raw;
        out += QLatin1String("\r\n");
    };
    for (const Line& l : m_preamble)
        put(l);
    for (const Section& s : m_sections) {
        if (s.removed)
            continue;
        out += s.header + QLatin1String("\r\n");
        for (const Line& l : s.lines)
            put(l);
    }
    return toCp1250(out);
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
    if (hasContent && (tail.empty() || !tail.back().raw.trimmed().isEmpty() || tail.back().dirty))
        tail.push_back(Line{});
    Section s;
    s.name = name.trimmed();
    s.header = QLatin1Char('[') + s.name + QLatin1Char(']');
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
    return s && s->index.contains(fold(key));
}

QStringList IniFile::sections() const
{
    QStringList out;
    for (const Section& s : m_sections) {
        if (!s.removed && m_sectionIndex.value(fold(s.name), -1) == int(&s - m_sections.data()))
            out << s.name;
    }
    return out;
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList out;
    if (const Section* s = findSection(section)) {
        for (int i = 0; i < int(s->lines.size()); ++i) {
            const Line& l = s->lines[i];
            if (!l.key.isEmpty() && s->index.value(fold(l.key), -1) == i)
                out << l.key;
        }
    }
    return out;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    const auto it = s->index.constFind(fold(key));
    if (it == s->index.constEnd())
        return std::nullopt;
    QString v = s->lines[*it].value;
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
    const auto it = s.index.constFind(fold(key));
    if (it != s.index.constEnd()) {
        Line& l = s.lines[*it];
        if (l.value == value && !l.dirty)
            return;
        l.value = value;
        l.dirty = true;
        return;
    }
    Line l;
    l.key = key.trimmed();
    l.value = value;
    l.dirty = true;
    // New keys go after the section's last key, before trailing blank lines.
    int pos = int(s.lines.size());
    while (pos > 0 && s.lines[pos - 1].key.isEmpty() && !s.lines[pos - 1].dirty
           && s.lines[pos - 1].raw.trimmed().isEmpty())
        --pos;
    s.lines.insert(s.lines.begin() + pos, std::move(l));
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
    std::erase_if(s.lines, [&](const Line& l) { return !l.key.isEmpty() && fold(l.key) == k; });
    reindex(s);
}

void IniFile::eraseSection(const QString& section)
{
    const QString key = fold(section);
    for (Section& s : m_sections) {
        if (fold(s.name) == key)
            s.removed = true;
    }
    m_sectionIndex.remove(key);
}

} // namespace zorvex

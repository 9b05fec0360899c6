#pragma once

#include "core/common/DataFile.h"
#include "core/common/DayTime.h"
#include "core/common/FontValue.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zorvex {

// A private-profile INI file held for one load or save pass: read it, work on
// it, write it back, drop it. Section and key names compare case-insensitively,
// a missing key gives the reader's default and writing creates sections and
// keys. Untouched lines (comments, blank lines, odd lines, key lines) are kept
// as they were, in their order, when the file is written back.
class IniFile {
public:
    IniFile() = default;

    // Reads `path` through readDataFile (Windows-1250, or UTF-8 when an editor
    // saved it so). A missing, unreadable or refused file gives an empty
    // object; `ok` tells whether the file could be read, `status` why not.
    static IniFile load(const QString& path, bool* ok = nullptr, FileReadStatus* status = nullptr);
    static IniFile fromBytes(const QByteArray& bytes);

    // Writes the whole file atomically: a temporary file in the same folder,
    // flushed, then renamed over the old one. On failure the old file stays
    // as it was and `error` says why. The file is Windows-1250; a value with
    // characters beyond it is stored as UTF-8 behind the UTF-8 byte order
    // mark, which reading recognises, so no value is ever lost.
    bool save(const QString& path, QString* error = nullptr) const;
    QByteArray toBytes() const;

    bool hasSection(const QString& section) const;
    bool hasKey(const QString& section, const QString& key) const;
    QStringList sections() const;
    QStringList keys(const QString& section) const;

    std::optional<QString> value(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& def = {}) const;
    int readInteger(const QString& section, const QString& key, int def) const;
    qint64 readInt64(const QString& section, const QString& key, qint64 def) const;
    bool readBool(const QString& section, const QString& key, bool def) const;
    // Accepts either decimal separator.
    double readReal(const QString& section, const QString& key, double def) const;
    // Dates and date-times share one parser; an unparsable value gives `def`.
    DayTime readDateTime(const QString& section, const QString& key, DayTime def) const;
    std::optional<FontValue> readFont(const QString& section, const QString& key) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, qint64 value);
    void writeBool(const QString& section, const QString& key, bool value);
    void writeReal(const QString& section, const QString& key, double value, QChar decimalSeparator);
    void writeDate(const QString& section, const QString& key, DayTime value);
    void writeDateTime(const QString& section, const QString& key, DayTime value);
    void writeFont(const QString& section, const QString& key, const FontValue& font);

    void deleteKey(const QString& section, const QString& key);
    void eraseSection(const QString& section);

private:
    // One line of the file. Key and value are ranges of the text, so a line
    // costs one string however it is used.
    struct Line {
        QString text;          // as written to the file
        qint32 keyFrom = 0;    // the trimmed key; keyLength 0 for comments,
        qint32 keyLength = 0;  // blank lines and lines without "="
        qint32 valueFrom = 0;  // the value as stored: trimmed, quotes and
        qint32 valueLength = 0; // the marker of a UTF-8 value not yet removed
        bool hasKey() const { return keyLength > 0; }
        QStringView key() const { return QStringView(text).mid(keyFrom, keyLength); }
        QStringView storedValue() const { return QStringView(text).mid(valueFrom, valueLength); }
        bool blank() const { return !hasKey() && QStringView(text).trimmed().isEmpty(); }
    };
    struct Section {
        QString header;        // the header line as it stands
        qint32 nameFrom = 0;
        qint32 nameLength = 0;
        std::vector<Line> lines;
        // Folded key -> first line with that key; only large sections keep
        // one, small ones are searched line by line.
        QHash<QString, int> index;
        bool removed = false;
        QStringView name() const { return QStringView(header).mid(nameFrom, nameLength); }
    };

    static Line keyLine(const QString& key, const QString& storedValue);
    static QString fold(const QString& name);
    void parse(const QString& text);
    static void reindex(Section& s);
    static int findKey(const Section& s, const QString& key);
    const Section* findSection(const QString& name) const;
    Section& ensureSection(const QString& name);

    std::vector<Line> m_preamble; // lines before the first section header
    std::vector<Section> m_sections;
    QHash<QString, int> m_sectionIndex;
};

} // namespace zorvex

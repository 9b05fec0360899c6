#pragma once

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

    // Reads `path` (Windows-1250). A missing or unreadable file gives an empty
    // object; `ok` tells whether the file could be read.
    static IniFile load(const QString& path, bool* ok = nullptr);
    static IniFile fromBytes(const QByteArray& bytes);

    // Writes the whole file atomically: a temporary file in the same folder,
    // flushed, then renamed over the old one. On failure the old file stays
    // as it was and `error` says why.
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
    struct Line {
        QString raw;   // original text; empty for a line this object added
        QString key;   // empty for comments, blanks and lines without "="
        QString value; // trimmed, quotes not yet removed
        bool dirty = false; // written as key=value instead of raw
    };
    struct Section {
        QString name;
        QString header;
        std::vector<Line> lines;
        QHash<QString, int> index; // folded key -> first line with that key
        bool removed = false;
    };

    static QString fold(const QString& name);
    void parse(const QString& text);
    void reindex(Section& s);
    const Section* findSection(const QString& name) const;
    Section& ensureSection(const QString& name);

    std::vector<Line> m_preamble; // lines before the first section header
    std::vector<Section> m_sections;
    QHash<QString, int> m_sectionIndex;
};

} // namespace zorvex

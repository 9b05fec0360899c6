#pragma once

#include <QString>

#include <optional>

namespace zorvex {

// A font setting: name (percent-encoded on disk), size in points, style bits
// and character set, as four "|"-separated fields.
struct FontValue {
    enum Style { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    QString name;
    int size = 10;
    int style = 0;
    int charset = 1;

    // Nothing for a value with other than exactly three separators; missing
    // numbers decode as size 10, style 0, character set 1.
    static std::optional<FontValue> parse(const QString& text);
    QString format() const;

    bool operator==(const FontValue&) const = default;
};

} // namespace zorvex

#pragma once

#include <QList>
#include <QString>

namespace zorvex {

// Which texts the scrolling panel shows, one flag per line of the
// per-profile Panel_tekstowy_ file: name days, sentence, radio, music title.
class VisibleTexts {
public:
    enum Item { Names = 0, Sentence = 1, Radio = 2, Music = 3 };
    static constexpr int kItems = 4;

    // 1, 1, 0, 0: name days and sentence.
    VisibleTexts();
    static VisibleTexts fromFlags(QList<bool> flags);

    // `path` is the PanelTekstowy entry of the path table.
    // A missing or unreadable file, or one of fewer than four lines, gives
    // the default. A file of more than four lines is kept as it is and shows
    // nothing until the choice is made again. `ok` tells whether the file was
    // read and holds only "1" and "0" lines: otherwise it must not be
    // replaced by what was made of it (mayReplaceAfterLoad).
    static VisibleTexts load(const QString& path, bool* ok = nullptr);
    static VisibleTexts fromText(const QString& text);
    // Four lines "1"/"0", written atomically.
    bool save(const QString& path, QString* error = nullptr) const;
    QString toText() const;

    // The list holds 1 to 4 flags; otherwise nothing is shown.
    bool usable() const { return !m_flags.isEmpty() && m_flags.size() <= kItems; }
    bool shows(Item item) const { return usable() && item < m_flags.size() && m_flags.at(item); }
    int shownCount() const;

    // Check mark of an item in the "Panel tekstowy" dialog: its flag, every
    // item when the list is empty.
    bool checked(Item item) const;
    static QString itemLabel(Item item);

    const QList<bool>& flags() const { return m_flags; }
    friend bool operator==(const VisibleTexts&, const VisibleTexts&) = default;

private:
    QList<bool> m_flags;
};

} // namespace zorvex

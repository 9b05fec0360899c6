#pragma once

#include "core/calendar/VisibleTexts.h"

#include <QList>
#include <QString>

namespace zorvex {

class Clock;
class PathTable;

// Scrolling of the panel for the speed levels 1-4 (ImSePredkosc); levels
// out of range take the nearest one.
struct ScrollSpeed {
    int stepPixels = 1;
    int intervalMs = 40;
};
ScrollSpeed scrollSpeed(int level);

// What the radio offers the scrolling text: the stream's title, else the
// station's name, else, while stopped, the stopped state's label.
struct RadioSource {
    QString streamTitle;
    QString stationName;
    bool stopped = false;
};

// What the playlist manager offers: the title of the current entry, used
// only while a valid entry is current, the player has a file open and the
// radio is not the active source.
struct MusicSource {
    QString title;
    bool entryValid = false;
    bool fileOpen = false;
    bool radioActive = false;
};

inline constexpr int kMediaTitleLimit = 200;

// The radio and music parts, cut to 200 characters; empty when silent.
QString radioPart(const RadioSource& radio);
QString musicPart(const MusicSource& music);

struct DayTextSources {
    QString names;    // today's names as the name-day file gives them
    QString sentence; // today's sentence as the sentence file gives it
    RadioSource radio;
    MusicSource music;
};

// The current texts: one line per shown item (kept for the copy commands),
// the one-line panel text and its multi-line hint (lines joined by "\n").
struct DayText {
    QString nameLine;
    QString sentenceLine;
    QString radioLine;
    QString musicLine;
    bool hasRadio = false; // the radio part is shown and not empty
    bool hasMusic = false;
    QString panelText;
    QString hint;
    friend bool operator==(const DayText&, const DayText&) = default;
};

// Name days and sentence appear whenever their flag is on, even for a day
// without an entry; radio and music only when they have text. Parts are
// joined by ".     " on the panel and by "." and a line break in the hint.
// A flag list that is not usable shows nothing.
DayText composeDayText(const VisibleTexts& visible, const DayTextSources& sources);

// The copy commands of the scrolling panel's menu, in menu order.
enum class CopyItem { All, Names, Sentence, Radio, Music };
QList<CopyItem> copyItems(const VisibleTexts& visible, const DayText& text);
// "All" copies the hint with CR LF line breaks.
QString copyText(const DayText& text, CopyItem item);
QString copyItemLabel(CopyItem item);

// The scrolling text of the main window: rebuilt for today from the files
// read afresh, the visible-texts choice and the media sources.
class DayTextModel {
public:
    DayTextModel(QString namesPath, QString sentencePath, const Clock& clock);
    // The name-day file and the sentence file chosen at start.
    DayTextModel(const PathTable& paths, const Clock& clock);

    const VisibleTexts& visibleTexts() const { return m_visible; }
    void setVisibleTexts(const VisibleTexts& visible) { m_visible = visible; }

    struct Update {
        bool panelChanged = false;
        bool hintChanged = false;
    };
    // Recomputes every text; the panel text and the hint are replaced only
    // when they differ, and the result says which did.
    Update rebuild(const RadioSource& radio = {}, const MusicSource& music = {});

    const DayText& text() const { return m_text; }
    QList<CopyItem> copyItems() const { return zorvex::copyItems(m_visible, m_text); }
    QString copyText(CopyItem item) const { return zorvex::copyText(m_text, item); }

private:
    QString m_namesPath;
    QString m_sentencePath;
    const Clock& m_clock;
    VisibleTexts m_visible;
    DayText m_text;
};

} // namespace zorvex

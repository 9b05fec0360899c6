#include "core/calendar/DayText.h"

#include "core/calendar/DayFile.h"
#include "core/calendar/Sentence.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"

#include <QStringList>

namespace zorvex {

ScrollSpeed scrollSpeed(int level)
{
    switch (level) {
    case 2: return {1, 30};
    case 3: return {2, 40};
    default: return level >= 4 ? ScrollSpeed{2, 30} : ScrollSpeed{1, 40};
    }
}

QString radioPart(const RadioSource& radio)
{
    QString t = radio.streamTitle;
    if (t.isEmpty())
        t = radio.stationName;
    if (t.isEmpty() && radio.stopped)
        t = QStringLiteral("Zatrzymane");
    return t.left(kMediaTitleLimit);
}

QString musicPart(const MusicSource& music)
{
    if (!music.entryValid || !music.fileOpen || music.radioActive)
        return {};
    return music.title.left(kMediaTitleLimit);
}

DayText composeDayText(const VisibleTexts& visible, const DayTextSources& sources)
{
    DayText out;
    if (!visible.usable())
        return out;
    QStringList parts;
    if (visible.shows(VisibleTexts::Names)) {
        out.nameLine = QStringLiteral("Imieniny: ") + sources.names;
        parts << out.nameLine;
    }
    if (visible.shows(VisibleTexts::Sentence)) {
        out.sentenceLine = QStringLiteral("Sentencja: ") + displayedSentence(sources.sentence);
        parts << out.sentenceLine;
    }
    if (visible.shows(VisibleTexts::Radio)) {
        const QString t = radioPart(sources.radio);
        out.radioLine = QStringLiteral("Radio: ") + t;
        out.hasRadio = !t.isEmpty();
        if (out.hasRadio)
            parts << out.radioLine;
    }
    if (visible.shows(VisibleTexts::Music)) {
        const QString t = musicPart(sources.music);
        out.musicLine = QStringLiteral("Odtwarzanie: ") + t;
        out.hasMusic = !t.isEmpty();
        if (out.hasMusic)
            parts << out.musicLine;
    }
    out.panelText = parts.join(QStringLiteral(".     "));
    out.hint = parts.join(QStringLiteral(".\n"));
    return out;
}

QList<CopyItem> copyItems(const VisibleTexts& visible, const DayText& text)
{
    QList<CopyItem> items;
    if (!visible.usable())
        return items;
    const bool names = visible.shows(VisibleTexts::Names);
    const bool sentence = visible.shows(VisibleTexts::Sentence);
    const bool radio = visible.shows(VisibleTexts::Radio) && text.hasRadio;
    const bool music = visible.shows(VisibleTexts::Music) && text.hasMusic;
    if (visible.shownCount() >= 2 && (names || sentence || radio || music))
        items << CopyItem::All;
    if (names)
        items << CopyItem::Names;
    if (sentence)
        items << CopyItem::Sentence;
    if (radio)
        items << CopyItem::Radio;
    if (music)
        items << CopyItem::Music;
    return items;
}

QString copyText(const DayText& text, CopyItem item)
{
    switch (item) {
    case CopyItem::All: return QString(text.hint).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    case CopyItem::Names: return text.nameLine;
    case CopyItem::Sentence: return text.sentenceLine;
    case CopyItem::Radio: return text.radioLine;
    case CopyItem::Music: return text.musicLine;
    }
    return {};
}

QString copyItemLabel(CopyItem item)
{
    switch (item) {
    case CopyItem::All: return QString::fromUtf8("Kopiuj do schowka cały tekst");
    case CopyItem::Names: return QStringLiteral("Kopiuj do schowka imieniny");
    case CopyItem::Sentence: return QString::fromUtf8("Kopiuj do schowka sentencję");
    case CopyItem::Radio: return QStringLiteral("Kopiuj do schowka radio");
    case CopyItem::Music: return QString::fromUtf8("Kopiuj do schowka tytuł muzyki");
    }
    return {};
}

DayTextModel::DayTextModel(QString namesPath, QString sentencePath, const Clock& clock)
    : m_namesPath(std::move(namesPath))
    , m_sentencePath(std::move(sentencePath))
    , m_clock(clock)
{
}

DayTextModel::DayTextModel(const PathTable& paths, const Clock& clock)
    : DayTextModel(paths.path(PathId::Imieniny), paths.path(PathId::Sentencje), clock)
{
}

DayTextModel::Update DayTextModel::rebuild(const RadioSource& radio, const MusicSource& music)
{
    const QDate today = m_clock.now().date();
    DayTextSources sources;
    // Only the files that will be shown are read.
    if (m_visible.shows(VisibleTexts::Names))
        sources.names = lookupNameDay(m_namesPath, today);
    if (m_visible.shows(VisibleTexts::Sentence))
        sources.sentence = lookupSentence(m_sentencePath, today);
    sources.radio = radio;
    sources.music = music;

    DayText next = composeDayText(m_visible, sources);
    Update update;
    update.panelChanged = next.panelText != m_text.panelText;
    update.hintChanged = next.hint != m_text.hint;
    m_text = std::move(next);
    return update;
}

} // namespace zorvex

#include "core/reminders/Chime.h"

#include "core/common/Clock.h"
#include "core/common/Text.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

namespace zorvex {

bool hourInWindow(int hour, int first, int last)
{
    if (first < last)
        return first <= hour && hour <= last;
    return hour >= first || hour <= last;
}

ChimeSetFiles::ChimeSetFiles(const QString& setFolder)
    : m_folder(setFolder)
{
    const QStringList names = QDir(setFolder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : names)
        m_byUpperName.insert(PolishUpper(name), name); // of two spellings, either will do
}

QString ChimeSetFiles::hourFile(int hour) const
{
    const int n = hour == 0 ? 24 : hour;
    const QString padded = QStringLiteral("%1.MP3").arg(n, 2, 10, QLatin1Char('0'));
    for (const QString& name : {padded, QStringLiteral("%1.MP3").arg(n)}) {
        const auto it = m_byUpperName.constFind(name);
        if (it != m_byUpperName.constEnd())
            return QDir(m_folder).filePath(*it);
    }
    return {};
}

bool ChimeSetFiles::complete() const
{
    for (int h = 1; h <= 24; ++h) {
        if (hourFile(h).isEmpty())
            return false;
    }
    return true;
}

QString chimeHourFile(const QString& setFolder, int hour)
{
    return ChimeSetFiles(setFolder).hourFile(hour);
}

ChimeSets discoverChimeSets(const QString& dataFolder)
{
    const QDir root(QDir(dataFolder).filePath(QStringLiteral("Godziny")));
    QStringList sets;
    const QStringList dirs = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : dirs) {
        if (ChimeSetFiles(root.filePath(name)).complete())
            sets << name;
    }
    std::sort(sets.begin(), sets.end(), [](const QString& a, const QString& b) {
        return PolishUpper(a) < PolishUpper(b);
    });
    ChimeSets out;
    out.folders = sets;
    for (const QString& name : std::as_const(sets)) {
        const QString upper = PolishUpper(name);
        if (upper == QLatin1String("NIETRZEZWY"))
            out.displayNames << QStringLiteral("Nietrzeźwy");
        else if (upper == QLatin1String("SILACZ"))
            out.displayNames << QStringLiteral("Siłacz");
        else
            out.displayNames << name;
    }
    return out;
}

int clampSetNumber(int number, int count)
{
    if (count <= 0)
        return 0;
    return std::clamp(number, 1, count);
}

Chime::Chime(const Clock& clock, const ChimeSettings& settings)
    : m_clock(clock)
    , m_settings(settings)
{
    pick = [](int n) { return static_cast<int>(QRandomGenerator::global()->bounded(n)); };
}

void Chime::setSets(const QString& dataFolder, const ChimeSets& sets)
{
    m_dataFolder = dataFolder;
    m_sets = sets;
}

QString Chime::setFolder(const QString& folder) const
{
    return QDir(QDir(m_dataFolder).filePath(QStringLiteral("Godziny"))).filePath(folder);
}

QString Chime::chosenFile() const
{
    if (m_settings.file.isEmpty() || QDir::isAbsolutePath(m_settings.file))
        return m_settings.file;
    return QDir(m_dataFolder).filePath(m_settings.file);
}

bool Chime::silenced() const
{
    return (m_settings.skipPlaylist && playlistPlaying && playlistPlaying())
        || (m_settings.skipRadio && radioActive && radioActive())
        || (m_settings.skipFullScreen && fullScreenInFront && fullScreenInFront());
}

ChimeAction Chime::check(bool fileTestRunning)
{
    const QDateTime now = m_clock.now();
    const QTime t = now.time();
    if (t.minute() != 0 || t.second() != 0)
        return {};
    QDateTime hour = now;
    hour.setTime(QTime(t.hour(), 0));
    if (alreadySounded(hour))
        return {};

    if (m_settings.mode == ChimeSettings::Set) {
        const int count = static_cast<int>(m_sets.folders.size());
        if (count == 0)
            return {};
        if (!m_settings.wholeDay() && !hourInWindow(t.hour(), m_settings.firstHour, m_settings.lastHour))
            return {};
        if (silenced())
            return {};
        int index = clampSetNumber(m_settings.setNumber, count) - 1;
        if (m_settings.setChoice == ChimeSettings::Random)
            index = std::clamp(pick ? pick(count) : 0, 0, count - 1);
        const QString file = chimeHourFile(setFolder(m_sets.folders.at(index)), t.hour());
        // A set deleted or changed since the list was built plays nothing.
        if (file.isEmpty())
            return {};
        m_lastHour = hour;
        return {ChimeAction::PlaySet, file};
    }

    if (m_settings.mode == ChimeSettings::File) {
        if (fileTestRunning)
            return {};
        const QString file = chosenFile();
        if (file.isEmpty() || !QFileInfo::exists(file))
            return {};
        m_lastHour = hour;
        return {ChimeAction::PlayFile, file};
    }
    return {};
}

ChimeAction Chime::preview(const QTime& time) const
{
    if (m_settings.mode == ChimeSettings::Set) {
        const int count = static_cast<int>(m_sets.folders.size());
        if (count == 0)
            return {};
        const int index = clampSetNumber(m_settings.setNumber, count) - 1;
        const QString file = chimeHourFile(setFolder(m_sets.folders.at(index)), time.hour());
        return file.isEmpty() ? ChimeAction{} : ChimeAction{ChimeAction::PlaySet, file};
    }
    if (m_settings.mode == ChimeSettings::File) {
        const QString file = chosenFile();
        return file.isEmpty() || !QFileInfo::exists(file) ? ChimeAction{} : ChimeAction{ChimeAction::PlayFile, file};
    }
    return {};
}

} // namespace zorvex

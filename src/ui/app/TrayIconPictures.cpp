#include "ui/app/TrayIconPictures.h"

#include "ui/common/Fonts.h"
#include "ui/common/QtColour.h"

#include <QPainter>
#include <QPixmap>

namespace zorvex {
namespace {

QImage blank()
{
    QImage img(kTrayIconSize, kTrayIconSize, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

} // namespace

QImage TrayIconPictures::basePicture()
{
    // A small gauge housing: a dark frame round the level window and a foot.
    QImage img = blank();
    QPainter p(&img);
    p.fillRect(QRect(2, 1, 12, 13), QColor(48, 48, 64));
    p.fillRect(QRect(3, 2, 10, 11), QColor(16, 16, 24));
    p.fillRect(QRect(5, 14, 6, 1), QColor(48, 48, 64));
    p.fillRect(QRect(3, 15, 10, 1), QColor(48, 48, 64));
    return img;
}

QImage TrayIconPictures::dayPicture(int day)
{
    // A calendar leaf: a red binding strip over a white page with the number.
    QImage img = blank();
    QPainter p(&img);
    p.fillRect(QRect(0, 0, 16, 16), QColor(64, 64, 64));
    p.fillRect(QRect(1, 1, 14, 14), Qt::white);
    p.fillRect(QRect(1, 1, 14, 4), QColor(200, 30, 30));
    p.setPen(QColor(0, 0, 96));
    QFont f = tahoma(day > 9 ? 7 : 8, true);
    f.setStyleStrategy(QFont::NoAntialias);
    p.setFont(f);
    p.drawText(QRect(0, 5, 16, 11), Qt::AlignCenter, QString::number(day));
    return img;
}

QImage TrayIconPictures::levelPicture(int level, Colour colour)
{
    QImage img = basePicture();
    QPainter p(&img);
    p.fillRect(trayLevelColourRect(), toQColor(colour));
    const QRect dark = trayLevelDarkRect(level);
    if (!dark.isEmpty())
        p.fillRect(dark, toQColor(kTrayLevelDark));
    return img;
}

QImage TrayIconPictures::transferPicture(const TransferIconText& text, Colour textColour)
{
    // White is the icon's transparent colour: only the text shows.
    QImage img = blank();
    QPainter p(&img);
    QFont f = tahoma(text.pointSize);
    f.setStyleStrategy(QFont::NoAntialias);
    p.setFont(f);
    p.setPen(toQColor(transferTextColour(textColour)));
    p.drawText(QRect(0, 0, kTrayIconSize, kTrayIconSize), Qt::AlignCenter, text.text);
    return img;
}

QIcon TrayIconPictures::dayIcon(int day)
{
    if (!m_daysReady) {
        for (int d = 1; d <= 31; ++d)
            m_days[size_t(d - 1)] = QIcon(QPixmap::fromImage(dayPicture(d)));
        m_daysReady = true;
    }
    return m_days[size_t(qBound(1, day, 31) - 1)];
}

void TrayIconPictures::prepareLevels(int mode, Colour colour)
{
    if (mode == m_levelMode && colour == m_levelColour)
        return;
    for (int i = 0; i < kTrayLevels; ++i)
        m_levels[size_t(i)] = QIcon(QPixmap::fromImage(levelPicture(i, colour)));
    m_levelMode = mode;
    m_levelColour = colour;
    ++m_levelBuilds;
}

QIcon TrayIconPictures::levelIcon(int level) const
{
    return m_levels[size_t(qBound(0, level, kTrayLevels - 1))];
}

} // namespace zorvex

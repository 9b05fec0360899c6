#include "ui/reminders/AlarmPictures.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>
#include <numbers>

namespace zorvex {
namespace {

constexpr double kUnits = 16.0; // every picture is drawn on a 16 x 16 grid

const QColor kOutline(40, 40, 40);

// A picture drawn on the 16-unit grid and scaled to `size` pixels.
QImage drawn(int size, const std::function<void(QPainter&)>& draw)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kUnits, size / kUnits);
    draw(p);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QPen pen(const QColor& c, double width = 1.2)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// An arrow head at `tip` pointing along `angle` degrees (0 = right, 90 = down).
void arrowHead(QPainter& p, QPointF tip, double angle, const QColor& c)
{
    const double rad = angle * std::numbers::pi / 180.0;
    const QPointF back(-std::cos(rad) * 3.0, -std::sin(rad) * 3.0);
    const QPointF side(-std::sin(rad) * 2.0, std::cos(rad) * 2.0);
    QPolygonF head;
    head << tip << tip + back + side << tip + back - side;
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(head);
}

// A clock face with its hands at ten past ten.
void clock(QPainter& p, const QColor& rim, const QColor& face, const QColor& hands)
{
    p.setPen(pen(rim, 1.6));
    p.setBrush(face);
    p.drawEllipse(QPointF(7.5, 7.5), 6.2, 6.2);
    p.setPen(pen(hands, 1.3));
    p.drawLine(QPointF(7.5, 7.5), QPointF(7.5, 3.6));
    p.drawLine(QPointF(7.5, 7.5), QPointF(10.4, 8.9));
}

void statePicture(QPainter& p, AlarmRowState state)
{
    switch (state) {
    case AlarmRowState::Inactive:
        clock(p, QColor(150, 150, 150), QColor(225, 225, 225), QColor(150, 150, 150));
        break;
    case AlarmRowState::Recurring: {
        clock(p, QColor(30, 130, 40), Qt::white, kOutline);
        // A turning arrow round the lower right: it comes again.
        const QColor green(30, 130, 40);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(11.5, 11.5), 4.4, 4.4);
        p.setPen(pen(green, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(8.5, 8.5, 6.0, 6.0), 90 * 16, 270 * 16);
        arrowHead(p, QPointF(11.2, 8.5), 180.0, green);
        break;
    }
    case AlarmRowState::OnceAhead:
        clock(p, QColor(30, 80, 200), Qt::white, kOutline);
        break;
    case AlarmRowState::OncePassed: {
        clock(p, QColor(120, 120, 120), QColor(235, 235, 235), QColor(120, 120, 120));
        // Crossed out in red: its time is gone.
        p.setPen(pen(QColor(200, 30, 30), 2.0));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
        p.drawLine(QPointF(14.5, 9.5), QPointF(9.5, 14.5));
        break;
    }
    }
}

void messagePicture(QPainter& p, AlarmMessageKind kind)
{
    switch (kind) {
    case AlarmMessageKind::None:
        break;
    case AlarmMessageKind::Box:
        // A small window with its title bar and a text line.
        p.setPen(pen(kOutline, 1.0));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13.0, 11.0));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 80, 200));
        p.drawRect(QRectF(2.0, 3.0, 12.0, 3.0));
        p.setPen(pen(kOutline, 1.0));
        p.drawLine(QPointF(4.0, 9.0), QPointF(12.0, 9.0));
        p.drawLine(QPointF(4.0, 11.5), QPointF(9.0, 11.5));
        break;
    case AlarmMessageKind::Balloon: {
        // A speech balloon with its tail.
        QPainterPath balloon;
        balloon.addRoundedRect(QRectF(1.0, 1.5, 14.0, 9.5), 3.0, 3.0);
        QPainterPath tail;
        tail.moveTo(4.0, 10.0);
        tail.lineTo(3.5, 14.5);
        tail.lineTo(8.0, 10.0);
        tail.closeSubpath();
        p.setPen(pen(kOutline, 1.0));
        p.setBrush(QColor(255, 250, 205));
        p.drawPath(balloon.united(tail));
        p.setPen(pen(kOutline, 1.0));
        p.drawLine(QPointF(4.0, 5.0), QPointF(12.0, 5.0));
        p.drawLine(QPointF(4.0, 7.5), QPointF(10.0, 7.5));
        break;
    }
    }
}

void actionPicture(QPainter& p, PowerAction action)
{
    switch (action) {
    case PowerAction::PowerOff: {
        // The power sign.
        const QColor red(200, 30, 30);
        p.setPen(pen(red, 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2.0, 2.5, 12.0, 12.0), 120 * 16, 300 * 16);
        p.drawLine(QPointF(8.0, 1.2), QPointF(8.0, 8.0));
        break;
    }
    case PowerAction::Reboot: {
        // Round and back again.
        const QColor green(30, 130, 40);
        p.setPen(pen(green, 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2.0, 2.5, 12.0, 12.0), 60 * 16, 300 * 16);
        arrowHead(p, QPointF(12.2, 1.8), 20.0, green);
        break;
    }
    case PowerAction::Hibernate: {
        // A snowflake: the computer sleeps cold.
        const QColor blue(40, 120, 210);
        p.setPen(pen(blue, 1.4));
        for (int i = 0; i < 3; ++i) {
            const double a = (90.0 + 60.0 * i) * std::numbers::pi / 180.0;
            const QPointF d(std::cos(a) * 6.5, std::sin(a) * 6.5);
            p.drawLine(QPointF(8.0, 8.0) - d, QPointF(8.0, 8.0) + d);
        }
        p.setBrush(blue);
        p.drawEllipse(QPointF(8.0, 8.0), 1.2, 1.2);
        break;
    }
    case PowerAction::Suspend: {
        // A crescent moon.
        QPainterPath moon;
        moon.addEllipse(QPointF(7.5, 8.0), 6.0, 6.0);
        QPainterPath bite;
        bite.addEllipse(QPointF(10.5, 5.5), 5.0, 5.0);
        p.setPen(pen(QColor(150, 110, 0), 1.0));
        p.setBrush(QColor(245, 200, 40));
        p.drawPath(moon.subtracted(bite));
        break;
    }
    case PowerAction::LogOff: {
        // A door and an arrow leaving through it.
        p.setPen(pen(kOutline, 1.2));
        p.setBrush(QColor(200, 160, 110));
        p.drawRect(QRectF(1.5, 1.5, 7.0, 13.0));
        const QColor green(30, 130, 40);
        p.setPen(pen(green, 1.8));
        p.drawLine(QPointF(6.0, 8.0), QPointF(12.0, 8.0));
        arrowHead(p, QPointF(15.0, 8.0), 0.0, green);
        break;
    }
    case PowerAction::MonitorOff:
        // A monitor with a dark screen.
        p.setPen(pen(kOutline, 1.2));
        p.setBrush(QColor(20, 20, 30));
        p.drawRect(QRectF(1.0, 1.5, 14.0, 10.0));
        p.setBrush(kOutline);
        p.drawRect(QRectF(6.5, 11.5, 3.0, 2.0));
        p.drawRect(QRectF(4.0, 13.5, 8.0, 1.0));
        break;
    }
}

void programPicture(QPainter& p)
{
    // A program window with a prompt.
    p.setPen(pen(kOutline, 1.0));
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(QRectF(1.5, 2.5, 13.0, 11.0));
    p.setPen(pen(QColor(90, 220, 90), 1.3));
    p.drawPolyline(QPolygonF({QPointF(4.0, 6.0), QPointF(6.5, 8.0), QPointF(4.0, 10.0)}));
    p.drawLine(QPointF(8.0, 10.5), QPointF(11.5, 10.5));
}

void soundPicture(QPainter& p)
{
    // A loudspeaker and its waves.
    QPolygonF speaker;
    speaker << QPointF(1.5, 6.0) << QPointF(4.5, 6.0) << QPointF(8.0, 2.5) << QPointF(8.0, 13.5)
            << QPointF(4.5, 10.0) << QPointF(1.5, 10.0);
    p.setPen(pen(kOutline, 1.0));
    p.setBrush(QColor(90, 90, 100));
    p.drawPolygon(speaker);
    p.setPen(pen(QColor(30, 80, 200), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6.5, 5.0, 5.0, 6.0), -60 * 16, 120 * 16);
    p.drawArc(QRectF(6.0, 2.5, 8.5, 11.0), -60 * 16, 120 * 16);
}

} // namespace

AlarmRowState alarmRowState(const AlarmEntry& e, const QDateTime& now)
{
    if (!e.active)
        return AlarmRowState::Inactive;
    if (e.recurrence != AlarmRecurrence::Once)
        return AlarmRowState::Recurring;
    const QDate date = e.date();
    const QTime time(e.hour, e.minute);
    if (!date.isValid() || !time.isValid())
        return AlarmRowState::OncePassed;
    // Still ahead during its own minute, which the check has yet to reach.
    const QDateTime minute(now.date(), QTime(now.time().hour(), now.time().minute()));
    return QDateTime(date, time) >= minute ? AlarmRowState::OnceAhead : AlarmRowState::OncePassed;
}

QImage alarmStatePicture(AlarmRowState state, int size)
{
    return drawn(size, [state](QPainter& p) { statePicture(p, state); });
}

QImage alarmMessagePicture(AlarmMessageKind kind, int size)
{
    if (kind == AlarmMessageKind::None)
        return {};
    return drawn(size, [kind](QPainter& p) { messagePicture(p, kind); });
}

QImage powerActionPicture(PowerAction action, int size)
{
    return drawn(size, [action](QPainter& p) { actionPicture(p, action); });
}

QImage alarmProgramPicture(int size)
{
    return drawn(size, programPicture);
}

QImage alarmSoundPicture(int size)
{
    return drawn(size, soundPicture);
}

QImage alarmRowPicture(const AlarmEntry& e, const QDateTime& now)
{
    const QImage parts[kAlarmRowSlots] = {
        alarmStatePicture(alarmRowState(e, now)),
        alarmMessagePicture(e.messageKind),
        e.computerOn ? powerActionPicture(e.computerAction) : QImage(),
        e.programOn ? alarmProgramPicture() : QImage(),
        e.soundOn ? alarmSoundPicture() : QImage(),
    };
    QImage row(kAlarmRowSlotPitch * kAlarmRowSlots - 2, 16, QImage::Format_ARGB32);
    row.fill(Qt::transparent);
    QPainter p(&row);
    for (int i = 0; i < kAlarmRowSlots; ++i) {
        if (!parts[i].isNull())
            p.drawImage(i * kAlarmRowSlotPitch, 0, parts[i]);
    }
    return row;
}

} // namespace zorvex

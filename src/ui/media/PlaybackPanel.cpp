#include "ui/media/PlaybackPanel.h"

#include "core/media/PanelRules.h"

#include <QActionGroup>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace zorvex {
namespace {

constexpr QRgb kTransparent = 0xFFFF00FF;

QRect area(int x, int y, int w, int h) { return {x, y, w, h}; }

// The built-in skin: light grey buttons with dark glyphs on the transparent
// colour; the lit row is white. Greys take the window colour when tinted.
void drawGlyph(QPainter& p, int index, int x, int y)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 60));
    const int cx = x + 7;
    const int cy = y + 8;
    switch (index) {
    case 0: // previous
        p.drawRect(cx - 4, cy - 3, 2, 7);
        p.drawPolygon(QPolygon({QPoint(cx + 3, cy - 3), QPoint(cx + 3, cy + 3), QPoint(cx - 2, cy)}));
        break;
    case 1: // play
        p.drawPolygon(QPolygon({QPoint(cx - 2, cy - 4), QPoint(cx - 2, cy + 4), QPoint(cx + 3, cy)}));
        break;
    case 2: // pause
        p.drawRect(cx - 3, cy - 3, 2, 7);
        p.drawRect(cx + 1, cy - 3, 2, 7);
        break;
    case 3: // stop
        p.drawRect(cx - 3, cy - 3, 6, 6);
        break;
    case 4: // next
        p.drawPolygon(QPolygon({QPoint(cx - 3, cy - 3), QPoint(cx - 3, cy + 3), QPoint(cx + 2, cy)}));
        p.drawRect(cx + 2, cy - 3, 2, 7);
        break;
    case 5: // record
        p.drawEllipse(QPoint(cx, cy), 3, 3);
        break;
    default: break;
    }
}

} // namespace

PlaybackPanel::PlaybackPanel(PlaybackPanelSettings& settings, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("PSnd"));
    setFixedSize(panel::kWidth, panel::kHeight);
    setMouseTracking(false);
    m_skin = builtInSkin();
    m_tinted = tint(m_skin, m_colour);
    redraw();
}

QImage PlaybackPanel::builtInSkin()
{
    QImage img(panel::kSkinWidth, panel::kSkinHeight, QImage::Format_RGB32);
    img.fill(kTransparent);
    QPainter p(&img);
    const int xs[6] = {0, 15, 30, 45, 60, 76};
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < 6; ++i) {
            const int y = row * 17;
            p.fillRect(area(xs[i], y, 15, 16), row ? QColor(255, 255, 255) : QColor(225, 225, 225));
            drawGlyph(p, i, xs[i], y);
        }
    }
    // Recording: normal and lit.
    p.fillRect(area(120, 6, 15, 16), QColor(225, 225, 225));
    drawGlyph(p, 5, 120, 6);
    p.fillRect(area(135, 6, 15, 16), QColor(255, 255, 255));
    p.setBrush(QColor(200, 0, 0));
    p.drawEllipse(QPoint(142, 14), 3, 3);
    // Slider track and knob (normal, dragged).
    p.fillRect(area(120, 0, 53, 5), QColor(128, 128, 128));
    p.fillRect(area(104, 0, 15, 9), QColor(200, 200, 200));
    p.fillRect(area(104, 17, 15, 9), QColor(255, 255, 255));
    // The switch halves: player off/on, radio off/on.
    p.fillRect(area(92, 0, 11, 9), QColor(170, 170, 170));
    p.fillRect(area(92, 17, 11, 9), QColor(255, 255, 255));
    p.fillRect(area(92, 8, 11, 9), QColor(170, 170, 170));
    p.fillRect(area(92, 25, 11, 9), QColor(255, 255, 255));
    p.end();
    // Background and time colour follow the window colour.
    img.setPixel(120, 23, kTransparent);
    img.setPixel(121, 23, kTransparent);
    return img;
}

QImage PlaybackPanel::tint(const QImage& skin, const QColor& colour)
{
    QImage out = skin.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb px = line[x];
            const int v = qRed(px);
            if (v != qGreen(px) || v != qBlue(px))
                continue;
            line[x] = qRgb(panel::tintChannel(colour.red(), v), panel::tintChannel(colour.green(), v),
                           panel::tintChannel(colour.blue(), v));
        }
    }
    return out;
}

bool PlaybackPanel::setSkin(const QImage& skin)
{
    const QImage s = skin.isNull() ? builtInSkin() : skin;
    if (s.width() != panel::kSkinWidth || s.height() != panel::kSkinHeight)
        return false;
    m_skin = s.convertToFormat(QImage::Format_RGB32);
    m_tinted = tint(m_skin, m_colour);
    redraw();
    return true;
}

bool PlaybackPanel::loadSkinFile(const QString& path)
{
    QImage img;
    if (!QFileInfo(path).isFile() || !img.load(path))
        return false;
    return setSkin(img);
}

void PlaybackPanel::setWindowColour(const QColor& colour)
{
    m_colour = colour;
    m_tinted = tint(m_skin, m_colour);
    redraw();
}

void PlaybackPanel::setMode(Mode mode)
{
    if (m_settings.mode == int(mode))
        return;
    m_settings.mode = int(mode);
    redraw();
    emit modeChanged(int(mode));
}

void PlaybackPanel::setView(const PanelView& view)
{
    m_view = view;
    redraw();
}

bool PlaybackPanel::seekSlider() const
{
    return mode() == Player && m_settings.rightPart == PlaybackPanelSettings::SeekSlider;
}

bool PlaybackPanel::volumeSlider() const
{
    if (mode() == Player)
        return m_settings.rightPart == PlaybackPanelSettings::VolumeSlider;
    return !(m_view.recording && m_settings.recordingTime);
}

void PlaybackPanel::redraw()
{
    QImage pic(panel::kWidth, panel::kHeight, QImage::Format_RGB32);
    QRgb bg = m_tinted.pixel(120, 23);
    if (m_skin.pixel(120, 23) == kTransparent)
        bg = m_colour.rgb();
    pic.fill(bg);
    // The transparent colour of the skin shows the background.
    QImage masked = m_tinted.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        const auto* src = reinterpret_cast<const QRgb*>(m_skin.constScanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if (src[x] == kTransparent)
                line[x] = 0;
    }

    QPainter p(&pic);
    const int buttonX[5] = {2, 16, 30, 44, 58};
    const bool player = mode() == Player;
    for (int i = 0; i < 5; ++i) {
        int sprite = i * 15; // previous, play, pause, stop, next
        bool lit = m_pressed == i;
        if (player) {
            if (i == 1)
                lit = lit || (m_view.seekEnabled && !m_view.paused);
            if (i == 2)
                lit = lit || m_view.paused;
        } else {
            if (i == 1)
                lit = lit || m_view.radioActive;
            if (i == 2)
                sprite = 45;
            if (i == 3)
                sprite = 60;
            if (i == 4)
                sprite = 76;
        }
        QRect src(sprite, lit ? 17 : 0, 15, 16);
        if (!player && i == 4 && m_view.recording)
            src = QRect(lit ? 135 : 120, 6, 15, 16);
        p.drawImage(QPoint(buttonX[i], 1), masked, src);
    }

    const bool showTime = player ? (m_settings.rightPart == PlaybackPanelSettings::Elapsed
                                    || m_settings.rightPart == PlaybackPanelSettings::Remaining)
                                 : (m_view.recording && m_settings.recordingTime);
    if (showTime) {
        int s = 0;
        if (!player)
            s = m_view.recordingSeconds;
        else if (m_settings.rightPart == PlaybackPanelSettings::Elapsed)
            s = m_view.seekPosition;
        else
            s = m_view.seekEnabled ? m_view.seekMaximum - m_view.seekPosition : 0;
        s = std::max(0, s);
        QColor text = QColor::fromRgb(m_tinted.pixel(121, 23));
        if (m_skin.pixel(121, 23) == kTransparent)
            text = QColor(panel::timeTextChannel(m_colour.red()), panel::timeTextChannel(m_colour.green()),
                          panel::timeTextChannel(m_colour.blue()));
        QFont f(QStringLiteral("Tahoma"));
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(text);
        p.drawText(QRect(86, 2, 48, 14), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1:%2").arg(s / 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10, QLatin1Char('0')));
    } else {
        p.drawImage(QPoint(77, 7), masked, QRect(120, 0, 53, 5));
        int knob = -1;
        if (m_drag >= 0)
            knob = 70 + m_drag;
        else if (seekSlider())
            knob = m_view.seekEnabled ? panel::knobForSeek(m_view.seekPosition, m_view.seekMaximum) : -1;
        else
            knob = panel::knobForVolume(player ? m_view.volume : m_view.radioVolume);
        if (knob >= 0)
            p.drawImage(QPoint(knob, 5), masked, QRect(104, m_drag >= 0 ? 17 : 0, 15, 9));
    }
    p.drawImage(QPoint(134, 0), masked, QRect(92, player ? 17 : 0, 11, 9));
    p.drawImage(QPoint(134, 9), masked, QRect(92, player ? 8 : 25, 11, 9));
    p.end();
    m_picture = pic;
    update();
}

void PlaybackPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, m_picture);
}

void PlaybackPanel::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const int x = int(e->position().x());
    const int y = int(e->position().y());
    m_pressed = panel::buttonAt(x, y);
    const int sw = panel::switchAt(x, y);
    if (sw >= 0)
        setMode(sw == 0 ? Player : Radio);
    if (panel::inSlider(x, y)) {
        const int pos = std::clamp(x - panel::kTrackLeft, panel::kKnobMin, panel::kKnobMax);
        if (seekSlider()) {
            if (m_view.seekEnabled)
                m_drag = pos;
        } else if (volumeSlider()) {
            m_drag = pos;
            emit (mode() == Player ? volumeRequested(panel::volumeAt(pos)) : radioVolumeRequested(panel::volumeAt(pos)));
        }
    }
    redraw();
}

void PlaybackPanel::mouseMoveEvent(QMouseEvent* e)
{
    if (m_drag < 0)
        return;
    m_drag = std::clamp(int(e->position().x()) - panel::kTrackLeft, panel::kKnobMin, panel::kKnobMax);
    if (!seekSlider())
        emit (mode() == Player ? volumeRequested(panel::volumeAt(m_drag)) : radioVolumeRequested(panel::volumeAt(m_drag)));
    redraw();
}

void PlaybackPanel::mouseReleaseEvent(QMouseEvent* e)
{
    const int x = int(e->position().x());
    const int y = int(e->position().y());
    if (e->button() == Qt::RightButton) {
        if (mode() == Player && panel::inSliderMenu(x, y))
            showSliderMenu(e->globalPosition().toPoint());
        return;
    }
    if (e->button() != Qt::LeftButton)
        return;
    if (m_drag >= 0) {
        if (seekSlider())
            emit seekRequested(panel::seekAt(m_drag, m_view.seekMaximum));
        m_drag = -1;
    }
    const int b = panel::buttonAt(x, y);
    if (b >= 0 && b == m_pressed)
        emit (mode() == Player ? playerCommand(b) : radioCommand(b));
    m_pressed = -1;
    redraw();
}

void PlaybackPanel::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->position().x() < 135)
        return;
    if (e->position().y() <= 8)
        emit openPlayerPage();
    else
        emit openRadioPage();
}

void PlaybackPanel::showSliderMenu(const QPoint& global)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("PopupMenu4"));
    auto* group = new QActionGroup(&menu);
    const char* items[4] = {"Pokaż suwak przewijania utworu", "Pokaż suwak zmiany głośności",
                            "Pokaż czas aktualnie odtwarzanego utworu (upłynęło)",
                            "Pokaż czas aktualnie odtwarzanego utworu (pozostało)"};
    for (int i = 0; i < 4; ++i) {
        QAction* a = menu.addAction(QString::fromUtf8(items[i]));
        a->setCheckable(true);
        a->setChecked(m_settings.rightPart == i);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] {
            m_settings.rightPart = i;
            redraw();
            emit rightPartChosen(i);
        });
    }
    menu.exec(global);
}

} // namespace zorvex

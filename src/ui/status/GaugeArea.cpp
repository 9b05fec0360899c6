#include "ui/status/GaugeArea.h"

#include "core/app/Settings.h"
#include "core/app/TrayIconModel.h"
#include "core/status/DiskCard.h"
#include "core/status/TrafficFormat.h"
#include "ui/common/Fonts.h"
#include "ui/common/QtColour.h"
#include "ui/status/DiskCardWindow.h"
#include "ui/status/StatusService.h"

#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace zorvex {
namespace {

constexpr int kIconX = 119;
constexpr int kIconWidth = 27;

// The built-in disk picture: a small drive seen from the front.
QPixmap builtInDiskPicture()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(190, 190, 200));
    p.drawRoundedRect(QRectF(1.5, 6.5, 21, 12), 2, 2);
    p.setBrush(QColor(120, 120, 130));
    p.drawRect(QRectF(4.5, 13.5, 10, 2));
    p.setBrush(QColor(0, 200, 0));
    p.drawEllipse(QRectF(17.5, 13, 3, 3));
    return pm;
}

} // namespace

GaugeBar::GaugeBar(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(kWidth, kHeight);
}

void GaugeBar::setRow(const GaugeRow& row, Colour textColour)
{
    if (row == m_row && textColour == m_text)
        return;
    m_row = row;
    m_text = textColour;
    setToolTip(row.hint);
    update();
}

void GaugeBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const GaugeLook& look = m_row.look;
    const int inner = kWidth - 2;
    p.fillRect(rect(), toQColor(look.background));
    if (look.gradientFill) {
        for (const GaugeSlice& s : gradientSlices(m_row.progress, m_row.max, 1, inner, look))
            p.fillRect(QRect(s.left, 1, s.right - s.left, kHeight - 2), toQColor(s.colour));
    } else {
        const int right = solidRight(m_row.progress, m_row.max, 1, inner);
        p.fillRect(QRect(1, 1, right - 1, kHeight - 2), toQColor(look.fill));
    }
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(toQColor(m_text));
    p.setFont(pixelFont(boldFamily(13), 13, true));
    p.drawText(rect().adjusted(0, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter, m_row.label);
}

GaugeArea::GaugeArea(StatusService& service, Settings& settings, const QString& dataFolder, QWidget* panel)
    : QWidget(panel)
    , m_service(service)
    , m_settings(settings)
    , m_dataFolder(dataFolder)
{
    setObjectName(QStringLiteral("GaugeArea"));
    static const char* const names[3] = {"GaugeA", "GaugeB", "GaugeC"};
    for (int i = 0; i < 3; ++i) {
        m_bars[i] = new GaugeBar(this);
        m_bars[i]->setObjectName(QLatin1String(names[i]));
    }
    m_disk = new QLabel(this);
    m_disk->setObjectName(QStringLiteral("Image6"));
    m_disk->setAlignment(Qt::AlignCenter);
    m_disk->setAutoFillBackground(true);
    // The free-space card stands in for the icon's hint.
    m_disk->setProperty("zorvexHintCard", true);
    m_disk->setToolTip(QStringLiteral(" "));
    m_disk->installEventFilter(this);
    m_transfer = new QLabel(this);
    m_transfer->setObjectName(QStringLiteral("LabelD"));
    m_transfer->setAlignment(Qt::AlignCenter);
    m_transfer->setAutoFillBackground(true);
    m_transfer->setFont(tahoma(7, true));
    m_card = new DiskCardWindow;

    if (panel) {
        auto* layout = qobject_cast<QVBoxLayout*>(panel->layout());
        if (!layout) {
            layout = new QVBoxLayout(panel);
            layout->setContentsMargins(0, 0, 0, 0);
        }
        layout->addWidget(this);
    }
    connect(&service, &StatusService::gaugesChanged, this, &GaugeArea::showRows);
    connect(&service, &StatusService::trafficSampled, this, &GaugeArea::showTransfer);
    loadDiskIcon();
    relayout();
}

GaugeArea::~GaugeArea()
{
    delete m_card;
}

void GaugeArea::relayout()
{
    const MainWindowSettings& s = m_settings.main;
    const bool upper = s.memoryPanelsVisible;
    const bool lower = s.cpuPanelVisible;
    m_bars[0]->setVisible(upper);
    m_bars[1]->setVisible(upper);
    m_disk->setVisible(upper);
    m_bars[2]->setVisible(lower);
    m_transfer->setVisible(lower && s.transferPanelVisible);
    m_bars[0]->move(2, 1);
    m_bars[1]->move(2, 16);
    const int lowerY = upper ? 31 : 2;
    m_bars[2]->move(2, lowerY);
    m_disk->setGeometry(kIconX, 1, kIconWidth, 30);
    m_transfer->setGeometry(kIconX, lowerY, kIconWidth, GaugeBar::kHeight);
    QPalette pal = m_disk->palette();
    pal.setColor(QPalette::Window, toQColor(s.infoPanelBackground));
    pal.setColor(QPalette::WindowText, toQColor(s.textColour(TextElement::InfoPanel)));
    m_disk->setPalette(pal);
    m_transfer->setPalette(pal);
    showRows(0b111);
    showTransfer();
}

void GaugeArea::resizeEvent(QResizeEvent*)
{
    relayout();
}

void GaugeArea::showRows(unsigned rows)
{
    const Colour text = m_settings.main.textColour(TextElement::InfoPanel);
    for (int r = 1; r <= 3; ++r) {
        if (rows & (1u << (r - 1)))
            m_bars[r - 1]->setRow(m_service.gauges().row(r), text);
    }
}

void GaugeArea::showTransfer()
{
    if (!m_transfer->isVisible())
        return;
    QString text;
    if (m_settings.siec.active) {
        if (const auto f = m_service.traffic())
            text = transferIconText(m_settings.main.transferPanelDirection == 1 ? f->sentKbPerSecond : f->receivedKbPerSecond).text;
        else
            text = QStringLiteral("0");
    }
    if (text != m_transfer->text())
        m_transfer->setText(text);
}

void GaugeArea::loadDiskIcon()
{
    QPixmap picture;
    const QString name = m_settings.main.diskIconSet;
    if (!name.isEmpty()) {
        const QString folder = QDir(m_dataFolder).filePath(QStringLiteral("Gfx/Dysk/") + name);
        if (QFileInfo::exists(folder + QStringLiteral("/skin.png"))) {
            picture.load(folder + QStringLiteral("/skin.png"));
        } else if (QFileInfo::exists(folder + QStringLiteral("/skin.gif"))) {
            picture.load(folder + QStringLiteral("/skin.gif"));
            if (!picture.isNull())
                picture = picture.scaled(kIconWidth, 30);
        } else if (QFileInfo::exists(folder + QStringLiteral("/skin.bmp"))) {
            QImage image(folder + QStringLiteral("/skin.bmp"));
            if (!image.isNull()) {
                image = image.convertToFormat(QImage::Format_ARGB32);
                for (int y = 0; y < image.height(); ++y) {
                    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                    for (int x = 0; x < image.width(); ++x) {
                        if ((line[x] & 0xFFFFFF) == 0xFF00FF)
                            line[x] = 0;
                    }
                }
                picture = QPixmap::fromImage(image);
            }
        }
    }
    if (picture.isNull())
        picture = builtInDiskPicture();
    m_disk->setPixmap(picture);
}

DiskCard GaugeArea::scanDisks() const
{
    const MainWindowSettings& s = m_settings.main;
    DiskCardOptions options;
    options.mode = s.diskPanelMode;
    options.sum = s.diskSum;
    options.removable = s.removableDisks;
    options.removableGb = s.removableDisksInGb == 1;
    return buildDiskCard(m_service.drives().drives(options.removable), options);
}

void GaugeArea::showCard(const QPoint& globalPos)
{
    if (m_card->isVisible())
        return;
    const MainWindowSettings& s = m_settings.main;
    const DiskCard card = scanDisks();
    m_card->setCard(card, s.diskPanelMode, s.shadedGauges, m_service.gauges().options().colours, s.textColour(TextElement::InfoPanel));
    m_card->showAt(globalPos, m_disk);
}

void GaugeArea::checkCard()
{
    if (!m_card->isVisible())
        return;
    const QPoint pointer = QCursor::pos();
    const QRect icon(m_disk->mapToGlobal(QPoint(0, 0)), m_disk->size());
    if (!icon.contains(pointer) || m_card->geometry().contains(pointer) || !m_disk->isVisible()) {
        m_card->hide();
        return;
    }
    const MainWindowSettings& s = m_settings.main;
    const DiskCard card = scanDisks();
    // A drive that came or went changes the card's size: it closes.
    if (card.lineCount != m_card->card().lineCount) {
        m_card->hide();
        return;
    }
    m_card->setCard(card, s.diskPanelMode, s.shadedGauges, m_service.gauges().options().colours, s.textColour(TextElement::InfoPanel));
}

bool GaugeArea::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_disk && e->type() == QEvent::MouseButtonPress)
        m_card->hide();
    return QWidget::eventFilter(watched, e);
}

void GaugeArea::tick(TickStep step, const QDateTime&)
{
    if (step == TickStep::FreeSpaceCard)
        checkCard();
}

} // namespace zorvex

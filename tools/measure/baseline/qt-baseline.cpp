// A bare Qt program to measure the main window against: a 147-pixel-wide
// window with a 147 x 15 strip scrolling its text by 1 pixel every 40 ms,
// drawn as text at every step (--scroll text) or copied from a picture
// rendered once (--scroll pixmap), optionally with a clock label beside it
// that changes at every new second (--clock). With --startup it reports the
// time until its window was shown, as ZORVEX_REPORT_STARTUP does for the
// program, and ends. With --cover it is a plain window over the whole
// screen, to hide other windows under it.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QGuiApplication>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

namespace {

const qint64 g_loadedAtMs = QDateTime::currentMSecsSinceEpoch();

const QString kText = QString::fromUtf8(
    "Imieniny: Danuty, Genowefy, Jana. Sentencja: Kto rano wstaje, temu Pan Bóg daje.");

class Strip : public QWidget {
public:
    Strip(bool pixmap, QWidget* parent)
        : QWidget(parent)
        , m_pixmap(pixmap)
    {
        setFixedSize(147, 15);
        setAttribute(Qt::WA_OpaquePaintEvent);
        m_period = fontMetrics().horizontalAdvance(kText) + 48;
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            if (--m_position <= -m_period)
                m_position += m_period;
            update();
        });
        m_timer.start(40);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        if (m_pixmap) {
            if (m_picture.isNull()) {
                m_picture = QPixmap(m_period, height());
                m_picture.fill(Qt::white);
                QPainter pp(&m_picture);
                pp.setPen(Qt::black);
                pp.drawText(QPoint(0, fontMetrics().ascent()), kText);
            }
            for (int x = m_position; x < width(); x += m_period)
                p.drawPixmap(x, 0, m_picture);
            return;
        }
        p.fillRect(rect(), Qt::white);
        p.setPen(Qt::black);
        for (int x = m_position; x < width(); x += m_period)
            p.drawText(QPoint(x, fontMetrics().ascent()), kText);
    }

private:
    bool m_pixmap;
    int m_period = 1;
    int m_position = 2;
    QPixmap m_picture;
    QTimer m_timer;
};

class Window : public QWidget {
public:
    bool reportShown = false;

protected:
    bool event(QEvent* e) override
    {
        const bool result = QWidget::event(e);
        if (e->type() == QEvent::Show && reportShown) {
            reportShown = false;
            bool ok = false;
            const qint64 launch = qEnvironmentVariable("ZORVEX_REPORT_STARTUP").toLongLong(&ok);
            const qint64 now = QDateTime::currentMSecsSinceEpoch();
            const bool launchTime = ok && launch <= now && now - launch < 3600 * 1000;
            std::fprintf(stderr, "Okno pokazane po %lld ms\n", (long long)(now - (launchTime ? launch : g_loadedAtMs)));
            std::fflush(stderr);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return result;
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int scrollAt = args.indexOf(QStringLiteral("--scroll"));
    const QString scroll = scrollAt > 0 && scrollAt + 1 < args.size() ? args[scrollAt + 1] : QStringLiteral("none");
    const bool clock = args.contains(QStringLiteral("--clock"));

    Window window;
    if (args.contains(QStringLiteral("--cover"))) {
        window.setWindowTitle(QStringLiteral("Qt cover"));
        window.setGeometry(QGuiApplication::primaryScreen()->geometry());
        window.show();
        window.raise();
        return app.exec();
    }
    window.reportShown = args.contains(QStringLiteral("--startup"));
    window.setWindowTitle(QStringLiteral("Qt baseline"));
    window.setFixedWidth(147);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* month = new QLabel(QStringLiteral("Grudzień 2026"), &window);
    month->setAlignment(Qt::AlignCenter);
    layout->addWidget(month);
    QTimer clockTimer;
    if (clock) {
        auto* label = new QLabel(&window);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
        // Each new second, just after it begins.
        clockTimer.setSingleShot(true);
        clockTimer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&clockTimer, &QTimer::timeout, label, [label, &clockTimer] {
            const QDateTime now = QDateTime::currentDateTime();
            label->setText(now.time().toString(QStringLiteral("HH:mm:ss")));
            clockTimer.start(int(1000 - now.toMSecsSinceEpoch() % 1000) + 2);
        });
        clockTimer.start(0);
    }
    if (scroll == QLatin1String("text") || scroll == QLatin1String("pixmap"))
        layout->addWidget(new Strip(scroll == QLatin1String("pixmap"), &window));
    layout->addStretch(1);
    window.resize(147, 282);
    window.show();
    return app.exec();
}

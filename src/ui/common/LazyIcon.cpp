#include "ui/common/LazyIcon.h"

#include <QIconEngine>
#include <QPainter>

#include <algorithm>
#include <memory>

namespace zorvex {
namespace {

class LazyIconEngine : public QIconEngine {
public:
    LazyIconEngine(std::shared_ptr<std::function<QIcon()>> draw, int largest)
        : m_draw(std::move(draw))
        , m_largest(largest)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        drawn().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return drawn().pixmap(size, mode, state);
    }
    // As an icon of square pictures answers: the largest one, scaled down
    // to fit the size asked for.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min({size.width(), size.height(), m_largest});
        return QSize(side, side);
    }
    QIconEngine* clone() const override { return new LazyIconEngine(m_draw, m_largest); }
    QString key() const override { return QStringLiteral("zorvex-lazy"); }

private:
    const QIcon& drawn()
    {
        if (m_icon.isNull() && *m_draw)
            m_icon = (*m_draw)();
        return m_icon;
    }

    std::shared_ptr<std::function<QIcon()>> m_draw;
    int m_largest;
    QIcon m_icon;
};

} // namespace

QIcon lazyIcon(std::function<QIcon()> draw, int largest)
{
    return QIcon(new LazyIconEngine(std::make_shared<std::function<QIcon()>>(std::move(draw)), largest));
}

} // namespace zorvex

#include "ClockTreeItem.h"

#include "ClockTreePainter.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QtMath>

#include <algorithm>
#include <cstdio>

namespace {

// bench/startup times the program from its start to the drawing painted on
// screen: with TICKFORGE_PAINT_MARK set, the first paint into a view prints
// "painted" on standard output.
void markFirstPaint(const QWidget *widget)
{
    static const bool wanted = qEnvironmentVariableIsSet("TICKFORGE_PAINT_MARK");
    static bool marked = false;
    if (!wanted || marked || !widget)
        return;
    marked = true;
    std::fputs("painted\n", stdout);
    std::fflush(stdout);
}

} // namespace

ClockTreeItem::ClockTreeItem(const ClockTree::Layout &layout, QGraphicsItem *parent)
    : QGraphicsItem(parent), m_layout(layout)
{
    setFlag(ItemUsesExtendedStyleOption); // exposedRect for the direct path
}

namespace {

// The size a label of this text takes: its bounding box as a text layout
// makes it. One line of plain ASCII is a line of the font itself, measured
// without laying it out (a layout per caption cost 3 % of a drawing's build).
QSize textBox(const QString &text, const QFont &font)
{
    const bool plainLine = std::all_of(text.cbegin(), text.cend(),
                                       [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7f; });
    if (!plainLine || text.isEmpty())
        return QFontMetrics(font).boundingRect(0, 0, 2000, 2000, Qt::AlignLeft, text).size();
    const QFontMetricsF metrics(font);
    // As the layout does: the leading above the line, rounded up to a pixel.
    const qreal height = qCeil(metrics.leading()) + metrics.ascent() + metrics.descent();
    // A last glyph that reaches past its advance widens the line.
    const qreal overhang = qMax<qreal>(0, -metrics.rightBearing(text.back()));
    return QSize(qCeil(metrics.horizontalAdvance(text) + overhang), qCeil(height));
}

} // namespace

void ClockTreeItem::addText(const QString &text, const QPoint &pos, const QFont &font)
{
    const QSize box = textBox(text, font);
    m_texts.append({QRect(pos, box), text, font});
}

void ClockTreeItem::paintTexts(QPainter *painter) const
{
    if (m_texts.isEmpty())
        return;
    painter->save();
    painter->setPen(QGuiApplication::palette().color(QPalette::WindowText));
    for (const Text &text : m_texts) {
        painter->setFont(text.font);
        painter->drawText(text.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextForceLeftToRight, text.text);
    }
    painter->restore();
}

QRectF ClockTreeItem::boundingRect() const
{
    return QRectF(QPointF(0, 0), QSizeF(m_layout.size));
}

void ClockTreeItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    if (m_layout.size.isEmpty())
        return;
    markFirstPaint(widget);
    const QTransform world = painter->worldTransform();
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const bool plainScale = world.type() <= QTransform::TxScale && qFuzzyCompare(world.m11(), world.m22());
    const qreal scale = world.m11() * dpr;
    const bool raster = painter->paintEngine() && painter->paintEngine()->type() == QPaintEngine::Raster;
    const QSizeF pixels = QSizeF(m_layout.size) * scale;
    if (raster && plainScale && scale > 0 && pixels.width() * pixels.height() <= kCachePixels) {
        // The view's picture is kept for its next repaint; one painted
        // without a view (an exported picture) is drawn and dropped.
        QImage oneOff;
        if (m_cache.isNull() || !qFuzzyCompare(m_cacheScale, scale)) {
            QImage &picture = widget ? m_cache : oneOff;
            picture = ClockTree::renderClockTree(m_layout, scale);
            picture.setDevicePixelRatio(dpr);
            if (widget)
                m_cacheScale = scale;
        }
        // One picture pixel on one device pixel: drawn untransformed, its
        // corner on a whole device pixel.
        const QPointF origin = world.map(QPointF(0, 0)) * dpr;
        painter->save();
        painter->resetTransform();
        painter->drawImage(QPointF(qRound(origin.x()), qRound(origin.y())) / dpr,
                           oneOff.isNull() ? m_cache : oneOff);
        painter->restore();
        paintTexts(painter);
        return;
    }
    // Too large to keep, or a device that takes vectors.
    if (widget) {
        m_cache = QImage();
        m_cacheScale = 0;
    }
    painter->save();
    const QRectF exposed = option ? option->exposedRect & boundingRect() : boundingRect();
    painter->setClipRect(exposed);
    painter->fillRect(exposed, Qt::white);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::TextAntialiasing);
    ClockTree::paintClockTree(*painter, m_layout);
    paintTexts(painter);
    painter->restore();
}

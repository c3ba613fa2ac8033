#include "ClockTreeItem.h"

#include "ClockTreePainter.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QtMath>

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

void ClockTreeItem::addText(const QString &text, const QPoint &pos, const QFont &font)
{
    // The size a label of this text takes: the text's bounding box.
    const QRect box = QFontMetrics(font).boundingRect(0, 0, 2000, 2000, Qt::AlignLeft, text);
    m_texts.append({QRect(pos, box.size()), text, font});
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

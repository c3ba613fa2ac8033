#include "ClockTreeItem.h"

#include "ClockTreePainter.h"

#include <QFontMetrics>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QtMath>

#include <algorithm>

ClockTreeItem::ClockTreeItem(const ClockTree::Layout &layout, QGraphicsItem *parent)
    : QGraphicsItem(parent), m_layout(layout)
{
    // Kept as pixels at the scale shown, so a scroll step copies them; a zoom
    // step paints it afresh at the new scale.
    setCacheMode(DeviceCoordinateCache);
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
    update(); // the kept pixels lack it
}

void ClockTreeItem::setTexts(const QVector<Text> &texts)
{
    m_texts = texts;
    update();
}

QGraphicsView *ClockTreeItem::view() const
{
    const QList<QGraphicsView *> views = scene() ? scene()->views() : QList<QGraphicsView *>();
    return views.value(0);
}

void ClockTreeItem::paintTexts(QPainter *painter) const
{
    if (m_texts.isEmpty())
        return;
    painter->save();
    painter->setPen(QGuiApplication::palette().color(QPalette::WindowText));
    // Captions are as big as labels on the view: at the view's resolution,
    // also in the cache's pixmap, whose resolution may be another.
    const int deviceDpi = painter->device()->logicalDpiY();
    const qreal dpiScale = qreal(view() ? view()->viewport()->logicalDpiY() : deviceDpi) / deviceDpi;
    for (const Text &text : m_texts) {
        QFont font = text.font;
        if (dpiScale != 1)
            font.setPointSizeF(font.pointSizeF() * dpiScale);
        painter->setFont(font);
        painter->drawText(text.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextForceLeftToRight, text.text);
    }
    painter->restore();
}

QRectF ClockTreeItem::boundingRect() const
{
    return QRectF(QPointF(0, 0), QSizeF(m_layout.size));
}

void ClockTreeItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (m_layout.size.isEmpty())
        return;
    painter->save();
    painter->fillRect(boundingRect(), Qt::white);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::TextAntialiasing);
    ClockTree::paintClockTree(*painter, m_layout);
    paintTexts(painter);
    painter->restore();
}

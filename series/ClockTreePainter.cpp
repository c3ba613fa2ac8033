#include "ClockTreePainter.h"

#include "ClockTreeLayout.h"

#include <QPaintDevice>

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace ClockTree {

namespace {

// One palette for every drawing: blues that match the controls' borders.
const QColor kWire(45, 62, 80);
const QColor kBorder(0, 112, 192);
const QColor kTitle(31, 56, 100);
const QColor kOscFill(222, 235, 246);
const QColor kMuxFill(204, 228, 247);
const QColor kBlockFill(240, 246, 252);
const QColor kPllFill(230, 241, 251);
const QColor kPanelFill(247, 250, 253);
const QColor kEndpointFill(236, 242, 248);
const QColor kPinFill(189, 215, 238);

// The drawing's texts are sized as the build renders the bitmaps (offscreen,
// whose images have 100 dpi); on a device of another resolution they keep
// that size in drawing units.
constexpr int kDrawingDpi = 100;

QFont titleFont(const QPainter &p, int pointSize = 9)
{
    QFont font(QStringLiteral("Arial"), pointSize);
    const int dpi = p.device() ? p.device()->logicalDpiY() : kDrawingDpi;
    if (dpi != kDrawingDpi && dpi > 0)
        font.setPointSizeF(pointSize * double(kDrawingDpi) / dpi);
    font.setBold(true);
    return font;
}

void drawArrow(QPainter &p, const QPointF &from, const QPointF &tip)
{
    const double angle = qAtan2(tip.y() - from.y(), tip.x() - from.x());
    const double length = 8.0;
    const double spread = 0.42;
    QPolygonF head;
    head << tip << QPointF(tip.x() - length * qCos(angle - spread), tip.y() - length * qSin(angle - spread))
         << QPointF(tip.x() - length * qCos(angle + spread), tip.y() - length * qSin(angle + spread));
    p.setBrush(kWire);
    p.drawPolygon(head);
}

void drawWire(QPainter &p, const Wire &wire)
{
    if (wire.points.size() < 2)
        return;
    p.setPen(QPen(kWire, 1.6, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    QPolygonF line;
    for (const QPoint &pt : wire.points)
        line << QPointF(pt);
    if (wire.arrow) {
        // Stop the line at the arrow's base so the tip stays sharp.
        const QPointF tip = line.last();
        const QPointF prev = line.at(line.size() - 2);
        const QPointF dir = tip - prev;
        const double len = qSqrt(dir.x() * dir.x() + dir.y() * dir.y());
        if (len > 6.0)
            line.last() = tip - dir * (6.0 / len);
        p.drawPolyline(line);
        p.setPen(QPen(kWire, 1.0));
        drawArrow(p, prev, tip);
    } else {
        p.drawPolyline(line);
    }
}

void drawTitle(QPainter &p, const QRect &rect, const QString &title, Qt::Alignment align)
{
    if (title.isEmpty())
        return;
    p.setFont(titleFont(p));
    p.setPen(kTitle);
    p.drawText(rect.adjusted(6, 2, -6, -2), int(align), title);
}

// A small sine glyph marks an oscillator.
void drawWave(QPainter &p, const QRect &rect)
{
    QPainterPath wave;
    const double x0 = rect.right() - 26;
    const double y0 = rect.top() + 12;
    wave.moveTo(x0, y0);
    for (int i = 1; i <= 20; ++i)
        wave.lineTo(x0 + i, y0 - 5.0 * qSin(i * M_PI / 10.0));
    p.setPen(QPen(kBorder, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
}

void drawMux(QPainter &p, const Node &node)
{
    const QRectF r(node.rect);
    const double inset = qMin(r.height() * 0.18, 18.0);
    QPolygonF shape;
    if (node.outputsLeft) {
        shape << QPointF(r.right(), r.top()) << QPointF(r.right(), r.bottom())
              << QPointF(r.left(), r.bottom() - inset) << QPointF(r.left(), r.top() + inset);
    } else {
        shape << QPointF(r.left(), r.top()) << QPointF(r.right(), r.top() + inset)
              << QPointF(r.right(), r.bottom() - inset) << QPointF(r.left(), r.bottom());
    }
    p.setPen(QPen(kBorder, 1.6));
    p.setBrush(kMuxFill);
    p.drawPolygon(shape);
}

void drawNode(QPainter &p, const Node &node)
{
    const QRect &r = node.rect;
    switch (node.shape) {
    case Shape::Oscillator:
        p.setPen(QPen(kBorder, 1.6));
        p.setBrush(kOscFill);
        p.drawRoundedRect(r, 5, 5);
        drawWave(p, r);
        break;
    case Shape::Pin: {
        // Pads on the package edge, joined to the oscillator.
        p.setPen(QPen(kBorder, 1.2));
        p.setBrush(kPinFill);
        const int pads[] = {r.top() + 4, r.bottom() - 20};
        for (int top : pads) {
            p.drawRect(QRect(r.left() + 33, top + 4, 8, 8));
            p.drawLine(r.left() + 41, top + 8, r.right(), top + 8);
        }
        break;
    }
    case Shape::Mux:
        drawMux(p, node);
        break;
    case Shape::Divider:
        p.setPen(QPen(kBorder, 1.4));
        p.setBrush(kBlockFill);
        p.drawRect(r);
        drawTitle(p, r, node.title, Qt::AlignRight | Qt::AlignTop);
        break;
    case Shape::Pll:
        p.setPen(QPen(kBorder, 2.2));
        p.setBrush(kPllFill);
        p.drawRoundedRect(r, 4, 4);
        drawTitle(p, r, node.title, Qt::AlignRight | Qt::AlignTop);
        break;
    case Shape::Multiplier:
        p.setPen(QPen(kBorder, 1.2));
        p.setBrush(kBlockFill);
        p.drawRoundedRect(r, 10, 10);
        break;
    case Shape::Endpoint:
        p.setPen(QPen(kBorder, 1.4));
        p.setBrush(kEndpointFill);
        p.drawRoundedRect(r, 6, 6);
        drawTitle(p, r, node.title, Qt::AlignLeft | Qt::AlignTop);
        break;
    case Shape::Panel:
        p.setPen(QPen(kBorder, 1.0, Qt::DashLine));
        p.setBrush(kPanelFill);
        p.drawRoundedRect(r, 6, 6);
        break;
    case Shape::Region:
        break;
    }
}

} // namespace

void paintClockTree(QPainter &p, const Layout &layout)
{
    p.save();
    layout.visitInDrawingOrder([&p](const Node &node) { drawNode(p, node); },
                               [&p](const Wire &wire) { drawWire(p, wire); });
    p.setPen(Qt::NoPen);
    p.setBrush(kWire);
    for (const QPoint &dot : layout.junctions)
        p.drawEllipse(QPointF(dot), 3.0, 3.0);
    if (!layout.caption.isEmpty()) {
        p.setFont(titleFont(p, 14));
        p.setPen(kTitle);
        p.drawText(QRect(layout.size.width() - 260, layout.size.height() - 40, 244, 30),
                   Qt::AlignRight | Qt::AlignVCenter, layout.caption);
    }
    p.restore();
}

QImage renderClockTree(const Layout &layout, qreal scale)
{
    QImage image((QSizeF(layout.size) * scale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    paintClockTree(p, layout);
    return image;
}

} // namespace ClockTree

#include "SvgDrawing.h"

#include "ClockPaths.h"
#include "ClockTreeLayout.h"

#include <QXmlStreamWriter>
#include <QtMath>

// The shapes, colours and pen widths are those of the window's painter
// (ClockTreePainter); this writer states them in SVG terms.

namespace SvgDrawing {

QString Colour::name() const
{
    if (!set)
        return QStringLiteral("none");
    return QStringLiteral("#%1%2%3")
        .arg(red, 2, 16, QLatin1Char('0'))
        .arg(green, 2, 16, QLatin1Char('0'))
        .arg(blue, 2, 16, QLatin1Char('0'));
}

namespace {

using ClockTree::Node;
using ClockTree::Shape;
using ClockTree::Wire;

constexpr Colour kWire = Colour::rgb(45, 62, 80);
constexpr Colour kBorder = Colour::rgb(0, 112, 192);
constexpr Colour kTitle = Colour::rgb(31, 56, 100);
constexpr Colour kOscFill = Colour::rgb(222, 235, 246);
constexpr Colour kMuxFill = Colour::rgb(204, 228, 247);
constexpr Colour kBlockFill = Colour::rgb(240, 246, 252);
constexpr Colour kPllFill = Colour::rgb(230, 241, 251);
constexpr Colour kPanelFill = Colour::rgb(247, 250, 253);
constexpr Colour kEndpointFill = Colour::rgb(236, 242, 248);
constexpr Colour kPinFill = Colour::rgb(189, 215, 238);

// Texts are sized in drawing pixels as the drawing's 100 dpi gives them.
constexpr double kPixelsPerPoint = 100.0 / 72.0;
// Ascent and descent of the drawing's sans-serif face, in ems.
constexpr double kAscent = 0.905;
constexpr double kDescent = 0.212;

// Coordinates to a hundredth of a pixel.
QString num(double v)
{
    return ClockPaths::number(v, 2);
}

QString colour(const Colour &c)
{
    return c.name();
}

constexpr Colour kNone;
constexpr Colour kBlack = Colour::rgb(0, 0, 0);
constexpr Colour kWhite = Colour::rgb(255, 255, 255);
constexpr Colour kGrayBorder = Colour::rgb(160, 160, 164);
constexpr Colour kControlBlue = Colour::rgb(0, 176, 240);
constexpr Colour kControlLight = Colour::rgb(102, 214, 250);

class Writer {
public:
    explicit Writer(QString *out) : m_xml(out) { m_xml.setAutoFormatting(false); }

    QXmlStreamWriter &xml() { return m_xml; }

    void style(const Colour &stroke, double width, const Colour &fill)
    {
        m_xml.writeAttribute(QStringLiteral("fill"), colour(fill));
        if (stroke.set && width > 0) {
            m_xml.writeAttribute(QStringLiteral("stroke"), colour(stroke));
            m_xml.writeAttribute(QStringLiteral("stroke-width"), num(width));
        }
    }

    void rect(const QRectF &r, double radius, const Colour &stroke, double width, const Colour &fill,
              const QString &dash = QString())
    {
        m_xml.writeEmptyElement(QStringLiteral("rect"));
        m_xml.writeAttribute(QStringLiteral("x"), num(r.x()));
        m_xml.writeAttribute(QStringLiteral("y"), num(r.y()));
        m_xml.writeAttribute(QStringLiteral("width"), num(r.width()));
        m_xml.writeAttribute(QStringLiteral("height"), num(r.height()));
        if (radius > 0) {
            m_xml.writeAttribute(QStringLiteral("rx"), num(radius));
            m_xml.writeAttribute(QStringLiteral("ry"), num(radius));
        }
        style(stroke, width, fill);
        if (!dash.isEmpty())
            m_xml.writeAttribute(QStringLiteral("stroke-dasharray"), dash);
    }

    void polygon(const QVector<QPointF> &points, const Colour &stroke, double width, const Colour &fill,
                 bool closed = true)
    {
        m_xml.writeEmptyElement(closed ? QStringLiteral("polygon") : QStringLiteral("polyline"));
        QStringList coords;
        for (const QPointF &p : points)
            coords << num(p.x()) + QLatin1Char(',') + num(p.y());
        m_xml.writeAttribute(QStringLiteral("points"), coords.join(QLatin1Char(' ')));
        style(stroke, width, fill);
        if (!closed) {
            m_xml.writeAttribute(QStringLiteral("stroke-linecap"), QStringLiteral("butt"));
            m_xml.writeAttribute(QStringLiteral("stroke-linejoin"), QStringLiteral("miter"));
        }
    }

    // Text laid out as Qt does in a box: `align` of Qt::Alignment values.
    void text(const QRectF &box, int align, const QString &text, double pointSize, bool bold, const Colour &c)
    {
        if (text.isEmpty())
            return;
        // The window's hinted fonts come in whole pixel sizes.
        const double px = qRound(pointSize * kPixelsPerPoint);
        double y = box.top() + px * kAscent;
        if (align & Qt::AlignVCenter)
            y = box.top() + (box.height() - px * (kAscent + kDescent)) / 2 + px * kAscent;
        double x = box.left();
        QString anchor;
        if (align & Qt::AlignRight) {
            x = box.right();
            anchor = QStringLiteral("end");
        } else if (align & Qt::AlignHCenter) {
            x = box.center().x();
            anchor = QStringLiteral("middle");
        }
        m_xml.writeStartElement(QStringLiteral("text"));
        m_xml.writeAttribute(QStringLiteral("x"), num(x));
        m_xml.writeAttribute(QStringLiteral("y"), num(y));
        m_xml.writeAttribute(QStringLiteral("font-size"), num(px));
        if (bold)
            m_xml.writeAttribute(QStringLiteral("font-weight"), QStringLiteral("bold"));
        if (!anchor.isEmpty())
            m_xml.writeAttribute(QStringLiteral("text-anchor"), anchor);
        if (c != kBlack)
            m_xml.writeAttribute(QStringLiteral("fill"), colour(c));
        m_xml.writeCharacters(text);
        m_xml.writeEndElement();
    }

private:
    QXmlStreamWriter m_xml;
};

void writeArrow(Writer &w, const QPointF &from, const QPointF &tip)
{
    const double angle = qAtan2(tip.y() - from.y(), tip.x() - from.x());
    const double length = 8.0;
    const double spread = 0.42;
    w.polygon({tip, QPointF(tip.x() - length * qCos(angle - spread), tip.y() - length * qSin(angle - spread)),
               QPointF(tip.x() - length * qCos(angle + spread), tip.y() - length * qSin(angle + spread))},
              kWire, 1.0, kWire);
}

void writeWire(Writer &w, const Wire &wire)
{
    if (wire.points.size() < 2)
        return;
    QVector<QPointF> line;
    for (const QPoint &pt : wire.points)
        line << QPointF(pt);
    if (!wire.arrow) {
        w.polygon(line, kWire, 1.6, kNone, false);
        return;
    }
    // The line stops at the arrow's base so the tip stays sharp.
    const QPointF tip = line.last();
    const QPointF prev = line.at(line.size() - 2);
    const QPointF dir = tip - prev;
    const double len = qSqrt(dir.x() * dir.x() + dir.y() * dir.y());
    if (len > 6.0)
        line.last() = tip - dir * (6.0 / len);
    w.polygon(line, kWire, 1.6, kNone, false);
    writeArrow(w, prev, tip);
}

void writeTitle(Writer &w, const QRect &rect, const QString &title, int align)
{
    w.text(QRectF(rect.adjusted(6, 2, -6, -2)), align, title, 9, true, kTitle);
}

void writeWave(Writer &w, const QRect &rect)
{
    const double x0 = rect.right() - 26;
    const double y0 = rect.top() + 12;
    QVector<QPointF> wave{QPointF(x0, y0)};
    for (int i = 1; i <= 20; ++i)
        wave << QPointF(x0 + i, y0 - 5.0 * qSin(i * M_PI / 10.0));
    w.polygon(wave, kBorder, 1.4, kNone, false);
}

void writeNode(Writer &w, const Node &node)
{
    const QRect &r = node.rect;
    const QRectF f(r);
    switch (node.shape) {
    case Shape::Oscillator:
        w.rect(f, 5, kBorder, 1.6, kOscFill);
        writeWave(w, r);
        break;
    case Shape::Pin:
        for (int top : {r.top() + 4, r.bottom() - 20}) {
            w.rect(QRectF(r.left() + 33, top + 4, 8, 8), 0, kBorder, 1.2, kPinFill);
            w.polygon({QPointF(r.left() + 41, top + 8), QPointF(r.right(), top + 8)}, kBorder, 1.2, kNone,
                      false);
        }
        break;
    case Shape::Mux: {
        const double inset = qMin(f.height() * 0.18, 18.0);
        QVector<QPointF> shape;
        if (node.outputsLeft)
            shape << QPointF(f.right(), f.top()) << QPointF(f.right(), f.bottom())
                  << QPointF(f.left(), f.bottom() - inset) << QPointF(f.left(), f.top() + inset);
        else
            shape << QPointF(f.left(), f.top()) << QPointF(f.right(), f.top() + inset)
                  << QPointF(f.right(), f.bottom() - inset) << QPointF(f.left(), f.bottom());
        w.polygon(shape, kBorder, 1.6, kMuxFill);
        break;
    }
    case Shape::Divider:
        w.rect(f, 0, kBorder, 1.4, kBlockFill);
        writeTitle(w, r, node.title, Qt::AlignRight | Qt::AlignTop);
        break;
    case Shape::Pll:
        w.rect(f, 4, kBorder, 2.2, kPllFill);
        writeTitle(w, r, node.title, Qt::AlignRight | Qt::AlignTop);
        break;
    case Shape::Multiplier:
        w.rect(f, 10, kBorder, 1.2, kBlockFill);
        break;
    case Shape::Endpoint:
        w.rect(f, 6, kBorder, 1.4, kEndpointFill);
        writeTitle(w, r, node.title, Qt::AlignLeft | Qt::AlignTop);
        break;
    case Shape::Panel:
        w.rect(f, 6, kBorder, 1.0, kPanelFill, QStringLiteral("4,2"));
        break;
    case Shape::Region:
        break;
    }
}

} // namespace

bool overflows(const Control &c, double width)
{
    // The drawing's sans-serif digits and most letters are about 0.556 em wide.
    return c.text.size() * qRound(c.pointSize * kPixelsPerPoint) * 0.556 > width;
}

namespace {

void writeControl(Writer &w, const Control &c)
{
    const QRectF box(c.x, c.y, c.width, c.height);
    switch (c.kind) {
    case Control::Kind::Label:
        w.text(box, Qt::AlignLeft | Qt::AlignVCenter, c.text, c.pointSize, c.bold, c.textColour);
        return;
    case Control::Kind::Radio: {
        // The indicator sits at the left of the radio's square.
        const QPointF centre(box.left() + 6, box.center().y());
        const double radius = c.checked ? 6 : 5;
        w.xml().writeEmptyElement(QStringLiteral("circle"));
        w.xml().writeAttribute(QStringLiteral("cx"), num(centre.x()));
        w.xml().writeAttribute(QStringLiteral("cy"), num(centre.y()));
        w.xml().writeAttribute(QStringLiteral("r"), num(radius));
        w.style(c.checked ? kNone : c.border, 1, c.checked ? c.border : kNone);
        return;
    }
    case Control::Kind::Button: {
        // The fold-out button: its arrow icon, then its bold caption.
        const double cy = box.center().y();
        w.polygon({QPointF(c.x + 5, cy - 4), QPointF(c.x + 10, cy), QPointF(c.x + 5, cy + 4)}, kNone, 0,
                  Colour::rgb(43, 183, 190));
        w.text(box.adjusted(16, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, c.text, c.pointSize, true,
               c.textColour);
        return;
    }
    case Control::Kind::Entry:
    case Control::Kind::ValueBox:
    case Control::Kind::Combo:
        break;
    }
    const double inset = c.borderWidth / 2;
    const QRectF frame = box.adjusted(inset, inset, -inset, -inset);
    w.rect(frame, c.radius, c.border, c.border.set ? c.borderWidth : 0, c.fill);
    if (c.border == kControlBlue && c.kind != Control::Kind::ValueBox) {
        // The controls' outset frame: lit from the top left.
        w.polygon({QPointF(frame.left(), frame.bottom() - c.radius), QPointF(frame.left(), frame.top()),
                   QPointF(frame.right() - c.radius, frame.top())},
                  kControlLight, c.borderWidth, kNone, false);
    }
    const QRectF inner = c.kind == Control::Kind::Combo ? box.adjusted(3, 0, -20, 0)
                         : c.alignRight                 ? box.adjusted(4, 0, -8, 0)
                                                        : box.adjusted(3, 0, -3, 0);
    if (c.alignRight && overflows(c, inner.width())) {
        // A text wider than its entry shows its first characters, cut at the frame.
        QXmlStreamWriter &xml = w.xml();
        xml.writeStartElement(QStringLiteral("svg"));
        xml.writeAttribute(QStringLiteral("x"), num(box.left() + c.borderWidth));
        xml.writeAttribute(QStringLiteral("y"), num(box.top()));
        xml.writeAttribute(QStringLiteral("width"), num(box.width() - 2 * c.borderWidth - 2));
        xml.writeAttribute(QStringLiteral("height"), num(box.height()));
        w.text(QRectF(3, 0, inner.width(), box.height()), Qt::AlignLeft | Qt::AlignVCenter, c.text,
               c.pointSize, c.bold, c.textColour);
        xml.writeEndElement();
    } else {
        w.text(inner, (c.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, c.text, c.pointSize,
               c.bold, c.textColour);
    }
    if (c.kind == Control::Kind::Combo) {
        const double ax = box.right() - 10.5;
        const double ay = box.center().y();
        w.polygon({QPointF(ax - 5, ay - 3), QPointF(ax + 5, ay - 3), QPointF(ax, ay + 2.5)}, kNone, 0,
                  kControlBlue);
    }
}

} // namespace

QString write(const ClockTree::Layout &layout, const QVector<Control> &controls)
{
    QString out;
    Writer w(&out);
    QXmlStreamWriter &xml = w.xml();
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("svg"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("width"), QString::number(layout.size.width()));
    xml.writeAttribute(QStringLiteral("height"), QString::number(layout.size.height()));
    xml.writeAttribute(QStringLiteral("viewBox"),
                       QStringLiteral("0 0 %1 %2").arg(layout.size.width()).arg(layout.size.height()));
    xml.writeAttribute(QStringLiteral("font-family"), QStringLiteral("Arial, 'Liberation Sans', sans-serif"));
    // Items keep their leading blanks ("  /2") as the window shows them.
    xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    xml.writeTextElement(QStringLiteral("title"), layout.caption);
    w.rect(QRectF(QPointF(0, 0), QSizeF(layout.size)), 0, kNone, 0, kWhite);

    layout.visitInDrawingOrder([&w](const Node &node) { writeNode(w, node); },
                               [&w](const Wire &wire) { writeWire(w, wire); });
    for (const QPoint &dot : layout.junctions) {
        xml.writeEmptyElement(QStringLiteral("circle"));
        xml.writeAttribute(QStringLiteral("cx"), num(dot.x()));
        xml.writeAttribute(QStringLiteral("cy"), num(dot.y()));
        xml.writeAttribute(QStringLiteral("r"), QStringLiteral("3"));
        xml.writeAttribute(QStringLiteral("fill"), colour(kWire));
    }
    if (!layout.caption.isEmpty())
        w.text(QRectF(layout.size.width() - 260, layout.size.height() - 40, 244, 30),
               Qt::AlignRight | Qt::AlignVCenter, layout.caption, 14, true, kTitle);
    for (const Control &control : controls)
        writeControl(w, control);
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

} // namespace SvgDrawing

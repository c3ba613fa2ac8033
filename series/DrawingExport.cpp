#include "DrawingExport.h"

#include "ClockTreeLayout.h"
#include "ClockTreePainter.h"
#include "DrawingSvg.h"
#include "QXMCUPLL.h"
#include "SafeSave.h"
#include "SvgDrawing.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPolygonF>

namespace {

QString suffixOf(const QString &fileName)
{
    return QFileInfo(fileName).suffix().toLower();
}

// The drawing as the window shows it, scale times its size.
QImage drawingImage(QXMCUPLL &widget, int scale)
{
    QImage image(widget.drawingSize() * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    widget.renderDrawing(&painter, QRectF(QPointF(0, 0), image.size()));
    return image;
}

QByteArray pngBytes(QXMCUPLL &widget)
{
    const QImage image = drawingImage(widget, 1);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

QColor qColour(const SvgDrawing::Colour &c)
{
    return c.set ? QColor(c.red, c.green, c.blue) : QColor();
}

// A control of the picture in vector form, as the SVG writer states it.
void paintControl(QPainter &painter, const SvgDrawing::Control &c)
{
    using Kind = SvgDrawing::Control::Kind;
    const QRectF box(c.x, c.y, c.width, c.height);
    QFont font(QStringLiteral("Arial"));
    // One unit is one drawing pixel, which the drawing's 100 dpi sizes.
    font.setPointSizeF(c.pointSize * 100.0 / 72.0 * 72.0 / painter.device()->logicalDpiY());
    font.setBold(c.bold);
    painter.setFont(font);
    if (c.kind == Kind::Radio) {
        painter.setPen(c.checked ? QPen(Qt::NoPen) : QPen(qColour(c.border), 1));
        painter.setBrush(c.checked ? QBrush(qColour(c.border)) : QBrush(Qt::NoBrush));
        const double radius = c.checked ? 6 : 5;
        painter.drawEllipse(QPointF(box.left() + 6, box.center().y()), radius, radius);
        return;
    }
    // A label has no width of its own: its text runs on from its place.
    QRectF inner = c.width > 0 ? box : QRectF(c.x, c.y, 2000, c.height);
    if (c.kind == Kind::Button) {
        const double cy = box.center().y();
        QPolygonF icon;
        icon << QPointF(c.x + 5, cy - 4) << QPointF(c.x + 10, cy) << QPointF(c.x + 5, cy + 4);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(43, 183, 190));
        painter.drawPolygon(icon);
        inner = QRectF(c.x + 16, c.y, 2000, c.height);
        font.setBold(true);
        painter.setFont(font);
    } else if (c.kind != Kind::Label) {
        painter.setPen(c.border.set ? QPen(qColour(c.border), 1) : QPen(Qt::NoPen));
        painter.setBrush(c.fill.set ? QBrush(qColour(c.fill)) : QBrush(Qt::NoBrush));
        const double inset = c.borderWidth / 2;
        if (c.border.set)
            painter.setPen(QPen(qColour(c.border), c.borderWidth));
        painter.drawRoundedRect(box.adjusted(inset, inset, -inset, -inset), c.radius, c.radius);
        inner = c.kind == Kind::Combo ? box.adjusted(3, 0, -20, 0)
                : c.alignRight        ? box.adjusted(4, 0, -8, 0)
                                      : box.adjusted(3, 0, -3, 0);
    }
    painter.setPen(qColour(c.textColour));
    if (c.alignRight && SvgDrawing::overflows(c, inner.width())) {
        // A text wider than its entry shows its first characters, cut at the frame.
        painter.save();
        painter.setClipRect(box.adjusted(c.borderWidth, 0, -c.borderWidth - 2, 0));
        painter.drawText(QRectF(box.left() + c.borderWidth + 3, box.top(), inner.width(), box.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, c.text);
        painter.restore();
    } else {
        painter.drawText(inner,
                         (c.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextDontClip,
                         c.text);
    }
    if (c.kind == Kind::Combo) {
        const double ax = box.right() - 10.5;
        const double ay = box.center().y();
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 176, 240)); // blue even while the list is gray
        QPolygonF arrow;
        arrow << QPointF(ax - 5, ay - 3) << QPointF(ax + 5, ay - 3) << QPointF(ax, ay + 2.5);
        painter.drawPolygon(arrow);
    }
}

QByteArray pdfBytes(QXMCUPLL &widget)
{
    // One page exactly the drawing's size: one point per drawing pixel. Lines,
    // shapes and texts stay vectors, so the texts can be searched and selected.
    const QSize size = widget.drawingSize();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setCreator(QStringLiteral("Tickforge"));
        QPainter painter(&writer);
        if (!painter.isActive())
            return QByteArray();
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        const DesignDocument &document = widget.document();
        ClockTree::paintClockTree(painter, ClockTree::layoutFor(document.series()));
        for (const SvgDrawing::Control &control : DrawingSvg::controls(document))
            paintControl(painter, control);
    }
    return bytes;
}

} // namespace

bool DrawingExport::supportedFile(const QString &fileName)
{
    const QString suffix = suffixOf(fileName);
    return suffix == QLatin1String("png") || suffix == QLatin1String("pdf") || suffix == QLatin1String("svg");
}

bool DrawingExport::exportDrawing(QXMCUPLL &widget, const QString &fileName, QString *error)
{
    if (!supportedFile(fileName)) {
        if (error)
            *error = QStringLiteral("the file name must end in .png, .pdf or .svg");
        return false;
    }
    if (widget.drawingSize().isEmpty()) {
        if (error)
            *error = QStringLiteral("the series has no drawing");
        return false;
    }
    const QString suffix = suffixOf(fileName);
    const QByteArray bytes = suffix == QLatin1String("png")   ? pngBytes(widget)
                             : suffix == QLatin1String("pdf") ? pdfBytes(widget)
                                                              : DrawingSvg::of(widget.document()).toUtf8();
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("the picture could not be made");
        return false;
    }
    return saveFileSafely(fileName, bytes, error);
}

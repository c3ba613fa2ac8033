#include "DrawingExport.h"

#include "QXMCUPLL.h"
#include "SafeSave.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

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

QByteArray pdfBytes(QXMCUPLL &widget)
{
    // One page exactly the drawing's size: one point per drawing pixel.
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
        // A picture of three pixels per point: the controls, painted straight
        // into a vector page, lost their frames and covered captions beside them.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), drawingImage(widget, 3));
    }
    return bytes;
}

} // namespace

bool DrawingExport::supportedFile(const QString &fileName)
{
    const QString suffix = suffixOf(fileName);
    return suffix == QLatin1String("png") || suffix == QLatin1String("pdf");
}

bool DrawingExport::exportDrawing(QXMCUPLL &widget, const QString &fileName, QString *error)
{
    if (!supportedFile(fileName)) {
        if (error)
            *error = QStringLiteral("the file name must end in .png or .pdf");
        return false;
    }
    if (widget.drawingSize().isEmpty()) {
        if (error)
            *error = QStringLiteral("the series has no drawing");
        return false;
    }
    const QByteArray bytes = suffixOf(fileName) == QLatin1String("png") ? pngBytes(widget) : pdfBytes(widget);
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("the picture could not be made");
        return false;
    }
    return saveFileSafely(fileName, bytes, error);
}

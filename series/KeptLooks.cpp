#include "KeptLooks.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>

#include <functional>
#include <string_view>

namespace {

// The device's pixels under deviceRect: read in place from an image, copied
// from a pixmap (a grab). Null when they are not all on the device.
QImage devicePixels(QPainter *painter, const QRect &deviceRect)
{
    QPaintDevice *device = painter->paintEngine()->paintDevice();
    if (!device)
        return QImage();
    if (device->devType() == QInternal::Image) {
        auto *image = static_cast<QImage *>(device);
        if (!image->rect().contains(deviceRect))
            return QImage();
        // Shares the device's memory: read at once, never kept.
        const uchar *first = image->constScanLine(deviceRect.top()) + deviceRect.left() * image->depth() / 8;
        return QImage(first, deviceRect.width(), deviceRect.height(), image->bytesPerLine(), image->format());
    }
    if (device->devType() == QInternal::Pixmap) {
        const auto *pixmap = static_cast<const QPixmap *>(device);
        if (!pixmap->rect().contains(deviceRect))
            return QImage();
        return pixmap->copy(deviceRect).toImage();
    }
    return QImage();
}

quint64 hashPixels(const QImage &pixels)
{
    const int rowBytes = pixels.width() * pixels.depth() / 8;
    quint64 hash = 1469598103934665603ull;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *row = reinterpret_cast<const char *>(pixels.constScanLine(y));
        hash = (hash ^ std::hash<std::string_view>()(std::string_view(row, size_t(rowBytes)))) *
               1099511628211ull;
    }
    return hash;
}

} // namespace

KeptLooks::KeptLooks(int maxBytes) : m_entries(maxBytes)
{}

KeptLooks::Place KeptLooks::placeOf(QPainter *painter, const QRect &rect)
{
    Place place;
    QPaintEngine *engine = painter->paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || painter->opacity() != 1.0 ||
        painter->compositionMode() != QPainter::CompositionMode_SourceOver)
        return place;
    const QTransform transform = painter->deviceTransform();
    if (transform.type() > QTransform::TxTranslate || transform.dx() != qRound(transform.dx()) ||
        transform.dy() != qRound(transform.dy()))
        return place;
    const QRect deviceRect = rect.translated(qRound(transform.dx()), qRound(transform.dy()));
    const QImage pixels = devicePixels(painter, deviceRect);
    if (pixels.isNull() || pixels.depth() != 32)
        return place;
    place.deviceRect = deviceRect;
    place.format = pixels.format();
    place.background = hashPixels(pixels);
    return place;
}

quint64 KeptLooks::cacheKey(const QByteArray &lookKey, const Place &place)
{
    return qHash(lookKey, uint(place.background)) ^ (place.background << 1) ^ quint64(place.format) ^
           (quint64(place.deviceRect.width()) << 40) ^ (quint64(place.deviceRect.height()) << 52);
}

bool KeptLooks::paint(QPainter *painter, const QRect &rect, const QByteArray &lookKey, const Place &place)
{
    const Entry *entry = m_entries.object(cacheKey(lookKey, place));
    if (!entry || entry->background != place.background || entry->lookKey != lookKey ||
        entry->picture.format() != place.format || entry->picture.size() != place.deviceRect.size())
        return false;
    painter->save();
    // The picture replaces what is there, pixel for pixel, where the clip allows.
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->drawImage(rect.topLeft(), entry->picture);
    painter->restore();
    return true;
}

void KeptLooks::keep(QPainter *painter, const QByteArray &lookKey, const Place &place)
{
    const QImage painted = devicePixels(painter, place.deviceRect);
    if (painted.isNull())
        return;
    auto *entry = new Entry{lookKey, place.background, painted.copy()};
    m_entries.insert(cacheKey(lookKey, place), entry, int(entry->picture.sizeInBytes()));
}

bool KeptLooks::unclipped(QPainter *painter, const QRect &rect, const Place &place)
{
    // (QRegion::contains() answers whether a rectangle overlaps.)
    if (painter->hasClipping() && !QRegion(rect).subtracted(painter->clipRegion()).isEmpty())
        return false;
    const QRegion system = painter->paintEngine()->systemClip();
    return system.isEmpty() || QRegion(place.deviceRect).subtracted(system).isEmpty();
}

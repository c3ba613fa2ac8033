#include "KeptLooks.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>

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

// A 64-bit hash of 32-bit pixels, a pair at a time: it tells pictures apart
// for the cache's purpose at a fraction of a general hash's cost.
quint64 hashPixels(const QImage &pixels)
{
    quint64 hash = 0x9e3779b97f4a7c15ull ^ quint64(pixels.width()) << 32 ^ quint64(pixels.height());
    const auto mix = [&hash](quint64 value) {
        hash = (hash ^ value) * 0xff51afd7ed558ccdull;
        hash ^= hash >> 29;
    };
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *row = reinterpret_cast<const quint32 *>(pixels.constScanLine(y));
        int x = 0;
        for (; x + 1 < pixels.width(); x += 2)
            mix(quint64(row[x]) << 32 | row[x + 1]);
        if (x < pixels.width())
            mix(row[x]);
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

#include "KeptLooks.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <qpa/qplatformpixmap.h>

#include <cstring>
#include <functional>
#include <string_view>

namespace {

// The device's pixels under a rectangle, read in place: the window's backing
// store is an image, a grab paints into a pixmap whose raster buffer is one.
struct Pixels {
    const uchar *first = nullptr; // the rectangle's top-left pixel
    qsizetype bytesPerLine = 0;
    QImage::Format format = QImage::Format_Invalid;
    QSize size;
};

const QImage *deviceImage(QPainter *painter)
{
    QPaintDevice *device = painter->paintEngine()->paintDevice();
    if (device && device->devType() == QInternal::Image)
        return static_cast<const QImage *>(device);
    if (device && device->devType() == QInternal::Pixmap) {
        QPlatformPixmap *platform = static_cast<QPixmap *>(device)->handle();
        if (platform && platform->classId() == QPlatformPixmap::RasterClass)
            return platform->buffer();
    }
    return nullptr;
}

Pixels pixelsOf(const QImage *image, const QRect &deviceRect)
{
    // Only rectangles on the device, of 32-bit pixels.
    if (!image || image->depth() != 32 || !image->rect().contains(deviceRect))
        return Pixels();
    return {image->constScanLine(deviceRect.top()) + deviceRect.left() * 4, image->bytesPerLine(),
            image->format(), deviceRect.size()};
}

// A 64-bit hash of the pixels, in four independent lanes a pair of pixels at
// a time: it tells pictures apart for the cache at a fraction of a general
// hash's cost.
quint64 hashPixels(const Pixels &pixels)
{
    quint64 lanes[4] = {0x9e3779b97f4a7c15ull, 0xc2b2ae3d27d4eb4full, 0x165667b19e3779f9ull,
                        0x27d4eb2f165667c5ull};
    const auto mix = [](quint64 &lane, quint64 value) {
        lane = (lane ^ value) * 0xff51afd7ed558ccdull;
        lane ^= lane >> 29;
    };
    const int width = pixels.size.width();
    for (int y = 0; y < pixels.size.height(); ++y) {
        const auto *row = reinterpret_cast<const quint32 *>(pixels.first + y * pixels.bytesPerLine);
        int x = 0;
        for (; x + 8 <= width; x += 8) {
            for (int lane = 0; lane < 4; ++lane)
                mix(lanes[lane], quint64(row[x + 2 * lane]) << 32 | row[x + 2 * lane + 1]);
        }
        for (; x < width; ++x)
            mix(lanes[x % 4], row[x]);
        mix(lanes[y % 4], quint64(y) << 48); // rows of another width read differently
    }
    quint64 hash = quint64(width) << 32 ^ quint64(pixels.size.height());
    for (quint64 lane : lanes)
        mix(hash, lane);
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
    const QPoint shift(qRound(transform.dx()), qRound(transform.dy()));
    const QImage *image = deviceImage(painter);
    // A look at the device's edge, or the clip's, is kept as far as it shows.
    QRect deviceRect = image ? rect.translated(shift) & image->rect() : QRect();
    const QRegion system = engine->systemClip();
    if (!system.isEmpty())
        deviceRect &= system.boundingRect();
    if (painter->hasClipping())
        deviceRect &= painter->clipBoundingRect().toAlignedRect().translated(shift);
    const Pixels pixels = pixelsOf(image, deviceRect);
    if (!pixels.first || deviceRect.isEmpty())
        return place;
    place.deviceRect = deviceRect;
    place.part = deviceRect.translated(-shift);
    place.offset = place.part.topLeft() - rect.topLeft();
    place.format = pixels.format;
    place.background = hashPixels(pixels);
    return place;
}

quint64 KeptLooks::hashKey(const QByteArray &lookKey)
{
    // Eight bytes at a step, where qHash() of a QByteArray reads one.
    return std::hash<std::string_view>()(std::string_view(lookKey.constData(), size_t(lookKey.size())));
}

quint64 KeptLooks::cacheKey(const QByteArray &lookKey, const Place &place)
{
    return hashKey(lookKey) ^ place.background * 0x9e3779b97f4a7c15ull ^ quint64(place.format) ^
           (quint64(place.deviceRect.width()) << 40) ^ (quint64(place.deviceRect.height()) << 52) ^
           (quint64(place.offset.x()) << 20) ^ (quint64(place.offset.y()) << 30);
}

bool KeptLooks::paint(QPainter *painter, const QByteArray &lookKey, const Place &place)
{
    const Entry *entry = m_entries.object(cacheKey(lookKey, place));
    if (!entry || entry->background != place.background || entry->offset != place.offset ||
        entry->lookKey != lookKey || entry->picture.format() != place.format ||
        entry->picture.size() != place.deviceRect.size())
        return false;
    painter->save();
    // The picture replaces what is there, pixel for pixel, where the clip allows.
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->drawImage(place.part.topLeft(), entry->picture);
    painter->restore();
    return true;
}

void KeptLooks::keep(QPainter *painter, const QByteArray &lookKey, const Place &place)
{
    const Pixels painted = pixelsOf(deviceImage(painter), place.deviceRect);
    if (!painted.first)
        return;
    QImage picture(painted.size, painted.format);
    for (int y = 0; y < painted.size.height(); ++y)
        std::memcpy(picture.scanLine(y), painted.first + y * painted.bytesPerLine,
                    size_t(painted.size.width()) * 4);
    auto *entry = new Entry{lookKey, place.background, place.offset, picture};
    m_entries.insert(cacheKey(lookKey, place), entry, int(entry->picture.sizeInBytes()));
}

bool KeptLooks::unclipped(QPainter *painter, const Place &place)
{
    // (QRegion::contains() answers whether a rectangle overlaps.)
    if (painter->hasClipping() && !QRegion(place.part).subtracted(painter->clipRegion()).isEmpty())
        return false;
    const QRegion system = painter->paintEngine()->systemClip();
    return system.isEmpty() || QRegion(place.deviceRect).subtracted(system).isEmpty();
}

#pragma once

#include <QByteArray>
#include <QCache>
#include <QImage>
#include <QRect>

class QPainter;

// Pictures of controls' looks as they were last painted onto a drawing, so
// that painting the same look onto the same pixels again is a copy. A styled
// control costs far more to paint than to copy, and a drawing's controls are
// painted again and again unchanged: for the window and a grab, for each
// build of the same series, for every full repaint.
//
// A picture is kept with what decided its pixels: the look's key (the
// control's class, sheet, palette, font, text and state, from the caller)
// and the device pixels it was painted over. Painting is per pixel, so the
// same look painted over the same pixels gives the same pixels again, and a
// copy is exact. Only device pixels that can be read and copied one to one
// qualify: a raster device and a translation by whole pixels, which is the
// view at 1:1 on a plain screen; any other paint is left to the caller.
class KeptLooks {
public:
    explicit KeptLooks(int maxBytes = 4 * 1024 * 1024);

    // Where rect (in the painter's coordinates) lands on the device, as far
    // as it is on the device, and what lies there now. Invalid when the
    // pixels cannot be kept.
    struct Place {
        QRect deviceRect; // on the device
        QRect part;       // the same pixels in the painter's coordinates
        QPoint offset;    // of part within rect
        QImage::Format format = QImage::Format_Invalid;
        quint64 background = 0; // of the pixels under deviceRect
        bool valid() const { return format != QImage::Format_Invalid; }
    };
    static Place placeOf(QPainter *painter, const QRect &rect);

    // Paints the kept picture of this look over these pixels, if there is one.
    bool paint(QPainter *painter, const QByteArray &lookKey, const Place &place);
    // Keeps what the device now holds under the place, the look having just
    // been painted over all of it, unclipped.
    void keep(QPainter *painter, const QByteArray &lookKey, const Place &place);
    // A 64-bit hash of a look's key.
    static quint64 hashKey(const QByteArray &lookKey);
    // Whether nothing clips the place's part on the device.
    static bool unclipped(QPainter *painter, const Place &place);

private:
    struct Entry {
        QByteArray lookKey;
        quint64 background = 0;
        QPoint offset;
        QImage picture;
    };
    static quint64 cacheKey(const QByteArray &lookKey, const Place &place);

    QCache<quint64, Entry> m_entries; // cost: bytes
};

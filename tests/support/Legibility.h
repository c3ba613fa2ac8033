#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QtMath>

// Looking at rendered widgets: is what is drawn readable on its background?

// Contrast ratio of two colours as accessibility guidelines define it, from 1
// (the same) to 21 (black on white); text wants at least 4.5.
inline double contrastRatio(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : qPow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// The commonest colour of an area: its background.
inline QColor backgroundOf(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb commonest = 0;
    int best = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > best) {
            best = it.value();
            commonest = it.key();
        }
    }
    return QColor(commonest);
}

// The strongest contrast any pixel of the area has with the area's background:
// 1 when nothing is drawn there, at least 4.5 where there is readable text.
inline double inkContrast(const QImage &image, const QRect &area)
{
    const QColor background = backgroundOf(image, area);
    double strongest = 1.0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            strongest = qMax(strongest, contrastRatio(QColor(image.pixel(x, y)), background));
    return strongest;
}

// How many pixels of the image have exactly this colour.
inline int pixelsOf(const QImage &image, const QColor &colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += QColor(image.pixel(x, y)) == colour;
    return count;
}

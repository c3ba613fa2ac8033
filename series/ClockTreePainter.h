#pragma once

#include <QImage>

class QPainter;
class QRectF;

namespace ClockTree {
class Layout;

// Paints a clock-tree layout in its own coordinates (one unit per drawing
// pixel) on any painter: the blocks, wires, junctions and captions, not the
// white ground. Texts keep their size in drawing pixels whatever the device's
// resolution, so a PDF page, a screen of any dpi or a zoomed view shows the
// same proportions.
void paintClockTree(QPainter &painter, const Layout &layout);

// The drawing as a white 32-bit image of the layout's size times `scale`,
// antialiased: at scale 1 the build-time bitmap and the view's 1:1 picture.
QImage renderClockTree(const Layout &layout, qreal scale = 1.0);

} // namespace ClockTree

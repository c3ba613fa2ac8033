#pragma once

#include <QImage>

namespace ClockTree {
class Layout;
}

// Draws a clock-tree layout into a white 24-bit image of the layout's size.
QImage renderClockTree(const ClockTree::Layout &layout);

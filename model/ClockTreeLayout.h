#pragma once

#include <QHash>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>

// The drawing of a clock tree as plain data: the blocks and wires that the
// build renders into the series bitmap, and the anchors at which the series
// widget places its live controls. Both read the same description, so a
// control always lands on the block drawn for it.
struct SeriesParams;

namespace ClockTree {

enum class Shape {
    Oscillator, // clock source block
    Pin,        // package pin pad next to an oscillator
    Mux,        // trapezoid, wide side at its inputs
    Divider,    // prescaler / gate block holding a caption and a combo box
    Pll,        // the PLL block with its factor entries
    Multiplier, // small timer-clock multiplier
    Endpoint,   // a consumer (WDT, RTC, USB, clock-output pin)
    Panel,      // the peripheral panel frame
    Region      // reserved area, not drawn (e.g. notes shown only sometimes)
};

struct Node {
    QString id;
    Shape shape = Shape::Divider;
    QRect rect;
    QString title;            // drawn in the bitmap (block names only)
    bool outputsLeft = false; // mux whose inputs come from the right
};

// A polyline from a source to a consumer; the arrow head sits on the last point.
struct Wire {
    QVector<QPoint> points;
    bool arrow = true;
};

// Where a control goes: its top-left corner in scene (= bitmap) pixels, its
// width where the widget fixes one, and the node it belongs to.
struct Anchor {
    QString id;
    QPoint pos;
    int width = 0;
    QString node;
};

class Layout {
public:
    QString bitmapName; // "C330PLL.bmp"
    QString caption;    // series name drawn in a corner of the bitmap
    QSize size;
    QVector<Node> nodes;
    QVector<Wire> wires;
    QVector<QPoint> junctions;

    void addNode(const QString &id, Shape shape, const QRect &rect, const QString &title = QString(),
                 bool outputsLeft = false);
    void addWire(const QVector<QPoint> &points, bool arrow = true);
    void addJunction(const QPoint &point) { junctions.append(point); }
    void addAnchor(const QString &id, const QString &node, int x, int y, int width = 0);

    bool hasAnchor(const QString &id) const { return m_anchorIndex.contains(id); }
    // A missing id is a programming error, reported; it yields the origin.
    Anchor anchor(const QString &id) const;
    const QVector<Anchor> &anchors() const { return m_anchors; }
    const Node *node(const QString &id) const;

    // Every part in the order it is drawn, for the painter and the SVG alike:
    // panels first, blocks over them, wires over the blocks' edges.
    template <typename NodeVisit, typename WireVisit>
    void visitInDrawingOrder(NodeVisit visitNode, WireVisit visitWire) const
    {
        for (const Node &node : nodes) {
            if (node.shape == Shape::Panel)
                visitNode(node);
        }
        for (const Wire &wire : wires)
            visitWire(wire);
        for (const Node &node : nodes) {
            if (node.shape != Shape::Panel)
                visitNode(node);
        }
    }

private:
    QVector<Anchor> m_anchors;
    QHash<QString, int> m_anchorIndex;
};

// The drawing of a series, from its row of the series table: the renderer
// draws it, the series widget places its controls on it. Empty for a series
// that has no drawing yet.
Layout layoutFor(const SeriesParams &series);

// Flexible-PLL family (two clock outputs, peripheral panel on the right).
// ahbRows is the number of AHB lines of the panel below "i2s".
struct FlexibleOptions {
    QString bitmapName;
    QString caption;
    int ahbRows = 8;
};
Layout flexiblePllLayout(const FlexibleOptions &options);

// Control-size conventions shared by the renderer and the widgets.
constexpr int kRadioSize = 16;  // radio buttons are fixed squares; wires meet their centre
constexpr int kEditHeight = 25; // line edits and value boxes
constexpr int kComboHeight = 22;

} // namespace ClockTree

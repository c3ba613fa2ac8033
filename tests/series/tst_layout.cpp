#include "ClockTreeLayout.h"
#include "ReferencePictures.h"
#include "SeriesRows.h"
#include "TableRows.h"

#include <QtTest>
#include <algorithm>

using namespace ClockTree;

namespace {

bool onOutline(const QRect &r, const QPoint &p)
{
    const QRect closed = r.adjusted(0, 0, 1, 1); // the outline's right and bottom lines included
    return closed.contains(p) && !closed.adjusted(1, 1, -1, -1).contains(p);
}

bool onWire(const Wire &w, const QPoint &p)
{
    for (int i = 1; i < w.points.size(); ++i) {
        const QRect span = QRect(w.points.at(i - 1), w.points.at(i)).normalized();
        if (p.x() >= span.left() && p.x() <= span.right() && p.y() >= span.top() && p.y() <= span.bottom())
            return true;
    }
    return false;
}

// Whether the point touches a block's edge or a control's (some wires run
// through a block to its combo box); wires of the panel end inside it, those
// of source captions start inside theirs.
bool blockAt(const Layout &l, const QPoint &p)
{
    for (const Node &n : l.nodes) {
        const bool inside = n.shape == Shape::Panel || n.shape == Shape::Region;
        if (inside ? n.rect.contains(p) : onOutline(n.rect, p))
            return true;
    }
    for (const Anchor &a : l.anchors()) {
        if (a.width > 0 && onOutline(QRect(a.pos, QSize(a.width, kComboHeight)), p))
            return true;
    }
    return false;
}

} // namespace

// The drawings' geometry: wires run straight from block edge to block edge or
// to a branch dot, every control stands inside the block drawn for it, and a
// mux's radios sit on the wires into it. A coordinate off by one leaves a
// gap, a slant or an overlap.
class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void geometry_data() { addSeriesRows(); }

    void geometry()
    {
        QFETCH(int, id);
        const Layout l = layoutFor(*SeriesTable::byId(id));
        QVERIFY(!l.nodes.isEmpty());
        const QRect picture(QPoint(0, 0), l.size);
        for (const Wire &w : l.wires) {
            const QString at =
                QStringLiteral("wire from (%1, %2)").arg(w.points.first().x()).arg(w.points.first().y());
            for (int i = 1; i < w.points.size(); ++i) {
                const QPoint a = w.points.at(i - 1), b = w.points.at(i);
                QVERIFY2(a != b && (a.x() == b.x() || a.y() == b.y()), qPrintable(at));
                QVERIFY2(picture.contains(b), qPrintable(at));
            }
            // An end touches a block or another wire (at a branch or a bend).
            for (const QPoint &end : {w.points.first(), w.points.last()}) {
                bool joined = false;
                for (const Wire &other : l.wires)
                    joined = joined || (&other != &w && onWire(other, end));
                QVERIFY2(blockAt(l, end) || joined, qPrintable(at));
            }
            if (w.arrow)
                QVERIFY2(blockAt(l, w.points.last()), qPrintable(at));
        }
        for (const QPoint &dot : l.junctions) {
            // A dot marks a branch: three arms or more meet there (a bend is no branch).
            int arms = 0;
            for (const Wire &w : l.wires)
                arms += dot == w.points.first() || dot == w.points.last() ? 1 : onWire(w, dot) ? 2 : 0;
            QVERIFY2(arms >= 3, qPrintable(QStringLiteral("dot at (%1, %2)").arg(dot.x()).arg(dot.y())));
        }
        for (int i = 0; i < l.nodes.size(); ++i) {
            const Node &n = l.nodes.at(i);
            QVERIFY2(picture.contains(n.rect), qPrintable(n.id));
            for (int j = 0; j < i; ++j) {
                const Node &m = l.nodes.at(j);
                QVERIFY2(m.id != n.id, qPrintable(n.id));
                if (n.shape != Shape::Region && n.shape != Shape::Panel && m.shape != Shape::Region &&
                    m.shape != Shape::Panel)
                    QVERIFY2(!m.rect.adjusted(1, 1, -1, -1).intersects(n.rect.adjusted(1, 1, -1, -1)),
                             qPrintable(m.id + " " + n.id)); // outlines may share a line
            }
        }
        for (const Anchor &a : l.anchors()) {
            const Node *n = l.node(a.node);
            QVERIFY2(n, qPrintable(a.id));
            bool radio = false; // radios are anchored at "group.N"
            a.id.section('.', 1).toInt(&radio);
            const QSize size = radio && n->shape == Shape::Mux
                                   ? QSize(kRadioSize, kRadioSize)
                                   : QSize(qMax(a.width, 1), a.width ? kComboHeight : 1);
            QVERIFY2(n->rect.contains(QRect(a.pos, size)), qPrintable(a.id));
            // A radio on a mux sits at the end of a wire into the mux, on its inputs' side.
            const QPoint end(n->outputsLeft ? n->rect.right() + 1 : n->rect.left(),
                             a.pos.y() + kRadioSize / 2);
            QVERIFY2(
                !radio || n->shape != Shape::Mux ||
                    std::any_of(l.wires.begin(), l.wires.end(),
                                [&](const Wire &w) { return !w.points.isEmpty() && w.points.last() == end; }),
                qPrintable(a.id));
        }
    }

    void drawingsAsReviewed_data() { addSeriesRows(); }
    // Each drawing the build renders is the picture last looked at and checked
    // in under tests/reference/drawings: a moved block or wire, or a change of
    // the painter, shows here.
    void drawingsAsReviewed()
    {
        QFETCH(int, id);
        const QString bitmap = SeriesTable::byId(id)->bitmapPath();
        const QImage drawn(bitmap);
        QVERIFY2(!drawn.isNull(), qPrintable(bitmap));
        const QString difference =
            differenceFromReference(drawn, "drawings/" + QFileInfo(bitmap).completeBaseName() + ".png");
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void positions_data() { addTableRows("layout_positions.tsv"); }
    // Positions of telling controls of one drawing.
    void positions()
    {
        QFETCH(QString, series);
        QFETCH(QString, anchor);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, width);
        const Layout l = layoutFor(*SeriesTable::byName(series));
        QCOMPARE(l.anchor(anchor).pos, QPoint(x, y));
        QCOMPARE(l.anchor(anchor).width, width);
    }

    void wireEnds_data() { addTableRows("layout_wires.tsv"); }
    // Where a wire must end: what feeds what, beyond the geometry rules.
    void wireEnds()
    {
        QFETCH(QString, series);
        QFETCH(int, x);
        QFETCH(int, y);
        int ends = 0;
        for (const Wire &w : layoutFor(*SeriesTable::byName(series)).wires)
            ends += w.points.last() == QPoint(x, y) ? 1 : 0;
        QCOMPARE(ends, 1);
    }
};

QTEST_GUILESS_MAIN(TestLayout)
#include "tst_layout.moc"

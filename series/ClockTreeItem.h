#pragma once

#include "ClockTreeLayout.h"

#include <QFont>
#include <QGraphicsItem>
#include <QImage>

// The clock-tree drawing of a scene, painted from its layout at the scale it
// is shown at (the view's zoom times the screen's pixel ratio), so its lines
// and texts stay sharp at every zoom step and screen scale. The picture of the
// current scale is kept while it is small enough; larger ones are painted
// straight onto the device, only where it is exposed.
class ClockTreeItem : public QGraphicsItem {
public:
    explicit ClockTreeItem(const ClockTree::Layout &layout, QGraphicsItem *parent = nullptr);

    QSize size() const { return m_layout.size; }

    // A text that stays as it is while a design is open (a caption, a fixed
    // value): drawn with the tree, at the scale shown, as a label would show
    // it with its top-left corner at `pos`.
    struct Text {
        QRect rect;
        QString text;
        QFont font;
    };
    void addText(const QString &text, const QPoint &pos, const QFont &font);
    const QVector<Text> &texts() const { return m_texts; }
    void setTexts(const QVector<Text> &texts) { m_texts = texts; }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // Pixels of the largest picture kept (48 MB: a drawing of 1408 x 830 up
    // to about 3x on a plain screen, 1.5x at scale 2).
    static constexpr qint64 kCachePixels = 12'000'000;

private:
    void paintTexts(QPainter *painter) const;

    ClockTree::Layout m_layout;
    QImage m_cache;
    qreal m_cacheScale = 0;
    QVector<Text> m_texts;
};

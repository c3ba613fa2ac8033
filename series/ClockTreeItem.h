#pragma once

#include "ClockTreeLayout.h"

#include <QFont>
#include <QGraphicsItem>

class QGraphicsView;

// The clock-tree drawing of a scene, painted from its layout at the scale it
// is shown at (the view's zoom times the screen's pixel ratio), so its lines
// and texts stay sharp at every zoom step and screen scale. The pixels are
// kept (Qt's device-coordinate cache) until the scale changes: a scroll step
// copies them and paints only the strip it uncovers.
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
    void setTexts(const QVector<Text> &texts);

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    void paintTexts(QPainter *painter) const;
    // The view the drawing is shown in, if any.
    QGraphicsView *view() const;

    ClockTree::Layout m_layout;
    QVector<Text> m_texts;
};

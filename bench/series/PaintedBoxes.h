#pragma once

// The cheapest honest picture of a series' controls, for the benchmarks'
// baselines: every control a painted box of its size, place and text, no
// widget behind it; a control the series hides is a hidden box. With the
// series' drawing under them, this is the same visible work as the series
// widget: the same count of controls, of the same sizes.
#include "ClockTreeItem.h"
#include "PinGraphicsView.h"
#include "QXMCUPLL.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDataStream>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QPainter>
#include <QVBoxLayout>

#include <memory>

namespace bench {

struct Box {
    QRectF rect;
    QString text;
    bool shown = true;
};

inline QDataStream &operator<<(QDataStream &stream, const Box &box)
{
    return stream << box.rect << box.text << box.shown;
}

inline QDataStream &operator>>(QDataStream &stream, Box &box)
{
    return stream >> box.rect >> box.text >> box.shown;
}

class BoxItem final : public QGraphicsItem {
public:
    explicit BoxItem(const Box &box) : m_box(box)
    {
        setPos(box.rect.topLeft());
        setVisible(box.shown);
    }
    QRectF boundingRect() const override { return QRectF(QPointF(), m_box.rect.size()); }
    // A frame and one line of text, the least a control shows: no style's
    // shading, no text layout.
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override
    {
        const QRect frame = boundingRect().toRect().adjusted(0, 0, -1, -1);
        painter->setRenderHint(QPainter::Antialiasing, false); // four lines of whole pixels
        painter->setPen(QColor(0, 176, 240));
        painter->drawRect(frame);
        if (m_box.text.isEmpty())
            return;
        painter->setPen(Qt::black);
        const QFontMetrics metrics = painter->fontMetrics();
        const qreal baseline = (frame.height() + metrics.ascent() - metrics.descent()) / 2;
        painter->drawText(QPointF(3, baseline), m_box.text);
    }

private:
    Box m_box;
};

// What a control shows as its text.
inline QString shownText(const QWidget *control)
{
    if (const auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    return control->property("text").toString(); // labels and entries
}

// The boxes of a built series widget: one per control laid over its drawing.
inline QVector<Box> boxesOf(const QXMCUPLL &series)
{
    QVector<Box> boxes;
    for (QGraphicsItem *item : series.scene()->items()) {
        if (const QWidget *control = QXMCUPLL::controlOf(qgraphicsitem_cast<QGraphicsProxyWidget *>(item)))
            boxes << Box{item->sceneBoundingRect(), shownText(control), item->isVisible()};
    }
    return boxes;
}

// A window showing the series' drawing with its fixed texts and the boxes.
inline std::unique_ptr<QWidget> boxWindow(const SeriesParams &series,
                                          const QVector<ClockTreeItem::Text> &texts,
                                          const QVector<Box> &boxes, PinGraphicsView **view = nullptr)
{
    auto window = std::make_unique<QWidget>();
    auto *column = new QVBoxLayout(window.get());
    column->setContentsMargins(0, 0, 0, 0);
    auto *scene = new QGraphicsScene(window.get());
    scene->setBackgroundBrush(Qt::white); // as the series widget's
    auto *shown = new PinGraphicsView(window.get());
    shown->setScene(scene);
    QXMCUPLL::styleView(shown); // the same scroll bars, no frame
    column->addWidget(shown);
    QXMCUPLL::addDrawingItem(scene, series)->setTexts(texts);
    for (const Box &box : boxes)
        scene->addItem(new BoxItem(box));
    if (view)
        *view = shown;
    return window;
}

} // namespace bench

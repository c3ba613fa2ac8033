#include "PinGraphicsView.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QGraphicsItem>
#include <QGraphicsProxyWidget>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

PinGraphicsView::PinGraphicsView(QWidget *parent) : QGraphicsView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    // Nothing in the drawing takes drops: a file dropped on it goes on to the
    // window, which opens designs.
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);
    centerOn(0, 0);
}

void PinGraphicsView::zoomIn()
{
    zoom(static_cast<float>(1 + m_zoomDelta));
}

void PinGraphicsView::zoomOut()
{
    zoom(static_cast<float>(1 - m_zoomDelta));
}

void PinGraphicsView::zoomReset()
{
    setTransformationAnchor(QGraphicsView::AnchorViewCenter);
    // Only the scale goes back to 1:1; shear and translation stay, so the
    // picture keeps its current centre.
    const QTransform current = transform();
    setTransform(QTransform(1.0, current.m12(), current.m21(), 1.0, current.dx(), current.dy()));
    m_scaleValue = 1.0;
    keepControlPixelsWhileZoomed();
}

void PinGraphicsView::zoom(float scaleFactor)
{
    const double factor = scaleFactor;
    const double prospective = transform().scale(factor, factor).mapRect(QRectF(0, 0, 1, 1)).width();
    if (prospective < MinScale || prospective > MaxScale)
        return;
    scale(factor, factor);
    m_scaleValue *= factor;
    keepControlPixelsWhileZoomed();
}

void PinGraphicsView::keepControlPixelsWhileZoomed()
{
    // Zoomed, a control's texts are too big for the glyph cache and are drawn
    // as outlines, dear at every scroll step: its pixels are kept, at the
    // scale shown, until it changes or the scale does. At 1:1 it is painted
    // straight onto the view: kept in a transparent pixmap, its antialiased
    // edges would blend one level apart from the pictures reviewed at 1:1.
    const bool keep = m_keepsControlPixels && transform().isScaling();
    if (keep == m_controlPixelsKept || !scene())
        return;
    m_controlPixelsKept = keep;
    for (QGraphicsItem *item : scene()->items()) {
        if (qobject_cast<QGraphicsProxyWidget *>(item->toGraphicsObject()))
            item->setCacheMode(keep ? QGraphicsItem::DeviceCoordinateCache : QGraphicsItem::NoCache);
    }
}

void PinGraphicsView::translate(QPointF delta)
{
    delta *= m_scaleValue;
    delta *= m_translateSpeed; // now in viewport pixels
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    const QRect area = viewport()->rect();
    const QPoint newCenter(static_cast<int>(area.width() / 2 - delta.x()),
                           static_cast<int>(area.height() / 2 - delta.y()));
    centerOn(mapToScene(newCenter));
    setTransformationAnchor(QGraphicsView::AnchorViewCenter);
}

void PinGraphicsView::Focus_InControl_Slot(bool flag)
{
    m_controlFocus = flag;
}

bool PinGraphicsView::controlTakingKeysHasFocus() const
{
    // Controls sit in proxies; the entry may be a child of the proxied widget,
    // and an open drop-down list is the child of its popup frame's proxy.
    const auto *proxy = scene() ? qgraphicsitem_cast<QGraphicsProxyWidget *>(scene()->focusItem()) : nullptr;
    const QWidget *focused = proxy && proxy->widget() ? proxy->widget()->focusWidget() : nullptr;
    return qobject_cast<const QLineEdit *>(focused) || qobject_cast<const QAbstractSpinBox *>(focused) ||
           qobject_cast<const QAbstractItemView *>(focused);
}

void PinGraphicsView::keyPressEvent(QKeyEvent *event)
{
    // A focused entry gets its caret keys and its signs, an open list its
    // arrows; the view pans and zooms with them only otherwise.
    if (controlTakingKeysHasFocus()) {
        // Straight to the scene: keys the control ignores (an entry's Up and
        // Down) must not fall through to the scroll area and move the view.
        if (scene())
            QCoreApplication::sendEvent(scene(), event);
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        translate(QPointF(-2, 0));
        break;
    case Qt::Key_Right:
        translate(QPointF(2, 0));
        break;
    case Qt::Key_Up:
        translate(QPointF(0, -2));
        break;
    case Qt::Key_Down:
        translate(QPointF(0, 2));
        break;
    case Qt::Key_Plus:
        zoomIn();
        break;
    case Qt::Key_Minus:
        zoomOut();
        break;
    default:
        QGraphicsView::keyPressEvent(event);
    }
}

void PinGraphicsView::wheelEvent(QWheelEvent *event)
{
    // Exactly Ctrl: Ctrl+Shift (and friends) leave the zoom alone.
    if (QGuiApplication::keyboardModifiers() == Qt::ControlModifier) {
        // A horizontal gesture has no vertical delta and zooms out.
        if (event->angleDelta().y() > 0)
            zoomIn();
        else
            zoomOut();
        // Passed on, the scroll bars would page under Ctrl and the picture
        // would jump away from what is being zoomed into.
        event->accept();
        return;
    }
    QGraphicsView::wheelEvent(event);
}

void PinGraphicsView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == m_translateButton && scene()) {
        const QGraphicsItem *top = scene()->itemAt(mapToScene(event->pos()), transform());
        if (top && top == m_backgroundItem) {
            m_mouseTranslate = true;
            viewport()->setCursor(Qt::ClosedHandCursor);
            m_lastMousePos = event->pos();
        }
    }
    QGraphicsView::mousePressEvent(event);
}

void PinGraphicsView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_mouseTranslate)
        translate(mapToScene(event->pos()) - mapToScene(m_lastMousePos));
    m_lastMousePos = event->pos();
    QGraphicsView::mouseMoveEvent(event);
}

void PinGraphicsView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == m_translateButton) {
        m_mouseTranslate = false;
        viewport()->setCursor(Qt::ArrowCursor);
    }
    QGraphicsView::mouseReleaseEvent(event);
}

void PinGraphicsView::drawForeground(QPainter *painter, const QRectF &rect)
{
    QGraphicsView::drawForeground(painter, rect);
    // Style sheets give most controls no focus frame of their own. Drawn by
    // the view only, so exported drawings never carry it.
    const QGraphicsItem *focused = scene() && hasFocus() ? scene()->focusItem() : nullptr;
    if (!focused || focused == m_backgroundItem)
        return;
    painter->save();
    QPen pen(QColor(0, 32, 82), 2 / qMax(m_scaleValue, 0.2), Qt::DashLine);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(focusFrameRect(focused));
    painter->restore();
}

void PinGraphicsView::focusInEvent(QFocusEvent *event)
{
    QGraphicsView::focusInEvent(event);
    updateFocusFrame();
}

void PinGraphicsView::focusOutEvent(QFocusEvent *event)
{
    QGraphicsView::focusOutEvent(event);
    updateFocusFrame();
}

void PinGraphicsView::updateFocusFrame()
{
    // Only around the focused control: a whole repaint would cost as much as
    // opening its list.
    const QGraphicsItem *focused = scene() ? scene()->focusItem() : nullptr;
    if (focused && focused != m_backgroundItem)
        viewport()->update(mapFromScene(focusFrameRect(focused)).boundingRect().adjusted(-2, -2, 2, 2));
}

QRectF PinGraphicsView::focusFrameRect(const QGraphicsItem *focused)
{
    return focused->sceneBoundingRect().adjusted(-3, -3, 3, 3);
}

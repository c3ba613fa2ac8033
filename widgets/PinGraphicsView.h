#pragma once

#include <QGraphicsView>
#include <QPoint>

class QGraphicsItem;

// The clock-tree view: zooms with the keyboard, Ctrl+wheel and the toolbar,
// and pans with the arrow keys or by dragging the bitmap (never a control).
class PinGraphicsView : public QGraphicsView {
    Q_OBJECT
public:
    explicit PinGraphicsView(QWidget *parent = nullptr);

    // Drags start only on this item (the series' bitmap).
    void setBackgroundItem(QGraphicsItem *item) { m_backgroundItem = item; }
    QGraphicsItem *backgroundItem() const { return m_backgroundItem; }

    // Product of the zoom factors applied since the last reset.
    double scaleValue() const { return m_scaleValue; }
    double zoomDelta() const { return m_zoomDelta; }
    double translateSpeed() const { return m_translateSpeed; }
    Qt::MouseButton translateButton() const { return m_translateButton; }
    bool isDragging() const { return m_mouseTranslate; }
    bool controlFocus() const { return m_controlFocus; }
    // Whether the controls' pixels are kept while the view is zoomed (see
    // keepControlPixelsWhileZoomed()); off by default.
    void setKeepsControlPixels(bool keeps) { m_keepsControlPixels = keeps; }

    // Zoom bounds of the horizontal scale; the bounds themselves are allowed.
    static constexpr double MinScale = 0.2;
    static constexpr double MaxScale = 5.0;

public slots:
    void zoomIn();
    void zoomOut();
    void zoomReset();
    // The factor travels as a float on purpose: the step limits depend on it.
    void zoom(float scaleFactor);
    // Pans by delta scene units; a positive x moves the picture to the right.
    void translate(QPointF delta);
    void Focus_InControl_Slot(bool flag);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // The focus mark: a frame around the control that has the keyboard.
    void drawForeground(QPainter *painter, const QRectF &rect) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool controlTakingKeysHasFocus() const;
    void keepControlPixelsWhileZoomed();
    // The focus mark of `focused`, in scene units; the pen reaches past it.
    static QRectF focusFrameRect(const QGraphicsItem *focused);
    void updateFocusFrame();

    Qt::MouseButton m_translateButton = Qt::LeftButton;
    double m_translateSpeed = 1.0;
    double m_zoomDelta = 0.03;
    bool m_mouseTranslate = false;
    QPoint m_lastMousePos;
    double m_scaleValue = 1.0;
    // Stored for the drop-down lists; no view behaviour depends on it yet.
    bool m_controlFocus = false;
    QGraphicsItem *m_backgroundItem = nullptr;
    bool m_keepsControlPixels = false;
    bool m_controlPixelsKept = false;
};

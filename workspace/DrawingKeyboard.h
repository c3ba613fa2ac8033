#pragma once

#include <QObject>
#include <QPointer>
#include <QVector>

class QGraphicsItem;
class QGraphicsProxyWidget;
class QLineEdit;
class QXMCUPLL;

// The keyboard on a series drawing: Tab and Shift+Tab walk its controls in
// the order of the clock tree, the view follows the focused control, every
// control carries its caption as accessible name, and the design's undo and
// redo keys reach the window's history unless an entry holds typed text not
// yet applied (then they are the entry's own).
class DrawingKeyboard final : public QObject {
    Q_OBJECT
public:
    // Attaches to a series widget whose controls are placed; owned by it.
    explicit DrawingKeyboard(QXMCUPLL *widget);

    // Whether an entry holds text typed since it was last applied or shown.
    static bool hasPendingText(const QLineEdit *edit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void collect();
    bool walk(bool forward);
    void focusChanged(QGraphicsItem *now);
    QWidget *focusedControl() const;

    QXMCUPLL *m_widget;
    QVector<QGraphicsProxyWidget *> m_order;
};

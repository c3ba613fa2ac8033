#include "PinGraphicsView.h"
#include "TableRows.h"

#include <QApplication>
#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QtTest/qtestspontaneevent.h>
#include <QtTest>

namespace {

// Counts the wheel events the view passes on to its scene.
class RecordingScene final : public QGraphicsScene {
public:
    int wheelEvents = 0;

protected:
    void wheelEvent(QGraphicsSceneWheelEvent *event) override
    {
        ++wheelEvents;
        QGraphicsScene::wheelEvent(event);
    }
};

// The view reads the application's keyboard state, not the event's; a
// spontaneous key event is how that state changes.
void setKeyboardModifiers(Qt::KeyboardModifiers modifiers)
{
    QWidget other;
    QKeyEvent event(QEvent::KeyRelease, Qt::Key_unknown, modifiers);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(&other, &event);
}

void sendMouse(QWidget *target, QEvent::Type type, const QPoint &pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

// A 1600 x 1200 bitmap with a control at (300, 300), in a larger scene, seen
// through a 400 x 300 view centred on (800, 600).
class TestPinGraphicsView : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_scene = new RecordingScene;
        QPixmap picture(1600, 1200);
        picture.fill(Qt::lightGray);
        QGraphicsPixmapItem *bitmap = m_scene->addPixmap(picture);
        m_entry = new QLineEdit;
        QGraphicsProxyWidget *proxy = m_scene->addWidget(m_entry);
        proxy->setPos(300, 300);
        proxy->setZValue(1);
        m_scene->setSceneRect(-400, -400, 2400, 2000);

        m_view = new PinGraphicsView;
        m_view->setScene(m_scene);
        m_view->setBackgroundItem(bitmap);
        m_view->resize(400, 300);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view));
        m_view->centerOn(800, 600);
    }

    void cleanup()
    {
        setKeyboardModifiers(Qt::NoModifier);
        delete m_view;
        delete m_scene;
    }

    void zoomLimits_data() { addTableRows("view_zoomlimits.tsv"); }

    void zoomLimits()
    {
        QFETCH(int, direction);
        QFETCH(int, accepted);
        QFETCH(double, limitScale);
        QFETCH(QString, boundText);
        const float bound = boundText.toFloat();
        for (int i = 1; i <= accepted; ++i) {
            const double before = m_view->scaleValue();
            stepZoom(direction);
            QVERIFY2(m_view->scaleValue() != before, qPrintable(QString("step %1 refused").arg(i)));
        }
        QVERIFY(qAbs(m_view->scaleValue() - limitScale) < 0.0005);
        const QTransform atLimit = m_view->transform();
        stepZoom(direction);
        QCOMPARE(m_view->transform(), atLimit);
        stepZoom(-direction); // the other direction still works from the limit
        QVERIFY(m_view->scaleValue() != atLimit.m11());

        m_view->centerOn(700, 500);
        m_view->zoomReset();
        QVERIFY(m_view->transform().isIdentity());
        QVERIFY(QLineF(centre(), QPointF(700, 500)).length() <= 2.0); // whole-pixel rounding at 1:1
        m_view->zoom(bound);
        QCOMPARE(m_view->transform().m22(), double(bound));
        m_view->zoomReset();
        m_view->zoom(bound + direction * 0.01f);
        QCOMPARE(m_view->scaleValue(), 1.0);
    }

    void input_data() { addTableRows("workspace_viewinput.tsv"); }
    void input()
    {
        QFETCH(QString, keyName);
        QFETCH(QString, modifierNames);
        QFETCH(QString, turn);
        QFETCH(QString, zoomSteps);
        QFETCH(QString, scaleStep); // the factor of one zoom step, as the view keeps it
        QFETCH(QString, panned);
        const int key = keyName.isEmpty() ? 0 : QKeySequence(keyName)[0];
        const int ctrl = Qt::ControlModifier;
        const int modifiers = QKeySequence(modifierNames + "+A")[0] & Qt::KeyboardModifierMask;
        const QPoint angleDelta(turn.section(',', 0, 0).toInt(), turn.section(',', 1).toInt());
        const QPointF shift(panned.section(',', 0, 0).toDouble(), panned.section(',', 1).toDouble());
        const double scaleFactor = double(scaleStep.toFloat());
        stepZoom(zoomSteps.toInt());
        const double scale = m_view->scaleValue();
        const QPoint before = m_view->mapFromScene(800, 600);
        if (key) {
            QTest::keyClick(m_view, Qt::Key(key));
        } else {
            setKeyboardModifiers(Qt::KeyboardModifiers(modifiers));
            QWheelEvent event(QPointF(50, 50), m_view->viewport()->mapToGlobal(QPoint(50, 50)), QPoint(),
                              angleDelta, Qt::NoButton, Qt::KeyboardModifiers(modifiers), Qt::NoScrollPhase,
                              false);
            const QPointF centre = m_view->mapToScene(m_view->viewport()->rect().center());
            QApplication::sendEvent(m_view->viewport(), &event);
            // A zooming turn goes no further: passed on, the scroll bars would
            // page under Ctrl. Any other turn gets the view's own handling.
            const bool zooms = modifiers == ctrl;
            QCOMPARE(m_scene->wheelEvents, zooms ? 0 : 1);
            // The picture zooms about the middle of the view; a page jump would
            // move it by a whole view height.
            const QPointF moved = m_view->mapToScene(m_view->viewport()->rect().center()) - centre;
            if (zooms)
                QVERIFY2(qAbs(moved.x()) < 2 && qAbs(moved.y()) < 2,
                         qPrintable(QString("moved by (%1, %2)").arg(moved.x()).arg(moved.y())));
        }
        QCOMPARE(m_view->scaleValue(), scale * scaleFactor);
        if (key && scaleFactor == 1.0) {
            const QPoint moved = m_view->mapFromScene(800, 600) - before;
            QVERIFY2(qAbs(moved.x() - shift.x() * scale) <= 1 && qAbs(moved.y() - shift.y() * scale) <= 1,
                     qPrintable(QString("moved by (%1, %2)").arg(moved.x()).arg(moved.y())));
        }
    }

    void drag_data() { addTableRows("view_drag.tsv"); }

    void drag()
    {
        QFETCH(double, x);
        QFETCH(double, y);
        const QPointF pressAt(x, y);
        QFETCH(int, zoomSteps);
        QFETCH(bool, drags);
        stepZoom(zoomSteps);
        m_view->centerOn(pressAt);
        const QPoint pressPos = m_view->mapFromScene(pressAt);
        const QPointF grabbed = m_view->mapToScene(pressPos);
        const QPointF centred = centre();

        sendMouse(m_view->viewport(), QEvent::MouseButtonPress, pressPos, Qt::LeftButton);
        QCOMPARE(m_view->isDragging(), drags);
        const QPoint movePos = pressPos + QPoint(30, 20);
        sendMouse(m_view->viewport(), QEvent::MouseMove, movePos, Qt::LeftButton);
        // Dragging, the grabbed point follows the cursor one to one; else nothing moves.
        const QPointF under = drags ? m_view->mapToScene(movePos) : centre();
        QVERIFY(QLineF(under, drags ? grabbed : centred).length() < 1.5 / m_view->scaleValue() + 0.01);
        sendMouse(m_view->viewport(), QEvent::MouseButtonRelease, movePos, Qt::NoButton);
        QVERIFY(!m_view->isDragging());
    }

private:
    void stepZoom(int steps); // in for positive, out for negative
    QPointF centre() const { return m_view->mapToScene(m_view->viewport()->rect().center()); }

    RecordingScene *m_scene = nullptr;
    PinGraphicsView *m_view = nullptr;
    QLineEdit *m_entry = nullptr;
};

void TestPinGraphicsView::stepZoom(int steps)
{
    for (int i = 0; i < qAbs(steps); ++i)
        steps > 0 ? m_view->zoomIn() : m_view->zoomOut();
}

QTEST_MAIN(TestPinGraphicsView)
#include "tst_pingraphicsview.moc"

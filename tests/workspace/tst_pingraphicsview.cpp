#include "PinGraphicsView.h"

#include <QApplication>
#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QScrollBar>
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

void sendMouse(QWidget *target, QEvent::Type type, const QPoint &pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

// A 1600 x 1200 bitmap with a control at (300, 300), in a larger scene, seen
// through a 400 x 300 view centred on (800, 600).
class TestPinGraphicsView : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void zoomStepLimits_data();
    void zoomStepLimits();
    void zoomBounds();
    void keys_data();
    void keys();
    void wheel_data();
    void wheel();
    void drag_data();
    void drag();
    void zoomResetKeepsCentre();

private:
    void stepZoom(int steps); // in for positive, out for negative

    RecordingScene *m_scene = nullptr;
    PinGraphicsView *m_view = nullptr;
};

void TestPinGraphicsView::init()
{
    m_scene = new RecordingScene;
    QPixmap picture(1600, 1200);
    picture.fill(Qt::lightGray);
    QGraphicsPixmapItem *bitmap = m_scene->addPixmap(picture);
    QGraphicsProxyWidget *proxy = m_scene->addWidget(new QLineEdit);
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

void TestPinGraphicsView::cleanup()
{
    setKeyboardModifiers(Qt::NoModifier);
    delete m_view;
    delete m_scene;
}

void TestPinGraphicsView::stepZoom(int steps)
{
    for (int i = 0; i < qAbs(steps); ++i)
        steps > 0 ? m_view->zoomIn() : m_view->zoomOut();
}

void TestPinGraphicsView::zoomStepLimits_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("accepted");
    QTest::addColumn<double>("limitScale");
    QTest::newRow("zoom in") << 1 << 54 << 4.934;
    QTest::newRow("zoom out") << -1 << 52 << 0.2052;
}

void TestPinGraphicsView::zoomStepLimits()
{
    QFETCH(int, direction);
    QFETCH(int, accepted);
    QFETCH(double, limitScale);
    for (int i = 1; i <= accepted; ++i) {
        const double before = m_view->scaleValue();
        stepZoom(direction);
        QVERIFY2(m_view->scaleValue() != before, qPrintable(QString("step %1 refused").arg(i)));
    }
    QVERIFY(qAbs(m_view->scaleValue() - limitScale) < 0.0005);
    QCOMPARE(m_view->transform().m11(), m_view->scaleValue());

    const QTransform atLimit = m_view->transform();
    stepZoom(direction);
    QCOMPARE(m_view->transform(), atLimit);
    QCOMPARE(m_view->scaleValue(), atLimit.m11());
    // The other direction still works from the limit.
    stepZoom(-direction);
    QVERIFY(m_view->scaleValue() != atLimit.m11());
}

void TestPinGraphicsView::zoomBounds()
{
    for (float factor : {5.0f, 5.01f, 0.2f, 0.19f}) {
        m_view->zoomReset();
        m_view->zoom(factor);
        const double expected = factor >= 0.2f && factor <= 5.0f ? double(factor) : 1.0;
        QCOMPARE(m_view->scaleValue(), expected);
        QCOMPARE(m_view->transform().m22(), expected);
    }
}

void TestPinGraphicsView::keys_data()
{
    QTest::addColumn<int>("zoomSteps");
    QTest::addColumn<int>("key");
    QTest::addColumn<double>("scaleFactor");
    QTest::addColumn<QPointF>("shiftInSceneUnits");
    QTest::newRow("plus zooms in") << 0 << int(Qt::Key_Plus) << double(1.03f) << QPointF();
    QTest::newRow("minus zooms out") << 0 << int(Qt::Key_Minus) << double(0.97f) << QPointF();
    QTest::newRow("right") << 0 << int(Qt::Key_Right) << 1.0 << QPointF(2, 0);
    QTest::newRow("up") << 0 << int(Qt::Key_Up) << 1.0 << QPointF(0, -2);
    QTest::newRow("left while zoomed in") << 20 << int(Qt::Key_Left) << 1.0 << QPointF(-2, 0);
    QTest::newRow("other key does nothing") << 0 << int(Qt::Key_A) << 1.0 << QPointF();
}

void TestPinGraphicsView::keys()
{
    QFETCH(int, zoomSteps);
    QFETCH(int, key);
    QFETCH(double, scaleFactor);
    QFETCH(QPointF, shiftInSceneUnits);
    stepZoom(zoomSteps);
    const double scale = m_view->scaleValue();
    const QPoint before = m_view->mapFromScene(800, 600);

    QTest::keyClick(m_view, Qt::Key(key));

    QCOMPARE(m_view->scaleValue(), scale * scaleFactor);
    if (scaleFactor == 1.0) {
        // The picture moves by the delta in scene units: delta x zoom in whole pixels.
        const QPoint moved = m_view->mapFromScene(800, 600) - before;
        const QPointF expected = shiftInSceneUnits * scale;
        QVERIFY2(qAbs(moved.x() - expected.x()) <= 1 && qAbs(moved.y() - expected.y()) <= 1,
                 qPrintable(QString("moved by (%1, %2)").arg(moved.x()).arg(moved.y())));
    }
}

void TestPinGraphicsView::wheel_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QPoint>("angleDelta");
    QTest::addColumn<double>("scale");
    QTest::newRow("ctrl up zooms in") << int(Qt::ControlModifier) << QPoint(0, 120) << double(1.03f);
    QTest::newRow("ctrl horizontal zooms out") << int(Qt::ControlModifier) << QPoint(120, 0) << double(0.97f);
    QTest::newRow("ctrl+shift") << int(Qt::ControlModifier | Qt::ShiftModifier) << QPoint(0, 120) << 1.0;
    QTest::newRow("ctrl+alt") << int(Qt::ControlModifier | Qt::AltModifier) << QPoint(0, -120) << 1.0;
    QTest::newRow("plain wheel") << int(Qt::NoModifier) << QPoint(0, 120) << 1.0;
}

void TestPinGraphicsView::wheel()
{
    QFETCH(int, modifiers);
    QFETCH(QPoint, angleDelta);
    setKeyboardModifiers(Qt::KeyboardModifiers(modifiers));
    QCOMPARE(int(QGuiApplication::keyboardModifiers()), modifiers);

    QWheelEvent event(QPointF(50, 50), m_view->viewport()->mapToGlobal(QPoint(50, 50)), QPoint(), angleDelta,
                      Qt::NoButton, Qt::KeyboardModifiers(modifiers), Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_view->viewport(), &event);

    QTEST(m_view->scaleValue(), "scale");
    // Zoom or not, the view's own wheel handling still runs.
    QCOMPARE(m_scene->wheelEvents, 1);
}

void TestPinGraphicsView::drag_data()
{
    QTest::addColumn<QPointF>("pressAt");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("zoomSteps");
    QTest::addColumn<bool>("drags");
    QTest::newRow("bare bitmap") << QPointF(790, 590) << int(Qt::LeftButton) << 0 << true;
    QTest::newRow("bare bitmap zoomed in") << QPointF(790, 590) << int(Qt::LeftButton) << 15 << true;
    QTest::newRow("control over bitmap") << QPointF(310, 305) << int(Qt::LeftButton) << 0 << false;
    QTest::newRow("right button") << QPointF(790, 590) << int(Qt::RightButton) << 0 << false;
    QTest::newRow("outside the bitmap") << QPointF(-100, -100) << int(Qt::LeftButton) << 0 << false;
}

void TestPinGraphicsView::drag()
{
    QFETCH(QPointF, pressAt);
    QFETCH(int, button);
    QFETCH(int, zoomSteps);
    QFETCH(bool, drags);
    const auto mouseButton = Qt::MouseButton(button);
    stepZoom(zoomSteps);
    m_view->centerOn(pressAt);
    const QPoint pressPos = m_view->mapFromScene(pressAt);
    const QPointF grabbed = m_view->mapToScene(pressPos);
    const int h = m_view->horizontalScrollBar()->value(), v = m_view->verticalScrollBar()->value();

    sendMouse(m_view->viewport(), QEvent::MouseButtonPress, pressPos, mouseButton, mouseButton);
    QCOMPARE(m_view->isDragging(), drags);
    QCOMPARE(m_view->viewport()->cursor().shape(), drags ? Qt::ClosedHandCursor : Qt::ArrowCursor);

    const QPoint movePos = pressPos + QPoint(30, 20);
    sendMouse(m_view->viewport(), QEvent::MouseMove, movePos, Qt::NoButton, mouseButton);
    if (drags) {
        // The grabbed point follows the cursor one to one.
        QVERIFY(QLineF(m_view->mapToScene(movePos), grabbed).length() < 1.5 / m_view->scaleValue() + 0.01);
    } else {
        QCOMPARE(m_view->horizontalScrollBar()->value(), h);
        QCOMPARE(m_view->verticalScrollBar()->value(), v);
    }
    sendMouse(m_view->viewport(), QEvent::MouseButtonRelease, movePos, mouseButton, Qt::NoButton);
    QVERIFY(!m_view->isDragging());
}

void TestPinGraphicsView::zoomResetKeepsCentre()
{
    stepZoom(12);
    m_view->centerOn(700, 500);
    const QPointF centre = m_view->mapToScene(m_view->viewport()->rect().center());
    m_view->zoomReset();
    QCOMPARE(m_view->scaleValue(), 1.0);
    QVERIFY(m_view->transform().isIdentity());
    // Whole-pixel rounding: two pixels at 1:1.
    QVERIFY(QLineF(m_view->mapToScene(m_view->viewport()->rect().center()), centre).length() <= 2.0);
}

QTEST_MAIN(TestPinGraphicsView)
#include "tst_pingraphicsview.moc"

#include "PinGraphicsView.h"

#include <QApplication>
#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsSceneWheelEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest/qtestspontaneevent.h>
#include <QtTest>

namespace {

// Counts the wheel events the view passes on to its scene.
class RecordingScene : public QGraphicsScene {
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
void setKeyboardModifiers(QWidget *target, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(QEvent::KeyRelease, Qt::Key_unknown, modifiers);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(target, &event);
}

} // namespace

class TestPinGraphicsView : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void initialState();
    void zoomStepLimits_data();
    void zoomStepLimits();
    void zoomBounds_data();
    void zoomBounds();
    void keys_data();
    void keys();
    void wheel_data();
    void wheel();
    void drag_data();
    void drag();
    void zoomResetKeepsCentre_data();
    void zoomResetKeepsCentre();

private:
    void stepZoom(bool in, int steps);
    QPoint viewportPosOf(const QPointF &scenePoint) const { return m_view->mapFromScene(scenePoint); }

    RecordingScene *m_scene = nullptr;
    PinGraphicsView *m_view = nullptr;
    QGraphicsPixmapItem *m_bitmap = nullptr;
    QWidget *m_other = nullptr;
};

void TestPinGraphicsView::init()
{
    m_scene = new RecordingScene;
    QPixmap picture(1600, 1200);
    picture.fill(Qt::lightGray);
    m_bitmap = m_scene->addPixmap(picture);
    QGraphicsProxyWidget *proxy = m_scene->addWidget(new QLineEdit);
    proxy->setPos(300, 300);
    proxy->setZValue(1);
    // Some empty scene beyond the bitmap.
    m_scene->setSceneRect(-400, -400, 2400, 2000);

    m_view = new PinGraphicsView;
    m_view->setScene(m_scene);
    m_view->setBackgroundItem(m_bitmap);
    m_view->resize(400, 300);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    m_view->centerOn(800, 600);
    m_other = new QWidget;
}

void TestPinGraphicsView::cleanup()
{
    setKeyboardModifiers(m_other, Qt::NoModifier);
    delete m_view;
    delete m_scene;
    delete m_other;
}

void TestPinGraphicsView::stepZoom(bool in, int steps)
{
    for (int i = 0; i < steps; ++i)
        in ? m_view->zoomIn() : m_view->zoomOut();
}

void TestPinGraphicsView::initialState()
{
    PinGraphicsView view;
    QCOMPARE(view.translateButton(), Qt::LeftButton);
    QCOMPARE(view.translateSpeed(), 1.0);
    QCOMPARE(view.zoomDelta(), 0.03);
    QCOMPARE(view.scaleValue(), 1.0);
    QVERIFY(!view.isDragging());
    QVERIFY(!view.controlFocus());
    QVERIFY(view.renderHints() & QPainter::Antialiasing);
    QVERIFY(view.transform().isIdentity());
}

void TestPinGraphicsView::zoomStepLimits_data()
{
    QTest::addColumn<bool>("in");
    QTest::addColumn<int>("accepted");
    QTest::addColumn<double>("limitScale");
    QTest::newRow("zoom in") << true << 54 << 4.934;
    QTest::newRow("zoom out") << false << 52 << 0.2052;
}

void TestPinGraphicsView::zoomStepLimits()
{
    QFETCH(bool, in);
    QFETCH(int, accepted);
    QFETCH(double, limitScale);

    for (int i = 1; i <= accepted; ++i) {
        const double before = m_view->scaleValue();
        stepZoom(in, 1);
        QVERIFY2(m_view->scaleValue() != before, qPrintable(QStringLiteral("step %1 refused").arg(i)));
    }
    QVERIFY(qAbs(m_view->scaleValue() - limitScale) < 0.0005);
    QVERIFY(qAbs(m_view->transform().m11() - limitScale) < 0.0005);

    const QTransform atLimit = m_view->transform();
    const double scaleAtLimit = m_view->scaleValue();
    stepZoom(in, 1);
    QCOMPARE(m_view->transform(), atLimit);
    QCOMPARE(m_view->scaleValue(), scaleAtLimit);

    // The other direction still works from the limit.
    stepZoom(!in, 1);
    QVERIFY(m_view->scaleValue() != scaleAtLimit);
}

void TestPinGraphicsView::zoomBounds_data()
{
    QTest::addColumn<float>("factor");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("upper bound itself") << 5.0f << true;
    QTest::newRow("above upper bound") << 5.01f << false;
    QTest::newRow("lower bound itself") << 0.2f << true;
    QTest::newRow("below lower bound") << 0.19f << false;
    QTest::newRow("ordinary step") << 1.5f << true;
}

void TestPinGraphicsView::zoomBounds()
{
    QFETCH(float, factor);
    QFETCH(bool, accepted);
    m_view->zoom(factor);
    QCOMPARE(m_view->scaleValue(), accepted ? double(factor) : 1.0);
    QCOMPARE(m_view->transform().m11(), accepted ? double(factor) : 1.0);
    QCOMPARE(m_view->transform().m22(), accepted ? double(factor) : 1.0);
}

void TestPinGraphicsView::keys_data()
{
    QTest::addColumn<int>("zoomSteps");
    QTest::addColumn<int>("key");
    QTest::addColumn<double>("scaleFactor");
    QTest::addColumn<QPointF>("shiftInSceneUnits");

    const double in = double(1.03f), out = double(0.97f);
    QTest::newRow("plus zooms in") << 0 << int(Qt::Key_Plus) << in << QPointF();
    QTest::newRow("minus zooms out") << 0 << int(Qt::Key_Minus) << out << QPointF();
    QTest::newRow("right") << 0 << int(Qt::Key_Right) << 1.0 << QPointF(2, 0);
    QTest::newRow("left") << 0 << int(Qt::Key_Left) << 1.0 << QPointF(-2, 0);
    QTest::newRow("up") << 0 << int(Qt::Key_Up) << 1.0 << QPointF(0, -2);
    QTest::newRow("down") << 0 << int(Qt::Key_Down) << 1.0 << QPointF(0, 2);
    QTest::newRow("right while zoomed in") << 20 << int(Qt::Key_Right) << 1.0 << QPointF(2, 0);
    QTest::newRow("down while zoomed out") << -20 << int(Qt::Key_Down) << 1.0 << QPointF(0, 2);
    QTest::newRow("other key does nothing") << 0 << int(Qt::Key_A) << 1.0 << QPointF();
}

void TestPinGraphicsView::keys()
{
    QFETCH(int, zoomSteps);
    QFETCH(int, key);
    QFETCH(double, scaleFactor);
    QFETCH(QPointF, shiftInSceneUnits);

    stepZoom(zoomSteps > 0, qAbs(zoomSteps));
    const double scale = m_view->scaleValue();
    const QPointF anchor(800, 600);
    const QPoint before = viewportPosOf(anchor);

    QTest::keyClick(m_view, Qt::Key(key));

    QCOMPARE(m_view->scaleValue(), scale * scaleFactor);
    if (scaleFactor == 1.0) {
        // The picture moves by the delta in scene units, i.e. delta × zoom in
        // pixels (truncated to whole pixels).
        const QPoint moved = viewportPosOf(anchor) - before;
        const QPointF expected = shiftInSceneUnits * scale;
        QVERIFY2(qAbs(moved.x() - expected.x()) <= 1 && qAbs(moved.y() - expected.y()) <= 1,
                 qPrintable(QStringLiteral("moved by (%1, %2)").arg(moved.x()).arg(moved.y())));
        if (scale == 1.0)
            QCOMPARE(QPointF(moved), expected);
    }
}

void TestPinGraphicsView::wheel_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QPoint>("angleDelta");
    QTest::addColumn<double>("scaleFactor");

    const double in = double(1.03f), out = double(0.97f);
    QTest::newRow("ctrl up zooms in") << int(Qt::ControlModifier) << QPoint(0, 120) << in;
    QTest::newRow("ctrl down zooms out") << int(Qt::ControlModifier) << QPoint(0, -120) << out;
    QTest::newRow("ctrl horizontal zooms out") << int(Qt::ControlModifier) << QPoint(120, 0) << out;
    QTest::newRow("ctrl+shift does not zoom")
        << int(Qt::ControlModifier | Qt::ShiftModifier) << QPoint(0, 120) << 1.0;
    QTest::newRow("ctrl+alt does not zoom")
        << int(Qt::ControlModifier | Qt::AltModifier) << QPoint(0, -120) << 1.0;
    QTest::newRow("plain wheel does not zoom") << int(Qt::NoModifier) << QPoint(0, 120) << 1.0;
}

void TestPinGraphicsView::wheel()
{
    QFETCH(int, modifiers);
    QFETCH(QPoint, angleDelta);
    QFETCH(double, scaleFactor);

    setKeyboardModifiers(m_other, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(int(QGuiApplication::keyboardModifiers()), modifiers);

    const QPointF pos(50, 50);
    QWheelEvent event(pos, m_view->viewport()->mapToGlobal(pos.toPoint()), QPoint(), angleDelta, Qt::NoButton,
                      Qt::KeyboardModifiers(modifiers), Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_view->viewport(), &event);

    QCOMPARE(m_view->scaleValue(), scaleFactor);
    // Zoom or not, the view's own wheel handling still runs.
    QCOMPARE(m_scene->wheelEvents, 1);
}

void TestPinGraphicsView::drag_data()
{
    QTest::addColumn<QPointF>("pressAt");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("zoomSteps");
    QTest::addColumn<bool>("resetFirst");
    QTest::addColumn<bool>("drags");

    QTest::newRow("bare bitmap") << QPointF(790, 590) << int(Qt::LeftButton) << 0 << false << true;
    QTest::newRow("bare bitmap zoomed in") << QPointF(790, 590) << int(Qt::LeftButton) << 15 << false << true;
    QTest::newRow("after zoom and reset") << QPointF(790, 590) << int(Qt::LeftButton) << 15 << true << true;
    QTest::newRow("control over bitmap") << QPointF(310, 305) << int(Qt::LeftButton) << 0 << false << false;
    QTest::newRow("right button") << QPointF(790, 590) << int(Qt::RightButton) << 0 << false << false;
    QTest::newRow("outside the bitmap") << QPointF(-100, -100) << int(Qt::LeftButton) << 0 << false << false;
}

void TestPinGraphicsView::drag()
{
    QFETCH(QPointF, pressAt);
    QFETCH(int, button);
    QFETCH(int, zoomSteps);
    QFETCH(bool, resetFirst);
    QFETCH(bool, drags);

    stepZoom(true, zoomSteps);
    if (resetFirst)
        m_view->zoomReset();
    m_view->centerOn(pressAt);
    const QPoint pressPos = viewportPosOf(pressAt);
    const QPointF grabbed = m_view->mapToScene(pressPos);
    const int h = m_view->horizontalScrollBar()->value(), v = m_view->verticalScrollBar()->value();

    QMouseEvent press(QEvent::MouseButtonPress, pressPos, Qt::MouseButton(button), Qt::MouseButton(button),
                      Qt::NoModifier);
    QApplication::sendEvent(m_view->viewport(), &press);
    QCOMPARE(m_view->isDragging(), drags);
    QCOMPARE(m_view->viewport()->cursor().shape(), drags ? Qt::ClosedHandCursor : Qt::ArrowCursor);

    const QPoint movePos = pressPos + QPoint(30, 20);
    QMouseEvent move(QEvent::MouseMove, movePos, Qt::NoButton, Qt::MouseButton(button), Qt::NoModifier);
    QApplication::sendEvent(m_view->viewport(), &move);
    if (drags) {
        // The grabbed point follows the cursor one to one.
        const QPointF under = m_view->mapToScene(movePos);
        QVERIFY2(
            QLineF(under, grabbed).length() < 1.5 / m_view->scaleValue() + 0.01,
            qPrintable(QStringLiteral("grabbed point drifted to (%1, %2)").arg(under.x()).arg(under.y())));
    } else {
        QCOMPARE(m_view->horizontalScrollBar()->value(), h);
        QCOMPARE(m_view->verticalScrollBar()->value(), v);
    }

    QMouseEvent release(QEvent::MouseButtonRelease, movePos, Qt::MouseButton(button), Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(m_view->viewport(), &release);
    QVERIFY(!m_view->isDragging());
}

void TestPinGraphicsView::zoomResetKeepsCentre_data()
{
    QTest::addColumn<int>("zoomSteps");
    QTest::newRow("after zooming in") << 12;
    QTest::newRow("after zooming out") << -12;
    QTest::newRow("at 1:1") << 0;
}

void TestPinGraphicsView::zoomResetKeepsCentre()
{
    QFETCH(int, zoomSteps);
    stepZoom(zoomSteps > 0, qAbs(zoomSteps));
    m_view->centerOn(700, 500);
    const QPointF centre = m_view->mapToScene(m_view->viewport()->rect().center());
    // Whole-pixel rounding: allow two pixels of the coarser of the two scales.
    const double tolerance = 2.0 / qMin(m_view->scaleValue(), 1.0);

    m_view->zoomReset();

    QCOMPARE(m_view->scaleValue(), 1.0);
    QCOMPARE(m_view->transform().m11(), 1.0);
    QCOMPARE(m_view->transform().m22(), 1.0);
    const QPointF after = m_view->mapToScene(m_view->viewport()->rect().center());
    QVERIFY2(QLineF(after, centre).length() <= tolerance,
             qPrintable(QStringLiteral("centre moved from (%1, %2) to (%3, %4)")
                            .arg(centre.x())
                            .arg(centre.y())
                            .arg(after.x())
                            .arg(after.y())));
}

QTEST_MAIN(TestPinGraphicsView)
#include "tst_pingraphicsview.moc"

#include "ClockConfig.h"
#include "DrawingKeyboard.h"
#include "PinGraphicsView.h"
#include "QXMCUPLL.h"
#include "QXPLLConfig.h"
#include "ScriptedDialogs.h"
#include "SeriesTable.h"

#include <QAction>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QUndoStack>
#include <QtTest>

// The keyboard on a real drawing, in a shown and active window: keys go where
// the window system sends them, to the window's focus widget (the view), and
// through it to the control that has the keyboard.
class TestDrawingKeyboard : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { delete m_host; }
    void undoKeysReachTheDesign_data();
    void undoKeysReachTheDesign();
    void tabWalksTheTree_data();
    void tabWalksTheTree();

private:
    QXMCUPLL *widget() const { return m_host->currentWidget(); }
    PinGraphicsView *view() const { return widget()->graphicsView(); }
    // A click on a control, as the user gives it the keyboard.
    void click(QWidget *control);
    QWidget *focused() const;
    void keys(const QString &sequence);

    QXPLLConfig *m_host = nullptr;
    ScriptedDialogs m_dialogs;
};

void TestDrawingKeyboard::init()
{
    m_dialogs.clear();
    m_host = new QXPLLConfig;
    m_host->resize(1200, 700);
    QVERIFY(m_host->createSeries(13)); // QXC330
    m_host->show();
    QApplication::setActiveWindow(m_host);
    QVERIFY(QTest::qWaitForWindowActive(m_host));
}

void TestDrawingKeyboard::click(QWidget *control)
{
    QGraphicsProxyWidget *proxy = control->graphicsProxyWidget();
    view()->ensureVisible(proxy);
    const QPoint at = view()->mapFromScene(proxy->sceneBoundingRect().center());
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(QApplication::focusWidget(), view());
    QCOMPARE(focused(), control);
}

QWidget *TestDrawingKeyboard::focused() const
{
    const auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(widget()->scene()->focusItem());
    return proxy ? proxy->widget() : nullptr;
}

// Types text and key sequences ("12", "Return", "Ctrl+Z") at the focus widget.
void TestDrawingKeyboard::keys(const QString &sequence)
{
    for (const QString &part : sequence.split(' ', Qt::SkipEmptyParts)) {
        const QKeySequence key(part);
        if (part.at(0).isLetter() && !key.isEmpty()) {
            const int combined = key[0];
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(combined & ~Qt::KeyboardModifierMask),
                            Qt::KeyboardModifiers(combined & Qt::KeyboardModifierMask));
        } else {
            QTest::keyClicks(QApplication::focusWidget(), part);
        }
        QCoreApplication::processEvents(); // a gesture ends
    }
}

void TestDrawingKeyboard::undoKeysReachTheDesign_data()
{
    QTest::addColumn<QString>("entry"); // where the keyboard is for the keys
    QTest::addColumn<QString>("keys");  // after typing 12 and Return into the HEXT entry
    QTest::addColumn<double>("hext");   // the design's crystal afterwards, MHz
    QTest::addColumn<QString>("shown"); // what the HEXT entry shows
    // clang-format off
    QTest::newRow("ctrl+z in the applied entry") << "hext" << "Ctrl+Z" << 8.0 << "8";
    QTest::newRow("ctrl+z, ctrl+y") << "hext" << "Ctrl+Z Ctrl+Y" << 12.0 << "12";
    QTest::newRow("ctrl+z, ctrl+shift+z") << "hext" << "Ctrl+Z Ctrl+Shift+Z" << 12.0 << "12";
    QTest::newRow("ctrl+z in an untouched entry") << "sclk" << "Ctrl+Z" << 8.0 << "8";
    // The entry's own undo takes back its typing (all of it since it was cleared).
    QTest::newRow("typed, not applied: the entry's own") << "hext" << "5 Ctrl+Z" << 12.0 << "8";
    QTest::newRow("typed, applied, then the design's") << "hext" << "5 Ctrl+Z Return Ctrl+Z" << 12.0 << "12";
    // clang-format on
}

void TestDrawingKeyboard::undoKeysReachTheDesign()
{
    QFETCH(QString, entry);
    auto *hext = widget()->findControl<QLineEdit>("hext");
    QVERIFY(hext);
    click(hext);
    hext->selectAll();
    keys("12 Return");
    QCOMPARE(widget()->config()->hextMHz, 12.0);
    QCOMPARE(m_host->undoStack()->count(), 1);
    if (entry != "hext")
        click(widget()->findControl<QLineEdit>(entry));
    QFETCH(QString, keys);
    this->keys(keys);
    QTEST(widget()->config()->hextMHz, "hext");
    QTEST(hext->text(), "shown");
    QCOMPARE(m_dialogs.count(ScriptedDialogs::Kind::Message), 0);
}

void TestDrawingKeyboard::tabWalksTheTree_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("QXC330") << 13;
}

void TestDrawingKeyboard::tabWalksTheTree()
{
    // From the crystal entry Tab goes on through the PLL, the system clock,
    // the buses, the peripherals and the clock outputs, and comes round.
    auto *hext = widget()->findControl<QLineEdit>("hext");
    click(hext);
    QStringList visited{focused()->objectName()};
    for (int i = 0; i < 80 && (visited.size() == 1 || focused() != hext); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *now = focused();
        QVERIFY(now);
        visited << now->objectName();
        QVERIFY2(!now->accessibleName().isEmpty(), qPrintable(now->objectName()));
        // The view follows the keyboard.
        QVERIFY(view()
                    ->mapToScene(view()->viewport()->rect())
                    .boundingRect()
                    .intersects(now->graphicsProxyWidget()->sceneBoundingRect()));
    }
    // Greyed controls (the clock outputs' sources while they have no pin) are
    // passed over.
    QCOMPARE(
        visited.join(' '),
        QString("hext hextbypass pllrcs.0 pllrcs.1 pllms pllns pllfr sclkselect.0 sclkselect.1 sclkselect.2 "
                "sclk ahbdiv apb1div apb2div rtcsel.0 rtcsel.1 rtcsel.2 rtcswitch usbdiv hicktousb.0 "
                "hicktousb.1 usbswitch apb1p.list apb1t.list apb2p.list apb2t.list clockout1PinSelect "
                "clockout2PinSelect lextbypass hext"));
    // Screen readers say the caption drawn beside a control, and a radio's choice.
    QCOMPARE(hext->accessibleName(), QString("hext(4-25MHz)"));
    QCOMPARE(widget()->findControl<QWidget>("sclkselect.1")->accessibleName(), QString("sclk select PLL"));
    QCOMPARE(widget()->findControl<QWidget>("rtcsel.1")->accessibleName(), QString("ertcsel LEXT"));
    QCOMPARE(widget()->findControl<QWidget>("apb1p.list")->accessibleName(),
             QString("apb1 peripheral (MHz) List"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(focused()->objectName(), visited.at(visited.size() - 2));
}

QTEST_MAIN(TestDrawingKeyboard)
#include "tst_drawingkeyboard.moc"

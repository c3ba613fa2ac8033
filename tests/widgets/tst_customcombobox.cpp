#include "CustomComboBox1.h"
#include "CustomListView.h"
#include "PinGraphicsView.h"

#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

namespace {

void turnWheel(QWidget *target, const QPoint &pos, int angle)
{
    QWheelEvent event(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

void sendFocus(QWidget *target, QEvent::Type type)
{
    QFocusEvent event(type);
    QApplication::sendEvent(target, &event);
}

} // namespace

class TestCustomComboBox : public QObject {
    Q_OBJECT

private slots:
    void wheelNeverChangesSelection_data();
    void wheelNeverChangesSelection();
    void looks_data();
    void looks();
    void clickedOnLeftPressOnly();
    void listViewReportsFocus();
};

void TestCustomComboBox::wheelNeverChangesSelection_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("angle");
    QTest::addColumn<bool>("onDiagram"); // a control over the drawing, the wheel turned on the view
    QTest::newRow("down from first") << 0 << -120 << false;
    QTest::newRow("up from last") << 3 << 120 << false;
    QTest::newRow("on the diagram") << 1 << 120 << true;
}

void TestCustomComboBox::wheelNeverChangesSelection()
{
    QFETCH(int, start);
    QFETCH(int, angle);
    QFETCH(bool, onDiagram);
    const QStringList items{"QXC300", "QXC310", "QXC315", "QXC300A"};
    // A plain combo box moves under the same event, so the event is one that would change a selection.
    QComboBox plain;
    plain.addItems(items);
    plain.setCurrentIndex(start);
    turnWheel(&plain, plain.rect().center(), angle);
    QVERIFY(plain.currentIndex() != start);

    auto *combo = new CustomComboBox1;
    combo->addItems(items);
    combo->setCurrentIndex(start);
    QSignalSpy changed(combo, qOverload<int>(&QComboBox::currentIndexChanged));
    QGraphicsScene scene(0, 0, 800, 600);
    QGraphicsProxyWidget *proxy = scene.addWidget(combo);
    PinGraphicsView view;
    view.setScene(&scene);
    view.resize(400, 300);
    view.show();
    view.centerOn(proxy);
    QWidget *target = onDiagram ? view.viewport() : combo;
    const QPoint at =
        onDiagram ? view.mapFromScene(proxy->sceneBoundingRect().center()) : combo->rect().center();
    turnWheel(target, at, angle);
    turnWheel(target, at, angle);
    QCOMPARE(combo->currentIndex(), start);
    QCOMPARE(changed.count(), 0);
}

void TestCustomComboBox::looks_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("border");
    QTest::addColumn<QString>("text");
    const QString blue = "rgb(0, 176, 240)", dark = "rgb(51, 51, 51)";
    QTest::newRow("focus in") << QStringList{"in"} << blue << dark;
    QTest::newRow("focus out") << QStringList{"in", "out"} << blue << "black";
    QTest::newRow("disabled with style") << QStringList{"disable"} << "gray"
                                         << "gray";
    QTest::newRow("enabled with style") << QStringList{"disable", "enable"} << blue << dark;
}

void TestCustomComboBox::looks()
{
    QFETCH(QStringList, steps);
    CustomComboBox1 combo;
    for (const QString &step : steps) {
        if (step == "in" || step == "out")
            sendFocus(&combo, step == "in" ? QEvent::FocusIn : QEvent::FocusOut);
        else
            combo.setEnabledWithStyle(step == "enable");
    }
    // The border and text colours of the combo's own rule.
    const QRegularExpression rule(
        R"(QComboBox\s*\{[^}]*border:\s*1px outset ([^;]+);[^}]*[^-]color:\s*([^;]+);)");
    const QRegularExpressionMatch match = rule.match(combo.styleSheet());
    QVERIFY(match.hasMatch());
    QTEST(match.captured(1).trimmed(), "border");
    QTEST(match.captured(2).trimmed(), "text");
    QCOMPARE(combo.isEnabled(), !steps.endsWith("disable"));
}

void TestCustomComboBox::clickedOnLeftPressOnly()
{
    CustomComboBox1 combo;
    combo.addItem("QXC300");
    combo.show();
    QSignalSpy clicked(&combo, &CustomComboBox1::clicked);
    QTest::mousePress(&combo, Qt::RightButton, {}, combo.rect().center());
    QCOMPARE(clicked.count(), 0);
    QTest::mousePress(&combo, Qt::LeftButton, {}, combo.rect().center());
    QCOMPARE(clicked.count(), 1);
    combo.hidePopup();
}

void TestCustomComboBox::listViewReportsFocus()
{
    CustomListView view;
    PinGraphicsView target;
    connect(&view, &CustomListView::focusInThis, &target, &PinGraphicsView::Focus_InControl_Slot);
    sendFocus(&view, QEvent::FocusIn);
    QVERIFY(target.controlFocus());
    sendFocus(&view, QEvent::FocusOut);
    QVERIFY(!target.controlFocus());
}

QTEST_MAIN(TestCustomComboBox)
#include "tst_customcombobox.moc"

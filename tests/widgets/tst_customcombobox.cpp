#include "CustomComboBox1.h"
#include "CustomListView.h"
#include "PinGraphicsView.h"

#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

static void turnWheel(QWidget *target, const QPoint &pos, int angle)
{
    QWheelEvent event(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

static void sendFocus(QWidget *target, QEvent::Type type)
{
    QFocusEvent event(type);
    QApplication::sendEvent(target, &event);
}

class TestCustomComboBox : public QObject {
    Q_OBJECT

private slots:
    void wheelNeverChangesSelection();
    void looks();
    void clickedAndFocusSignals();
};

void TestCustomComboBox::wheelNeverChangesSelection()
{
    const QStringList items{"QXC300", "QXC310", "QXC315", "QXC300A"};
    QComboBox plain;
    plain.addItems(items);
    auto *combo = new CustomComboBox1;
    combo->addItems(items);
    QSignalSpy changed(combo, qOverload<int>(&QComboBox::currentIndexChanged));
    QGraphicsScene scene(0, 0, 800, 600);
    QGraphicsProxyWidget *proxy = scene.addWidget(combo);
    PinGraphicsView view;
    view.setScene(&scene);
    view.show();
    view.centerOn(proxy);
    for (const QPoint &turn : {QPoint(0, -120), QPoint(3, 120)}) { // start index, angle
        // A plain combo box moves under the same event, so the event is one that would change a selection.
        plain.setCurrentIndex(turn.x());
        turnWheel(&plain, plain.rect().center(), turn.y());
        QVERIFY(plain.currentIndex() != turn.x());
        combo->setCurrentIndex(turn.x());
        changed.clear();
        turnWheel(combo, combo->rect().center(), turn.y());
        // Over the drawing, the wheel turned on the view.
        turnWheel(view.viewport(), view.mapFromScene(proxy->sceneBoundingRect().center()), turn.y());
        QCOMPARE(changed.count(), 0);
    }
}

void TestCustomComboBox::looks()
{
    CustomComboBox1 combo;
    const auto colours = [&combo]() -> QString { // of the combo's own rule: border, then text
        const QRegularExpressionMatch match =
            QRegularExpression(
                R"(QComboBox\s*\{[^}]*border:\s*1px outset ([^;]+);[^}]*[^-]color:\s*([^;]+);)")
                .match(combo.styleSheet());
        return match.captured(1).trimmed() + ' ' + match.captured(2).trimmed();
    };
    const QString active = "rgb(0, 176, 240) rgb(51, 51, 51)";
    sendFocus(&combo, QEvent::FocusIn);
    QCOMPARE(colours(), active);
    sendFocus(&combo, QEvent::FocusOut);
    QCOMPARE(colours(), QString("rgb(0, 176, 240) black"));
    combo.setEnabledWithStyle(false);
    QCOMPARE(colours(), QString("gray gray"));
    QVERIFY(!combo.isEnabled());
    combo.setEnabledWithStyle(true);
    QCOMPARE(colours(), active);
}

void TestCustomComboBox::clickedAndFocusSignals()
{
    CustomComboBox1 combo;
    combo.addItem("QXC300");
    combo.show();
    QSignalSpy clicked(&combo, &CustomComboBox1::clicked);
    QTest::mousePress(&combo, Qt::RightButton, {}, combo.rect().center());
    QCOMPARE(clicked.count(), 0);
    QTest::mousePress(&combo, Qt::LeftButton, {}, combo.rect().center());
    QCOMPARE(clicked.count(), 1);

    CustomListView list;
    PinGraphicsView view;
    connect(&list, &CustomListView::focusInThis, &view, &PinGraphicsView::Focus_InControl_Slot);
    sendFocus(&list, QEvent::FocusIn);
    QVERIFY(view.controlFocus());
    sendFocus(&list, QEvent::FocusOut);
    QVERIFY(!view.controlFocus());
}

QTEST_MAIN(TestCustomComboBox)
#include "tst_customcombobox.moc"

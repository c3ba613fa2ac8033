#include "CustomComboBox1.h"
#include "CustomListView.h"
#include "MCUSelect_Form.h"
#include "PinGraphicsView.h"

#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

namespace {

void turnWheel(QWidget *target, const QPoint &pos, int angle,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWheelEvent event(QPointF(pos), QPointF(target->mapToGlobal(pos)), QPoint(), QPoint(0, angle),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

// The text colour and border colour the combo's own rule sets.
QPair<QString, QString> lookOf(const QComboBox &combo)
{
    const QRegularExpression rule(
        QStringLiteral(R"(QComboBox\s*\{[^}]*border:\s*1px outset ([^;]+);[^}]*[^-]color:\s*([^;]+);)"));
    const QRegularExpressionMatch match = rule.match(combo.styleSheet());
    return match.hasMatch() ? qMakePair(match.captured(1).trimmed(), match.captured(2).trimmed())
                            : QPair<QString, QString>();
}

QStringList seriesItems()
{
    return {QStringLiteral("QXC300"), QStringLiteral("QXC310"), QStringLiteral("QXC315"),
            QStringLiteral("QXC300A")};
}

} // namespace

class TestCustomComboBox : public QObject {
    Q_OBJECT

private slots:
    void construction();
    void wheelNeverChangesSelection_data();
    void wheelNeverChangesSelection();
    void wheelOverDiagramControl();
    void wheelInMcuDialog();
    void looks_data();
    void looks();
    void clickedOnLeftPressOnly_data();
    void clickedOnLeftPressOnly();
    void listViewReportsFocus();
};

void TestCustomComboBox::construction()
{
    CustomComboBox1 combo;
    QVERIFY(combo.listView());
    QCOMPARE(combo.view(), combo.listView());
    QCOMPARE(combo.listView()->parent() != nullptr, true);
    QCOMPARE(combo.contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(combo.font().family(), QStringLiteral("Arial"));
    QCOMPARE(combo.font().pointSize(), 10);
    QVERIFY(combo.styleSheet().contains(QStringLiteral("url(:/image/downArrow4.png)")));
    QVERIFY(QFile::exists(QStringLiteral(":/image/downArrow4.png")));
}

void TestCustomComboBox::wheelNeverChangesSelection_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("down from first") << 0 << -120 << int(Qt::NoModifier);
    QTest::newRow("up from last") << 3 << 120 << int(Qt::NoModifier);
    QTest::newRow("down from middle") << 1 << -120 << int(Qt::NoModifier);
    QTest::newRow("up from middle") << 2 << 120 << int(Qt::NoModifier);
    QTest::newRow("with ctrl") << 1 << -120 << int(Qt::ControlModifier);
    QTest::newRow("with shift") << 1 << 120 << int(Qt::ShiftModifier);
}

void TestCustomComboBox::wheelNeverChangesSelection()
{
    QFETCH(int, start);
    QFETCH(int, angle);
    QFETCH(int, modifiers);

    // A plain combo box moves under the same wheel event, so the event is one
    // that would change a selection.
    QComboBox plain;
    plain.addItems(seriesItems());
    plain.setCurrentIndex(start);
    plain.show();
    turnWheel(&plain, plain.rect().center(), angle, Qt::KeyboardModifiers(modifiers));
    QVERIFY(plain.currentIndex() != start);

    CustomComboBox1 combo;
    combo.addItems(seriesItems());
    combo.setCurrentIndex(start);
    combo.show();
    QSignalSpy changed(&combo, qOverload<int>(&QComboBox::currentIndexChanged));
    turnWheel(&combo, combo.rect().center(), angle, Qt::KeyboardModifiers(modifiers));
    turnWheel(&combo, combo.rect().center(), angle, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(combo.currentIndex(), start);
    QCOMPARE(changed.count(), 0);
}

void TestCustomComboBox::wheelOverDiagramControl()
{
    QGraphicsScene scene(0, 0, 800, 600);
    auto *combo = new CustomComboBox1;
    combo->addItems(seriesItems());
    combo->setCurrentIndex(1);
    QGraphicsProxyWidget *proxy = scene.addWidget(combo);
    proxy->setPos(100, 100);
    PinGraphicsView view;
    view.setScene(&scene);
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.centerOn(proxy->sceneBoundingRect().center());

    const QPoint over = view.mapFromScene(proxy->sceneBoundingRect().center());
    turnWheel(view.viewport(), over, -120);
    turnWheel(view.viewport(), over, 120);
    turnWheel(view.viewport(), over, 120);
    QCOMPARE(combo->currentIndex(), 1);
}

void TestCustomComboBox::wheelInMcuDialog()
{
    MCUSelect_Form dialog;
    dialog.show();
    for (int angle : {-120, -120, 120}) {
        turnWheel(dialog.combo(), dialog.combo()->rect().center(), angle);
        QCOMPARE(dialog.combo()->currentIndex(), 0);
    }
}

void TestCustomComboBox::looks_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("border");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("constructed") << QString() << "rgb(0, 176, 240)"
                                 << "black" << true;
    QTest::newRow("focus in") << "in"
                              << "rgb(0, 176, 240)"
                              << "rgb(51, 51, 51)" << true;
    QTest::newRow("focus out") << "out"
                               << "rgb(0, 176, 240)"
                               << "black" << true;
    QTest::newRow("enabled with style") << "enable"
                                        << "rgb(0, 176, 240)"
                                        << "rgb(51, 51, 51)" << true;
    QTest::newRow("disabled with style") << "disable"
                                         << "gray"
                                         << "gray" << false;
}

void TestCustomComboBox::looks()
{
    QFETCH(QString, step);
    QFETCH(QString, border);
    QFETCH(QString, text);
    QFETCH(bool, enabled);

    CustomComboBox1 combo;
    // Start from a look other than the expected one where possible.
    if (step == QLatin1String("out") || step == QLatin1String("enable"))
        combo.setEnabledWithStyle(false);
    if (step == QLatin1String("out")) {
        combo.setEnabled(true);
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(&combo, &in);
    }
    if (step == QLatin1String("in") || step == QLatin1String("out")) {
        QFocusEvent event(step == QLatin1String("in") ? QEvent::FocusIn : QEvent::FocusOut);
        QApplication::sendEvent(&combo, &event);
    } else if (step == QLatin1String("enable")) {
        combo.setEnabledWithStyle(true);
    } else if (step == QLatin1String("disable")) {
        combo.setEnabledWithStyle(false);
    }
    QCOMPARE(lookOf(combo), qMakePair(border, text));
    QCOMPARE(combo.isEnabled(), enabled);
}

void TestCustomComboBox::clickedOnLeftPressOnly_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("expected");
    QTest::newRow("left") << int(Qt::LeftButton) << 1;
    QTest::newRow("right") << int(Qt::RightButton) << 0;
    QTest::newRow("middle") << int(Qt::MiddleButton) << 0;
}

void TestCustomComboBox::clickedOnLeftPressOnly()
{
    QFETCH(int, button);
    QFETCH(int, expected);
    CustomComboBox1 combo;
    combo.addItems(seriesItems());
    combo.show();
    QSignalSpy clicked(&combo, &CustomComboBox1::clicked);
    QTest::mousePress(&combo, Qt::MouseButton(button), {}, combo.rect().center());
    QCOMPARE(clicked.count(), expected);
    combo.hidePopup();
}

void TestCustomComboBox::listViewReportsFocus()
{
    CustomListView view;
    PinGraphicsView target;
    connect(&view, &CustomListView::focusInThis, &target, &PinGraphicsView::Focus_InControl_Slot);
    QSignalSpy focus(&view, &CustomListView::focusInThis);

    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(&view, &in);
    QVERIFY(target.controlFocus());
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(&view, &out);
    QVERIFY(!target.controlFocus());

    QCOMPARE(focus.count(), 2);
    QCOMPARE(focus.at(0).at(0).toBool(), true);
    QCOMPARE(focus.at(1).at(0).toBool(), false);
}

QTEST_MAIN(TestCustomComboBox)
#include "tst_customcombobox.moc"

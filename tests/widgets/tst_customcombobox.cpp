#include "CustomComboBox1.h"
#include "CustomListView.h"
#include "Legibility.h"
#include "PinGraphicsView.h"

#include "TableRows.h"
#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QLabel>
#include <QSignalSpy>

#include <QtTest>

static void turnWheel(QWidget *target, const QPoint &pos, int angle)
{
    QWheelEvent event(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

class TestCustomComboBox : public QObject {
    Q_OBJECT

private slots:
    void wheelNeverChangesSelection()
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
            // A plain combo box moves under the same event, so the event is one that would change a
            // selection.
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

    void looks_data() { addTableRows("combo_looks.tsv"); }

    void looks()
    {
        QFETCH(int, look);
        QFETCH(QString, border);
        QFETCH(QString, text);
        CustomComboBox1 combo;
        combo.addItem("QXC300A");
        combo.resize(120, 26);
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        QFocusEvent focusIn(QEvent::FocusIn);
        QApplication::sendEvent(&combo, &focusIn);
        QCOMPARE(combo.hasFocus(), true);
        if (look == 0)
            combo.clearFocus();
        if (look >= 2)
            combo.setEnabledWithStyle(false);
        if (look == 3)
            combo.setEnabledWithStyle(true);
        QCOMPARE(combo.isEnabled(), look != 2);

        const QImage face = combo.grab().toImage();
        // An outset border: lit on the top and left, its own colour on the right.
        QCOMPARE(QColor(face.pixel(face.width() - 1, face.height() / 2)).name(), border);
        // The text's darkest pixel is its own colour; the rest is antialiasing.
        QColor darkest(Qt::white);
        for (int y = 3; y < face.height() - 3; ++y)
            for (int x = 3; x < face.width() - 24; ++x)
                if (qGray(face.pixel(x, y)) < qGray(darkest.rgb()))
                    darkest = QColor(face.pixel(x, y));
        QCOMPARE(darkest.name(), text);
    }

    void popupListKeepsTheBoxFont_data() { addTableRows("combo_popup.tsv"); }

    void popupListKeepsTheBoxFont()
    {
        QFETCH(bool, restyledFirst);
        QFETCH(bool, byMouse);
        CustomComboBox1 combo;
        combo.addItems({"  /1", "  /2", "  /4"});
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        if (restyledFirst) {
            combo.setEnabledWithStyle(false);
            combo.setEnabledWithStyle(true);
        }
        if (byMouse)
            QTest::mouseClick(&combo, Qt::LeftButton, {}, combo.rect().center());
        else
            combo.showPopup();
        QAbstractItemView *list = combo.view();
        QVERIFY(qobject_cast<CustomListView *>(list));
        QCOMPARE(list->font().family(), QStringLiteral("Arial"));
        QCOMPARE(list->font().pointSize(), 10);
        // The selection shows, and its text stays readable.
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        const QImage shown = list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect selected = list->visualRect(combo.model()->index(0, 0));
        const QRect other = list->visualRect(combo.model()->index(1, 0)) & list->viewport()->rect();
        QVERIFY(backgroundOf(shown, selected) != backgroundOf(shown, other));
        QVERIFY2(inkContrast(shown, selected) >= 4.5,
                 qPrintable(QString::number(inkContrast(shown, selected))));
        combo.hidePopup();
        // A look changed while the list exists leaves its font alone.
        combo.setEnabledWithStyle(false);
        combo.setEnabledWithStyle(true);
        QCOMPARE(combo.view()->font().family(), QStringLiteral("Arial"));
    }

    void openListStaysAboveLaterControls()
    {
        QGraphicsScene scene(0, 0, 400, 300);
        auto *combo = new CustomComboBox1;
        combo->addItems({"  /1", "  /2", "  /4", "  /8"});
        combo->setFixedSize(70, 22);
        QGraphicsProxyWidget *box = scene.addWidget(combo);
        box->setZValue(1);
        // Placed later at the same height, right where the list opens.
        QGraphicsProxyWidget *later = scene.addWidget(new QLabel("0x00411201"));
        later->setPos(0, 30);
        later->setZValue(1);
        PinGraphicsView view;
        view.setScene(&scene);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        combo->showPopup();
        QVERIFY(combo->view()->window()->isVisible());
        QVERIFY(box->zValue() > later->zValue());
        // The open list takes the arrow keys; the drawing does not pan under it.
        const QTransform before = view.transform();
        QTest::keyClick(view.viewport(), Qt::Key_Down);
        QCOMPARE(combo->view()->currentIndex().row(), 1);
        QCOMPARE(view.transform(), before);
        combo->hidePopup();
        QCOMPARE(box->zValue(), 1.0);
    }
};

QTEST_MAIN(TestCustomComboBox)
#include "tst_customcombobox.moc"

#include "CustomComboBox1.h"
#include "MCUSelect_Form.h"
#include "SeriesTable.h"
#include "VersionAbout.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <functional>

// The real MCU dialog, driven through its own event loop.
class TestMcuSelect : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void listsElevenSeriesInOrder();
    void results_data();
    void results();
    void allItemsVisibleWithoutScrollBar();
    void aboutBoxShowsProductAndVersion();

private:
    // Runs fn on the dialog once its modal loop is running.
    static void whenModal(std::function<void(MCUSelect_Form *)> fn)
    {
        QTimer::singleShot(0, [fn] {
            auto *dialog = qobject_cast<MCUSelect_Form *>(QApplication::activeModalWidget());
            if (!dialog) {
                // Leave the modal loop anyway, so a failure cannot hang the test.
                if (QWidget *other = QApplication::activeModalWidget())
                    other->close();
                return;
            }
            fn(dialog);
        });
    }
};

void TestMcuSelect::cleanup()
{
    while (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
}

void TestMcuSelect::listsElevenSeriesInOrder()
{
    MCUSelect_Form dialog;
    const QStringList expected{"QXC300", "QXC310", "QXC315", "QXC300A", "QXC305", "QXC320",
                               "QXC330", "QXC335", "QXC325", "QXW315",  "QXE020"};
    QStringList items;
    for (int i = 0; i < dialog.combo()->count(); ++i)
        items << dialog.combo()->itemText(i);
    QCOMPARE(items, expected);
    QCOMPARE(dialog.combo()->currentIndex(), 0);
    QCOMPARE(dialog.combo()->maxVisibleItems(), 15);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("MCU Select"));
    QVERIFY(dialog.parent() == nullptr);
    QVERIFY(dialog.selectedSeries().isNull());
    QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint));
    QCOMPARE(dialog.okButton()->text(), QStringLiteral("OK"));
    QCOMPARE(dialog.cancelButton()->text(), QStringLiteral("Cancel"));
}

void TestMcuSelect::results_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("selected"); // "<null>" for a null string
    QTest::newRow("OK untouched") << "ok" << 1 << "QXC300";
    QTest::newRow("OK after choosing") << "choose" << 1 << "QXW315";
    QTest::newRow("Cancel") << "cancel" << 0 << "";
    QTest::newRow("Escape") << "escape" << 0 << "<null>";
    QTest::newRow("title-bar close") << "close" << 0 << "<null>";
}

void TestMcuSelect::results()
{
    QFETCH(QString, how);
    QFETCH(int, result);
    QFETCH(QString, selected);

    MCUSelect_Form dialog;
    whenModal([how](MCUSelect_Form *d) {
        if (how == QLatin1String("ok")) {
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
        } else if (how == QLatin1String("choose")) {
            d->combo()->setCurrentText(QStringLiteral("QXW315"));
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
        } else if (how == QLatin1String("cancel")) {
            QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
        } else if (how == QLatin1String("escape")) {
            QTest::keyClick(d, Qt::Key_Escape);
        } else {
            d->close();
        }
    });
    const int got = dialog.exec();

    QCOMPARE(got, result);
    if (selected == QLatin1String("<null>"))
        QVERIFY(dialog.selectedSeries().isNull());
    else
        QCOMPARE(dialog.selectedSeries(), selected);
}

void TestMcuSelect::allItemsVisibleWithoutScrollBar()
{
    MCUSelect_Form dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    CustomComboBox1 *combo = dialog.combo();
    combo->showPopup();
    QAbstractItemView *list = combo->view();
    QTRY_VERIFY(list->isVisible());
    QCOMPARE(list->model()->rowCount(), 11);
    QVERIFY(!list->verticalScrollBar()->isVisible());
    // Some styles scroll a popup with arrow strips instead of a scroll bar.
    for (QWidget *child : list->window()->findChildren<QWidget *>()) {
        if (child != list && child->isVisible() && child->inherits("QComboBoxPrivateScroller"))
            QFAIL("the list scrolls");
    }
    const QRect lastItem = list->visualRect(list->model()->index(10, 0));
    QVERIFY2(list->viewport()->rect().contains(lastItem),
             qPrintable(QStringLiteral("last item at %1, viewport height %2")
                            .arg(lastItem.top())
                            .arg(list->viewport()->height())));
    combo->hidePopup();
}

void TestMcuSelect::aboutBoxShowsProductAndVersion()
{
    VersionAbout about;
    QStringList texts;
    bool hasLogo = false;
    for (QLabel *label : about.findChildren<QLabel *>()) {
        texts << label->text();
        const QPixmap pixmap = label->pixmap(Qt::ReturnByValue);
        if (!pixmap.isNull()) {
            hasLogo = true;
            QVERIFY(pixmap.width() <= 150 && pixmap.height() <= 150);
        }
    }
    QVERIFY(hasLogo);
    QVERIFY(texts.contains(QStringLiteral("Tickforge")));
    QVERIFY(texts.contains(QStringLiteral("V3.0.03")));
    // Logo plus four lines of text.
    QCOMPARE(texts.size(), 5);
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
}

QTEST_MAIN(TestMcuSelect)
#include "tst_mcuselect.moc"

#include "CustomComboBox1.h"
#include "MCUSelect_Form.h"
#include "TestHelpers.h"
#include "VersionAbout.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

// The real MCU dialog, driven through its own event loop.
class TestMcuSelect : public QObject {
    Q_OBJECT

private slots:
    void elevenSeriesVisibleWithoutScrolling();
    void results_data();
    void results();
    void aboutBoxShowsProductAndVersion();
};

void TestMcuSelect::elevenSeriesVisibleWithoutScrolling()
{
    MCUSelect_Form dialog;
    CustomComboBox1 *combo = dialog.combo();
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items, (QStringList{"QXC300", "QXC310", "QXC315", "QXC300A", "QXC305", "QXC320", "QXC330",
                                 "QXC335", "QXC325", "QXW315", "QXE020"}));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    combo->showPopup();
    QAbstractItemView *list = combo->view();
    QTRY_VERIFY(list->isVisible());
    QVERIFY(!list->verticalScrollBar()->isVisible());
    // Some styles scroll a popup with arrow strips instead of a scroll bar.
    for (QWidget *child : list->window()->findChildren<QWidget *>())
        QVERIFY(!(child->isVisible() && child->inherits("QComboBoxPrivateScroller")));
    QVERIFY(list->viewport()->rect().contains(list->visualRect(list->model()->index(10, 0))));
    combo->hidePopup();
}

void TestMcuSelect::results_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("selected");
    QTest::newRow("OK untouched") << "ok" << 1 << "QXC300";
    QTest::newRow("OK after choosing") << "choose" << 1 << "QXW315";
    QTest::newRow("Cancel") << "cancel" << 0 << "";
    QTest::newRow("Escape") << "escape" << 0 << "";
    QTest::newRow("title-bar close") << "close" << 0 << "";
}

void TestMcuSelect::results()
{
    QFETCH(QString, how);
    MCUSelect_Form dialog;
    whenModal<MCUSelect_Form>([how](MCUSelect_Form *d) {
        if (how == "choose")
            d->combo()->setCurrentText("QXW315");
        if (how == "ok" || how == "choose")
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
        else if (how == "cancel")
            QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
        else
            how == "escape" ? QTest::keyClick(d, Qt::Key_Escape) : void(d->close());
    });
    QTEST(dialog.exec(), "result");
    QTEST(dialog.selectedSeries(), "selected");
}

void TestMcuSelect::aboutBoxShowsProductAndVersion()
{
    VersionAbout about;
    QStringList texts;
    int logos = 0;
    for (QLabel *label : about.findChildren<QLabel *>()) {
        texts << label->text();
        logos += label->pixmap(Qt::ReturnByValue).isNull() ? 0 : 1;
    }
    QCOMPARE(logos, 1);
    QCOMPARE(texts.size(), 5); // the logo and four lines of text
    QVERIFY(texts.contains("Tickforge") && texts.contains("V3.0.03"));
}

QTEST_MAIN(TestMcuSelect)
#include "tst_mcuselect.moc"

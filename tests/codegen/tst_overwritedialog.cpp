#include "DialogService.h"
#include "OverwriteDialog.h"
#include "TestHelpers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

// The real overwrite question through the Qt dialog service: its texts in
// each catalogue, its grid, and the answer each way out of it gives.
class TestOverwriteDialog : public QObject {
    Q_OBJECT

private slots:
    void dialog_data();
    void dialog();
};

void TestOverwriteDialog::dialog_data()
{
    QTest::addColumn<QString>("catalogue"); // empty: none installed
    QTest::addColumn<QStringList>("texts"); // title, question after the name, box, yes, cancel
    QTest::addColumn<bool>("tick");
    QTest::addColumn<QString>("action"); // yes, cancel, escape or close
    QTest::addColumn<int>("reply");      // 0 keep, 1 replace, 2 replace the rest too
    const QString question = " file already exists.Do you want to replace it ? ";
    const QStringList english{"Warning", question, "Do this for the next conflicts", "Yes", "Cancel"};
    const QStringList chinese{QString::fromUtf8("警告"), QString::fromUtf8(" 文件已经存在，是否替换？ "),
                              QString::fromUtf8("为之后的冲突执行此操作"), QString::fromUtf8("确定"),
                              QString::fromUtf8("取消")};
    QTest::newRow("yes") << "tr_en.qm" << english << false << "yes" << 1;
    QTest::newRow("yes with the box") << "tr_en.qm" << english << true << "yes" << 2;
    QTest::newRow("cancel with the box, Chinese") << "tr_zh.qm" << chinese << true << "cancel" << 0;
    QTest::newRow("escape with the box, no catalogue")
        << QString() << QStringList{"warning", question, "Do this for the next conflicts", "Yes", "Cancel"}
        << true << "escape" << 0;
    QTest::newRow("closed with the box") << "tr_en.qm" << english << true << "close" << 0;
}

void TestOverwriteDialog::dialog()
{
    QFETCH(QString, catalogue);
    QFETCH(QStringList, texts);
    QFETCH(bool, tick);
    QFETCH(QString, action);
    QFETCH(int, reply);
    QTranslator translator;
    QVERIFY(catalogue.isEmpty() || translator.load(":/image/" + catalogue));
    QCoreApplication::installTranslator(&translator);
    QStringList shown;
    QVector<int> cells; // row, column and spans of the question, the box and both buttons
    whenModal<OverwriteDialog>([&](OverwriteDialog *d) {
        shown = QStringList{d->windowTitle(), d->questionLabel()->text(), d->forNextBox()->text(),
                            d->yesButton()->text(), d->cancelButton()->text()};
        auto *grid = qobject_cast<QGridLayout *>(d->layout());
        for (QWidget *w :
             QVector<QWidget *>{d->questionLabel(), d->forNextBox(), d->yesButton(), d->cancelButton()}) {
            int row, column, rowSpan, columnSpan;
            grid->getItemPosition(grid->indexOf(w), &row, &column, &rowSpan, &columnSpan);
            cells << row << column << rowSpan << columnSpan;
        }
        cells << d->forNextBox()->isChecked();
        d->forNextBox()->setChecked(tick);
        if (action == "yes")
            QTest::mouseClick(d->yesButton(), Qt::LeftButton);
        else if (action == "cancel")
            QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
        else if (action == "escape")
            QTest::keyClick(d, Qt::Key_Escape);
        else
            d->close();
    });
    const OverwriteReply r = QtDialogService().askOverwrite("qxc310_clock.c");
    QCoreApplication::removeTranslator(&translator);
    texts[1].prepend("qxc310_clock.c");
    QCOMPARE(shown, texts);
    QCOMPARE(cells, (QVector<int>{0, 1, 1, 4, 3, 0, 1, 4, 4, 2, 1, 1, 4, 3, 1, 1, 0}));
    QCOMPARE((QVector<bool>{r.replace, r.replaceAll}), (QVector<bool>{reply > 0, reply > 1}));
}

QTEST_MAIN(TestOverwriteDialog)
#include "tst_overwritedialog.moc"

#include "DialogService.h"
#include "OverwriteDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <QtTest>
#include <functional>

// The real overwrite question, driven through the Qt dialog service.
class TestOverwriteDialog : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void layout();
    void answers_data();
    void answers();
    void catalogues_data();
    void catalogues();
};

void TestOverwriteDialog::cleanup()
{
    while (QWidget *w = QApplication::activeModalWidget())
        w->close();
}

void TestOverwriteDialog::layout()
{
    OverwriteDialog dialog("main.c");
    QVERIFY(!dialog.forNextBox()->isChecked());
    auto *grid = qobject_cast<QGridLayout *>(dialog.layout());
    QVERIFY(grid);
    // Row, column and spans of the question, the check box and both buttons.
    QVector<int> cells;
    for (QWidget *w :
         {static_cast<QWidget *>(dialog.questionLabel()), static_cast<QWidget *>(dialog.forNextBox()),
          static_cast<QWidget *>(dialog.yesButton()), static_cast<QWidget *>(dialog.cancelButton())}) {
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(w), &row, &column, &rowSpan, &columnSpan);
        cells << row << column << rowSpan << columnSpan;
    }
    QCOMPARE(cells, (QVector<int>{0, 1, 1, 4, 3, 0, 1, 4, 4, 2, 1, 1, 4, 3, 1, 1}));
}

void TestOverwriteDialog::answers_data()
{
    QTest::addColumn<bool>("tick");
    QTest::addColumn<QString>("action"); // yes, cancel, escape, close
    QTest::addColumn<bool>("replace");
    QTest::addColumn<bool>("replaceAll");
    QTest::newRow("yes") << false << "yes" << true << false;
    QTest::newRow("yes with the box") << true << "yes" << true << true;
    QTest::newRow("cancel with the box") << true << "cancel" << false << false;
    QTest::newRow("escape with the box") << true << "escape" << false << false;
    QTest::newRow("closed") << false << "close" << false << false;
}

void TestOverwriteDialog::answers()
{
    QFETCH(bool, tick);
    QFETCH(QString, action);
    QFETCH(bool, replace);
    QFETCH(bool, replaceAll);
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<OverwriteDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = dialog->questionLabel()->text().startsWith("qxc310_clock.c file already exists.");
        dialog->forNextBox()->setChecked(tick);
        if (action == "yes")
            QTest::mouseClick(dialog->yesButton(), Qt::LeftButton);
        else if (action == "cancel")
            QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        else if (action == "escape")
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            dialog->close();
    });
    QtDialogService service;
    const OverwriteReply reply = service.askOverwrite("qxc310_clock.c");
    QVERIFY(seen);
    QCOMPARE(reply.replace, replace);
    QCOMPARE(reply.replaceAll, replaceAll);
}

void TestOverwriteDialog::catalogues_data()
{
    QTest::addColumn<QString>("catalogue"); // empty: none installed
    QTest::addColumn<QStringList>("texts"); // title, question after the name, box, yes, cancel
    QTest::newRow("none") << QString()
                          << QStringList{"warning", " file already exists.Do you want to replace it ? ",
                                         "Do this for the next conflicts", "Yes", "Cancel"};
    QTest::newRow("English") << "tr_en.qm"
                             << QStringList{"Warning", " file already exists.Do you want to replace it ? ",
                                            "Do this for the next conflicts", "Yes", "Cancel"};
    QTest::newRow("Chinese") << "tr_zh.qm"
                             << QStringList{QString::fromUtf8("警告"),
                                            QString::fromUtf8(" 文件已经存在，是否替换？ "),
                                            QString::fromUtf8("为之后的冲突执行此操作"),
                                            QString::fromUtf8("确定"), QString::fromUtf8("取消")};
}

void TestOverwriteDialog::catalogues()
{
    QFETCH(QString, catalogue);
    QFETCH(QStringList, texts);
    QTranslator translator;
    QVERIFY(catalogue.isEmpty() || translator.load(":/image/" + catalogue));
    QCoreApplication::installTranslator(&translator);
    OverwriteDialog dialog("main.c");
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(
        (QStringList{dialog.windowTitle(), dialog.questionLabel()->text().mid(6), dialog.forNextBox()->text(),
                     dialog.yesButton()->text(), dialog.cancelButton()->text()}),
        texts);
    QVERIFY(dialog.questionLabel()->text().startsWith("main.c"));
}

QTEST_MAIN(TestOverwriteDialog)
#include "tst_overwritedialog.moc"

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
    QCOMPARE(dialog.windowTitle(), QString("warning"));
    QCOMPARE(dialog.questionLabel()->text(),
             QString("main.c file already exists.Do you want to replace it ? "));
    QCOMPARE(dialog.forNextBox()->text(), QString("Do this for the next conflicts"));
    QVERIFY(!dialog.forNextBox()->isChecked());
    QCOMPARE(dialog.yesButton()->text(), QString("Yes"));
    QCOMPARE(dialog.cancelButton()->text(), QString("Cancel"));
    auto *grid = qobject_cast<QGridLayout *>(dialog.layout());
    QVERIFY(grid);
    int row, column, rowSpan, columnSpan;
    grid->getItemPosition(grid->indexOf(dialog.questionLabel()), &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(QVector<int>({row, column, rowSpan, columnSpan}), QVector<int>({0, 1, 1, 4}));
    grid->getItemPosition(grid->indexOf(dialog.forNextBox()), &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(QVector<int>({row, column, rowSpan, columnSpan}), QVector<int>({3, 0, 1, 4}));
    grid->getItemPosition(grid->indexOf(dialog.yesButton()), &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(QVector<int>({row, column}), QVector<int>({4, 2}));
    grid->getItemPosition(grid->indexOf(dialog.cancelButton()), &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(QVector<int>({row, column}), QVector<int>({4, 3}));
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
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("yes");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("English") << "tr_en.qm"
                             << "Warning"
                             << " file already exists.Do you want to replace it ? "
                             << "Do this for the next conflicts"
                             << "Yes"
                             << "Cancel";
    QTest::newRow("Chinese") << "tr_zh.qm" << QString::fromUtf8("警告")
                             << QString::fromUtf8(" 文件已经存在，是否替换？ ")
                             << QString::fromUtf8("为之后的冲突执行此操作") << QString::fromUtf8("确定")
                             << QString::fromUtf8("取消");
}

void TestOverwriteDialog::catalogues()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, title);
    QFETCH(QString, question);
    QFETCH(QString, box);
    QFETCH(QString, yes);
    QFETCH(QString, cancel);
    QTranslator translator;
    QVERIFY(translator.load(":/image/" + catalogue));
    QCoreApplication::installTranslator(&translator);
    OverwriteDialog dialog("main.c");
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.questionLabel()->text(), "main.c" + question);
    QCOMPARE(dialog.forNextBox()->text(), box);
    QCOMPARE(dialog.yesButton()->text(), yes);
    QCOMPARE(dialog.cancelButton()->text(), cancel);
}

QTEST_MAIN(TestOverwriteDialog)
#include "tst_overwritedialog.moc"

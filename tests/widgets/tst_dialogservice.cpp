#include "DialogService.h"
#include "ScriptedDialogs.h"
#include "TestHelpers.h"

#include <QAbstractButton>
#include <QtTest>

class TestDialogService : public QObject {
    Q_OBJECT

private slots:
    void installedServiceIsUsedThenRemoved();
    void realMessageBox_data();
    void realMessageBox();
};

void TestDialogService::installedServiceIsUsedThenRemoved()
{
    {
        ScriptedDialogs dialogs;
        QCOMPARE(&DialogService::instance(), static_cast<DialogService *>(&dialogs));
    }
    QVERIFY(dynamic_cast<QtDialogService *>(&DialogService::instance()));
}

void TestDialogService::realMessageBox_data()
{
    QTest::addColumn<QString>("click"); // a button label; empty: press Escape
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("extra");
    QTest::newRow("extra button") << " Open Folder  " << int(QMessageBox::NoButton) << 0;
    QTest::newRow("relabelled standard button") << "确定" << int(QMessageBox::Yes) << -1;
    QTest::newRow("escape") << "" << int(QMessageBox::Cancel) << -1;
}

void TestDialogService::realMessageBox()
{
    QFETCH(QString, click);
    whenModal<QMessageBox>([click](QMessageBox *box) {
        QAbstractButton *target = nullptr;
        for (QAbstractButton *b : box->buttons())
            target = b->text() == click ? b : target;
        target ? target->click() : QTest::keyClick(box, Qt::Key_Escape);
    });
    const MessageReply reply =
        QtDialogService().message(MessageRequest::make(QMessageBox::Warning, "警告", "?")
                                      .withButton(QMessageBox::Yes, "确定")
                                      .withButton(QMessageBox::Cancel, "取消")
                                      .withExtraButton(" Open Folder  "));
    QTEST(int(reply.button), "button");
    QTEST(reply.extraIndex, "extra");
}

QTEST_MAIN(TestDialogService)
#include "tst_dialogservice.moc"

#include "DialogService.h"
#include "ScriptedDialogs.h"
#include "TestHelpers.h"

#include <QAbstractButton>
#include <QtTest>

class TestDialogService : public QObject {
    Q_OBJECT

private slots:
    void scriptedAnswersAndRecords();
    void realMessageBox_data();
    void realMessageBox();
};

void TestDialogService::scriptedAnswersAndRecords()
{
    ScriptedDialogs dialogs;
    DialogService &service = DialogService::instance();
    QCOMPARE(&service, static_cast<DialogService *>(&dialogs));
    dialogs.answerPath("/tmp/a.TFCC");
    dialogs.answerButton(QMessageBox::Yes);
    MessageRequest request = MessageRequest::make(QMessageBox::Warning, "Warning", "Sure?")
                                 .withButton(QMessageBox::Yes, "Yes")
                                 .withButton(QMessageBox::Cancel, "Cancel");

    QVERIFY(service.message(request).is(QMessageBox::Yes));
    QCOMPARE(service.saveFileName(nullptr, "Save", {}, {}), QString("/tmp/a.TFCC"));
    QVERIFY(service.existingDirectory(nullptr, "Select", {}).isNull());
    // Unscripted messages get what Escape gives.
    QVERIFY(service.message(request).is(QMessageBox::Cancel));
    request.buttons = QMessageBox::Ignore | QMessageBox::Abort;
    QVERIFY(service.message(request).is(QMessageBox::Abort));

    QCOMPARE(dialogs.requests.size(), 5);
    QCOMPARE(dialogs.requests.at(0).buttonLabels, (QStringList{"Yes", "Cancel"}));
    QCOMPARE(dialogs.requests.at(1).kind, ScriptedDialogs::Kind::SaveFile);
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Directory), 1);
    QCOMPARE(dialogs.texts(), (QStringList{"Sure?", "Sure?", "Sure?"}));
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

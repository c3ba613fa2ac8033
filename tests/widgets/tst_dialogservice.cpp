#include "CustomComboBox1.h"
#include "DialogService.h"
#include "ScriptedDialogs.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

class TestDialogService : public QObject {
    Q_OBJECT

private slots:
    void scriptedAnswersInOrderAndRecords();
    void unscriptedMessageTakesEscapeOutcome_data();
    void unscriptedMessageTakesEscapeOutcome();
    void realMessageBoxRelabelsAndReportsExtraButton();
    void realMessageBoxEscapeGivesCancel();
    void wheelNeverChangesComboSelection();
};

void TestDialogService::scriptedAnswersInOrderAndRecords()
{
    ScriptedDialogs dialogs;
    QCOMPARE(&DialogService::instance(), static_cast<DialogService *>(&dialogs));
    dialogs.answerPath(QStringLiteral("/tmp/a.TFCC"));
    dialogs.answerButton(QMessageBox::Yes);

    const MessageReply reply = DialogService::instance().message(
        MessageRequest::make(QMessageBox::Warning, QStringLiteral("Warning"), QStringLiteral("Sure?"))
            .withButton(QMessageBox::Yes, QStringLiteral("Yes"))
            .withButton(QMessageBox::Cancel, QStringLiteral("Cancel")));
    QVERIFY(reply.is(QMessageBox::Yes));
    QCOMPARE(DialogService::instance().saveFileName(nullptr, QStringLiteral("Save"), {}, {}),
             QStringLiteral("/tmp/a.TFCC"));
    QVERIFY(DialogService::instance().existingDirectory(nullptr, QStringLiteral("Select"), {}).isNull());

    QCOMPARE(dialogs.requests.size(), 3);
    QCOMPARE(dialogs.requests.at(0).icon, QMessageBox::Warning);
    QCOMPARE(dialogs.requests.at(0).buttonLabels, (QStringList{"Yes", "Cancel"}));
    QCOMPARE(dialogs.requests.at(1).kind, ScriptedDialogs::Kind::SaveFile);
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Directory), 1);
    QCOMPARE(dialogs.pendingAnswers(), 0);
}

void TestDialogService::unscriptedMessageTakesEscapeOutcome_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("expected");
    QTest::newRow("yes/cancel") << int(QMessageBox::Yes | QMessageBox::Cancel) << int(QMessageBox::Cancel);
    QTest::newRow("ignore/abort") << int(QMessageBox::Ignore | QMessageBox::Abort) << int(QMessageBox::Abort);
    QTest::newRow("ok only") << int(QMessageBox::Ok) << int(QMessageBox::Ok);
}

void TestDialogService::unscriptedMessageTakesEscapeOutcome()
{
    QFETCH(int, buttons);
    QFETCH(int, expected);
    ScriptedDialogs dialogs;
    MessageRequest request;
    request.buttons = QMessageBox::StandardButtons(buttons);
    QCOMPARE(int(DialogService::instance().message(request).button), expected);
}

void TestDialogService::realMessageBoxRelabelsAndReportsExtraButton()
{
    QStringList seenLabels;
    QTimer::singleShot(0, this, [&seenLabels] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        for (QAbstractButton *b : box->buttons())
            seenLabels.append(b->text());
        for (QAbstractButton *b : box->buttons()) {
            if (b->text() == QLatin1String(" Open Folder  "))
                b->click();
        }
    });
    QtDialogService service;
    const MessageReply reply = service.message(
        MessageRequest::make(QMessageBox::Information, QStringLiteral("Information"), QStringLiteral("Done"))
            .withExtraButton(QStringLiteral(" Open Folder  "))
            .withExtraButton(QStringLiteral("OK")));
    QVERIFY(reply.isExtra(0));
    QVERIFY(seenLabels.contains(QStringLiteral(" Open Folder  ")));
}

void TestDialogService::realMessageBoxEscapeGivesCancel()
{
    QTimer::singleShot(0, this, [] {
        QWidget *box = QApplication::activeModalWidget();
        QVERIFY(box);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    QtDialogService service;
    const MessageReply reply = service.message(
        MessageRequest::make(QMessageBox::Warning, QStringLiteral("Warning"), QStringLiteral("Sure?"))
            .withButton(QMessageBox::Yes, QStringLiteral("Yes"))
            .withButton(QMessageBox::Cancel, QStringLiteral("Cancel")));
    QVERIFY(reply.is(QMessageBox::Cancel));
}

void TestDialogService::wheelNeverChangesComboSelection()
{
    CustomComboBox1 combo;
    combo.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    combo.setCurrentIndex(1);
    combo.show();
    for (int delta : {120, -120, -240}) {
        QWheelEvent event(QPointF(5, 5), combo.mapToGlobal(QPoint(5, 5)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&combo, &event);
        QCOMPARE(combo.currentIndex(), 1);
    }
}

QTEST_MAIN(TestDialogService)
#include "tst_dialogservice.moc"

#include "DialogPrompts.h"
#include "ProgressDialog.h"
#include "ScriptedDialogs.h"

#include <QPushButton>
#include <QtTest>

// How the window shows the update service's prompts: each kind with its
// icon, the buttons with their labels in order, and the user's answer
// handed back as the button the service asked for.
class TestUpdatePrompts : public QObject {
    Q_OBJECT

private slots:
    // buttons: the prompt's, "Ok Cancel" and so on; answer: the scripted one
    // ("escape": none scripted, "extra N": the Nth added button).
    void messages_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("got");
        const int error = int(UpdatePrompt::Kind::Error), question = int(UpdatePrompt::Kind::Question),
                  warning = int(UpdatePrompt::Kind::Warning),
                  information = int(UpdatePrompt::Kind::Information);
        QTest::newRow("error, Ok") << error << "Ok"
                                   << "Ok" << int(QMessageBox::Critical) << "Ok";
        QTest::newRow("question, Ok") << question << "Ok Cancel"
                                      << "Ok" << int(QMessageBox::Question) << "Ok";
        QTest::newRow("question, Cancel") << question << "Ok Cancel"
                                          << "Cancel" << int(QMessageBox::Question) << "Cancel";
        QTest::newRow("question, Escape") << question << "Ok Cancel"
                                          << "escape" << int(QMessageBox::Question) << "Cancel";
        QTest::newRow("certificate, Ignore") << warning << "Ignore Abort"
                                             << "Ignore" << int(QMessageBox::Warning) << "Ignore";
        QTest::newRow("certificate, Abort") << warning << "Ignore Abort"
                                            << "Abort" << int(QMessageBox::Warning) << "Abort";
        QTest::newRow("certificate, Escape") << warning << "Ignore Abort"
                                             << "escape" << int(QMessageBox::Warning) << "Abort";
        QTest::newRow("information, Ok") << information << "Ok"
                                         << "Ok" << int(QMessageBox::Information) << "Ok";
        QTest::newRow("saved, Open Folder") << information << ""
                                            << "extra 0" << int(QMessageBox::Information) << "extra 0";
        QTest::newRow("saved, OK") << information << ""
                                   << "extra 1" << int(QMessageBox::Information) << "extra 1";
    }
    void messages()
    {
        QFETCH(int, kind);
        QFETCH(QString, buttons);
        QFETCH(QString, answer);
        QFETCH(int, icon);
        QFETCH(QString, got);
        const QMap<QString, UpdatePrompt::Button> names{{"Ok", UpdatePrompt::Button::Ok},
                                                        {"Cancel", UpdatePrompt::Button::Cancel},
                                                        {"Ignore", UpdatePrompt::Button::Ignore},
                                                        {"Abort", UpdatePrompt::Button::Abort}};
        const QMap<QString, QMessageBox::StandardButton> standard{{"Ok", QMessageBox::Ok},
                                                                  {"Cancel", QMessageBox::Cancel},
                                                                  {"Ignore", QMessageBox::Ignore},
                                                                  {"Abort", QMessageBox::Abort}};
        UpdatePrompt prompt = UpdatePrompt::make(UpdatePrompt::Kind(kind), "Title", "Text");
        QStringList labels;
        for (const QString &name : buttons.split(' ', Qt::SkipEmptyParts)) {
            prompt.withButton(names.value(name), name + " label");
            labels << name + " label";
        }
        if (buttons.isEmpty())
            prompt.withExtraButton(" Open Folder  ").withExtraButton("OK");
        ScriptedDialogs dialogs;
        if (answer.startsWith("extra "))
            dialogs.answerExtra(answer.mid(6).toInt());
        else if (answer != "escape")
            dialogs.answerButton(standard.value(answer));
        DialogPrompts prompts(nullptr, nullptr);
        const UpdateAnswer reply = prompts.message(prompt);

        QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 1);
        const ScriptedDialogs::Request *shown = dialogs.last();
        QCOMPARE(int(shown->icon), icon);
        QCOMPARE(shown->title, QString("Title"));
        QCOMPARE(shown->text, QString("Text"));
        QCOMPARE(shown->buttonLabels, labels);
        QCOMPARE(shown->extraButtons,
                 (buttons.isEmpty() ? QStringList{" Open Folder  ", "OK"} : QStringList()));
        QString said =
            reply.extraIndex >= 0 ? QString("extra %1").arg(reply.extraIndex) : names.key(reply.button);
        QCOMPARE(said, got);
        QCOMPARE(reply.is(names.value(got)), !got.startsWith("extra"));
    }

    void folderAndOpening()
    {
        ScriptedDialogs dialogs;
        dialogs.answerPath("/tmp/chosen");
        DialogPrompts prompts(nullptr, nullptr);
        QCOMPARE(prompts.existingDirectory("Select directory"), QString("/tmp/chosen"));
        QCOMPARE(prompts.existingDirectory("Select directory"), QString()); // cancelled
        QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Directory), 2);
        QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Directory)->title, QString("Select directory"));
        prompts.openFolder("/tmp/chosen");
        QCOMPARE(dialogs.openedUrls, QList<QUrl>({QUrl("file:///tmp/chosen")}));
    }

    // The progress dialog of one transfer: its range and value as bytes
    // arrive, shown until the transfer ends, and its Cancel reaching the transfer.
    void progress_data()
    {
        QTest::addColumn<qint64>("received");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::newRow("size unknown: busy") << qint64(4096) << qint64(-1) << 0 << 0;
        QTest::newRow("nothing yet") << qint64(0) << qint64(300000) << 300000 << 0;
        QTest::newRow("halfway") << qint64(150000) << qint64(300000) << 300000 << 150000;
        QTest::newRow("all there, still shown") << qint64(300000) << qint64(300000) << 300000 << 300000;
        QTest::newRow("empty file, still shown") << qint64(0) << qint64(0) << 0 << 0;
    }
    void progress()
    {
        QFETCH(qint64, received);
        QFETCH(qint64, total);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QWidget parent;
        DialogPrompts prompts(&parent, &parent);
        int cancelled = 0;
        prompts.transferStarted(QUrl("http://127.0.0.1:8/pkg/Tool.zip"), [&] { ++cancelled; });
        QPointer<ProgressDialog> dialog = parent.findChild<ProgressDialog *>();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QString("Download Progress"));
        QCOMPARE(dialog->labelText(), QString("Downloading http://127.0.0.1:8/pkg/Tool.zip."));
        QCOMPARE(dialog->maximum(), 0); // busy until a size is known
        prompts.transferProgress(received, total);
        QCOMPARE(dialog->minimum(), 0);
        QCOMPARE(dialog->maximum(), maximum);
        QCOMPARE(dialog->value(), value);
        QVERIFY(dialog->isVisible());
        QCOMPARE(cancelled, 0);
        QPushButton *cancel = dialog->findChild<QPushButton *>();
        QVERIFY(cancel);
        cancel->click();
        QCOMPARE(cancelled, 1);
        prompts.transferEnded();
        QVERIFY(!dialog || !dialog->isVisible());
        QTRY_VERIFY(!dialog);                      // released once the transfer has ended
        prompts.transferProgress(received, total); // no dialog any more: nothing happens
    }

    // A redirect starts a new transfer: the old dialog goes, one is shown.
    void secondTransfer()
    {
        QWidget parent;
        DialogPrompts prompts(&parent, &parent);
        prompts.transferStarted(QUrl("http://127.0.0.1:8/hop/Tool.zip"), [] {});
        QPointer<ProgressDialog> first = parent.findChild<ProgressDialog *>();
        prompts.transferStarted(QUrl("http://127.0.0.1:8/pkg/Tool.zip"), [] {});
        QTRY_VERIFY(!first);
        const QList<ProgressDialog *> shown = parent.findChildren<ProgressDialog *>();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first()->labelText(), QString("Downloading http://127.0.0.1:8/pkg/Tool.zip."));
    }
};

QTEST_MAIN(TestUpdatePrompts)
#include "tst_updateprompts.moc"

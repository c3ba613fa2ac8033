#include "DialogService.h"
#include "ScriptedDialogs.h"
#include "TableRows.h"
#include "TestHelpers.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QtTest>

class TestDialogService : public QObject {
    Q_OBJECT

private slots:
    void installedServiceIsUsedThenRemoved()
    {
        {
            ScriptedDialogs dialogs;
            QCOMPARE(&DialogService::instance(), static_cast<DialogService *>(&dialogs));
        }
        QVERIFY(dynamic_cast<QtDialogService *>(&DialogService::instance()));
    }

    void realMessageBox_data() { addTableRows("dialogs_messagebox.tsv"); }
    void realMessageBox()
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

    void saveNameCarriesExtension_data() { addTableRows("dialogs_savename.tsv"); }
    // The real Save dialog: what it proposes, and the name it returns.
    void saveNameCarriesExtension()
    {
        QFETCH(QString, proposed);
        QFETCH(QString, filter);
        QFETCH(int, type);
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QTemporaryDir dir;
        QString shown;
        whenModal<QFileDialog>([&](QFileDialog *dialog) {
            auto *types = dialog->findChild<QComboBox *>("fileTypeCombo");
            auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
            QVERIFY(types && name);
            for (int i = 0; i < type; ++i)
                QTest::keyClick(types, Qt::Key_Down); // as the user picks a type
            shown = name->text();
            if (!typed.isEmpty())
                name->setText(typed);
            QTest::keyClick(name, Qt::Key_Return);
        });
        const QString name = QtDialogService().saveFileName(nullptr, "Save", dir.filePath(proposed), filter);
        QTEST(shown, "shown");
        QCOMPARE(name, dir.filePath(saved));
    }

    void desktopOpenerFailureIsReported_data() { addTableRows("dialogs_opener.tsv"); }
    void desktopOpenerFailureIsReported()
    {
        QFETCH(QByteArray, opener);
        QTemporaryDir bin;
        QFile script(bin.filePath("xdg-open"));
        QVERIFY(script.open(QIODevice::WriteOnly) && script.write(opener) == opener.size());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + path);
        const QString manual = writeFile(bin.filePath("UM_Tickforge_EN.pdf"), "%PDF-1.4\n");
        // The scripts fail at once; a viewer that stays is told by the time.
        const bool opened = QtDialogService(1000).openUrl(QUrl::fromLocalFile(manual));
        qputenv("PATH", path);
        QTEST(opened, "opened");
    }
};

QTEST_MAIN(TestDialogService)
#include "tst_dialogservice.moc"

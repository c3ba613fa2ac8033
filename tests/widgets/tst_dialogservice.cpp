#include "DialogService.h"
#include "ScriptedDialogs.h"
#include "TestHelpers.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

class TestDialogService : public QObject {
    Q_OBJECT

private slots:
    void installedServiceIsUsedThenRemoved();
    void realMessageBox_data();
    void realMessageBox();
    void saveNameCarriesExtension_data();
    void saveNameCarriesExtension();
    void desktopOpenerFailureIsReported_data();
    void desktopOpenerFailureIsReported();
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

void TestDialogService::saveNameCarriesExtension_data()
{
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("type"); // the file type chosen in the dialog
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // the name the dialog starts with
    QTest::addColumn<QString>("saved");
    const QString design = "Config file (*.TFCC)", picture = "PNG image (*.png);;PDF document (*.pdf)";
    // clang-format off
    QTest::newRow("design, proposed") << "QXC330_Clock" << design << 0 << "" << "QXC330_Clock.TFCC" << "QXC330_Clock.TFCC";
    QTest::newRow("design, bare name") << "QXC330_Clock" << design << 0 << "a" << "QXC330_Clock.TFCC" << "a.TFCC";
    QTest::newRow("design, own case") << "QXC330_Clock" << design << 0 << "b.tfcc" << "QXC330_Clock.TFCC" << "b.tfcc";
    QTest::newRow("picture, png") << "QXC330_Clock.png" << picture << 0 << "tree2" << "QXC330_Clock.png" << "tree2.png";
    QTest::newRow("picture, pdf chosen") << "QXC330_Clock.png" << picture << 1 << "tree2" << "QXC330_Clock.pdf" << "tree2.pdf";
    QTest::newRow("picture, other dot") << "QXC330_Clock.png" << picture << 0 << "v1.2" << "QXC330_Clock.png" << "v1.2.png";
    // clang-format on
}

// The real Save dialog: what it proposes, and the name it returns.
void TestDialogService::saveNameCarriesExtension()
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

void TestDialogService::desktopOpenerFailureIsReported_data()
{
    QTest::addColumn<QByteArray>("opener"); // the desktop's xdg-open; empty: none installed
    QTest::addColumn<bool>("opened");
    QTest::newRow("no viewer for the type") << QByteArray("#!/bin/sh\nexit 3\n") << false;
    QTest::newRow("the viewer fails") << QByteArray("#!/bin/sh\nexit 4\n") << false;
    QTest::newRow("opened") << QByteArray("#!/bin/sh\nexit 0\n") << true;
    QTest::newRow("the viewer stays in front") << QByteArray("#!/bin/sh\nexec sleep 5\n") << true;
}

void TestDialogService::desktopOpenerFailureIsReported()
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
    const bool opened = QtDialogService().openUrl(QUrl::fromLocalFile(manual));
    qputenv("PATH", path);
    QTEST(opened, "opened");
}

QTEST_MAIN(TestDialogService)
#include "tst_dialogservice.moc"

// Designs that come from the desktop: a file named on the command line and a
// file dropped on the window.
#include "CommandLine.h"
#include "FakeSeries.h"
#include "FormConfiguration.h"
#include "QXPLLConfig.h"
#include "ScriptedDialogs.h"
#include "TestHelpers.h"

#include <QDir>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString CloseQuestion = "The current configuration will be closed. Please confirm whether to continue?";
const QString Unsupported = "MCU in file not supported.";

} // namespace

class TestDesktopOpen : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void commandLine_data();
    void commandLine();
    void openAtStartup_data();
    void openAtStartup();
    void dropFile_data();
    void dropFile();

private:
    FakeSeries *current() const { return static_cast<FakeSeries *>(m_window->workspace()->currentWidget()); }
    QString title() const { return m_window->titleButton()->text(); }
    // Drags and drops a file on whatever widget lies in the middle of the
    // window, as the desktop would; returns whether the drag was accepted.
    bool drop(const QString &path);

    FormConfiguration *m_window = nullptr;
    QTemporaryDir m_dir;
};

void TestDesktopOpen::init()
{
    m_window = new FormConfiguration;
    m_window->workspace()->setSeriesFactory(makeFakeSeries);
    m_window->resize(1000, 700);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestDesktopOpen::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

bool TestDesktopOpen::drop(const QString &path)
{
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QWidget *target = m_window->childAt(m_window->rect().center());
    if (!target)
        target = m_window;
    const QPoint at = target->mapFrom(m_window, m_window->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    QCoreApplication::processEvents(); // the question comes after the drop
    return dropped.isAccepted();
}

void TestDesktopOpen::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("designFile"); // relative to the working directory
    const int run = int(CommandLineRequest::Action::Run), fail = int(CommandLineRequest::Action::Fail);
    QTest::newRow("nothing") << QStringList{} << run << "";
    QTest::newRow("a design") << QStringList{"board.TFCC"} << run << "board.TFCC";
    QTest::newRow("a file address") << QStringList{"file:///tmp/my%20board.TFCC"} << run
                                    << "/tmp/my board.TFCC";
    QTest::newRow("a name like an option") << QStringList{"--", "-board.TFCC"} << run << "-board.TFCC";
    QTest::newRow("version wins") << QStringList{"board.TFCC", "--version"}
                                  << int(CommandLineRequest::Action::Version) << "";
    QTest::newRow("unknown option") << QStringList{"--open", "board.TFCC"} << fail << "";
    QTest::newRow("two designs") << QStringList{"a.TFCC", "b.TFCC"} << fail << "";
}

void TestDesktopOpen::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, designFile);
    const CommandLineRequest request = parseCommandLine(arguments);
    QCOMPARE(int(request.action), action);
    QCOMPARE(request.designFile,
             designFile.isEmpty() ? QString() : QDir::current().absoluteFilePath(designFile));
    QCOMPARE(request.error.isEmpty(), action != int(CommandLineRequest::Action::Fail));
}

void TestDesktopOpen::openAtStartup_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no such file
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("good") << designNaming("QXC330") << "Clock Configuration---QXC330" << QStringList{};
    QTest::newRow("unsupported") << designNaming("QXC999") << "Clock Configuration"
                                 << QStringList{Unsupported};
    QTest::newRow("missing") << QByteArray() << "Clock Configuration" << QStringList{Unsupported};
}

void TestDesktopOpen::openAtStartup()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, title);
    QFETCH(QStringList, messages);
    const QString path = m_dir.filePath("board.TFCC");
    QFile::remove(path);
    if (!content.isNull())
        QVERIFY(!writeFile(path, content).isNull());

    ScriptedDialogs dialogs;
    const CommandLineRequest request = parseCommandLine({path});
    m_window->openDesignFile(request.designFile);
    QCOMPARE(dialogs.texts(), messages);
    QCOMPARE(this->title(), title);
    QCOMPARE(m_window->workspace()->hasConfiguration(), messages.isEmpty());
    if (messages.isEmpty())
        QCOMPARE(current()->calls, QStringList{"load:" + path});
}

void TestDesktopOpen::dropFile_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("configurationOpen");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QString>("title");
    const QStringList asked{CloseQuestion};
    QTest::newRow("nothing open") << "b.tfcc" << false << int(QMessageBox::Cancel) << true << QStringList{}
                                  << "Clock Configuration---QXC335";
    QTest::newRow("replace: yes") << "b.TFCC" << true << int(QMessageBox::Yes) << true << asked
                                  << "Clock Configuration---QXC335";
    QTest::newRow("replace: cancel") << "b.TFCC" << true << int(QMessageBox::Cancel) << true << asked
                                     << "Clock Configuration---QXC330";
    QTest::newRow("not a design") << "b.xml" << true << int(QMessageBox::Yes) << false << QStringList{}
                                  << "Clock Configuration---QXC330";
}

void TestDesktopOpen::dropFile()
{
    QFETCH(QString, fileName);
    QFETCH(bool, configurationOpen);
    QFETCH(int, answer);
    QFETCH(bool, accepted);
    QFETCH(QStringList, questions);
    QFETCH(QString, title);
    if (configurationOpen)
        m_window->openDesignFile(writeFile(m_dir.filePath("a.TFCC"), designNaming("QXC330")));
    const QString path = writeFile(m_dir.filePath(fileName), designNaming("QXC335"));
    QVERIFY(!path.isNull());

    ScriptedDialogs dialogs;
    dialogs.answerButton(QMessageBox::StandardButton(answer));
    QCOMPARE(drop(path), accepted);
    QCOMPARE(dialogs.texts(), questions);
    QCOMPARE(this->title(), title);
}

QTEST_MAIN(TestDesktopOpen)
#include "tst_desktopopen.moc"

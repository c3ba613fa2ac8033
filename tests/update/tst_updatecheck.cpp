#include "ScriptedDialogs.h"
#include "TestServer.h"
#include "UpdateCheck.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using UpdateCheck::Outcome;
Q_DECLARE_METATYPE(UpdateCheck::Outcome)

namespace {

const QByteArray enPackage = "english package";
const QByteArray zhPackage = "chinese package";

QByteArray makeList(const QByteArray &version, const QByteArray &urlen, const QByteArray &url,
                    const QByteArray &sha256 = QByteArray())
{
    QByteArray entry = "<Entry><Name>Tickforge</Name><Version>" + version + "</Version>";
    if (!urlen.isEmpty())
        entry += "<URLEN>" + urlen + "</URLEN>";
    if (!url.isEmpty())
        entry += "<URL>" + url + "</URL>";
    if (!sha256.isEmpty())
        entry += "<SHA256>" + sha256 + "</SHA256>";
    entry += "</Entry>";
    return "<?xml version=\"1.0\"?>\n<Root><VelornTool><Entry><Name>Other</Name><Version>9.0.0</Version>"
           "</Entry>" +
           entry + "</VelornTool></Root>\n";
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList contents(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestUpdateCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void upToDate_data();
    void upToDate();
    void declined_data();
    void declined();
    void downloads_data();
    void downloads();
    void checksum_data();
    void checksum();
    void listNotFound();
    void packageAddressMissing();

private:
    void setList(const QByteArray &list);
    Outcome run(int language);

    TestServer m_server;
    QScopedPointer<QTemporaryDir> m_tempRoot;
    QScopedPointer<QTemporaryDir> m_target;
};

void TestUpdateCheck::initTestCase()
{
    QVERIFY(m_server.start());
    m_server.setRoute("/pkg/en/Tool.zip", TestServer::file(enPackage));
    m_server.setRoute("/pkg/zh/Tool.zip", TestServer::file(zhPackage));
    m_server.setRoute("/pkg/en/Tool_V3.0.04.zip", TestServer::file(enPackage));
}

void TestUpdateCheck::init()
{
    m_tempRoot.reset(new QTemporaryDir);
    m_target.reset(new QTemporaryDir);
    QVERIFY(m_tempRoot->isValid() && m_target->isValid());
    m_server.requestedPaths.clear();
}

void TestUpdateCheck::setList(const QByteArray &list)
{
    m_server.setRoute("/en/download/VelornDownloadResource.xml", TestServer::file(list));
    m_server.setRoute("/zh/download/VelornDownloadResource.xml", TestServer::file(list));
}

Outcome TestUpdateCheck::run(int language)
{
    UpdateCheck::Settings settings = UpdateCheck::defaultSettings();
    settings.englishBase = m_server.base() + QStringLiteral("/en/download/");
    settings.chineseBase = m_server.base() + QStringLiteral("/zh/download/");
    settings.tempRoot = m_tempRoot->path();
    settings.inactivityTimeoutMs = 5000;
    return UpdateCheck::checkForNewVersion(nullptr, language, settings);
}

void TestUpdateCheck::upToDate_data()
{
    QTest::addColumn<QByteArray>("list");

    const QByteArray pkg = m_server.base().toUtf8() + "/pkg/en/Tool.zip";
    QTest::newRow("same version") << makeList("3.0.03", pkg, pkg);
    QTest::newRow("older version") << makeList("3.0.02", pkg, pkg);
    QTest::newRow("leading letter") << makeList("V3.0.04", pkg, pkg);
    QTest::newRow("no section") << QByteArray("<Root><Other/></Root>");
    QTest::newRow("not XML") << QByteArray("garbage");
}

void TestUpdateCheck::upToDate()
{
    QFETCH(QByteArray, list);
    setList(list);
    ScriptedDialogs dialogs;
    QCOMPARE(run(0), Outcome::UpToDate);

    QCOMPARE(dialogs.requests.size(), 1);
    const ScriptedDialogs::Request &box = dialogs.requests.first();
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.title, QStringLiteral("Information"));
    QCOMPARE(box.text, QStringLiteral("The current tool is the latest version."));
    QCOMPARE(box.buttonLabels, QStringList{QStringLiteral("Ok")});
    QCOMPARE(m_server.requestedPaths, QList<QByteArray>{"/en/download/VelornDownloadResource.xml"});
    QVERIFY(contents(m_tempRoot->path()).isEmpty());
}

void TestUpdateCheck::declined_data()
{
    QTest::addColumn<bool>("cancelQuestion");
    QTest::newRow("cancel at the question") << true;
    QTest::newRow("cancel at the directory") << false;
}

void TestUpdateCheck::declined()
{
    QFETCH(bool, cancelQuestion);
    const QByteArray pkg = m_server.base().toUtf8() + "/pkg/en/Tool.zip";
    setList(makeList("3.0.04", pkg, pkg));

    ScriptedDialogs dialogs;
    if (!cancelQuestion)
        dialogs.answerButton(QMessageBox::Ok); // the directory dialog is left unanswered
    QCOMPARE(run(0), Outcome::Declined);

    const ScriptedDialogs::Request &question = dialogs.requests.first();
    QCOMPARE(question.icon, QMessageBox::Question);
    QCOMPARE(question.title, QStringLiteral("Infomation"));
    QCOMPARE(question.text, QStringLiteral("A new version of \"Tickforge\" has been detected, do you "
                                           "want to download it?"));
    QCOMPARE(question.buttonLabels, (QStringList{QStringLiteral("Ok"), QStringLiteral("Cancel")}));
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Directory), cancelQuestion ? 0 : 1);
    if (!cancelQuestion)
        QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Directory)->title, QStringLiteral("Select directory"));
    QCOMPARE(dialogs.requests.size(), cancelQuestion ? 1 : 2);
    QCOMPARE(m_server.requestedPaths.size(), 1);
    QVERIFY(contents(m_tempRoot->path()).isEmpty());
    QVERIFY(contents(m_target->path()).isEmpty());
}

void TestUpdateCheck::downloads_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QByteArray>("urlen");
    QTest::addColumn<QByteArray>("listPath");
    QTest::addColumn<QString>("savedAs");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("openFolder");

    const QByteArray base = m_server.base().toUtf8();
    QTest::newRow("English takes URLEN")
        << 0 << base + "/pkg/en/Tool.zip" << QByteArray("/en/download/VelornDownloadResource.xml")
        << "Tool_V3.0.04.zip" << enPackage << false;
    QTest::newRow("Chinese takes URL")
        << 1 << base + "/pkg/en/Tool.zip" << QByteArray("/zh/download/VelornDownloadResource.xml")
        << "Tool_V3.0.04.zip" << zhPackage << false;
    QTest::newRow("versioned name kept")
        << 0 << base + "/pkg/en/Tool_V3.0.04.zip" << QByteArray("/en/download/VelornDownloadResource.xml")
        << "Tool_V3.0.04.zip" << enPackage << false;
    QTest::newRow("open folder") << 0 << base + "/pkg/en/Tool.zip"
                                 << QByteArray("/en/download/VelornDownloadResource.xml")
                                 << "Tool_V3.0.04.zip" << enPackage << true;
}

void TestUpdateCheck::downloads()
{
    QFETCH(int, language);
    QFETCH(QByteArray, urlen);
    QFETCH(QByteArray, listPath);
    QFETCH(QString, savedAs);
    QFETCH(QByteArray, content);
    QFETCH(bool, openFolder);

    setList(makeList("3.0.04", urlen, m_server.base().toUtf8() + "/pkg/zh/Tool.zip"));
    ScriptedDialogs dialogs;
    dialogs.answerButton(QMessageBox::Ok);
    dialogs.answerPath(m_target->path());
    if (openFolder)
        dialogs.answerExtra(0);
    else
        dialogs.answerExtra(1);
    QCOMPARE(run(language), Outcome::Downloaded);

    QCOMPARE(m_server.requestedPaths.first(), listPath);
    QCOMPARE(contents(m_target->path()), QStringList{savedAs});
    const QString saved = QDir(m_target->path()).filePath(savedAs);
    QCOMPARE(readAll(saved), content);
    QVERIFY(contents(m_tempRoot->path()).isEmpty());

    const ScriptedDialogs::Request *done = dialogs.last();
    QCOMPARE(done->icon, QMessageBox::Information);
    QCOMPARE(done->title, QStringLiteral("Information"));
    QCOMPARE(done->text,
             QStringLiteral("Download succeeded, storage location: \n") + QDir::toNativeSeparators(saved));
    QCOMPARE(done->buttons, QMessageBox::StandardButtons(QMessageBox::NoButton));
    QCOMPARE(done->extraButtons, (QStringList{QStringLiteral(" Open Folder  "), QStringLiteral("OK")}));
    if (openFolder)
        QCOMPARE(dialogs.openedUrls, QList<QUrl>{QUrl::fromLocalFile(m_target->path())});
    else
        QVERIFY(dialogs.openedUrls.isEmpty());
}

void TestUpdateCheck::checksum_data()
{
    QTest::addColumn<QByteArray>("sha256");
    QTest::addColumn<bool>("ok");

    QTest::newRow("matches") << QCryptographicHash::hash(enPackage, QCryptographicHash::Sha256).toHex()
                             << true;
    QTest::newRow("mismatch") << QCryptographicHash::hash("tampered", QCryptographicHash::Sha256).toHex()
                              << false;
}

void TestUpdateCheck::checksum()
{
    QFETCH(QByteArray, sha256);
    QFETCH(bool, ok);

    const QByteArray pkg = m_server.base().toUtf8() + "/pkg/en/Tool.zip";
    setList(makeList("3.0.04", pkg, pkg, sha256));
    ScriptedDialogs dialogs;
    dialogs.answerButton(QMessageBox::Ok);
    dialogs.answerPath(m_target->path());
    QCOMPARE(run(0), ok ? Outcome::Downloaded : Outcome::PackageFailed);
    if (ok) {
        QCOMPARE(contents(m_target->path()), QStringList{QStringLiteral("Tool_V3.0.04.zip")});
    } else {
        QVERIFY(contents(m_target->path()).isEmpty());
        QCOMPARE(dialogs.last()->text,
                 QStringLiteral("Download failed: The file does not match its SHA-256 checksum."));
    }
    QVERIFY(contents(m_tempRoot->path()).isEmpty());
}

void TestUpdateCheck::listNotFound()
{
    m_server.setRoute("/en/download/VelornDownloadResource.xml", [] {
        TestServer::Route route;
        route.status = 404;
        return route;
    }());
    ScriptedDialogs dialogs;
    QCOMPARE(run(0), Outcome::ListFailed);
    QCOMPARE(dialogs.requests.size(), 1);
    QVERIFY(dialogs.last()->text.startsWith(QStringLiteral("Download failed: ")));
    QVERIFY(contents(m_tempRoot->path()).isEmpty());
}

void TestUpdateCheck::packageAddressMissing()
{
    setList(makeList("3.0.04", QByteArray(), m_server.base().toUtf8() + "/pkg/zh/Tool.zip"));
    ScriptedDialogs dialogs;
    dialogs.answerButton(QMessageBox::Ok);
    dialogs.answerPath(m_target->path());
    QCOMPARE(run(0), Outcome::PackageFailed);
    QCOMPARE(dialogs.last()->text, QStringLiteral("Invalid URL : "));
    QCOMPARE(m_server.requestedPaths.size(), 1);
    QVERIFY(contents(m_target->path()).isEmpty());
    QVERIFY(contents(m_tempRoot->path()).isEmpty());
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"

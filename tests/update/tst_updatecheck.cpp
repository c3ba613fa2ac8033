#include "HttpsDownload.h"
#include "ScriptedDialogs.h"
#include "TestHelpers.h"
#include "TestServer.h"
#include "UpdateCheck.h"
#include "VersionCheck.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

using UpdateCheck::Outcome;
Q_DECLARE_METATYPE(UpdateCheck::Outcome)

// Reading the update list, comparing versions and the whole new-version
// check against a local server, with scripted answers.
class TestUpdateCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void versionNumber_data();
    void versionNumber();
    void readListValue_data();
    void readListValue();
    void check_data();
    void check();
    void chineseTexts();

private:
    // The list with the product's entry after another product's; BASE stands for the server.
    QByteArray list(const QByteArray &version,
                    const QByteArray &urlen = "<URLEN>BASE/pkg/en/Tool.zip</URLEN>") const
    {
        return QByteArray("<Root><VelornTool><Entry><Name>Other</Name><Version>9.0.0</Version></Entry><Entry>"
                          "<Name>Tickforge</Name><Version>" +
                          version + "</Version>" + urlen +
                          "<URL>BASE/pkg/zh/Tool.zip</URL></Entry></VelornTool></Root>")
            .replace("BASE", m_server.base().toUtf8());
    }
    // Serves list (null: not found) under both base addresses and runs the check.
    Outcome run(const QByteArray &list, int language, const QString &tempRoot)
    {
        for (const char *base : {"/en/download/", "/zh/download/"})
            m_server.setRoute(base + QByteArray(UpdateCheck::listFileName()),
                              TestServer::file(list, list.isNull() ? 404 : 200));
        UpdateCheck::Settings settings = UpdateCheck::defaultSettings();
        settings.englishBase = m_server.base() + QStringLiteral("/en/download/");
        settings.chineseBase = m_server.base() + QStringLiteral("/zh/download/");
        settings.tempRoot = tempRoot;
        settings.inactivityTimeoutMs = 5000;
        return UpdateCheck::checkForNewVersion(nullptr, language, settings);
    }

    TestServer m_server;
};

void TestUpdateCheck::initTestCase()
{
    QVERIFY(m_server.start());
    m_server.setRoute("/pkg/en/Tool.zip", TestServer::file("english package"));
    m_server.setRoute("/pkg/zh/Tool.zip", TestServer::file("chinese package"));
    m_server.setRoute("/pkg/en/Tool_V3.0.04.zip", TestServer::file("english package"));
}

void TestUpdateCheck::versionNumber_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<int>("expected");
    const auto row = [](const char *version, int major, int minor, int patch) {
        QTest::newRow(version) << version << (major * 256 + minor) * 256 + patch;
    };
    row("3.0.03", 3, 0, 3);
    row("3.0.04", 3, 0, 4);
    row("3.0.09", 3, 0, 9);
    row("3.0.0A", 3, 0, 10);
    row("3.1", 3, 1, 1);
    row("V3.0.04", 0, 0, 0);
}

void TestUpdateCheck::versionNumber()
{
    QFETCH(QString, version);
    QFETCH(int, expected);
    QCOMPARE(::versionNumber(version), expected);
}

void TestUpdateCheck::readListValue_data()
{
    QTest::addColumn<QByteArray>("xml"); // null: no file at all
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    const QByteArray list =
        "<Root><VelornTool><Entry><Name>Other</Name><Version>1.0.0</Version></Entry>"
        "<Entry><Name>Tickforge</Name><Version>3.0.04</Version><URLEN>en</URLEN><URL>zh</URL>"
        "</Entry></VelornTool></Root>";
    QTest::newRow("version of the product") << list << "VelornTool"
                                            << "Version"
                                            << "3.0.04";
    QTest::newRow("Chinese address") << list << "VelornTool"
                                     << "URL"
                                     << "zh";
    QTest::newRow("missing section") << list << "NoSuchSection"
                                     << "Version"
                                     << "";
    QTest::newRow("field before key passed over")
        << QByteArray("<Root><VelornTool><Entry><Version>9.0.0</Version><Name>Tickforge</Name></Entry>"
                      "<Entry><Name>Tickforge</Name><Version>3.0.05</Version></Entry></VelornTool></Root>")
        << "VelornTool"
        << "Version"
        << "3.0.05";
    QTest::newRow("unreadable file") << QByteArray() << "VelornTool"
                                     << "Version"
                                     << "";
}

void TestUpdateCheck::readListValue()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, section);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.xml"));
    QVERIFY(xml.isNull() || !writeFile(path, xml).isNull());
    QCOMPARE(::readListValue(path, section, QStringLiteral("Tickforge"), field), expected);
}

void TestUpdateCheck::check_data()
{
    QTest::addColumn<QByteArray>("list"); // null: the list is not found
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("answers"); // "ok": to the question, "dir": a folder, "open": Open Folder
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("text");   // how the last message starts
    QTest::addColumn<QByteArray>("got"); // the package saved as Tool_V3.0.04.zip, if any
    const auto row = [](const char *tag, const QByteArray &list, int language, const char *answers,
                        Outcome outcome, const char *text, const QByteArray &got = QByteArray()) {
        QTest::newRow(tag) << list << language << answers << outcome << text << got;
    };
    const char *latest = "The current tool is the latest version.";
    const char *question = "A new version of \"Tickforge\" has been detected, do you want to download it?";
    const char *saved = "Download succeeded, storage location: \n";
    row("same version", list("3.0.03"), 0, "ok dir", Outcome::UpToDate, latest);
    row("not XML", "garbage", 0, "ok dir", Outcome::UpToDate, latest);
    row("cancel at the question", list("3.0.04"), 0, "", Outcome::Declined, question);
    row("cancel at the directory", list("3.0.04"), 0, "ok", Outcome::Declined, question);
    row("English takes URLEN", list("3.0.04"), 0, "ok dir", Outcome::Downloaded, saved, "english package");
    row("Chinese takes URL", list("3.0.04"), 1, "ok dir open", Outcome::Downloaded, saved, "chinese package");
    row("versioned name kept", list("3.0.04", "<URLEN>BASE/pkg/en/Tool_V3.0.04.zip</URLEN>"), 0, "ok dir",
        Outcome::Downloaded, saved, "english package");
    row("list not found", QByteArray(), 0, "ok dir", Outcome::ListFailed, "Download failed: ");
    row("no package address", list("3.0.04", ""), 0, "ok dir", Outcome::PackageFailed, "Invalid URL : ");
    const QByteArray sha = QCryptographicHash::hash("english package", QCryptographicHash::Sha256).toHex();
    row("checksum matches", list("3.0.04", "<URLEN>BASE/pkg/en/Tool.zip</URLEN><SHA256>" + sha + "</SHA256>"),
        0, "ok dir", Outcome::Downloaded, saved, "english package");
    row("checksum mismatch",
        list("3.0.04", "<URLEN>BASE/pkg/en/Tool.zip</URLEN><SHA256>" + QByteArray(64, 'a') + "</SHA256>"), 0,
        "ok dir", Outcome::PackageFailed, "Download failed: The file does not match its SHA-256 checksum.");
}

void TestUpdateCheck::check()
{
    QFETCH(QByteArray, list);
    QFETCH(int, language);
    QFETCH(QString, answers);
    QFETCH(Outcome, outcome);
    QFETCH(QString, text);
    QFETCH(QByteArray, got);
    QTemporaryDir tempRoot, target;
    ScriptedDialogs dialogs;
    if (answers.contains(QLatin1String("ok")))
        dialogs.answerButton(QMessageBox::Ok);
    if (answers.contains(QLatin1String("dir")))
        dialogs.answerPath(target.path());
    dialogs.answerExtra(answers.contains(QLatin1String("open")) ? 0 : 1);
    m_server.requestedPaths.clear();
    QCOMPARE(run(list, language, tempRoot.path()), outcome);

    QCOMPARE(m_server.requestedPaths.first(),
             "/" + QByteArray(language ? "zh" : "en") + "/download/" + UpdateCheck::listFileName());
    QVERIFY2(dialogs.last()->text.startsWith(text), qPrintable(dialogs.last()->text));
    QVERIFY(QDir(tempRoot.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    const QString package = QDir(target.path()).filePath(QStringLiteral("Tool_V3.0.04.zip"));
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden),
             got.isNull() ? QStringList() : QStringList{QStringLiteral("Tool_V3.0.04.zip")});
    if (outcome == Outcome::Declined) {
        QCOMPARE(dialogs.requests.first().title, QStringLiteral("Infomation"));
        QCOMPARE(dialogs.texts(ScriptedDialogs::Kind::Directory).size(), answers.isEmpty() ? 0 : 1);
        QCOMPARE(m_server.requestedPaths.size(), 1);
    }
    if (outcome != Outcome::Downloaded)
        return;
    QFile file(package);
    QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), got);
    QCOMPARE(dialogs.last()->text, text + QDir::toNativeSeparators(package));
    QCOMPARE(dialogs.last()->extraButtons,
             (QStringList{QStringLiteral(" Open Folder  "), QStringLiteral("OK")}));
    QCOMPARE(dialogs.openedUrls, answers.contains(QLatin1String("open"))
                                     ? QList<QUrl>{QUrl::fromLocalFile(target.path())}
                                     : QList<QUrl>());
}

void TestUpdateCheck::chineseTexts()
{
    QTranslator chinese;
    QVERIFY(chinese.load(QStringLiteral(":/image/tr_zh.qm")));
    QVERIFY(QCoreApplication::installTranslator(&chinese));
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    QCOMPARE(run(list("3.0.03"), 0, dir.path()), Outcome::UpToDate);
    HttpsDownload download(nullptr);
    QString path = dir.path();
    QVERIFY(!download.download(QStringLiteral("   "), path, QString()));
    QVERIFY(!writeFile(dir.filePath(QStringLiteral("Tool.zip")), "old").isNull());
    QVERIFY(!download.download(m_server.base() + QStringLiteral("/pkg/en/Tool.zip"), path = dir.path(), {}));
    QCoreApplication::removeTranslator(&chinese);

    QCOMPARE(dialogs.requests.size(), 3);
    QCOMPARE(dialogs.requests.at(0).title, QStringLiteral("信息"));
    QCOMPARE(dialogs.requests.at(0).text, QStringLiteral("当前软件已是最新版本。"));
    QCOMPARE(dialogs.requests.at(0).buttonLabels, QStringList{QStringLiteral("确定")});
    QCOMPARE(dialogs.requests.at(1).title, QStringLiteral("错误"));
    QCOMPARE(dialogs.requests.at(1).text, QStringLiteral("无效的URL :    "));
    QCOMPARE(dialogs.requests.at(2).title, QStringLiteral("覆盖文件"));
    QVERIFY(dialogs.requests.at(2).text.endsWith(QStringLiteral(" 文件已经存在，是否覆盖？")));
    QCOMPARE(dialogs.requests.at(2).buttonLabels,
             (QStringList{QStringLiteral("确定"), QStringLiteral("取消")}));
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"

#include "ScriptedDialogs.h"
#include "TestServer.h"
#include "UpdateCheck.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using UpdateCheck::Outcome;
Q_DECLARE_METATYPE(UpdateCheck::Outcome)

// The whole new-version check against a local server, with scripted answers.
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
    void failures_data();
    void failures();

private:
    // Serves list as the update list under both base addresses and runs the
    // check in language (0 English, 1 Chinese).
    Outcome run(const QByteArray &list, int language = 0)
    {
        m_server.setRoute("/en/download/VelornDownloadResource.xml", TestServer::file(list));
        m_server.setRoute("/zh/download/VelornDownloadResource.xml", TestServer::file(list));
        UpdateCheck::Settings settings = UpdateCheck::defaultSettings();
        settings.englishBase = m_server.base() + QStringLiteral("/en/download/");
        settings.chineseBase = m_server.base() + QStringLiteral("/zh/download/");
        settings.tempRoot = m_tempRoot->path();
        settings.inactivityTimeoutMs = 5000;
        return UpdateCheck::checkForNewVersion(nullptr, language, settings);
    }
    // The list with the product's entry after another product's.
    QByteArray list(const QByteArray &version, const QByteArray &urlen = "/pkg/en/Tool.zip",
                    const QByteArray &sha256 = QByteArray()) const
    {
        const QByteArray base = m_server.base().toUtf8();
        QByteArray entry = "<Entry><Name>Tickforge</Name><Version>" + version + "</Version>";
        if (!urlen.isEmpty())
            entry += "<URLEN>" + base + urlen + "</URLEN>";
        entry += "<URL>" + base + "/pkg/zh/Tool.zip</URL>";
        if (!sha256.isEmpty())
            entry += "<SHA256>" + sha256 + "</SHA256>";
        return "<?xml version=\"1.0\"?>\n<Root><VelornTool><Entry><Name>Other</Name><Version>9.0.0</Version>"
               "</Entry>" +
               entry + "</Entry></VelornTool></Root>\n";
    }
    static QStringList contents(const QString &dir)
    {
        return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    TestServer m_server;
    QScopedPointer<QTemporaryDir> m_tempRoot;
    QScopedPointer<QTemporaryDir> m_target;
    const QByteArray m_en = "english package";
};

void TestUpdateCheck::initTestCase()
{
    QVERIFY(m_server.start());
    m_server.setRoute("/pkg/en/Tool.zip", TestServer::file(m_en));
    m_server.setRoute("/pkg/zh/Tool.zip", TestServer::file("chinese package"));
    m_server.setRoute("/pkg/en/Tool_V3.0.04.zip", TestServer::file(m_en));
}

void TestUpdateCheck::init()
{
    m_tempRoot.reset(new QTemporaryDir);
    m_target.reset(new QTemporaryDir);
    QVERIFY(m_tempRoot->isValid() && m_target->isValid());
    m_server.requestedPaths.clear();
}

void TestUpdateCheck::upToDate_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::newRow("same version") << list("3.0.03");
    QTest::newRow("older version") << list("3.0.02");
    QTest::newRow("leading letter") << list("V3.0.04");
    QTest::newRow("no section") << QByteArray("<Root><Other/></Root>");
    QTest::newRow("not XML") << QByteArray("garbage");
}

void TestUpdateCheck::upToDate()
{
    QFETCH(QByteArray, list);
    ScriptedDialogs dialogs;
    QCOMPARE(run(list), Outcome::UpToDate);
    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(dialogs.last()->icon, QMessageBox::Information);
    QCOMPARE(dialogs.last()->title, QStringLiteral("Information"));
    QCOMPARE(dialogs.last()->text, QStringLiteral("The current tool is the latest version."));
    QCOMPARE(dialogs.last()->buttonLabels, QStringList{QStringLiteral("Ok")});
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
    ScriptedDialogs dialogs;
    if (!cancelQuestion)
        dialogs.answerButton(QMessageBox::Ok); // the directory dialog is left unanswered
    QCOMPARE(run(list("3.0.04")), Outcome::Declined);

    const ScriptedDialogs::Request &question = dialogs.requests.first();
    QCOMPARE(question.icon, QMessageBox::Question);
    QCOMPARE(question.title, QStringLiteral("Infomation"));
    QCOMPARE(question.text,
             QStringLiteral("A new version of \"Tickforge\" has been detected, do you want to download it?"));
    QCOMPARE(question.buttonLabels, (QStringList{QStringLiteral("Ok"), QStringLiteral("Cancel")}));
    QCOMPARE(dialogs.requests.size(), cancelQuestion ? 1 : 2);
    if (!cancelQuestion)
        QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Directory)->title, QStringLiteral("Select directory"));
    QCOMPARE(m_server.requestedPaths.size(), 1);
    QVERIFY(contents(m_tempRoot->path()).isEmpty());
    QVERIFY(contents(m_target->path()).isEmpty());
}

void TestUpdateCheck::downloads_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QByteArray>("urlen");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("openFolder");
    QTest::newRow("English takes URLEN") << 0 << QByteArray("/pkg/en/Tool.zip") << m_en << false;
    QTest::newRow("Chinese takes URL")
        << 1 << QByteArray("/pkg/en/Tool.zip") << QByteArray("chinese package") << false;
    QTest::newRow("versioned name kept") << 0 << QByteArray("/pkg/en/Tool_V3.0.04.zip") << m_en << false;
    QTest::newRow("open folder") << 0 << QByteArray("/pkg/en/Tool.zip") << m_en << true;
}

void TestUpdateCheck::downloads()
{
    QFETCH(int, language);
    QFETCH(QByteArray, urlen);
    QFETCH(QByteArray, content);
    QFETCH(bool, openFolder);

    ScriptedDialogs dialogs;
    dialogs.answerButton(QMessageBox::Ok);
    dialogs.answerPath(m_target->path());
    dialogs.answerExtra(openFolder ? 0 : 1);
    QCOMPARE(run(list("3.0.04", urlen), language), Outcome::Downloaded);

    QCOMPARE(m_server.requestedPaths.first(), language
                                                  ? QByteArray("/zh/download/VelornDownloadResource.xml")
                                                  : QByteArray("/en/download/VelornDownloadResource.xml"));
    QCOMPARE(contents(m_target->path()), QStringList{QStringLiteral("Tool_V3.0.04.zip")});
    const QString saved = QDir(m_target->path()).filePath(QStringLiteral("Tool_V3.0.04.zip"));
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content);
    QVERIFY(contents(m_tempRoot->path()).isEmpty());

    const ScriptedDialogs::Request *done = dialogs.last();
    QCOMPARE(done->icon, QMessageBox::Information);
    QCOMPARE(done->title, QStringLiteral("Information"));
    QCOMPARE(done->text,
             QStringLiteral("Download succeeded, storage location: \n") + QDir::toNativeSeparators(saved));
    QCOMPARE(done->buttons, QMessageBox::StandardButtons(QMessageBox::NoButton));
    QCOMPARE(done->extraButtons, (QStringList{QStringLiteral(" Open Folder  "), QStringLiteral("OK")}));
    QCOMPARE(dialogs.openedUrls,
             openFolder ? QList<QUrl>{QUrl::fromLocalFile(m_target->path())} : QList<QUrl>());
}

void TestUpdateCheck::failures_data()
{
    QTest::addColumn<QByteArray>("list"); // null: the list is not found
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("text");
    const QByteArray sha = QCryptographicHash::hash(m_en, QCryptographicHash::Sha256).toHex();
    const QByteArray tampered = QCryptographicHash::hash("tampered", QCryptographicHash::Sha256).toHex();
    QTest::newRow("list not found") << QByteArray() << Outcome::ListFailed << "Download failed: ";
    QTest::newRow("no package address") << list("3.0.04", "") << Outcome::PackageFailed << "Invalid URL : ";
    QTest::newRow("checksum mismatch")
        << list("3.0.04", "/pkg/en/Tool.zip", tampered) << Outcome::PackageFailed
        << "Download failed: The file does not match its SHA-256 checksum.";
    QTest::newRow("checksum matches") << list("3.0.04", "/pkg/en/Tool.zip", sha) << Outcome::Downloaded
                                      << "Download succeeded, storage location: ";
}

void TestUpdateCheck::failures()
{
    QFETCH(QByteArray, list);
    QFETCH(Outcome, outcome);
    QFETCH(QString, text);

    ScriptedDialogs dialogs;
    dialogs.answerButton(QMessageBox::Ok);
    dialogs.answerPath(m_target->path());
    if (list.isNull()) {
        TestServer::Route missing;
        missing.status = 404;
        m_server.setRoute("/en/download/VelornDownloadResource.xml", missing);
        UpdateCheck::Settings settings = UpdateCheck::defaultSettings();
        settings.englishBase = m_server.base() + QStringLiteral("/en/download/");
        settings.tempRoot = m_tempRoot->path();
        QCOMPARE(UpdateCheck::checkForNewVersion(nullptr, 0, settings), outcome);
    } else {
        QCOMPARE(run(list), outcome);
    }
    QVERIFY2(dialogs.last()->text.startsWith(text), qPrintable(dialogs.last()->text));
    QCOMPARE(contents(m_target->path()), outcome == Outcome::Downloaded
                                             ? QStringList{QStringLiteral("Tool_V3.0.04.zip")}
                                             : QStringList());
    QVERIFY(contents(m_tempRoot->path()).isEmpty());
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"

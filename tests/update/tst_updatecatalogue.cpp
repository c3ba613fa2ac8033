#include "HttpsDownload.h"
#include "ProgressDialog.h"
#include "ScriptedDialogs.h"
#include "TestServer.h"
#include "UpdateCheck.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

// The update service speaks Chinese when the Chinese catalogue is loaded.
class TestUpdateCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void chineseMessages_data();
    void chineseMessages();
    void chineseProgressDialog();

private:
    QTranslator m_translator;
    TestServer m_server;
};

void TestUpdateCatalogue::initTestCase()
{
    QVERIFY(m_translator.load(QStringLiteral(":/image/tr_zh.qm")));
    QVERIFY(QCoreApplication::installTranslator(&m_translator));
    QVERIFY(m_server.start());
    m_server.setRoute("/pkg/Tool.zip", TestServer::file("package"));
    m_server.setRoute("/en/download/VelornDownloadResource.xml",
                      TestServer::file("<Root><VelornTool><E><Name>Tickforge</Name>"
                                       "<Version>3.0.03</Version></E></VelornTool></Root>"));
}

void TestUpdateCatalogue::chineseMessages_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("buttons");

    QTest::newRow("invalid address") << "invalid" << QStringLiteral("错误")
                                     << QStringLiteral("无效的URL :    ")
                                     << QStringList{QStringLiteral("确定")};
    QTest::newRow("overwrite question")
        << "overwrite" << QStringLiteral("覆盖文件") << QStringLiteral(" 文件已经存在，是否覆盖？")
        << QStringList{QStringLiteral("确定"), QStringLiteral("取消")};
    QTest::newRow("download failed") << "missing" << QStringLiteral("错误") << QStringLiteral("下载失败： ")
                                     << QStringList{QStringLiteral("确定")};
    QTest::newRow("latest version") << "latest" << QStringLiteral("信息")
                                    << QStringLiteral("当前软件已是最新版本。")
                                    << QStringList{QStringLiteral("确定")};
}

void TestUpdateCatalogue::chineseMessages()
{
    QFETCH(QString, scenario);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QStringList, buttons);

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    HttpsDownload download(nullptr);
    QString path = dir.path();
    if (scenario == QLatin1String("invalid")) {
        QVERIFY(!download.download(QStringLiteral("   "), path, QString()));
    } else if (scenario == QLatin1String("overwrite")) {
        QFile old(dir.filePath(QStringLiteral("Tool.zip")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.close();
        QVERIFY(!download.download(m_server.base() + QStringLiteral("/pkg/Tool.zip"), path, QString()));
    } else if (scenario == QLatin1String("missing")) {
        QVERIFY(!download.download(m_server.base() + QStringLiteral("/pkg/None.zip"), path, QString()));
    } else {
        UpdateCheck::Settings settings = UpdateCheck::defaultSettings();
        settings.englishBase = m_server.base() + QStringLiteral("/en/download/");
        settings.tempRoot = dir.path();
        QCOMPARE(UpdateCheck::checkForNewVersion(nullptr, 0, settings), UpdateCheck::Outcome::UpToDate);
    }
    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(dialogs.last()->title, title);
    QVERIFY2(dialogs.last()->text.contains(text), qPrintable(dialogs.last()->text));
    QCOMPARE(dialogs.last()->buttonLabels, buttons);
}

void TestUpdateCatalogue::chineseProgressDialog()
{
    ProgressDialog dialog(QUrl(QStringLiteral("https://h.example/download/Tool.zip")), nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("下载进度"));
    QCOMPARE(dialog.findChild<QLabel *>()->text(),
             QStringLiteral("正在下载 https://h.example/download/Tool.zip."));
}

QTEST_MAIN(TestUpdateCatalogue)
#include "tst_updatecatalogue.moc"

#include "ScriptedDialogs.h"
#include "TestHelpers.h"
#include "TestServer.h"
#include "UpdateCheck.h"
#include "VersionCheck.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <csignal>
#include <memory>
#include <openssl/evp.h>
#include <optional>

using UpdateCheck::Outcome;
using O = Outcome;
Q_DECLARE_METATYPE(UpdateCheck::Outcome)

// The new-version check and its command-line twin against local servers,
// with scripted answers: a list that cannot be trusted or read fails with a
// message and leaves nothing behind.
class TestUpdateCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void check_data();
    void check();
    void commandLine_data();
    void commandLine();
    void signingTool();

private:
    // The product's entry, after another tool's with a newer version. BASE
    // stands for the HTTP server.
    static QByteArray list(const QByteArray &version,
                           const QByteArray &urlen = "<URLEN>BASE/en/Tool.zip</URLEN>")
    {
        return "<Root><VelornTool><Entry><Version>9.0.0</Version><Name>Tickwork</Name></Entry><Entry><Name>"
               "Tickforge</Name><Version>" +
               version + "</Version>" + urlen + "<URL>BASE/zh/Tool.zip</URL></Entry></VelornTool></Root>";
    }
    // Serves list (null: not found) under both base addresses of server,
    // signed "good", "bad" (over other bytes) or not at all.
    void serve(TestServer &server, QByteArray list, const QString &signature = QString())
    {
        list.replace("BASE", m_http.base().toUtf8() + "/pkg");
        QByteArray sig;
        if (!signature.isEmpty()) { // Ed25519 over the list's exact bytes, in base64
            const QByteArray message = signature == QLatin1String("good") ? list : list + ' ';
            sig = QByteArray(64, '\0');
            size_t size = 64;
            EVP_MD_CTX *context = EVP_MD_CTX_new();
            EVP_DigestSignInit(context, nullptr, nullptr, nullptr, m_key.get());
            EVP_DigestSign(context, reinterpret_cast<unsigned char *>(sig.data()), &size,
                           reinterpret_cast<const unsigned char *>(message.constData()),
                           size_t(message.size()));
            EVP_MD_CTX_free(context);
            sig = sig.toBase64() + '\n';
        }
        for (const char *base : {"/en/download/", "/zh/download/"}) {
            const QByteArray path = base + QByteArray(UpdateCheck::listFileName());
            server.setRoute(path, TestServer::file(list, list.isNull() ? 404 : 200));
            server.setRoute(path + ".sig", TestServer::file(sig, sig.isNull() ? 404 : 200));
        }
    }
    // The built-in rules ("own") or those for a test server, at server's addresses.
    static UpdateCheck::Settings settingsFor(const TestServer &server, const QString &tempRoot,
                                             bool own = false)
    {
        UpdateCheck::Settings settings = UpdateCheck::defaultSettings();
        settings.englishBase = server.base() + QStringLiteral("/en/download/");
        settings.chineseBase = server.base() + QStringLiteral("/zh/download/");
        settings.tempRoot = tempRoot;
        settings.inactivityTimeoutMs = 5000;
        settings.today = QDate(2026, 12, 6);
        settings.httpsOnly = settings.httpsOnly && own;
        settings.certificatePrompt = settings.certificatePrompt || !own;
        return settings;
    }

    TestServer m_http;
    TestServer m_https{true};
    std::unique_ptr<EVP_PKEY, void (*)(EVP_PKEY *)> m_key{nullptr, EVP_PKEY_free}; // the test's own
    QByteArray m_sha = QCryptographicHash::hash("english package", QCryptographicHash::Sha256).toHex();
};

void TestUpdateCheck::initTestCase()
{
    QVERIFY(m_http.start());
    QVERIFY(m_https.start());
    EVP_PKEY_CTX *context = EVP_PKEY_CTX_new_id(EVP_PKEY_ED25519, nullptr);
    EVP_PKEY *key = nullptr;
    QVERIFY(EVP_PKEY_keygen_init(context) == 1 && EVP_PKEY_keygen(context, &key) == 1);
    EVP_PKEY_CTX_free(context);
    m_key.reset(key);
    m_http.setRoute("/pkg/en/Tool.zip", TestServer::file("english package"));
    m_http.setRoute("/pkg/zh/Tool.zip", TestServer::file("chinese package"));
    m_http.setRoute("/pkg/en/Tool_V3.0.04.zip", TestServer::file("english package"));
    TestServer::Route paced = TestServer::file(QByteArray("english package").repeated(40000));
    paced.chunkDelayMs = 20; // long enough to pick the menu entry again meanwhile
    m_http.setRoute("/pkg/en/Slow.zip", paced);
    paced.chunkDelayMs = 300; // a signal arrives well before the end
    m_http.setRoute("/pkg/en/Slower.zip", paced);
    TestServer::Route cut = TestServer::file("english package"), unsized = cut;
    cut.cutAfter = 7;
    m_http.setRoute("/pkg/en/Cut.zip", cut);
    unsized.announceLength = false;
    m_http.setRoute("/pkg/en/Unsized.zip", unsized);
}

void TestUpdateCheck::check_data()
{
    QTest::addColumn<QByteArray>("list"); // null: not found
    // Words: "zh" Chinese; "https" server; "own": the built-in rules; a "signed", "badsig" or "nosig"
    // list; answers "ignore" to the SSL box, "ok" to the question, "dir" a folder, "open" Open Folder.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("text");  // how the last message starts
    QTest::addColumn<QString>("saved"); // "<name>: <content>" of the package, if any
    const auto row = [](const char *tag, const QByteArray &list, const char *setup, O outcome,
                        const QString &text, const char *saved = "") {
        QTest::newRow(tag) << list << setup << outcome << text << saved;
    };
    const char *question = "A new version of \"Tickforge\" has been detected, do you want to download it?";
    const char *unreadable = "The update list could not be read.";
    const char *badSignature = "The signature of the update list is missing or wrong.";
    const QString done = QStringLiteral("Download succeeded, storage location: \n");
    const QString failed = QStringLiteral("Download failed: ");
    const char *english = "Tool_V3.0.04.zip: english package";
    const QByteArray v4 = list("3.0.04"),
                     summed = list("3.0.04", "<URLEN>BASE/en/Tool.zip</URLEN><SHA256>" + m_sha +
                                                 "</SHA256><Expires>2026-12-07</Expires>");
    const QByteArray package = "<URLEN>BASE/en/Tool.zip</URLEN>";
    const int at = v4.indexOf("<Entry><Name>Tickforge");
    const QByteArray entry = v4.mid(at, v4.indexOf("</VelornTool>") - at); // the product's
    row("same version", list("3.0.03"), "ok dir", O::UpToDate, "The current tool is the latest version.");
    row("binary list", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10), "ok dir", O::ListUnreadable, unreadable);
    row("no version", list("").replace("<Version></Version>", ""), "ok dir", O::ListUnreadable, unreadable);
    row("version with a letter", list("V3.0.04"), "ok dir", O::ListUnreadable, unreadable);
    row("Chinese, unreadable", "<Root/>", "zh", O::ListUnreadable, "无法读取更新列表。");
    row("list over its cap", v4 + QByteArray(1 << 20, ' '), "", O::ListFailed,
        failed + "The file exceeds the size limit.");
    row("deeply nested list", QByteArray("<a>").repeated(40000) + QByteArray("</a>").repeated(40000),
        "ok dir", O::ListUnreadable, unreadable);
    row("DTD", "<!DOCTYPE Root [<!ENTITY v \"3.0.04\">]>" + QByteArray(v4).replace("3.0.04", "&v;"), "ok dir",
        O::ListUnreadable, unreadable);
    row("two entries for the product", QByteArray(v4).replace("</VelornTool>", entry + "</VelornTool>"),
        "ok dir", O::ListUnreadable, unreadable);
    row("two sections", QByteArray(v4).replace("</Root>", "<VelornTool/></Root>"), "ok dir",
        O::ListUnreadable, unreadable);
    row("repeated field", list("3.0.04", package + package), "ok dir", O::ListUnreadable, unreadable);
    row("list dripped past the deadline", v4, "ok dir drip", O::ListFailed,
        failed + "The transfer took too long.");
    row("Chinese, list not found", QByteArray(), "zh", O::ListFailed, "下载失败： 服务器返回了状态 404。");
    row("cancel at the question", v4, "", O::Declined, question);
    row("cancel at the directory", v4, "ok", O::Declined, question);
    row("English takes URLEN", v4, "ok dir", O::Downloaded, done, english);
    row("Chinese takes URL", v4, "zh ok dir open", O::Downloaded, "下载成功，位于： \n",
        "Tool_V3.0.04.zip: chinese package");
    row("versioned name kept", list("3.0.04", "<URLEN>BASE/en/Tool_V3.0.04.zip</URLEN>"), "ok dir",
        O::Downloaded, done, english);
    row("pretty-printed list", list("\n   3.0.04  ", "<URLEN>\n  BASE/en/Tool.zip\n</URLEN>"), "ok dir",
        O::Downloaded, done, english);
    row("hexadecimal version is newer", list("3.0.0A"), "ok dir", O::Downloaded, done,
        "Tool_V3.0.0A.zip: english package");
    row("no package address", list("3.0.04", ""), "ok dir", O::PackageFailed, "Invalid URL : ");
    row("checksum mismatch",
        QByteArray(summed).replace(m_sha, m_sha.left(63) + (m_sha.endsWith('0') ? "1" : "0")), "ok dir",
        O::PackageFailed, failed + "The file does not match its SHA-256 checksum.");
    row("https list, http package", v4, "https ignore ok dir", O::PackageFailed,
        failed + "Refused an insecure address: HTTPS is required.");
    row("own address over http", v4, "own ok dir", O::ListFailed,
        failed + "Refused an insecure address: HTTPS is required.");
    row("own address, bad certificate", v4, "own https ignore ok dir", O::ListFailed,
        failed + "The certificate is self-signed, and untrusted");
    row("second check while downloading", list("3.0.04", "<URLEN>BASE/en/Slow.zip</URLEN>"), "ok dir again",
        O::Downloaded, done, "Slow_V3.0.04.zip: english package");
    row("signed list", summed, "signed ok dir", O::Downloaded, done, english);
    row("wrong signature", summed, "badsig ok dir", O::SignatureFailed, badSignature);
    row("missing signature", summed, "nosig ok dir", O::SignatureFailed,
        badSignature + QStringLiteral("\nDownload failed: The server answered with status 404."));
    row("signed list without checksum", v4, "signed ok dir", O::ListUnreadable, unreadable);
    row("signed list without expiry", QByteArray(summed).replace("<Expires>2026-12-07</Expires>", ""),
        "signed ok dir", O::ListUnreadable, unreadable);
    row("signed list, expiry unreadable", QByteArray(summed).replace("2026-12-07", "2026-12-7"),
        "signed ok dir", O::ListUnreadable, unreadable);
    row("old signed list sent again", QByteArray(summed).replace("2026-12-07", "2026-12-06"), "signed ok dir",
        O::ListExpired, "The update list expired on 2026-12-06: it may be an old list sent again.");
    row("package cut short", list("3.0.04", "<URLEN>BASE/en/Cut.zip</URLEN>"), "ok dir", O::PackageFailed,
        failed + "The connection ended before the whole file arrived.");
    row("package end unmarked", list("3.0.04", "<URLEN>BASE/en/Unsized.zip</URLEN>"), "ok dir",
        O::PackageFailed, failed + "The server did not give the file's length");
}

void TestUpdateCheck::check()
{
    QFETCH(QByteArray, list);
    QFETCH(QString, setup);
    QFETCH(Outcome, outcome);
    QFETCH(QString, text);
    QFETCH(QString, saved);
    const QStringList words = setup.split(QLatin1Char(' '));
    const auto has = [&words](const char *word) {
        return words.contains(QLatin1String(word));
    };
    QTemporaryDir tempRoot, target;
    QTranslator chinese;
    QVERIFY(!has("zh") ||
            (chinese.load(":/image/tr_zh.qm") && QCoreApplication::installTranslator(&chinese)));
    ScriptedDialogs dialogs;
    if (has("ignore"))
        dialogs.answerButton(QMessageBox::Ignore);
    if (has("ok"))
        dialogs.answerButton(QMessageBox::Ok);
    if (has("dir"))
        dialogs.answerPath(target.path());
    dialogs.answerExtra(has("open") ? 0 : 1);
    TestServer &server = has("https") ? m_https : m_http;
    const bool signs = has("signed") || has("badsig") || has("nosig");
    serve(server, list, has("signed") ? "good" : has("badsig") ? "bad" : "");
    UpdateCheck::Settings settings = settingsFor(server, tempRoot.path(), has("own"));
    TestServer::Route dripped =
        TestServer::file(QByteArray(list).replace("BASE", m_http.base().toUtf8() + "/pkg"));
    dripped.chunkBytes = 8;
    dripped.chunkDelayMs = 100; // progress enough, but 2.5 s for the list
    if (has("drip")) {
        server.setRoute("/en/download/" + QByteArray(UpdateCheck::listFileName()), dripped);
        settings.minimumProgress = 1;
        settings.listDeadlineMs = 1500;
    }
    if (signs) {
        settings.publicKey = QByteArray(32, '\0');
        size_t size = 32;
        QVERIFY(EVP_PKEY_get_raw_public_key(
                    m_key.get(), reinterpret_cast<unsigned char *>(settings.publicKey.data()), &size) == 1);
    }
    m_http.requestedPaths.clear();
    server.requestedPaths.clear();
    std::optional<Outcome> second; // of picking the menu entry again while the package downloads
    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [&] {
        if (has("again") && !second && m_http.requestedPaths.size() == 2)
            second = UpdateCheck::checkForNewVersion(nullptr, 0, settings).outcome;
    });
    timer.start(10);
    const UpdateCheck::Result result = UpdateCheck::checkForNewVersion(nullptr, has("zh") ? 1 : 0, settings);
    QCoreApplication::removeTranslator(&chinese);

    QCOMPARE(result.outcome, outcome);
    QCOMPARE(second, has("again") ? std::optional<Outcome>(O::Busy) : std::nullopt);
    QVERIFY2(dialogs.last()->text.startsWith(text), qPrintable(dialogs.last()->text));
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message),
             (has("ignore") && !has("own") ? 1 : 0) + (outcome >= Outcome::PackageFailed ? 2 : 1));
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Directory),
             outcome >= Outcome::Declined && has("ok") ? 1 : 0);
    QVERIFY(QDir(tempRoot.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    const QStringList got =
        QDir(target.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(got.join(QString()), saved.section(QLatin1Char(':'), 0, 0));
    if (outcome < Outcome::PackageFailed && !has("own")) // a signature is fetched; a package never
        QCOMPARE(server.requestedPaths.size(), signs ? 2 : 1);
    if (outcome != Outcome::Downloaded)
        return;
    QCOMPARE(result.packagePath, target.filePath(got.value(0)));
    QFile file(result.packagePath);
    QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll().startsWith(saved.section(": ", 1).toUtf8()));
    const QString unsignedNote = has("zh")
                                     ? QStringLiteral("\n\n签名：未检查（此版本没有密钥）。")
                                     : QStringLiteral("\n\nSignature: not checked (this build has no key).");
    QCOMPARE(dialogs.last()->text,
             text + QDir::toNativeSeparators(result.packagePath) + (signs ? "" : unsignedNote));
    QCOMPARE(dialogs.openedUrls,
             has("open") ? QList<QUrl>{QUrl::fromLocalFile(target.path())} : QList<QUrl>());
}

void TestUpdateCheck::commandLine_data()
{
    // BASE and HTTPS stand for the list's base, DIR for the folder; "SIGTERM" sends that signal once
    // the package is on its way, "stale" plants the folders of a killed run and of a live one.
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QByteArray>("old"); // Tool_V3.0.04.zip there before, if not null
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");     // standard output, or how standard error starts (status 1, 6)
    QTest::addColumn<QByteArray>("package"); // Tool_V3.0.04.zip afterwards (null: none)
    const QByteArray none, english = "english package";
    const QString lines = QStringLiteral(
        "version 3.0.04\ncurrent 3.0.03\nnewer yes\nsignature: not checked (this build has no key)\n");
    const QString saved = lines + QStringLiteral("saved DIR/Tool_V3.0.04.zip\n");
    const auto row = [](const char *tag, const QString &arguments, const QByteArray &old, int status,
                        const QString &output, const QByteArray &package) {
        QTest::newRow(tag) << arguments << old << status << output << package;
    };
    row("newer, not fetched", "--base BASE", none, 10, lines, none);
    row("downloaded", "--base=BASE --download DIR --sha256 " + QString::fromLatin1(m_sha), none, 0, saved,
        english);
    row("target exists", "--base BASE --download DIR", "old", 4, lines, "old");
    row("target replaced", "--overwrite --base BASE --download DIR", "old", 0, saved, english);
    row("certificate error, nobody asked", "--base HTTPS --download DIR", none, 6,
        "Error: Download failed: The certificate is self-signed", none);
    row("bad usage", "--base BASE --sha256 12", none, 1, "tickforge-cli: update: --sha256 needs", none);
    row("stopped by SIGTERM, nothing left", "--base BASE --download DIR SIGTERM", none, 143,
        "tickforge-cli: update: stopped by a signal", none);
    row("stale folder of a killed run", "--base BASE stale", none, 10, lines, none);
}

void TestUpdateCheck::commandLine()
{
    QFETCH(QString, arguments);
    QFETCH(QByteArray, old);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QByteArray, package);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("Tool_V3.0.04.zip")));
    QVERIFY(old.isNull() || (file.open(QIODevice::WriteOnly) && file.write(old) == 3));
    file.close();
    const bool stop = arguments.contains(QLatin1String(" SIGTERM")), stale = arguments.endsWith(" stale");
    arguments.remove(QStringLiteral(" SIGTERM")).remove(QStringLiteral(" stale"));
    serve(m_http,
          list("3.0.04", stop ? "<URLEN>BASE/en/Slower.zip</URLEN>" : "<URLEN>BASE/en/Tool.zip</URLEN>"));
    serve(m_https, list("3.0.04"));
    QTemporaryDir tempRoot; // the tool's temporary folder
    QProcess gone;          // a process that has ended names the killed run
    gone.start(QStringLiteral("true"), QStringList());
    QVERIFY(gone.waitForStarted());
    const QString dead = QStringLiteral("tickforge-update-%1-AbCdEf").arg(gone.processId());
    QVERIFY(gone.waitForFinished());
    const QString live = QStringLiteral("tickforge-update-%1-AbCdEf").arg(QCoreApplication::applicationPid());
    for (const QString &name : stale ? QStringList{dead, live} : QStringList()) {
        QVERIFY(QDir(tempRoot.path()).mkpath(name + QStringLiteral("/inner")));
        QVERIFY(!writeFile(tempRoot.filePath(name + QStringLiteral("/VelornDownloadResource.xml")), "x")
                     .isNull());
    }
    arguments.replace("BASE", m_http.base() + "/en/download")
        .replace("HTTPS", m_https.base() + "/en/download/")
        .replace("DIR", dir.path());
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), tempRoot.path());
    cli.setProcessEnvironment(environment);
    m_http.requestedPaths.clear();
    cli.start(QStringLiteral(TF_CLI_PATH), QStringList{QStringLiteral("update")} + arguments.split(' '));
    if (stop) {
        QTRY_VERIFY_WITH_TIMEOUT(m_http.requestedPaths.contains("/pkg/en/Slower.zip"), 30000);
        QTest::qWait(300); // some of it has arrived
        QCOMPARE(::kill(pid_t(cli.processId()), SIGTERM), 0);
    }
    QTRY_COMPARE_WITH_TIMEOUT(cli.state(), QProcess::NotRunning, 30000); // the servers answer meanwhile
    // Nothing of this run is left in the temporary folder, nor a killed run's folder.
    QCOMPARE(QDir(tempRoot.path()).entryList({QStringLiteral("tickforge*")}, QDir::AllEntries | QDir::Hidden),
             stale ? QStringList{live} : QStringList());
    QCOMPARE(cli.exitCode(), status);
    const QString text =
        status == 1 || status == 6 || status > 128 ? cli.readAllStandardError() : cli.readAllStandardOutput();
    QVERIFY2(text.startsWith(output.replace("DIR", dir.path())), qPrintable(text));
    QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), package);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
             package.isNull() ? 0 : 1);
}

// tf_sign's key and signature are what the program accepts, and it signs no
// list the program would refuse, nor overwrites a key.
void TestUpdateCheck::signingTool()
{
    QTemporaryDir dir;
    const auto sign = [&dir](const QStringList &arguments, QByteArray *output = nullptr) {
        QProcess tool;
        tool.setWorkingDirectory(dir.path());
        tool.start(QStringLiteral(TF_SIGN_PATH), arguments);
        const bool ended = tool.waitForFinished(30000);
        if (output)
            *output = tool.readAllStandardOutput();
        return ended && tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    };
    QByteArray printed;
    QCOMPARE(sign({"keypair", "key.pem"}, &printed), 0);
    const QByteArray key = QByteArray::fromBase64(printed.trimmed());
    QCOMPARE(key.size(), 32);
    QCOMPARE(sign({"keypair", "key.pem"}), 1);
    QByteArray again;
    QCOMPARE(sign({"public", "key.pem"}, &again), 0);
    QCOMPARE(again, printed);

    const QByteArray good =
        list("3.0.04", "<URLEN>u</URLEN><SHA256>" + m_sha + "</SHA256><Expires>2099-01-01</Expires>");
    QVERIFY(!writeFile(dir.filePath("good.xml"), good).isNull());
    QCOMPARE(sign({"sign", "key.pem", "good.xml"}), 0);
    QFile signature(dir.filePath("good.xml.sig"));
    QVERIFY(signature.open(QIODevice::ReadOnly));
    QCOMPARE(int(checkUpdateList(good, signature.readAll(), key, QDate(2026, 12, 6)).verdict),
             int(ListVerdict::Good));

    const int at = good.indexOf("<Entry><Name>Tickforge");
    const QByteArray entry = good.mid(at, good.indexOf("</VelornTool>") - at);
    const QByteArray expired = QByteArray(good).replace("2099-01-01", "2020-01-01"),
                     twice = QByteArray(good).replace("</VelornTool>", entry + "</VelornTool>");
    for (const QByteArray &refused : {expired, twice}) {
        QVERIFY(!writeFile(dir.filePath("bad.xml"), refused).isNull());
        QCOMPARE(sign({"sign", "key.pem", "bad.xml"}), 1);
        QVERIFY(!QFile::exists(dir.filePath("bad.xml.sig")));
    }
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"

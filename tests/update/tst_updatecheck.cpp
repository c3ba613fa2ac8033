#include "ScriptedDialogs.h"
#include "TableRows.h"
#include "TestHelpers.h"
#include "TestServer.h"
#include "UpdateCheck.h"
#include "VersionCheck.h"

#include <QtTest>

#include <csignal>
#include <memory>
#include <openssl/evp.h>
#include <optional>
#include <unistd.h>

using UpdateCheck::Outcome;

// The new-version check and its command-line twin against local servers,
// with scripted answers: a list that cannot be trusted or read fails with a
// message and leaves nothing behind.
class TestUpdateCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
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

    void check_data() { addTableRows("update_checks.tsv"); }
    void check()
    {
        QFETCH(QString, list);
        QFETCH(QString, setup);
        QFETCH(QString, outcomeName);
        QFETCH(QString, text);
        QFETCH(QString, saved);
        const QStringList outcomes{"Busy",          "ListFailed", "ListUnreadable", "SignatureFailed",
                                   "ListExpired",   "UpToDate",   "Declined",       "NotReplaced",
                                   "PackageFailed", "Downloaded"};
        const Outcome outcome = Outcome(outcomes.indexOf(outcomeName));
        const QString wrongSum = QString(m_sha.left(63)) + (m_sha.endsWith('0') ? "1" : "0");
        const QByteArray bytes = list == "NOT FOUND"       ? QByteArray()
                                 : list == "PNG SIGNATURE" ? QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)
                                 : list == "NESTED 40000 DEEP"
                                     ? QByteArray("<a>").repeated(40000) + QByteArray("</a>").repeated(40000)
                                     : list.replace("PADDING OF 1 MiB", QString(1 << 20, ' '))
                                           .replace("SUM but for its last digit", wrongSum)
                                           .replace("SUM", m_sha)
                                           .toUtf8();
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
        serve(server, bytes, has("signed") ? "good" : has("badsig") ? "bad" : "");
        // The built-in rules ("own") or those for a test server, at server's addresses.
        UpdateCheck::Settings settings = UpdateCheck::defaultSettings();
        settings.englishBase = server.base() + QStringLiteral("/en/download/");
        settings.chineseBase = server.base() + QStringLiteral("/zh/download/");
        settings.tempRoot = tempRoot.path();
        settings.inactivityTimeoutMs = 5000;
        settings.today = QDate(2026, 12, 6);
        settings.httpsOnly = settings.httpsOnly && has("own");
        settings.certificatePrompt = settings.certificatePrompt || !has("own");
        TestServer::Route dripped =
            TestServer::file(QByteArray(bytes).replace("BASE", m_http.base().toUtf8() + "/pkg"));
        dripped.chunkBytes = 8;
        dripped.chunkDelayMs = 50; // progress enough, but over 1 s for the list
        if (has("drip")) {
            server.setRoute("/en/download/" + QByteArray(UpdateCheck::listFileName()), dripped);
            settings.minimumProgress = 1;
            settings.listDeadlineMs = 500;
        }
        if (signs) {
            settings.publicKey = QByteArray(32, '\0');
            size_t size = 32;
            QVERIFY(EVP_PKEY_get_raw_public_key(m_key.get(),
                                                reinterpret_cast<unsigned char *>(settings.publicKey.data()),
                                                &size) == 1);
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
        const UpdateCheck::Result result =
            UpdateCheck::checkForNewVersion(nullptr, has("zh") ? 1 : 0, settings);
        QCoreApplication::removeTranslator(&chinese);

        QCOMPARE(result.outcome, outcome);
        QCOMPARE(second, has("again") ? std::optional<Outcome>(Outcome::Busy) : std::nullopt);
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
        const QString unsignedNote =
            has("zh") ? QStringLiteral("\n\n签名：未检查（此版本没有密钥）。")
                      : QStringLiteral("\n\nSignature: not checked (this build has no key).");
        QCOMPARE(dialogs.last()->text,
                 text + QDir::toNativeSeparators(result.packagePath) + (signs ? "" : unsignedNote));
        QCOMPARE(dialogs.last()->extraButtons.value(0),
                 has("zh") ? QStringLiteral(" 打开文件夹  ") : " Open Folder  ");
        QCOMPARE(dialogs.openedUrls,
                 has("open") ? QList<QUrl>{QUrl::fromLocalFile(target.path())} : QList<QUrl>());
    }

    void commandLine_data() { addTableRows("update_commandline.tsv"); }
    void commandLine()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, old);
        QFETCH(int, status);
        QFETCH(QString, output);
        QFETCH(QString, package);
        arguments.replace("SUM", m_sha);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("Tool_V3.0.04.zip")));
        QVERIFY(old.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(old.toUtf8()) == 3));
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
        const QString live =
            QStringLiteral("tickforge-update-%1-AbCdEf").arg(QCoreApplication::applicationPid());
        const QString foreign = QString(dead).replace("AbCdEf", "Other");
        for (const QString &name : stale ? QStringList{dead, live, foreign} : QStringList()) {
            QVERIFY(QDir(tempRoot.path()).mkpath(name + QStringLiteral("/inner")));
            QVERIFY(!writeFile(tempRoot.filePath(name + QStringLiteral("/VelornDownloadResource.xml")), "x")
                         .isNull());
        }
        // Root can give a killed run's folder to another user, whose folders are never ours to remove.
        QStringList kept = stale ? QStringList{live} : QStringList();
        if (stale && ::geteuid() == 0 && ::chown(qPrintable(tempRoot.filePath(foreign)), 65534, 65534) == 0)
            kept << foreign;
        kept.sort();
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
        QCOMPARE(
            QDir(tempRoot.path()).entryList({QStringLiteral("tickforge*")}, QDir::AllEntries | QDir::Hidden),
            kept);
        QCOMPARE(cli.exitCode(), status);
        const QString text = status == 1 || status == 6 || status > 128 ? cli.readAllStandardError()
                                                                        : cli.readAllStandardOutput();
        QVERIFY2(text.startsWith(output.replace("DIR", dir.path())), qPrintable(text));
        QCOMPARE(file.open(QIODevice::ReadOnly) ? QString(file.readAll()) : QString(), package);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                 package.isEmpty() ? 0 : 1);
    }

    // tf_sign's key and signature are what the program accepts, and it signs no
    // list the program would refuse, nor overwrites a key.
    void signingTool()
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
    TestServer m_http;
    TestServer m_https{true};
    std::unique_ptr<EVP_PKEY, void (*)(EVP_PKEY *)> m_key{nullptr, EVP_PKEY_free}; // the test's own
    QByteArray m_sha = QCryptographicHash::hash("english package", QCryptographicHash::Sha256).toHex();
};

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"

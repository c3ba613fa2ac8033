#include "ScriptedDialogs.h"
#include "SmallDisk.h"
#include "TableRows.h"
#include "TestHelpers.h"
#include "TestServer.h"
#include "UpdateCheck.h"

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
        QVERIFY(m_http.start() && m_https.start());
        QVERIFY(TestServer::setRoutes(TF_TEST_TABLES "/update_routes.tsv", m_http, m_https));
        EVP_PKEY_CTX *context = EVP_PKEY_CTX_new_id(EVP_PKEY_ED25519, nullptr);
        EVP_PKEY *key = nullptr;
        size_t size = 32;
        QVERIFY(EVP_PKEY_keygen_init(context) == 1 && EVP_PKEY_keygen(context, &key) == 1);
        EVP_PKEY_CTX_free(context);
        m_key.reset(key);
        QVERIFY(EVP_PKEY_get_raw_public_key(key, reinterpret_cast<unsigned char *>(m_public.data()), &size) ==
                1);
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
                                   "PackageFailed", "NotSaved",   "Downloaded"};
        const Outcome outcome = Outcome(outcomes.indexOf(outcomeName));
        const QByteArray bytes = list == "NOT FOUND"       ? QByteArray()
                                 : list == "PNG SIGNATURE" ? QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)
                                 : list == "NESTED 40000 DEEP"
                                     ? QByteArray("<a>").repeated(40000) + QByteArray("</a>").repeated(40000)
                                     : list.replace("PADDING OF 1 MiB", QString(1 << 20, ' ')).toUtf8();
        const auto has = [words = setup.split(QLatin1Char(' '))](const char *word) {
            return words.contains(QLatin1String(word));
        };
        QTemporaryDir tempRoot, target;
        // "full-disk": the package's folder is a full disk; "full-temp": the temporary folder is.
        std::unique_ptr<SmallDisk> disk;
        if (has("full-disk") || has("full-temp")) {
            disk.reset(new SmallDisk(has("full-disk") ? target.path() : tempRoot.path(), 256 * 1024));
            if (!disk->isMounted())
                QSKIP(qPrintable(disk->reason()));
            QVERIFY(disk->fill());
        }
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
        settings.englishBase = server.base() + (has("drip") ? "/drip/" : "/en/download/");
        settings.chineseBase = server.base() + QStringLiteral("/zh/download/");
        settings.tempRoot = tempRoot.path();
        settings.inactivityTimeoutMs = 5000;
        settings.today = QDate(2026, 12, 6);
        settings.httpsOnly = settings.httpsOnly && has("own");
        settings.certificatePrompt = settings.certificatePrompt || !has("own");
        if (has("drip")) {                // progress enough, but over 1 s for the list
            settings.minimumProgress = 1; // 8 bytes a period is then progress enough
            settings.inactivityTimeoutMs = 200;
            settings.listDeadlineMs = 500;
        }
        settings.publicKey = signs ? m_public : QByteArray();
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
        if (disk)
            disk->empty();

        QCOMPARE(result.outcome, outcome);
        QCOMPARE(second, has("again") ? std::optional<Outcome>(Outcome::Busy) : std::nullopt);
        const QString shown = dialogs.last()->text; // a download's all, another's start
        text.replace("PATH", QDir::toNativeSeparators(result.packagePath));
        // "...": any text between its start and its end.
        const QString start = text.section(QStringLiteral("..."), 0, 0),
                      end =
                          text.contains(QLatin1String("...")) ? text.section(QStringLiteral("..."), -1) : "";
        QVERIFY2(outcome == Outcome::Downloaded ? shown == text
                                                : shown.startsWith(start) && shown.endsWith(end),
                 qPrintable(shown));
        const bool questionAsked = outcome >= Outcome::Declined && !has("full-temp");
        QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message),
                 (has("ignore") && !has("own") ? 1 : 0) +
                     (outcome >= Outcome::PackageFailed && questionAsked ? 2 : 1));
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
        QTemporaryDir dir, tempRoot; // the package's folder, the tool's temporary folder
        QFile file(dir.filePath(QStringLiteral("Tool_V3.0.04.zip")));
        const bool stop = arguments.contains(QLatin1String(" SIGTERM")), stale = arguments.endsWith(" stale"),
                   full = arguments.endsWith(QLatin1String(" full-disk"));
        arguments.remove(QStringLiteral(" SIGTERM")).remove(QStringLiteral(" stale"));
        arguments.remove(QStringLiteral(" full-disk"));
        std::unique_ptr<SmallDisk> disk; // DIR on a full disk of 256 KiB
        if (full) {
            disk.reset(new SmallDisk(dir.path(), 256 * 1024));
            if (!disk->isMounted())
                QSKIP(qPrintable(disk->reason()));
        }
        QVERIFY(old.isEmpty() || !writeFile(file.fileName(), old.toUtf8()).isNull());
        QVERIFY(!disk || disk->fill());
        // The product's entry, after another tool's with a newer version.
        const QByteArray list =
            "<Root><VelornTool><Entry><Version>9.0.0</Version><Name>Tickwork</Name></Entry>"
            "<Entry><Name>Tickforge</Name><Version>3.0.04</Version><URLEN>BASE/en/Tool.zip"
            "</URLEN><URL>BASE/zh/Tool.zip</URL></Entry></VelornTool></Root>";
        serve(m_http, stop ? QByteArray(list).replace("/en/Tool", "/en/Slower") : list);
        serve(m_https, list);
        // The killed run's process id is above any the system hands out.
        const QString dead = QStringLiteral("tickforge-update-2147483646-AbCdEf");
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
        if (disk)
            disk->empty();
        // Nothing of this run is left in the temporary folder, nor a killed run's folder.
        QCOMPARE(
            QDir(tempRoot.path()).entryList({QStringLiteral("tickforge*")}, QDir::AllEntries | QDir::Hidden),
            kept);
        QCOMPARE(cli.exitCode(), status);
        const QString text = QString(cli.readAllStandardOutput() + cli.readAllStandardError());
        QVERIFY2(text.startsWith(output.replace("DIR", dir.path())), qPrintable(text));
        QCOMPARE(file.open(QIODevice::ReadOnly) ? QString(file.readAll()) : QString(), package);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                 package.isEmpty() ? 0 : 1);
    }

    // A run killed outright (SIGKILL) while the package's name is a link
    // leaves its folder beside it; the next run into that folder removes it,
    // whatever its own package is.
    void killedRun()
    {
        QTemporaryDir dir, outside;
        const QString link = dir.filePath(QStringLiteral("Slower_V3.0.04.zip"));
        QVERIFY(!writeFile(outside.filePath(QStringLiteral("Target.zip")), "elsewhere").isNull());
        QVERIFY(QFile::link(outside.filePath(QStringLiteral("Target.zip")), link));
        const QByteArray list = "<Root><VelornTool><Entry><Name>Tickforge</Name><Version>3.0.04</Version>"
                                "<URLEN>BASE/en/Slower.zip</URLEN><URL>BASE/zh/Tool.zip</URL></Entry>"
                                "</VelornTool></Root>";
        const QStringList arguments{
            QStringLiteral("update"),     QStringLiteral("--overwrite"),
            QStringLiteral("--base"),     m_http.base() + QStringLiteral("/en/download"),
            QStringLiteral("--download"), dir.path()};
        const auto leftovers = [&dir] {
            return QDir(dir.path())
                .entryList({QStringLiteral(".tickforge-*")}, QDir::Dirs | QDir::Hidden)
                .size();
        };
        serve(m_http, list);
        m_http.requestedPaths.clear();
        QProcess killed;
        killed.start(QStringLiteral(TF_CLI_PATH), arguments);
        QTRY_VERIFY_WITH_TIMEOUT(m_http.requestedPaths.contains("/pkg/en/Slower.zip"), 30000);
        QTest::qWait(300); // some of it has arrived
        killed.kill();
        QVERIFY(killed.waitForFinished(10000));
        QCOMPARE(leftovers(), 1);

        serve(m_http, QByteArray(list).replace("/en/Slower", "/en/Tool"));
        QProcess next;
        next.start(QStringLiteral(TF_CLI_PATH), arguments);
        QTRY_COMPARE_WITH_TIMEOUT(next.state(), QProcess::NotRunning, 30000);
        QCOMPARE(next.exitCode(), 0);
        QCOMPARE(leftovers(), 0);
        // The next run's package is another: the folder goes whatever its target.
        QFile saved(dir.filePath(QStringLiteral("Tool_V3.0.04.zip")));
        QVERIFY(saved.open(QIODevice::ReadOnly) && saved.readAll() == "english package");
        QVERIFY(QFileInfo(link).isSymLink());
        QFile target(outside.filePath(QStringLiteral("Target.zip")));
        QVERIFY(target.open(QIODevice::ReadOnly) && target.readAll() == "elsewhere");
    }

private:
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
    QByteArray m_public = QByteArray(32, '\0');                                    // its raw public key
};

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"

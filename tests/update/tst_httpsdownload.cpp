#include "HttpsDownload.h"
#include "ProgressDialog.h"
#include "ScriptedDialogs.h"
#include "TestServer.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// Downloads from HTTP and HTTPS servers on 127.0.0.1: naming, progress, and
// every way a transfer can fail without leaving a partial or lost file.
class TestHttpsDownload : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void savesFileAndShowsProgress();
    void fileNaming_data();
    void fileNaming();
    void invalidAddress_data();
    void invalidAddress();
    void transfer_data();
    void transfer();
    void cancelMidTransfer_data();
    void cancelMidTransfer();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void overwriteQuestionOnRealDialog();
    void unwritableDirectory();

private:
    // Downloads address into the test folder; path receives the saved file.
    bool fetch(HttpsDownload &download, const QString &address, QString *path = nullptr,
               const QString &suffix = QString())
    {
        QString saved = m_dir->path();
        const bool ok = download.download(address, saved, suffix);
        if (path)
            *path = saved;
        return ok;
    }
    QString target(const QString &name) const { return m_dir->filePath(name); }
    QStringList entries() const
    {
        return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    bool writeOldFile() const
    {
        QFile file(target(QStringLiteral("Tool.zip")));
        return file.open(QIODevice::WriteOnly) && file.write("old") == 3;
    }
    // An old Tool.zip that a failed download must keep; the overwrite
    // question is answered with Ok.
    bool keepOldFile(ScriptedDialogs &dialogs) const
    {
        dialogs.answerButton(QMessageBox::Ok);
        return writeOldFile();
    }
    void checkOldFile(bool kept)
    {
        if (kept)
            QCOMPARE(readAll(target(QStringLiteral("Tool.zip"))), QByteArray("old"));
        QCOMPARE(entries(), kept ? QStringList{QStringLiteral("Tool.zip")} : QStringList());
    }
    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static ProgressDialog *visibleProgressDialog()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<ProgressDialog *>(widget); dialog && dialog->isVisible())
                return dialog;
        }
        return nullptr;
    }

    TestServer m_http;
    TestServer m_https{true};
    TestServer m_other;
    QScopedPointer<QTemporaryDir> m_dir;
    QByteArray m_body;
};

void TestHttpsDownload::initTestCase()
{
    QVERIFY(m_http.start());
    QVERIFY(m_other.start());
    QVERIFY2(QSslSocket::supportsSsl(), "TLS support is needed for the HTTPS tests");
    QVERIFY(m_https.start());

    m_body = TestServer::pattern(0, 300 * 1000);
    for (TestServer *server : {&m_http, &m_https, &m_other}) {
        server->setRoute("/pkg/Tool.zip", TestServer::file(m_body));
        server->setRoute("/pkg/Tool_V3.0.04.zip", TestServer::file("versioned"));
        server->setRoute("/pkg/Tool", TestServer::file("plain"));
        server->setRoute("/pkg/pkg.tar.gz", TestServer::file("tarball"));
        server->setRoute("/pkg/My%20Tool.zip", TestServer::file("spaced"));
        server->setRoute("/pkg/..%2F..%2FTool.zip", TestServer::file("escaped"));
    }
    TestServer::Route auth = TestServer::file("who are you");
    auth.status = 401;
    auth.headers.append(qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Basic realm=\"private\"")));
    m_http.setRoute("/auth/Tool.zip", auth);

    // /hop/<n>/Tool.zip redirects n times (relative Locations) before the file.
    m_http.setRoute("/hop/0/Tool.zip", TestServer::file(m_body));
    for (int n = 1; n <= 11; ++n)
        m_http.setRoute("/hop/" + QByteArray::number(n) + "/Tool.zip",
                        TestServer::redirect("../" + QByteArray::number(n - 1) + "/Tool.zip"));
    m_http.setRoute("/loop/Tool.zip", TestServer::redirect("/loop/Tool.zip"));
    m_http.setRoute("/abs/Tool.zip", TestServer::redirect(m_other.base().toUtf8() + "/pkg/Tool.zip", 301));
    m_http.setRoute("/temp/Tool.zip", TestServer::redirect("/pkg/Tool.zip", 307));
    m_http.setRoute("/toftp/Tool.zip", TestServer::redirect("ftp://127.0.0.1/Tool.zip"));
    m_https.setRoute("/tohttp/Tool.zip", TestServer::redirect(m_http.base().toUtf8() + "/pkg/Tool.zip"));

    TestServer::Route stall = TestServer::file(m_body);
    stall.stallAfter = 1000;
    m_http.setRoute("/stall/Tool.zip", stall);
    TestServer::Route endless;
    endless.generated = qint64(1) << 40;
    endless.announceLength = false;
    m_http.setRoute("/endless/Tool.zip", endless);
    TestServer::Route huge;
    huge.generated = 4 * 1024 * 1024;
    m_http.setRoute("/huge/Tool.zip", huge);
    TestServer::Route slow;
    slow.generated = 50 * 1000 * 1000;
    slow.chunkDelayMs = 20;
    m_http.setRoute("/slow/Tool.zip", slow);
    TestServer::Route paced;
    paced.generated = 2 * 1024 * 1024;
    paced.chunkDelayMs = 5;
    m_http.setRoute("/paced/Tool.zip", paced);
}

void TestHttpsDownload::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    for (TestServer *server : {&m_http, &m_https, &m_other})
        server->requestedPaths.clear();
}

void TestHttpsDownload::cleanup()
{
    QTRY_COMPARE_WITH_TIMEOUT(visibleProgressDialog(), static_cast<ProgressDialog *>(nullptr), 2000);
    m_dir.reset();
}

void TestHttpsDownload::savesFileAndShowsProgress()
{
    ScriptedDialogs dialogs;
    QString title, label;
    int maximum = 0, value = 0;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (ProgressDialog *dialog = visibleProgressDialog()) {
            title = dialog->windowTitle();
            label = dialog->findChild<QLabel *>()->text();
            maximum = qMax(maximum, dialog->maximum());
            value = qMax(value, dialog->value());
        }
    });
    watch.start(10);

    HttpsDownload download(nullptr);
    QString path;
    const QString address = m_http.base() + QStringLiteral("/paced/Tool.zip");
    QVERIFY(fetch(download, address, &path));
    watch.stop();

    QCOMPARE(path, target(QStringLiteral("Tool.zip")));
    QCOMPARE(readAll(path), TestServer::pattern(0, 2 * 1024 * 1024));
    QCOMPARE(entries(), QStringList{QStringLiteral("Tool.zip")});
    QCOMPARE(dialogs.requests.size(), 0);
    QCOMPARE(title, QStringLiteral("Download Progress"));
    QCOMPARE(label, QStringLiteral("Downloading ") + address + QLatin1Char('.'));
    QCOMPARE(maximum, 2 * 1024 * 1024);
    QVERIFY(value > 0);
}

void TestHttpsDownload::fileNaming_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("savedAs");
    QTest::addColumn<QByteArray>("content");
    const QString base = m_http.base();
    const auto row = [&](const char *tag, const QString &path, const char *suffix, const char *savedAs,
                         const QByteArray &content) {
        QTest::newRow(tag) << base + path << suffix << savedAs << content;
    };
    row("suffix goes before the extension", "/pkg/Tool.zip", "3.0.04", "Tool_V3.0.04.zip", m_body);
    row("name with its version kept", "/pkg/Tool_V3.0.04.zip", "", "Tool_V3.0.04.zip", "versioned");
    row("no extension gets a trailing dot", "/pkg/Tool", "3.0.04", "Tool_V3.0.04.", "plain");
    row("only the last extension moves", "/pkg/pkg.tar.gz", "1.2.3", "pkg.tar_V1.2.3.gz", "tarball");
    row("name is decoded", "/pkg/My%20Tool.zip", "", "My Tool.zip", "spaced");
    row("encoded slashes cannot leave the directory", "/pkg/..%2F..%2FTool.zip", "", "Tool.zip", "escaped");
    QTest::newRow("surrounding spaces accepted")
        << "  " + base + "/pkg/Tool.zip \t" << QString() << "Tool.zip" << m_body;
}

void TestHttpsDownload::fileNaming()
{
    QFETCH(QString, address);
    QFETCH(QString, suffix);
    QFETCH(QString, savedAs);
    QFETCH(QByteArray, content);

    ScriptedDialogs dialogs;
    HttpsDownload download(nullptr);
    QString path;
    QVERIFY(fetch(download, address, &path, suffix));
    QCOMPARE(path, target(savedAs));
    QCOMPARE(readAll(path), content);
    QCOMPARE(entries(), QStringList{savedAs});
    QCOMPARE(dialogs.requests.size(), 0);
}

void TestHttpsDownload::invalidAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("suffix");
    const QString base = m_http.base();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("spaces only") << "   " << QString();
    QTest::newRow("ends in a slash") << base + "/pkg/" << QString();
    QTest::newRow("host only") << base << QString();
    QTest::newRow("dot-dot name") << base + "/pkg/.." << QString();
    QTest::newRow("encoded backslash") << base + "/pkg/..%5Cevil.zip" << QString();
    QTest::newRow("suffix with a separator") << base + "/pkg/Tool.zip"
                                             << "1/../../x";
    QTest::newRow("not http") << "ftp://127.0.0.1/pkg/Tool.zip" << QString();
    QTest::newRow("local file") << "file:///etc/hostname" << QString();
}

void TestHttpsDownload::invalidAddress()
{
    QFETCH(QString, address);
    QFETCH(QString, suffix);

    ScriptedDialogs dialogs;
    HttpsDownload download(nullptr);
    QVERIFY(!fetch(download, address, nullptr, suffix));
    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(dialogs.last()->icon, QMessageBox::Critical);
    QCOMPARE(dialogs.last()->title, QStringLiteral("Error"));
    QCOMPARE(dialogs.last()->text, QStringLiteral("Invalid URL : ") + address);
    QCOMPARE(dialogs.last()->buttonLabels, QStringList{QStringLiteral("Ok")});
    QVERIFY(entries().isEmpty());
    QVERIFY(m_http.requestedPaths.isEmpty());
    QVERIFY(!QFile::exists(QDir(m_dir->path()).filePath(QStringLiteral("../evil.zip"))));
}

void TestHttpsDownload::transfer_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("oldFile");
    QTest::addColumn<int>("answer"); // to the SSL question
    QTest::addColumn<QString>("sha256");
    QTest::addColumn<QString>("failure"); // the reason after "Download failed: "; "?" any; empty: success

    const QString http = m_http.base(), https = m_https.base();
    const QString tooMany = QStringLiteral("The server redirected too many times.");
    const QString tooBig = QStringLiteral("The file exceeds the size limit.");
    const QString sha =
        QString::fromLatin1(QCryptographicHash::hash(m_body, QCryptographicHash::Sha256).toHex());
    const auto row = [](const QString &tag, const QString &address, bool old, int answer,
                        const QString &sha256, const QString &failure) {
        QTest::newRow(qPrintable(tag)) << address << old << answer << sha256 << failure;
    };
    for (const bool old : {false, true}) {
        const QString kept = old ? QStringLiteral(" (old file kept)") : QString();
        row("not found" + kept, http + "/missing/Tool.zip", old, 0, "", "?");
        row("authentication refused" + kept, http + "/auth/Tool.zip", old, 0, "", "?");
        row("redirect loop" + kept, http + "/loop/Tool.zip", old, 0, "", tooMany);
        row("stalled server" + kept, http + "/stall/Tool.zip", old, 0, "", "The connection timed out.");
        row("endless body" + kept, http + "/endless/Tool.zip", old, 0, "", tooBig);
        row("SSL errors ignored" + kept, https + "/pkg/Tool.zip", old, QMessageBox::Ignore, "", "");
        row("SSL errors abort" + kept, https + "/pkg/Tool.zip", old, QMessageBox::Abort, "", "?");
        row("checksum mismatch" + kept, http + "/pkg/Tool.zip", old, 0, QString(64, 'a'),
            "The file does not match its SHA-256 checksum.");
    }
    row("eleven hops", http + "/hop/11/Tool.zip", false, 0, "", tooMany);
    row("announced size over the cap", http + "/huge/Tool.zip", false, 0, "", tooBig);
    row("redirect to another scheme", http + "/toftp/Tool.zip", false, 0, "",
        "Refused a redirect to an unsupported address.");
    row("https to http", https + "/tohttp/Tool.zip", false, QMessageBox::Ignore, "",
        "Refused a redirect from HTTPS to an insecure address.");
    row("relative redirect chain", http + "/hop/3/Tool.zip", false, 0, "", "");
    row("ten hops is the limit", http + "/hop/10/Tool.zip", false, 0, "", "");
    row("absolute redirect to another server", http + "/abs/Tool.zip", false, 0, "", "");
    row("temporary redirect", http + "/temp/Tool.zip", false, 0, "", "");
    row("checksum matches", http + "/pkg/Tool.zip", false, 0, sha, "");
    row("checksum in upper case with spaces", http + "/pkg/Tool.zip", false, 0, " " + sha.toUpper() + "\n",
        "");
    row("not a checksum", http + "/pkg/Tool.zip", false, 0, "1234",
        "The expected SHA-256 checksum is not valid.");
}

void TestHttpsDownload::transfer()
{
    QFETCH(QString, address);
    QFETCH(bool, oldFile);
    QFETCH(int, answer);
    QFETCH(QString, sha256);
    QFETCH(QString, failure);

    ScriptedDialogs dialogs;
    QVERIFY(!oldFile || keepOldFile(dialogs));
    if (answer)
        dialogs.answerButton(QMessageBox::StandardButton(answer));
    // A fresh downloader each time: an earlier "Ignore" must not carry over.
    HttpsDownload download(nullptr);
    download.setInactivityTimeout(1000);
    download.setMaximumSize(1024 * 1024);
    if (!sha256.isEmpty())
        download.setExpectedSha256(sha256);
    QString saved;
    QCOMPARE(fetch(download, address, &saved), failure.isEmpty());

    int boxes = oldFile ? 1 : 0;
    if (address.startsWith(m_https.base())) {
        const ScriptedDialogs::Request &question = dialogs.requests.at(boxes++);
        QCOMPARE(question.icon, QMessageBox::Warning);
        QCOMPARE(question.title, QStringLiteral("SSL Errors"));
        const QString prefix = QStringLiteral("One or more SSL errors has occurred: \n");
        QVERIFY2(question.text.startsWith(prefix) && question.text.size() > prefix.size(),
                 qPrintable(question.text));
        QCOMPARE(question.buttonLabels, (QStringList{QStringLiteral("Ignore"), QStringLiteral("Abort")}));
    }
    if (failure.isEmpty()) {
        QCOMPARE(dialogs.requests.size(), boxes);
        QCOMPARE(saved, target(QStringLiteral("Tool.zip")));
        QCOMPARE(readAll(saved), m_body);
        QCOMPARE(entries(), QStringList{QStringLiteral("Tool.zip")});
        return;
    }
    QCOMPARE(dialogs.requests.size(), boxes + 1);
    QCOMPARE(dialogs.last()->icon, QMessageBox::Critical);
    QCOMPARE(dialogs.last()->title, QStringLiteral("Error"));
    const QString prefix = QStringLiteral("Download failed: ");
    QVERIFY2(dialogs.last()->text.startsWith(prefix) && dialogs.last()->text.size() > prefix.size(),
             qPrintable(dialogs.last()->text));
    if (failure != QLatin1String("?"))
        QCOMPARE(dialogs.last()->text, prefix + failure);
    checkOldFile(oldFile);
    if (address.startsWith(m_https.base() + QStringLiteral("/tohttp")))
        QVERIFY(m_http.requestedPaths.isEmpty());
    // A checksum applies to one download only.
    if (!sha256.isEmpty())
        QVERIFY(fetch(download, m_http.base() + QStringLiteral("/pkg/Tool_V3.0.04.zip")));
}

void TestHttpsDownload::cancelMidTransfer_data()
{
    QTest::addColumn<bool>("oldFile");
    QTest::newRow("new file") << false;
    QTest::newRow("old file kept") << true;
}

void TestHttpsDownload::cancelMidTransfer()
{
    QFETCH(bool, oldFile);

    ScriptedDialogs dialogs;
    QVERIFY(!oldFile || keepOldFile(dialogs));
    // Press Cancel on the progress dialog once some data has arrived.
    bool pressed = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        ProgressDialog *dialog = visibleProgressDialog();
        if (!pressed && dialog && dialog->value() > 0) {
            pressed = true;
            dialog->findChild<QPushButton *>()->click();
        }
    });
    watch.start(20);

    HttpsDownload download(nullptr);
    QVERIFY(!fetch(download, m_http.base() + QStringLiteral("/slow/Tool.zip")));
    QVERIFY(pressed);
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), oldFile ? 1 : 0);
    checkOldFile(oldFile);
}

void TestHttpsDownload::overwriteQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("declined") << int(QMessageBox::Cancel) << QByteArray("old");
    QTest::newRow("accepted") << int(QMessageBox::Ok) << m_body;
}

void TestHttpsDownload::overwriteQuestion()
{
    QFETCH(int, answer);
    QFETCH(QByteArray, content);

    QVERIFY(writeOldFile());
    ScriptedDialogs dialogs;
    dialogs.answerButton(QMessageBox::StandardButton(answer));
    HttpsDownload download(nullptr);
    const bool ok = fetch(download, m_http.base() + QStringLiteral("/pkg/Tool.zip"));
    QCOMPARE(ok, answer == QMessageBox::Ok);

    const QString name = target(QStringLiteral("Tool.zip"));
    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(dialogs.last()->icon, QMessageBox::Question);
    QCOMPARE(dialogs.last()->title, QStringLiteral("Overwrite Existing File"));
    QCOMPARE(dialogs.last()->text,
             name + QStringLiteral(" already exists in the current directory. Overwrite?"));
    QCOMPARE(dialogs.last()->buttonLabels, (QStringList{QStringLiteral("Ok"), QStringLiteral("Cancel")}));
    QCOMPARE(readAll(name), content);
    QCOMPARE(entries(), QStringList{QStringLiteral("Tool.zip")});
    QCOMPARE(m_http.requestedPaths.size(), ok ? 1 : 0);
}

void TestHttpsDownload::overwriteQuestionOnRealDialog()
{
    QVERIFY(writeOldFile());
    QString seenText;
    QTimer::singleShot(0, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            seenText = box->text();
            box->button(QMessageBox::Cancel)->click();
        }
    });
    HttpsDownload download(nullptr);
    QVERIFY(!fetch(download, m_http.base() + QStringLiteral("/pkg/Tool.zip")));
    QCOMPARE(seenText, target(QStringLiteral("Tool.zip")) +
                           QStringLiteral(" already exists in the current directory. Overwrite?"));
    checkOldFile(true);
}

void TestHttpsDownload::unwritableDirectory()
{
    // A directory that does not exist cannot take the file, whatever our rights.
    const QString missing = target(QStringLiteral("missing"));
    ScriptedDialogs dialogs;
    HttpsDownload download(nullptr);
    QString saved = missing;
    QVERIFY(!download.download(m_http.base() + QStringLiteral("/pkg/Tool.zip"), saved, QString()));
    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(dialogs.last()->title, QStringLiteral("Error"));
    QCOMPARE(dialogs.last()->text,
             QStringLiteral("Unable to save the file ") + missing + QStringLiteral("/Tool.zip"));
    QVERIFY(m_http.requestedPaths.isEmpty());
    QVERIFY(entries().isEmpty());
}

QTEST_MAIN(TestHttpsDownload)
#include "tst_httpsdownload.moc"

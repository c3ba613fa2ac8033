#include "HttpsDownload.h"
#include "ProgressDialog.h"
#include "ScriptedDialogs.h"
#include "TestHelpers.h"
#include "TestServer.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

// Downloads from HTTP and HTTPS servers on 127.0.0.1: naming, progress, and
// every way a transfer can fail without leaving a partial or lost file.
class TestHttpsDownload : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void savesFileAndShowsProgress();
    void download_data();
    void download();
    void cancelMidTransferKeepsTheOldFile();
    void overwriteQuestion_data();
    void overwriteQuestion();

private:
    QString target(const QString &name) const { return m_dir->filePath(name); }
    QStringList entries() const { return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden); }
    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static ProgressDialog *visibleProgress()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<ProgressDialog *>(widget); dialog && dialog->isVisible())
                return dialog;
        }
        return nullptr;
    }

    TestServer m_http;
    TestServer m_https{true};
    QScopedPointer<QTemporaryDir> m_dir;
    QByteArray m_body = TestServer::pattern(0, 300 * 1000);
};

void TestHttpsDownload::initTestCase()
{
    QVERIFY(m_http.start());
    QVERIFY2(QSslSocket::supportsSsl(), "TLS support is needed for the HTTPS tests");
    QVERIFY(m_https.start());
    for (TestServer *server : {&m_http, &m_https}) {
        for (const char *name : {"Tool.zip", "Tool_V3.0.04.zip", "..%2F..%2FTool.zip"})
            server->setRoute("/pkg/" + QByteArray(name), TestServer::file(m_body));
    }
    TestServer::Route auth = TestServer::file("who are you", 401);
    auth.headers.append(qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Basic realm=\"private\"")));
    m_http.setRoute("/auth/Tool.zip", auth);
    // /hop/<n>/Tool.zip redirects n times (relative Locations) before the file.
    m_http.setRoute("/hop/0/Tool.zip", TestServer::file(m_body));
    for (int n = 1; n <= 11; ++n)
        m_http.setRoute("/hop/" + QByteArray::number(n) + "/Tool.zip",
                        TestServer::redirect("../" + QByteArray::number(n - 1) + "/Tool.zip"));
    m_http.setRoute("/loop/Tool.zip", TestServer::redirect("/loop/Tool.zip"));
    m_http.setRoute("/abs/Tool.zip", TestServer::redirect(m_http.base().toUtf8() + "/hop/1/Tool.zip", 301));
    m_https.setRoute("/tohttp/Tool.zip", TestServer::redirect(m_http.base().toUtf8() + "/pkg/Tool.zip"));
    TestServer::Route stall = TestServer::file(m_body), endless, paced;
    stall.stallAfter = 1000;
    endless.generated = qint64(1) << 40;
    endless.announceLength = false;
    paced.generated = 2 * 1024 * 1024; // slow enough to watch and to cancel
    paced.chunkDelayMs = 20;
    m_http.setRoute("/stall/Tool.zip", stall);
    m_http.setRoute("/endless/Tool.zip", endless);
    m_http.setRoute("/paced/Tool.zip", paced);
}

void TestHttpsDownload::init()
{
    m_dir.reset(new QTemporaryDir);
    m_http.requestedPaths.clear();
}

void TestHttpsDownload::cleanup()
{
    QTRY_VERIFY_WITH_TIMEOUT(!visibleProgress(), 2000);
    m_dir.reset();
}

void TestHttpsDownload::savesFileAndShowsProgress()
{
    ScriptedDialogs dialogs;
    QString title, label;
    int maximum = 0, value = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [&] {
        if (ProgressDialog *dialog = visibleProgress()) {
            title = dialog->windowTitle();
            label = dialog->findChild<QLabel *>()->text();
            maximum = qMax(maximum, dialog->maximum());
            value = qMax(value, dialog->value());
        }
    });
    timer.start(10);
    HttpsDownload download(nullptr);
    QString path = m_dir->path();
    const QString address = m_http.base() + QStringLiteral("/paced/Tool.zip");
    QVERIFY(download.download(address, path, QString()));
    QCOMPARE(path, target(QStringLiteral("Tool.zip")));
    QCOMPARE(readAll(path), TestServer::pattern(0, 2 * 1024 * 1024));
    QCOMPARE(entries(), QStringList{QStringLiteral("Tool.zip")});
    QVERIFY(dialogs.requests.isEmpty());
    QCOMPARE(title, QStringLiteral("Download Progress"));
    QCOMPARE(label, QStringLiteral("Downloading ") + address + QLatin1Char('.'));
    QCOMPARE(maximum, 2 * 1024 * 1024);
    QVERIFY(value > 0);
}

void TestHttpsDownload::download_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("oldFile"); // an old Tool.zip is there; the overwrite question is answered Ok
    QTest::addColumn<int>("sslAnswer");
    QTest::addColumn<QString>("sha256");
    QTest::addColumn<QString>("result"); // "saved as <name>", or how the failure message starts

    const QString http = m_http.base(), https = m_https.base();
    const QString sha = QCryptographicHash::hash(m_body, QCryptographicHash::Sha256).toHex();
    const QString failed = QStringLiteral("Download failed: "), invalid = QStringLiteral("Invalid URL : ");
    const auto row = [](const char *tag, const QString &address, const char *suffix, bool old, int answer,
                        const QString &sha256, const QString &result) {
        QTest::newRow(tag) << address << suffix << old << answer << sha256 << result;
    };
    const int ignore = QMessageBox::Ignore, abort = QMessageBox::Abort;
    row("suffix goes before the extension", http + "/pkg/Tool.zip", "3.0.04", false, 0, "",
        "saved as Tool_V3.0.04.zip");
    row("name with its version kept", http + "/pkg/Tool_V3.0.04.zip", "", false, 0, "",
        "saved as Tool_V3.0.04.zip");
    row("encoded slashes stay in the name", http + "/pkg/..%2F..%2FTool.zip", "", false, 0, "",
        "saved as Tool.zip");
    row("surrounding spaces", "  " + http + "/pkg/Tool.zip \t", "", false, 0, "", "saved as Tool.zip");
    row("relative redirect chain", http + "/hop/3/Tool.zip", "", false, 0, "", "saved as Tool.zip");
    row("ten hops is the limit", http + "/hop/10/Tool.zip", "", false, 0, "", "saved as Tool.zip");
    row("absolute redirect", http + "/abs/Tool.zip", "", false, 0, "", "saved as Tool.zip");
    row("SSL errors ignored, old file", https + "/pkg/Tool.zip", "", true, ignore, "", "saved as Tool.zip");
    row("checksum in upper case with spaces", http + "/pkg/Tool.zip", "", false, 0,
        " " + sha.toUpper() + "\n", "saved as Tool.zip");
    row("spaces only", "   ", "", false, 0, "", invalid + "   ");
    row("ends in a slash", http + "/pkg/", "", false, 0, "", invalid + http + "/pkg/");
    row("dot-dot name", http + "/pkg/..", "", false, 0, "", invalid + http + "/pkg/..");
    row("suffix with a separator", http + "/pkg/Tool.zip", "1/../../x", false, 0, "", invalid + http);
    row("not found, old file kept", http + "/missing/Tool.zip", "", true, 0, "", failed);
    row("authentication refused", http + "/auth/Tool.zip", "", false, 0, "", failed);
    row("redirect loop, old file kept", http + "/loop/Tool.zip", "", true, 0, "",
        failed + "The server redirected too many times.");
    row("eleven hops", http + "/hop/11/Tool.zip", "", false, 0, "",
        failed + "The server redirected too many times.");
    row("https to http", https + "/tohttp/Tool.zip", "", false, ignore, "",
        failed + "Refused a redirect from HTTPS to an insecure address.");
    row("stalled server, old file kept", http + "/stall/Tool.zip", "", true, 0, "",
        failed + "The connection timed out.");
    row("endless body", http + "/endless/Tool.zip", "", false, 0, "",
        failed + "The file exceeds the size limit.");
    row("SSL errors abort, old file kept", https + "/pkg/Tool.zip", "", true, abort, "", failed);
    row("checksum mismatch, old file kept", http + "/pkg/Tool.zip", "", true, 0, QString(64, 'a'),
        failed + "The file does not match its SHA-256 checksum.");
}

void TestHttpsDownload::download()
{
    QFETCH(QString, address);
    QFETCH(QString, suffix);
    QFETCH(bool, oldFile);
    QFETCH(int, sslAnswer);
    QFETCH(QString, sha256);
    QFETCH(QString, result);
    ScriptedDialogs dialogs;
    if (oldFile) {
        QVERIFY(!writeFile(target(QStringLiteral("Tool.zip")), "old").isNull());
        dialogs.answerButton(QMessageBox::Ok);
    }
    if (sslAnswer)
        dialogs.answerButton(QMessageBox::StandardButton(sslAnswer));
    HttpsDownload download(nullptr); // a fresh one each time: an earlier "Ignore" must not carry over
    download.setInactivityTimeout(1000);
    download.setMaximumSize(1024 * 1024);
    download.setExpectedSha256(sha256);
    QString saved = m_dir->path();
    const QString savedAs = result.startsWith(QLatin1String("saved as ")) ? result.mid(9) : QString();
    QCOMPARE(download.download(address, saved, suffix), !savedAs.isEmpty());

    int boxes = oldFile ? 1 : 0;
    if (sslAnswer) {
        const ScriptedDialogs::Request &question = dialogs.requests.at(boxes++);
        QCOMPARE(question.title, QStringLiteral("SSL Errors"));
        QVERIFY2(question.text.startsWith(QStringLiteral("One or more SSL errors has occurred: \n")) &&
                     question.text.size() > 40,
                 qPrintable(question.text));
        QCOMPARE(question.buttonLabels, (QStringList{QStringLiteral("Ignore"), QStringLiteral("Abort")}));
    }
    if (!savedAs.isEmpty()) {
        QCOMPARE(dialogs.requests.size(), boxes);
        QCOMPARE(saved, target(savedAs));
        QCOMPARE(readAll(saved), m_body);
        QCOMPARE(entries(), QStringList{savedAs});
    } else {
        QCOMPARE(dialogs.requests.size(), boxes + 1);
        QCOMPARE(dialogs.last()->icon, QMessageBox::Critical);
        QCOMPARE(dialogs.last()->title, QStringLiteral("Error"));
        QVERIFY2(dialogs.last()->text.startsWith(result) &&
                     !dialogs.last()->text.endsWith(QLatin1String(": ")),
                 qPrintable(dialogs.last()->text));
        QCOMPARE(entries(), oldFile ? QStringList{QStringLiteral("Tool.zip")} : QStringList());
        QVERIFY(!oldFile || readAll(target(QStringLiteral("Tool.zip"))) == "old");
    }
    if (result.startsWith(QLatin1String("Invalid")) || address.contains(QLatin1String("/tohttp/")))
        QVERIFY(m_http.requestedPaths.isEmpty());
    if (!sha256.isEmpty()) { // a checksum applies to one download only
        saved = m_dir->path();
        QVERIFY(download.download(m_http.base() + QStringLiteral("/pkg/Tool_V3.0.04.zip"), saved, QString()));
    }
}

void TestHttpsDownload::cancelMidTransferKeepsTheOldFile()
{
    ScriptedDialogs dialogs;
    dialogs.answerButton(QMessageBox::Ok);
    QVERIFY(!writeFile(target(QStringLiteral("Tool.zip")), "old").isNull());
    bool pressed = false;
    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [&] {
        ProgressDialog *dialog = visibleProgress();
        if (!pressed && dialog && dialog->value() > 0) {
            pressed = true;
            dialog->findChild<QPushButton *>()->click();
        }
    });
    timer.start(10);
    HttpsDownload download(nullptr);
    QString saved = m_dir->path();
    QVERIFY(!download.download(m_http.base() + QStringLiteral("/paced/Tool.zip"), saved, QString()));
    QVERIFY(pressed);
    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(entries(), QStringList{QStringLiteral("Tool.zip")});
    QCOMPARE(readAll(target(QStringLiteral("Tool.zip"))), QByteArray("old"));
}

void TestHttpsDownload::overwriteQuestion_data()
{
    QTest::addColumn<int>("answer"); // 0: Cancel pressed on the real box
    QTest::newRow("declined") << int(QMessageBox::Cancel);
    QTest::newRow("accepted") << int(QMessageBox::Ok);
    QTest::newRow("declined on the real box") << 0;
}

void TestHttpsDownload::overwriteQuestion()
{
    QFETCH(int, answer);
    const QString name = target(QStringLiteral("Tool.zip"));
    QVERIFY(!writeFile(name, "old").isNull());
    std::optional<ScriptedDialogs> dialogs;
    QString seen;
    if (answer)
        dialogs.emplace().answerButton(QMessageBox::StandardButton(answer));
    else
        whenModal<QMessageBox>([&](QMessageBox *box) {
            seen = box->text();
            box->button(QMessageBox::Cancel)->click();
        });
    HttpsDownload download(nullptr);
    QString saved = m_dir->path();
    const bool ok = answer == QMessageBox::Ok;
    QCOMPARE(download.download(m_http.base() + QStringLiteral("/pkg/Tool.zip"), saved, QString()), ok);
    if (dialogs) {
        QCOMPARE(dialogs->requests.size(), 1);
        QCOMPARE(dialogs->last()->title, QStringLiteral("Overwrite Existing File"));
        QCOMPARE(dialogs->last()->buttonLabels,
                 (QStringList{QStringLiteral("Ok"), QStringLiteral("Cancel")}));
        seen = dialogs->last()->text;
    }
    QCOMPARE(seen, name + QStringLiteral(" already exists in the current directory. Overwrite?"));
    QCOMPARE(readAll(name), ok ? m_body : QByteArray("old"));
    QCOMPARE(entries(), QStringList{QStringLiteral("Tool.zip")});
    QCOMPARE(m_http.requestedPaths.size(), ok ? 1 : 0);
}

QTEST_MAIN(TestHttpsDownload)
#include "tst_httpsdownload.moc"

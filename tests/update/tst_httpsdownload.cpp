#include "HttpsDownload.h"
#include "ProgressDialog.h"
#include "ScriptedDialogs.h"
#include "TableRows.h"
#include "TestHelpers.h"
#include "TestServer.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// Downloads from HTTP and HTTPS servers on 127.0.0.1, some of them hostile:
// naming, progress, and every way a transfer can fail without leaving a
// partial or lost file, or writing anywhere but the chosen folder.
class TestHttpsDownload : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void progress_data();
    void progress();
    void download_data() { addTableRows("update_downloads.tsv"); }
    void download();
    void realBoxes_data();
    void realBoxes();

private:
    QString target(const QString &name = QStringLiteral("Tool.zip")) const { return m_dir->filePath(name); }
    // Everything in the folder, links and leftover folders included.
    QStringList entries() const
    {
        return QDir(m_dir->path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
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
    // Tool.zip in the folder as a "file" holding "old", a "link" to a file
    // outside holding "old", or a "dangling" link to a missing name outside.
    void plantOld(const QString &kind) const
    {
        const QString outside =
            m_outside->filePath(kind == QLatin1String("link") ? "Target.zip" : "Missing.zip");
        QVERIFY(kind == QLatin1String("file") ? !writeFile(target(), "old").isNull()
                                              : QFile::link(outside, target()));
    }
    // How the folder looks with kind planted and nothing written since.
    void expectOld(const QString &kind) const
    {
        QCOMPARE(entries(), kind.isEmpty() ? QStringList() : QStringList{QStringLiteral("Tool.zip")});
        QCOMPARE(QFileInfo(target()).isSymLink(), kind.contains(QLatin1String("link")) || kind == "dangling");
        QCOMPARE(readAll(target()),
                 QByteArray(kind == QLatin1String("dangling") || kind.isEmpty() ? "" : "old"));
    }

    TestServer m_http;
    TestServer m_https{true};
    QScopedPointer<QTemporaryDir> m_dir, m_outside;
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
    m_http.setRoute("/pkg/Empty.zip", TestServer::file(QByteArray()));
    TestServer::Route auth = TestServer::file("who are you", 401);
    auth.headers.append(qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Basic realm=\"private\"")));
    m_http.setRoute("/auth/Tool.zip", auth);
    for (int status : {204, 206, 300, 304, 500})
        m_http.setRoute("/" + QByteArray::number(status) + "/Tool.zip", TestServer::file(m_body, status));
    // /hop/<n>/Tool.zip redirects n times (relative Locations) before the file.
    m_http.setRoute("/hop/0/Tool.zip", TestServer::file(m_body));
    for (int n = 1; n <= 11; ++n)
        m_http.setRoute("/hop/" + QByteArray::number(n) + "/Tool.zip",
                        TestServer::redirect("../" + QByteArray::number(n - 1) + "/Tool.zip"));
    m_http.setRoute("/loop/Tool.zip", TestServer::redirect("/loop/Tool.zip"));
    m_http.setRoute("/abs/Tool.zip", TestServer::redirect(m_http.base().toUtf8() + "/hop/1/Tool.zip", 301));
    m_https.setRoute("/tohttp/Tool.zip", TestServer::redirect(m_http.base().toUtf8() + "/pkg/Tool.zip"));
    TestServer::Route stall = TestServer::file(m_body), endless, paced, bomb;
    stall.stallAfter = 1000;
    endless.generated = qint64(1) << 40;
    endless.announceLength = false;
    paced.generated = 2 * 1024 * 1024; // slow enough to watch and to cancel
    paced.chunkDelayMs = 20;
    // Compressed whatever the request asked for: 8 KiB that inflate to 8 MiB.
    bomb.body = qCompress(QByteArray(8 << 20, '\0'), 9).mid(4);
    bomb.headers.append(qMakePair(QByteArray("Content-Encoding"), QByteArray("deflate")));
    m_http.setRoute("/stall/Tool.zip", stall);
    m_http.setRoute("/endless/Tool.zip", endless);
    m_http.setRoute("/paced/Tool.zip", paced);
    m_http.setRoute("/bomb/Tool.zip", bomb);
    paced.announceLength = false;
    m_http.setRoute("/unsized/Tool.zip", paced);
    // Bodies cut short, marked or not, dripped, slow, or behind a header flood.
    TestServer::Route cut = TestServer::file(m_body);
    cut.cutAfter = 100 * 1000;
    m_http.setRoute("/cut/Tool.zip", cut);
    cut.reset = true;
    m_http.setRoute("/reset/Tool.zip", cut);
    cut.chunked = true;
    m_http.setRoute("/chunked-reset/Tool.zip", cut);
    cut.reset = false;
    cut.cutAfter = -1;
    m_http.setRoute("/chunked/Tool.zip", cut);
    cut.chunked = false;
    cut.announceLength = false;
    m_http.setRoute("/unmarked/Tool.zip", cut);
    TestServer::Route drip = TestServer::file(m_body), slow = drip, flood = drip;
    drip.chunkBytes = 1;
    drip.chunkDelayMs = 20;
    m_http.setRoute("/drip/Tool.zip", drip);
    slow.chunkBytes = 32 * 1024; // ample progress, but not done within the deadline
    slow.chunkDelayMs = 300;
    m_http.setRoute("/slow/Tool.zip", slow);
    flood.headerLines = 80000;
    m_http.setRoute("/flood/Tool.zip", flood);
}

void TestHttpsDownload::init()
{
    m_dir.reset(new QTemporaryDir);
    m_outside.reset(new QTemporaryDir);
    QVERIFY(!writeFile(m_outside->filePath(QStringLiteral("Target.zip")), "old").isNull());
    m_http.requestedPaths.clear();
}

void TestHttpsDownload::cleanup()
{
    QTRY_VERIFY_WITH_TIMEOUT(!visibleProgress(), 2000);
    // Nothing was ever written through a link: the folder outside is as made.
    QCOMPARE(QDir(m_outside->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Target.zip")});
    QCOMPARE(readAll(m_outside->filePath(QStringLiteral("Target.zip"))), QByteArray("old"));
}

void TestHttpsDownload::progress_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("maximum"); // 0: a busy indicator
    QTest::addColumn<bool>("cancel"); // pressed once bytes arrive, over an old file
    QTest::newRow("size announced") << "/paced/Tool.zip" << 2 * 1024 * 1024 << false;
    QTest::newRow("size unknown") << "/unsized/Tool.zip" << 0 << false;
    QTest::newRow("cancelled, old file kept") << "/paced/Tool.zip" << 2 * 1024 * 1024 << true;
}

void TestHttpsDownload::progress()
{
    QFETCH(QString, path);
    QFETCH(int, maximum);
    QFETCH(bool, cancel);
    ScriptedDialogs dialogs;
    if (cancel) {
        plantOld(QStringLiteral("file"));
        dialogs.answerButton(QMessageBox::Ok);
    }
    QString label;
    int seenMaximum = -1, value = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [&] {
        if (ProgressDialog *dialog = visibleProgress(); dialog && dialog->minimum() == 0) {
            label = dialog->findChild<QLabel *>()->text();
            seenMaximum = dialog->maximum();
            value = qMax(value, dialog->value());
            if (cancel && value > 0)
                dialog->findChild<QPushButton *>()->click();
        }
    });
    timer.start(10);
    HttpsDownload download(nullptr);
    QString saved = m_dir->path();
    const QString address = m_http.base() + path;
    QCOMPARE(download.download(address, saved, QString()), !cancel);
    QCOMPARE(download.result(), cancel ? HttpsDownload::Result::Cancelled : HttpsDownload::Result::Done);
    QCOMPARE(readAll(target()), cancel ? QByteArray("old") : TestServer::pattern(0, 2 * 1024 * 1024));
    QCOMPARE(entries(), QStringList{QStringLiteral("Tool.zip")});
    QCOMPARE(dialogs.requests.size(), cancel ? 1 : 0);
    QCOMPARE(label, QStringLiteral("Downloading ") + address + QLatin1Char('.'));
    QCOMPARE(seenMaximum, maximum);
    QVERIFY(maximum == 0 || value > 0);
}

void TestHttpsDownload::download()
{
    QFETCH(QString, address);
    QFETCH(QString, suffix);
    QFETCH(QString, setup);
    QFETCH(QString, sha256);
    QFETCH(QString, result);
    const QString sum = QCryptographicHash::hash(m_body, QCryptographicHash::Sha256).toHex();
    sha256.replace("SUM in capitals, a blank after", sum.toUpper() + ' ')
        .replace("SUM but for its last digit", sum.left(63) + (sum.endsWith('0') ? '1' : '0'))
        .replace("SUM", sum);
    for (QString *text : {&address, &result})
        text->replace("HTTPS/", m_https.base() + '/')
            .replace("HTTP/", m_http.base() + '/')
            .replace("LOCALHOST/", QString(m_https.base()).replace("127.0.0.1", "localhost") + '/');
    const QStringList words = setup.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const auto has = [&words](const char *word) {
        return words.contains(QLatin1String(word));
    };
    const QString old = has("file") ? "file" : has("link") ? "link" : has("dangling") ? "dangling" : "";
    ScriptedDialogs dialogs;
    if (!old.isEmpty()) {
        plantOld(old);
        dialogs.answerButton(has("decline") ? QMessageBox::Cancel : QMessageBox::Ok);
    }
    if (has("ignore") || has("abort"))
        dialogs.answerButton(has("ignore") ? QMessageBox::Ignore : QMessageBox::Abort);
    HttpsDownload download(nullptr); // a fresh one each time: an earlier "Ignore" must not carry over
    download.transfer().setInactivityTimeout(1000);
    download.transfer().setMaximumSize(1024 * 1024);
    download.transfer().setExpectedSha256(sha256);
    download.transfer().setHttpsOnly(has("https-only"));
    download.transfer().setCertificatePrompt(!has("no-prompt"));
    download.transfer().setRequireMarkedEnd(has("marked"));
    download.transfer().setDeadline(has("deadline") ? 1500 : 0);
    QString saved = m_dir->path();
    const QString savedAs = result.startsWith(QLatin1String("saved as ")) ? result.mid(9) : QString();
    QCOMPARE(download.download(address, saved, suffix), !savedAs.isEmpty());

    QStringList expected; // titles of the boxes shown
    if (!old.isEmpty()) {
        QCOMPARE(dialogs.requests.first().text,
                 target() + " already exists in the current directory. Overwrite?");
        expected << QStringLiteral("Overwrite Existing File");
    }
    if (has("ignore") || has("abort")) {
        const ScriptedDialogs::Request &question = dialogs.requests.at(expected.size());
        QVERIFY2(question.text.startsWith("One or more SSL errors has occurred: \n") &&
                     question.text.size() > 40,
                 qPrintable(question.text));
        expected << QStringLiteral("SSL Errors");
    }
    if (!savedAs.isEmpty()) {
        QCOMPARE(saved, target(savedAs));
        QCOMPARE(readAll(saved), savedAs == QLatin1String("Empty.zip") ? QByteArray() : m_body);
        QVERIFY(!QFileInfo(saved).isSymLink());
        QCOMPARE(entries(), QStringList{savedAs});
    } else {
        expectOld(old);
        if (!has("decline")) {
            QVERIFY2(dialogs.last()->text.startsWith(result) && !dialogs.last()->text.endsWith(": "),
                     qPrintable(dialogs.last()->text));
            QCOMPARE(dialogs.last()->icon, QMessageBox::Critical);
            expected << QStringLiteral("Error");
        }
    }
    QStringList titles;
    for (const ScriptedDialogs::Request &request : qAsConst(dialogs.requests))
        titles << request.title;
    QCOMPARE(titles, expected);
    if (result.startsWith("Invalid") || address.contains("/tohttp/") || has("https-only") || has("decline"))
        QVERIFY(m_http.requestedPaths.isEmpty());
    if (!sha256.isEmpty()) { // a checksum applies to one download only
        saved = m_dir->path();
        QVERIFY(download.download(m_http.base() + QStringLiteral("/pkg/Tool_V3.0.04.zip"), saved, QString()));
    }
}

void TestHttpsDownload::realBoxes_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

// On the real certificate box the keyboard never lets a transfer through.
void TestHttpsDownload::realBoxes()
{
    QFETCH(int, key);
    QStringList texts;
    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box && box->isVisible() && (texts << box->text()).size() == 1)
            QTest::keyClick(box, Qt::Key(key));
        else if (box && box->isVisible())
            box->close();
    });
    timer.start(20);
    HttpsDownload download(nullptr);
    QString saved = m_dir->path();
    QVERIFY(!download.download(m_https.base() + QStringLiteral("/pkg/Tool.zip"), saved, QString()));
    QCOMPARE(texts.size(), 2);
    QVERIFY(texts.first().startsWith(QStringLiteral("One or more SSL errors has occurred: ")));
    QVERIFY2(texts.last().startsWith(QStringLiteral("Download failed: The certificate is self-signed")),
             qPrintable(texts.last()));
    QCOMPARE(entries(), QStringList());
}

QTEST_MAIN(TestHttpsDownload)
#include "tst_httpsdownload.moc"

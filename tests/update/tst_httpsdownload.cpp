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

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

ProgressDialog *visibleProgressDialog()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<ProgressDialog *>(widget); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

QByteArray sha256Hex(const QByteArray &data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

} // namespace

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
    void failedTransfer_data();
    void failedTransfer();
    void redirects_data();
    void redirects();
    void cancelMidTransfer_data();
    void cancelMidTransfer();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void overwriteQuestionOnRealDialog();
    void checksum_data();
    void checksum();
    void sslErrorQuestion_data();
    void sslErrorQuestion();
    void httpsToHttpRefused();
    void unwritableDirectory();
    void runsSeveralDownloads();

private:
    QString target(const QString &name) const { return m_dir->filePath(name); }
    QStringList entries() const
    {
        return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
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
    TestServer::Route auth;
    auth.status = 401;
    auth.headers.append(qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Basic realm=\"private\"")));
    auth.body = "who are you";
    m_http.setRoute("/auth/Tool.zip", auth);

    // /hop/<n>/Tool.zip redirects n times (relative Locations) before the file.
    m_http.setHandler([this](const QByteArray &path, TestServer::Route &route) {
        const QList<QByteArray> parts = path.split('/');
        if (parts.size() == 4 && parts.at(1) == "hop") {
            const int n = parts.at(2).toInt();
            route = n == 0 ? TestServer::file(m_body)
                           : TestServer::redirect("../" + QByteArray::number(n - 1) + "/Tool.zip");
            return true;
        }
        return false;
    });
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
    TestServer::Route paced;
    paced.generated = 2 * 1024 * 1024;
    paced.chunkDelayMs = 5;
    m_http.setRoute("/paced/Tool.zip", paced);

    QString title;
    QString label;
    int maximum = 0;
    int value = 0;
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
    QString path = m_dir->path();
    const QString address = m_http.base() + QStringLiteral("/paced/Tool.zip");
    QVERIFY(download.download(address, path, QString()));
    watch.stop();

    QCOMPARE(path, target(QStringLiteral("Tool.zip")));
    QCOMPARE(readAll(path), TestServer::pattern(0, paced.generated));
    QCOMPARE(entries(), QStringList{QStringLiteral("Tool.zip")});
    QCOMPARE(dialogs.requests.size(), 0);
    QCOMPARE(title, QStringLiteral("Download Progress"));
    QCOMPARE(label, QStringLiteral("Downloading ") + address + QLatin1Char('.'));
    QCOMPARE(maximum, int(paced.generated));
    QVERIFY(value > 0);
}

void TestHttpsDownload::fileNaming_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("savedAs");
    QTest::addColumn<QByteArray>("content");

    const QString base = m_http.base();
    QTest::newRow("suffix goes before the extension") << base + "/pkg/Tool.zip"
                                                      << "3.0.04"
                                                      << "Tool_V3.0.04.zip" << m_body;
    QTest::newRow("name with its version kept") << base + "/pkg/Tool_V3.0.04.zip"
                                                << ""
                                                << "Tool_V3.0.04.zip" << QByteArray("versioned");
    QTest::newRow("no extension gets a trailing dot") << base + "/pkg/Tool"
                                                      << "3.0.04"
                                                      << "Tool_V3.0.04." << QByteArray("plain");
    QTest::newRow("only the last extension moves") << base + "/pkg/pkg.tar.gz"
                                                   << "1.2.3"
                                                   << "pkg.tar_V1.2.3.gz" << QByteArray("tarball");
    QTest::newRow("surrounding spaces accepted") << "  " + base + "/pkg/Tool.zip \t"
                                                 << ""
                                                 << "Tool.zip" << m_body;
    QTest::newRow("name is decoded") << base + "/pkg/My%20Tool.zip"
                                     << ""
                                     << "My Tool.zip" << QByteArray("spaced");
    QTest::newRow("encoded slashes cannot leave the directory") << base + "/pkg/..%2F..%2FTool.zip"
                                                                << ""
                                                                << "Tool.zip" << QByteArray("escaped");
}

void TestHttpsDownload::fileNaming()
{
    QFETCH(QString, address);
    QFETCH(QString, suffix);
    QFETCH(QString, savedAs);
    QFETCH(QByteArray, content);

    ScriptedDialogs dialogs;
    HttpsDownload download(nullptr);
    QString path = m_dir->path();
    QVERIFY(download.download(address, path, suffix));
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
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("spaces only") << "   "
                                 << "";
    QTest::newRow("ends in a slash") << base + "/pkg/"
                                     << "";
    QTest::newRow("host only") << base << "";
    QTest::newRow("dot-dot name") << base + "/pkg/.."
                                  << "";
    QTest::newRow("encoded backslash") << base + "/pkg/..%5Cevil.zip"
                                       << "";
    QTest::newRow("suffix with a separator") << base + "/pkg/Tool.zip"
                                             << "1/../../x";
    QTest::newRow("not http") << "ftp://127.0.0.1/pkg/Tool.zip"
                              << "";
    QTest::newRow("local file") << "file:///etc/hostname"
                                << "";
}

void TestHttpsDownload::invalidAddress()
{
    QFETCH(QString, address);
    QFETCH(QString, suffix);

    ScriptedDialogs dialogs;
    HttpsDownload download(nullptr);
    QString path = m_dir->path();
    QVERIFY(!download.download(address, path, suffix));
    QCOMPARE(dialogs.requests.size(), 1);
    const ScriptedDialogs::Request &box = dialogs.requests.first();
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.title, QStringLiteral("Error"));
    QCOMPARE(box.text, QStringLiteral("Invalid URL : ") + address);
    QCOMPARE(box.buttonLabels, QStringList{QStringLiteral("Ok")});
    QVERIFY(entries().isEmpty());
    QVERIFY(m_http.requestedPaths.isEmpty());
    QVERIFY(!QFile::exists(QDir(m_dir->path()).filePath(QStringLiteral("../evil.zip"))));
}

void TestHttpsDownload::failedTransfer_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("oldFile");
    QTest::addColumn<QString>("reason"); // empty: only the prefix is checked

    for (const bool old : {false, true}) {
        const char *tag = old ? " (old file kept)" : "";
        QTest::newRow(qPrintable(QStringLiteral("not found%1").arg(tag))) << "/missing/Tool.zip" << old << "";
        QTest::newRow(qPrintable(QStringLiteral("authentication refused%1").arg(tag)))
            << "/auth/Tool.zip" << old << "";
        QTest::newRow(qPrintable(QStringLiteral("redirect loop%1").arg(tag)))
            << "/loop/Tool.zip" << old << "The server redirected too many times.";
        QTest::newRow(qPrintable(QStringLiteral("stalled server%1").arg(tag)))
            << "/stall/Tool.zip" << old << "The connection timed out.";
        QTest::newRow(qPrintable(QStringLiteral("endless body%1").arg(tag)))
            << "/endless/Tool.zip" << old << "The file exceeds the size limit.";
    }
    QTest::newRow("eleven hops") << "/hop/11/Tool.zip" << false << "The server redirected too many times.";
    QTest::newRow("announced size over the cap")
        << "/huge/Tool.zip" << false << "The file exceeds the size limit.";
    QTest::newRow("redirect to another scheme")
        << "/toftp/Tool.zip" << false << "Refused a redirect to an unsupported address.";
}

void TestHttpsDownload::failedTransfer()
{
    QFETCH(QString, path);
    QFETCH(bool, oldFile);
    QFETCH(QString, reason);

    ScriptedDialogs dialogs;
    if (oldFile) {
        QVERIFY(writeFile(target(QStringLiteral("Tool.zip")), "old"));
        dialogs.answerButton(QMessageBox::Ok);
    }
    HttpsDownload download(nullptr);
    download.setInactivityTimeout(300);
    download.setMaximumSize(1024 * 1024);
    QString saved = m_dir->path();
    QVERIFY(!download.download(m_http.base() + path, saved, QString()));

    const ScriptedDialogs::Request *box = dialogs.last();
    QVERIFY(box);
    QCOMPARE(box->icon, QMessageBox::Critical);
    QCOMPARE(box->title, QStringLiteral("Error"));
    QVERIFY2(box->text.startsWith(QStringLiteral("Download failed: ")), qPrintable(box->text));
    QVERIFY(box->text.size() > QStringLiteral("Download failed: ").size());
    if (!reason.isEmpty())
        QCOMPARE(box->text, QStringLiteral("Download failed: ") + reason);
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), oldFile ? 2 : 1);

    if (oldFile) {
        QCOMPARE(readAll(target(QStringLiteral("Tool.zip"))), QByteArray("old"));
        QCOMPARE(entries(), QStringList{QStringLiteral("Tool.zip")});
    } else {
        QVERIFY2(entries().isEmpty(), qPrintable(entries().join(QLatin1Char(' '))));
    }
}

void TestHttpsDownload::redirects_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("finalPath");
    QTest::addColumn<bool>("otherServer");

    QTest::newRow("relative chain") << "/hop/3/Tool.zip" << QByteArray("/hop/0/Tool.zip") << false;
    QTest::newRow("ten hops is the limit") << "/hop/10/Tool.zip" << QByteArray("/hop/0/Tool.zip") << false;
    QTest::newRow("absolute to another server") << "/abs/Tool.zip" << QByteArray("/pkg/Tool.zip") << true;
    QTest::newRow("temporary redirect") << "/temp/Tool.zip" << QByteArray("/pkg/Tool.zip") << false;
}

void TestHttpsDownload::redirects()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, finalPath);
    QFETCH(bool, otherServer);

    ScriptedDialogs dialogs;
    HttpsDownload download(nullptr);
    QString saved = m_dir->path();
    QVERIFY(download.download(m_http.base() + path, saved, QString()));
    QCOMPARE(saved, target(QStringLiteral("Tool.zip")));
    QCOMPARE(readAll(saved), m_body);
    QCOMPARE(entries(), QStringList{QStringLiteral("Tool.zip")});
    QCOMPARE(dialogs.requests.size(), 0);
    const TestServer &last = otherServer ? m_other : m_http;
    QVERIFY(!last.requestedPaths.isEmpty());
    QCOMPARE(last.requestedPaths.last(), finalPath);
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
    if (oldFile) {
        QVERIFY(writeFile(target(QStringLiteral("Tool.zip")), "old"));
        dialogs.answerButton(QMessageBox::Ok);
    }
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
    QString saved = m_dir->path();
    QVERIFY(!download.download(m_http.base() + QStringLiteral("/slow/Tool.zip"), saved, QString()));
    QVERIFY(pressed);
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), oldFile ? 1 : 0);
    if (oldFile) {
        QCOMPARE(readAll(target(QStringLiteral("Tool.zip"))), QByteArray("old"));
        QCOMPARE(entries(), QStringList{QStringLiteral("Tool.zip")});
    } else {
        QVERIFY(entries().isEmpty());
    }
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

    const QString name = target(QStringLiteral("Tool.zip"));
    QVERIFY(writeFile(name, "old"));
    ScriptedDialogs dialogs;
    dialogs.answerButton(QMessageBox::StandardButton(answer));
    HttpsDownload download(nullptr);
    QString saved = m_dir->path();
    const bool ok = download.download(m_http.base() + QStringLiteral("/pkg/Tool.zip"), saved, QString());
    QCOMPARE(ok, answer == QMessageBox::Ok);

    QCOMPARE(dialogs.requests.size(), 1);
    const ScriptedDialogs::Request &box = dialogs.requests.first();
    QCOMPARE(box.icon, QMessageBox::Question);
    QCOMPARE(box.title, QStringLiteral("Overwrite Existing File"));
    QCOMPARE(box.text, name + QStringLiteral(" already exists in the current directory. Overwrite?"));
    QCOMPARE(box.buttonLabels, (QStringList{QStringLiteral("Ok"), QStringLiteral("Cancel")}));
    QCOMPARE(readAll(name), content);
    QCOMPARE(entries(), QStringList{QStringLiteral("Tool.zip")});
    QCOMPARE(m_http.requestedPaths.size(), ok ? 1 : 0);
}

void TestHttpsDownload::overwriteQuestionOnRealDialog()
{
    const QString name = target(QStringLiteral("Tool.zip"));
    QVERIFY(writeFile(name, "old"));
    QString seenText;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seenText = box->text();
        box->button(QMessageBox::Cancel)->click();
    });
    HttpsDownload download(nullptr);
    QString saved = m_dir->path();
    QVERIFY(!download.download(m_http.base() + QStringLiteral("/pkg/Tool.zip"), saved, QString()));
    QCOMPARE(seenText, name + QStringLiteral(" already exists in the current directory. Overwrite?"));
    QCOMPARE(readAll(name), QByteArray("old"));
}

void TestHttpsDownload::checksum_data()
{
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("reason");

    QTest::newRow("matches") << QString::fromLatin1(sha256Hex(m_body)) << true << "";
    QTest::newRow("matches in upper case with spaces")
        << QString::fromLatin1(" " + sha256Hex(m_body).toUpper() + "\n") << true << "";
    QTest::newRow("mismatch") << QString::fromLatin1(sha256Hex("something else")) << false
                              << "The file does not match its SHA-256 checksum.";
    QTest::newRow("not a checksum") << "1234" << false << "The expected SHA-256 checksum is not valid.";
}

void TestHttpsDownload::checksum()
{
    QFETCH(QString, expected);
    QFETCH(bool, ok);
    QFETCH(QString, reason);

    ScriptedDialogs dialogs;
    HttpsDownload download(nullptr);
    download.setExpectedSha256(expected);
    QString saved = m_dir->path();
    QCOMPARE(download.download(m_http.base() + QStringLiteral("/pkg/Tool.zip"), saved, QString()), ok);
    if (ok) {
        QCOMPARE(readAll(saved), m_body);
        QCOMPARE(dialogs.requests.size(), 0);
    } else {
        QVERIFY(entries().isEmpty());
        QVERIFY(dialogs.last());
        QCOMPARE(dialogs.last()->text, QStringLiteral("Download failed: ") + reason);
    }
    // The checksum applies to one download only.
    saved = m_dir->path();
    QVERIFY(download.download(m_http.base() + QStringLiteral("/pkg/Tool_V3.0.04.zip"), saved, QString()));
}

void TestHttpsDownload::sslErrorQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("oldFile");
    QTest::newRow("ignore") << int(QMessageBox::Ignore) << false;
    QTest::newRow("ignore over an old file") << int(QMessageBox::Ignore) << true;
    QTest::newRow("abort") << int(QMessageBox::Abort) << false;
    QTest::newRow("abort keeps the old file") << int(QMessageBox::Abort) << true;
}

void TestHttpsDownload::sslErrorQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, oldFile);

    ScriptedDialogs dialogs;
    if (oldFile) {
        QVERIFY(writeFile(target(QStringLiteral("Tool.zip")), "old"));
        dialogs.answerButton(QMessageBox::Ok);
    }
    dialogs.answerButton(QMessageBox::StandardButton(answer));
    // A fresh downloader: an earlier "Ignore" must not carry over.
    HttpsDownload download(nullptr);
    QString saved = m_dir->path();
    const bool ok = download.download(m_https.base() + QStringLiteral("/pkg/Tool.zip"), saved, QString());
    QCOMPARE(ok, answer == QMessageBox::Ignore);

    const int first = oldFile ? 1 : 0;
    QVERIFY(dialogs.requests.size() > first);
    const ScriptedDialogs::Request &question = dialogs.requests.at(first);
    QCOMPARE(question.icon, QMessageBox::Warning);
    QCOMPARE(question.title, QStringLiteral("SSL Errors"));
    QVERIFY2(question.text.startsWith(QStringLiteral("One or more SSL errors has occurred: \n")),
             qPrintable(question.text));
    QVERIFY(question.text.size() > QStringLiteral("One or more SSL errors has occurred: \n").size());
    QCOMPARE(question.buttonLabels, (QStringList{QStringLiteral("Ignore"), QStringLiteral("Abort")}));

    if (ok) {
        QCOMPARE(dialogs.requests.size(), first + 1);
        QCOMPARE(readAll(saved), m_body);
    } else {
        QCOMPARE(dialogs.requests.size(), first + 2);
        QVERIFY(dialogs.last()->text.startsWith(QStringLiteral("Download failed: ")));
        QCOMPARE(readAll(target(QStringLiteral("Tool.zip"))), oldFile ? QByteArray("old") : QByteArray());
    }
    QCOMPARE(entries().size(), ok || oldFile ? 1 : 0);
}

void TestHttpsDownload::httpsToHttpRefused()
{
    ScriptedDialogs dialogs;
    dialogs.answerButton(QMessageBox::Ignore);
    HttpsDownload download(nullptr);
    QString saved = m_dir->path();
    QVERIFY(!download.download(m_https.base() + QStringLiteral("/tohttp/Tool.zip"), saved, QString()));
    QVERIFY(dialogs.last());
    QCOMPARE(dialogs.last()->text, QStringLiteral("Download failed: Refused a redirect from HTTPS to an "
                                                  "insecure address."));
    QVERIFY(m_http.requestedPaths.isEmpty());
    QVERIFY(entries().isEmpty());
}

void TestHttpsDownload::unwritableDirectory()
{
    // A directory that does not exist cannot take the file, whatever our rights.
    const QString missing = m_dir->filePath(QStringLiteral("missing"));
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

void TestHttpsDownload::runsSeveralDownloads()
{
    ScriptedDialogs dialogs;
    HttpsDownload download(nullptr);
    QString first = m_dir->path();
    QVERIFY(!download.download(m_http.base() + QStringLiteral("/missing/Tool.zip"), first, QString()));
    QString second = m_dir->path();
    QVERIFY(download.download(m_http.base() + QStringLiteral("/pkg/Tool.zip"), second, QString()));
    QCOMPARE(readAll(second), m_body);
    QCOMPARE(dialogs.requests.size(), 1);
}

QTEST_MAIN(TestHttpsDownload)
#include "tst_httpsdownload.moc"

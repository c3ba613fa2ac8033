#include "HttpsDownload.h"
#include "ProgressDialog.h"
#include "ScriptedDialogs.h"
#include "SmallDisk.h"
#include "TableRows.h"
#include "TestHelpers.h"
#include "TestServer.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/time.h>

// Downloads from HTTP and HTTPS servers on 127.0.0.1, some of them hostile:
// naming, progress, and every way a transfer can fail without leaving a
// partial or lost file, or writing anywhere but the chosen folder.
class TestHttpsDownload : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QSslSocket::supportsSsl(), "TLS support is needed for the HTTPS tests");
        QVERIFY(m_http.start() && m_https.start());
        QVERIFY(TestServer::setRoutes(TF_TEST_TABLES "/update_routes.tsv", m_http, m_https));
        TestServer::Route bomb = TestServer::file(qCompress(QByteArray(8 << 20, '\0'), 9).mid(4)); // zlib
        bomb.headers.append({QByteArray("Content-Encoding"), QByteArray("deflate")});
        m_http.setRoute("/bomb/Tool.zip", bomb);
    }

    void init()
    {
        m_dir.reset(new QTemporaryDir);
        m_outside.reset(new QTemporaryDir);
        QVERIFY(!writeFile(m_outside->filePath(QStringLiteral("Target.zip")), "old").isNull());
        for (TestServer *server : {&m_http, &m_https}) {
            server->requestedPaths.clear();
            server->requestedHosts.clear();
        }
    }

    void cleanup()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!visibleProgress(), 2000);
        // Nothing was ever written through a link: the folder outside is as made.
        QCOMPARE(QDir(m_outside->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("Target.zip")});
        QCOMPARE(readAll(m_outside->filePath(QStringLiteral("Target.zip"))), QByteArray("old"));
    }

    void download_data() { addTableRows("update_downloads.tsv"); }
    void download()
    {
        QFETCH(QString, address);
        QFETCH(QString, suffix);
        QFETCH(QString, setup);
        QFETCH(QString, sha256);
        QFETCH(QString, result);
        QFETCH(int, bytes);
        QFETCH(QString, progress);
        QFETCH(QStringList, boxes);
        for (QString *text : {&address, &result})
            text->replace("HTTPS/", m_https.base() + '/')
                .replace("HTTP/", m_http.base() + '/')
                .replace("LOCALHOST/", QString(m_https.base()).replace("127.0.0.1", "localhost") + '/');
        const auto has = [words = setup.split(QLatin1Char(' '))](const char *word) {
            return words.contains(QLatin1String(word));
        };
        const QString old = has("file") ? "file" : has("link") ? "link" : has("dangling") ? "dangling" : "";
        std::unique_ptr<SmallDisk> disk; // the folder on a disk of 256 KiB
        if (has("small-disk") || has("full-disk")) {
            disk.reset(new SmallDisk(m_dir->path(), 256 * 1024));
            if (!disk->isMounted())
                QSKIP(qPrintable(disk->reason()));
        }
        ScriptedDialogs dialogs;
        if (!old.isEmpty()) { // Tool.zip as a file or a link to a file outside, or to no file
            QVERIFY(old == "file"
                        ? !writeFile(target(), "old").isNull()
                        : QFile::link(m_outside->filePath(old == "link" ? "Target.zip" : "Missing.zip"),
                                      target()));
            dialogs.answerButton(has("decline") ? QMessageBox::Cancel : QMessageBox::Ok);
        }
        QVERIFY(!has("full-disk") || disk->fill());
        // "file-limit": a file may grow to 256 KiB (ulimit -f 256), then writes fail.
        rlimit fileSize{};
        getrlimit(RLIMIT_FSIZE, &fileSize);
        if (has("file-limit")) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = fileSize;
            small.rlim_cur = 256 * 1024;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        }
        if (has("ignore") || has("abort"))
            dialogs.answerButton(has("ignore") ? QMessageBox::Ignore : QMessageBox::Abort);
        QString label;
        int maximum = -1, value = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            if (ProgressDialog *dialog = visibleProgress(); dialog && dialog->minimum() == 0) {
                label = dialog->windowTitle() + '|' + dialog->findChild<QLabel *>()->text() +
                        (dialog->windowFlags() & Qt::WindowContextHelpButtonHint ? "|?" : "");
                maximum = dialog->maximum();
                value = qMax(value, dialog->value());
                if (has("cancel") && value > 0)
                    dialog->findChild<QPushButton *>()->click();
            }
        });
        timer.start(10);
        HttpsDownload download(nullptr); // a fresh one each time: an earlier "Ignore" must not carry over
        bool turnedAway = false;         // "again": a second download while this one runs
        if (has("again")) {
            QTimer::singleShot(20, &download, [&] {
                QString other = m_dir->path();
                turnedAway = !download.download(address, other, suffix) &&
                             download.result() == HttpsDownload::Result::Busy;
            });
        }
        download.transfer().setInactivityTimeout(300);
        download.transfer().setMaximumSize(4 * 1024 * 1024);
        download.transfer().setExpectedSha256(sha256);
        download.transfer().setHttpsOnly(has("https-only"));
        download.transfer().setCertificatePrompt(!has("no-prompt"));
        download.transfer().setRequireMarkedEnd(has("marked"));
        download.transfer().setDeadline(has("deadline") ? 500 : 0);
        QTemporaryDir firstDir; // "twice": the same transfer fetched it once before
        QString first = firstDir.path();
        QVERIFY(!has("twice") || download.download(address, first, suffix));
        QString saved = m_dir->path();
        const QString savedAs = result.startsWith(QLatin1String("saved as ")) ? result.mid(9) : QString();
        const bool done = download.download(address, saved, suffix);
        setrlimit(RLIMIT_FSIZE, &fileSize);
        if (disk)
            disk->empty();
        QCOMPARE(done, !savedAs.isEmpty());
        QCOMPARE(download.result() == HttpsDownload::Result::Cancelled, has("cancel"));
        QCOMPARE(turnedAway, has("again"));
        if (!progress.isEmpty()) {
            QCOMPARE(label, "Download Progress|Downloading " + address + '.'); // no help button
            QCOMPARE(maximum, progress.toInt());
            QVERIFY(maximum == 0 || value > 0);
        }

        QStringList titles;
        for (const ScriptedDialogs::Request &request : qAsConst(dialogs.requests))
            titles << request.title;
        QCOMPARE(titles, boxes);
        if (!old.isEmpty())
            QCOMPARE(dialogs.requests.first().text,
                     target() + " already exists in the current directory. Overwrite?");
        if (has("ignore") || has("abort")) {
            const QString question = dialogs.requests.value(old.isEmpty() ? 0 : 1).text;
            QVERIFY2(question.startsWith("One or more SSL errors has occurred: \n") && question.size() > 40,
                     qPrintable(question));
        }
        if (!savedAs.isEmpty()) {
            QCOMPARE(saved, target(savedAs));
            // HTTP/1.1: the Host header names the port unless it is the scheme's own.
            const TestServer &server = address.contains("https:") ? m_https : m_http;
            QCOMPARE(QString(server.requestedHosts.value(0)),
                     QString("127.0.0.1:%1").arg(server.serverPort()));
            QCOMPARE(readAll(saved), TestServer::pattern(0, bytes)); // not written through a link
            QCOMPARE(entries(), QStringList{savedAs});
        } else { // the folder as planted
            QCOMPARE(entries(), old.isEmpty() ? QStringList() : QStringList{QStringLiteral("Tool.zip")});
            QCOMPARE(QFileInfo(target()).isSymLink(), old == "link" || old == "dangling");
            QCOMPARE(readAll(target()), QByteArray(old == "file" || old == "link" ? "old" : ""));
            if (boxes.endsWith("Error")) {
                // "TARGET" stands for the target's full name.
                result.replace("TARGET", target());
                QVERIFY2(dialogs.last()->text.startsWith(result) && !dialogs.last()->text.endsWith(": "),
                         qPrintable(dialogs.last()->text));
                QCOMPARE(dialogs.last()->icon, QMessageBox::Critical);
            }
        }
        QVERIFY(!has("unasked") || m_http.requestedPaths.isEmpty());
        if (!sha256.isEmpty()) { // a checksum applies to one download only
            saved = m_dir->path();
            QVERIFY(
                download.download(m_http.base() + QStringLiteral("/pkg/Tool_V3.0.04.zip"), saved, QString()));
        }
    }

    // On the real certificate box the keyboard never lets a transfer through;
    // the user may take longer than the inactivity limit to click Ignore.
    void realBoxes_data() { addTableRows("update_boxes.tsv"); }
    void realBoxes()
    {
        QFETCH(QString, keyName);
        QFETCH(QStringList, boxes); // how their texts start
        const int key = QKeySequence::fromString(keyName)[0];
        QStringList texts;
        int ticks = 0; // of 20 ms with a box shown
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            if (texts.isEmpty() || texts.last() != box->text())
                texts << box->text();
            if (texts.size() > 1)
                box->close();
            else if (key)
                QTest::keyClick(box, Qt::Key(key));
            else if (++ticks > 30 && box->button(QMessageBox::Ignore))
                box->button(QMessageBox::Ignore)->click();
        });
        timer.start(20);
        HttpsDownload download(nullptr);
        download.transfer().setInactivityTimeout(300);
        QString saved = m_dir->path();
        QCOMPARE(download.download(m_https.base() + QStringLiteral("/pkg/Tool.zip"), saved, QString()),
                 key == 0);
        QCOMPARE(texts.size(), boxes.size());
        for (int i = 0; i < texts.size(); ++i)
            QVERIFY2(texts[i].startsWith(boxes[i]), qPrintable(texts[i]));
        QCOMPARE(entries(), key ? QStringList() : QStringList{QStringLiteral("Tool.zip")});
    }

    // A killed run's folder goes with the next download into its folder.
    void leftovers_data() { addTableRows("update_leftovers.tsv"); }
    void leftovers()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, planted);
        QFETCH(QStringList, kept);
        const QString pid = QString::number(QCoreApplication::applicationPid());
        for (QString folder : planted) {
            const bool idle = folder.endsWith(QLatin1String(" idle"));
            folder.remove(QStringLiteral(" idle")).replace(QLatin1String("PID"), pid);
            const QString part = m_dir->filePath(folder + QStringLiteral("/Tool.zip"));
            QVERIFY(QDir(m_dir->path()).mkpath(folder + QStringLiteral("/inner")));
            QVERIFY(!writeFile(part, "part of a file").isNull());
            const timeval twoHoursAgo[2] = {{time(nullptr) - 7200, 0}, {time(nullptr) - 7200, 0}};
            for (const QString &path :
                 {part, m_dir->filePath(folder + QStringLiteral("/inner")), m_dir->filePath(folder)})
                QVERIFY(!idle || ::utimes(QFile::encodeName(path).constData(), twoHoursAgo) == 0);
        }
        ScriptedDialogs dialogs;
        if (target != QLatin1String("none")) {
            QVERIFY(target == QLatin1String("file")
                        ? !writeFile(this->target(), "old").isNull()
                        : QFile::link(m_outside->filePath(target == QLatin1String("link") ? "Target.zip"
                                                                                          : "Missing.zip"),
                                      this->target()));
            dialogs.answerButton(QMessageBox::Ok);
        }
        HttpsDownload download(nullptr);
        QString saved = m_dir->path();
        QVERIFY(download.download(m_http.base() + QStringLiteral("/pkg/Tool.zip"), saved, QString()));
        QStringList expected = kept.replaceInStrings(QLatin1String("PID"), pid) << QStringLiteral("Tool.zip");
        expected.sort();
        QStringList left = entries();
        left.sort();
        QCOMPARE(left, expected);
        QVERIFY(!QFileInfo(this->target()).isSymLink());
    }

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

    TestServer m_http;
    TestServer m_https{true};
    QScopedPointer<QTemporaryDir> m_dir, m_outside;
};

QTEST_MAIN(TestHttpsDownload)
#include "tst_httpsdownload.moc"

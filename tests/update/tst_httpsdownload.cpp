#include "HttpsDownload.h"
#include "ProgressDialog.h"
#include "ScriptedDialogs.h"
#include "TableRows.h"
#include "TestHelpers.h"
#include "TestServer.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

// Downloads from HTTP and HTTPS servers on 127.0.0.1, some of them hostile:
// naming, progress, and every way a transfer can fail without leaving a
// partial or lost file, or writing anywhere but the chosen folder.
class TestHttpsDownload : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_http.start());
        QVERIFY2(QSslSocket::supportsSsl(), "TLS support is needed for the HTTPS tests");
        QVERIFY(m_https.start());
        QFile table(QStringLiteral(TF_TEST_TABLES "/update_routes.tsv"));
        QVERIFY(table.open(QIODevice::ReadOnly | QIODevice::Text));
        for (const QString &line : QString::fromUtf8(table.readAll()).split('\n', Qt::SkipEmptyParts)) {
            const QStringList cell = line.split('\t');
            if (!line.startsWith('/'))
                continue; // comments and the column names
            TestServer::Route route = TestServer::file(
                cell[3] == "300000 pattern bytes" ? m_body
                : cell[3] == "a 200 head in bare line feeds, then 300000 pattern bytes"
                    ? "HTTP/1.1 200 OK\nContent-Length: 300000\n\n" + m_body
                : cell[3] == "8 MiB of zeros deflated" ? qCompress(QByteArray(8 << 20, '\0'), 9).mid(4)
                                                       : unescaped(cell[3]).toUtf8(),
                cell[2].toInt());
            if (!cell[4].isEmpty())
                route.headers.append(
                    {cell[4].section(": ", 0, 0).toUtf8(),
                     cell[4].section(": ", 1).replace("HTTP/", m_http.base() + '/').toUtf8()});
            const QHash<QString, qint64 *> sizes{{"stallAfter", &route.stallAfter},
                                                 {"generated", &route.generated},
                                                 {"cutAfter", &route.cutAfter}};
            const QHash<QString, int *> counts{{"chunkBytes", &route.chunkBytes},
                                               {"chunkDelayMs", &route.chunkDelayMs},
                                               {"headerLines", &route.headerLines},
                                               {"trailerLines", &route.trailerLines}};
            const QHash<QString, bool *> flags{{"announceLength", &route.announceLength},
                                               {"reset", &route.reset},
                                               {"chunked", &route.chunked}};
            for (const QString &field : cell[5].split(' ', Qt::SkipEmptyParts)) {
                const QString name = field.section('=', 0, 0);
                const qint64 value = field.section('=', 1).toLongLong();
                QVERIFY2(sizes.contains(name) || counts.contains(name) || flags.contains(name),
                         qPrintable(field));
                if (sizes.contains(name))
                    *sizes[name] = value;
                else if (counts.contains(name))
                    *counts[name] = int(value);
                else
                    *flags[name] = value != 0;
            }
            if (cell[1] != "https")
                m_http.setRoute(cell[0].toUtf8(), route);
            if (cell[1] != "http")
                m_https.setRoute(cell[0].toUtf8(), route);
        }
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
        QString label;
        int maximum = -1, value = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            if (ProgressDialog *dialog = visibleProgress(); dialog && dialog->minimum() == 0) {
                label = dialog->findChild<QLabel *>()->text();
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
        QCOMPARE(download.download(address, saved, suffix), !savedAs.isEmpty());
        QCOMPARE(download.result() == HttpsDownload::Result::Cancelled, has("cancel"));
        QCOMPARE(turnedAway, has("again"));
        if (!progress.isEmpty()) {
            QCOMPARE(label, "Downloading " + address + '.');
            QCOMPARE(maximum, progress.toInt());
            QVERIFY(maximum == 0 || value > 0);
        }

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
            // HTTP/1.1: the Host header names the port unless it is the scheme's own.
            QCOMPARE(
                QString((address.contains("https:") ? m_https : m_http).requestedHosts.value(0)),
                QString("127.0.0.1:%1").arg((address.contains("https:") ? m_https : m_http).serverPort()));
            QCOMPARE(readAll(saved), TestServer::pattern(0, bytes));
            QVERIFY(!QFileInfo(saved).isSymLink());
            QCOMPARE(entries(), QStringList{savedAs});
        } else {
            expectOld(old);
            if (!has("decline") && !has("cancel")) {
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
        if (result.startsWith("Invalid") || address.contains("/tohttp/") || has("https-only") ||
            has("decline"))
            QVERIFY(m_http.requestedPaths.isEmpty());
        if (!sha256.isEmpty()) { // a checksum applies to one download only
            saved = m_dir->path();
            QVERIFY(
                download.download(m_http.base() + QStringLiteral("/pkg/Tool_V3.0.04.zip"), saved, QString()));
        }
    }

    void realBoxes_data()
    {
        QTest::addColumn<int>("key"); // 0: Ignore clicked after longer than the inactivity limit
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("a slow click on Ignore") << 0;
    }

    // On the real certificate box the keyboard never lets a transfer through;
    // the user may take longer than the inactivity limit to click Ignore.
    void realBoxes()
    {
        QFETCH(int, key);
        QStringList texts;
        QElapsedTimer shown;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            if (texts.isEmpty())
                shown.start();
            if (texts.isEmpty() || texts.last() != box->text())
                texts << box->text();
            if (texts.size() > 1)
                box->close();
            else if (key)
                QTest::keyClick(box, Qt::Key(key));
            else if (shown.elapsed() > 600 && box->button(QMessageBox::Ignore))
                box->button(QMessageBox::Ignore)->click();
        });
        timer.start(20);
        HttpsDownload download(nullptr);
        download.transfer().setInactivityTimeout(300);
        QString saved = m_dir->path();
        QCOMPARE(download.download(m_https.base() + QStringLiteral("/pkg/Tool.zip"), saved, QString()),
                 key == 0);
        QCOMPARE(texts.size(), key ? 2 : 1);
        QVERIFY(texts.first().startsWith(QStringLiteral("One or more SSL errors has occurred: ")));
        QVERIFY2(!key || texts.last().startsWith(
                             QStringLiteral("Download failed: The certificate is self-signed")),
                 qPrintable(texts.last()));
        QCOMPARE(entries(), key ? QStringList() : QStringList{QStringLiteral("Tool.zip")});
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

QTEST_MAIN(TestHttpsDownload)
#include "tst_httpsdownload.moc"

#include "TestServer.h"
#include "VersionCheck.h"

#include <QtTest>

#include <memory>
#include <openssl/evp.h>

// The edges of the update check's rules: versions that only look alike,
// lists that only look well-formed, signatures that are almost right, and
// what the command line says and returns for each way a check ends.
class TestUpdateEdges : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_http.start());
        m_public = newKey(m_key);
        m_otherPublic = newKey(m_otherKey);
        QCOMPARE(m_public.size(), 32);
        QCOMPARE(m_otherPublic.size(), 32);
    }

    // The program's own version packs as 196611 (3.0.03).
    void versions_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("packed");
        QTest::addColumn<bool>("read");
        QTest::addColumn<bool>("newer");
        QTest::newRow("leading zeros, next patch") << "003.000.004" << 196612 << true << true;
        QTest::newRow("leading zeros, same version") << "03.00.003" << 196611 << true << false;
        QTest::newRow("lowercase hexadecimal") << "3.0.0a" << 196618 << true << true;
        QTest::newRow("older minor, larger patch") << "2.FF.FF" << 196607 << true << false;
        QTest::newRow("zero") << "0.0.0" << 0 << true << false;
        QTest::newRow("largest bytes") << "7F.FF.FF" << 8388607 << true << true;
        QTest::newRow("parts past a byte add up") << "0.FFFF.FFFF" << 16842495 << true << true;
        // A server's absurd version must not wrap round into an old one.
        QTest::newRow("huge major held at the top") << "7FFFFFFF.0.0" << 2147483647 << true << true;
        QTest::newRow("huge patch held at the top") << "FFFF.0.7FFFFFFF" << 2147483647 << true << true;
        QTest::newRow("negative major held at the bottom")
            << "-7FFFFFFF.0.0" << int(-2147483647 - 1) << true << false;
        QTest::newRow("major beyond int") << "80000000.0.0" << 0 << false << false;
        QTest::newRow("one part") << "3" << 0 << false << false;
        QTest::newRow("four parts") << "3.0.0.4" << 0 << false << false;
        QTest::newRow("empty major") << ".0.4" << 0 << false << false;
        QTest::newRow("empty minor") << "3..4" << 0 << false << false;
        QTest::newRow("letter in the minor") << "3.G.04" << 0 << false << false;
    }
    void versions()
    {
        QFETCH(QString, version);
        QFETCH(int, packed);
        QFETCH(bool, read);
        QFETCH(bool, newer);
        bool ok = !read;
        QCOMPARE(versionNumber(version, &ok), packed);
        QCOMPARE(ok, read);
        QCOMPARE(versionNumber(version) > 196611, newer);
    }

    // parsed|Version|URL|URLEN|SHA256|Expires of the Tickforge entry.
    void lists_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("expected");
        const QByteArray entry = "<Name>Tickforge</Name><Version>3.0.04</Version><URL>zh.zip</URL>"
                                 "<URLEN>en.zip</URLEN><SHA256>ab12</SHA256><Expires>2027-01-01</Expires>";
        QTest::newRow("every field") << "<Root><VelornTool><Entry>" + entry + "</Entry></VelornTool></Root>"
                                     << "yes|3.0.04|zh.zip|en.zip|ab12|2027-01-01";
        QTest::newRow("blanks around the texts")
            << QByteArray("<Root>\n <VelornTool>\n  <Entry>\n   <Name> Tickforge </Name>\n"
                          "   <Version>\n    3.0.04\n   </Version>\n  </Entry>\n </VelornTool>\n</Root>\n")
            << "yes|3.0.04||||";
        QTest::newRow("nested text belongs to the field")
            << QByteArray("<Root><VelornTool><Entry><Name>Tickforge</Name><Version>3.0.<b>04</b></Version>"
                          "</Entry></VelornTool></Root>")
            << "yes|3.0.04||||";
        QTest::newRow("a field repeated in another tool's entry")
            << QByteArray(
                   "<Root><VelornTool><Entry><Name>Other</Name><URL>a</URL><URL>b</URL></Entry>"
                   "<Entry><Name>Tickforge</Name><Version>3.0.04</Version></Entry></VelornTool></Root>")
            << "yes|3.0.04||||";
        QTest::newRow("another tool's fields stay its own")
            << QByteArray("<Root><VelornTool><Entry><Name>Other</Name><Version>9.0.0</Version>"
                          "<URLEN>other.zip</URLEN></Entry><Entry><Name>Tickforge</Name></Entry>"
                          "</VelornTool></Root>")
            << "yes|||||";
        QTest::newRow("the name as the section's own text")
            << QByteArray("<Root><VelornTool>Tickforge<Entry><Version>3.0.04</Version></Entry></VelornTool>"
                          "</Root>")
            << "yes|||||";
        QTest::newRow("the name inside a wrapper field")
            << QByteArray("<Root><VelornTool><Entry><Info><Name>Tickforge</Name></Info><Version>3.0.04"
                          "</Version></Entry></VelornTool></Root>")
            << "yes|3.0.04||||";
        QTest::newRow("two products") << "<Root><VelornTool><Entry>" + entry + "</Entry><Entry>" + entry +
                                             "</Entry></VelornTool></Root>"
                                      << "no|||||";
        QTest::newRow("the checksum twice")
            << QByteArray("<Root><VelornTool><Entry><Name>Tickforge</Name><SHA256>a</SHA256><SHA256>b"
                          "</SHA256></Entry></VelornTool></Root>")
            << "no|||||";
        QTest::newRow("the expiry twice")
            << QByteArray("<Root><VelornTool><Entry><Name>Tickforge</Name><Expires>2027-01-01</Expires>"
                          "<Expires>2027-01-02</Expires></Entry></VelornTool></Root>")
            << "no|||||";
        QTest::newRow("an unclosed element") << "<Root><VelornTool><Entry>" + entry + "</VelornTool></Root>"
                                             << "no|||||";
        QTest::newRow("text after the root")
            << "<Root><VelornTool><Entry>" + entry + "</Entry></VelornTool></Root><Root/>"
            << "no|||||";
        QTest::newRow("an entity declared")
            << "<!DOCTYPE Root [<!ENTITY v \"3.0.04\">]><Root><VelornTool><Entry>" + entry +
                   "</Entry></VelornTool></Root>"
            << "no|||||";
        QTest::newRow("empty") << QByteArray() << "no|||||";
        // Root, section, entry and field are four levels: twelve more are the most.
        QTest::newRow("sixteen levels") << nested(12) << "yes|3.0.04||||";
        QTest::newRow("seventeen levels") << nested(13) << "no|||||";
    }
    void lists()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, expected);
        const UpdateListEntry e =
            readUpdateList(xml, QStringLiteral("VelornTool"), QStringLiteral("Tickforge"));
        QCOMPARE(
            QStringList({e.parsed ? "yes" : "no", e.version, e.url, e.urlEn, e.sha256, e.expires}).join('|'),
            expected);
    }

    // A signed list read on 2026-12-06; "sign" says what signs which bytes.
    void signatures_data()
    {
        QTest::addColumn<QByteArray>("fields");
        QTest::addColumn<QString>("sign");
        QTest::addColumn<QString>("verdict");
        const QByteArray sum =
            "<SHA256>fd5321af03138056625c8188520f843e06c0f383bf8691746eea601fbdb54cae</SHA256>";
        const QByteArray expires = "<Expires>2027-01-01</Expires>";
        QTest::newRow("signed") << sum + expires << "good"
                                << "Good";
        QTest::newRow("signature with blanks and a line feed") << sum + expires << "good padded"
                                                               << "Good";
        QTest::newRow("checksum in capitals") << QByteArray(sum).toUpper() + expires << "good"
                                              << "Good";
        QTest::newRow("one byte of the list changed") << sum + expires << "tampered"
                                                      << "BadSignature";
        QTest::newRow("signed with another key") << sum + expires << "other"
                                                 << "BadSignature";
        QTest::newRow("signature cut by a byte") << sum + expires << "truncated"
                                                 << "BadSignature";
        QTest::newRow("signature one byte longer") << sum + expires << "longer"
                                                   << "BadSignature";
        QTest::newRow("signature not base64") << sum + expires << "garbage"
                                              << "BadSignature";
        QTest::newRow("no signature") << sum + expires << "none"
                                      << "BadSignature";
        QTest::newRow("key cut by a byte") << sum + expires << "short key"
                                           << "BadSignature";
        QTest::newRow("checksum of 63 digits")
            << "<SHA256>" + QByteArray(63, 'a') + "</SHA256>" + expires << "good"
            << "Unreadable";
        QTest::newRow("checksum not hexadecimal")
            << "<SHA256>" + QByteArray(64, 'g') + "</SHA256>" + expires << "good"
            << "Unreadable";
        QTest::newRow("no checksum") << expires << "good"
                                     << "Unreadable";
        QTest::newRow("no expiry") << sum << "good"
                                   << "Unreadable";
        QTest::newRow("expiry not a date") << sum + "<Expires>2027-02-30</Expires>"
                                           << "good"
                                           << "Unreadable";
        QTest::newRow("expiry in another format") << sum + "<Expires>01.01.2027</Expires>"
                                                  << "good"
                                                  << "Unreadable";
        QTest::newRow("expired today") << sum + "<Expires>2026-12-06</Expires>"
                                       << "good"
                                       << "Expired";
        QTest::newRow("expires tomorrow") << sum + "<Expires>2026-12-07</Expires>"
                                          << "good"
                                          << "Good";
        QTest::newRow("expires in 401 days") << sum + "<Expires>2028-01-11</Expires>"
                                             << "good"
                                             << "ExpiresTooLate";
        // Without a key nothing is asked of the signature, the checksum or the expiry.
        QTest::newRow("no key, no signature, no checksum") << QByteArray() << "no key"
                                                           << "Good";
        QTest::newRow("no key, garbage signature") << sum << "no key garbage"
                                                   << "Good";
        QTest::newRow("no key, malformed checksum") << QByteArray("<SHA256>12</SHA256>") << "no key"
                                                    << "Good";
        QTest::newRow("no key, expiry not a date") << QByteArray("<Expires>soon</Expires>") << "no key"
                                                   << "Unreadable";
    }
    void signatures()
    {
        QFETCH(QByteArray, fields);
        QFETCH(QString, sign);
        QFETCH(QString, verdict);
        const QByteArray list = "<Root><VelornTool><Entry><Name>Tickforge</Name><Version>3.0.04</Version>"
                                "<URLEN>https://host/Tool.zip</URLEN>" +
                                fields + "</Entry></VelornTool></Root>";
        QByteArray signature =
            signed64(sign == "other" ? m_otherKey.get() : m_key.get(),
                     sign == "tampered" ? QByteArray(list).replace("3.0.04", "3.0.05") : list);
        QByteArray key = m_public;
        if (sign == "good padded")
            signature = "  " + signature.toBase64() + " \n";
        else if (sign == "truncated")
            signature = signature.left(63).toBase64();
        else if (sign == "longer")
            signature = QByteArray(signature + 'x').toBase64();
        else if (sign.endsWith("garbage"))
            signature = "%%not-base64%%";
        else if (sign == "none")
            signature.clear();
        else
            signature = signature.toBase64();
        if (sign == "short key")
            key.chop(1);
        if (sign.startsWith("no key"))
            key.clear();
        const QStringList verdicts{"Good", "Unreadable", "BadSignature", "Expired", "ExpiresTooLate"};
        const CheckedList checked = checkUpdateList(list, signature, key, QDate(2026, 12, 6));
        QCOMPARE(verdicts.value(int(checked.verdict)), verdict);
        if (verdict == "Good")
            QCOMPARE(checked.entry.version, QString("3.0.04"));
    }

    // What `tickforge-cli update` refuses before it goes near the network.
    void commandLineUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        const QString hex63(63, 'a');
        QTest::newRow("unknown option")
            << QStringList{"--frobnicate"} << "update: unknown argument \"--frobnicate\"";
        QTest::newRow("a value given to a switch")
            << QStringList{"--overwrite=yes"} << "update: unknown argument \"--overwrite=yes\"";
        QTest::newRow("base without a value") << QStringList{"--base"} << "update: --base needs a value";
        QTest::newRow("empty base") << QStringList{"--base="} << "update: --base needs a value";
        QTest::newRow("download without a value")
            << QStringList{"--download"} << "update: --download needs a value";
        QTest::newRow("download into a missing folder")
            << QStringList{"--download", "/nonexistent/tickforge"}
            << "update: \"/nonexistent/tickforge\" is not a directory";
        QTest::newRow("checksum of 63 digits")
            << QStringList{"--sha256", hex63} << "update: --sha256 needs 64 hexadecimal digits";
        QTest::newRow("checksum with a letter past f")
            << QStringList{"--sha256=" + hex63 + "g"} << "update: --sha256 needs 64 hexadecimal digits";
    }
    void commandLineUsage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QProcess cli;
        cli.start(QStringLiteral(TF_CLI_PATH), QStringList{QStringLiteral("update")} + arguments);
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), 1);
        QCOMPARE(QString(cli.readAllStandardOutput()), QString());
        QCOMPARE(QString(cli.readAllStandardError()),
                 "tickforge-cli: " + error + "\nTry \"tickforge-cli --help\".\n");
    }

    // How a check against the local server ends: the status, both outputs,
    // and what is left in the package's folder (nothing unless saved).
    void commandLineStatus_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::addColumn<QStringList>("left");
        const QByteArray list = "<Root><VelornTool><Entry><Name>Tickforge</Name><Version>VERSION</Version>"
                                "<URLEN>BASE/pkg/Tool.zip</URLEN></Entry></VelornTool></Root>";
        const QString unsigned_ = "signature: not checked (this build has no key)\n";
        const QString newer = "version 3.0.04\ncurrent 3.0.03\nnewer yes\n" + unsigned_;
        // sha256 of "english package"
        const QString sum = "fd5321af03138056625c8188520f843e06c0f383bf8691746eea601fbdb54cae";
        QTest::newRow("up to date") << QByteArray(list).replace("VERSION", "3.0.03") << "--base BASE" << 0
                                    << "version 3.0.03\ncurrent 3.0.03\nnewer no\n" + unsigned_ << QString()
                                    << QStringList();
        QTest::newRow("up to date, download asked")
            << QByteArray(list).replace("VERSION", "3.0.03") << "--base BASE --download DIR" << 0
            << "version 3.0.03\ncurrent 3.0.03\nnewer no\n" + unsigned_ << QString() << QStringList();
        QTest::newRow("newer, report only") << QByteArray(list).replace("VERSION", "3.0.04") << "--base BASE"
                                            << 10 << newer << QString() << QStringList();
        QTest::newRow("list not found") << QByteArray() << "--base BASE" << 6 << unsigned_
                                        << "Error: Download failed: The server answered with status 404.\n"
                                        << QStringList();
        // Nobody listens there: the refusal ends the check at once, said as such.
        QTest::newRow("connection refused") << QByteArray() << "--base CLOSED" << 6 << unsigned_
                                            << "Error: Download failed: Connection refused\n"
                                            << QStringList();
        QTest::newRow("list unreadable") << QByteArray("<Root><VelornTool>") << "--base BASE" << 6
                                         << unsigned_ << "Error: The update list could not be read.\n"
                                         << QStringList();
        QTest::newRow("version unreadable") << QByteArray(list).replace("VERSION", "V3.0.04") << "--base BASE"
                                            << 6 << unsigned_ << "Error: The update list could not be read.\n"
                                            << QStringList();
        QTest::newRow("downloaded and checked")
            << QByteArray(list).replace("VERSION", "3.0.04") << "--base BASE --download DIR --sha256 " + sum
            << 0 << newer + "saved DIR/Tool_V3.0.04.zip\n"
            << QString() << QStringList{"Tool_V3.0.04.zip"};
        QTest::newRow("tampered package refused, nothing kept")
            << QByteArray(list).replace("VERSION", "3.0.04")
            << "--base BASE --download DIR --sha256 " + QString(sum).replace(0, 1, "e") << 6 << newer
            << "Error: Download failed: The file does not match its SHA-256 checksum.\n"
            << QStringList();
        QTest::newRow("list's checksum differs from the one asked")
            << QByteArray(list)
                   .replace("VERSION", "3.0.04")
                   .replace("</URLEN>", "</URLEN><SHA256>" + sum.toLatin1() + "</SHA256>")
            << "--base BASE --download DIR --sha256 " + QString(sum).replace(0, 1, "e") << 6 << newer
            << "Error: Download failed: The file does not match its SHA-256 checksum.\n"
            << QStringList();
        QTest::newRow("truncated package, nothing kept")
            << QByteArray(list).replace("VERSION", "3.0.04").replace("/pkg/Tool", "/pkg/Cut")
            << "--base BASE --download DIR" << 6 << newer
            << "Error: Download failed: The connection ended before the whole file arrived.\n"
            << QStringList();
        QTest::newRow("package not found, nothing kept")
            << QByteArray(list).replace("VERSION", "3.0.04").replace("/pkg/Tool", "/pkg/Gone")
            << "--base BASE --download DIR" << 6 << newer
            << "Error: Download failed: The server answered with status 404.\n"
            << QStringList();
    }
    void commandLineStatus()
    {
        QFETCH(QByteArray, list);
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(QStringList, left);
        QTemporaryDir dir, tempRoot;
        list.replace("BASE", m_http.base().toUtf8());
        m_http.setRoute("/download/VelornDownloadResource.xml",
                        TestServer::file(list, list.isEmpty() ? 404 : 200));
        m_http.setRoute("/pkg/Tool.zip", TestServer::file("english package"));
        TestServer::Route cut = TestServer::file("english package");
        cut.generated = 100000;
        cut.cutAfter = 50000;
        m_http.setRoute("/pkg/Cut.zip", cut);
        QTcpServer closed; // a port that was just free, and is again
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        arguments.replace("BASE", m_http.base() + "/download").replace("DIR", dir.path());
        arguments.replace("CLOSED", QString("http://127.0.0.1:%1/download").arg(port));
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), tempRoot.path());
        cli.setProcessEnvironment(environment);
        cli.start(QStringLiteral(TF_CLI_PATH), QStringList{QStringLiteral("update")} + arguments.split(' '));
        QTRY_COMPARE_WITH_TIMEOUT(cli.state(), QProcess::NotRunning, 30000); // the server answers meanwhile
        QCOMPARE(cli.exitCode(), status);
        QCOMPARE(QString(cli.readAllStandardOutput()), out.replace("DIR", dir.path()));
        QCOMPARE(QString(cli.readAllStandardError()), err);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), left);
        QCOMPARE(QDir(tempRoot.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
        if (!left.isEmpty()) {
            QFile saved(dir.filePath(left.first()));
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QCOMPARE(saved.readAll(), QByteArray("english package"));
        }
    }

private:
    // A list whose Version field holds its text inside wrappers more levels deep.
    static QByteArray nested(int wrappers)
    {
        return "<Root><VelornTool><Entry><Name>Tickforge</Name><Version>" +
               QByteArray("<w>").repeated(wrappers) + "3.0.04" + QByteArray("</w>").repeated(wrappers) +
               "</Version></Entry></VelornTool></Root>";
    }

    using Key = std::unique_ptr<EVP_PKEY, void (*)(EVP_PKEY *)>;

    // A fresh Ed25519 key in key; its raw public half.
    static QByteArray newKey(Key &key)
    {
        EVP_PKEY_CTX *context = EVP_PKEY_CTX_new_id(EVP_PKEY_ED25519, nullptr);
        EVP_PKEY *made = nullptr;
        const bool ok = EVP_PKEY_keygen_init(context) == 1 && EVP_PKEY_keygen(context, &made) == 1;
        EVP_PKEY_CTX_free(context);
        key.reset(made);
        QByteArray raw(32, '\0');
        size_t size = 32;
        if (!ok ||
            EVP_PKEY_get_raw_public_key(made, reinterpret_cast<unsigned char *>(raw.data()), &size) != 1)
            return QByteArray();
        return raw;
    }

    // The raw 64-byte Ed25519 signature of message.
    static QByteArray signed64(EVP_PKEY *key, const QByteArray &message)
    {
        QByteArray signature(64, '\0');
        size_t size = 64;
        EVP_MD_CTX *context = EVP_MD_CTX_new();
        EVP_DigestSignInit(context, nullptr, nullptr, nullptr, key);
        EVP_DigestSign(context, reinterpret_cast<unsigned char *>(signature.data()), &size,
                       reinterpret_cast<const unsigned char *>(message.constData()), size_t(message.size()));
        EVP_MD_CTX_free(context);
        return signature;
    }

    TestServer m_http;
    Key m_key{nullptr, EVP_PKEY_free};
    Key m_otherKey{nullptr, EVP_PKEY_free};
    QByteArray m_public, m_otherPublic;
};

QTEST_GUILESS_MAIN(TestUpdateEdges)
#include "tst_updateedges.moc"

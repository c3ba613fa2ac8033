#include "TestHelpers.h"
#include "VersionCheck.h"

#include <QtTest>

// tf_sign's key and signature are what the program accepts, and it signs no
// list the program would refuse, nor overwrites a key.
class TestSign : public QObject {
    Q_OBJECT

private slots:
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

        // The product's entry after another tool's with a newer version.
        const QByteArray
            entry = "<Entry><Name>Tickforge</Name><Version>3.0.04</Version><URLEN>u</URLEN><SHA256>" +
                    QByteArray(64, 'a') + "</SHA256><Expires>2099-01-01</Expires><URL>z</URL></Entry>",
            good = "<Root><VelornTool><Entry><Version>9.0.0</Version><Name>Tickwork</Name></Entry>" + entry +
                   "</VelornTool></Root>";
        QVERIFY(!writeFile(dir.filePath("good.xml"), good).isNull());
        QCOMPARE(sign({"sign", "key.pem", "good.xml"}), 0);
        QFile signature(dir.filePath("good.xml.sig"));
        QVERIFY(signature.open(QIODevice::ReadOnly));
        QCOMPARE(int(checkUpdateList(good, signature.readAll(), key, QDate(2026, 12, 6)).verdict),
                 int(ListVerdict::Good));

        const QByteArray expired = QByteArray(good).replace("2099-01-01", "2020-01-01"),
                         twice = QByteArray(good).replace("</VelornTool>", entry + "</VelornTool>");
        for (const QByteArray &refused : {expired, twice}) {
            QVERIFY(!writeFile(dir.filePath("bad.xml"), refused).isNull());
            QCOMPARE(sign({"sign", "key.pem", "bad.xml"}), 1);
            QVERIFY(!QFile::exists(dir.filePath("bad.xml.sig")));
        }
    }
};

QTEST_GUILESS_MAIN(TestSign)
#include "tst_sign.moc"

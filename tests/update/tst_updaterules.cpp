#include "Crypto.h"
#include "UpdateService.h"
#include "VersionCheck.h"

#include "TableRows.h"

#include <QtTest>

// How the update check packs and compares versions and which entry of the
// maker's list it reads: an older version offered as new, or another tool's
// package, would go unnoticed until a user installs it.
class TestUpdateRules : public QObject {
    Q_OBJECT

private slots:
    void ownVersion()
    {
        QCOMPARE(UpdateCheck::programVersion, 196611); // (3 * 256 + 0) * 256 + 3
        QCOMPARE(QString(UpdateCheck::programVersionText()), QString("3.0.03"));
        QCOMPARE(QString(UpdateCheck::listFileName()), QString("VelornDownloadResource.xml"));
    }

    void versions_data() { addTableRows("update_versions.tsv"); }
    void versions()
    {
        QFETCH(QString, version);
        QFETCH(int, packed);
        QFETCH(bool, newer);
        bool ok = false;
        QCOMPARE(versionNumber(version, &ok), packed);
        QCOMPARE(ok, packed != 0);
        QCOMPARE(versionNumber(version) > UpdateCheck::programVersion, newer);
    }

    void list_data() { addTableRows("update_lists.tsv"); }
    void list()
    {
        QFETCH(QString, xml);
        QFETCH(QString, expected);
        const UpdateListEntry e =
            readUpdateList(xml.toUtf8(), QStringLiteral("VelornTool"), QStringLiteral("Tickforge"));
        QCOMPARE(QStringList({e.parsed ? "yes" : "no", e.version, e.url, e.urlEn}).join('|'), expected);
    }

    // A list may not vouch for itself for ever.
    void expiry_data() { addTableRows("update_expiry.tsv"); }
    void expiry()
    {
        QFETCH(QString, expires);
        QFETCH(QString, verdict);
        const QStringList verdicts{"Good", "Unreadable", "BadSignature", "Expired", "ExpiresTooLate"};
        const QByteArray field =
            expires == "NONE" ? QByteArray() : "<Expires>" + expires.toUtf8() + "</Expires>";
        const QByteArray list = "<Root><VelornTool><Entry><Name>Tickforge</Name><Version>3.0.04</Version>" +
                                field + "<URLEN>en.zip</URLEN></Entry></VelornTool></Root>";
        QCOMPARE(verdicts.value(
                     int(checkUpdateList(list, QByteArray(), QByteArray(), QDate(2026, 12, 6)).verdict)),
                 verdict);
    }

    // With a key of small order, a signature of zero bytes verifies for about
    // one message in four: such a key verifies nothing.
    void unsafeKeys_data() { addTableRows("update_unsafekeys.tsv"); }
    void unsafeKeys()
    {
        QFETCH(QString, key);
        const QByteArray raw = QByteArray::fromHex(key.toLatin1());
        QCOMPARE(raw.size(), 32);
        QVERIFY(isUnsafeEd25519Key(raw));
        int verified = 0;
        for (int i = 0; i < 40; ++i)
            verified += verifyEd25519(raw, "list " + QByteArray::number(i), QByteArray(64, '\0')) ? 1 : 0;
        QCOMPARE(verified, 0);
        // A key one bit away is an ordinary key.
        QByteArray near = raw;
        near[7] = char(near.at(7) ^ 0x10);
        QVERIFY(!isUnsafeEd25519Key(near));
    }
};

QTEST_GUILESS_MAIN(TestUpdateRules)
#include "tst_updaterules.moc"

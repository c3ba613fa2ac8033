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
};

QTEST_GUILESS_MAIN(TestUpdateRules)
#include "tst_updaterules.moc"

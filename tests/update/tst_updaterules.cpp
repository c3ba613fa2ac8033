#include "UpdateService.h"
#include "VersionCheck.h"

#include <QtTest>

// How the update check packs and compares versions and which entry of the
// maker's list it reads: an older version offered as new, or another tool's
// package, would go unnoticed until a user installs it.
class TestUpdateRules : public QObject {
    Q_OBJECT

private slots:
    void ownVersion();
    void versions_data();
    void versions();
    void list_data();
    void list();
};

void TestUpdateRules::ownVersion()
{
    QCOMPARE(UpdateCheck::programVersion, 196611); // (3 * 256 + 0) * 256 + 3
    QCOMPARE(QString(UpdateCheck::programVersionText()), QString("3.0.03"));
    QCOMPARE(QString(UpdateCheck::listFileName()), QString("VelornDownloadResource.xml"));
}

void TestUpdateRules::versions_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<int>("packed");
    QTest::addColumn<bool>("newer"); // than the program's own 3.0.03
    QTest::newRow("own version") << "3.0.03" << 196611 << false;
    QTest::newRow("next patch") << "3.0.04" << 196612 << true;
    QTest::newRow("older patch") << "3.0.02" << 196610 << false;
    QTest::newRow("older major, larger patch") << "2.0.99" << 131225 << false;
    QTest::newRow("next minor") << "3.1.00" << 196864 << true;
    QTest::newRow("parts are hexadecimal") << "3.0.0A" << 196618 << true;
    QTest::newRow("hexadecimal 09") << "3.0.09" << 196617 << true;
    QTest::newRow("hexadecimal major") << "10.0.0" << 1048576 << true;
    QTest::newRow("two parts repeat the minor") << "3.1" << 196865 << true;
    QTest::newRow("two parts, minor 0") << "3.0" << 196608 << false;
    QTest::newRow("parts are not masked") << "2.100.0" << 196608 << false;
    QTest::newRow("leading letter") << "V3.0.04" << 0 << false;
    QTest::newRow("letter in the patch") << "3.0.0G" << 0 << false;
    QTest::newRow("empty patch") << "3.0." << 0 << false;
    QTest::newRow("empty") << "" << 0 << false;
}

void TestUpdateRules::versions()
{
    QFETCH(QString, version);
    QFETCH(int, packed);
    QFETCH(bool, newer);
    bool ok = false;
    QCOMPARE(versionNumber(version, &ok), packed);
    QCOMPARE(ok, packed != 0);
    QCOMPARE(versionNumber(version) > UpdateCheck::programVersion, newer);
}

void TestUpdateRules::list_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("expected"); // parsed|Version|URL|URLEN
    const auto row = [](const char *tag, const QByteArray &sections, const char *expected) {
        QTest::newRow(tag) << QByteArray("<Root>" + sections + "</Root>") << QString(expected);
    };
    const QByteArray other = "<Entry><Name>OtherTool</Name><Version>9.9.99</Version><URL>o</URL></Entry>";
    const QByteArray ours = "<Entry><Name>Tickforge</Name><Version>3.0.04</Version><URL>zh.zip</URL>"
                            "<URLEN>en.zip</URLEN></Entry>";
    row("our entry", "<VelornTool>" + ours + "</VelornTool>", "yes|3.0.04|zh.zip|en.zip");
    row("after another tool's entry", "<VelornTool>" + other + ours + "</VelornTool>",
        "yes|3.0.04|zh.zip|en.zip");
    row("fields before the name are passed over",
        "<VelornTool><Entry><Version>3.0.05</Version><Name>Tickforge</Name><URL>zh.zip</URL></Entry></"
        "VelornTool>",
        "yes||zh.zip|");
    row("the name may be any element",
        "<VelornTool><Entry><Tool>Tickforge</Tool><Version>3.0.04</Version></Entry></VelornTool>",
        "yes|3.0.04||");
    row("a name that only starts alike",
        "<VelornTool><Entry><Name>Tickforge2</Name><Version>3.0.04</Version></Entry></VelornTool>", "yes|||");
    // One section, one entry, each field once: anything else is no list to trust.
    row("a second section of that name",
        "<VelornTool>" + other + "</VelornTool><VelornTool>" + ours + "</VelornTool>", "no|||");
    row("section among other sections", "<Other>" + ours + "</Other><VelornTool>" + ours + "</VelornTool>",
        "yes|3.0.04|zh.zip|en.zip");
    row("section below the root's children", "<Group><VelornTool>" + ours + "</VelornTool></Group>",
        "yes|||");
    row("a field repeated in the entry",
        "<VelornTool><Entry><Name>Tickforge</Name><Version>3.0.04</Version><Version>3.0.05</Version>"
        "</Entry></VelornTool>",
        "no|||");
    QTest::newRow("not XML") << QByteArray("<Root><VelornTool>") << QString("no|||");
}

void TestUpdateRules::list()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, expected);
    const UpdateListEntry e = readUpdateList(xml, QStringLiteral("VelornTool"), QStringLiteral("Tickforge"));
    QCOMPARE(QStringList({e.parsed ? "yes" : "no", e.version, e.url, e.urlEn}).join('|'), expected);
}

QTEST_GUILESS_MAIN(TestUpdateRules)
#include "tst_updaterules.moc"

#include "UpdateCheck.h"
#include "VersionCheck.h"

#include <QTemporaryDir>
#include <QtTest>

class TestVersionCheck : public QObject {
    Q_OBJECT

private slots:
    void versionNumber_data();
    void versionNumber();
    void readListValue_data();
    void readListValue();
};

void TestVersionCheck::versionNumber_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("newer"); // than the program's own 3.0.03

    const auto row = [](const char *tag, const char *version, int major, int minor, int patch, bool newer) {
        QTest::newRow(tag) << version << (major * 256 + minor) * 256 + patch << newer;
    };
    row("program's own", "3.0.03", 3, 0, 3, false);
    row("older", "3.0.02", 3, 0, 2, false);
    row("next patch", "3.0.04", 3, 0, 4, true);
    row("hex patch A beats 09", "3.0.0A", 3, 0, 10, true);
    row("hex lower case", "3.0.1f", 3, 0, 31, true);
    row("two parts repeat the minor", "3.1", 3, 1, 1, true);
    row("parts are not masked", "1.100.0", 1, 0x100, 0, false);
    row("older major", "2.FF.FF", 2, 255, 255, false);
    row("extra dots stay in the patch", "3.0.0.1", 0, 0, 0, false);
    row("leading letter", "V3.0.04", 0, 0, 0, false);
    row("empty", "", 0, 0, 0, false);
    row("no dot", "3", 0, 0, 0, false);
    row("empty part", "3..4", 0, 0, 0, false);
    row("garbage patch", "3.0.x", 0, 0, 0, false);
    QTest::newRow("huge stays in range") << "7FFFFFFF.0.0" << std::numeric_limits<int>::max() << true;
}

void TestVersionCheck::versionNumber()
{
    QFETCH(QString, version);
    QFETCH(int, expected);
    QFETCH(bool, newer);
    QCOMPARE(::versionNumber(version), expected);
    QCOMPARE(::versionNumber(version) > UpdateCheck::programVersion, newer);
}

void TestVersionCheck::readListValue_data()
{
    QTest::addColumn<QByteArray>("xml"); // null: no file at all
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *tag, const QByteArray &xml, const char *section, const char *field,
                        const char *expected) {
        QTest::newRow(tag) << xml << section << field << expected;
    };

    const QByteArray list =
        "<Root><Other><E><Name>Tickforge</Name><Version>9.9.9</Version></E></Other>"
        "<VelornTool><Entry><Name>OtherTool</Name><Version>1.0.0</Version></Entry>"
        "<Entry><Name>Tickforge</Name><Version>3.0.04</Version>"
        "<URLEN>https://h/en.zip</URLEN><URL>https://h/zh.zip</URL></Entry></VelornTool></Root>";
    row("version of the product", list, "VelornTool", "Version", "3.0.04");
    row("English address", list, "VelornTool", "URLEN", "https://h/en.zip");
    row("Chinese address", list, "VelornTool", "URL", "https://h/zh.zip");
    row("missing field", list, "VelornTool", "SHA256", "");
    row("missing section", list, "NoSuchSection", "Version", "");
    row("field before key passed over",
        "<Root><VelornTool><Entry><Version>9.0.0</Version><Name>Tickforge</Name></Entry>"
        "<Entry><Name>Tickforge</Name><Version>3.0.05</Version></Entry></VelornTool></Root>",
        "VelornTool", "Version", "3.0.05");
    row("key only counts in its own entry",
        "<Root><VelornTool><Entry><Name>Tickforge</Name></Entry><Entry><Version>4.0.0</Version></Entry>"
        "</VelornTool></Root>",
        "VelornTool", "Version", "");
    row("comments between elements are skipped",
        "<Root><VelornTool><Entry><!-- c --><Name>Tickforge</Name><!-- d --><Version>3.0.06</Version></Entry>"
        "</VelornTool></Root>",
        "VelornTool", "Version", "3.0.06");
    row("section must be a direct child of the root",
        "<Root><Wrap><VelornTool><Entry><Name>Tickforge</Name><Version>3.0.07</Version></Entry></VelornTool>"
        "</Wrap></Root>",
        "VelornTool", "Version", "");
    row("not XML", "<Root><VelornTool>", "VelornTool", "Version", "");
    row("unreadable file", QByteArray(), "VelornTool", "Version", "");
}

void TestVersionCheck::readListValue()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, section);
    QFETCH(QString, field);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.xml"));
    QFile file(path);
    QVERIFY(xml.isNull() || (file.open(QIODevice::WriteOnly) && file.write(xml) == xml.size()));
    file.close();
    QCOMPARE(::readListValue(path, section, QStringLiteral("Tickforge"), field), expected);
}

QTEST_GUILESS_MAIN(TestVersionCheck)
#include "tst_versioncheck.moc"

#include "UpdateCheck.h"
#include "VersionCheck.h"

#include <QTemporaryDir>
#include <QtTest>

class TestVersionCheck : public QObject {
    Q_OBJECT

private slots:
    void versionNumber_data();
    void versionNumber();
    void newerThanProgram_data();
    void newerThanProgram();
    void readListValue_data();
    void readListValue();
    void readListValueUnreadableFile();

private:
    QTemporaryDir m_dir;
};

void TestVersionCheck::versionNumber_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<int>("expected");

    QTest::newRow("program's own") << "3.0.03" << ((3 * 256 + 0) * 256 + 3);
    QTest::newRow("next patch") << "3.0.04" << ((3 * 256 + 0) * 256 + 4);
    QTest::newRow("hex patch A") << "3.0.0A" << ((3 * 256 + 0) * 256 + 10);
    QTest::newRow("hex lower case") << "3.0.1f" << ((3 * 256 + 0) * 256 + 31);
    QTest::newRow("two parts repeat the minor") << "3.1" << ((3 * 256 + 1) * 256 + 1);
    QTest::newRow("extra dots stay in the patch") << "3.0.0.1" << 0;
    QTest::newRow("parts are not masked") << "1.100.0" << ((1 * 256 + 0x100) * 256 + 0);
    QTest::newRow("leading letter") << "V3.0.04" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("no dot") << "3" << 0;
    QTest::newRow("empty part") << "3..4" << 0;
    QTest::newRow("garbage patch") << "3.0.x" << 0;
    QTest::newRow("huge stays in range") << "7FFFFFFF.0.0" << std::numeric_limits<int>::max();
}

void TestVersionCheck::versionNumber()
{
    QFETCH(QString, version);
    QFETCH(int, expected);
    QCOMPARE(::versionNumber(version), expected);
}

void TestVersionCheck::newerThanProgram_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("newer");

    QTest::newRow("same") << "3.0.03" << false;
    QTest::newRow("older") << "3.0.02" << false;
    QTest::newRow("newer patch") << "3.0.04" << true;
    QTest::newRow("hex beats decimal look") << "3.0.0A" << true;
    QTest::newRow("newer minor") << "3.1" << true;
    QTest::newRow("older major") << "2.FF.FF" << false;
    QTest::newRow("unreadable") << "V9.0.0" << false;
}

void TestVersionCheck::newerThanProgram()
{
    QFETCH(QString, version);
    QFETCH(bool, newer);
    QCOMPARE(::versionNumber(version) > UpdateCheck::programVersion, newer);
    QVERIFY(::versionNumber(QStringLiteral("3.0.0A")) > ::versionNumber(QStringLiteral("3.0.09")));
}

void TestVersionCheck::readListValue_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");

    const QByteArray list = "<Root><Other><E><Name>Tickforge</Name><Version>9.9.9</Version></E></Other>"
                            "<VelornTool>"
                            "<Entry><Name>OtherTool</Name><Version>1.0.0</Version></Entry>"
                            "<Entry><Name>Tickforge</Name><Version>3.0.04</Version>"
                            "<URLEN>https://h/en.zip</URLEN><URL>https://h/zh.zip</URL></Entry>"
                            "</VelornTool></Root>";
    QTest::newRow("version of the product") << list << "VelornTool"
                                            << "Version"
                                            << "3.0.04";
    QTest::newRow("English address") << list << "VelornTool"
                                     << "URLEN"
                                     << "https://h/en.zip";
    QTest::newRow("Chinese address") << list << "VelornTool"
                                     << "URL"
                                     << "https://h/zh.zip";
    QTest::newRow("missing field") << list << "VelornTool"
                                   << "SHA256"
                                   << "";
    QTest::newRow("missing section") << list << "NoSuchSection"
                                     << "Version"
                                     << "";
    QTest::newRow("field before key passed over")
        << QByteArray("<Root><VelornTool><Entry><Version>9.0.0</Version><Name>Tickforge</Name></Entry>"
                      "<Entry><Name>Tickforge</Name><Version>3.0.05</Version></Entry></VelornTool></Root>")
        << "VelornTool"
        << "Version"
        << "3.0.05";
    QTest::newRow("key as a later sibling's text only counts in its own entry")
        << QByteArray("<Root><VelornTool><Entry><Name>Tickforge</Name></Entry>"
                      "<Entry><Version>4.0.0</Version></Entry></VelornTool></Root>")
        << "VelornTool"
        << "Version"
        << "";
    QTest::newRow("comments between elements are skipped")
        << QByteArray("<Root><VelornTool><Entry><!-- c --><Name>Tickforge</Name><!-- d -->"
                      "<Version>3.0.06</Version></Entry></VelornTool></Root>")
        << "VelornTool"
        << "Version"
        << "3.0.06";
    QTest::newRow("section must be a direct child of the root")
        << QByteArray("<Root><Wrap><VelornTool><Entry><Name>Tickforge</Name><Version>3.0.07</Version>"
                      "</Entry></VelornTool></Wrap></Root>")
        << "VelornTool"
        << "Version"
        << "";
    QTest::newRow("not XML") << QByteArray("<Root><VelornTool>") << "VelornTool"
                             << "Version"
                             << "";
}

void TestVersionCheck::readListValue()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, section);
    QFETCH(QString, field);
    QFETCH(QString, expected);

    const QString path = m_dir.filePath(QStringLiteral("list.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(xml), qint64(xml.size()));
    file.close();
    QCOMPARE(::readListValue(path, section, QStringLiteral("Tickforge"), field), expected);
}

void TestVersionCheck::readListValueUnreadableFile()
{
    QCOMPARE(::readListValue(m_dir.filePath(QStringLiteral("missing.xml")), QStringLiteral("VelornTool"),
                             QStringLiteral("Tickforge"), QStringLiteral("Version")),
             QString());
}

QTEST_GUILESS_MAIN(TestVersionCheck)
#include "tst_versioncheck.moc"

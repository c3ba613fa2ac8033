#include "ClockConfig.h"
#include "DesignFile.h"
#include "FactoryDocument.h"
#include "SeriesTable.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// The design-file writer and the hardened reader, without any widget.
class TestDesignFile : public QObject {
    Q_OBJECT

private slots:
    void writesFactoryQxc330Document();
    void valueFormats_data();
    void valueFormats();
    void everySeriesRoundTrips_data();
    void everySeriesRoundTrips();
    void unknownSeriesWritesNothing();
    void readerSemantics_data();
    void readerSemantics();
    void hostileDocumentsReadEmpty_data();
    void hostileDocumentsReadEmpty();
    void hostilePathsReadEmpty_data();
    void hostilePathsReadEmpty();
    void oversizedFileReadsEmpty();
};

namespace {

// The record of a QXC330 widget right after New (factory controls, settled).
ClockConfig factoryQxc330()
{
    ClockConfig c(13);
    c.lextBypass = false;
    c.rtcSource = 0;
    c.rtcEnabled = false;
    c.rtcHextDiv = 2;
    c.hextMHz = 8.0;
    c.hextBypass = false;
    c.pllSourceHick = 0;
    c.pllMs = 1;
    c.pllNs = 72;
    c.pllFr = 2;
    c.sclkSource = 1;
    c.ahbDiv = 1;
    c.apb1Div = 2;
    c.apb2Div = 2;
    c.usbDiv = 6.0;
    c.usbSourceHick48 = 0;
    c.usbDisabled = 1;
    c.hickSclk48 = 0;
    c.clkout1Source = 0;
    c.clkout1Div1 = 1;
    c.clkout1Div2 = 1;
    c.clkout1Pin = 0;
    c.clkout2Source = 0;
    c.clkout2Div1 = 1;
    c.clkout2Div2 = 1;
    c.clkout2Pin = 0;
    return c;
}

QByteArray nested(int depth)
{
    QByteArray data = "<Configuration><MCU>QXC330</MCU>";
    for (int i = 0; i < depth; ++i)
        data += "<a>";
    for (int i = 0; i < depth; ++i)
        data += "</a>";
    return data + "</Configuration>";
}

} // namespace

void TestDesignFile::writesFactoryQxc330Document()
{
    const QByteArray expected = factoryQxc330Document();
    QCOMPARE(QString::fromUtf8(DesignFile::write(factoryQxc330(), QStringLiteral("QXC330"))),
             QString::fromUtf8(expected));

    // QXC335 stores the same elements; only the MCU differs.
    ClockConfig c335 = factoryQxc330();
    c335.seriesId = 14;
    QByteArray expected335 = expected;
    expected335.replace("<MCU>QXC330</MCU>", "<MCU>QXC335</MCU>");
    QCOMPARE(DesignFile::write(c335, QStringLiteral("QXC335")), expected335);
}

void TestDesignFile::valueFormats_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("hext whole") << "hext"
                                << "hextMHz" << QVariant(25.0) << "25.000000";
    QTest::newRow("hext fraction") << "hext"
                                   << "hextMHz" << QVariant(12.288) << "12.288000";
    QTest::newRow("hext rounded to six") << "hext"
                                         << "hextMHz" << QVariant(4.0000004) << "4.000000";
    QTest::newRow("usbdiv half") << "usbdiv"
                                 << "usbDiv" << QVariant(1.5) << "1.5";
    QTest::newRow("usbdiv seven") << "usbdiv"
                                  << "usbDiv" << QVariant(7.0) << "7.0";
    QTest::newRow("flag on") << "lextbypass"
                             << "lextBypass" << QVariant(true) << "1";
    QTest::newRow("rtc enabled") << "rtcswitch"
                                 << "rtcEnabled" << QVariant(true) << "1";
    QTest::newRow("integer") << "pllns"
                             << "pllNs" << QVariant(500) << "500";
    QTest::newRow("negative integer kept") << "clkout1pinselect"
                                           << "clkout1Pin" << QVariant(-1) << "-1";
    QTest::newRow("divider") << "clkout2div2"
                             << "clkout2Div2" << QVariant(512) << "512";
}

void TestDesignFile::valueFormats()
{
    QFETCH(QString, element);
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QString, text);

    ClockConfig c = factoryQxc330();
    QVERIFY(c.setFieldValue(field, value));
    const QByteArray document = DesignFile::write(c, QStringLiteral("QXC330"));
    QCOMPARE(DesignFile::parse(document).value(element), text);
    QVERIFY(document.contains(QString(QLatin1Char('<') + element + QLatin1Char('>') + text).toUtf8()));
}

void TestDesignFile::everySeriesRoundTrips_data()
{
    QTest::addColumn<int>("seriesId");
    for (const SeriesParams &row : SeriesTable::all())
        QTest::newRow(row.name) << row.id;
}

void TestDesignFile::everySeriesRoundTrips()
{
    QFETCH(int, seriesId);
    const SeriesParams *row = SeriesTable::byId(seriesId);
    QVERIFY(row);
    const QString name = row->seriesName();

    // Random but reproducible values in every field.
    QRandomGenerator random(quint32(seriesId) * 7919u);
    ClockConfig c(seriesId);
    for (const auto &field : c.fieldValues()) {
        if (field.first == QLatin1String("seriesId"))
            continue;
        QVariant value;
        if (field.second.type() == QVariant::Bool)
            value = random.bounded(2) == 1;
        else if (field.second.type() == QVariant::Double)
            value = random.bounded(2, 50) * 0.5;
        else
            value = random.bounded(0, 600);
        QVERIFY2(c.setFieldValue(field.first, value), qPrintable(field.first));
    }

    const QStringList names = DesignFile::elementNames(name);
    QVERIFY(names.size() > 4);
    QCOMPARE(names.mid(0, 4), (QStringList{"MCU", "lextbypass", "rtcsel", "rtcswitch"}));
    QCOMPARE(int(QSet<QString>(names.begin(), names.end()).size()), names.size());

    const DesignFile::Elements read = DesignFile::parse(DesignFile::write(c, name));
    QCOMPARE(read.size(), names.size());
    QCOMPARE(read.value(QStringLiteral("MCU")), name);
    for (const QString &element : names) {
        const QString text = DesignFile::elementText(c, name, element);
        QVERIFY2(!text.isNull(), qPrintable(element));
        QCOMPARE(read.value(element), text);
    }
}

void TestDesignFile::unknownSeriesWritesNothing()
{
    QVERIFY(DesignFile::write(factoryQxc330(), QString()).isEmpty());
    QVERIFY(DesignFile::write(factoryQxc330(), QStringLiteral("QXC999")).isEmpty());
    QVERIFY(DesignFile::elementText(factoryQxc330(), QStringLiteral("QXC330"), QStringLiteral("nothing"))
                .isNull());
}

void TestDesignFile::readerSemantics_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first of two wins") << QByteArray("<C><pllms>3</pllms><pllms>4</pllms></C>") << "pllms"
                                       << "3";
    QTest::newRow("missing element") << QByteArray("<C><pllms>3</pllms></C>") << "pllns"
                                     << "";
    QTest::newRow("only direct children") << QByteArray("<C><x><pllms>3</pllms></x></C>") << "pllms"
                                          << "";
    QTest::newRow("nested text counts") << QByteArray("<C><hext>1<b>2</b>3</hext></C>") << "hext"
                                        << "123";
    QTest::newRow("predefined entity") << QByteArray("<C><MCU>A&amp;B</MCU></C>") << "MCU"
                                       << "A&B";
    QTest::newRow("character reference") << QByteArray("<C><MCU>&#81;XC330</MCU></C>") << "MCU"
                                         << "QXC330";
    QTest::newRow("cdata") << QByteArray("<C><MCU><![CDATA[QXC335]]></MCU></C>") << "MCU"
                           << "QXC335";
    QTest::newRow("whitespace kept") << QByteArray("<C><pllns> 72 </pllns></C>") << "pllns"
                                     << " 72 ";
    QTest::newRow("root name not checked") << QByteArray("<Other><MCU>QXC330</MCU></Other>") << "MCU"
                                           << "QXC330";
    QTest::newRow("root itself is no child") << QByteArray("<MCU>QXC330</MCU>") << "MCU"
                                             << "";
    const QString utf16Text = QStringLiteral("<C><MCU>QXC330</MCU></C>");
    QByteArray utf16("\xff\xfe");
    utf16.append(reinterpret_cast<const char *>(utf16Text.utf16()), utf16Text.size() * 2);
    QTest::newRow("utf-16 document") << utf16 << "MCU"
                                     << "QXC330";
    QTest::newRow("nested up to the limit") << nested(DesignFile::MaxDepth - 1) << "MCU"
                                            << "QXC330";
}

void TestDesignFile::readerSemantics()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, element);
    QFETCH(QString, expected);
    QCOMPARE(DesignFile::parse(document).value(element), expected);
}

void TestDesignFile::hostileDocumentsReadEmpty_data()
{
    QTest::addColumn<QByteArray>("document");

    const QByteArray good = DesignFile::write(factoryQxc330(), QStringLiteral("QXC330"));
    QVERIFY(!DesignFile::parse(good).isEmpty());

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("only whitespace") << QByteArray("  \n\t ");
    QTest::newRow("truncated in an element") << good.left(good.size() / 2);
    QTest::newRow("truncated before the end tag") << good.left(good.indexOf("</Configuration>"));
    QTest::newRow("binary") << QByteArray("\x00\x01\x02\xff\xfe\x89PNG\r\n\x1a\n\x00\x00", 14);
    QTest::newRow("text, not xml") << QByteArray("MCU=QXC330\npllms=1\n");
    QTest::newRow("two roots") << QByteArray("<C><MCU>QXC330</MCU></C><C/>");
    QTest::newRow("mismatched tags") << QByteArray("<C><MCU>QXC330</mcu></C>");
    QTest::newRow("undeclared entity") << QByteArray("<C><MCU>&x;</MCU></C>");
    QTest::newRow("dtd without entities")
        << QByteArray("<!DOCTYPE Configuration><Configuration><MCU>QXC330</MCU></Configuration>");
    QTest::newRow("internal entity") << QByteArray(
        "<!DOCTYPE C [<!ENTITY m \"QXC330\">]><C><MCU>&m;</MCU></C>");
    QTest::newRow("external entity") << QByteArray(
        "<!DOCTYPE C [<!ENTITY m SYSTEM \"file:///etc/passwd\">]><C><MCU>&m;</MCU></C>");
    QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE C [<!ENTITY l0 \"lol\">";
    for (int i = 1; i < 10; ++i)
        laughs += QStringLiteral("<!ENTITY l%1 \"&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;\">")
                      .arg(i)
                      .arg(i - 1)
                      .toLatin1();
    laughs += "]><C><MCU>QXC330</MCU><hext>&l9;</hext></C>";
    QTest::newRow("exponential entities") << laughs;
    QTest::newRow("nested beyond the limit") << nested(DesignFile::MaxDepth);
    QTest::newRow("very deeply nested") << nested(200000).left(int(DesignFile::MaxFileSize));
    QByteArray huge = "<Configuration><MCU>QXC330</MCU><pad>";
    huge += QByteArray(int(DesignFile::MaxFileSize), 'x');
    huge += "</pad></Configuration>";
    QTest::newRow("over the size limit") << huge;
}

void TestDesignFile::hostileDocumentsReadEmpty()
{
    QFETCH(QByteArray, document);
    const DesignFile::Elements read = DesignFile::parse(document);
    QVERIFY(read.isEmpty());
    QCOMPARE(read.value(QStringLiteral("MCU")), QString());

    // The same through a file.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hostile.TFCC"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(document), qint64(document.size()));
    file.close();
    QCOMPARE(DesignFile::readElement(path, QStringLiteral("MCU")), QString());
}

void TestDesignFile::hostilePathsReadEmpty_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a fifo without writer") << "fifo";
    QTest::newRow("an endless device") << "device";
    QTest::newRow("empty path") << "empty";
}

void TestDesignFile::hostilePathsReadEmpty()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("x.TFCC"));
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("x.TFCC")));
    } else if (kind == QLatin1String("fifo")) {
        // Opening a FIFO with no writer would block forever.
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == QLatin1String("device")) {
        path = QStringLiteral("/dev/zero");
    } else if (kind == QLatin1String("empty")) {
        path.clear();
    }
    QVERIFY(DesignFile::read(path).isEmpty());
    QCOMPARE(DesignFile::readElement(path, QStringLiteral("MCU")), QString());
}

void TestDesignFile::oversizedFileReadsEmpty()
{
    // A valid design padded with a comment just past the limit is refused;
    // the same design just under it is read.
    const QByteArray good = DesignFile::write(factoryQxc330(), QStringLiteral("QXC330"));
    const int room = int(DesignFile::MaxFileSize) - good.size() - 7;
    const QByteArray fits = good + "<!--" + QByteArray(room, 'a') + "-->";
    QCOMPARE(fits.size(), int(DesignFile::MaxFileSize));
    const QByteArray tooBig = fits + " ";

    QTemporaryDir dir;
    const QString fitsPath = dir.filePath(QStringLiteral("fits.TFCC"));
    const QString bigPath = dir.filePath(QStringLiteral("big.TFCC"));
    for (const auto &pair : {qMakePair(fitsPath, fits), qMakePair(bigPath, tooBig)}) {
        QFile file(pair.first);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(pair.second), qint64(pair.second.size()));
    }
    QCOMPARE(DesignFile::readElement(fitsPath, QStringLiteral("pllns")), QStringLiteral("72"));
    QCOMPARE(DesignFile::readElement(bigPath, QStringLiteral("pllns")), QString());
}

QTEST_GUILESS_MAIN(TestDesignFile)
#include "tst_designfile.moc"

#include "ClockConfig.h"
#include "DesignFile.h"
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
    void valueFormats_data();
    void valueFormats();
    void everySeriesRoundTrips_data();
    void everySeriesRoundTrips();
    void readerSemantics_data();
    void readerSemantics();
    void hostileDocumentsReadEmpty_data();
    void hostileDocumentsReadEmpty();
    void hostilePathsReadEmpty_data();
    void hostilePathsReadEmpty();
};

namespace {

QByteArray factoryDocument()
{
    return DesignFile::write(ClockConfig(13), QStringLiteral("QXC330"));
}

QByteArray nested(int depth)
{
    return "<Configuration><MCU>QXC330</MCU>" + QByteArray("<a>").repeated(depth) +
           QByteArray("</a>").repeated(depth) + "</Configuration>";
}

// A valid design padded with a comment to exactly size bytes.
QByteArray paddedTo(qint64 size)
{
    const QByteArray good = factoryDocument();
    return good + "<!--" + QByteArray(int(size - good.size() - 7), 'a') + "-->";
}

QString throughFile(const QByteArray &document, const QString &element)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.TFCC"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size())
        return QStringLiteral("<not written>");
    file.close();
    return DesignFile::readElement(path, element);
}

} // namespace

void TestDesignFile::valueFormats_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("text");

    const auto row = [](const char *tag, const char *field, const QVariant &value, const char *element,
                        const char *text) {
        QTest::newRow(tag) << field << value << element << text;
    };
    row("hext whole", "hextMHz", 25.0, "hext", "25.000000");
    row("hext rounded to six", "hextMHz", 12.2880004, "hext", "12.288000");
    row("usbdiv half", "usbDiv", 1.5, "usbdiv", "1.5");
    row("usbdiv whole", "usbDiv", 7.0, "usbdiv", "7.0");
    row("flag", "rtcEnabled", true, "rtcswitch", "1");
    row("negative integer", "clkout1Pin", -1, "clkout1pinselect", "-1");
}

void TestDesignFile::valueFormats()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QString, element);
    QFETCH(QString, text);

    ClockConfig c(13);
    QVERIFY(c.setFieldValue(field, value));
    const QByteArray document = DesignFile::write(c, QStringLiteral("QXC330"));
    QVERIFY(document.contains(QStringLiteral("\n    <%1>%2</%1>\n").arg(element, text).toUtf8()));
    QCOMPARE(DesignFile::parse(document).value(element), text);
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
    const QString name = SeriesTable::byId(seriesId)->seriesName();

    // Random but reproducible values in every field.
    QRandomGenerator random(quint32(seriesId) * 7919u);
    ClockConfig c(seriesId);
    for (const auto &field : c.fieldValues()) {
        if (field.first == QLatin1String("seriesId"))
            continue;
        const QVariant value = field.second.type() == QVariant::Bool ? QVariant(random.bounded(2) == 1)
                               : field.second.type() == QVariant::Double
                                   ? QVariant(random.bounded(2, 50) * 0.5)
                                   : QVariant(random.bounded(0, 600));
        QVERIFY2(c.setFieldValue(field.first, value), qPrintable(field.first));
    }

    const QStringList names = DesignFile::elementNames(name);
    QVERIFY(names.size() > 4);
    const DesignFile::Elements read = DesignFile::parse(DesignFile::write(c, name));
    QCOMPARE(read.size(), names.size());
    QCOMPARE(read.value(QStringLiteral("MCU")), name);
    for (const QString &element : names)
        QCOMPARE(read.value(element), DesignFile::elementText(c, name, element));

    // A name that is no series or no element gives nothing to save.
    QVERIFY(DesignFile::write(c, QStringLiteral("QXC999")).isEmpty());
    QVERIFY(DesignFile::elementText(c, name, QStringLiteral("nothing")).isNull());
}

void TestDesignFile::readerSemantics_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char *tag, const QByteArray &document, const char *element,
                        const char *expected) {
        QTest::newRow(tag) << document << element << expected;
    };
    row("first of two wins", "<C><pllms>3</pllms><pllms>4</pllms></C>", "pllms", "3");
    row("only direct children", "<C><x><pllms>3</pllms></x></C>", "pllms", "");
    row("root itself is no child", "<MCU>QXC330</MCU>", "MCU", "");
    row("nested text counts", "<C><hext>1<b>2</b>3</hext></C>", "hext", "123");
    row("references and cdata", "<C><MCU>&#81;XC&amp;<![CDATA[<5>]]></MCU></C>", "MCU", "QXC&<5>");
    row("whitespace kept", "<C><pllns> 72 </pllns></C>", "pllns", " 72 ");
    const QString utf16Text = QStringLiteral("<C><MCU>QXC330</MCU></C>");
    row("utf-16 document",
        "\xff\xfe" + QByteArray(reinterpret_cast<const char *>(utf16Text.utf16()), utf16Text.size() * 2),
        "MCU", "QXC330");
    row("nested up to the limit", nested(DesignFile::MaxDepth - 1), "MCU", "QXC330");
    row("exactly the size limit", paddedTo(DesignFile::MaxFileSize), "MCU", "QXC330");
}

void TestDesignFile::readerSemantics()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, element);
    QFETCH(QString, expected);
    QCOMPARE(DesignFile::parse(document).value(element), expected);
    QCOMPARE(throughFile(document, element), expected);
}

void TestDesignFile::hostileDocumentsReadEmpty_data()
{
    QTest::addColumn<QByteArray>("document");

    const QByteArray good = factoryDocument();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated in an element") << good.left(good.size() / 2);
    QTest::newRow("truncated before the end tag") << good.left(good.indexOf("</Configuration>"));
    QTest::newRow("binary") << QByteArray("\x00\x01\x02\xff\xfe\x89PNG\r\n\x1a\n\x00\x00", 14);
    QTest::newRow("text, not xml") << QByteArray("MCU=QXC330\npllms=1\n");
    QTest::newRow("two roots") << QByteArray("<C><MCU>QXC330</MCU></C><C/>");
    QTest::newRow("mismatched tags") << QByteArray("<C><MCU>QXC330</mcu></C>");
    QTest::newRow("undeclared entity") << QByteArray("<C><MCU>&x;</MCU></C>");
    QTest::newRow("dtd") << QByteArray("<!DOCTYPE C><C><MCU>QXC330</MCU></C>");
    QTest::newRow("internal entity") << QByteArray(
        "<!DOCTYPE C [<!ENTITY m \"QXC330\">]><C><MCU>&m;</MCU></C>");
    QTest::newRow("external entity") << QByteArray(
        "<!DOCTYPE C [<!ENTITY m SYSTEM \"file:///etc/passwd\">]><C><MCU>&m;</MCU></C>");
    QByteArray laughs = "<!DOCTYPE C [<!ENTITY l0 \"lol\">";
    for (int i = 1; i < 10; ++i)
        laughs += QStringLiteral("<!ENTITY l%1 \"%2\">")
                      .arg(i)
                      .arg(QStringLiteral("&l%1;").arg(i - 1).repeated(10))
                      .toLatin1();
    QTest::newRow("exponential entities") << laughs + "]><C><MCU>QXC330</MCU><hext>&l9;</hext></C>";
    QTest::newRow("nested beyond the limit") << nested(DesignFile::MaxDepth);
    QTest::newRow("very deeply nested") << nested(200000).left(int(DesignFile::MaxFileSize));
    QTest::newRow("one byte over the size limit") << paddedTo(DesignFile::MaxFileSize) + " ";
}

void TestDesignFile::hostileDocumentsReadEmpty()
{
    QFETCH(QByteArray, document);
    QVERIFY(DesignFile::parse(document).isEmpty());
    QCOMPARE(throughFile(document, QStringLiteral("MCU")), QString());
}

void TestDesignFile::hostilePathsReadEmpty_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a fifo without writer") << "fifo"; // opening it would block forever
    QTest::newRow("an endless device") << "device";
    QTest::newRow("empty path") << "empty";
}

void TestDesignFile::hostilePathsReadEmpty()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("x.TFCC"));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("x.TFCC")));
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("device"))
        path = QStringLiteral("/dev/zero");
    else if (kind == QLatin1String("empty"))
        path.clear();
    QVERIFY(DesignFile::read(path).isEmpty());
}

QTEST_GUILESS_MAIN(TestDesignFile)
#include "tst_designfile.moc"

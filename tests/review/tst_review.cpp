#include "DesignDiff.h"
#include "DesignDocument.h"
#include "DesignFile.h"
#include "DesignReport.h"
#include "SeriesTable.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The elements of a series' factory design, as New and Save give them,
// with "element=text" changes applied.
QHash<QString, QString> designOf(const QString &seriesName, const QString &changes)
{
    const SeriesParams *series = SeriesTable::byName(seriesName);
    DesignDocument factory(series->id);
    const ClockConfig record = ClockRules::judge(factory.record()).record;
    QHash<QString, QString> elements = DesignFile::parse(DesignFile::write(record, seriesName)).values();
    for (const QString &change : changes.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList pair = change.split(QLatin1Char('='));
        elements.insert(pair.at(0), pair.value(1));
    }
    return elements;
}

// Opened as Open does, questions answered "Cancel".
std::unique_ptr<DesignDocument> opened(const QString &seriesName, const QString &changes)
{
    auto document = std::make_unique<DesignDocument>(SeriesTable::byName(seriesName)->id);
    document->open(designOf(seriesName, changes));
    return document;
}

QByteArray fileOf(const QString &seriesName, const QString &changes)
{
    const QHash<QString, QString> elements = designOf(seriesName, changes);
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Configuration>\n");
    for (const QString &name : DesignFile::elementNames(seriesName))
        text += QStringLiteral("    <%1>%2</%1>\n").arg(name, elements.value(name));
    return (text + QStringLiteral("</Configuration>\n")).toUtf8();
}

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TICKFORGE_CLI), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QString writeDesign(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

} // namespace

// The review of designs: the clock diff, the report's clock lines and the
// statuses of the two commands, against lines written out by hand.
class TestReview : public QObject {
    Q_OBJECT

private slots:
    void diffLines_data();
    void diffLines();
    void reportClockLines_data();
    void reportClockLines();
    void reportPage_data();
    void reportPage();
    void diffStatus_data();
    void diffStatus();
    void htmlIsValid();
};

void TestReview::diffLines_data()
{
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("base");   // changes to both designs
    QTest::addColumn<QString>("change"); // changes to the second
    QTest::addColumn<QString>("expected");

    QTest::newRow("source: HEXT 8 -> 12 MHz drives the PLL over")
        << "QXC330" << "" << "hext=12.000000"
        << "setting hext: 8.000000 → 12.000000\n"
           "clock hext: 8 MHz → 12 MHz (limit 4..25 MHz)\n"
           "clock pllin: 8 MHz → 12 MHz\n"
           "clock pll: 288 MHz → 432 MHz (limit 288 MHz, now over)\n"
           "clock sclk: 288 MHz → 432 MHz (limit 288 MHz, now over)\n"
           "clock ahb: 288 MHz → 432 MHz (limit 288 MHz, now over)\n"
           "clock apb1: 144 MHz → 216 MHz (limit 144 MHz, now over)\n"
           "clock apb1tmr: 288 MHz → 432 MHz (limit 288 MHz, now over)\n"
           "clock apb2: 144 MHz → 216 MHz (limit 144 MHz, now over)\n"
           "clock apb2tmr: 288 MHz → 432 MHz (limit 288 MHz, now over)";
    QTest::newRow("source: PLL from HICK / 6 gives the same 8 MHz reference, HEXT unused")
        << "QXC330" << "" << "pllrcs=1"
        << "setting pllrcs: 0 → 1\n"
           "clock hext: 8 MHz → off (limit 4..25 MHz)\n"
           "clock hick: off → 48 MHz";
    QTest::newRow("source: system clock from HICK / 6, PLL unused")
        << "QXC330" << "" << "sclkselect=2"
        << "setting sclkselect: 1 → 2\n"
           "clock hext: 8 MHz → off (limit 4..25 MHz)\n"
           "clock hick: off → 48 MHz\n"
           "clock pllin: 8 MHz → off\n"
           "clock pll: 288 MHz → off (limit 288 MHz)\n"
           "clock sclk: 288 MHz → 8 MHz (limit 288 MHz)\n"
           "clock ahb: 288 MHz → 8 MHz (limit 288 MHz)\n"
           "clock apb1: 144 MHz → 4 MHz (limit 144 MHz)\n"
           "clock apb1tmr: 288 MHz → 8 MHz (limit 288 MHz)\n"
           "clock apb2: 144 MHz → 4 MHz (limit 144 MHz)\n"
           "clock apb2tmr: 288 MHz → 8 MHz (limit 288 MHz)";
    QTest::newRow("PLL: ns 72 -> 66")
        << "QXC330" << "" << "pllns=66"
        << "setting pllns: 72 → 66\n"
           "clock pll: 288 MHz → 264 MHz (limit 288 MHz)\n"
           "clock sclk: 288 MHz → 264 MHz (limit 288 MHz)\n"
           "clock ahb: 288 MHz → 264 MHz (limit 288 MHz)\n"
           "clock apb1: 144 MHz → 132 MHz (limit 144 MHz)\n"
           "clock apb1tmr: 288 MHz → 264 MHz (limit 288 MHz)\n"
           "clock apb2: 144 MHz → 132 MHz (limit 144 MHz)\n"
           "clock apb2tmr: 288 MHz → 264 MHz (limit 288 MHz)";
    QTest::newRow("PLL: multiplier 30 -> 25")
        << "QXC300A" << "" << "pllmult=25"
        << "setting pllmult: 30 → 25\n"
           "clock pll: 240 MHz → 200 MHz (limit 240 MHz)\n"
           "clock sclk: 240 MHz → 200 MHz (limit 240 MHz)\n"
           "clock ahb: 240 MHz → 200 MHz (limit 240 MHz)\n"
           "clock apb1: 120 MHz → 100 MHz (limit 120 MHz)\n"
           "clock apb1tmr: 240 MHz → 200 MHz (limit 240 MHz)\n"
           "clock apb2: 120 MHz → 100 MHz (limit 120 MHz)\n"
           "clock apb2tmr: 240 MHz → 200 MHz (limit 240 MHz)";
    QTest::newRow("divider: AHB /2")
        << "QXC330" << "" << "ahbdiv=2"
        << "setting ahbdiv: 1 → 2\n"
           "clock ahb: 288 MHz → 144 MHz (limit 288 MHz)\n"
           "clock apb1: 144 MHz → 72 MHz (limit 144 MHz)\n"
           "clock apb1tmr: 288 MHz → 144 MHz (limit 288 MHz)\n"
           "clock apb2: 144 MHz → 72 MHz (limit 144 MHz)\n"
           "clock apb2tmr: 288 MHz → 144 MHz (limit 288 MHz)";
    QTest::newRow("divider: APB1 /4")
        << "QXC330" << "" << "apb1div=4"
        << "setting apb1div: 2 → 4\n"
           "clock apb1: 144 MHz → 72 MHz (limit 144 MHz)\n"
           "clock apb1tmr: 288 MHz → 144 MHz (limit 288 MHz)";
    QTest::newRow("divider: APB2 /8")
        << "QXC330" << "" << "apb2div=8"
        << "setting apb2div: 2 → 8\n"
           "clock apb2: 144 MHz → 36 MHz (limit 144 MHz)\n"
           "clock apb2tmr: 288 MHz → 72 MHz (limit 288 MHz)";
    QTest::newRow("divider: ADC /2 -> /6 on APB2 120 MHz")
        << "QXC300A" << "adcswitch=1" << "adcdiv=6"
        << "setting adcdiv: 2 → 6\n"
           "clock adc: 60 MHz → 20 MHz (limit 28 MHz, back within)";
    QTest::newRow("USB: switched on, 288 / 6")
        << "QXC330" << "" << "tousbswitch=0"
        << "setting tousbswitch: 1 → 0\n"
           "clock usb: off → 48 MHz (must be 48 MHz)";
    QTest::newRow("USB: divider /6 -> /5 leaves 48 MHz")
        << "QXC330" << "tousbswitch=0" << "usbdiv=5.0"
        << "setting usbdiv: 6.0 → 5.0\n"
           "clock usb: 48 MHz → 57.6 MHz (must be 48 MHz, now over)";
    QTest::newRow("RTC: switched on, LICK")
        << "QXC330" << "" << "rtcswitch=1"
        << "setting rtcswitch: 0 → 1\n"
           "clock rtc: off → 40 kHz";
    QTest::newRow("RTC: HEXT / 8")
        << "QXC330" << "rtcswitch=1 rtcsel=2 rtcdiv=8" << "rtcdiv=16"
        << "setting rtcdiv: 8 → 16\n"
           "clock rtc: 1000 kHz → 500 kHz";
    QTest::newRow("clock output 1: a pin, HICK / 6")
        << "QXC330" << "" << "clkout1pinselect=1"
        << "setting clkout1pinselect: 0 → 1\n"
           "clock hick: off → 48 MHz\n"
           "clock clkout1: off → 8 MHz";
    QTest::newRow("clock output 2: SCLK / 4 / 2")
        << "QXC330" << "clkout2pinselect=1" << "clkout2div1=4 clkout2div2=2"
        << "setting clkout2div1: 1 → 4\n"
           "setting clkout2div2: 1 → 2\n"
           "clock clkout2: 288 MHz → 36 MHz";
    QTest::newRow("clock output: PLL / 2 on PA8")
        << "QXC300A" << "" << "clkoutpinselect=1 clkout=8"
        << "setting clkout: 0 → 8\n"
           "setting clkoutpinselect: 0 → 1\n"
           "clock clkout: off → 120 MHz";
    QTest::newRow("identical designs") << "QXC330" << "ahbdiv=2" << "" << "";
    QTest::newRow("a value read the same: hext written short") << "QXC330" << "" << "hext=8" << "";
}

void TestReview::diffLines()
{
    QFETCH(QString, series);
    QFETCH(QString, base);
    QFETCH(QString, change);
    QFETCH(QString, expected);
    const auto before = opened(series, base);
    const auto after = opened(series, base + QLatin1Char(' ') + change);
    const DesignDiff::Result result = DesignDiff::compare(before->record(), after->record(), series);
    QCOMPARE(DesignDiff::lines(result).join(QLatin1Char('\n')), expected);
    QCOMPARE(result.same(), expected.isEmpty());
}

void TestReview::reportClockLines_data()
{
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("changes");
    QTest::addColumn<QString>("expected"); // rows of the clock table that must be there

    QTest::newRow("factory QXC330: the PLL on HEXT, at its limits")
        << "QXC330" << ""
        << "| lick | 40 kHz | none |  | LICK 40 kHz |\n"
           "| hext | 8 MHz | 4..25 MHz | 17 MHz | HEXT 8 MHz |\n"
           "| hick | off |  |  |  |\n"
           "| pllin | 8 MHz | none |  | HEXT 8 MHz |\n"
           "| pll | 288 MHz | 288 MHz | 0 MHz | HEXT 8 MHz → PLL /1 ×72 /2 → 288 MHz |\n"
           "| sclk | 288 MHz | 288 MHz | 0 MHz | HEXT 8 MHz → PLL /1 ×72 /2 → SCLK 288 MHz |\n"
           "| apb1 | 144 MHz | 144 MHz | 0 MHz | HEXT 8 MHz → PLL /1 ×72 /2 → SCLK 288 MHz → AHB /1 → 288 MHz → APB1 /2 → 144 MHz |\n"
           "| usb | off |  |  |  |\n"
           "| clkout1 | off |  |  |  |";
    QTest::newRow("multiplier: HEXT 8 MHz ×30, AHB /2")
        << "QXC300A" << "ahbdiv=2"
        << "| sclk | 240 MHz | 240 MHz | 0 MHz | HEXT 8 MHz → PLL ×30 → SCLK 240 MHz |\n"
           "| ahb | 120 MHz | 240 MHz | 120 MHz | HEXT 8 MHz → PLL ×30 → SCLK 240 MHz → AHB /2 → 120 MHz |\n"
           "| apb2tmr | 120 MHz | 240 MHz | 120 MHz | HEXT 8 MHz → PLL ×30 → SCLK 240 MHz → AHB /2 → 120 MHz → APB2 /2 → 60 MHz → ×2 → 120 MHz |";
    QTest::newRow("source: HEXT 12 MHz over the limit")
        << "QXC330" << "hext=12.000000"
        << "| sclk | 432 MHz | 288 MHz | over by 144 MHz | HEXT 12 MHz → PLL /1 ×72 /2 → SCLK 432 MHz |";
    QTest::newRow("USB on the PLL, /5: 57.6 MHz")
        << "QXC330" << "tousbswitch=0 usbdiv=5.0"
        << "| usb | 57.6 MHz | exactly 48 MHz | off by 9.6 MHz | HEXT 8 MHz → PLL /1 ×72 /2 → 288 MHz → USB /5 → 57.6 MHz |";
    QTest::newRow("USB from HICK 48")
        << "QXC330" << "tousbswitch=0 hicktousb=1"
        << "| usb | 48 MHz | exactly 48 MHz | 0 MHz | HICK 48 MHz → USB 48 MHz |";
    QTest::newRow("RTC on HEXT / 8")
        << "QXC330" << "rtcswitch=1 rtcsel=2 rtcdiv=8"
        << "| rtc | 1000 kHz | none |  | HEXT 8 MHz → RTC /8 → 1000 kHz |";
    QTest::newRow("RTC on LEXT")
        << "QXC330" << "rtcswitch=1 rtcsel=1" << "| rtc | 32.768 kHz | none |  | LEXT 32.768 kHz → RTC 32.768 kHz |";
    QTest::newRow("clock output 1: HICK / 6")
        << "QXC330" << "clkout1pinselect=1"
        << "| clkout1 | 8 MHz | none |  | HICK 48 MHz → /6 → 8 MHz → CLKOUT1 /1 /1 → 8 MHz |";
    QTest::newRow("clock output 2: LEXT / 2")
        << "QXC330" << "clkout2pinselect=1 clkout2=7 clkout2div1=2"
        << "| clkout2 | 16.384 kHz | none |  | LEXT 32.768 kHz → CLKOUT2 /2 /1 → 16.384 kHz |";
    QTest::newRow("clock output: PLL / 4 on a multiplier series")
        << "QXC300A" << "clkoutpinselect=1 clkout=9"
        << "| clkout | 60 MHz | none |  | HEXT 8 MHz → PLL ×30 → 240 MHz → /4 → 60 MHz → CLKOUT /1 → 60 MHz |";
    QTest::newRow("divided HEXT into the multiplier")
        << "QXC300A" << "pllhextdiv=1 hextdiv=2 pllmult=30"
        << "| pllin | 4 MHz | 2..16 MHz | 12 MHz | HEXT 8 MHz → /2 → 4 MHz |\n"
           "| pll | 120 MHz | 240 MHz | 120 MHz | HEXT 8 MHz → /2 → PLL ×30 → 120 MHz |";
    QTest::newRow("ADC on APB2 / 6")
        << "QXC300A" << "adcswitch=1 adcdiv=6"
        << "| adc | 20 MHz | 28 MHz | 8 MHz | HEXT 8 MHz → PLL ×30 → SCLK 240 MHz → AHB /1 → 240 MHz → APB2 /2 → 120 MHz → ADC /6 → 20 MHz |";
}

void TestReview::reportClockLines()
{
    QFETCH(QString, series);
    QFETCH(QString, changes);
    QFETCH(QString, expected);
    const auto document = opened(series, changes);
    const QStringList rows = DesignReport::clockRows(*document);
    for (const QString &line : expected.split(QLatin1Char('\n'))) {
        if (!rows.contains(line))
            QFAIL(qPrintable(QStringLiteral("missing: %1\nrows:\n%2").arg(line, rows.join(QLatin1Char('\n')))));
    }
}

void TestReview::reportPage_data()
{
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("changes");
    QTest::addColumn<QString>("expected"); // lines the Markdown page must hold

    QTest::newRow("settings as stored and as shown")
        << "QXC330" << "sclkselect=2 hicktosclk=1 ahbdiv=4"
        << "- Series: QXC330\n"
           "| sclkselect | sclk select | 2 | (•) HICK |\n"
           "| hicktosclk | hick to sclk | 1 | (•) HICK |\n"
           "| ahbdiv | ahbdiv | 4 | /4 |\n"
           "| pllns | pll_ns | 72 | *72 |\n"
           "- None: the design can be saved and generated as it is.\n"
           "  *         - system clock        = (hick 48)";
    QTest::newRow("a refusal: no summary")
        << "QXC330" << "hext=12.000000"
        << "- Refused: Can not support sclk greater than 288MHz\n"
           "The checks refuse this design: no files are generated.";
    QTest::newRow("a warning: USB off 48 MHz")
        << "QXC330" << "tousbswitch=0 usbdiv=5.0"
        << "- Warning: USB clock must be 48MHz. But the USB clock of current config is wrong.  please confirm "
           "whether to continue?\n"
           "  *         - sclk                = 288000000";
}

void TestReview::reportPage()
{
    QFETCH(QString, series);
    QFETCH(QString, changes);
    QFETCH(QString, expected);
    const auto document = opened(series, changes);
    DesignReport::Input input;
    input.fileName = QStringLiteral("board.TFCC");
    input.document = document.get();
    input.findings = document->verdict().findings;
    const QStringList page = DesignReport::write(input, DesignReport::Format::Markdown).split(QLatin1Char('\n'));
    for (const QString &line : expected.split(QLatin1Char('\n')))
        QVERIFY2(page.contains(line), qPrintable(QStringLiteral("missing: ") + line));
}

void TestReview::diffStatus_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // standard output, whole
    QTest::addColumn<QString>("err"); // found in standard error

    QTest::newRow("identical") << "QXC330:" << "QXC330:" << QStringList() << 0 << "" << "";
    QTest::newRow("written differently, read the same") << "QXC330:" << "QXC330:hext=8.0" << QStringList() << 0
                                                         << "" << "";
    QTest::newRow("different") << "QXC330:" << "QXC330:apb1div=4" << QStringList() << 1
                               << "setting apb1div: 2 → 4\n"
                                  "clock apb1: 144 MHz → 72 MHz (limit 144 MHz)\n"
                                  "clock apb1tmr: 288 MHz → 144 MHz (limit 288 MHz)\n"
                               << "";
    QTest::newRow("different, as JSON")
        << "QXC330:" << "QXC330:apb1div=4" << QStringList{QStringLiteral("--json")} << 1
        << "{\n    \"clocks\": [\n        {\n            \"limit\": 144,\n            \"name\": \"apb1\",\n"
           "            \"new\": 72,\n            \"old\": 144,\n            \"over\": false,\n"
           "            \"unit\": \"MHz\"\n        },\n        {\n            \"limit\": 288,\n"
           "            \"name\": \"apb1tmr\",\n            \"new\": 144,\n            \"old\": 288,\n"
           "            \"over\": false,\n            \"unit\": \"MHz\"\n        }\n    ],\n"
           "    \"same\": false,\n    \"series\": \"QXC330\",\n    \"settings\": [\n        {\n"
           "            \"element\": \"apb1div\",\n            \"new\": \"4\",\n            \"old\": \"2\"\n"
           "        }\n    ]\n}\n"
        << "";
    QTest::newRow("series mismatch") << "QXC330:" << "QXC335:" << QStringList() << 2 << ""
                                     << "a QXC335 design: only designs of one series compare";
    QTest::newRow("a file that cannot be opened") << "QXC330:" << "-" << QStringList() << 2 << ""
                                                  << "no such file";
    QTest::newRow("a usage error") << "QXC330:" << "QXC330:" << QStringList{QStringLiteral("--bogus")} << 2
                                   << "" << "unknown option";
}

void TestReview::diffStatus()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QTemporaryDir dir;
    QStringList arguments{QStringLiteral("diff")};
    for (const auto &[name, stated] : {std::pair<QString, QString>{QStringLiteral("A.TFCC"), a}, {QStringLiteral("B.TFCC"), b}}) {
        if (stated == QLatin1String("-")) {
            arguments << dir.filePath(name);
            continue;
        }
        const QString series = stated.section(QLatin1Char(':'), 0, 0);
        arguments << writeDesign(dir, name, fileOf(series, stated.section(QLatin1Char(':'), 1)));
    }
    const Run run = runCli(arguments + options);
    QCOMPARE(run.out, out);
    QVERIFY2(run.err.contains(err), qPrintable(run.err));
    QCOMPARE(run.status, status);
}

void TestReview::htmlIsValid()
{
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty())
        QSKIP("xmllint is not installed (tools/bootstrap.sh installs it)");
    QTemporaryDir dir;
    const QString design = writeDesign(dir, QStringLiteral("A&B.TFCC"), fileOf(QStringLiteral("QXC330"), QStringLiteral("tousbswitch=0 usbdiv=5.0")));
    for (const QString &language : {QStringLiteral("en"), QStringLiteral("zh")}) {
        const QString page = dir.filePath(language + QStringLiteral(".html"));
        const Run run = runCli({QStringLiteral("report"), design, QStringLiteral("-o"), page, QStringLiteral("--lang"), language});
        QCOMPARE(run.status, 0);
        QProcess lint;
        lint.start(xmllint, {QStringLiteral("--html"), QStringLiteral("--noout"), page});
        QVERIFY(lint.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(lint.readAllStandardError()), QString());
        QCOMPARE(lint.exitCode(), 0);
    }
}

QTEST_GUILESS_MAIN(TestReview)
#include "tst_review.moc"

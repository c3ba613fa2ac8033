#include "ClockConfig.h"
#include "RecordFields.h"
#include "Summary.h"

#include <QtTest>

class TestSummary : public QObject {
    Q_OBJECT

private slots:
    void hertz_data();
    void hertz();
    void lines_data();
    void lines();
    void apply();
};

void TestSummary::hertz_data()
{
    QTest::addColumn<double>("mhz");
    QTest::addColumn<qint64>("hext");
    QTest::addColumn<qint64>("bus");
    QTest::newRow("seven decimals round down") << 12.3456784 << qint64(12345678) << qint64(12346000);
    QTest::newRow("seven decimals round up") << 12.3456789 << qint64(12345679) << qint64(12346000);
    // Scaling 8.000001 in binary floating point gives 7999999.99..., which a
    // plain truncation would turn into 8000000.
    QTest::newRow("no unit lost to binary rounding") << 8.000001 << qint64(8000001) << qint64(8000000);
    QTest::newRow("kilohertz kept exactly") << 4.004 << qint64(4004000) << qint64(4004000);
    QTest::newRow("sub-kilohertz dropped") << 133.3333333 << qint64(133333333) << qint64(133333000);
}

void TestSummary::hertz()
{
    QFETCH(double, mhz);
    QFETCH(qint64, hext);
    QFETCH(qint64, bus);
    QCOMPARE(Summary::hextHertz(mhz), hext);
    QCOMPARE(Summary::busHertz(mhz), bus);
}

void TestSummary::lines_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QString>("setup");
    // From the third line on ("!" marks a text no line holds), or the whole text.
    QTest::addColumn<QStringList>("expected");
    auto row = [](const char *name, int series, const QString &setup, const QStringList &expected) {
        QTest::newRow(name) << series << setup << expected;
    };
    row("C330 example, whole", 13, "sclkSource=1 pllMs=1 pllNs=72 pllFr=2 apb1Div=2 apb2Div=2 usbDisabled=1",
        {"* @brief  system clock config program", "  * @note   the system clock is configured as follow:",
         "  *         - system clock        = (hext * pll_ns)/(pll_ms * pll_fr)",
         "  *         - system clock source = pll (hext)", "  *         - hext                = 8000000",
         "  *         - sclk                = 288000000", "  *         - ahbdiv              = 1",
         "  *         - ahbclk              = 288000000", "  *         - apb1div             = 2",
         "  *         - apb1clk             = 144000000", "  *         - apb2div             = 2",
         "  *         - apb2clk             = 144000000", "  *         - pll_ns              = 72",
         "  *         - pll_ms              = 1", "  *         - pll_fr              = 2", "  * @param  none",
         "  * @retval none"});
    const QString pll = "sclkSource=1 usbDisabled=1 pllMult=6 hextDivValue=3 ";
    const QString clock = "  *         - system clock        = ";
    const QString source = "  *         - system clock source = ";
    row("fractional kilohertz sclk", 5, pll + "pllFlexible=0 pllMult=50 hextMHz=2.6666666666666665",
        {clock + "hext * pll_mult", source + "pll (hext)", "  *         - hext                = 2666667",
         "  *         - sclk                = 133333000"});
    row("HICK clock without hext line", 13, "sclkSource=2 hickSclk48=1 usbDisabled=1",
        {clock + "(hick 48)", source + "hick", "  *         - sclk                = 48000000", "!- hext",
         "!pll_"});
    row("C320 multiplier with wait cycles", 9, pll + "pllFlexible=0",
        {clock + "hext * pll_mult", source + "pll (hext)", "  *         - sclk                = 48000000",
         "  *         - pll_mult            = 6", "  *         - flash_wtcyc         = 1 cycle",
         "!pll_range"});
    row("C330 PLL from HICK", 13, pll + "pllSourceHick=1",
        {clock + "(hick / 6 * pll_ns)/(pll_ms * pll_fr)", source + "pll (hick)"});
    row("C300 PLL from HICK", 2, pll + "pllSourceHick=1 pllFlexible=0",
        {clock + "hick / 2 * pll_mult", source + "pll (hick)",
         "  *         - pll_range           = LE72MHZ (less than 72 mhz or equal to 72 mhz)"});
    row("C310 PLL from HICK", 4, pll + "pllSourceHick=1 pllFlexible=0", {clock + "hick / 12 * pll_mult"});
    row("C300A divided HEXT", 7, pll + "pllFlexible=0 hextDivEnabled=1", {clock + "hext / 3 * pll_mult"});
    row("HEXT", 16, "sclkSource=0", {clock + "(hext)", source + "hext"});
}

void TestSummary::lines()
{
    QFETCH(int, series);
    QFETCH(QString, setup);
    QFETCH(QStringList, expected);
    TF_RECORD(c, series, setup);
    c.recompute();
    const QStringList actual = Summary::text(c).split('\n');
    if (expected.first().startsWith("* @brief")) {
        QCOMPARE(actual, expected);
        return;
    }
    int at = 2;
    int n = 0;
    for (const QString &line : expected) {
        if (line.startsWith('!')) {
            QVERIFY2(!Summary::text(c).contains(line.mid(1)), qPrintable(line));
            continue;
        }
        // The derivation's two lines open the list; the rest follow in order.
        const int found = actual.indexOf(line, at);
        QVERIFY2(n++ < 2 ? found == at : found >= at, qPrintable(line + "\n" + actual.join('\n')));
        at = found + 1;
    }
}

// The comment replaces the whole fenced block; one blank after "@brief" is
// not the fence, and then nothing changes.
void TestSummary::apply()
{
    TF_RECORD(c, 13, "sclkSource=1 pllMs=1 pllNs=72 pllFr=2 usbDisabled=1");
    c.recompute();
    const QString other = "/**\n  * @brief  other\n  * @retval none\n  */\n\n";
    QString source = other +
                     "/**\n  * @brief  system clock config program\n  * @note   old\n  * @retval none\n  */\n"
                     "void system_clock_config(void)\n";
    QVERIFY(Summary::apply(source, c));
    QCOMPARE(source, other + "/**\n  " + Summary::text(c) + "\n  */\nvoid system_clock_config(void)\n");
    source = "/**\n  * @brief system clock config program\n  * @retval none\n  */\n";
    const QString before = source;
    QVERIFY(!Summary::apply(source, c));
    QCOMPARE(source, before);
}

QTEST_GUILESS_MAIN(TestSummary)
#include "tst_summary.moc"

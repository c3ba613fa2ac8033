#include "ClockConfig.h"
#include "RecordFields.h"
#include "Summary.h"

#include <QtTest>

// The summary comment of the generated clock routine for the trees the
// generator's own rows leave out: each derivation, the PLL lines of both
// layouts, the range line and the flash wait cycles of the normal mode.
class TestSummary : public QObject {
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
};

void TestSummary::lines_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("lines"); // "label=value", "|"-separated, between the note and "@param"
    const QString buses = "usbDisabled=1 ahbDiv=1 apb1Div=1 apb2Div=1 ";
    QTest::newRow("C320 multiplier at 48 MHz")
        << 9 << buses + "sclkSource=1 pllFlexible=0 pllMult=6"
        << "system clock=hext * pll_mult|system clock source=pll (hext)"
           "|hext=8000000|sclk=48000000|ahbdiv=1|ahbclk=48000000"
           "|apb1div=1|apb1clk=48000000|apb2div=1|apb2clk=48000000"
           "|pll_mult=6|flash_wtcyc=1 cycle";
    QTest::newRow("C315 normal mode at 144 MHz")
        << 5 << buses + "sclkSource=1 pllFlexible=0 pllMult=18"
        << "system clock=hext * pll_mult|system clock source=pll (hext)"
           "|hext=8000000|sclk=144000000|ahbdiv=1|ahbclk=144000000"
           "|apb1div=2|apb1clk=72000000|apb2div=2|apb2clk=72000000"
           "|pll_mult=18|flash_wtcyc=4 cycle";
    QTest::newRow("C300 from HICK above 72 MHz")
        << 2
        << "usbDisabled=1 sclkSource=1 pllFlexible=0 pllSourceHick=1 pllMult=20 ahbDiv=2 apb1Div=2 apb2Div=1"
        << "system clock=hick / 2 * pll_mult|system clock source=pll (hick)|sclk=80000000|ahbdiv=2"
           "|ahbclk=40000000|apb1div=2|apb1clk=20000000|apb2div=1|apb2clk=40000000|pll_mult=20"
           "|pll_range=GT72MHZ (greater than 72 mhz)";
    QTest::newRow("C315 flexible from divided HEXT")
        << 5
        << "usbDisabled=1 ahbDiv=1 apb1Div=2 apb2Div=2 sclkSource=1 pllFlexible=1 hextMHz=16 "
           "hextDivEnabled=1 "
           "hextDivValue=2 pllMs=1 pllNs=72 pllFr=8"
        << "system clock=(hext / 2 * pll_ns)/(pll_ms * pll_fr)|system clock source=pll (hext)|hext=16000000"
           "|sclk=72000000|ahbdiv=1|ahbclk=72000000|apb1div=2|apb1clk=36000000|apb2div=2|apb2clk=36000000"
           "|pll_ns=72|pll_ms=1|pll_fr=8";
    QTest::newRow("C325 flexible from HICK")
        << 15 << buses + "sclkSource=1 pllFlexible=1 pllSourceHick=1 pllMs=1 pllNs=144 pllFr=8"
        << "system clock=(hick / 12 * pll_ns)/(pll_ms * pll_fr)|system clock source=pll (hick)|sclk=72000000"
           "|ahbdiv=1|ahbclk=72000000|apb1div=1|apb1clk=72000000|apb2div=1|apb2clk=72000000|pll_ns=144"
           "|pll_ms=1|pll_fr=8";
    QTest::newRow("E020 on HICK 8, no PLL") << 16 << buses + "sclkSource=2 hickSclk48=0 pllFlexible=0"
                                            << "system clock=(hick 8)|system clock source=hick|sclk=8000000"
                                               "|ahbdiv=1|ahbclk=8000000|apb1div=1|apb1clk=8000000|apb2div=1"
                                               "|apb2clk=8000000|flash_wtcyc=0 cycle";
    QTest::newRow("C300 HICK is always 8") << 2 << buses + "sclkSource=2 hickSclk48=1 pllFlexible=0"
                                           << "system clock=(hick 8)|system clock source=hick|sclk=8000000"
                                              "|ahbdiv=1|ahbclk=8000000|apb1div=1|apb1clk=8000000|apb2div=1"
                                              "|apb2clk=8000000";
    QTest::newRow("C310 on HICK 48") << 4 << buses + "sclkSource=2 hickSclk48=1 pllFlexible=0"
                                     << "system clock=(hick 48)|system clock source=hick|sclk=48000000"
                                        "|ahbdiv=1|ahbclk=48000000|apb1div=1|apb1clk=48000000|apb2div=1"
                                        "|apb2clk=48000000";
}

void TestSummary::lines()
{
    QFETCH(int, series);
    QFETCH(QString, setup);
    QFETCH(QString, lines);
    TF_RECORD(c, series, setup);
    c.recompute();
    // The label column is 20 wide, so every "=" stands in one column.
    QString expected =
        "* @brief  system clock config program\n  * @note   the system clock is configured as follow:\n";
    for (const QString &item : lines.split('|'))
        expected +=
            "  *         - " + item.section('=', 0, 0).leftJustified(20) + "= " + item.section('=', 1) + '\n';
    expected += "  * @param  none\n  * @retval none";
    QCOMPARE(Summary::text(c), expected);
}

QTEST_GUILESS_MAIN(TestSummary)
#include "tst_summary.moc"

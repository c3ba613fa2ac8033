#include "ClockConfig.h"
#include "Records.h"
#include "Summary.h"

#include <QtTest>

// The documentation comment that states how the system clock is derived.
class TestSummary : public QObject {
    Q_OBJECT

private slots:
    void c330PllFromHext();
    void hertz_data();
    void hertz();
    void fractionalKilohertzSclk();
    void hickWithoutHextLine();
    void c320MultiplierWithWaitCycles();
    void derivation_data();
    void derivation();
    void applyReplacesTheWholeFence();
    void applyFailsWithoutFence();
};

static QStringList lines(const ClockConfig &c)
{
    return Summary::text(c).split('\n');
}

void TestSummary::c330PllFromHext()
{
    ClockConfig c(13);
    c.hextMHz = 8.0;
    c.sclkSource = ClockConfig::SclkPll;
    c.pllSourceHick = 0;
    c.pllFlexible = 1;
    c.pllMs = 1;
    c.pllNs = 72;
    c.pllFr = 2;
    c.ahbDiv = 1;
    c.apb1Div = 2;
    c.apb2Div = 2;
    c.usbDisabled = 1;
    c.recompute();
    QCOMPARE(c.sclkMHz, 288.0);
    const QStringList expected = {
        "* @brief  system clock config program",
        "  * @note   the system clock is configured as follow:",
        "  *         - system clock        = (hext * pll_ns)/(pll_ms * pll_fr)",
        "  *         - system clock source = pll (hext)",
        "  *         - hext                = 8000000",
        "  *         - sclk                = 288000000",
        "  *         - ahbdiv              = 1",
        "  *         - ahbclk              = 288000000",
        "  *         - apb1div             = 2",
        "  *         - apb1clk             = 144000000",
        "  *         - apb2div             = 2",
        "  *         - apb2clk             = 144000000",
        "  *         - pll_ns              = 72",
        "  *         - pll_ms              = 1",
        "  *         - pll_fr              = 2",
        "  * @param  none",
        "  * @retval none",
    };
    QCOMPARE(lines(c), expected);
}

void TestSummary::hertz_data()
{
    QTest::addColumn<double>("mhz");
    QTest::addColumn<qint64>("hext");
    QTest::addColumn<qint64>("bus");
    QTest::newRow("8") << 8.0 << qint64(8000000) << qint64(8000000);
    QTest::newRow("12") << 12.0 << qint64(12000000) << qint64(12000000);
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

void TestSummary::fractionalKilohertzSclk()
{
    ClockConfig c(5);
    c.sclkSource = ClockConfig::SclkPll;
    c.pllFlexible = 0;
    c.pllMult = 50;
    c.hextMHz = 8.0 / 3.0; // 133.333... MHz
    c.usbDisabled = 1;
    c.recompute();
    const QStringList l = lines(c);
    QVERIFY(l.contains("  *         - sclk                = 133333000"));
    QVERIFY(l.contains("  *         - hext                = 2666667"));
}

void TestSummary::hickWithoutHextLine()
{
    ClockConfig c(13);
    c.sclkSource = ClockConfig::SclkHick;
    c.hickSclk48 = 1;
    c.usbDisabled = 1;
    c.recompute();
    QVERIFY(!c.hextNeeded());
    const QStringList l = lines(c);
    QCOMPARE(l.at(2), QString("  *         - system clock        = (hick 48)"));
    QCOMPARE(l.at(3), QString("  *         - system clock source = hick"));
    QCOMPARE(l.at(4), QString("  *         - sclk                = 48000000"));
    QVERIFY(!Summary::text(c).contains("- hext "));
    QVERIFY(!Summary::text(c).contains("pll_"));
}

void TestSummary::c320MultiplierWithWaitCycles()
{
    ClockConfig c(9);
    c.sclkSource = ClockConfig::SclkPll;
    c.pllFlexible = 0;
    c.pllMult = 6;
    c.hextMHz = 8.0;
    c.recompute();
    QCOMPARE(c.sclkMHz, 48.0);
    const QStringList l = lines(c);
    QCOMPARE(l.at(2), QString("  *         - system clock        = hext * pll_mult"));
    const int mult = l.indexOf("  *         - pll_mult            = 6");
    QVERIFY(mult > 0);
    QCOMPARE(l.at(mult + 1), QString("  *         - flash_wtcyc         = 1 cycle"));
    QCOMPARE(l.at(mult + 2), QString("  * @param  none"));
    QVERIFY(!Summary::text(c).contains("pll_range"));
}

void TestSummary::derivation_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("sclkSource");
    QTest::addColumn<int>("pllSourceHick");
    QTest::addColumn<int>("hextDivEnabled");
    QTest::addColumn<int>("pllFlexible");
    QTest::addColumn<int>("hickSclk48");
    QTest::addColumn<QString>("clockLine");
    QTest::addColumn<QString>("sourceLine");
    QTest::newRow("C330 pll from hick")
        << 13 << 1 << 1 << 0 << 1 << 0 << "(hick / 6 * pll_ns)/(pll_ms * pll_fr)"
        << "pll (hick)";
    QTest::newRow("C300 pll from hick") << 2 << 1 << 1 << 0 << 0 << 0 << "hick / 2 * pll_mult"
                                        << "pll (hick)";
    QTest::newRow("C310 pll from hick") << 4 << 1 << 1 << 0 << 0 << 0 << "hick / 12 * pll_mult"
                                        << "pll (hick)";
    QTest::newRow("C315 flexible from hick")
        << 5 << 1 << 1 << 0 << 1 << 0 << "(hick / 12 * pll_ns)/(pll_ms * pll_fr)"
        << "pll (hick)";
    QTest::newRow("C300A divided hext") << 7 << 1 << 0 << 1 << 0 << 0 << "hext / 3 * pll_mult"
                                        << "pll (hext)";
    QTest::newRow("C325 flexible divided hext")
        << 15 << 1 << 0 << 1 << 1 << 0 << "(hext / 3 * pll_ns)/(pll_ms * pll_fr)"
        << "pll (hext)";
    QTest::newRow("C330 ignores the hext divider")
        << 13 << 1 << 0 << 1 << 1 << 0 << "(hext * pll_ns)/(pll_ms * pll_fr)"
        << "pll (hext)";
    QTest::newRow("hick 8") << 4 << 2 << 0 << 0 << 0 << 0 << "(hick 8)"
                            << "hick";
    QTest::newRow("hick 48") << 4 << 2 << 0 << 0 << 0 << 1 << "(hick 48)"
                             << "hick";
    QTest::newRow("C300 multiplier layout is always hick 8") << 2 << 2 << 0 << 0 << 0 << 1 << "(hick 8)"
                                                             << "hick";
    QTest::newRow("hext") << 16 << 0 << 0 << 0 << 1 << 0 << "(hext)"
                          << "hext";
}

void TestSummary::derivation()
{
    QFETCH(int, series);
    QFETCH(int, sclkSource);
    QFETCH(int, pllSourceHick);
    QFETCH(int, hextDivEnabled);
    QFETCH(int, pllFlexible);
    QFETCH(int, hickSclk48);
    QFETCH(QString, clockLine);
    QFETCH(QString, sourceLine);
    ClockConfig c(series);
    c.sclkSource = sclkSource;
    c.pllSourceHick = pllSourceHick;
    c.hextDivEnabled = hextDivEnabled;
    c.hextDivValue = 3;
    c.pllFlexible = pllFlexible;
    c.pllMult = 6;
    c.hickSclk48 = hickSclk48;
    c.usbDisabled = 1;
    c.recompute();
    const QStringList l = lines(c);
    QCOMPARE(l.at(2), "  *         - system clock        = " + clockLine);
    QCOMPARE(l.at(3), "  *         - system clock source = " + sourceLine);
}

void TestSummary::applyReplacesTheWholeFence()
{
    QString source = "/**\n  * @brief  other\n  * @retval none\n  */\n\n/**\n"
                     "  * @brief  system clock config program\n  * @note   old\n  * @param  none\n"
                     "  * @retval none\n  */\nvoid system_clock_config(void)\n";
    const ClockConfig c = Records::pllDesign(13);
    QVERIFY(Summary::apply(source, c));
    const QString expected = "/**\n  * @brief  other\n  * @retval none\n  */\n\n/**\n  " + Summary::text(c) +
                             "\n  */\nvoid system_clock_config(void)\n";
    QCOMPARE(source, expected);
}

void TestSummary::applyFailsWithoutFence()
{
    // One blank after "@brief" is not the fence.
    QString source = "/**\n  * @brief system clock config program\n  * @retval none\n  */\n";
    const QString before = source;
    QVERIFY(!Summary::apply(source, Records::pllDesign(13)));
    QCOMPARE(source, before);
}

QTEST_GUILESS_MAIN(TestSummary)
#include "tst_summary.moc"

#include "ClockConfig.h"
#include "Rational.h"
#include "SeriesTable.h"
#include "TreeClocks.h"

#include <QRandomGenerator>
#include <QtTest>

// The clocks of a tree as exact values: what each series' tree gives, in
// which order, with which bounds, and that they are the recompute's values.
class TestTreeClocks : public QObject {
    Q_OBJECT

private slots:
    void rationalParsing_data();
    void rationalParsing();
    void factoryClocks_data();
    void factoryClocks();
    void namesPerSeries_data();
    void namesPerSeries();
    void matchesRecompute();
    void usbAndOutputs();
};

static ClockConfig factory(int id)
{
    // The factory state every series starts in (SCLK on the PLL, HEXT 8).
    const SeriesParams &p = *SeriesTable::byId(id);
    ClockConfig c(id);
    c.rtcHextDiv = p.rtcHextDiv > 0 ? p.rtcHextDiv : 2;
    c.pllFlexible = p.factoryPllFlexible;
    c.pllMult = p.factoryPllMult;
    c.pllMs = p.factoryPllMs;
    c.pllNs = p.factoryPllNs;
    c.pllFr = p.factoryPllFr;
    c.sclkSource = ClockConfig::SclkPll;
    c.usbDisabled = 1;
    c.hextDivValue = p.hextPllDivs.value(0);
    if (p.factoryUsbDiv > 0)
        c.usbDiv = p.factoryUsbDiv;
    return c;
}

void TestTreeClocks::rationalParsing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("shown"); // the value written back with nine places
    QTest::newRow("whole") << "48" << true << "48";
    QTest::newRow("lext") << "0.032768" << true << "0.032768";
    QTest::newRow("negative half") << "-1.5" << true << "-1.5";
    QTest::newRow("exponent") << "1.2e1" << true << "12";
    QTest::newRow("letters") << "4x" << false << "";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("two points") << "1.2.3" << false << "";
}

void TestTreeClocks::rationalParsing()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, shown);
    Rational r;
    QCOMPARE(Rational::parse(text, &r), ok);
    if (ok)
        QCOMPARE(r.text(9), shown);
    // Thirds stay exact: three of them are one again.
    const Rational third(1, 3);
    QCOMPARE(third + third + third, Rational(1));
    QVERIFY(Rational(2, 3) > Rational(666666, 1000000));
}

void TestTreeClocks::factoryClocks_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QString>("mhz");
    QTest::addColumn<bool>("inUse");
    QTest::addColumn<int>("maxMHz");
    // QXC330: 8 x 72 / (1 x 2) = 288; both APB dividers raised to /2.
    QTest::newRow("330 pll") << 13 << "pll"
                             << "288" << true << 288;
    QTest::newRow("330 sclk") << 13 << "sclk"
                              << "288" << true << 288;
    QTest::newRow("330 apb1") << 13 << "apb1"
                              << "144" << true << 144;
    QTest::newRow("330 apb2tmr") << 13 << "apb2tmr"
                                 << "288" << true << 288;
    QTest::newRow("330 usb off") << 13 << "usb"
                                 << "0" << false << 0;
    QTest::newRow("330 clkout2 no pin") << 13 << "clkout2"
                                        << "288" << false << 0;
    QTest::newRow("330 lext") << 13 << "lext"
                              << "0.032768" << false << 0;
    // QXC300A: HEXT 8 x 30 = 240, APB 120.
    QTest::newRow("300A pll") << 7 << "pll"
                              << "240" << true << 240;
    QTest::newRow("300A apb1") << 7 << "apb1"
                               << "120" << true << 120;
    QTest::newRow("300A pllin") << 7 << "pllin"
                                << "8" << true << 16;
    QTest::newRow("300A adc off") << 7 << "adc"
                                  << "0" << false << 28;
    // QXC315: x 18 = 144, APB halved to 72 (limit 75).
    QTest::newRow("315 apb1") << 5 << "apb1"
                              << "72" << true << 75;
    QTest::newRow("315 apb1tmr") << 5 << "apb1tmr"
                                 << "144" << true << 150;
    // QXC320: x 15 = 120 and no halving.
    QTest::newRow("320 apb1") << 9 << "apb1"
                              << "120" << true << 120;
    QTest::newRow("320 apb1tmr") << 9 << "apb1tmr"
                                 << "120" << true << 120;
    // QXC300: x 24 = 192, APB 96.
    QTest::newRow("300 apb2") << 2 << "apb2"
                              << "96" << true << 100;
    // QXE020: x 12 = 96; USART1 on pclk = APB2.
    QTest::newRow("E020 usart1") << 16 << "usart1"
                                 << "96" << true << 96;
    QTest::newRow("E020 rtc off") << 16 << "rtc"
                                  << "0.04" << false << 0;
}

void TestTreeClocks::factoryClocks()
{
    QFETCH(int, series);
    QFETCH(QString, clock);
    QFETCH(QString, mhz);
    QFETCH(bool, inUse);
    QFETCH(int, maxMHz);
    const TreeClockList clocks = TreeClocks::of(factory(series));
    const TreeClock *found = TreeClocks::find(clocks, clock);
    QVERIFY(found);
    QCOMPARE(found->mhz.text(9), mhz);
    QCOMPARE(found->inUse, inUse);
    QCOMPARE(found->maxMHz, maxMHz);
    QVERIFY(found->withinLimits() || !inUse);
}

void TestTreeClocks::namesPerSeries_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QString>("names");
    const QString common =
        QStringLiteral("lick lext hext hick rtc pllin pll sclk ahb apb1 apb1tmr apb2 apb2tmr");
    QTest::newRow("QXC330") << 13 << common + " usb clkout1 clkout2";
    QTest::newRow("QXC335") << 14 << common + " usb clkout1 clkout2";
    QTest::newRow("QXC300") << 2 << common + " adc usb clkout";
    QTest::newRow("QXC320") << 9 << common + " adc clkout";
    QTest::newRow("QXE020") << 16 << common + " adc clkout usart1 usart2 i2c1";
}

void TestTreeClocks::namesPerSeries()
{
    QFETCH(int, series);
    QFETCH(QString, names);
    QCOMPARE(TreeClocks::names(*SeriesTable::byId(series)).join(QLatin1Char(' ')), names);
}

// Random settings of every series: each clock is, to rounding, what the
// recompute writes into the record.
void TestTreeClocks::matchesRecompute()
{
    QRandomGenerator random(40);
    for (const SeriesParams &p : SeriesTable::all()) {
        for (int round = 0; round < 200; ++round) {
            ClockConfig c = factory(p.id);
            auto pick = [&random](const QVector<int> &values) {
                return values.at(int(random.bounded(values.size())));
            };
            c.hextMHz = 4 + random.bounded(2101) / 100.0;
            c.sclkSource = int(random.bounded(3));
            c.hickSclk48 = int(random.bounded(2));
            c.pllSourceHick = int(random.bounded(2));
            c.hextDivEnabled = int(random.bounded(2));
            if (!p.hextPllDivs.isEmpty())
                c.hextDivValue = pick(p.hextPllDivs);
            c.pllFlexible = int(random.bounded(2));
            c.pllMult = 2 + int(random.bounded(63));
            c.pllMs = 1 + int(random.bounded(15));
            c.pllNs = 31 + int(random.bounded(470));
            c.pllFr = pick(ClockConfig::pllFrValues());
            c.ahbDiv = pick(ClockConfig::ahbDivValues());
            c.apb1Div = pick(ClockConfig::apbDivValues());
            c.apb2Div = pick(ClockConfig::apbDivValues());
            c.adcEnabled = p.hasAdc() && random.bounded(2);
            if (p.hasAdc())
                c.adcDiv = pick(p.adcDivs);
            c.usbDisabled = int(random.bounded(2));
            c.usbSourceHick48 = p.usbHickRadios ? int(random.bounded(2)) : 0;
            if (p.hasUsb())
                c.usbDiv = p.usbDivItems().at(int(random.bounded(p.usbDivItems().size())));
            c.recompute();
            const TreeClockList clocks = TreeClocks::of(c);
            const auto near = [&](const char *name, double expected) {
                const double got = TreeClocks::find(clocks, QLatin1String(name))->mhz.toDouble();
                return qAbs(got - expected) <= 1e-9 * qMax(1.0, qAbs(expected));
            };
            const QByteArray where = QByteArray(p.name) + " round " + QByteArray::number(round);
            QVERIFY2(near("sclk", c.sclkMHz), where);
            QVERIFY2(near("ahb", c.ahbMHz), where);
            QVERIFY2(near("apb1", c.apb1MHz), where);
            QVERIFY2(near("apb1tmr", c.apb1TimerMHz), where);
            QVERIFY2(near("apb2", c.apb2MHz), where);
            QVERIFY2(near("apb2tmr", c.apb2TimerMHz), where);
            if (c.pllInUse())
                QVERIFY2(near("pll", c.pllMHz), where);
            if (c.adcEnabled)
                QVERIFY2(near("adc", c.adcMHz), where);
            if (p.hasUsb() && c.usbDisabled == 0 && (p.usbHickIgnored || c.usbSourceHick48 == 0))
                QVERIFY2(near("usb", c.usbMHz), where);
        }
    }
}

void TestTreeClocks::usbAndOutputs()
{
    ClockConfig c = factory(13);
    c.usbDisabled = 0;
    c.usbDiv = 6.0;
    TreeClockList clocks = TreeClocks::of(c);
    const TreeClock *usb = TreeClocks::find(clocks, QStringLiteral("usb"));
    QCOMPARE(usb->mhz, Rational(48));
    QVERIFY(usb->inUse && usb->withinLimits());
    c.usbDiv = 6.5; // 288 / 6.5 = 576 / 13, not 48
    clocks = TreeClocks::of(c);
    usb = TreeClocks::find(clocks, QStringLiteral("usb"));
    QCOMPARE(usb->mhz, Rational(576, 13));
    QCOMPARE(usb->mhz.text(), QStringLiteral("44.307692"));
    QVERIFY(!usb->withinLimits());
    c.usbSourceHick48 = 1; // HICK 48 feeds USB
    QCOMPARE(TreeClocks::find(TreeClocks::of(c), QStringLiteral("usb"))->mhz, Rational(48));

    // Clock output 1 on PA8 from the PLL through /3 and /2: 288 / 6 = 48.
    c.clkout1Pin = 1;
    c.clkout1Source = 3;
    c.clkout1Div1 = 3;
    c.clkout1Div2 = 2;
    // Clock output 2 on PC9 from USB while USB is off: no clock.
    c.clkout2Pin = 1;
    c.clkout2Source = 3;
    c.usbDisabled = 1;
    clocks = TreeClocks::of(c);
    const TreeClock *out1 = TreeClocks::find(clocks, QStringLiteral("clkout1"));
    QCOMPARE(out1->mhz, Rational(48));
    QVERIFY(out1->inUse);
    QVERIFY(!TreeClocks::find(clocks, QStringLiteral("clkout2"))->inUse);
    // The divided HICK reaches the outputs as 8 MHz.
    c.clkout1Source = 0;
    c.clkout1Div1 = 1;
    c.clkout1Div2 = 1;
    QCOMPARE(TreeClocks::find(TreeClocks::of(c), QStringLiteral("clkout1"))->mhz, Rational(8));
}

QTEST_GUILESS_MAIN(TestTreeClocks)
#include "tst_treeclocks.moc"

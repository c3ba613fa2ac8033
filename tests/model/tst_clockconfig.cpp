#include "ClockConfig.h"
#include "RecordFields.h"

#include <QtTest>

namespace {

// A value of the field's own type that differs for every n.
QVariant valueFor(const QVariant &field, int n)
{
    if (field.type() == QVariant::Int)
        return 1000 + n;
    if (field.type() == QVariant::Double)
        return 0.25 + n;
    return n % 2 == 0;
}

} // namespace

// The clock record: reset, field reflection, and what recompute,
// applyTypedSclk and retunePllForUsb derive from a set-up (HEXT 8 MHz unless
// the row says otherwise).
class TestClockConfig : public QObject {
    Q_OBJECT

private slots:
    void resetClearsEverything();
    void fieldReflection();
    void setFieldValue_data();
    void setFieldValue();
    void pllInput_data();
    void pllInput();
    void recompute_data();
    void recompute();
    void typedSclk_data();
    void typedSclk();
    void usbRetune_data();
    void usbRetune();
    void clocksInUse_data();
    void clocksInUse();
    void pllcfg_data();
    void pllcfg();
};

void TestClockConfig::resetClearsEverything()
{
    for (int series : {2, 13, 99}) {
        ClockConfig c(series);
        int n = 0;
        for (const auto &field : c.fieldValues())
            QVERIFY(field.first == "seriesId" || c.setFieldValue(field.first, valueFor(field.second, ++n)));
        c.resetDefaults();
        QCOMPARE(c.fieldValues(), ClockConfig(series).fieldValues());
        TF_VERIFY_FIELDS(c,
                         "hextMHz=8 sclkSource=2 pllFlexible=1 pllMs=2 pllNs=192 pllFr=8 usbDiv=1 adcDiv=2");
        QCOMPARE(c.hickMHz, series == 2 ? 8.0 : 48.0);
    }
}

void TestClockConfig::fieldReflection()
{
    // Each field reads back what was written through its name: two names on
    // one member, or a name on the wrong member, show up here.
    ClockConfig c(13);
    QSet<QString> names;
    int n = 0;
    for (const auto &f : c.fieldValues()) {
        names.insert(f.first);
        QVERIFY2(c.setFieldValue(f.first, valueFor(f.second, ++n)), qPrintable(f.first));
    }
    QCOMPARE(names.size(), 53);
    n = 0;
    for (const auto &f : c.fieldValues())
        QVERIFY2(f.second == valueFor(f.second, ++n), qPrintable(f.first));
    QCOMPARE(c.seriesId, 1001);
    QCOMPARE(c.usbDiv, 0.25 + 33);
    QCOMPARE(c.i2c1Source, 1053);
}

void TestClockConfig::setFieldValue_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("after");
    QTest::newRow("int from text") << "pllNs" << QVariant("96") << true << "pllNs=96";
    QTest::newRow("int from garbage") << "pllNs" << QVariant("x9") << false << "pllNs=192";
    QTest::newRow("double from garbage") << "hextMHz" << QVariant("fast") << false << "hextMHz=8";
    QTest::newRow("bool from int") << "hextBypass" << QVariant(1) << true << "hextBypass=true";
    QTest::newRow("bool from garbage") << "hextBypass" << QVariant("maybe") << false << "hextBypass=false";
    QTest::newRow("unknown name") << "pllms" << QVariant(3) << false << "pllMs=2";
}

void TestClockConfig::setFieldValue()
{
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    QFETCH(bool, ok);
    QFETCH(QString, after);
    ClockConfig c(5);
    QCOMPARE(c.setFieldValue(name, value), ok);
    TF_VERIFY_FIELDS(c, after);
}

void TestClockConfig::pllInput_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<double>("expected");
    QTest::newRow("HEXT / 5") << 7 << "hextMHz=10 hextDivEnabled=1 hextDivValue=5" << 2.0;
    QTest::newRow("HEXT undivided") << 7 << "hextMHz=12 hextDivValue=5" << 12.0;
    QTest::newRow("C330 has no divided path") << 13 << "hextMHz=12 hextDivEnabled=1 hextDivValue=3" << 12.0;
    // A divided path whose divider was never set must not divide by zero.
    QTest::newRow("unset divider is the first") << 4 << "hextDivEnabled=1 hextDivValue=0" << 4.0;
}

void TestClockConfig::pllInput()
{
    QFETCH(int, series);
    QFETCH(QString, setup);
    QFETCH(double, expected);
    TF_RECORD(c, series, setup);
    QCOMPARE(c.pllInputMHz(), expected);
}

void TestClockConfig::recompute_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("expected");
    const QString c330At288 = "sclkSource=1 pllMs=1 pllNs=72 pllFr=2 ";
    QTest::newRow("C330 288 halves both APBs")
        << 13 << c330At288 << "apb1Div=2 apb2Div=2 apb1MHz=144 apb1TimerMul=2 apb1TimerMHz=288 apb2MHz=144";
    QTest::newRow("C330 /2 stays") << 13 << c330At288 + "apb1Div=2"
                                   << "apb1Div=2 apb1MHz=144";
    QTest::newRow("C330 below the limit keeps /1") << 13 << c330At288 + "ahbDiv=4"
                                                   << "apb1Div=1 apb1MHz=72 apb1TimerMul=1 apb1TimerMHz=72";
    QTest::newRow("C330 /4 kept above the limit") << 13 << "sclkSource=1 pllMs=1 pllNs=500 pllFr=2 apb1Div=4"
                                                  << "apb1Div=4 apb1MHz=500";
    QTest::newRow("C300A 248 /2 is enough") << 8 << "sclkSource=1 pllFlexible=0 pllMult=31"
                                            << "apb1Div=2 apb2Div=2 apb1MHz=124 apb2TimerMHz=248";
    QTest::newRow("C320 never halves") << 9 << "sclkSource=1 pllFlexible=0 pllMult=30"
                                       << "apb1Div=1 apb1MHz=240";
    QTest::newRow("multiplier series ignores the mode field") << 4 << "sclkSource=1 pllFlexible=1 pllMult=18"
                                                              << "pllMHz=144 sclkMHz=144";
    QTest::newRow("C330 HICK divided") << 13 << "sclkSource=2 adcEnabled=1 adcDiv=4"
                                       << "sclkMHz=8 ahbMHz=8 adcMHz=2";
    QTest::newRow("C330 HICK 48") << 13 << "sclkSource=2 hickSclk48=1"
                                  << "sclkMHz=48";
    QTest::newRow("C300 HICK is 8 MHz, flag ignored") << 2 << "sclkSource=2 hickSclk48=1"
                                                      << "sclkMHz=8";
    const QString usb = "usbDiv=6 usbMHz=-1 ";
    QTest::newRow("C330 USB from the PLL") << 13 << c330At288 + usb << "pllMHz=288 usbMHz=48";
    QTest::newRow("C330 USB from HICK 48") << 13 << c330At288 + usb + "usbSourceHick48=1"
                                           << "usbMHz=-1";
    QTest::newRow("C300 USB always from the PLL")
        << 2 << "sclkSource=1 pllFlexible=0 pllMult=36 usbSourceHick48=1 " + usb << "pllMHz=288 usbMHz=48";
    QTest::newRow("C310 USB from HICK 48")
        << 4 << "sclkSource=1 pllFlexible=0 pllMult=36 usbSourceHick48=1 " + usb << "usbMHz=-1";
    QTest::newRow("C320 has no USB") << 9 << "sclkSource=1 pllFlexible=0 pllMult=36 " + usb << "usbMHz=-1";
    QTest::newRow("unused PLL keeps its value") << 13 << "sclkSource=0 usbDisabled=1 pllMHz=123"
                                                << "sclkMHz=8 pllMHz=123";
    QTest::newRow("clock output on the PLL uses it")
        << 13 << "sclkSource=0 usbDisabled=1 pllMHz=123 clkout1Pin=1 clkout1Source=3"
        << "pllMHz=96";
}

void TestClockConfig::recompute()
{
    QFETCH(int, series);
    QFETCH(QString, setup);
    QFETCH(QString, expected);
    TF_RECORD(c, series, setup);
    c.recompute();
    TF_VERIFY_FIELDS(c, expected);
}

void TestClockConfig::typedSclk_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QString>("setup"); // sclkSource=1 and usbMHz=-1 always
    QTest::addColumn<QString>("expected");
    QTest::newRow("C330 192 gives /4") << 13 << "sclkMHz=192 usbDiv=6"
                                       << "pllMHz=192 usbDiv=4 usbMHz=48";
    QTest::newRow("C330 200 keeps /6") << 13 << "sclkMHz=200 usbDiv=6"
                                       << "sclkMHz=200 usbDiv=6 usbMHz=33.3333333333333";
    QTest::newRow("C330 clamp at 7") << 13 << "sclkMHz=336 usbDiv=6"
                                     << "usbDiv=7 usbMHz=48";
    QTest::newRow("C330 USB off keeps the divider") << 13 << "sclkMHz=192 usbDiv=6 usbDisabled=1"
                                                    << "usbDiv=6 usbMHz=-1";
    QTest::newRow("C300A 288 clamps to /4") << 7 << "pllFlexible=0 sclkMHz=288 usbDiv=2"
                                            << "pllMult=36 pllMHz=288 usbDiv=4 usbMHz=72";
    QTest::newRow("C300A 100 rounds x12.5 up") << 7 << "pllFlexible=0 sclkMHz=100 usbDisabled=1"
                                               << "pllMult=13 sclkMHz=104";
    QTest::newRow("C300A 2 MHz input clamps to x64")
        << 7 << "pllFlexible=0 hextMHz=10 hextDivEnabled=1 hextDivValue=5 sclkMHz=200 usbDisabled=1"
        << "pllMult=64 sclkMHz=128";
    QTest::newRow("C300 whole-kHz rounding") << 2 << "pllFlexible=0 hextMHz=12 sclkMHz=198 usbDiv=1"
                                             << "pllMult=17 sclkMHz=204 usbDiv=1 usbMHz=204";
    QTest::newRow("C315 normal 144 gives /3") << 5 << "pllFlexible=0 sclkMHz=144 usbDiv=1"
                                              << "pllMult=18 usbDiv=3 usbMHz=48";
    QTest::newRow("C310 multiplier with the mode field left at 1")
        << 4 << "pllFlexible=1 sclkMHz=144 usbDiv=1"
        << "pllMult=18 pllMHz=144 usbDiv=3";
    QTest::newRow("C320 has no USB") << 9 << "pllFlexible=0 sclkMHz=96 usbDiv=1"
                                     << "pllMult=12 usbDiv=1 usbMHz=-1";
}

void TestClockConfig::typedSclk()
{
    QFETCH(int, series);
    QFETCH(QString, setup);
    QFETCH(QString, expected);
    TF_RECORD(c, series, "sclkSource=1 usbMHz=-1 " + setup);
    c.applyTypedSclk();
    TF_VERIFY_FIELDS(c, expected);
    // The PLL and the buses follow the new system clock.
    QCOMPARE(c.pllMHz, c.sclkMHz);
    QCOMPARE(c.ahbMHz, c.sclkMHz);
    QCOMPARE(c.apb1MHz, c.sclkMHz / c.apb1Div);
}

void TestClockConfig::usbRetune_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<double>("pll"); // -1: untouched
    QTest::newRow("multiplier /1.5 gives x9") << 7 << "pllFlexible=0 usbDiv=1.5" << 72.0;
    QTest::newRow("C300 retunes despite the HICK flag")
        << 2 << "pllFlexible=0 usbSourceHick48=1 usbDiv=1" << 48.0;
    QTest::newRow("C325 normal /2 gives x12") << 15 << "pllFlexible=0 usbDiv=2" << 96.0;
    QTest::newRow("C325 flexible /2") << 15 << "pllFlexible=1 usbDiv=2" << 96.0;
    QTest::newRow("C330 /6 gives 288") << 13 << "usbDiv=6" << 288.0;
    QTest::newRow("HICK 48 path untouched") << 13 << "usbSourceHick48=1 usbDiv=6" << -1.0;
    QTest::newRow("USB off untouched") << 13 << "usbDisabled=1 usbDiv=6" << -1.0;
    QTest::newRow("C320 has no USB") << 9 << "pllFlexible=0" << -1.0;
}

void TestClockConfig::usbRetune()
{
    QFETCH(int, series);
    QFETCH(QString, setup);
    QFETCH(double, pll);
    TF_RECORD(c, series, "sclkSource=0 sclkMHz=8 apb1MHz=-2 pllMHz=-1 usbMHz=-1 " + setup);
    c.retunePllForUsb();
    QCOMPARE(c.pllMHz, pll);
    QCOMPARE(c.usbMHz, pll > 0 ? 48.0 : -1.0);
    if (pll > 0 && c.flexiblePllActive())
        QCOMPARE(c.pllNs * c.pllInputMHz() / (c.pllMs * c.pllFr), pll);
    else if (pll > 0)
        QCOMPARE(c.pllMult * c.pllInputMHz(), pll);
    // System clock and buses are not touched.
    TF_VERIFY_FIELDS(c, "sclkMHz=8 apb1MHz=-2");
}

void TestClockConfig::clocksInUse_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("inUse"); // of "pll hext hick"
    const QString noUsb = "usbDisabled=1 ";
    QTest::newRow("sclk HEXT") << 5 << noUsb + "sclkSource=0"
                               << "hext";
    QTest::newRow("sclk HICK") << 5 << noUsb + "sclkSource=2"
                               << "hick";
    QTest::newRow("sclk PLL on HEXT") << 13 << noUsb + "sclkSource=1"
                                      << "pll hext";
    QTest::newRow("USB on the PLL") << 4 << "sclkSource=2"
                                    << "pll hext hick";
    QTest::newRow("USB from HICK 48") << 4 << "sclkSource=0 usbSourceHick48=1"
                                      << "hext hick";
    QTest::newRow("C300 USB on the PLL on HICK") << 2 << "sclkSource=0 pllSourceHick=1 usbSourceHick48=1"
                                                 << "pll hext hick";
    QTest::newRow("C300 USB ignores the HICK flag") << 2 << "sclkSource=1 usbSourceHick48=1"
                                                    << "pll hext";
    QTest::newRow("C320 no USB") << 9 << "sclkSource=2"
                                 << "hick";
    QTest::newRow("clkout pll/2") << 16 << noUsb + "sclkSource=2 clkoutPin=1 clkoutSource=8"
                                  << "pll hext hick";
    QTest::newRow("clkout pll/4 without pin") << 7 << noUsb + "sclkSource=2 clkoutSource=9"
                                              << "hick";
    QTest::newRow("clkout hext") << 7 << noUsb + "sclkSource=2 clkoutPin=1 clkoutSource=4"
                                 << "hext hick";
    QTest::newRow("two-output fields mean nothing here")
        << 7 << noUsb + "sclkSource=2 clkout1Pin=1 clkout1Source=3"
        << "hick";
    QTest::newRow("C330 out1 PLL") << 13 << noUsb + "sclkSource=2 clkout1Pin=2 clkout1Source=3"
                                   << "pll hext hick";
    QTest::newRow("C330 out2 PLL") << 13 << noUsb + "sclkSource=2 clkout2Pin=1 clkout2Source=2"
                                   << "pll hext hick";
    QTest::newRow("C330 out2 LICK") << 14 << noUsb + "sclkSource=0 clkout2Pin=1 clkout2Source=6"
                                    << "hext";
    QTest::newRow("single-output fields mean nothing on C330")
        << 13 << noUsb + "sclkSource=2 clkoutPin=1 clkoutSource=8"
        << "hick";
}

void TestClockConfig::clocksInUse()
{
    QFETCH(int, series);
    QFETCH(QString, setup);
    QFETCH(QString, inUse);
    // The RTC starts its own oscillator: it never counts.
    TF_RECORD(c, series, "rtcEnabled=1 rtcSource=2 " + setup);
    QStringList actual;
    if (c.pllInUse())
        actual << "pll";
    if (c.hextNeeded())
        actual << "hext";
    if (c.hickNeeded())
        actual << "hick";
    QCOMPARE(actual.join(' '), inUse);
}

void TestClockConfig::pllcfg_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("text");
    // 1 + (72 << 6) + (1 << 16) + (1 << 22)
    QTest::newRow("C330 factory") << "pllMs=1 pllNs=72 pllFr=2"
                                  << "0x00411201";
    QTest::newRow("on HICK bit 22 cleared") << "pllMs=1 pllNs=72 pllFr=2 pllSourceHick=1"
                                            << "0x00011201";
    QTest::newRow("largest factors") << "pllMs=15 pllNs=500 pllFr=32"
                                     << "0x00457d0f";
    QTest::newRow("unlisted fr counts as 1") << "pllMs=3 pllNs=200 pllFr=3 pllSourceHick=1"
                                             << "0x00003203";
}

void TestClockConfig::pllcfg()
{
    QFETCH(QString, setup);
    QFETCH(QString, text);
    TF_RECORD(c, 13, setup);
    QCOMPARE(c.pllcfgText(), text);
    QCOMPARE(c.pllcfgWord(), text.mid(2).toUInt(nullptr, 16));
}

QTEST_GUILESS_MAIN(TestClockConfig)
#include "tst_clockconfig.moc"

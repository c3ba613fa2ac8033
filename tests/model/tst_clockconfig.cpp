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

class TestClockConfig : public QObject {
    Q_OBJECT

private slots:
    void fieldsAndReset();
    void rules_data();
    void rules();
};

// Each field reads back what was written through its name (two names on one
// member show up here); reset restores the fresh record; a refused value
// changes nothing.
void TestClockConfig::fieldsAndReset()
{
    for (int series : {2, 13}) {
        ClockConfig c(series);
        int n = 0;
        for (const auto &f : c.fieldValues())
            QVERIFY2(c.setFieldValue(f.first, valueFor(f.second, ++n)), qPrintable(f.first));
        QCOMPARE(n, 53);
        n = 0;
        for (const auto &f : c.fieldValues())
            QVERIFY2(f.second == valueFor(f.second, ++n), qPrintable(f.first));
        QVERIFY(c.seriesId == 1001 && c.usbDiv == 33.25 && c.i2c1Source == 1053);
        c.seriesId = series;
        c.resetDefaults();
        QCOMPARE(c.fieldValues(), ClockConfig(series).fieldValues());
        TF_VERIFY_FIELDS(c,
                         "hextMHz=8 sclkSource=2 pllFlexible=1 pllMs=2 pllNs=192 pllFr=8 usbDiv=1 adcDiv=2");
        QCOMPARE(c.hickMHz, series == 2 ? 8.0 : 48.0);
        QVERIFY(!c.setFieldValue("pllNs", "x9") && !c.setFieldValue("hextMHz", "fast"));
        QVERIFY(!c.setFieldValue("hextBypass", "maybe") && !c.setFieldValue("pllms", 3));
        QCOMPARE(c.fieldValues(), ClockConfig(series).fieldValues());
    }
}

// What recompute, applyTypedSclk, retunePllForUsb and the factor search derive
// from a set-up (HEXT 8 MHz unless the row says otherwise), the clocks a
// record needs, and the CRM_PLLCFG word.
void TestClockConfig::rules_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("expected");
    auto row = [](const char *name, int series, const char *op, const QString &setup,
                  const QString &expected) {
        QTest::newRow(name) << series << QString(op) << setup << expected;
    };
    const QString at288 = "sclkSource=1 pllMs=1 pllNs=72 pllFr=2 ";
    const QString mult = "sclkSource=1 pllFlexible=0 ";
    const QString usb = "usbDiv=6 usbMHz=-1 ";
    row("C330 288 halves both APBs", 13, "calc", at288,
        "apb1Div=2 apb2Div=2 apb1MHz=144 apb1TimerMul=2 apb1TimerMHz=288 apb2MHz=144");
    row("C330 below the limit keeps /1", 13, "calc", at288 + "ahbDiv=4",
        "apb1Div=1 apb1MHz=72 apb1TimerMul=1 apb1TimerMHz=72");
    row("C330 /4 kept above the limit", 13, "calc", "sclkSource=1 pllMs=1 pllNs=500 pllFr=2 apb1Div=4",
        "apb1Div=4 apb1MHz=500");
    row("multiplier ignores the mode field", 4, "calc", "sclkSource=1 pllFlexible=1 pllMult=18",
        "pllMHz=144 sclkMHz=144");
    row("C300A HEXT / 5", 7, "calc", mult + "hextMHz=10 hextDivEnabled=1 hextDivValue=5 pllMult=10",
        "pllMHz=20");
    row("C330 has no divided path", 13, "calc", at288 + "hextMHz=12 hextDivEnabled=1 hextDivValue=3",
        "pllMHz=432");
    // A divided path whose divider was never set must not divide by zero.
    row("unset divider is the first", 4, "calc", mult + "hextDivEnabled=1 hextDivValue=0 pllMult=10",
        "pllMHz=40");
    row("C330 HICK divided", 13, "calc", "sclkSource=2 adcEnabled=1 adcDiv=4", "sclkMHz=8 adcMHz=2");
    row("C330 HICK 48", 13, "calc", "sclkSource=2 hickSclk48=1", "sclkMHz=48");
    row("C300 HICK is 8 MHz, flag ignored", 2, "calc", "sclkSource=2 hickSclk48=1", "sclkMHz=8");
    row("C330 USB from the PLL", 13, "calc", at288 + usb, "pllMHz=288 usbMHz=48");
    row("C330 USB from HICK 48", 13, "calc", at288 + usb + "usbSourceHick48=1", "usbMHz=-1");
    row("C300 USB from the PLL", 2, "calc", mult + "pllMult=36 usbSourceHick48=1 " + usb, "usbMHz=48");
    row("C320 has no USB", 9, "calc", mult + "pllMult=36 " + usb, "usbMHz=-1");
    row("unused PLL keeps its value", 13, "calc", "sclkSource=0 usbDisabled=1 pllMHz=123",
        "sclkMHz=8 pllMHz=123");
    row("clock output on the PLL uses it", 13, "calc",
        "sclkSource=0 usbDisabled=1 pllMHz=123 clkout1Pin=1 clkout1Source=3", "pllMHz=96");

    row("typed C330 192 gives /4", 13, "typed", "sclkMHz=192 " + usb, "pllMHz=192 usbDiv=4 usbMHz=48");
    row("typed C330 200 keeps /6", 13, "typed", "sclkMHz=200 " + usb, "usbDiv=6 usbMHz=33.3333333333333");
    row("typed C330 USB off keeps the divider", 13, "typed", "sclkMHz=192 usbDisabled=1 " + usb,
        "usbDiv=6 usbMHz=-1");
    row("typed C300A 288 clamps to /4", 7, "typed", "pllFlexible=0 sclkMHz=288 usbDiv=2",
        "pllMult=36 pllMHz=288 usbDiv=4 usbMHz=72");
    row("typed C300A 100 rounds x12.5 up", 7, "typed", "pllFlexible=0 sclkMHz=100 usbDisabled=1",
        "pllMult=13 sclkMHz=104");
    row("typed C300A 2 MHz clamps to x64", 7, "typed",
        "pllFlexible=0 hextMHz=10 hextDivEnabled=1 hextDivValue=5 sclkMHz=200 usbDisabled=1",
        "pllMult=64 sclkMHz=128");
    row("typed C300 whole-kHz rounding", 2, "typed", "pllFlexible=0 hextMHz=12 sclkMHz=198 usbDiv=1",
        "pllMult=17 sclkMHz=204 usbMHz=204");
    row("typed C310 mode field left at 1", 4, "typed", "pllFlexible=1 sclkMHz=144 usbDiv=1",
        "pllMult=18 pllMHz=144 usbDiv=3");

    // The USB retune leaves the system clock and the buses alone.
    const QString still = "sclkMHz=8 apb1MHz=-2 ";
    row("usb multiplier /1.5 gives x9", 7, "usb", "pllFlexible=0 usbDiv=1.5", still + "pllMHz=72 usbMHz=48");
    row("usb C300 despite the HICK flag", 2, "usb", "pllFlexible=0 usbSourceHick48=1 usbDiv=1",
        still + "pllMHz=48 usbMHz=48");
    row("usb C325 flexible /2", 15, "usb", "pllFlexible=1 usbDiv=2", still + "pllMHz=96 usbMHz=48");
    row("usb C330 /6 gives 288", 13, "usb", "usbDiv=6", still + "pllMHz=288 usbMHz=48");
    row("usb HICK 48 path untouched", 13, "usb", "usbSourceHick48=1 usbDiv=6", still + "pllMHz=-1 usbMHz=-1");
    row("usb C320 has none", 9, "usb", "pllFlexible=0", still + "pllMHz=-1 usbMHz=-1");

    // The search: examples, a 1 MHz reference that fits no ms range (every ms
    // is tried), and the USB search that leaves the system clock alone.
    const QString factors = "pllFr=%1 pllMs=%2 pllNs=%3 pllMHz=%4 sclkMHz=%5";
    row("search 12 to 100", 13, "search", "hextMHz=12 sclkMHz=100",
        factors.arg(8).arg(3).arg(200).arg(100).arg(100));
    row("search 8 to 287.3", 13, "search", "sclkMHz=287.3", factors.arg(2).arg(4).arg(287).arg(287).arg(287));
    row("search 8 to 288", 13, "search", "sclkMHz=288", factors.arg(2).arg(1).arg(72).arg(288).arg(288));
    row("search 1 to 50", 13, "search", "hextMHz=1 sclkMHz=50",
        factors.arg(4).arg(2).arg(400).arg(50).arg(50));
    row("search USB /6", 13, "usbSearch", "sclkMHz=1 usbDiv=6",
        factors.arg(2).arg(1).arg(72).arg(288).arg(1));
    row("search USB 48.48 truncated", 13, "usbSearch", "sclkMHz=1 usbDiv=1.01",
        factors.arg(16).arg(1).arg(96).arg(48).arg(1));

    const QString noUsb = "usbDisabled=1 ";
    row("uses sclk HEXT", 5, "uses", noUsb + "sclkSource=0", "hext");
    row("uses sclk HICK", 5, "uses", noUsb + "sclkSource=2", "hick");
    row("uses sclk PLL on HEXT", 13, "uses", noUsb + "sclkSource=1", "pll hext");
    row("uses USB on the PLL", 4, "uses", "sclkSource=2", "pll hext hick");
    row("uses USB from HICK 48", 4, "uses", "sclkSource=0 usbSourceHick48=1", "hext hick");
    row("uses C300 USB ignores the HICK flag", 2, "uses", "sclkSource=1 usbSourceHick48=1", "pll hext");
    row("uses C320 no USB", 9, "uses", "sclkSource=2", "hick");
    row("uses clkout pll/2", 16, "uses", noUsb + "sclkSource=2 clkoutPin=1 clkoutSource=8", "pll hext hick");
    row("uses clkout without pin", 7, "uses", noUsb + "sclkSource=2 clkoutSource=9", "hick");
    row("uses C330 out2 PLL", 13, "uses", noUsb + "sclkSource=2 clkout2Pin=1 clkout2Source=2",
        "pll hext hick");
    row("uses C330 single-output fields", 13, "uses", noUsb + "sclkSource=2 clkoutPin=1 clkoutSource=8",
        "hick");

    // 1 + (72 << 6) + (1 << 16) + (1 << 22)
    row("cfg C330 factory", 13, "cfg", "pllMs=1 pllNs=72 pllFr=2", "0x00411201");
    row("cfg HICK clears bit 22", 13, "cfg", "pllMs=1 pllNs=72 pllFr=2 pllSourceHick=1", "0x00011201");
    row("cfg largest factors", 13, "cfg", "pllMs=15 pllNs=500 pllFr=32", "0x00457d0f");
    row("cfg unlisted fr is 1", 13, "cfg", "pllMs=3 pllNs=200 pllFr=3 pllSourceHick=1", "0x00003203");
}

void TestClockConfig::rules()
{
    QFETCH(int, series);
    QFETCH(QString, op);
    QFETCH(QString, setup);
    QFETCH(QString, expected);
    // The RTC starts its own oscillator: it never counts as a clock in use.
    static const QMap<QString, QString> prefix{
        {"typed", "sclkSource=1 usbMHz=-1 "},
        {"usb", "sclkSource=0 sclkMHz=8 apb1MHz=-2 pllMHz=-1 usbMHz=-1 "},
        {"uses", "rtcEnabled=1 rtcSource=2 "}};
    TF_RECORD(c, series, prefix.value(op) + setup);
    if (op == "uses") {
        const QStringList inUse{c.pllInUse() ? "pll" : "", c.hextNeeded() ? "hext" : "",
                                c.hickNeeded() ? "hick" : ""};
        QCOMPARE(inUse.join(' ').simplified(), expected);
        return;
    }
    if (op == "cfg") {
        QCOMPARE(c.pllcfgText(), expected);
        QCOMPARE(c.pllcfgWord(), expected.mid(2).toUInt(nullptr, 16));
        return;
    }
    if (op == "calc")
        c.recompute();
    else if (op == "typed")
        c.applyTypedSclk();
    else if (op == "usb")
        c.retunePllForUsb();
    else
        c.searchPllFactors(c.pllInputMHz(), op == "usbSearch");
    TF_VERIFY_FIELDS(c, expected);
    const double in = c.pllInputMHz();
    if (op == "typed")
        QVERIFY(c.pllMHz == c.sclkMHz && c.ahbMHz == c.sclkMHz && c.apb1MHz == c.sclkMHz / c.apb1Div);
    if (op == "usb" && c.pllMHz > 0)
        QCOMPARE(c.flexiblePllActive() ? c.pllNs * in / (c.pllMs * c.pllFr) : c.pllMult * in, c.pllMHz);
}

QTEST_GUILESS_MAIN(TestClockConfig)
#include "tst_clockconfig.moc"

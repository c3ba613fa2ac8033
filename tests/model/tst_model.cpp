#include "ClockConfig.h"
#include "ClockRules.h"
#include "LiteralRows.h"
#include "PllCandidates.h"
#include "RecordFields.h"
#include "SeriesTable.h"

#include <QtTest>

#include <cmath>

// The clock record, its rule book and the series table: what they derive,
// refuse and suggest, from set-ups written as field text.
class TestModel : public QObject {
    Q_OBJECT

private slots:
    void fieldsAndReset();
    void rules_data();
    void rules();
    void searchIsOptimal_data();
    void searchIsOptimal();
    void series_data();
    void series();
};

// Each field reads back what was written through its name (two names on one
// member show up here); reset restores the fresh record; a refused value
// changes nothing.
void TestModel::fieldsAndReset()
{
    const auto valueFor = [](const QVariant &field, int n) {
        return field.type() == QVariant::Int      ? QVariant(1000 + n)
               : field.type() == QVariant::Double ? QVariant(0.25 + n)
                                                  : QVariant(n % 2 == 0);
    };
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

// What recompute, applyTypedSclk, retunePllForUsb, the factor search and the
// factor checks derive from a set-up (HEXT 8 MHz unless the row says
// otherwise), the clocks a record needs, the CRM_PLLCFG word and the rule
// book's findings.
void TestModel::rules_data()
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
    // A target within the limit never gets a clock above it: x17 would give 204 MHz.
    row("typed C300 198 stays within 200", 2, "typed", "pllFlexible=0 hextMHz=12 sclkMHz=198 usbDiv=1",
        "pllMult=16 sclkMHz=192 usbDiv=4 usbMHz=48");
    row("typed C315 normal 150 stays within 150", 5, "typed", "pllFlexible=0 sclkMHz=150 usbDisabled=1",
        "pllMult=18 pllMHz=144 sclkMHz=144");
    row("typed W315 normal 150 stays within 150", 17, "typed", "pllFlexible=0 sclkMHz=150 usbDisabled=1",
        "pllMult=18 pllMHz=144 sclkMHz=144");
    row("typed C315 flexible 150 from 24.576", 5, "typed",
        "pllFlexible=1 hextMHz=24.576 sclkMHz=150 usbDisabled=1",
        "pllFr=4 pllMs=5 pllNs=122 pllMHz=149.9136 sclkMHz=149.9136");
    // The clocks are those of the exact input (8 / 3 MHz), the multiplier chosen on whole kHz.
    row("typed C300A x64 on 8 / 3", 7, "typed",
        "pllFlexible=0 hextDivEnabled=1 hextDivValue=3 sclkMHz=170.667 usbDisabled=1",
        "pllMult=64 pllMHz=170.666666666667 sclkMHz=170.666666666667 ahbMHz=170.666666666667");
    row("typed C310 mode field left at 1", 4, "typed", "pllFlexible=1 sclkMHz=144 usbDiv=1",
        "pllMult=18 pllMHz=144 usbDiv=3");
    // 480 MHz asks for usbdiv /10: the series' clamp decides.
    for (const auto &[id, clamp] : {qMakePair(2, 4), qMakePair(17, 4), qMakePair(13, 7), qMakePair(9, 2)})
        QTest::addRow("typed clamp, series %d", id)
            << id << "typed"
            << "pllFlexible=0 usbDisabled=0 usbDiv=2 sclkMHz=480" << QString("usbDiv=%1").arg(clamp);

    // The USB retune leaves the system clock and the buses alone.
    const QString still = "sclkMHz=8 apb1MHz=-2 ";
    row("usb multiplier /1.5 gives x9", 7, "usb", "pllFlexible=0 usbDiv=1.5", still + "pllMHz=72 usbMHz=48");
    row("usb multiplier x27 on 8 / 3 is exactly 72", 7, "usb",
        "pllFlexible=0 hextDivEnabled=1 hextDivValue=3 usbDiv=1.5", still + "pllMult=27 pllMHz=72 usbMHz=48");
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
    // Four sets are 460.8 kHz away; rounding must not pick ms 5 / ns 260 over the first met.
    row("search 11.0592 to 288 ties in search order", 13, "search", "hextMHz=11.0592 sclkMHz=288",
        factors.arg(2).arg(1).arg(52).arg("287.5392").arg("287.5392"));
    row("search 1 to 50", 13, "search", "hextMHz=1 sclkMHz=50",
        factors.arg(4).arg(2).arg(400).arg(50).arg(50));
    row("search USB /6", 13, "usbSearch", "sclkMHz=1 usbDiv=6",
        factors.arg(2).arg(1).arg(72).arg(288).arg(1));
    row("search USB 48.48 truncated", 13, "usbSearch", "sclkMHz=1 usbDiv=1.01",
        factors.arg(16).arg(1).arg(96).arg(48).arg(1));

    // The ms range of a reference (every ms where none fits), and the factor
    // checks: the suggestion, "=" when the factor is accepted.
    row("ms range of 8 MHz", 13, "msRange", "hextMHz=8", "1..4");
    row("ms range of 16 MHz", 13, "msRange", "hextMHz=16", "1..8");
    row("ms range of 30 MHz", 13, "msRange", "hextMHz=30", "2..15");
    row("ms range of 1.9 MHz", 13, "msRange", "hextMHz=1.9", "1..15");
    row("ms: 8 / 4 is exactly 2", 13, "ms", "pllMs=4", "=4");
    row("ms: 8 / 5 too small", 13, "ms", "pllMs=5", "4");
    row("ms: 25 / 1 too large", 13, "ms", "hextMHz=25 pllMs=1", "2");
    row("ms: 32 / 2 is exactly 16", 13, "ms", "hextMHz=32 pllMs=1", "2");
    row("ms: HICK 8 MHz / 5", 14, "ms", "hextMHz=25 pllSourceHick=1 pllMs=5", "4");
    row("ms: HICK 4 MHz / 3", 5, "ms", "pllSourceHick=1 pllMs=3", "2");
    row("ms: 0 refused", 13, "ms", "pllMs=0", "1");
    row("ns: both edges inside", 13, "ns", "pllMs=1 pllNs=125", "=125");
    row("ns: 1600 MHz down to 1000", 13, "ns", "pllMs=1 pllNs=200", "125");
    row("ns: 320 MHz up to 504", 13, "ns", "pllMs=1 pllNs=40", "63");
    row("ns: none reachable gives 31", 13, "ns", "hextMHz=4 pllMs=15 pllNs=40", "31");
    row("ns: ms 0 refused", 13, "ns", "pllMs=0 pllNs=72", "31");

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
    // LEXT runs for the RTC on LEXT and for a USART clocked from it.
    row("uses RTC on LEXT", 13, "uses", noUsb + "sclkSource=2 rtcSource=1", "hick lext");
    row("uses E020 USART2 on LEXT", 16, "uses", noUsb + "sclkSource=2 rtcEnabled=0 usart2Source=3",
        "hick lext");

    // 1 + (72 << 6) + (1 << 16) + (1 << 22)
    row("cfg C330 factory", 13, "cfg", "pllMs=1 pllNs=72 pllFr=2", "0x00411201");
    row("cfg HICK clears bit 22", 13, "cfg", "pllMs=1 pllNs=72 pllFr=2 pllSourceHick=1", "0x00011201");
    row("cfg largest factors", 13, "cfg", "pllMs=15 pllNs=500 pllFr=32", "0x00457d0f");
    row("cfg unlisted fr is 1", 13, "cfg", "pllMs=3 pllNs=200 pllFr=3 pllSourceHick=1", "0x00003203");

    // The rule book; a QXC330 tree as the window leaves it, derived values as the record holds them.
    const QString q330 = "hextMHz=8 sclkSource=1 pllSourceHick=0 pllMs=1 pllNs=72 pllFr=2 usbDisabled=1 "
                         "usbDiv=6 apb1Div=2 apb2Div=2 ";
    const QString normal = "hextMHz=8 pllFlexible=0 sclkSource=1 usbDisabled=1 ";
    const QString over = "error: Can not support %1 greater than %2MHz";
    row("judge factory QXC330", 13, "judge", q330, "");
    row("judge HEXT at its lower bound", 13, "judge", q330 + "hextMHz=4 pllNs=125", "");
    row("judge HEXT 30", 13, "judge", q330 + "hextMHz=30",
        "error: hext input error!\nerror: pll_ms input error!");
    row("judge HEXT NaN, nothing uses it", 13, "judge", q330 + "hextMHz=nan sclkSource=2",
        "error: hext input error!");
    row("judge HEXT 3.999, nothing uses it", 13, "judge", q330 + "hextMHz=3.999 sclkSource=2",
        "error: hext input error!");
    row("judge ms out of range", 13, "judge", q330 + "pllMs=16", "error: pll_ms input error!");
    row("judge ns out of range", 13, "judge", q330 + "pllNs=30", "error: pll_ns input error!");
    row("judge reference 1.6 MHz", 13, "judge", q330 + "pllMs=5", "error: pll_ms input error!");
    row("judge oscillator 1600 MHz", 13, "judge", q330 + "pllNs=200", "error: pll_ns input error!");
    row("judge reference on HICK 8 MHz / 5", 13, "judge", q330 + "pllSourceHick=1 pllMs=5",
        "error: pll_ms input error!");
    row("judge factors of an unused PLL", 13, "judge", q330 + "sclkSource=2 pllMs=15", "");
    row("judge fr off its list", 13, "judge", q330 + "pllFr=3",
        "error: pllFr 3 is not one of 1, 2, 4, 8, 16, 32");
    row("judge ahb divider off its list", 13, "judge", q330 + "ahbDiv=32",
        "error: ahbDiv 32 is not one of 1, 2, 4, 8, 16, 64, 128, 256, 512");
    // Derived values are never trusted: the tree is recomputed first.
    row("judge stale derived values", 13, "judge", q330 + "pllNs=75 sclkMHz=200 pllMHz=200",
        over.arg("sclk").arg(288));
    row("judge APB1 /1 is raised to /2 before the check", 13, "judge", q330 + "apb1Div=1", "");
    row("judge PLL 300 MHz feeding a clock output", 13, "judge",
        q330 + "sclkSource=2 pllNs=75 clkout1Pin=1 clkout1Source=3", over.arg("pll clock").arg(288));
    row("judge PLL 300 MHz, nothing uses it", 13, "judge", q330 + "sclkSource=2 pllNs=75", "");
    row("judge USB 47.917 MHz asks", 13, "judge", q330 + "hextMHz=10 pllMs=2 pllNs=115 usbDisabled=0",
        "warning: USB clock must be 48MHz. But the USB clock of current config is wrong.  please confirm "
        "whether to continue?");
    row("judge USB from HICK 48", 13, "judge",
        q330 + "hextMHz=10 pllMs=2 pllNs=115 usbDisabled=0 usbSourceHick48=1 usbMHz=48", "");
    row("judge ADC divider off its list", 7, "judge", normal + "pllMult=30 adcDiv=3",
        "error: adcDiv 3 is not one of 2, 4, 6, 8, 12, 16");
    row("judge multiplier input 1.6 MHz", 7, "judge", normal + "pllMult=30 hextDivEnabled=1 hextDivValue=5",
        "error: pll input clock source range 2-16MHz!");
    row("judge multiplier 65", 7, "judge", normal + "pllMult=65", "error: pllMult 65 is not one of 2..64");
    row("judge ADC 60 MHz asks", 7, "judge", normal + "pllMult=30 adcEnabled=1 adcDiv=2 apb2Div=2",
        "warning: The maximum ADC clock is 28 MHz. The currently configured ADC clock is wrong.  please "
        "confirm whether to continue?");
    row("judge normal mode PLL 12 MHz", 5, "judge", normal + "hextMHz=4 pllMult=3",
        "error: Can not support pll clock less than 16MHz");
    // A clock output must not take a clock the firmware never starts.
    const QString dead = "error: %1 takes the %2 clock, which the design does not enable";
    row("judge USB output, USB off", 7, "judge", normal + "pllMult=30 clkoutPin=1 clkoutSource=6",
        dead.arg("clkoutSource 6", "USB"));
    row("judge USB output, USB on", 7, "judge",
        normal + "pllMult=24 clkoutPin=1 clkoutSource=6 usbDisabled=0 usbDiv=4", "");
    row("judge USB output without a pin", 7, "judge", normal + "pllMult=30 clkoutSource=6", "");
    row("judge ADC output, ADC off", 5, "judge", normal + "pllMult=18 clkoutPin=1 clkoutSource=7",
        dead.arg("clkoutSource 7", "ADC"));
    row("judge ADC output, ADC on", 5, "judge",
        normal + "pllMult=18 clkoutPin=1 clkoutSource=7 adcEnabled=1 adcDiv=4", "");
    row("judge C330 ADCCLK on output 2", 13, "judge", q330 + "clkout2Pin=1 clkout2Source=5",
        dead.arg("clkout2Source 5", "ADC"));
    row("judge C330 USB on output 2, USB off", 13, "judge", q330 + "clkout2Pin=1 clkout2Source=3",
        dead.arg("clkout2Source 3", "USB"));
    row("judge C330 LICK on output 2", 13, "judge", q330 + "clkout2Pin=1 clkout2Source=6", "");
}

void TestModel::rules()
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
    QString actual; // of the ops that describe rather than derive
    int lo = -1, hi = -1, s = -1;
    QStringList findings;
    if (op == "uses") {
        actual = QStringList{c.pllInUse() ? "pll" : "", c.hextNeeded() ? "hext" : "",
                             c.hickNeeded() ? "hick" : "", ClockRules::lextRunning(c) ? "lext" : ""}
                     .join(' ')
                     .simplified();
    } else if (op == "cfg") {
        QCOMPARE(c.pllcfgWord(), expected.mid(2).toUInt(nullptr, 16));
        actual = c.pllcfgText();
    } else if (op == "msRange") {
        c.msRangeFor(c.hextMHz, lo, hi);
        actual = QString("%1..%2").arg(lo).arg(hi);
    } else if (op == "ms" || op == "ns") {
        const bool accepted = op == "ms" ? c.suggestMs(c.pllMs, s) : c.suggestNs(c.pllNs, c.pllMs, s);
        actual = (accepted ? "=" : "") + QString::number(s);
    } else if (op == "judge") {
        for (const ClockRules::Finding &f : ClockRules::judge(c).findings)
            findings << (f.isRefusal() ? "error: " : "warning: ") + f.text();
        actual = findings.isEmpty() ? QString("") : findings.join('\n');
    }
    if (!actual.isNull()) {
        QCOMPARE(actual, expected);
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

void TestModel::searchIsOptimal_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<double>("ref");
    // The search sees a series only through its limit: one series per limit.
    QSet<int> limits;
    for (const SeriesParams &row : SeriesTable::all()) {
        if (row.hasFlexiblePll() && !limits.contains(row.sclkLimitMHz)) {
            limits.insert(row.sclkLimitMHz);
            for (double ref : {4.0, 8.0, 12.0, 25.0, 7.3728})
                QTest::addRow("%s ref %g", row.name, ref) << row.id << ref;
        }
    }
    QTest::newRow("2 MHz reference") << 13 << 2.0;
    QTest::newRow("30 MHz reference, ms 2..15") << 13 << 30.0;
}

// For targets on a grid, one beyond every candidate and targets built from
// valid factors, against every factor set enumerated here: the result obeys
// both rules, is as near as any valid set, reaches built targets exactly, and
// breaks ties towards the larger fr, then the smaller ms, then the smaller ns;
// the explained ranking starts with the same set.
void TestModel::searchIsOptimal()
{
    QFETCH(int, series);
    QFETCH(double, ref);
    struct Candidate {
        int fr, ms, ns;
        double out;
    };
    const auto valid = [ref](int ms, int ns) {
        const double vco = ns * ref / ms;
        return ref / ms >= 2.0 && ref / ms <= 16.0 && vco >= 500.0 && vco <= 1000.0 && ns >= 31 && ns <= 500;
    };
    QVector<Candidate> candidates; // in search order
    for (int fr : {32, 16, 8, 4, 2, 1})
        for (int ms = 1; ms <= 15; ++ms)
            for (int ns = 31; ns <= 500; ++ns)
                if (valid(ms, ns))
                    candidates.append({fr, ms, ns, ns * ref / (fr * ms)});
    QVERIFY(!candidates.isEmpty());
    QVector<double> targets{2000.0};
    for (double t = 4.0; t <= 300.0; t += 3.7)
        targets.append(t);
    for (int i = 0; i < candidates.size(); i += 97)
        targets.append(candidates.at(i).out);
    for (double target : targets) {
        ClockConfig c(series);
        c.hextMHz = ref;
        c.pllSourceHick = 0;
        c.pllFlexible = 1;
        c.sclkMHz = target;
        // What tickforge-cli solve --explain ranks first.
        const PllCandidates::Candidate first =
            PllCandidates::ranked(PllCandidates::enumerate(c, target)).first();
        c.searchPllFactors(ref, false);
        const QByteArray where = QByteArray::number(target, 'g', 17);
        QVERIFY2(valid(c.pllMs, c.pllNs), where);
        QCOMPARE(c.pllMHz, c.pllNs * ref / (c.pllFr * c.pllMs));
        // Nearest within the series' limit while the target is within it;
        // errors equal but for rounding noise are a tie that the order breaks.
        const double limit = SeriesTable::byId(series)->sclkLimitMHz;
        const Candidate *best = nullptr;
        for (const Candidate &k : candidates)
            if ((target > limit || k.out <= limit) &&
                (!best || std::fabs(k.out - target) < std::fabs(best->out - target) - 1e-9))
                best = &k;
        QVERIFY(best);
        QVERIFY2(target > limit || c.pllMHz <= limit, where);
        QVERIFY2(c.pllFr == best->fr && c.pllMs == best->ms && c.pllNs == best->ns, where);
        QVERIFY2(first.fr == best->fr && first.ms == best->ms && first.ns == best->ns, where);
        if (best->out == target)
            QCOMPARE(c.sclkMHz, target);
    }
}

// Each series' limits, whether the APBs are halved above theirs, the
// factory system clock and the PLL input from HICK.
const struct {
    const char *tag;
    int id, sclkLimit, apbLimit;
    bool halving;
    double factorySclk, pllFromHick;
} kSeries[] = {{"QXC300", 2, 200, 100, true, 192.0, 4.0},  {"QXC310", 4, 200, 100, true, 200.0, 4.0},
               {"QXC315", 5, 150, 75, true, 144.0, 4.0},   {"QXC300A", 7, 240, 120, true, 240.0, 4.0},
               {"QXC305", 8, 240, 120, true, 240.0, 4.0},  {"QXC320", 9, 120, 120, false, 120.0, 4.0},
               {"QXC330", 13, 288, 144, true, 288.0, 8.0}, {"QXC335", 14, 288, 144, true, 288.0, 8.0},
               {"QXC325", 15, 96, 96, false, 96.0, 4.0},   {"QXW315", 17, 150, 75, true, 144.0, 4.0},
               {"QXE020", 16, 96, 96, false, 96.0, 4.0}};

void TestModel::series_data()
{
    addRows(kSeries);
}

// What the record computes from each series' numbers: entry bounds and red
// thresholds, the automatic APB division, the factory system clock in every
// PLL mode and the PLL input from HICK.
void TestModel::series()
{
    const auto [tag, id, sclkLimit, apbLimit, halving, factorySclk, pllFromHick] = fetchRow(kSeries);
    const SeriesParams *p = SeriesTable::byId(id);
    QCOMPARE(p->seriesName(), QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(SeriesTable::byName(p->seriesName()), p);
    const QStringList order{"QXC300", "QXC310", "QXC315", "QXC300A", "QXC305", "QXC320",
                            "QXC330", "QXC335", "QXC325", "QXW315",  "QXE020"}; // as the dialog lists them
    QCOMPARE(int(p - SeriesTable::all().data()), order.indexOf(p->seriesName()));
    QVERIFY(!SeriesTable::byId(3) && !SeriesTable::byName("qxc330"));
    QVERIFY(p->sclkEntryAccepted(4.0) && p->sclkEntryAccepted(sclkLimit));
    QVERIFY(!p->sclkEntryAccepted(3.999) && !p->sclkEntryAccepted(sclkLimit + 0.001));
    QCOMPARE(p->sclkHint(), QString("(4 - %1)").arg(sclkLimit));
    QVERIFY(!p->sclkRed(sclkLimit) && p->sclkRed(sclkLimit + 0.001));
    QVERIFY(!p->apbRed(apbLimit) && p->apbRed(apbLimit + 0.001));
    for (double mhz : {double(apbLimit), apbLimit + 0.001}) {
        ClockConfig c(id);
        c.sclkSource = ClockConfig::SclkHext;
        c.hextMHz = mhz;
        c.recompute();
        QCOMPARE(c.apb1Div, halving && mhz > apbLimit ? 2 : 1);
        QCOMPARE(c.apb2Div, c.apb1Div);
    }
    // The factory PLL gives the factory system clock from HEXT 8 MHz in every mode it has.
    ClockConfig c(id);
    c.sclkSource = ClockConfig::SclkPll;
    c.pllMult = p->factoryPllMult;
    c.pllMs = p->factoryPllMs;
    c.pllNs = p->factoryPllNs;
    c.pllFr = p->factoryPllFr;
    for (int flexible : {0, 1}) {
        c.pllFlexible = flexible;
        c.recompute();
        if (flexible ? p->hasFlexiblePll() : p->hasMultiplierPll())
            QCOMPARE(c.sclkMHz, factorySclk);
    }
    c.pllSourceHick = 1;
    QCOMPARE(c.pllInputMHz(), pllFromHick);
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"

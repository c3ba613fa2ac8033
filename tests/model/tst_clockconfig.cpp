#include "ClockConfig.h"
#include "SeriesTable.h"

#include <QtTest>

namespace {

const QList<int> kAllSeries{2, 4, 5, 7, 8, 9, 13, 14, 15, 16, 17};

// A record running SCLK from the PLL at HEXT 8 MHz: flexible factors on
// series that have them in use, else the multiplier.
ClockConfig pllRecord(int series, int mult, int ms, int ns, int fr)
{
    ClockConfig c(series);
    c.sclkSource = ClockConfig::SclkPll;
    c.pllFlexible = mult == 0 ? 1 : 0;
    c.pllMult = mult;
    c.pllMs = ms;
    c.pllNs = ns;
    c.pllFr = fr;
    return c;
}

} // namespace

class TestClockConfig : public QObject {
    Q_OBJECT

private slots:
    void resetValues_data();
    void resetValues();
    void fieldReflection();
    void setFieldValue_data();
    void setFieldValue();
    void pllInput_data();
    void pllInput();
    void apbLimit_data();
    void apbLimit();
    void hickToSclk_data();
    void hickToSclk();
    void usbRecompute_data();
    void usbRecompute();
    void pllKeptWhenUnused();
    void typedSclk_data();
    void typedSclk();
    void usbRetune_data();
    void usbRetune();
    void pllInUse_data();
    void pllInUse();
    void oscillators_data();
    void oscillators();
    void pllcfg_data();
    void pllcfg();
};

void TestClockConfig::resetValues_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<double>("hick");
    for (int id : kAllSeries)
        QTest::addRow("series %d", id) << id << (id == 2 ? 8.0 : 48.0);
    QTest::addRow("unknown id") << 99 << 48.0;
}

void TestClockConfig::resetValues()
{
    QFETCH(int, series);
    QFETCH(double, hick);
    ClockConfig c(series);
    // Dirty every field, then reset: nothing of the old state may survive.
    for (const auto &field : c.fieldValues()) {
        if (field.first != QLatin1String("seriesId"))
            QVERIFY(
                c.setFieldValue(field.first, field.second.type() == QVariant::Bool ? QVariant(true) : 77));
    }
    c.resetDefaults();
    QCOMPARE(c.seriesId, series);
    QCOMPARE(c.hickMHz, hick);
    QCOMPARE(c.lickKHz, 40.0);
    QCOMPARE(c.lextKHz, 32.768);
    QCOMPARE(c.hextMHz, 8.0);
    QCOMPARE(c.pllMs, 2);
    QCOMPARE(c.pllNs, 192);
    QCOMPARE(c.pllFr, 8);
    QCOMPARE(c.sclkSource, 2);
    QCOMPARE(c.ahbDiv, 1);
    QCOMPARE(c.apb1Div, 1);
    QCOMPARE(c.apb2TimerMul, 1);
    QCOMPARE(c.adcDiv, 2);
    QCOMPARE(c.usbDiv, 1.0);
    QCOMPARE(c.clkout2Div2, 1);
    QCOMPARE(c.clkoutDiv, 1);
    QCOMPARE(c.pllFlexible, 1);
    QCOMPARE(c.rtcHextDiv, 0);
    QCOMPARE(c.hextDivValue, 0);
    QCOMPARE(c.usbDisabled, 0);
    QCOMPARE(c.pllMult, 0);
    QCOMPARE(c.sclkMHz, 0.0);
    QCOMPARE(c.lextBypass, false);
    QCOMPARE(c.i2c1Source, 0);
}

void TestClockConfig::fieldReflection()
{
    const QStringList expected{
        "seriesId",      "lickKHz",       "lextKHz",       "lextBypass",   "hextMHz",      "hickMHz",
        "hextBypass",    "rtcSource",     "rtcEnabled",    "rtcHextDiv",   "hextDivValue", "hextDivEnabled",
        "pllSourceHick", "pllMs",         "pllNs",         "pllFr",        "sclkSource",   "ahbDiv",
        "apb1Div",       "apb2Div",       "pllMHz",        "sclkMHz",      "ahbMHz",       "apb1MHz",
        "apb1TimerMul",  "apb1TimerMHz",  "apb2MHz",       "apb2TimerMul", "apb2TimerMHz", "adcEnabled",
        "adcDiv",        "adcMHz",        "usbDiv",        "usbDisabled",  "usbMHz",       "usbSourceHick48",
        "hickSclk48",    "clkout1Div1",   "clkout1Div2",   "clkout1Pin",   "clkout2Div1",  "clkout2Div2",
        "clkout2Pin",    "clkout1Source", "clkout2Source", "clkoutDiv",    "clkoutPin",    "clkoutSource",
        "pllFlexible",   "pllMult",       "usart1Source",  "usart2Source", "i2c1Source"};
    ClockConfig c(13);
    const auto fields = c.fieldValues();
    QStringList names;
    for (const auto &f : fields)
        names << f.first;
    QCOMPARE(names, expected);

    // Every field reads back what was written through its name, and the
    // value type follows the member type.
    int n = 1;
    for (const auto &f : fields) {
        QVariant v;
        if (f.second.type() == QVariant::Int)
            v = 1000 + n;
        else if (f.second.type() == QVariant::Double)
            v = 0.25 + n;
        else
            v = (n % 2) == 0;
        QVERIFY2(c.setFieldValue(f.first, v), qPrintable(f.first));
        ++n;
    }
    n = 1;
    for (const auto &f : c.fieldValues()) {
        if (f.second.type() == QVariant::Int)
            QCOMPARE(f.second.toInt(), 1000 + n);
        else if (f.second.type() == QVariant::Double)
            QCOMPARE(f.second.toDouble(), 0.25 + n);
        else
            QCOMPARE(f.second.toBool(), (n % 2) == 0);
        ++n;
    }
    QCOMPARE(c.usbDiv, 0.25 + 33);
    QCOMPARE(c.i2c1Source, 1053);
}

void TestClockConfig::setFieldValue_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("expected"); // field value afterwards, as text

    QTest::newRow("int from text") << "pllNs" << QVariant("96") << true << "96";
    QTest::newRow("int from garbage") << "pllNs" << QVariant("x9") << false << "192";
    QTest::newRow("double from text") << "hextMHz" << QVariant("12.5") << true << "12.5";
    QTest::newRow("double from garbage") << "hextMHz" << QVariant("fast") << false << "8";
    QTest::newRow("bool from text") << "hextBypass" << QVariant("true") << true << "true";
    QTest::newRow("bool from int") << "hextBypass" << QVariant(1) << true << "true";
    QTest::newRow("bool from garbage") << "hextBypass" << QVariant("maybe") << false << "false";
    QTest::newRow("unknown name") << "pllms" << QVariant(3) << false << "";
}

void TestClockConfig::setFieldValue()
{
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    QFETCH(bool, ok);
    QFETCH(QString, expected);
    ClockConfig c(5);
    QCOMPARE(c.setFieldValue(name, value), ok);
    if (expected.isEmpty())
        return;
    for (const auto &f : c.fieldValues()) {
        if (f.first == name)
            QCOMPARE(f.second.toString(), expected);
    }
}

void TestClockConfig::pllInput_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("hickRef");
    QTest::addColumn<double>("hext");
    QTest::addColumn<int>("divEnabled");
    QTest::addColumn<int>("divValue");
    QTest::addColumn<double>("expected");

    QTest::newRow("C300 HICK halves") << 2 << 1 << 8.0 << 0 << 0 << 4.0;
    QTest::newRow("C330 HICK / 6") << 13 << 1 << 8.0 << 0 << 0 << 8.0;
    QTest::newRow("C335 HICK / 6") << 14 << 1 << 8.0 << 0 << 0 << 8.0;
    for (int id : {4, 5, 7, 8, 9, 15, 16, 17})
        QTest::addRow("series %d HICK / 12", id) << id << 1 << 8.0 << 0 << 0 << 4.0;
    QTest::newRow("HEXT undivided") << 7 << 0 << 12.0 << 0 << 5 << 12.0;
    QTest::newRow("HEXT / 5") << 7 << 0 << 10.0 << 1 << 5 << 2.0;
    QTest::newRow("HEXT / 2 on C320") << 9 << 0 << 12.0 << 1 << 2 << 6.0;
    QTest::newRow("C330 ignores the divided path") << 13 << 0 << 12.0 << 1 << 3 << 12.0;
    // A divided path without a divider value must not divide by zero.
    QTest::newRow("unset divider uses /2") << 4 << 0 << 8.0 << 1 << 0 << 4.0;
}

void TestClockConfig::pllInput()
{
    QFETCH(int, series);
    QFETCH(int, hickRef);
    QFETCH(double, hext);
    QFETCH(int, divEnabled);
    QFETCH(int, divValue);
    QFETCH(double, expected);
    ClockConfig c(series);
    c.pllSourceHick = hickRef;
    c.hextMHz = hext;
    c.hextDivEnabled = divEnabled;
    c.hextDivValue = divValue;
    QCOMPARE(c.pllInputMHz(), expected);
}

void TestClockConfig::apbLimit_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("mult"); // 0: flexible factors below
    QTest::addColumn<int>("ns");
    QTest::addColumn<int>("ahbDiv");
    QTest::addColumn<int>("apb1Div");
    QTest::addColumn<int>("apb2Div");
    QTest::addColumn<int>("apb1DivAfter");
    QTest::addColumn<int>("apb2DivAfter");
    QTest::addColumn<double>("apb1");
    QTest::addColumn<double>("apb1Timer");

    // ms 1, fr 2 for the flexible rows: sclk = 4 x ns.
    QTest::newRow("C330 288 halves both") << 13 << 0 << 72 << 1 << 1 << 1 << 2 << 2 << 144.0 << 288.0;
    QTest::newRow("C335 288 halves both") << 14 << 0 << 72 << 1 << 1 << 1 << 2 << 2 << 144.0 << 288.0;
    QTest::newRow("C330 /2 stays at 144") << 13 << 0 << 72 << 1 << 2 << 1 << 2 << 2 << 144.0 << 288.0;
    QTest::newRow("C330 below limit keeps /1") << 13 << 0 << 72 << 4 << 1 << 1 << 1 << 1 << 72.0 << 72.0;
    QTest::newRow("C330 /2 never raised further")
        << 13 << 0 << 100 << 1 << 2 << 1 << 2 << 2 << 200.0 << 400.0;
    QTest::newRow("C330 /4 kept") << 13 << 0 << 72 << 1 << 4 << 1 << 4 << 2 << 72.0 << 144.0;
    QTest::newRow("C330 /4 kept above limit") << 13 << 0 << 500 << 1 << 4 << 1 << 4 << 2 << 500.0 << 1000.0;
    QTest::newRow("C300A 240 halves") << 7 << 30 << 0 << 1 << 1 << 1 << 2 << 2 << 120.0 << 240.0;
    QTest::newRow("C300A 248 /2 is enough") << 8 << 31 << 0 << 1 << 1 << 1 << 2 << 2 << 124.0 << 248.0;
    QTest::newRow("C300 200 halves to 100") << 2 << 25 << 0 << 1 << 1 << 1 << 2 << 2 << 100.0 << 200.0;
    QTest::newRow("C300 96 keeps /1") << 2 << 12 << 0 << 1 << 1 << 1 << 1 << 1 << 96.0 << 96.0;
    QTest::newRow("C310 104 halves") << 4 << 26 << 0 << 1 << 1 << 1 << 2 << 2 << 104.0 << 208.0;
    QTest::newRow("C315 152 halves") << 5 << 19 << 0 << 1 << 1 << 1 << 2 << 2 << 76.0 << 152.0;
    QTest::newRow("W315 152 halves") << 17 << 19 << 0 << 1 << 1 << 1 << 2 << 2 << 76.0 << 152.0;
    QTest::newRow("W315 72 keeps /1") << 17 << 9 << 0 << 1 << 1 << 1 << 1 << 1 << 72.0 << 72.0;
    QTest::newRow("C320 no halving") << 9 << 30 << 0 << 1 << 1 << 1 << 1 << 1 << 240.0 << 240.0;
    QTest::newRow("C325 no halving") << 15 << 24 << 0 << 1 << 1 << 1 << 1 << 1 << 192.0 << 192.0;
    QTest::newRow("E020 no halving") << 16 << 24 << 0 << 1 << 1 << 1 << 1 << 1 << 192.0 << 192.0;
}

void TestClockConfig::apbLimit()
{
    QFETCH(int, series);
    QFETCH(int, mult);
    QFETCH(int, ns);
    QFETCH(int, ahbDiv);
    QFETCH(int, apb1Div);
    QFETCH(int, apb2Div);
    QFETCH(int, apb1DivAfter);
    QFETCH(int, apb2DivAfter);
    QFETCH(double, apb1);
    QFETCH(double, apb1Timer);
    ClockConfig c = pllRecord(series, mult, 1, ns, 2);
    c.ahbDiv = ahbDiv;
    c.apb1Div = apb1Div;
    c.apb2Div = apb2Div;
    c.recompute();
    QCOMPARE(c.apb1Div, apb1DivAfter);
    QCOMPARE(c.apb2Div, apb2DivAfter);
    QCOMPARE(c.apb1MHz, apb1);
    QCOMPARE(c.apb1TimerMul, apb1DivAfter == 1 ? 1 : 2);
    QCOMPARE(c.apb1TimerMHz, apb1Timer);
    QCOMPARE(c.apb2MHz, c.ahbMHz / apb2DivAfter);
    QCOMPARE(c.apb2TimerMHz, c.apb2MHz * (apb2DivAfter == 1 ? 1 : 2));
}

void TestClockConfig::hickToSclk_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("hick48");
    QTest::addColumn<double>("sclk");
    QTest::newRow("C330 divided") << 13 << 0 << 8.0;
    QTest::newRow("C330 full") << 13 << 1 << 48.0;
    QTest::newRow("E020 full") << 16 << 1 << 48.0;
    QTest::newRow("C315 divided") << 5 << 0 << 8.0;
    QTest::newRow("C300 8 MHz directly") << 2 << 0 << 8.0;
    QTest::newRow("C300 flag has no effect") << 2 << 1 << 8.0;
}

void TestClockConfig::hickToSclk()
{
    QFETCH(int, series);
    QFETCH(int, hick48);
    QFETCH(double, sclk);
    ClockConfig c(series);
    c.sclkSource = ClockConfig::SclkHick;
    c.hickSclk48 = hick48;
    c.adcEnabled = true;
    c.adcDiv = 4;
    c.recompute();
    QCOMPARE(c.sclkMHz, sclk);
    QCOMPARE(c.ahbMHz, sclk);
    QCOMPARE(c.adcMHz, sclk / 4);
}

void TestClockConfig::usbRecompute_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("disabled");
    QTest::addColumn<int>("fromHick");
    QTest::addColumn<bool>("computed");
    QTest::newRow("C330 from PLL") << 13 << 0 << 0 << true;
    QTest::newRow("C330 disabled") << 13 << 1 << 0 << false;
    QTest::newRow("C330 from HICK 48") << 13 << 0 << 1 << false;
    QTest::newRow("C300 ignores HICK 48 flag") << 2 << 0 << 1 << true;
    QTest::newRow("C310 from HICK 48") << 4 << 0 << 1 << false;
    QTest::newRow("C320 has no USB") << 9 << 0 << 0 << false;
    QTest::newRow("E020 has no USB") << 16 << 0 << 0 << false;
    QTest::newRow("C325 from PLL") << 15 << 0 << 0 << true;
}

void TestClockConfig::usbRecompute()
{
    QFETCH(int, series);
    QFETCH(int, disabled);
    QFETCH(int, fromHick);
    QFETCH(bool, computed);
    ClockConfig c = pllRecord(series, 0, 1, 72, 2); // 288 MHz in flexible mode
    if (!c.flexiblePllActive())
        c.pllMult = 36;
    c.usbDisabled = disabled;
    c.usbSourceHick48 = fromHick;
    c.usbDiv = 6.0;
    c.usbMHz = -1.0;
    c.recompute();
    QCOMPARE(c.pllMHz, 288.0);
    QCOMPARE(c.usbMHz, computed ? 48.0 : -1.0);
}

void TestClockConfig::pllKeptWhenUnused()
{
    ClockConfig c(13);
    c.pllMHz = 123.0;
    c.sclkSource = ClockConfig::SclkHext;
    c.usbDisabled = 1;
    c.recompute();
    QCOMPARE(c.sclkMHz, 8.0);
    QCOMPARE(c.pllMHz, 123.0);
    // Clock output 1 on the PLL brings it back into use.
    c.clkout1Pin = 1;
    c.clkout1Source = 3;
    c.recompute();
    QCOMPARE(c.pllMHz, 8.0 * 192 / (8 * 2));
}

void TestClockConfig::typedSclk_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("flexible");
    QTest::addColumn<double>("hext");
    QTest::addColumn<int>("hextDiv"); // 0: undivided path
    QTest::addColumn<double>("typed");
    QTest::addColumn<int>("usbDisabled");
    QTest::addColumn<double>("usbDivBefore");
    QTest::addColumn<double>("sclk");
    QTest::addColumn<int>("mult"); // expected multiplier, or 0 in flexible mode
    QTest::addColumn<double>("usbDiv");

    QTest::newRow("C330 192 gives /4") << 13 << 1 << 8.0 << 0 << 192.0 << 0 << 6.0 << 192.0 << 0 << 4.0;
    QTest::newRow("C330 200 keeps /6") << 13 << 1 << 8.0 << 0 << 200.0 << 0 << 6.0 << 200.0 << 0 << 6.0;
    QTest::newRow("C330 288 gives /6") << 13 << 1 << 8.0 << 0 << 288.0 << 0 << 1.0 << 288.0 << 0 << 6.0;
    QTest::newRow("C330 72 gives /1.5") << 13 << 1 << 8.0 << 0 << 72.0 << 0 << 6.0 << 72.0 << 0 << 1.5;
    QTest::newRow("C330 clamp at 7") << 13 << 1 << 8.0 << 0 << 336.0 << 0 << 6.0 << 336.0 << 0 << 7.0;
    QTest::newRow("C330 clamp at 1") << 13 << 1 << 8.0 << 0 << 24.0 << 0 << 6.0 << 24.0 << 0 << 1.0;
    QTest::newRow("C330 USB off keeps divider")
        << 13 << 1 << 8.0 << 0 << 192.0 << 1 << 6.0 << 192.0 << 0 << 6.0;
    QTest::newRow("C300A 192") << 7 << 0 << 8.0 << 0 << 192.0 << 0 << 2.0 << 192.0 << 24 << 4.0;
    QTest::newRow("C300A 288 clamps to 4") << 7 << 0 << 8.0 << 0 << 288.0 << 0 << 2.0 << 288.0 << 36 << 4.0;
    QTest::newRow("C300A kept divider clamps to 4")
        << 7 << 0 << 8.0 << 0 << 200.0 << 0 << 6.0 << 200.0 << 25 << 4.0;
    QTest::newRow("C300A 100 rounds 12.5 up")
        << 7 << 0 << 8.0 << 0 << 100.0 << 1 << 4.0 << 104.0 << 13 << 4.0;
    QTest::newRow("C300A 6 clamps to x2") << 7 << 0 << 8.0 << 0 << 6.0 << 1 << 4.0 << 16.0 << 2 << 4.0;
    QTest::newRow("C300A 200 from 2 MHz clamps to x64")
        << 7 << 0 << 10.0 << 5 << 200.0 << 1 << 4.0 << 128.0 << 64 << 4.0;
    QTest::newRow("C315 normal 144 gives /3")
        << 5 << 0 << 8.0 << 0 << 144.0 << 0 << 1.0 << 144.0 << 18 << 3.0;
    QTest::newRow("C315 flexible 144 gives /3")
        << 5 << 1 << 8.0 << 0 << 144.0 << 0 << 1.0 << 144.0 << 0 << 3.0;
    QTest::newRow("C320 has no USB") << 9 << 0 << 8.0 << 0 << 96.0 << 0 << 1.0 << 96.0 << 12 << 1.0;
    QTest::newRow("E020 has no USB") << 16 << 1 << 8.0 << 0 << 96.0 << 0 << 3.0 << 96.0 << 0 << 3.0;
    QTest::newRow("C300 kHz rounding") << 2 << 0 << 12.0 << 0 << 198.0 << 0 << 1.0 << 204.0 << 17 << 1.0;
}

void TestClockConfig::typedSclk()
{
    QFETCH(int, series);
    QFETCH(int, flexible);
    QFETCH(double, hext);
    QFETCH(int, hextDiv);
    QFETCH(double, typed);
    QFETCH(int, usbDisabled);
    QFETCH(double, usbDivBefore);
    QFETCH(double, sclk);
    QFETCH(int, mult);
    QFETCH(double, usbDiv);
    ClockConfig c(series);
    c.sclkSource = ClockConfig::SclkPll;
    c.pllFlexible = flexible;
    c.hextMHz = hext;
    c.hextDivEnabled = hextDiv > 0 ? 1 : 0;
    c.hextDivValue = hextDiv;
    c.usbDisabled = usbDisabled;
    c.usbDiv = usbDivBefore;
    c.usbMHz = -1.0;
    c.sclkMHz = typed;
    c.applyTypedSclk();
    QCOMPARE(c.sclkMHz, sclk);
    QCOMPARE(c.pllMHz, sclk);
    if (mult > 0)
        QCOMPARE(c.pllMult, mult);
    QCOMPARE(c.usbDiv, usbDiv);
    const bool usbComputed = usbDisabled == 0 && series != 9 && series != 16;
    QCOMPARE(c.usbMHz, usbComputed ? sclk / usbDiv : -1.0);
    // The buses follow the new system clock.
    QCOMPARE(c.ahbMHz, sclk);
    QCOMPARE(c.apb1MHz, sclk / c.apb1Div);
}

void TestClockConfig::usbRetune_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("flexible");
    QTest::addColumn<int>("fromHick");
    QTest::addColumn<int>("disabled");
    QTest::addColumn<double>("usbDiv");
    QTest::addColumn<double>("pll"); // expected; -1: untouched
    QTest::addColumn<int>("mult");

    QTest::newRow("multiplier /1.5 gives x9") << 7 << 0 << 0 << 0 << 1.5 << 72.0 << 9;
    QTest::newRow("multiplier /4 gives x24") << 2 << 0 << 0 << 0 << 4.0 << 192.0 << 24;
    QTest::newRow("C300 retunes despite HICK flag") << 2 << 0 << 1 << 0 << 1.0 << 48.0 << 6;
    QTest::newRow("flexible /6 gives 288") << 13 << 1 << 0 << 0 << 6.0 << 288.0 << 0;
    QTest::newRow("flexible /2.5 gives 120") << 14 << 1 << 0 << 0 << 2.5 << 120.0 << 0;
    QTest::newRow("C325 flexible /2 gives 96") << 15 << 1 << 0 << 0 << 2.0 << 96.0 << 0;
    QTest::newRow("C325 normal /2 gives x12") << 15 << 0 << 0 << 0 << 2.0 << 96.0 << 12;
    QTest::newRow("HICK 48 path untouched") << 13 << 1 << 1 << 0 << 6.0 << -1.0 << 0;
    QTest::newRow("USB off untouched") << 13 << 1 << 0 << 1 << 6.0 << -1.0 << 0;
    QTest::newRow("C320 has no USB") << 9 << 0 << 0 << 0 << 1.0 << -1.0 << 0;
    QTest::newRow("E020 has no USB") << 16 << 1 << 0 << 0 << 1.0 << -1.0 << 0;
}

void TestClockConfig::usbRetune()
{
    QFETCH(int, series);
    QFETCH(int, flexible);
    QFETCH(int, fromHick);
    QFETCH(int, disabled);
    QFETCH(double, usbDiv);
    QFETCH(double, pll);
    QFETCH(int, mult);
    ClockConfig c(series);
    c.sclkSource = ClockConfig::SclkHext;
    c.pllFlexible = flexible;
    c.usbSourceHick48 = fromHick;
    c.usbDisabled = disabled;
    c.usbDiv = usbDiv;
    c.pllMHz = -1.0;
    c.usbMHz = -1.0;
    c.sclkMHz = 8.0;
    c.apb1MHz = -2.0;
    c.retunePllForUsb();
    QCOMPARE(c.pllMHz, pll);
    if (pll > 0) {
        QCOMPARE(c.usbMHz, 48.0);
        if (mult > 0)
            QCOMPARE(c.pllMult, mult);
        else
            QCOMPARE(c.pllNs * 8.0 / (c.pllMs * c.pllFr), pll);
    } else {
        QCOMPARE(c.usbMHz, -1.0);
    }
    // System clock and buses are not touched.
    QCOMPARE(c.sclkMHz, 8.0);
    QCOMPARE(c.apb1MHz, -2.0);
}

void TestClockConfig::pllInUse_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("sclkSource");
    QTest::addColumn<int>("usbDisabled");
    QTest::addColumn<int>("usbFromHick");
    QTest::addColumn<int>("pin");
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("output"); // 1 or 2 on the two-output series
    QTest::addColumn<bool>("inUse");

    QTest::newRow("sclk on PLL") << 9 << 1 << 1 << 0 << 0 << 0 << 1 << true;
    QTest::newRow("nothing") << 5 << 2 << 1 << 0 << 0 << 0 << 1 << false;
    QTest::newRow("USB from PLL") << 4 << 2 << 0 << 0 << 0 << 0 << 1 << true;
    QTest::newRow("USB from HICK 48") << 4 << 2 << 0 << 1 << 0 << 0 << 1 << false;
    QTest::newRow("C300 USB always PLL") << 2 << 2 << 0 << 1 << 0 << 0 << 1 << true;
    QTest::newRow("C320 no USB") << 9 << 2 << 0 << 0 << 0 << 0 << 1 << false;
    QTest::newRow("E020 no USB") << 16 << 2 << 0 << 0 << 0 << 0 << 1 << false;
    QTest::newRow("clkout pll/2") << 16 << 2 << 1 << 0 << 1 << 8 << 1 << true;
    QTest::newRow("clkout pll/4") << 7 << 2 << 1 << 0 << 1 << 9 << 1 << true;
    QTest::newRow("clkout pll/4 without pin") << 7 << 2 << 1 << 0 << 0 << 9 << 1 << false;
    QTest::newRow("clkout hext") << 7 << 2 << 1 << 0 << 1 << 4 << 1 << false;
    QTest::newRow("C330 out1 PLL") << 13 << 2 << 1 << 0 << 2 << 3 << 1 << true;
    QTest::newRow("C330 out1 HEXT") << 13 << 2 << 1 << 0 << 2 << 2 << 1 << false;
    QTest::newRow("C330 out2 PLL") << 13 << 2 << 1 << 0 << 1 << 2 << 2 << true;
    QTest::newRow("C330 out2 USB") << 13 << 2 << 1 << 0 << 1 << 3 << 2 << false;
    QTest::newRow("C330 out2 PLL without pin") << 14 << 2 << 1 << 0 << 0 << 2 << 2 << false;
    QTest::newRow("C330 USB from PLL") << 14 << 0 << 0 << 0 << 0 << 0 << 1 << true;
    QTest::newRow("C330 USB from HICK") << 14 << 0 << 0 << 1 << 0 << 0 << 1 << false;
}

void TestClockConfig::pllInUse()
{
    QFETCH(int, series);
    QFETCH(int, sclkSource);
    QFETCH(int, usbDisabled);
    QFETCH(int, usbFromHick);
    QFETCH(int, pin);
    QFETCH(int, source);
    QFETCH(int, output);
    QFETCH(bool, inUse);
    ClockConfig c(series);
    c.sclkSource = sclkSource;
    c.usbDisabled = usbDisabled;
    c.usbSourceHick48 = usbFromHick;
    if (series == 13 || series == 14) {
        (output == 1 ? c.clkout1Pin : c.clkout2Pin) = pin;
        (output == 1 ? c.clkout1Source : c.clkout2Source) = source;
        // The single-output fields mean nothing here.
        c.clkoutPin = 1;
        c.clkoutSource = 8;
    } else {
        c.clkoutPin = pin;
        c.clkoutSource = source;
        c.clkout1Pin = 1;
        c.clkout1Source = 3;
    }
    QCOMPARE(c.pllInUse(), inUse);
}

void TestClockConfig::oscillators_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("sclkSource");
    QTest::addColumn<int>("pllHick");
    QTest::addColumn<int>("usbDisabled");
    QTest::addColumn<int>("usbFromHick");
    QTest::addColumn<int>("pin");
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("output");
    QTest::addColumn<bool>("hext");
    QTest::addColumn<bool>("hick");

    QTest::newRow("sclk HEXT") << 5 << 0 << 0 << 1 << 0 << 0 << 0 << 1 << true << false;
    QTest::newRow("sclk HICK") << 5 << 2 << 0 << 1 << 0 << 0 << 0 << 1 << false << true;
    QTest::newRow("sclk PLL on HEXT") << 13 << 1 << 0 << 1 << 0 << 0 << 0 << 1 << true << false;
    QTest::newRow("sclk PLL on HICK") << 13 << 1 << 1 << 1 << 0 << 0 << 0 << 1 << false << true;
    QTest::newRow("USB on PLL on HEXT") << 4 << 2 << 0 << 0 << 0 << 0 << 0 << 1 << true << true;
    QTest::newRow("USB from HICK 48") << 4 << 0 << 0 << 0 << 1 << 0 << 0 << 1 << true << true;
    QTest::newRow("USB from HICK 48, sclk PLL") << 13 << 1 << 0 << 0 << 1 << 0 << 0 << 1 << true << true;
    QTest::newRow("C300 USB on PLL on HICK") << 2 << 0 << 1 << 0 << 1 << 0 << 0 << 1 << true << true;
    QTest::newRow("C300 USB ignores HICK flag") << 2 << 1 << 0 << 0 << 1 << 0 << 0 << 1 << true << false;
    QTest::newRow("C320 no USB") << 9 << 1 << 0 << 0 << 1 << 0 << 0 << 1 << true << false;
    QTest::newRow("E020 no USB") << 16 << 1 << 1 << 0 << 0 << 0 << 0 << 1 << false << true;
    QTest::newRow("clkout hext") << 7 << 2 << 0 << 1 << 0 << 1 << 4 << 1 << true << true;
    QTest::newRow("clkout hick, sclk HEXT") << 7 << 0 << 0 << 1 << 0 << 1 << 3 << 1 << true << true;
    QTest::newRow("clkout pll/2 on HEXT") << 16 << 2 << 0 << 1 << 0 << 1 << 8 << 1 << true << true;
    QTest::newRow("clkout hick48 on E020") << 16 << 0 << 0 << 1 << 0 << 1 << 3 << 1 << true << true;
    QTest::newRow("clkout pll/4 without pin") << 16 << 0 << 1 << 1 << 0 << 0 << 9 << 1 << true << false;
    QTest::newRow("C330 out1 HEXT") << 13 << 2 << 0 << 1 << 0 << 1 << 2 << 1 << true << true;
    QTest::newRow("C330 out1 PLL on HICK") << 13 << 0 << 1 << 1 << 0 << 2 << 3 << 1 << true << true;
    QTest::newRow("C330 out2 HEXT") << 14 << 2 << 0 << 1 << 0 << 1 << 1 << 2 << true << true;
    QTest::newRow("C330 out2 HICK") << 14 << 0 << 0 << 1 << 0 << 1 << 4 << 2 << true << true;
    QTest::newRow("C330 out2 LICK") << 14 << 0 << 0 << 1 << 0 << 1 << 6 << 2 << true << false;
}

void TestClockConfig::oscillators()
{
    QFETCH(int, series);
    QFETCH(int, sclkSource);
    QFETCH(int, pllHick);
    QFETCH(int, usbDisabled);
    QFETCH(int, usbFromHick);
    QFETCH(int, pin);
    QFETCH(int, source);
    QFETCH(int, output);
    QFETCH(bool, hext);
    QFETCH(bool, hick);
    ClockConfig c(series);
    c.sclkSource = sclkSource;
    c.pllSourceHick = pllHick;
    c.usbDisabled = usbDisabled;
    c.usbSourceHick48 = usbFromHick;
    if (series == 13 || series == 14) {
        (output == 1 ? c.clkout1Pin : c.clkout2Pin) = pin;
        (output == 1 ? c.clkout1Source : c.clkout2Source) = source;
    } else {
        c.clkoutPin = pin;
        c.clkoutSource = source;
    }
    // The RTC starts its own oscillator: it never counts.
    c.rtcEnabled = true;
    c.rtcSource = 2;
    QCOMPARE(c.hextNeeded(), hext);
    QCOMPARE(c.hickNeeded(), hick);
}

void TestClockConfig::pllcfg_data()
{
    QTest::addColumn<int>("ms");
    QTest::addColumn<int>("ns");
    QTest::addColumn<int>("fr");
    QTest::addColumn<int>("hickRef");
    QTest::addColumn<QString>("text");

    // 1 + (72 << 6) + (1 << 16) + (1 << 22)
    QTest::newRow("C330 factory") << 1 << 72 << 2 << 0 << "0x00411201";
    QTest::newRow("C330 factory on HICK") << 1 << 72 << 2 << 1 << "0x00011201";
    QTest::newRow("C315 flexible factory") << 1 << 72 << 4 << 0 << "0x00421201";
    QTest::newRow("largest factors") << 15 << 500 << 32 << 0 << "0x00457d0f";
    QTest::newRow("fr 1") << 3 << 200 << 1 << 1 << "0x00003203";
    QTest::newRow("unlisted fr counts as 1") << 3 << 200 << 3 << 1 << "0x00003203";
}

void TestClockConfig::pllcfg()
{
    QFETCH(int, ms);
    QFETCH(int, ns);
    QFETCH(int, fr);
    QFETCH(int, hickRef);
    QFETCH(QString, text);
    ClockConfig c(13);
    c.pllMs = ms;
    c.pllNs = ns;
    c.pllFr = fr;
    c.pllSourceHick = hickRef;
    QCOMPARE(c.pllcfgText(), text);
    QCOMPARE(c.pllcfgWord(), text.mid(2).toUInt(nullptr, 16));
}

QTEST_GUILESS_MAIN(TestClockConfig)
#include "tst_clockconfig.moc"

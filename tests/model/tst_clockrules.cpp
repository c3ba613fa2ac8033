#include "ClockRules.h"
#include "RecordFields.h"

#include <QtTest>

// The rule book judged on records written as field text. Expected texts are
// the series' own messages.
class TestClockRules : public QObject {
    Q_OBJECT

private slots:
    void judge_data();
    void judge();
};

namespace {

// A QXC330 tree the way the window leaves it: HEXT 8 MHz, PLL 1/72/2 as the
// system clock, USB off; derived values as the record holds them.
const QString kQxc330 = "hextMHz=8 sclkSource=1 pllSourceHick=0 pllMs=1 pllNs=72 pllFr=2 usbDisabled=1 "
                        "usbDiv=6 apb1Div=2 apb2Div=2 ";

QString described(const ClockRules::Findings &findings)
{
    QStringList out;
    for (const ClockRules::Finding &f : findings)
        out << (f.isRefusal() ? "error: " : "warning: ") + f.text();
    return out.join('\n');
}

} // namespace

void TestClockRules::judge_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("findings");
    const auto row = [](const char *name, int series, const QString &record, const char *findings) {
        QTest::newRow(name) << series << record << QString(findings);
    };
    const QString over = "error: Can not support %1 greater than %2MHz";
    row("factory QXC330", 13, kQxc330, "");
    row("HEXT at its lower bound", 13, kQxc330 + "hextMHz=4 pllNs=125", "");
    row("HEXT 30", 13, kQxc330 + "hextMHz=30", "error: hext input error!\nerror: pll_ms input error!");
    row("HEXT NaN, nothing uses it", 13, kQxc330 + "hextMHz=nan sclkSource=2", "error: hext input error!");
    row("HEXT 3.999, nothing uses it", 13, kQxc330 + "hextMHz=3.999 sclkSource=2", "error: hext input error!");
    row("ms out of range", 13, kQxc330 + "pllMs=16", "error: pll_ms input error!");
    row("ns out of range", 13, kQxc330 + "pllNs=30", "error: pll_ns input error!");
    row("reference 1.6 MHz", 13, kQxc330 + "pllMs=5", "error: pll_ms input error!");
    row("oscillator 1600 MHz", 13, kQxc330 + "pllNs=200", "error: pll_ns input error!");
    row("reference on HICK 8 MHz / 5", 13, kQxc330 + "pllSourceHick=1 pllMs=5", "error: pll_ms input error!");
    row("factors of an unused PLL", 13, kQxc330 + "sclkSource=2 pllMs=15", "");
    row("fr off its list", 13, kQxc330 + "pllFr=3", "error: pllFr 3 is not one of 1, 2, 4, 8, 16, 32");
    row("ahb divider off its list", 13, kQxc330 + "ahbDiv=32",
        "error: ahbDiv 32 is not one of 1, 2, 4, 8, 16, 64, 128, 256, 512");
    // Derived values are never trusted: the tree is recomputed first.
    row("stale derived values", 13, kQxc330 + "pllNs=75 sclkMHz=200 pllMHz=200",
        qPrintable(over.arg("sclk").arg(288)));
    row("APB1 /1 is raised to /2 before the check", 13, kQxc330 + "apb1Div=1", "");
    row("PLL 300 MHz feeding a clock output", 13,
        kQxc330 + "sclkSource=2 pllNs=75 clkout1Pin=1 clkout1Source=3",
        qPrintable(over.arg("pll clock").arg(288)));
    row("PLL 300 MHz, nothing uses it", 13, kQxc330 + "sclkSource=2 pllNs=75", "");
    row("USB 47.917 MHz asks", 13, kQxc330 + "hextMHz=10 pllMs=2 pllNs=115 usbDisabled=0",
        "warning: USB clock must be 48MHz. But the USB clock of current config is wrong.  please confirm "
        "whether to continue?");
    row("USB from HICK 48", 13, kQxc330 + "hextMHz=10 pllMs=2 pllNs=115 usbDisabled=0 usbSourceHick48=1 usbMHz=48",
        "");
    row("multiplier input 1.6 MHz", 7,
        "hextMHz=8 pllFlexible=0 sclkSource=1 usbDisabled=1 pllMult=30 hextDivEnabled=1 hextDivValue=5",
        "error: pll input clock source range 2-16MHz!");
    row("multiplier 65", 7, "hextMHz=8 pllFlexible=0 sclkSource=1 usbDisabled=1 pllMult=65",
        "error: pllMult 65 is not one of 2..64");
    row("ADC 60 MHz asks", 7,
        "hextMHz=8 pllFlexible=0 sclkSource=1 usbDisabled=1 pllMult=30 adcEnabled=1 adcDiv=2 apb2Div=2",
        "warning: The maximum ADC clock is 28 MHz. The currently configured ADC clock is wrong.  please "
        "confirm whether to continue?");
    row("normal mode PLL 12 MHz", 5,
        "hextMHz=4 pllFlexible=0 sclkSource=1 usbDisabled=1 pllMult=3 pllSourceHick=0",
        "error: Can not support pll clock less than 16MHz");
}

void TestClockRules::judge()
{
    QFETCH(int, series);
    QFETCH(QString, record);
    QFETCH(QString, findings);
    TF_RECORD(c, series, record);
    QCOMPARE(described(ClockRules::judge(c).findings), findings);
}

QTEST_GUILESS_MAIN(TestClockRules)
#include "tst_clockrules.moc"

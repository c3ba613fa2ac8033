#include "ReviewClocks.h"

#include "ClockConfig.h"
#include "ClockPaths.h"
#include "ClockRules.h"
#include "SeriesTable.h"

namespace ReviewClocks {

QVector<Clock> clocksOf(const ClockConfig &c)
{
    const SeriesParams &s = *c.params();
    const double top = s.sclkLimitMHz;
    const double apb = s.apbLimitMHz;
    QVector<Clock> clocks;
    clocks.append({QStringLiteral("pll"), c.pllMHz, false, top, false, ClockRules::pllInUse(c)});
    clocks.append({QStringLiteral("sclk"), c.sclkMHz, false, top, false, true});
    clocks.append({QStringLiteral("ahb"), c.ahbMHz, false, top, false, true});
    clocks.append({QStringLiteral("apb1"), c.apb1MHz, false, apb, false, true});
    clocks.append({QStringLiteral("apb1tmr"), c.apb1TimerMHz, false, top, false, true});
    clocks.append({QStringLiteral("apb2"), c.apb2MHz, false, apb, false, true});
    clocks.append({QStringLiteral("apb2tmr"), c.apb2TimerMHz, false, top, false, true});
    if (s.hasAdc())
        clocks.append({QStringLiteral("adc"), c.adcMHz, false, double(s.adcLimitMHz), false, c.adcEnabled});
    if (s.hasUsb())
        clocks.append({QStringLiteral("usb"), c.usbMHz, false, 48.0, true, ClockRules::usbEnabled(c)});
    const ClockPaths::Reached rtc = ClockPaths::rtc(c);
    clocks.append({QStringLiteral("rtc"), rtc.value, true, 0.0, false, !rtc.path.isEmpty()});
    for (int i = 0; i < s.clockOutputs.size(); ++i) {
        const ClockPaths::Reached out = ClockPaths::clockOutput(c, i);
        const QString name = s.multiOutput() ? QStringLiteral("clkout%1").arg(i + 1) : QStringLiteral("clkout");
        clocks.append({name, out.value, out.kHz, 0.0, false, !out.path.isEmpty()});
    }
    return clocks;
}

} // namespace ReviewClocks

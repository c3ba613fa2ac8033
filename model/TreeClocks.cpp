#include "TreeClocks.h"

#include "ClockConfig.h"
#include "ClockRules.h"
#include "ControlTable.h"
#include "SeriesTable.h"

#include <algorithm>

namespace {

Rational mhz(double value)
{
    return Rational::fromDecimal(value);
}

Rational khz(double value)
{
    return Rational::fromDecimal(value) / Rational(1000);
}

// A divider of zero (a damaged record) divides by nothing, as the recompute does.
Rational divided(const Rational &value, const Rational &div)
{
    return div.isZero() ? value : value / div;
}

// The effective APB divider: the recompute raises /1 to /2 above the limit.
int apbDivider(const SeriesParams &p, const Rational &ahb, int div)
{
    if (p.apbHalving && div == 1 && ahb > Rational(p.apbLimitMHz))
        return 2;
    return div;
}

Rational pllInput(const ClockConfig &c, const SeriesParams &p)
{
    if (c.pllSourceHick != 0)
        return mhz(c.hickMHz) / Rational(p.hickToPllDiv);
    if (p.hasHextPllDivPath() && c.hextDivEnabled != 0)
        return mhz(c.hextMHz) / Rational(c.hextDivValue > 0 ? c.hextDivValue : p.hextPllDivs.first());
    return mhz(c.hextMHz);
}

Rational pllOutput(const ClockConfig &c, const Rational &in)
{
    if (!c.flexiblePllActive())
        return in * Rational(c.pllMult);
    const int den = c.pllFr * c.pllMs;
    return den > 0 ? in * Rational(c.pllNs) / Rational(den) : Rational();
}

Rational sclkOf(const ClockConfig &c, const SeriesParams &p, const Rational &pll)
{
    switch (c.sclkSource) {
    case ClockConfig::SclkPll:
        return pll;
    case ClockConfig::SclkHext:
        return mhz(c.hextMHz);
    case ClockConfig::SclkHick:
        return p.hickSclkUndivided || c.hickSclk48 != 0 ? mhz(c.hickMHz) : mhz(c.hickMHz) / Rational(6);
    default:
        return Rational();
    }
}

struct Builder {
    TreeClockList clocks;

    TreeClock &add(const char *name, const Rational &value, bool inUse, int maxMHz = 0)
    {
        TreeClock clock;
        clock.name = QLatin1String(name);
        clock.mhz = value;
        clock.inUse = inUse;
        clock.maxMHz = maxMHz;
        clocks << clock;
        return clocks.last();
    }
    Rational value(const char *name) const
    {
        const TreeClock *clock = TreeClocks::find(clocks, QLatin1String(name));
        return clock ? clock->mhz : Rational();
    }
};

Rational sourceValue(const Builder &b, ClockSourceKind kind)
{
    switch (kind) {
    case ClockSourceKind::Lick:
        return b.value("lick");
    case ClockSourceKind::Lext:
        return b.value("lext");
    case ClockSourceKind::Hick:
        return b.value("hickout");
    case ClockSourceKind::Hext:
        return b.value("hext");
    case ClockSourceKind::Sclk:
        return b.value("sclk");
    case ClockSourceKind::Usb:
        return b.value("usb");
    case ClockSourceKind::Adc:
        return b.value("adc");
    case ClockSourceKind::Pll:
        return b.value("pll");
    case ClockSourceKind::PllDiv2:
        return b.value("pll") / Rational(2);
    case ClockSourceKind::PllDiv4:
        return b.value("pll") / Rational(4);
    case ClockSourceKind::None:
        break;
    }
    return Rational();
}

void addClockOutputs(Builder &b, const ClockConfig &c, const SeriesParams &p)
{
    static const char *const kNames[] = {"clkout1", "clkout2"};
    for (int i = 0; i < p.clockOutputs.size(); ++i) {
        const ClockOutputParams &output = p.clockOutputs.at(i);
        const bool multi = p.multiOutput();
        const int code = !multi ? c.clkoutSource : i == 0 ? c.clkout1Source : c.clkout2Source;
        const ClockSourceItem *item = output.sourceByCode(code);
        const ClockSourceKind kind = item ? item->kind : ClockSourceKind::None;
        int div = 1;
        if (!multi)
            div = output.div1.isEmpty() ? 1 : c.clkoutDiv;
        else
            div = (i == 0 ? c.clkout1Div1 : c.clkout2Div1) * (i == 0 ? c.clkout1Div2 : c.clkout2Div2);
        // A source the series does not have (the ADC of a series without one) gives nothing.
        const bool hasSource = kind != ClockSourceKind::None && (kind != ClockSourceKind::Adc || p.hasAdc());
        const bool live =
            ClockRules::clockOutputLive(c, i) && hasSource && ClockRules::clockSourceUsable(c, i, kind);
        const Rational value = hasSource ? divided(sourceValue(b, kind), Rational(div)) : Rational();
        b.add(multi ? kNames[i] : "clkout", value, live);
    }
}

void addKernelClocks(Builder &b, const ClockConfig &c, const SeriesParams &p)
{
    using ControlTable::Control;
    struct Kernel {
        const char *name;
        Control control;
        int source;
        const char *pclk;
    };
    const Kernel kernels[] = {{"usart1", Control::Usart1Sel, c.usart1Source, "apb2"},
                              {"usart2", Control::Usart2Sel, c.usart2Source, "apb1"},
                              {"i2c1", Control::I2c1Sel, c.i2c1Source, "apb1"}};
    for (const Kernel &k : kernels) {
        if (!ControlTable::has(p, k.control))
            continue;
        Rational value;
        switch (k.source) {
        case 1:
            value = b.value("sclk");
            break;
        case 2:
            value = mhz(c.hickMHz);
            break;
        case 3:
            value = b.value("lext");
            break;
        default:
            value = b.value(k.pclk);
            break;
        }
        b.add(k.name, value, true, p.sclkLimitMHz);
    }
}

} // namespace

bool TreeClock::withinLimits() const
{
    if (maxMHz > 0 && mhz > Rational(maxMHz))
        return false;
    if (minMHz > 0 && mhz < Rational(minMHz))
        return false;
    return requiredMHz == 0 || mhz == Rational(requiredMHz);
}

namespace TreeClocks {

TreeClockList of(const ClockConfig &c)
{
    const SeriesParams *series = c.params();
    if (!series)
        return {};
    const SeriesParams &p = *series;
    Builder b;
    const bool pllUsed = c.pllInUse();
    b.add("lick", khz(c.lickKHz), true);
    bool lextOut = false;
    for (int i = 0; i < p.clockOutputs.size(); ++i)
        lextOut = lextOut || ClockRules::clockOutputSource(c, i) == ClockSourceKind::Lext;
    b.add("lext", khz(c.lextKHz), ClockRules::lextRunning(c) || lextOut);
    TreeClock &hext = b.add("hext", mhz(c.hextMHz), ClockRules::hextInUse(c), int(ClockRules::kHextMaxMHz));
    hext.minMHz = int(ClockRules::kHextMinMHz);
    b.add("hick", mhz(c.hickMHz), c.hickNeeded());

    Rational rtc;
    switch (c.rtcSource) {
    case 0:
        rtc = b.value("lick");
        break;
    case 1:
        rtc = b.value("lext");
        break;
    default:
        rtc = divided(mhz(c.hextMHz), Rational(p.rtcHextDiv > 0 ? p.rtcHextDiv : c.rtcHextDiv));
        break;
    }
    b.add("rtc", rtc, c.rtcEnabled);

    const Rational in = pllInput(c, p);
    TreeClock &pllin = b.add("pllin", in, pllUsed);
    if (p.pllInputRangeCheck && c.pllSourceHick == 0) {
        pllin.minMHz = int(ClockRules::kPllInputMinMHz);
        pllin.maxMHz = int(ClockRules::kPllInputMaxMHz);
    }
    const Rational pll = pllOutput(c, in);
    TreeClock &pllClock = b.add("pll", pll, pllUsed, p.sclkLimitMHz);
    if (!c.flexiblePllActive())
        pllClock.minMHz = p.pllMinMHz;

    const Rational sclk = sclkOf(c, p, pll);
    b.add("sclk", sclk, true, p.sclkLimitMHz);
    const Rational ahb = divided(sclk, Rational(c.ahbDiv));
    b.add("ahb", ahb, true, p.sclkLimitMHz);
    const int apb1Div = apbDivider(p, ahb, c.apb1Div);
    const int apb2Div = apbDivider(p, ahb, c.apb2Div);
    const Rational apb1 = divided(ahb, Rational(apb1Div));
    const Rational apb2 = divided(ahb, Rational(apb2Div));
    b.add("apb1", apb1, true, p.apbLimitMHz);
    b.add("apb1tmr", apb1Div != 1 ? apb1 * Rational(2) : apb1, true, p.sclkLimitMHz);
    b.add("apb2", apb2, true, p.apbLimitMHz);
    b.add("apb2tmr", apb2Div != 1 ? apb2 * Rational(2) : apb2, true, p.sclkLimitMHz);
    if (p.hasAdc())
        b.add("adc", c.adcEnabled ? divided(apb2, Rational(c.adcDiv)) : Rational(), c.adcEnabled,
              p.adcLimitMHz);
    if (p.hasUsb()) {
        const bool fromPll = ClockRules::usbFromPll(c);
        const Rational usb = fromPll ? divided(pll, Rational::fromDecimal(c.usbDiv)) : mhz(c.hickMHz);
        b.add("usb", ClockRules::usbEnabled(c) ? usb : Rational(), ClockRules::usbEnabled(c)).requiredMHz =
            48;
    }
    // HICK as the clock outputs see it; a helper, not a clock of its own.
    b.add("hickout", mhz(ClockRules::hickOutputMHz(c)), false);
    addClockOutputs(b, c, p);
    addKernelClocks(b, c, p);
    b.clocks.erase(std::remove_if(b.clocks.begin(), b.clocks.end(),
                                  [](const TreeClock &k) { return k.name == QLatin1String("hickout"); }),
                   b.clocks.end());
    return b.clocks;
}

QStringList names(const SeriesParams &series)
{
    ClockConfig config(series.id);
    QStringList out;
    for (const TreeClock &clock : of(config))
        out << clock.name;
    return out;
}

const TreeClock *find(const TreeClockList &clocks, const QString &name)
{
    for (const TreeClock &clock : clocks) {
        if (clock.name == name)
            return &clock;
    }
    return nullptr;
}

} // namespace TreeClocks

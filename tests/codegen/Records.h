#pragma once

#include "ClockConfig.h"
#include "SeriesTable.h"

#include <QRandomGenerator>
#include <QVector>
#include <initializer_list>

// Clock records for the generator tests: hand-set designs and a seeded sweep
// over every option a series offers.
namespace Records {

inline const QVector<int> &allSeries()
{
    static const QVector<int> ids = [] {
        QVector<int> out;
        for (const SeriesParams &p : SeriesTable::all())
            out << p.id;
        return out;
    }();
    return ids;
}

inline const SeriesParams &row(int id)
{
    return *SeriesTable::byId(id);
}

// A PLL-driven design: the given source and factors, then recomputed.
inline ClockConfig pllDesign(int id, double hextMHz = 8.0)
{
    ClockConfig c(id);
    c.hextMHz = hextMHz;
    c.sclkSource = ClockConfig::SclkPll;
    c.usbDisabled = 1;
    if (row(id).pllKind == PllKind::Flexible) {
        c.pllFlexible = 1;
        c.pllMs = 1;
        c.pllNs = 72;
        c.pllFr = 2;
    } else {
        c.pllFlexible = 0;
        c.pllMult = 18;
    }
    c.recompute();
    return c;
}

template <typename T> T pick(QRandomGenerator &rng, std::initializer_list<T> values)
{
    return *(values.begin() + rng.bounded(int(values.size())));
}

// A valid record of series id drawn from rng: sources, dividers, USB, RTC,
// clock outputs, ADC and both PLL modes where the series has them.
inline ClockConfig randomDesign(int id, QRandomGenerator &rng)
{
    ClockConfig c(id);
    c.hextMHz = pick(rng, {4.0, 8.0, 12.0, 16.0, 11.0592, 8.000001});
    c.hextBypass = rng.bounded(2);
    c.lextBypass = rng.bounded(2);
    c.sclkSource = rng.bounded(3);
    c.pllSourceHick = rng.bounded(2);
    const SeriesParams &p = row(id);
    if (p.hasHextPllDivPath()) {
        c.hextDivEnabled = rng.bounded(2);
        const int divs = p.hextPllDivs.size();
        c.hextDivValue = divs > 1 ? p.hextPllDivs.first() + rng.bounded(divs) : p.hextPllDivs.first();
    }
    if (p.pllKind == PllKind::Flexible || (p.pllKind == PllKind::Selectable && rng.bounded(2))) {
        c.pllFlexible = 1;
        // ns/ms/fr within the oscillator rules: input/ms in 2..16, vco 500..1000.
        const double in = c.pllInputMHz();
        c.pllMs = 1;
        while (c.pllMs < 15 && in / c.pllMs > 16.0)
            ++c.pllMs;
        const double ref = in / c.pllMs;
        const int nsMin = int(500.0 / ref) + 1;
        const int nsMax = qMin(500, int(1000.0 / ref));
        c.pllNs = qBound(31, nsMin + rng.bounded(qMax(1, nsMax - nsMin)), 500);
        c.pllFr = pick(rng, {1, 2, 4, 8, 16, 32});
    } else {
        c.pllFlexible = 0;
        c.pllMult = 2 + rng.bounded(63);
    }
    c.ahbDiv = pick(rng, {1, 1, 2, 4, 8, 16, 64, 128, 256, 512});
    c.apb1Div = pick(rng, {1, 2, 4, 8, 16});
    c.apb2Div = pick(rng, {1, 2, 4, 8, 16});
    if (!p.hickSclkUndivided)
        c.hickSclk48 = rng.bounded(2);
    if (p.hasUsb()) {
        c.usbDisabled = rng.bounded(2);
        c.usbSourceHick48 = p.usbHickIgnored ? 0 : rng.bounded(2);
        c.usbDiv = p.usbDivItems().at(rng.bounded(p.usbDivItems().size()));
    } else {
        c.usbDisabled = 1;
    }
    c.rtcEnabled = rng.bounded(2);
    c.rtcSource = rng.bounded(3);
    c.rtcHextDiv = 2 + rng.bounded(30);
    if (p.multiOutput()) {
        c.clkout1Pin = rng.bounded(3);
        c.clkout1Source = rng.bounded(4);
        c.clkout1Div1 = 1 + rng.bounded(5);
        c.clkout1Div2 = pick(rng, {1, 2, 4, 8, 16, 64, 128, 256, 512});
        c.clkout2Pin = rng.bounded(2);
        c.clkout2Source = rng.bounded(8);
        c.clkout2Div1 = 1 + rng.bounded(5);
        c.clkout2Div2 = pick(rng, {1, 2, 4, 8, 16, 64, 128, 256, 512});
    } else {
        c.clkoutPin = rng.bounded(4);
        c.clkoutSource = rng.bounded(10);
        c.clkoutDiv =
            p.clockOutputs.first().div1.isEmpty() ? 1 : pick(rng, {1, 2, 4, 8, 16, 64, 128, 256, 512});
        c.adcEnabled = rng.bounded(2);
        c.adcDiv = pick(rng, {2, 3, 4, 5, 6, 8, 12, 16});
    }
    if (p.family == TemplateFamily::E020) {
        c.usart1Source = rng.bounded(4);
        c.usart2Source = rng.bounded(4);
        c.i2c1Source = rng.bounded(3);
    }
    c.recompute();
    return c;
}

} // namespace Records

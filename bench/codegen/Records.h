#pragma once

#include "ClockConfig.h"
#include "SeriesTable.h"

#include <QRandomGenerator>
#include <QVector>
#include <initializer_list>

// Clock records for the generator benchmark: a PLL-driven design and
// a seeded sweep over every option a series offers.
namespace Records {

inline QVector<int> allSeries()
{
    QVector<int> ids;
    for (const SeriesParams &p : SeriesTable::all())
        ids << p.id;
    return ids;
}

// SCLK from the PLL on HEXT: ms 1, ns 72, fr 2 or x18; USB off.
inline ClockConfig pllDesign(int id)
{
    ClockConfig c(id);
    c.sclkSource = ClockConfig::SclkPll;
    c.usbDisabled = 1;
    c.pllFlexible = SeriesTable::byId(id)->pllKind == PllKind::Flexible;
    c.pllMs = 1;
    c.pllNs = 72;
    c.pllFr = 2;
    c.pllMult = 18;
    c.recompute();
    return c;
}

// A valid record of series id drawn from rng: sources, dividers, USB, RTC,
// clock outputs, ADC and both PLL modes where the series has them.
inline ClockConfig randomDesign(int id, QRandomGenerator &rng)
{
    const SeriesParams &p = *SeriesTable::byId(id);
    auto n = [&rng](int count) {
        return int(rng.bounded(count));
    };
    auto pick = [&rng](std::initializer_list<int> values) {
        return values.begin()[rng.bounded(int(values.size()))];
    };
    auto outDiv = [&pick] {
        return pick({1, 2, 4, 8, 16, 64, 128, 256, 512});
    };
    ClockConfig c(id);
    c.hextMHz = std::initializer_list<double>{4.0, 8.0, 12.0, 16.0, 11.0592, 8.000001}.begin()[n(6)];
    c.hextBypass = n(2);
    c.lextBypass = n(2);
    c.sclkSource = n(3);
    c.pllSourceHick = n(2);
    if (p.hasHextPllDivPath()) {
        c.hextDivEnabled = n(2);
        c.hextDivValue = p.hextPllDivs.at(n(p.hextPllDivs.size()));
    }
    c.pllFlexible = p.pllKind == PllKind::Flexible || (p.pllKind == PllKind::Selectable && n(2));
    c.pllMult = 2 + n(63); // kept in flexible mode too, as the window keeps it
    if (c.pllFlexible) {
        // ns/ms/fr within the oscillator rules: input/ms in 2..16, vco 500..1000.
        const double in = c.pllInputMHz();
        c.pllMs = 1;
        while (c.pllMs < 15 && in / c.pllMs > 16.0)
            ++c.pllMs;
        const double ref = in / c.pllMs;
        const int nsMin = int(500.0 / ref) + 1;
        c.pllNs = qBound(31, nsMin + n(qMax(1, qMin(500, int(1000.0 / ref)) - nsMin)), 500);
        c.pllFr = pick({1, 2, 4, 8, 16, 32});
    }
    c.ahbDiv = pick({1, 1, 2, 4, 8, 16, 64, 128, 256, 512});
    c.apb1Div = pick({1, 2, 4, 8, 16});
    c.apb2Div = pick({1, 2, 4, 8, 16});
    c.hickSclk48 = p.hickSclkUndivided ? 0 : n(2);
    c.usbDisabled = p.hasUsb() ? n(2) : 1;
    c.usbSourceHick48 = p.usbHickIgnored || !p.hasUsb() ? 0 : n(2);
    if (p.hasUsb())
        c.usbDiv = p.usbDivItems().at(n(p.usbDivItems().size()));
    c.rtcEnabled = n(2);
    c.rtcSource = n(3);
    c.rtcHextDiv = 2 + n(30);
    if (p.multiOutput()) {
        c.clkout1Pin = n(3);
        c.clkout1Source = n(4);
        c.clkout1Div1 = 1 + n(5);
        c.clkout1Div2 = outDiv();
        c.clkout2Pin = n(2);
        c.clkout2Source = n(8);
        c.clkout2Div1 = 1 + n(5);
        c.clkout2Div2 = outDiv();
    } else {
        c.clkoutPin = n(4);
        c.clkoutSource = n(10);
        c.clkoutDiv = p.clockOutputs.first().div1.isEmpty() ? 1 : outDiv();
        c.adcEnabled = n(2);
        c.adcDiv = pick({2, 3, 4, 5, 6, 8, 12, 16});
    }
    // A clock output never takes a clock the design switches off (such a
    // design is refused); the system clock stands in, drawing nothing more.
    if (p.multiOutput() && (c.clkout2Source == 5 || (c.clkout2Source == 3 && c.usbDisabled)))
        c.clkout2Source = 0;
    if (!p.multiOutput() &&
        ((c.clkoutSource == 6 && c.usbDisabled) || (c.clkoutSource == 7 && !c.adcEnabled)))
        c.clkoutSource = 5;
    if (p.family == TemplateFamily::E020) {
        c.usart1Source = n(4);
        c.usart2Source = n(4);
        c.i2c1Source = n(3);
    }
    c.recompute();
    return c;
}

} // namespace Records

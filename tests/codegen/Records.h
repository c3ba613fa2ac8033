#pragma once

#include "ClockConfig.h"

#include <QRandomGenerator>
#include <QVector>
#include <initializer_list>

// Clock records for the generator tests: hand-set designs and a seeded sweep
// over every option a series offers.
namespace Records {

inline const QVector<int> &allSeries()
{
    static const QVector<int> ids = {2, 4, 5, 7, 8, 9, 13, 14, 15, 16, 17};
    return ids;
}

inline bool isDual(int id)
{
    return id == 13 || id == 14;
}
inline bool isMultiplierOnly(int id)
{
    return id == 2 || id == 4 || id == 7 || id == 8;
}
inline bool hasUsb(int id)
{
    return id != 9 && id != 16;
}

// A PLL-driven design: the given source and factors, then recomputed.
inline ClockConfig pllDesign(int id, double hextMHz = 8.0)
{
    ClockConfig c(id);
    c.hextMHz = hextMHz;
    c.sclkSource = ClockConfig::SclkPll;
    c.usbDisabled = 1;
    if (isDual(id)) {
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
    if (!isDual(id)) {
        c.hextDivEnabled = rng.bounded(2);
        c.hextDivValue = (id == 7 || id == 8) ? 2 + rng.bounded(4) : 2;
    }
    if (isDual(id) || (!isMultiplierOnly(id) && rng.bounded(2))) {
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
    if (id != 2)
        c.hickSclk48 = rng.bounded(2);
    if (hasUsb(id)) {
        c.usbDisabled = rng.bounded(2);
        c.usbSourceHick48 = id == 2 ? 0 : rng.bounded(2);
        c.usbDiv = 1.0 + 0.5 * rng.bounded(isDual(id) ? 13 : 7);
    } else {
        c.usbDisabled = 1;
    }
    c.rtcEnabled = rng.bounded(2);
    c.rtcSource = rng.bounded(3);
    c.rtcHextDiv = 2 + rng.bounded(30);
    if (isDual(id)) {
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
        c.clkoutDiv = id == 2 ? 1 : pick(rng, {1, 2, 4, 8, 16, 64, 128, 256, 512});
        c.adcEnabled = rng.bounded(2);
        c.adcDiv = pick(rng, {2, 3, 4, 5, 6, 8, 12, 16});
    }
    if (id == 16) {
        c.usart1Source = rng.bounded(4);
        c.usart2Source = rng.bounded(4);
        c.i2c1Source = rng.bounded(3);
    }
    c.recompute();
    return c;
}

} // namespace Records

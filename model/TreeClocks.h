#pragma once

#include "Rational.h"

#include <QString>
#include <QStringList>
#include <QVector>

class ClockConfig;
struct SeriesParams;

// One clock of a series' tree as a design gives it: its name (the one the
// presentation, `show --controls`, `solve`, `report` and `diff` use), its
// exact frequency, the series' bounds for it and whether anything uses it.
struct TreeClock {
    QString name;        // "sclk", "apb1tmr", "clkout2", ...
    Rational mhz;        // exact, MHz (the low-speed oscillators too: LEXT is 0.032768)
    int maxMHz = 0;      // the series' upper limit (refusal or warning); 0: none
    int minMHz = 0;      // the series' lower limit (the PLL in normal mode); 0: none
    int requiredMHz = 0; // the one value the series accepts (USB: 48); 0: any
    bool inUse = false;  // switched on and feeding something (a clock output: with a pin)

    // Whether the value keeps the bounds above (a clock not in use keeps them).
    bool withinLimits() const;
};
using TreeClockList = QVector<TreeClock>;

namespace TreeClocks {

// The clocks of the record's tree in tree order: oscillators (lick, lext,
// hext, hick), rtc, the PLL input and output (pllin, pll), sclk, ahb, apb1,
// apb1tmr, apb2, apb2tmr, then, where the series has them, adc, usb, the
// clock outputs (clkout, or clkout1 and clkout2) and the peripheral kernel
// clocks (usart1, usart2, i2c1). Computed from the record's settings alone,
// as the recompute does (an APB /1 above the limit counts as /2), so the
// derived fields need not be current.
TreeClockList of(const ClockConfig &config);

// The names of(config) gives for a series, in the same order.
QStringList names(const SeriesParams &series);

// The clock named `name` in `clocks`; nullptr when there is none.
const TreeClock *find(const TreeClockList &clocks, const QString &name);

} // namespace TreeClocks

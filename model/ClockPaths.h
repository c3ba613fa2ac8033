#pragma once

#include <QString>

class ClockConfig;

// How a clock of the tree is reached from its source, written out for a
// reader: "HEXT 8 MHz → PLL ×36 → SCLK 288 MHz → AHB /2 → 144 MHz". A stage
// (PLL, divider, multiplier) is followed by what it gives; the system clock
// is named where it is passed through.
namespace ClockPaths {

// The path of the clock `name` (lick, lext, hext, hick, pllin, pll, sclk, ahb,
// apb1, apb1tmr, apb2, apb2tmr, usb, adc, rtc, clkout1, clkout2, clkout);
// empty for a clock the series does not have or that does not run.
QString pathOf(const ClockConfig &c, const QString &name);

// A clock output or the RTC: its path and the frequency it reaches (kHz
// where it runs on LICK or LEXT, and for the RTC). Empty path: not running.
struct Reached {
    QString path;
    double value = 0.0;
    bool kHz = false;
};
Reached clockOutput(const ClockConfig &c, int index);
Reached rtc(const ClockConfig &c);

// A frequency as the paths write it: at most `decimals` decimals, no trailing zeros.
QString number(double value, int decimals = 3);

} // namespace ClockPaths

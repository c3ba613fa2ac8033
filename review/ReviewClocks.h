#pragma once

#include <QString>
#include <QVector>

class ClockConfig;

// The clocks of a tree (TreeClocks, in tree order) as a review shows them:
// the value in the unit a reader expects (kHz for the low-speed clocks), the
// series' bounds, and whether the clock runs.
namespace ReviewClocks {

struct Clock {
    QString name;        // "sclk", "apb1", "usb", ...
    double value = 0.0;  // in unit()
    bool kHz = false;    // LICK, LEXT, the RTC and what runs on LICK or LEXT
    double limit = 0.0;  // the series' upper bound, or the one value allowed; 0: none
    double minimum = 0.0; // the lower bound (the PLL in normal mode); 0: none
    bool exact = false;  // `limit` is the one value allowed (USB 48 MHz)
    bool running = true; // in use; a clock nothing uses has no value to review
    bool within = true;  // keeps the series' bounds

    QString unit() const { return kHz ? QStringLiteral("kHz") : QStringLiteral("MHz"); }
    bool hasLimit() const { return limit > 0 || minimum > 0; }
    bool over() const { return running && !within; }
    // "limit 288 MHz", "limit 16..120 MHz", "must be 48 MHz"; empty without bounds.
    QString limitText() const;
};

QVector<Clock> clocksOf(const ClockConfig &c);

} // namespace ReviewClocks

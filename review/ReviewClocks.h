#pragma once

#include <QString>
#include <QVector>

class ClockConfig;

// The clocks of a tree in tree order as a reader of a review wants them:
// name, value, unit and the limit the series sets.
namespace ReviewClocks {

struct Clock {
    QString name;          // "sclk", "apb1", "usb", ...
    double value = 0.0;    // in `unit`
    bool kHz = false;      // LICK, LEXT and what they feed
    double limit = 0.0;    // the series' limit; 0 for none
    bool exact = false;    // the limit is the one value allowed (USB 48 MHz)
    bool running = true;   // a clock the design switches off has no value

    QString unit() const { return kHz ? QStringLiteral("kHz") : QStringLiteral("MHz"); }
    bool hasLimit() const { return limit > 0; }
    bool over() const { return running && hasLimit() && (exact ? value != limit : value > limit); }
};

QVector<Clock> clocksOf(const ClockConfig &c);

} // namespace ReviewClocks

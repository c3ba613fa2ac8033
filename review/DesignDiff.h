#pragma once

#include "ReviewClocks.h"

#include <QString>
#include <QStringList>
#include <QVector>

class ClockConfig;

// What changed between two designs of one series, in the terms of the
// clock tree: the stored settings that differ, then every clock whose value
// changes, both in tree order.
namespace DesignDiff {

struct SettingChange {
    QString element; // design-file element
    QString before;  // its text in the file's value format
    QString after;
};

struct ClockChange {
    ReviewClocks::Clock before;
    ReviewClocks::Clock after;
    // "now over" / "back within" the limit, empty when that did not change.
    QString limitTurn() const;
};

struct Result {
    QVector<SettingChange> settings;
    QVector<ClockChange> clocks;
    bool same() const { return settings.isEmpty() && clocks.isEmpty(); }
};

// Both records of the series seriesName, as opening their files left them.
Result compare(const ClockConfig &before, const ClockConfig &after, const QString &seriesName);

// "setting ahbdiv: 1 → 2", "clock ahb: 288 MHz → 144 MHz (limit 288 MHz)".
QStringList lines(const Result &result);
// {"series", "settings": [{"element", "old", "new"}], "clocks": [{"name",
// "old", "new", "unit", "limit", "turn"}]}; a clock that does not run is null.
QString json(const Result &result, const QString &seriesName);

} // namespace DesignDiff

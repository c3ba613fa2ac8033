#include "ReviewClocks.h"

#include "ClockConfig.h"
#include "ClockPaths.h"
#include "SeriesTable.h"
#include "TreeClocks.h"

namespace ReviewClocks {

namespace {

// The clocks a reader reads in kHz: the low-speed oscillators and the RTC,
// and a clock output that runs on one of them.
bool inKHz(const ClockConfig &c, const QString &name)
{
    if (name == QLatin1String("lick") || name == QLatin1String("lext") || name == QLatin1String("rtc"))
        return true;
    if (!name.startsWith(QLatin1String("clkout")))
        return false;
    const int index = name == QLatin1String("clkout2") ? 1 : 0;
    return ClockPaths::clockOutput(c, index).kHz;
}

} // namespace

QString Clock::limitText() const
{
    const QString u = QLatin1Char(' ') + unit();
    if (exact)
        return QStringLiteral("must be ") + ClockPaths::number(limit) + u;
    if (minimum > 0)
        return QStringLiteral("limit ") + ClockPaths::number(minimum) + QStringLiteral("..") +
               ClockPaths::number(limit) + u;
    return limit > 0 ? QStringLiteral("limit ") + ClockPaths::number(limit) + u : QString();
}

QVector<Clock> clocksOf(const ClockConfig &c)
{
    QVector<Clock> clocks;
    for (const TreeClock &tree : TreeClocks::of(c)) {
        Clock clock;
        clock.name = tree.name;
        clock.kHz = inKHz(c, tree.name);
        const double scale = clock.kHz ? 1000.0 : 1.0;
        clock.value = tree.mhz.toDouble() * scale;
        clock.exact = tree.requiredMHz > 0;
        clock.limit = (clock.exact ? tree.requiredMHz : tree.maxMHz) * scale;
        clock.minimum = tree.minMHz * scale;
        clock.running = tree.inUse;
        clock.within = tree.withinLimits();
        clocks << clock;
    }
    return clocks;
}

} // namespace ReviewClocks

#include "PllCandidates.h"

#include "ClockRules.h"
#include "SeriesTable.h"

#include <algorithm>
#include <cmath>

namespace PllCandidates {

namespace {

// The limit the search keeps to, 0 for none (as ClockConfig's search).
double limitFor(const ClockConfig &c, double target)
{
    const SeriesParams *p = c.params();
    return p && p->sclkLimitMHz > 0 && target <= p->sclkLimitMHz ? double(p->sclkLimitMHz) : 0.0;
}

void addFlexible(const ClockConfig &c, double in, double target, QVector<Candidate> &out)
{
    const double limit = limitFor(c, target);
    int msMin = ClockConfig::kMsMin;
    int msMax = ClockConfig::kMsMax;
    c.msRangeFor(in, msMin, msMax);
    const QVector<int> &frAscending = ClockConfig::pllFrValues();
    int order = 0;
    for (auto fr = frAscending.rbegin(); fr != frAscending.rend(); ++fr) {
        for (int ms = msMin; ms <= msMax; ++ms) {
            // The oscillator window; the whole ns range where none fits.
            QVector<int> window;
            for (int ns = ClockConfig::kNsMin; ns <= ClockConfig::kNsMax; ++ns) {
                const double vco = ns * in / ms;
                if (vco >= ClockConfig::kVcoMinMHz && vco <= ClockConfig::kVcoMaxMHz)
                    window.append(ns);
            }
            const int den = *fr * ms;
            for (int ns = ClockConfig::kNsMin; ns <= ClockConfig::kNsMax; ++ns) {
                if (!window.isEmpty() && (ns < window.first() || ns > window.last()))
                    continue;
                Candidate k;
                k.ms = ms;
                k.ns = ns;
                k.fr = *fr;
                k.pllMHz = ns * in / den;
                k.refMHz = in / ms;
                k.errorMHz = std::fabs(k.pllMHz - target);
                k.order = order++;
                if (limit > 0.0 && k.pllMHz > limit)
                    continue;
                out.append(k);
            }
        }
    }
}

void addMultipliers(const ClockConfig &c, double in, double target, QVector<Candidate> &out)
{
    const double limit = limitFor(c, target);
    // Downwards: the search rounds a half up, so of two equally near
    // multipliers the larger wins.
    int order = 0;
    for (int mult = ClockConfig::kPllMultMax; mult >= ClockConfig::kPllMultMin; --mult) {
        Candidate k;
        k.mult = mult;
        k.pllMHz = mult * in; // as recompute gives it
        k.refMHz = in;
        k.errorMHz = std::fabs(k.pllMHz - target);
        k.order = order++;
        if (limit > 0.0 && k.pllMHz > limit)
            continue;
        out.append(k);
    }
}

void applyFactors(const Candidate &k, ClockConfig &c)
{
    if (k.mult > 0) {
        c.pllMult = k.mult;
    } else {
        c.pllMs = k.ms;
        c.pllNs = k.ns;
        c.pllFr = k.fr;
    }
}

bool sameFactors(const Candidate &k, const ClockConfig &c)
{
    return k.mult > 0 ? k.mult == c.pllMult : k.ms == c.pllMs && k.ns == c.pllNs && k.fr == c.pllFr;
}

// The multiplier the search rounds to before the limit lowers it.
int roundedMultiplier(double targetMHz, double inMHz)
{
    const double inKHz = std::trunc(inMHz * 1000.0);
    if (inKHz <= 0.0)
        return ClockConfig::kPllMultMin;
    const double mult = std::round(std::trunc(targetMHz * 1000.0) / inKHz);
    return int(qBound(double(ClockConfig::kPllMultMin), mult, double(ClockConfig::kPllMultMax)));
}

} // namespace

QVector<Candidate> enumerate(const ClockConfig &config, double targetMHz)
{
    QVector<Candidate> out;
    const double in = config.pllInputMHz();
    if (config.flexiblePllActive())
        addFlexible(config, in, targetMHz, out);
    else
        addMultipliers(config, in, targetMHz, out);
    return out;
}

QVector<Candidate> ranked(QVector<Candidate> candidates)
{
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate &a, const Candidate &b) { return a.errorMHz < b.errorMHz; });
    // Errors within rounding noise of the first of a run are one error: the
    // search's order decides within the run.
    for (int i = 0; i < candidates.size();) {
        int end = i + 1;
        while (end < candidates.size() &&
               !ClockConfig::nearer(candidates.at(i).errorMHz, candidates.at(end).errorMHz))
            ++end;
        std::sort(candidates.begin() + i, candidates.begin() + end,
                  [](const Candidate &a, const Candidate &b) { return a.order < b.order; });
        i = end;
    }
    return candidates;
}

double usbDividerFor(const SeriesParams &series, double sclkMHz, double current)
{
    const double s = std::trunc(sclkMHz);
    const double div = std::fmod(s, 24.0) == 0.0 ? s / 48.0 : current;
    return qBound(1.0, div, series.usbDivMax);
}

bool nearestWithUsb48(const ClockConfig &config, double targetMHz, Candidate *found, ClockConfig *solved)
{
    bool any = false;
    const QVector<double> dividers = config.params() ? config.params()->usbDivItems() : QVector<double>();
    for (const Candidate &k : enumerate(config, targetMHz)) {
        if (any && !ClockConfig::nearer(k.errorMHz, found->errorMHz))
            continue; // equally near ones: the first met stays
        for (double d : dividers) {
            // The recompute divides exactly so: a quick sieve before the checks.
            if (k.pllMHz / d != 48.0)
                continue;
            ClockConfig trial = config;
            applyFactors(k, trial);
            trial.usbDiv = d;
            trial.recompute();
            // What check says of the design written from it: nothing at all.
            if (trial.usbMHz != 48.0 || !ClockRules::judge(trial).findings.isEmpty())
                continue;
            *found = k;
            *solved = trial;
            any = true;
            break;
        }
    }
    return any;
}

ClockConfig typedSclkRecord(const SeriesParams &series, double hextMHz, bool fromHick, bool normal)
{
    ClockConfig config(series.id);
    config.hextMHz = hextMHz;
    config.pllSourceHick = fromHick ? 1 : 0;
    config.hextDivEnabled = 0;
    // The dividers as the factory state shows them, so that the record
    // written as a design reads back unchanged.
    if (series.hasHextPllDivPath())
        config.hextDivValue = series.hextPllDivs.first();
    if (series.rtcHextDiv == 0)
        config.rtcHextDiv = ClockConfig::kRtcDivMin;
    config.pllFlexible =
        series.pllKind == PllKind::Flexible || (series.pllKind == PllKind::Selectable && !normal);
    if (series.factoryPllMult > 0)
        config.pllMult = series.factoryPllMult;
    if (series.factoryPllMs > 0) {
        config.pllMs = series.factoryPllMs;
        config.pllNs = series.factoryPllNs;
        config.pllFr = series.factoryPllFr;
    }
    if (series.hasUsb()) {
        config.usbDisabled = 0;
        config.usbSourceHick48 = 0;
        config.usbDiv = series.factoryUsbDiv;
    }
    config.sclkSource = ClockConfig::SclkPll;
    return config;
}

QVector<QPair<QString, QVariant>> answerFields(const ClockConfig &solved, bool withUsb)
{
    QVector<QPair<QString, QVariant>> f;
    const bool flexible = solved.flexiblePllActive();
    if (flexible)
        f << qMakePair(QStringLiteral("pllMs"), QVariant(solved.pllMs))
          << qMakePair(QStringLiteral("pllNs"), QVariant(solved.pllNs))
          << qMakePair(QStringLiteral("pllFr"), QVariant(solved.pllFr));
    else
        f << qMakePair(QStringLiteral("pllMult"), QVariant(solved.pllMult));
    f << qMakePair(QStringLiteral("pllMHz"), QVariant(solved.pllMHz))
      << qMakePair(QStringLiteral("sclkMHz"), QVariant(solved.sclkMHz));
    if (solved.params()->hasUsb()) // a series without USB has no divider to speak of
        f << qMakePair(QStringLiteral("usbDiv"), QVariant(solved.usbDiv));
    if (withUsb)
        f << qMakePair(QStringLiteral("usbMHz"), QVariant(solved.usbMHz));
    if (flexible)
        f << qMakePair(QStringLiteral("CRM_PLLCFG"), QVariant(solved.pllcfgText()));
    return f;
}

Explanation explain(const ClockConfig &before, const ClockConfig &chosen, double targetMHz, int top)
{
    Explanation e;
    QVector<Candidate> all = enumerate(before, targetMHz);
    e.total = all.size();
    all = ranked(all);
    for (const Candidate &k : all) {
        if (sameFactors(k, chosen))
            e.shown.prepend(k);
        else if (e.shown.size() < top + 1)
            e.shown.append(k);
    }
    if (!e.shown.isEmpty() && sameFactors(e.shown.first(), chosen)) {
        const double chosenError = e.shown.first().errorMHz;
        for (const Candidate &k : all) {
            const bool asNear = !ClockConfig::nearer(k.errorMHz, chosenError) &&
                                !ClockConfig::nearer(chosenError, k.errorMHz);
            e.tied += !sameFactors(k, chosen) && asNear ? 1 : 0;
        }
    }
    e.shown.resize(qMin(e.shown.size(), top));

    if (!before.flexiblePllActive()) {
        e.reason =
            QStringLiteral("the multiplier is the target over the PLL input, both in whole kHz, rounded "
                           "to the nearest whole number");
        if (roundedMultiplier(targetMHz, before.pllInputMHz()) > chosen.pllMult)
            e.reason += QStringLiteral(", then lowered until the system clock is within the series' limit");
    } else if (e.tied == 0) {
        e.reason = QStringLiteral("no other factor set comes as near to the target");
    } else {
        e.reason = QStringLiteral("%1 other factor set(s) come as near; the search keeps the first it meets "
                                  "(fr from 32 down to 1, then ms upwards, then ns upwards)")
                       .arg(e.tied);
    }
    return e;
}

} // namespace PllCandidates

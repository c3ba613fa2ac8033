#include "PllCandidates.h"

#include "SeriesTable.h"

#include <algorithm>
#include <cmath>

namespace PllCandidates {

namespace {

void addFlexible(const ClockConfig &c, double in, double target, QVector<Candidate> &out)
{
    int msMin = ClockConfig::kMsMin;
    int msMax = ClockConfig::kMsMax;
    c.msRangeFor(in, msMin, msMax);
    const QVector<int> &frAscending = ClockConfig::pllFrValues();
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
                k.errorMHz = std::fabs(ns * in / den - target);
                k.order = out.size();
                out.append(k);
            }
        }
    }
}

void addMultipliers(double in, double target, QVector<Candidate> &out)
{
    // Downwards: the search rounds a half up, so of two equally near
    // multipliers the larger wins.
    for (int mult = ClockConfig::kPllMultMax; mult >= ClockConfig::kPllMultMin; --mult) {
        Candidate k;
        k.mult = mult;
        k.pllMHz = mult * std::trunc(in * 1000.0) / 1000.0;
        k.refMHz = in;
        k.errorMHz = std::fabs(k.pllMHz - target);
        k.order = out.size();
        out.append(k);
    }
}

} // namespace

QVector<Candidate> enumerate(const ClockConfig &config, double targetMHz)
{
    QVector<Candidate> out;
    const double in = config.pllInputMHz();
    if (config.flexiblePllActive())
        addFlexible(config, in, targetMHz, out);
    else
        addMultipliers(in, targetMHz, out);
    return out;
}

QVector<Candidate> ranked(QVector<Candidate> candidates)
{
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate &a, const Candidate &b) { return a.errorMHz < b.errorMHz; });
    return candidates;
}

double usbDividerFor(const SeriesParams &series, double sclkMHz, double current)
{
    const double s = std::trunc(sclkMHz);
    const double div = std::fmod(s, 24.0) == 0.0 ? s / 48.0 : current;
    return qBound(1.0, div, series.usbDivMax);
}

bool nearestWithUsb48(const ClockConfig &config, double targetMHz, Candidate *found, double *usbDiv)
{
    bool any = false;
    const QVector<double> dividers = config.params() ? config.params()->usbDivItems() : QVector<double>();
    for (const Candidate &k : enumerate(config, targetMHz)) {
        for (double d : dividers) {
            if (k.pllMHz != 48.0 * d) // exactly: the divider is a half step, the factors integers
                continue;
            if (!any || k.errorMHz < found->errorMHz) {
                *found = k;
                *usbDiv = d;
                any = true;
            }
        }
    }
    return any;
}

} // namespace PllCandidates

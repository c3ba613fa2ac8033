#pragma once

#include "ClockConfig.h"

#include <QPair>
#include <QString>
#include <QVariant>
#include <QVector>

// The factor sets the PLL search weighs when a system clock is typed, for
// explaining its choice and for searching under a USB constraint. The search
// itself stays in ClockConfig; this only walks the same sets in the same order.
namespace PllCandidates {

struct Candidate {
    int ms = 0; // flexible factors (0 on a multiplier PLL)
    int ns = 0;
    int fr = 0;
    int mult = 0; // multiplier (0 on flexible factors)
    double pllMHz = 0.0;
    double refMHz = 0.0;   // after ms, or the multiplier's input
    double errorMHz = 0.0; // |pllMHz - target|, computed as the search does
    int order = 0;         // place in the search's order
};

// Every factor set the search of `config` (PLL input, mode) weighs, in its
// order: fr from 32 down to 1, ms upwards, ns upwards within the oscillator
// window; or every multiplier downwards. Outputs are the exact ones (the
// multiplier times the exact input). Sets above the series' limit are left
// out while the target is within it: the search never takes them.
QVector<Candidate> enumerate(const ClockConfig &config, double targetMHz);

// Nearest to the target first; equally near ones (errors within rounding
// noise, ClockConfig::kTieToleranceMHz) in the search's order, which is how
// the search breaks ties (it keeps the first it meets).
QVector<Candidate> ranked(QVector<Candidate> candidates);

// The USB divider the program sets when the system clock becomes sclkMHz
// with the PLL feeding USB, starting from `current`.
double usbDividerFor(const SeriesParams &series, double sclkMHz, double current);

// Among every factor set and every USB divider of the series, the one whose
// record gives USB exactly 48 MHz and passes every check before saving (no
// refusal, no warning), nearest targetMHz (ties in search order). *solved is
// that record, recomputed. False when there is none.
bool nearestWithUsb48(const ClockConfig &config, double targetMHz, Candidate *found, ClockConfig *solved);

// ---- solve: the typed system clock as tickforge-cli answers it --------------------

// The factory record of a series with the PLL feeding the system clock (and
// USB, where the series has it), as the program holds it when the user types
// a system clock: the PLL from HEXT (or HICK), in flexible mode where the
// series has it unless `normal`, with the series' factory factors.
ClockConfig typedSclkRecord(const SeriesParams &series, double hextMHz, bool fromHick, bool normal);

// The fields that describe a solved record, in print order: the factors of
// the PLL kind the record runs (pllMs, pllNs, pllFr or pllMult), pllMHz,
// sclkMHz, usbDiv, usbMHz when asked, and CRM_PLLCFG for flexible factors.
QVector<QPair<QString, QVariant>> answerFields(const ClockConfig &solved, bool withUsb);

// Why the search chose what it chose, with the nearest other sets.
struct Explanation {
    QVector<Candidate> shown; // the chosen first, then the nearest others, at most `top`
    int total = 0;            // sets weighed
    int tied = 0;             // other sets as near as the chosen one
    QString reason;
};
Explanation explain(const ClockConfig &before, const ClockConfig &chosen, double targetMHz, int top);

} // namespace PllCandidates

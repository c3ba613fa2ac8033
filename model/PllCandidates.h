#pragma once

#include "ClockConfig.h"

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

// Every factor set the search of `config` (PLL input, mode) meets, in its
// order: fr from 32 down to 1, ms upwards, ns upwards within the oscillator
// window; or every multiplier downwards.
QVector<Candidate> enumerate(const ClockConfig &config, double targetMHz);

// Nearest to the target first; equally near ones in the search's order, which
// is how the search breaks ties (it keeps the first it meets).
QVector<Candidate> ranked(QVector<Candidate> candidates);

// The USB divider the program sets when the system clock becomes sclkMHz
// with the PLL feeding USB, starting from `current`.
double usbDividerFor(const SeriesParams &series, double sclkMHz, double current);

// Among every factor set and every USB divider of the series, the set giving
// USB exactly 48 MHz whose output is nearest targetMHz (ties in search
// order). False when there is none.
bool nearestWithUsb48(const ClockConfig &config, double targetMHz, Candidate *found, double *usbDiv);

} // namespace PllCandidates

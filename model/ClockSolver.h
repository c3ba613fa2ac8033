#pragma once

#include "ClockConfig.h"
#include "Rational.h"

#include <QString>
#include <QStringList>
#include <QVector>

// Solving a design for several clock targets at once: every setting the
// user can change in the series (sources, the HEXT divider, the PLL mode and
// factors or multiplier, the AHB, APB, ADC and USB settings, the clock-output
// sources and dividers) is searched for the designs that meet every want
// within the series' limits, with every kept clock at its present value.
// The crystal, the pins and the RTC stay as they are.
//
// The search is exhaustive but uses the tree's structure: the PLL is
// weighed once per output frequency, and the settings below the system
// clock are chosen independently given it (the clock outputs together with
// the USB settings they may take their clock from). Frequencies are exact.

// One target: "usb=48", "adc<=28", "apb1>=36", "sclk=max".
struct ClockWant {
    enum class Kind { Exact, AtMost, AtLeast, Max };
    QString clock;
    Kind kind = Kind::Exact;
    Rational mhz; // unused for Max

    // Reads CLOCK=MHZ, CLOCK<=MHZ, CLOCK>=MHZ or CLOCK=max; false with the reason.
    static bool parse(const QString &text, ClockWant *want, QString *error);
    QString text() const;
    // Whether a clock in use at `value` meets it (a Max want: always).
    bool metBy(const Rational &value) const;
};

namespace ClockSolver {

// The settings searched, each with the values it may take, in the order
// the controls offer them. A setting the series does not have holds only the
// start's value. Tests search reduced lists.
struct Space {
    QVector<int> sclkSource, hickSclk48, pllSourceHick, hextDivEnabled, hextDivValue, pllFlexible;
    QVector<int> pllMult, pllMs, pllNs, pllFr;
    QVector<int> ahbDiv, apb1Div, apb2Div, adcEnabled, adcDiv;
    QVector<int> usbDisabled, usbSourceHick48;
    QVector<double> usbDiv;
    // Per clock output: source codes and the divider stages (single-stage outputs: div2 {1}).
    QVector<QVector<int>> outSource, outDiv1, outDiv2;
};

// Everything the series lets the user choose, starting from `start`.
Space fullSpace(const ClockConfig &start);

// The clocks a want or a keep may name, in tree order.
QStringList clockNames(const SeriesParams &series);

// The record fields the search changes, in the order `set` applies them.
QStringList settingFields(const SeriesParams &series);

// One design the search weighs.
struct Design {
    ClockConfig record{0}; // the start with the design's settings, recomputed
    QStringList changed;   // settingFields() whose value differs from the start
    QVector<bool> met;     // per want
    int unmet = 0;
    QVector<Rational> maxima; // the clock of each Max want, in want order
    Rational error;           // total distance of the clocks to the exact wants
    int order = 0;            // place in the search's order
};

struct Result {
    QVector<Design> designs; // best first: the best of each source and PLL setting
    quint64 searched = 0;    // designs the search covered
    QString error;           // a want or keep that names no clock of the series

    bool solved() const { return error.isEmpty() && !designs.isEmpty() && designs.first().unmet == 0; }
};

// The best `count` designs. Wants and keeps name clocks of clockNames().
Result solve(const ClockConfig &start, const QVector<ClockWant> &wants, const QStringList &keeps,
             const Space &space, int count = 1);
Result solve(const ClockConfig &start, const QVector<ClockWant> &wants, const QStringList &keeps,
             int count = 1);

} // namespace ClockSolver

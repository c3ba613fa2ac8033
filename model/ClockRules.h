#pragma once

#include "ClockConfig.h"
#include "SeriesTable.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The rules of a clock tree, written once and asked by everyone: the series
// widgets (gray states, entry checks, the checks before saving and
// generating), the code generator and the command-line tool. Everything here
// is judged from the record alone, never from what a control shows.
namespace ClockRules {

// The catalogue context of every text the model hands a view or the
// command-line tool (captions, items, messages, findings): one context, so
// that a text carried as a Finding or a table entry is translated by anyone.
constexpr const char *kTranslationContext = "Model";
// A text of the model in the language installed.
QString translated(const char *text);

// ---- what the tree uses -------------------------------------------------------

// The accepted HEXT crystal (MHz, inclusive), the same in every series.
constexpr double kHextMinMHz = 4.0;
constexpr double kHextMaxMHz = 25.0;
// The PLL input of a multiplier PLL (MHz, inclusive).
constexpr double kPllInputMinMHz = 2.0;
constexpr double kPllInputMaxMHz = 16.0;

bool usbEnabled(const ClockConfig &c);
// USB enabled and fed from the PLL (always from the PLL where the series has no HICK 48 path).
bool usbFromPll(const ClockConfig &c);
bool pllInUse(const ClockConfig &c);
// The PLL is in use and runs on HEXT.
bool pllOnHext(const ClockConfig &c);
// Clock output `index` has a pin.
bool clockOutputLive(const ClockConfig &c, int index);
// What the live clock output `index` selects; None without a pin.
ClockSourceKind clockOutputSource(const ClockConfig &c, int index);
// The HEXT branch feeds something: the system clock, the RTC, a clock output or the PLL in use.
bool hextInUse(const ClockConfig &c);
// The HEXT divider of the RTC matters: the RTC runs on HEXT and the series lets the user divide it.
bool rtcDividerInUse(const ClockConfig &c);
// A source radio of a live clock output can be chosen: USB only while USB is on, ADC while the ADC is on.
bool clockSourceUsable(const ClockConfig &c, int output, ClockSourceKind kind);
// LEXT runs: it clocks the RTC or, where the series has the selectors, a USART.
bool lextRunning(const ClockConfig &c);
// The PLL output is out of bounds: above the system-clock limit or, in the
// normal mode of a series with a floor, below it.
bool pllRed(const ClockConfig &c);
// USB runs at another frequency than the 48 MHz it needs: shown red, asked about before saving.
bool usbOff48(const ClockConfig &c);
// HICK as the clock outputs see it: full speed while USB or the system clock takes HICK 48, else divided;
// always full speed on a series whose outputs offer it as "hick48".
double hickOutputMHz(const ClockConfig &c);

// Entry ranges, NaN and infinities refused.
bool hextAccepted(double mhz);
bool sclkTargetAccepted(const SeriesParams &series, double mhz);

// ---- findings -------------------------------------------------------------------

// One thing wrong with (or worth a question about) a record.
struct Finding {
    enum class Severity { Refusal, Warning };
    enum class Kind {
        Input, // an input outside its range or its option list
        Limit, // a derived clock above the series' limit (or the USB/ADC warnings)
        Load   // a value a design file held that the program read differently
    };
    Severity severity = Severity::Refusal;
    Kind kind = Kind::Input;
    // The series' own message as the translator knows it ("hext input error!"),
    // or a limit phrase ("Can not support sclk greater than"); null where the
    // series has no text for it and `detail` says what is wrong.
    const char *message = nullptr;
    int limitMHz = 0; // limit findings: the number written after the phrase
    QString field;    // record field or design element concerned
    double value = 0.0;
    QString allowed; // "4..25", "1, 2, 4, 8, 16, 32"
    QString detail;
    QStringList arguments; // put in place of the message's %1, %2

    bool isRefusal() const { return severity == Severity::Refusal; }
    // The text as shown, with `translate` applied to the series' message.
    template <typename Translate> QString text(Translate translate) const
    {
        if (!message)
            return detail;
        QString shown = translate(message);
        for (const QString &argument : arguments)
            shown = shown.arg(argument);
        return limitMHz > 0 ? shown + QLatin1Char(' ') + QString::number(limitMHz) + QStringLiteral("MHz")
                            : shown;
    }
    // The text in the program's source language.
    QString text() const;
};
using Findings = QVector<Finding>;

// Inputs of the record that the tree uses and that break a rule, first to be
// reported first. HEXT is judged whether used or not when `hextAlways`: the
// generated crystal define is written from it in every design.
Findings inputFindings(const ClockConfig &c, bool hextAlways = true);

// The clock outputs with a pin that take a clock the design switches off
// (USB or the ADC, also on a series without ADC controls): the pin would stay silent.
Findings clockOffFindings(const ClockConfig &c);

// The series' checks before saving and generating on a record whose derived
// values are current: refusals above the limits, then the USB and ADC warnings.
Findings limitFindings(const ClockConfig &c);

// The gate before saving and generating: the inputs are judged, the tree is
// recomputed from them and only then are the limits checked. An invalid input
// is reported alone (the derived values would mean nothing).
struct Verdict {
    Findings findings;
    ClockConfig record{0}; // the recomputed copy the limits were judged on

    const Finding *firstRefusal() const;
};
Verdict judge(const ClockConfig &c);

} // namespace ClockRules

#pragma once

#include <QStringList>
#include <QVector>

class ClockConfig;
struct SeriesParams;

// The controls a series widget lays over its drawing, one row per kind of
// control the family uses (kept with the series table, so that tests and
// tools walk it without building a widget). A row names the control (its objectName, its
// layout anchor and the slot stem), the design-file element and the record
// field it stands for, how it is wired and what a change of it runs. What a
// row offers (items, stored values) comes from the series' parameter row.
namespace ControlTable {

enum class Control {
    RtcSel,
    RtcSwitch,
    RtcDiv,
    LextBypass,
    Hext,
    HextBypass,
    HextDiv,
    PllHextDiv,
    PllRcs,
    PllMode,
    PllMult,
    PllMs,
    PllNs,
    PllFr,
    SclkSelect,
    Sclk,
    AhbDiv,
    Apb1Div,
    Apb2Div,
    UsbDiv,
    HickToUsb,
    UsbSwitch,
    HickToSclk,
    AdcSwitch,
    AdcDiv,
    Clkout1,
    Clkout1Div1,
    Clkout1Div2,
    Clkout1Pin,
    Clkout2,
    Clkout2Div1,
    Clkout2Div2,
    Clkout2Pin,
    Clkout,
    ClkoutDiv,
    ClkoutPin,
    Usart1Sel,
    Usart2Sel,
    I2c1Sel
};

enum class Kind {
    Combo,  // a CustomComboBox1; the record takes values()[index]
    Radios, // an exclusive group; the record takes values()[checked radio]
    Entry   // a line edit applied with Return
};

// The signal a control reports changes with. It decides which handlers run
// while a design is opened: a combo box only when its index changes, radios
// on clicked() not at all, entries only their text-changed styling.
enum class Wiring { IndexChanged, Clicked, Toggled, ReturnPressed };

// What a change runs after the record field took the control's value.
enum class Step {
    Standard,   // check the inputs in use, recompute, refresh
    Paths,      // gray states first, then the standard step
    PllInput,   // the PLL input changed: re-solve for the system clock asked for
    SclkSource, // the system clock switch
    Usb,        // a USB setting: retune the PLL for 48 MHz where it feeds only USB
    Rtc,        // the RTC source or switch
    RtcDivider, // only the RTC display
    Bypass,     // an oscillator bypass: only its OUT pin label
    PllFactor,  // a factor of the PLL: HEXT read first where the PLL runs on it
    Entry       // an entry (the crystal, sclk, the ms/ns factors): judged on Return, by applyEntry
};

struct Row {
    Control id;
    const char *name;    // objectName and layout anchor
    const char *element; // design-file element
    const char *field;   // ClockConfig field
    Kind kind;
    Wiring wiring;
    Step step;
    int fallback;        // index for a stored value that is no option
    const char *caption; // label drawn beside the control; nullptr for none
};

const QVector<Row> &rows();
const Row &row(Control id);
const Row *rowByName(const QString &name);

// Whether a series has the control.
bool has(const SeriesParams &series, Control id);
// The values the record takes, by index, and the texts the control shows.
QVector<double> values(const SeriesParams &series, Control id);
QStringList labels(const SeriesParams &series, Control id);
// The selection controls of clock output `index`: its sources, then its
// divider stages and last its pin combo.
QVector<Control> clockOutputControls(const SeriesParams &series, int index);
// Layout anchor of radio `index` of a group ("rtcsel.1").
QString radioAnchor(Control id, int index);

// The record field of a selection as a number, and the index that shows it.
double fieldValue(const ClockConfig &c, const Row &row);
void setField(ClockConfig &c, const Row &row, double value);
int indexOf(const SeriesParams &series, const Row &row, double value);

} // namespace ControlTable

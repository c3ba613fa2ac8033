#include "ControlTable.h"

#include "ClockConfig.h"
#include "SeriesTable.h"

namespace ControlTable {

namespace {

using C = Control;
using K = Kind;
using W = Wiring;
using S = Step;

// clang-format off
const QVector<Row> kRows = {
    {C::RtcSel,      "rtcsel",             "rtcsel",           "rtcSource",       K::Radios, W::Clicked,       S::Rtc,        0, nullptr},
    {C::RtcSwitch,   "rtcswitch",          "rtcswitch",        "rtcEnabled",      K::Combo,  W::IndexChanged,  S::Rtc,        1, nullptr},
    {C::RtcDiv,      "rtcdiv",             "rtcdiv",           "rtcHextDiv",      K::Combo,  W::IndexChanged,  S::RtcDivider, 0, QT_TRANSLATE_NOOP("Model", "ertcdiv")},
    {C::LextBypass,  "lextbypass",         "lextbypass",       "lextBypass",      K::Combo,  W::IndexChanged,  S::Bypass,     1, QT_TRANSLATE_NOOP("Model", "bypass")},
    {C::Hext,        "hext",               "hext",             "hextMHz",         K::Entry,  W::ReturnPressed, S::Entry,      0, QT_TRANSLATE_NOOP("Model", "hext(4-25MHz)")},
    {C::HextBypass,  "hextbypass",         "hextbypass",       "hextBypass",      K::Combo,  W::IndexChanged,  S::Bypass,     1, QT_TRANSLATE_NOOP("Model", "bypass")},
    {C::HextDiv,     "hextdiv",            "hextdiv",          "hextDivValue",    K::Combo,  W::IndexChanged,  S::PllInput,   0, QT_TRANSLATE_NOOP("Model", "hextdiv")},
    {C::PllHextDiv,  "pllhextdiv",         "pllhextdiv",       "hextDivEnabled",  K::Radios, W::Clicked,       S::PllInput,   0, QT_TRANSLATE_NOOP("Model", "pllhextdiv")},
    {C::PllRcs,      "pllrcs",             "pllrcs",           "pllSourceHick",   K::Radios, W::Clicked,       S::PllInput,   1, nullptr},
    {C::PllMode,     "pllmode",            "pllmode",          "pllFlexible",     K::Combo,  W::IndexChanged,  S::PllInput,   1, QT_TRANSLATE_NOOP("Model", "pll_mode")},
    {C::PllMult,     "pllmult",            "pllmult",          "pllMult",         K::Combo,  W::IndexChanged,  S::PllFactor,  0, QT_TRANSLATE_NOOP("Model", "pll_mult")},
    {C::PllMs,       "pllms",              "pllms",            "pllMs",           K::Entry,  W::ReturnPressed, S::Entry,      0, QT_TRANSLATE_NOOP("Model", "pll_ms")},
    {C::PllNs,       "pllns",              "pllns",            "pllNs",           K::Entry,  W::ReturnPressed, S::Entry,      0, QT_TRANSLATE_NOOP("Model", "pll_ns")},
    {C::PllFr,       "pllfr",              "pllfr",            "pllFr",           K::Combo,  W::IndexChanged,  S::PllFactor,  0, QT_TRANSLATE_NOOP("Model", "pll_fr")},
    {C::SclkSelect,  "sclkselect",         "sclkselect",       "sclkSource",      K::Radios, W::Toggled,       S::SclkSource, 0, QT_TRANSLATE_NOOP("Model", "sclk select")},
    {C::Sclk,        "sclk",               "",                 "sclkMHz",         K::Entry,  W::ReturnPressed, S::Entry,      0, nullptr},
    {C::AhbDiv,      "ahbdiv",             "ahbdiv",           "ahbDiv",          K::Combo,  W::IndexChanged,  S::Standard,   0, QT_TRANSLATE_NOOP("Model", "ahbdiv")},
    {C::Apb1Div,     "apb1div",            "apb1div",          "apb1Div",         K::Combo,  W::IndexChanged,  S::Standard,   0, QT_TRANSLATE_NOOP("Model", "apb1div")},
    {C::Apb2Div,     "apb2div",            "apb2div",          "apb2Div",         K::Combo,  W::IndexChanged,  S::Standard,   0, QT_TRANSLATE_NOOP("Model", "apb2div")},
    {C::UsbDiv,      "usbdiv",             "usbdiv",           "usbDiv",          K::Combo,  W::IndexChanged,  S::Usb,        0, QT_TRANSLATE_NOOP("Model", "usbdiv")},
    {C::HickToUsb,   "hicktousb",          "hicktousb",        "usbSourceHick48", K::Radios, W::Toggled,       S::Usb,        0, QT_TRANSLATE_NOOP("Model", "hick to usb")},
    {C::UsbSwitch,   "usbswitch",          "tousbswitch",      "usbDisabled",     K::Combo,  W::IndexChanged,  S::Usb,        1, QT_TRANSLATE_NOOP("Model", "to usb")},
    {C::HickToSclk,  "hicktosclk",         "hicktosclk",       "hickSclk48",      K::Radios, W::Toggled,       S::Standard,   0, QT_TRANSLATE_NOOP("Model", "hick to sclk")},
    {C::AdcSwitch,   "adcswitch",          "adcswitch",        "adcEnabled",      K::Combo,  W::IndexChanged,  S::Paths,      1, nullptr},
    {C::AdcDiv,      "adcdiv",             "adcdiv",           "adcDiv",          K::Combo,  W::IndexChanged,  S::Standard,   0, QT_TRANSLATE_NOOP("Model", "adcdiv")},
    {C::Clkout1,     "clkout1",            "clkout1",          "clkout1Source",   K::Radios, W::Toggled,       S::Paths,      0, nullptr},
    {C::Clkout1Div1, "clockout1div1",      "clkout1div1",      "clkout1Div1",     K::Combo,  W::IndexChanged,  S::Standard,   0, "clockout1div1"},
    {C::Clkout1Div2, "clockout1div2",      "clkout1div2",      "clkout1Div2",     K::Combo,  W::IndexChanged,  S::Standard,   0, "clockout1div2"},
    {C::Clkout1Pin,  "clockout1PinSelect", "clkout1pinselect", "clkout1Pin",      K::Combo,  W::IndexChanged,  S::Paths,      0, QT_TRANSLATE_NOOP("Model", "select pin")},
    {C::Clkout2,     "clkout2",            "clkout2",          "clkout2Source",   K::Radios, W::Toggled,       S::Paths,      0, nullptr},
    {C::Clkout2Div1, "clockout2div1",      "clkout2div1",      "clkout2Div1",     K::Combo,  W::IndexChanged,  S::Standard,   0, "clockout2div1"},
    {C::Clkout2Div2, "clockout2div2",      "clkout2div2",      "clkout2Div2",     K::Combo,  W::IndexChanged,  S::Standard,   0, "clockout2div2"},
    {C::Clkout2Pin,  "clockout2PinSelect", "clkout2pinselect", "clkout2Pin",      K::Combo,  W::IndexChanged,  S::Paths,      0, QT_TRANSLATE_NOOP("Model", "select pin")},
    {C::Clkout,      "clkout",             "clkout",           "clkoutSource",    K::Radios, W::Toggled,       S::Paths,      0, nullptr},
    {C::ClkoutDiv,   "clockoutdiv",        "clkoutdiv",        "clkoutDiv",       K::Combo,  W::IndexChanged,  S::Standard,   0, QT_TRANSLATE_NOOP("Model", "clockoutdiv")},
    {C::ClkoutPin,   "clockoutPinSelect",  "clkoutpinselect",  "clkoutPin",       K::Combo,  W::IndexChanged,  S::Paths,      0, QT_TRANSLATE_NOOP("Model", "select pin")},
    {C::Usart1Sel,   "usart1clocksel",     "usart1clocksel",   "usart1Source",    K::Radios, W::Toggled,       S::Paths,      0, QT_TRANSLATE_NOOP("Model", "usart1 clock sel")},
    {C::Usart2Sel,   "usart2clocksel",     "usart2clocksel",   "usart2Source",    K::Radios, W::Toggled,       S::Paths,      0, QT_TRANSLATE_NOOP("Model", "usart2 clock sel")},
    {C::I2c1Sel,     "i2c1clocksel",       "i2c1clocksel",     "i2c1Source",      K::Radios, W::Toggled,       S::Paths,      0, QT_TRANSLATE_NOOP("Model", "i2c1 clock sel")},
};
// clang-format on

QVector<double> range(int first, int last)
{
    QVector<double> out;
    for (int v = first; v <= last; ++v)
        out << v;
    return out;
}

template <typename T> QVector<double> asDoubles(const QVector<T> &values)
{
    return QVector<double>(values.begin(), values.end());
}

QStringList prefixed(const char *prefix, const QVector<double> &values)
{
    QStringList out;
    for (double v : values)
        out << QLatin1String(prefix) + QString::number(v);
    return out;
}

const ClockOutputParams *outputOf(const SeriesParams &p, Control id)
{
    const bool second =
        id == C::Clkout2 || id == C::Clkout2Div1 || id == C::Clkout2Div2 || id == C::Clkout2Pin;
    const int index = second ? 1 : 0;
    return index < p.clockOutputs.size() ? &p.clockOutputs.at(index) : nullptr;
}

QStringList onOff()
{
    return {QStringLiteral(QT_TRANSLATE_NOOP("Model", "disable")),
            QStringLiteral(QT_TRANSLATE_NOOP("Model", "enable"))};
}

} // namespace

const QVector<Row> &rows()
{
    return kRows;
}

const Row &row(Control id)
{
    return kRows.at(int(id));
}

const Row *rowByName(const QString &name)
{
    for (const Row &r : kRows) {
        if (name == QLatin1String(r.name))
            return &r;
    }
    return nullptr;
}

bool has(const SeriesParams &p, Control id)
{
    switch (id) {
    case C::RtcDiv:
        return p.rtcHextDiv == 0;
    case C::HextDiv:
        return p.hextPllDivs.size() > 1;
    case C::PllHextDiv:
        return p.hasHextPllDivPath();
    case C::PllMode:
        return p.pllKind == PllKind::Selectable;
    case C::PllMult:
        return p.hasMultiplierPll();
    case C::PllMs:
    case C::PllNs:
    case C::PllFr:
        return p.hasFlexiblePll();
    case C::UsbDiv:
    case C::UsbSwitch:
        return p.hasUsb();
    case C::HickToUsb:
        return p.usbHickRadios;
    case C::HickToSclk:
        return !p.hickSclkUndivided;
    case C::AdcSwitch:
    case C::AdcDiv:
        return p.hasAdc();
    case C::Clkout1:
    case C::Clkout1Div1:
    case C::Clkout1Div2:
    case C::Clkout1Pin:
    case C::Clkout2:
    case C::Clkout2Div1:
    case C::Clkout2Div2:
    case C::Clkout2Pin:
        return p.multiOutput();
    case C::Clkout:
    case C::ClkoutPin:
        return !p.multiOutput();
    case C::ClkoutDiv:
        return !p.multiOutput() && !p.clockOutputs.value(0).div1.isEmpty();
    case C::Usart1Sel:
    case C::Usart2Sel:
    case C::I2c1Sel:
        return p.designElements.contains(QLatin1String(row(id).element));
    default:
        return true;
    }
}

QVector<double> values(const SeriesParams &p, Control id)
{
    const ClockOutputParams *output = outputOf(p, id);
    switch (id) {
    case C::RtcSel:
    case C::SclkSelect:
    case C::I2c1Sel:
        return {0, 1, 2};
    case C::Usart1Sel:
    case C::Usart2Sel:
        return {0, 1, 2, 3};
    case C::RtcDiv:
        return range(ClockConfig::kRtcDivMin, ClockConfig::kRtcDivMax);
    case C::HextDiv:
        return asDoubles(p.hextPllDivs);
    case C::PllMult:
        return range(ClockConfig::kPllMultMin, ClockConfig::kPllMultMax);
    case C::PllFr:
        return asDoubles(ClockConfig::pllFrValues());
    case C::AhbDiv:
        return asDoubles(ClockConfig::ahbDivValues());
    case C::Apb1Div:
    case C::Apb2Div:
        return asDoubles(ClockConfig::apbDivValues());
    case C::UsbDiv:
        return p.usbDivItems();
    case C::AdcDiv:
        return asDoubles(p.adcDivs);
    case C::Clkout1:
    case C::Clkout2:
    case C::Clkout: {
        QVector<double> codes;
        for (const ClockSourceItem &item : output->sources)
            codes << item.code;
        return codes;
    }
    case C::Clkout1Div1:
    case C::Clkout2Div1:
    case C::ClkoutDiv:
        return asDoubles(output->div1);
    case C::Clkout1Div2:
    case C::Clkout2Div2:
        return asDoubles(output->div2);
    case C::Clkout1Pin:
    case C::Clkout2Pin:
    case C::ClkoutPin:
        return range(0, int(output->pins.size()) - 1);
    case C::Hext:
    case C::PllMs:
    case C::PllNs:
    case C::Sclk:
        return {};
    default:
        return {0, 1};
    }
}

QStringList labels(const SeriesParams &p, Control id)
{
    switch (id) {
    case C::RtcSwitch:
    case C::LextBypass:
    case C::HextBypass:
    case C::AdcSwitch:
        return onOff();
    case C::UsbSwitch:
        return {onOff().at(1), onOff().at(0)};
    case C::PllMode:
        return {QStringLiteral(QT_TRANSLATE_NOOP("Model", "normal")),
                QStringLiteral(QT_TRANSLATE_NOOP("Model", "flexible"))};
    case C::PllMult:
        return prefixed("  * ", values(p, id));
    case C::AdcDiv:
        return prefixed(" /", values(p, id));
    case C::Clkout1Pin:
    case C::Clkout2Pin:
    case C::ClkoutPin:
        return outputOf(p, id)->pins;
    case C::Clkout1:
    case C::Clkout2:
    case C::Clkout: {
        QStringList out;
        for (const ClockSourceItem &item : outputOf(p, id)->sources)
            out << QLatin1String(item.text);
        return out;
    }
    case C::Usart1Sel:
    case C::Usart2Sel:
        return {QStringLiteral("pclk"), QStringLiteral("sclk"), QStringLiteral("hick48"),
                QStringLiteral("lext")};
    case C::I2c1Sel:
        return {QStringLiteral("pclk"), QStringLiteral("sclk"), QStringLiteral("hick48")};
    default:
        return row(id).kind == Kind::Combo ? prefixed("  /", values(p, id)) : QStringList();
    }
}

QVector<Control> clockOutputControls(const SeriesParams &p, int index)
{
    if (p.multiOutput()) {
        return index == 0 ? QVector<Control>{C::Clkout1, C::Clkout1Div1, C::Clkout1Div2, C::Clkout1Pin}
                          : QVector<Control>{C::Clkout2, C::Clkout2Div1, C::Clkout2Div2, C::Clkout2Pin};
    }
    QVector<Control> out{C::Clkout};
    if (has(p, C::ClkoutDiv))
        out << C::ClkoutDiv;
    return out << C::ClkoutPin;
}

QString radioAnchor(Control id, int index)
{
    return QLatin1String(row(id).name) + QLatin1Char('.') + QString::number(index);
}

double fieldValue(const ClockConfig &c, const Row &r)
{
    return c.fieldValue(QLatin1String(r.field)).toDouble(); // 0 for a name the record lacks
}

void setField(ClockConfig &c, const Row &r, double value)
{
    c.setFieldValue(QLatin1String(r.field), value);
}

int indexOf(const SeriesParams &p, const Row &r, double value)
{
    const int index = int(values(p, r.id).indexOf(value));
    return index < 0 ? r.fallback : index;
}

} // namespace ControlTable

#include "ClockRules.h"

#include "ControlTable.h"

#include "SeriesTable.h"

#include <QCoreApplication>
#include <cmath>

namespace ClockRules {

namespace {

const char *const kHextError = QT_TRANSLATE_NOOP("Model", "hext input error!");
const char *const kMsError = QT_TRANSLATE_NOOP("Model", "pll_ms input error!");
const char *const kNsError = QT_TRANSLATE_NOOP("Model", "pll_ns input error!");

const SeriesParams &rowOf(const ClockConfig &c)
{
    static const SeriesParams blank;
    const SeriesParams *p = c.params();
    return p ? *p : blank;
}

bool within(double value, double low, double high)
{
    return value >= low && value <= high; // false for NaN
}

template <typename T> QString listText(const QVector<T> &values)
{
    QStringList items;
    for (T v : values)
        items << QString::number(v);
    return items.join(QStringLiteral(", "));
}

QString rangeText(double low, double high)
{
    return QString::number(low) + QStringLiteral("..") + QString::number(high);
}

Finding inputError(const char *message, const QString &field, double value, const QString &allowed)
{
    Finding f;
    f.message = message;
    f.field = field;
    f.value = value;
    f.allowed = allowed;
    return f;
}

// An input the series has no message for: the finding says itself what is wrong.
Finding inputProblem(const QString &field, double value, const QString &allowed)
{
    Finding f = inputError(nullptr, field, value, allowed);
    f.detail = QStringLiteral("%1 %2 is not one of %3").arg(field, QString::number(value), allowed);
    return f;
}

// A clock output taking a clock that the design switches off, named as drawn.
Finding clockWithoutSource(const QString &field, int code, const QString &output, const char *clock)
{
    Finding f =
        inputError(QT_TRANSLATE_NOOP("Model", "%1 takes the %2 clock, which the design does not enable"),
                   field, code, QStringLiteral("a clock the design enables"));
    f.arguments = QStringList{output, QLatin1String(clock)};
    return f;
}

void requireIn(Findings &out, const char *field, int value, const QVector<int> &allowed)
{
    if (!allowed.contains(value))
        out << inputProblem(QLatin1String(field), value, listText(allowed));
}

void requireRange(Findings &out, const char *field, int value, int low, int high)
{
    if (value < low || value > high)
        out << inputProblem(QLatin1String(field), value, rangeText(low, high));
}

void flexiblePllFindings(Findings &out, const ClockConfig &c)
{
    const bool msOk = within(c.pllMs, ClockConfig::kMsMin, ClockConfig::kMsMax);
    const bool nsOk = within(c.pllNs, ClockConfig::kNsMin, ClockConfig::kNsMax);
    if (!msOk)
        out << inputError(kMsError, QStringLiteral("pllMs"), c.pllMs,
                          rangeText(ClockConfig::kMsMin, ClockConfig::kMsMax));
    if (!nsOk)
        out << inputError(kNsError, QStringLiteral("pllNs"), c.pllNs,
                          rangeText(ClockConfig::kNsMin, ClockConfig::kNsMax));
    requireIn(out, "pllFr", c.pllFr, ClockConfig::pllFrValues());
    if (!msOk || !nsOk)
        return;
    const double reference = c.pllInputMHz() / c.pllMs;
    if (!within(reference, ClockConfig::kRefMinMHz, ClockConfig::kRefMaxMHz)) {
        out << inputError(kMsError, QStringLiteral("pllReferenceMHz"), reference,
                          rangeText(ClockConfig::kRefMinMHz, ClockConfig::kRefMaxMHz));
        return;
    }
    const double oscillator = c.pllNs * reference;
    if (!within(oscillator, ClockConfig::kVcoMinMHz, ClockConfig::kVcoMaxMHz))
        out << inputError(kNsError, QStringLiteral("pllOscillatorMHz"), oscillator,
                          rangeText(ClockConfig::kVcoMinMHz, ClockConfig::kVcoMaxMHz));
}

void multiplierPllFindings(Findings &out, const ClockConfig &c, const SeriesParams &p)
{
    requireRange(out, "pllMult", c.pllMult, ClockConfig::kPllMultMin, ClockConfig::kPllMultMax);
    const bool divided = c.pllSourceHick == 0 && p.hasHextPllDivPath() && c.hextDivEnabled != 0;
    // The tree of a record without its divider (0) is worked out with the series' first one, but the
    // generated files would name a divider of 0: refused like any other value the chip lacks.
    if (divided)
        requireIn(out, "hextDivValue", c.hextDivValue, p.hextPllDivs);
    const double input = c.pllInputMHz();
    if (c.pllSourceHick == 0 && p.pllInputRangeCheck && !within(input, kPllInputMinMHz, kPllInputMaxMHz))
        out << inputError(p.pllInputRangeMessage, QStringLiteral("pllInputMHz"), input,
                          rangeText(kPllInputMinMHz, kPllInputMaxMHz));
}

void clockOutputFindings(Findings &out, const ClockConfig &c, const SeriesParams &p)
{
    for (int i = 0; i < p.clockOutputs.size(); ++i) {
        const ClockOutputParams &output = p.clockOutputs.at(i);
        const bool second = i == 1;
        const int source = !p.multiOutput() ? c.clkoutSource : second ? c.clkout2Source : c.clkout1Source;
        const int pin = !p.multiOutput() ? c.clkoutPin : second ? c.clkout2Pin : c.clkout1Pin;
        const char *sourceField = !p.multiOutput() ? "clkoutSource"
                                  : second         ? "clkout2Source"
                                                   : "clkout1Source";
        const char *pinField = !p.multiOutput() ? "clkoutPin" : second ? "clkout2Pin" : "clkout1Pin";
        const ClockSourceItem *item = output.sourceByCode(source);
        if (!item) {
            QVector<int> codes;
            for (const ClockSourceItem &offered : output.sources)
                codes << offered.code;
            out << inputProblem(QLatin1String(sourceField), source, listText(codes));
        } else if (pin != 0 && !clockSourceUsable(c, i, item->kind)) {
            // The firmware never starts these clocks when their function is off.
            const char *clock = item->kind == ClockSourceKind::Usb ? "USB" : "ADC";
            const QString caption =
                !p.multiOutput() ? QStringLiteral("clkout") : QStringLiteral("clkout%1").arg(i + 1);
            out << clockWithoutSource(QLatin1String(sourceField), source, caption, clock);
        }
        requireRange(out, pinField, pin, 0, int(output.pins.size()) - 1);
        if (!p.multiOutput()) {
            requireIn(out, "clkoutDiv", c.clkoutDiv, output.div1.isEmpty() ? QVector<int>{1} : output.div1);
            continue;
        }
        requireIn(out, second ? "clkout2Div1" : "clkout1Div1", second ? c.clkout2Div1 : c.clkout1Div1,
                  output.div1);
        requireIn(out, second ? "clkout2Div2" : "clkout1Div2", second ? c.clkout2Div2 : c.clkout1Div2,
                  output.div2);
    }
}

// Choices that only a damaged record can hold: the controls offer nothing else.
void optionFindings(Findings &out, const ClockConfig &c, const SeriesParams &p)
{
    requireRange(out, "sclkSource", c.sclkSource, 0, 2);
    requireRange(out, "pllSourceHick", c.pllSourceHick, 0, 1);
    requireRange(out, "rtcSource", c.rtcSource, 0, 2);
    requireIn(out, "ahbDiv", c.ahbDiv, ClockConfig::ahbDivValues());
    requireIn(out, "apb1Div", c.apb1Div, ClockConfig::apbDivValues());
    requireIn(out, "apb2Div", c.apb2Div, ClockConfig::apbDivValues());
    if (p.rtcHextDiv == 0 && rtcDividerInUse(c))
        requireRange(out, "rtcHextDiv", c.rtcHextDiv, ClockConfig::kRtcDivMin, ClockConfig::kRtcDivMax);
    if (p.hasUsb()) {
        requireRange(out, "usbDisabled", c.usbDisabled, 0, 1);
        requireRange(out, "usbSourceHick48", c.usbSourceHick48, 0, 1);
        if (!p.usbDivItems().contains(c.usbDiv))
            out << inputProblem(QStringLiteral("usbDiv"), c.usbDiv, listText(p.usbDivItems()));
    }
    requireRange(out, "hickSclk48", c.hickSclk48, 0, 1);
    // The internal oscillator is the chip's own; any other value (NaN included) is no design of it.
    if (c.hickMHz != p.hickMHz)
        out << inputProblem(QStringLiteral("hickMHz"), c.hickMHz, QString::number(p.hickMHz));
    if (p.hasAdc())
        requireIn(out, "adcDiv", c.adcDiv, p.adcDivs);
    clockOutputFindings(out, c, p);
}

Finding limitWarning(const char *message, const char *field, double value, const QString &allowed)
{
    Finding f = inputError(message, QLatin1String(field), value, allowed);
    f.severity = Finding::Severity::Warning;
    f.kind = Finding::Kind::Limit;
    return f;
}

Finding limitRefusal(const char *phrase, const char *field, double value, int limit)
{
    Finding f = limitWarning(phrase, field, value, QStringLiteral("<= ") + QString::number(limit));
    f.severity = Finding::Severity::Refusal;
    f.limitMHz = limit;
    return f;
}

} // namespace

// ---- what the tree uses -------------------------------------------------------

bool usbEnabled(const ClockConfig &c)
{
    return rowOf(c).hasUsb() && c.usbDisabled == 0;
}

bool usbFromPll(const ClockConfig &c)
{
    return usbEnabled(c) && (rowOf(c).usbHickIgnored || c.usbSourceHick48 == 0);
}

bool pllInUse(const ClockConfig &c)
{
    return c.pllInUse();
}

bool pllOnHext(const ClockConfig &c)
{
    return c.pllSourceHick == 0 && pllInUse(c);
}

bool clockOutputLive(const ClockConfig &c, int index)
{
    const SeriesParams &p = rowOf(c);
    if (index < 0 || index >= p.clockOutputs.size())
        return false;
    if (!p.multiOutput())
        return c.clkoutPin != 0;
    return (index == 0 ? c.clkout1Pin : c.clkout2Pin) != 0;
}

ClockSourceKind clockOutputSource(const ClockConfig &c, int index)
{
    if (!clockOutputLive(c, index))
        return ClockSourceKind::None;
    const SeriesParams &p = rowOf(c);
    const int code = !p.multiOutput() ? c.clkoutSource : index == 0 ? c.clkout1Source : c.clkout2Source;
    const ClockSourceItem *item = p.clockOutputs.at(index).sourceByCode(code);
    return item ? item->kind : ClockSourceKind::None;
}

bool hextInUse(const ClockConfig &c)
{
    if (c.sclkSource == ClockConfig::SclkHext || (c.rtcEnabled && c.rtcSource == 2) || pllOnHext(c))
        return true;
    for (int i = 0; i < rowOf(c).clockOutputs.size(); ++i) {
        if (clockOutputSource(c, i) == ClockSourceKind::Hext)
            return true;
    }
    return false;
}

bool rtcDividerInUse(const ClockConfig &c)
{
    return c.rtcEnabled && c.rtcSource == 2;
}

bool clockSourceUsable(const ClockConfig &c, int output, ClockSourceKind kind)
{
    if (!clockOutputLive(c, output))
        return false;
    if (kind == ClockSourceKind::Usb)
        return usbEnabled(c);
    // A series without ADC controls never enables its ADC clock.
    if (kind == ClockSourceKind::Adc)
        return c.adcEnabled;
    return true;
}

bool lextRunning(const ClockConfig &c)
{
    const SeriesParams &s = *c.params();
    const bool usart = (ControlTable::has(s, ControlTable::Control::Usart1Sel) && c.usart1Source == 3) ||
                       (ControlTable::has(s, ControlTable::Control::Usart2Sel) && c.usart2Source == 3);
    return usart || (c.rtcEnabled && c.rtcSource == 1);
}

bool pllRed(const ClockConfig &c)
{
    const SeriesParams &s = *c.params();
    const bool low = s.pllMinMHz > 0 && !c.flexiblePllActive() && c.pllMHz < s.pllMinMHz;
    return low || s.sclkRed(c.pllMHz);
}

bool usbOff48(const ClockConfig &c)
{
    return usbEnabled(c) && c.usbMHz != 48.0;
}

double hickOutputMHz(const ClockConfig &c)
{
    if (rowOf(c).hickSclkUndivided || rowOf(c).hickOutputUndivided)
        return c.hickMHz;
    const bool usbOnHick = usbEnabled(c) && !rowOf(c).usbHickIgnored && c.usbSourceHick48 == 1;
    const bool sclkOnHick48 = c.sclkSource == ClockConfig::SclkHick && c.hickSclk48 == 1;
    // The divided HICK is the system clock's HICK / 6 path.
    return usbOnHick || sclkOnHick48 ? c.hickMHz : c.hickMHz / 6;
}

bool hextAccepted(double mhz)
{
    return within(mhz, kHextMinMHz, kHextMaxMHz);
}

bool sclkTargetAccepted(const SeriesParams &series, double mhz)
{
    return series.sclkEntryAccepted(mhz) && std::isfinite(mhz);
}

// ---- findings -------------------------------------------------------------------

QString translated(const char *text)
{
    return QCoreApplication::translate(kTranslationContext, text);
}

QString Finding::text() const
{
    return text([](const char *source) { return QString::fromLatin1(source); });
}

Findings inputFindings(const ClockConfig &c, bool hextAlways)
{
    const SeriesParams *p = c.params();
    if (!p)
        return {inputProblem(QStringLiteral("seriesId"), c.seriesId, QStringLiteral("a known series"))};
    Findings out;
    if ((hextAlways || hextInUse(c)) && !hextAccepted(c.hextMHz))
        out << inputError(kHextError, QStringLiteral("hextMHz"), c.hextMHz,
                          rangeText(kHextMinMHz, kHextMaxMHz));
    if (pllInUse(c)) {
        if (c.flexiblePllActive())
            flexiblePllFindings(out, c);
        else
            multiplierPllFindings(out, c, *p);
    }
    optionFindings(out, c, *p);
    return out;
}

Findings clockOffFindings(const ClockConfig &c)
{
    Findings out;
    for (const Finding &f : inputFindings(c)) {
        if (!f.arguments.isEmpty())
            out << f;
    }
    return out;
}

Findings limitFindings(const ClockConfig &c)
{
    Findings out;
    const SeriesParams *p = c.params();
    if (!p)
        return out;
    // Refusals stop at the first one, in the order the series checks them.
    if (c.sclkMHz > p->sclkLimitMHz)
        out << limitRefusal(QT_TRANSLATE_NOOP("Model", "Can not support sclk greater than"), "sclkMHz",
                            c.sclkMHz, p->sclkLimitMHz);
    else if (c.apb1MHz > p->apbLimitMHz)
        out << limitRefusal(QT_TRANSLATE_NOOP("Model", "Can not support apb1clk greater than"), "apb1MHz",
                            c.apb1MHz, p->apbLimitMHz);
    else if (c.apb2MHz > p->apbLimitMHz)
        out << limitRefusal(QT_TRANSLATE_NOOP("Model", "Can not support apb2clk greater than"), "apb2MHz",
                            c.apb2MHz, p->apbLimitMHz);
    else if (pllInUse(c) && c.pllMHz > p->sclkLimitMHz)
        out << limitRefusal(QT_TRANSLATE_NOOP("Model", "Can not support pll clock greater than"), "pllMHz",
                            c.pllMHz, p->sclkLimitMHz);
    else if (p->pllMinMHz > 0 && pllInUse(c) && !c.flexiblePllActive() && c.pllMHz < p->pllMinMHz)
        out << limitRefusal(p->pllLessMessage, "pllMHz", c.pllMHz, p->pllMinMHz);
    if (!out.isEmpty())
        return out;
    if (usbOff48(c) && p->usbWarning)
        out << limitWarning(p->usbWarning, "usbMHz", c.usbMHz, QStringLiteral("48"));
    if (p->hasAdc() && c.adcEnabled && c.adcMHz > p->adcLimitMHz && p->adcWarning)
        out << limitWarning(p->adcWarning, "adcMHz", c.adcMHz,
                            QStringLiteral("<= ") + QString::number(p->adcLimitMHz));
    return out;
}

const Finding *Verdict::firstRefusal() const
{
    for (const Finding &f : findings) {
        if (f.isRefusal())
            return &f;
    }
    return nullptr;
}

Verdict judge(const ClockConfig &c)
{
    Verdict verdict;
    verdict.record = c;
    verdict.findings = inputFindings(c);
    if (!verdict.findings.isEmpty())
        return verdict;
    verdict.record.recompute();
    verdict.findings = limitFindings(verdict.record);
    return verdict;
}

} // namespace ClockRules

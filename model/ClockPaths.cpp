#include "ClockPaths.h"

#include "ClockConfig.h"
#include "ClockRules.h"
#include "SeriesTable.h"

#include <QtMath>

namespace ClockPaths {

namespace {

const QString kArrow = QStringLiteral(" \u2192 ");

QString mhz(double value)
{
    return number(value) + QStringLiteral(" MHz");
}

QString khz(double value)
{
    return number(value) + QStringLiteral(" kHz");
}

QString divider(double by)
{
    return QLatin1Char('/') + number(by);
}

QString join(std::initializer_list<QString> parts)
{
    QStringList kept;
    for (const QString &part : parts) {
        if (!part.isEmpty())
            kept << part;
    }
    return kept.join(kArrow);
}

// The PLL reference: the oscillator and any divider in front of the PLL.
QString pllReference(const ClockConfig &c)
{
    if (c.pllSourceHick == 1)
        return join({QStringLiteral("HICK ") + mhz(c.hickMHz), divider(qRound(c.hickMHz / c.pllInputMHz()))});
    if (c.pllInputMHz() != c.hextMHz)
        return join({QStringLiteral("HEXT ") + mhz(c.hextMHz), divider(c.hextDivValue)});
    return QStringLiteral("HEXT ") + mhz(c.hextMHz);
}

QString pllStage(const ClockConfig &c)
{
    if (c.flexiblePllActive())
        return QStringLiteral("PLL /%1 \u00d7%2 /%3").arg(c.pllMs).arg(c.pllNs).arg(c.pllFr);
    return QStringLiteral("PLL \u00d7%1").arg(c.pllMult);
}

// The PLL with its output, unnamed: "HEXT 8 MHz → PLL ×36 → 288 MHz".
QString pllPath(const ClockConfig &c)
{
    return join({pllReference(c), pllStage(c), mhz(c.pllMHz)});
}

QString sclkPath(const ClockConfig &c)
{
    const QString sclk = QStringLiteral("SCLK ") + mhz(c.sclkMHz);
    switch (c.sclkSource) {
    case ClockConfig::SclkHext:
        return join({QStringLiteral("HEXT ") + mhz(c.hextMHz), sclk});
    case ClockConfig::SclkPll:
        return join({pllReference(c), pllStage(c), sclk});
    default:
        break;
    }
    const QString hick = QStringLiteral("HICK ") + mhz(c.hickMHz);
    if (c.sclkMHz > 0 && c.sclkMHz != c.hickMHz)
        return join({hick, divider(qRound(c.hickMHz / c.sclkMHz)), sclk});
    return join({hick, sclk});
}

QString ahbPath(const ClockConfig &c)
{
    return join({sclkPath(c), QStringLiteral("AHB ") + divider(c.ahbDiv), mhz(c.ahbMHz)});
}

QString apbPath(const ClockConfig &c, int bus)
{
    const int div = bus == 1 ? c.apb1Div : c.apb2Div;
    return join({ahbPath(c), QStringLiteral("APB%1 ").arg(bus) + divider(div), mhz(bus == 1 ? c.apb1MHz : c.apb2MHz)});
}

QString timerPath(const ClockConfig &c, int bus)
{
    const int mul = bus == 1 ? c.apb1TimerMul : c.apb2TimerMul;
    return join({apbPath(c, bus), QStringLiteral("\u00d7%1").arg(mul),
                 mhz(bus == 1 ? c.apb1TimerMHz : c.apb2TimerMHz)});
}

QString usbPath(const ClockConfig &c)
{
    if (!ClockRules::usbEnabled(c))
        return QString();
    if (!ClockRules::usbFromPll(c))
        return join({QStringLiteral("HICK ") + mhz(c.hickMHz), QStringLiteral("USB ") + mhz(c.usbMHz)});
    return join({pllPath(c), QStringLiteral("USB ") + divider(c.usbDiv), mhz(c.usbMHz)});
}

QString adcPath(const ClockConfig &c)
{
    if (!c.params()->hasAdc() || !c.adcEnabled)
        return QString();
    return join({apbPath(c, 2), QStringLiteral("ADC ") + divider(c.adcDiv), mhz(c.adcMHz)});
}

using SourcePath = Reached;

SourcePath outputSource(const ClockConfig &c, ClockSourceKind kind)
{
    switch (kind) {
    case ClockSourceKind::Lick:
        return {QStringLiteral("LICK ") + khz(c.lickKHz), c.lickKHz, true};
    case ClockSourceKind::Lext:
        return {QStringLiteral("LEXT ") + khz(c.lextKHz), c.lextKHz, true};
    case ClockSourceKind::Hick: {
        const double out = ClockRules::hickOutputMHz(c);
        const QString hick = QStringLiteral("HICK ") + mhz(c.hickMHz);
        if (out == c.hickMHz)
            return {hick, out, false};
        return {join({hick, divider(qRound(c.hickMHz / out)), mhz(out)}), out, false};
    }
    case ClockSourceKind::Hext:
        return {QStringLiteral("HEXT ") + mhz(c.hextMHz), c.hextMHz, false};
    case ClockSourceKind::Sclk:
        return {sclkPath(c), c.sclkMHz, false};
    case ClockSourceKind::Usb:
        return {usbPath(c), c.usbMHz, false};
    case ClockSourceKind::Adc:
        return {adcPath(c), c.adcMHz, false};
    case ClockSourceKind::Pll:
        return {pllPath(c), c.pllMHz, false};
    case ClockSourceKind::PllDiv2:
        return {join({pllPath(c), QStringLiteral("/2"), mhz(c.pllMHz / 2)}), c.pllMHz / 2, false};
    case ClockSourceKind::PllDiv4:
        return {join({pllPath(c), QStringLiteral("/4"), mhz(c.pllMHz / 4)}), c.pllMHz / 4, false};
    case ClockSourceKind::None:
        break;
    }
    return {};
}

} // namespace

Reached rtc(const ClockConfig &c)
{
    if (!c.rtcEnabled)
        return {};
    if (c.rtcSource == 0)
        return {join({QStringLiteral("LICK ") + khz(c.lickKHz), QStringLiteral("RTC ") + khz(c.lickKHz)}),
                c.lickKHz, true};
    if (c.rtcSource == 1)
        return {join({QStringLiteral("LEXT ") + khz(c.lextKHz), QStringLiteral("RTC ") + khz(c.lextKHz)}),
                c.lextKHz, true};
    const int div = c.params()->rtcHextDiv > 0 ? c.params()->rtcHextDiv : c.rtcHextDiv;
    if (div <= 0)
        return {};
    const double value = c.hextMHz * 1000.0 / div;
    return {join({QStringLiteral("HEXT ") + mhz(c.hextMHz), QStringLiteral("RTC ") + divider(div), khz(value)}),
            value, true};
}

Reached clockOutput(const ClockConfig &c, int index)
{
    const SeriesParams &s = *c.params();
    const ClockSourceKind kind = ClockRules::clockOutputSource(c, index);
    if (kind == ClockSourceKind::None)
        return {};
    const SourcePath source = outputSource(c, kind);
    if (source.path.isEmpty())
        return {};
    const QString name = s.multiOutput() ? QStringLiteral("CLKOUT%1 ").arg(index + 1) : QStringLiteral("CLKOUT ");
    QStringList dividers;
    double value = source.value;
    const ClockOutputParams &out = s.clockOutputs.at(index);
    const int div1 = s.multiOutput() ? (index == 0 ? c.clkout1Div1 : c.clkout2Div1) : c.clkoutDiv;
    const int div2 = index == 0 ? c.clkout1Div2 : c.clkout2Div2;
    if (!out.div1.isEmpty() && div1 > 0) {
        dividers << divider(div1);
        value /= div1;
    }
    if (!out.div2.isEmpty() && div2 > 0) {
        dividers << divider(div2);
        value /= div2;
    }
    const QString stage = dividers.isEmpty() ? name.trimmed() : name + dividers.join(QLatin1Char(' '));
    return {join({source.path, stage, source.kHz ? khz(value) : mhz(value)}), value, source.kHz};
}

QString number(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString pathOf(const ClockConfig &c, const QString &name)
{
    const SeriesParams *s = c.params();
    if (!s)
        return QString();
    if (name == QLatin1String("lick"))
        return QStringLiteral("LICK ") + khz(c.lickKHz);
    if (name == QLatin1String("lext"))
        return QStringLiteral("LEXT ") + khz(c.lextKHz);
    if (name == QLatin1String("hext"))
        return QStringLiteral("HEXT ") + mhz(c.hextMHz);
    if (name == QLatin1String("hick"))
        return QStringLiteral("HICK ") + mhz(c.hickMHz);
    if (name == QLatin1String("pllin"))
    {
        if (!ClockRules::pllInUse(c))
            return QString();
        const QString reference = pllReference(c);
        // A divided reference ends in its divider: the value it gives follows.
        return reference.contains(kArrow) ? join({reference, mhz(c.pllInputMHz())}) : reference;
    }
    if (name == QLatin1String("sclk"))
        return sclkPath(c);
    if (name == QLatin1String("ahb"))
        return ahbPath(c);
    if (name == QLatin1String("apb1"))
        return apbPath(c, 1);
    if (name == QLatin1String("apb2"))
        return apbPath(c, 2);
    if (name == QLatin1String("apb1tmr"))
        return timerPath(c, 1);
    if (name == QLatin1String("apb2tmr"))
        return timerPath(c, 2);
    if (name == QLatin1String("pll"))
        return ClockRules::pllInUse(c) ? pllPath(c) : QString();
    if (name == QLatin1String("usb"))
        return s->hasUsb() ? usbPath(c) : QString();
    if (name == QLatin1String("adc"))
        return adcPath(c);
    if (name == QLatin1String("rtc"))
        return rtc(c).path;
    if (name == QLatin1String("clkout") && !s->multiOutput())
        return clockOutput(c, 0).path;
    if (name == QLatin1String("clkout1") && s->multiOutput())
        return clockOutput(c, 0).path;
    if (name == QLatin1String("clkout2") && s->multiOutput())
        return clockOutput(c, 1).path;
    return QString();
}

} // namespace ClockPaths

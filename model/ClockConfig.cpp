#include "ClockConfig.h"

#include "SeriesTable.h"

namespace {

// One entry of the field reflection table: exactly one member pointer is set.
struct FieldDesc {
    const char *name;
    int ClockConfig::*i;
    double ClockConfig::*d;
    bool ClockConfig::*b;
};

#define TF_INT(f)                                                                                            \
    {                                                                                                        \
#f, &ClockConfig::f, nullptr, nullptr                                                                \
    }
#define TF_DBL(f)                                                                                            \
    {                                                                                                        \
#f, nullptr, &ClockConfig::f, nullptr                                                                \
    }
#define TF_BOOL(f)                                                                                           \
    {                                                                                                        \
#f, nullptr, nullptr, &ClockConfig::f                                                                \
    }

// Same order as the member declarations.
const FieldDesc kFields[] = {
    TF_INT(seriesId),      TF_DBL(lickKHz),      TF_DBL(lextKHz),      TF_BOOL(lextBypass),
    TF_DBL(hextMHz),       TF_DBL(hickMHz),      TF_BOOL(hextBypass),  TF_INT(rtcSource),
    TF_BOOL(rtcEnabled),   TF_INT(rtcHextDiv),   TF_INT(hextDivValue), TF_INT(hextDivEnabled),
    TF_INT(pllSourceHick), TF_INT(pllMs),        TF_INT(pllNs),        TF_INT(pllFr),
    TF_INT(sclkSource),    TF_INT(ahbDiv),       TF_INT(apb1Div),      TF_INT(apb2Div),
    TF_DBL(pllMHz),        TF_DBL(sclkMHz),      TF_DBL(ahbMHz),       TF_DBL(apb1MHz),
    TF_INT(apb1TimerMul),  TF_DBL(apb1TimerMHz), TF_DBL(apb2MHz),      TF_INT(apb2TimerMul),
    TF_DBL(apb2TimerMHz),  TF_BOOL(adcEnabled),  TF_INT(adcDiv),       TF_DBL(adcMHz),
    TF_DBL(usbDiv),        TF_INT(usbDisabled),  TF_DBL(usbMHz),       TF_INT(usbSourceHick48),
    TF_INT(hickSclk48),    TF_INT(clkout1Div1),  TF_INT(clkout1Div2),  TF_INT(clkout1Pin),
    TF_INT(clkout2Div1),   TF_INT(clkout2Div2),  TF_INT(clkout2Pin),   TF_INT(clkout1Source),
    TF_INT(clkout2Source), TF_INT(clkoutDiv),    TF_INT(clkoutPin),    TF_INT(clkoutSource),
    TF_INT(pllFlexible),   TF_INT(pllMult),      TF_INT(usart1Source), TF_INT(usart2Source),
    TF_INT(i2c1Source),
};

#undef TF_INT
#undef TF_DBL
#undef TF_BOOL

} // namespace

ClockConfig::ClockConfig(int id) : seriesId(id)
{
    resetDefaults();
}

const SeriesParams *ClockConfig::params() const
{
    return SeriesTable::byId(seriesId);
}

void ClockConfig::resetDefaults()
{}

double ClockConfig::pllInputMHz() const
{
    return 0.0;
}

void ClockConfig::computePllFromFactors()
{}

bool ClockConfig::pllInUse() const
{
    return false;
}

void ClockConfig::recompute()
{}

void ClockConfig::applyTypedSclk()
{}

void ClockConfig::retunePllForUsb()
{}

void ClockConfig::msRangeFor(double, int &msMin, int &msMax) const
{
    msMin = kMsMin;
    msMax = kMsMax;
}

bool ClockConfig::suggestMs(int, int &suggestion) const
{
    suggestion = 1;
    return false;
}

bool ClockConfig::suggestNs(int, int, int &suggestion) const
{
    suggestion = kNsMin;
    return false;
}

void ClockConfig::searchPllFactors(double, bool)
{}

quint32 ClockConfig::pllcfgWord() const
{
    return 0;
}

QString ClockConfig::pllcfgText() const
{
    return QStringLiteral("0x%1").arg(pllcfgWord(), 8, 16, QLatin1Char('0'));
}

bool ClockConfig::hextNeeded() const
{
    return false;
}

bool ClockConfig::hickNeeded() const
{
    return false;
}

QVector<QPair<QString, QVariant>> ClockConfig::fieldValues() const
{
    QVector<QPair<QString, QVariant>> out;
    out.reserve(int(sizeof(kFields) / sizeof(kFields[0])));
    for (const FieldDesc &f : kFields) {
        QVariant v;
        if (f.i)
            v = this->*f.i;
        else if (f.d)
            v = this->*f.d;
        else
            v = this->*f.b;
        out.append({QString::fromLatin1(f.name), v});
    }
    return out;
}

bool ClockConfig::setFieldValue(const QString &name, const QVariant &value)
{
    for (const FieldDesc &f : kFields) {
        if (name != QLatin1String(f.name))
            continue;
        bool ok = false;
        if (f.i) {
            const int v = value.toInt(&ok);
            if (ok)
                this->*f.i = v;
        } else if (f.d) {
            const double v = value.toDouble(&ok);
            if (ok)
                this->*f.d = v;
        } else {
            ok = value.canConvert<bool>();
            if (value.type() == QVariant::String) {
                const QString s = value.toString().trimmed().toLower();
                ok = s == QLatin1String("true") || s == QLatin1String("false") || s == QLatin1String("1") ||
                     s == QLatin1String("0");
            }
            if (ok)
                this->*f.b = value.toBool();
        }
        return ok;
    }
    return false;
}

#include "ClockConfig.h"

#include "SeriesTable.h"

#include <cmath>

namespace {

// One entry of the field reflection table: exactly one member pointer is set.
struct FieldDesc {
    const char *name;
    int ClockConfig::*i;
    double ClockConfig::*d;
    bool ClockConfig::*b;
};

// clang-format off
#define TF_INT(f) {#f, &ClockConfig::f, nullptr, nullptr}
#define TF_DBL(f) {#f, nullptr, &ClockConfig::f, nullptr}
#define TF_BOOL(f) {#f, nullptr, nullptr, &ClockConfig::f}
// clang-format on

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

// Stands in for an id that names no series: no APB halving, no USB, one
// clock output without sources, HICK / 12 and HEXT / 2 as PLL paths.
const SeriesParams &unknownSeries()
{
    static const SeriesParams row = [] {
        SeriesParams p;
        p.hextPllDivs = {2};
        p.clockOutputs = {ClockOutputParams{}};
        return p;
    }();
    return row;
}

// The row to compute with: the series' own, or the neutral stand-in.
const SeriesParams &row(const ClockConfig &c)
{
    const SeriesParams *p = c.params();
    return p ? *p : unknownSeries();
}

const QVector<int> kFrOrder{32, 16, 8, 4, 2, 1};

double dividedBy(double value, int div)
{
    // Dividers are validated where they are entered; a zero one must not
    // turn the whole tree into infinities.
    return div > 0 ? value / div : value;
}

double pllOutput(int ns, double in, int ms, int fr)
{
    // The product fr x ms is taken as an integer, like the hardware does.
    const int den = fr * ms;
    return den > 0 ? ns * in / den : 0.0;
}

bool isPllKind(ClockSourceKind kind)
{
    return kind == ClockSourceKind::Pll || kind == ClockSourceKind::PllDiv2 ||
           kind == ClockSourceKind::PllDiv4;
}

// The source kind of clock output `index` when it has a pin, else None.
ClockSourceKind clockOutputKind(const ClockConfig &c, const SeriesParams &p, int index)
{
    if (index >= p.clockOutputs.size())
        return ClockSourceKind::None;
    int pin = c.clkoutPin;
    int source = c.clkoutSource;
    if (p.multiOutput()) {
        pin = index == 0 ? c.clkout1Pin : c.clkout2Pin;
        source = index == 0 ? c.clkout1Source : c.clkout2Source;
    }
    if (pin == 0)
        return ClockSourceKind::None;
    const ClockSourceItem *item = p.clockOutputs.at(index).sourceByCode(source);
    return item ? item->kind : ClockSourceKind::None;
}

// USB enabled and fed from the PLL (series without the HICK 48 path ignore
// usbSourceHick48).
bool usbFromPll(const ClockConfig &c, const SeriesParams &p)
{
    return p.hasUsb() && c.usbDisabled == 0 && (p.usbHickIgnored || c.usbSourceHick48 == 0);
}

// Multiplier solve on whole kHz: round(targetKHz / inKHz), clamped.
int solveMultiplier(double targetMHz, double inMHz)
{
    const double inKHz = std::trunc(inMHz * 1000.0);
    if (inKHz <= 0.0)
        return ClockConfig::kPllMultMin;
    const double mult = std::round(std::trunc(targetMHz * 1000.0) / inKHz);
    return int(qBound(double(ClockConfig::kPllMultMin), mult, double(ClockConfig::kPllMultMax)));
}

// The limit a typed system clock must stay within, 0 for none: the series'
// limit while the target itself is within it.
double typedLimitMHz(const SeriesParams &p, double targetMHz)
{
    return p.sclkLimitMHz > 0 && targetMHz <= p.sclkLimitMHz ? double(p.sclkLimitMHz) : 0.0;
}

// Smallest and largest ns in 31..500 whose oscillator ns x in / ms lies in
// 500..1000 MHz; false when there is none. Starts from the closed-form bound
// and settles it with the same comparison the rule uses, so rounding cannot
// move the edges.
bool nsWindow(double in, int ms, int &nsLow, int &nsHigh)
{
    auto vco = [in, ms](int ns) {
        return ns * in / ms;
    };
    if (!(in > 0.0))
        return false;
    int lo = int(qBound(double(ClockConfig::kNsMin), std::ceil(ClockConfig::kVcoMinMHz * ms / in),
                        double(ClockConfig::kNsMax)));
    while (lo > ClockConfig::kNsMin && vco(lo - 1) >= ClockConfig::kVcoMinMHz)
        --lo;
    while (lo <= ClockConfig::kNsMax && vco(lo) < ClockConfig::kVcoMinMHz)
        ++lo;
    int hi = int(qBound(double(ClockConfig::kNsMin), std::floor(ClockConfig::kVcoMaxMHz * ms / in),
                        double(ClockConfig::kNsMax)));
    while (hi < ClockConfig::kNsMax && vco(hi + 1) <= ClockConfig::kVcoMaxMHz)
        ++hi;
    while (hi >= ClockConfig::kNsMin && vco(hi) > ClockConfig::kVcoMaxMHz)
        --hi;
    if (lo > hi)
        return false;
    nsLow = lo;
    nsHigh = hi;
    return true;
}

// Bus part of the recompute: AHB, APB with the automatic halving, timers, ADC.
void recomputeBuses(ClockConfig &c, const SeriesParams &p)
{
    c.ahbMHz = dividedBy(c.sclkMHz, c.ahbDiv);
    c.apb1MHz = dividedBy(c.ahbMHz, c.apb1Div);
    c.apb2MHz = dividedBy(c.ahbMHz, c.apb2Div);
    if (p.apbHalving) {
        // Only /1 is raised, and only to /2: a divider the user chose stays.
        if (c.apb1MHz > p.apbLimitMHz && c.apb1Div == 1) {
            c.apb1Div = 2;
            c.apb1MHz = c.ahbMHz / 2;
        }
        if (c.apb2MHz > p.apbLimitMHz && c.apb2Div == 1) {
            c.apb2Div = 2;
            c.apb2MHz = c.ahbMHz / 2;
        }
    }
    c.apb1TimerMul = c.apb1Div != 1 ? 2 : 1;
    c.apb1TimerMHz = c.apb1TimerMul * c.apb1MHz;
    c.apb2TimerMul = c.apb2Div != 1 ? 2 : 1;
    c.apb2TimerMHz = c.apb2TimerMul * c.apb2MHz;
    c.adcMHz = c.adcEnabled ? dividedBy(c.apb2MHz, c.adcDiv) : 0.0;
}

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
{
    // Everything but the series id starts at zero.
    for (const FieldDesc &f : kFields) {
        if (f.i && f.i != &ClockConfig::seriesId)
            this->*f.i = 0;
        else if (f.d)
            this->*f.d = 0.0;
        else if (f.b)
            this->*f.b = false;
    }
    lickKHz = 40.0;
    lextKHz = 32.768;
    hextMHz = 8.0;
    hickMHz = row(*this).hickMHz;
    pllMs = 2;
    pllNs = 192;
    pllFr = 8;
    sclkSource = SclkHick;
    ahbDiv = 1;
    apb1Div = 1;
    apb2Div = 1;
    apb1TimerMul = 1;
    apb2TimerMul = 1;
    adcDiv = 2;
    usbDiv = 1.0;
    clkout1Div1 = 1;
    clkout1Div2 = 1;
    clkout2Div1 = 1;
    clkout2Div2 = 1;
    clkoutDiv = 1;
    pllFlexible = 1;
}

bool ClockConfig::flexiblePllActive() const
{
    const SeriesParams *p = params();
    if (!p)
        return pllFlexible != 0;
    switch (p->pllKind) {
    case PllKind::Multiplier:
        return false;
    case PllKind::Flexible:
        return true;
    case PllKind::Selectable:
        break;
    }
    return pllFlexible != 0;
}

double ClockConfig::pllInputMHz() const
{
    const SeriesParams &p = row(*this);
    if (pllSourceHick != 0)
        return hickMHz / p.hickToPllDiv;
    if (p.hasHextPllDivPath() && hextDivEnabled != 0) {
        // A record that never had its divider set would divide by zero; the
        // series' first divider is what its widget starts with.
        const int div = hextDivValue > 0 ? hextDivValue : p.hextPllDivs.first();
        return hextMHz / div;
    }
    return hextMHz;
}

void ClockConfig::computePllFromFactors()
{
    const double in = pllInputMHz();
    pllMHz = flexiblePllActive() ? pllOutput(pllNs, in, pllMs, pllFr) : pllMult * in;
}

bool ClockConfig::pllInUse() const
{
    const SeriesParams &p = row(*this);
    if (sclkSource == SclkPll || usbFromPll(*this, p))
        return true;
    for (int i = 0; i < p.clockOutputs.size(); ++i) {
        if (isPllKind(clockOutputKind(*this, p, i)))
            return true;
    }
    return false;
}

void ClockConfig::recompute()
{
    const SeriesParams &p = row(*this);
    switch (sclkSource) {
    case SclkPll:
        computePllFromFactors();
        sclkMHz = pllMHz;
        break;
    case SclkHext:
        sclkMHz = hextMHz;
        if (pllInUse())
            computePllFromFactors();
        break;
    case SclkHick:
        sclkMHz = (p.hickSclkUndivided || hickSclk48 != 0) ? hickMHz : hickMHz / 6;
        if (pllInUse())
            computePllFromFactors();
        break;
    default:
        break;
    }
    recomputeBuses(*this, p);
    if (usbFromPll(*this, p))
        usbMHz = usbDiv > 0.0 ? pllMHz / usbDiv : pllMHz;
}

void ClockConfig::applyTypedSclk()
{
    const SeriesParams &p = row(*this);
    if (sclkSource == SclkPll) {
        const double in = pllInputMHz();
        if (flexiblePllActive()) {
            searchPllFactors(in, false);
        } else {
            // The multiplier is chosen on whole kHz, but the clocks are those
            // the chip runs (and recompute, the design file and the generator
            // give): the multiplier times the exact input.
            int mult = solveMultiplier(sclkMHz, in);
            const double limit = typedLimitMHz(p, sclkMHz);
            while (limit > 0.0 && mult > kPllMultMin && mult * in > limit)
                --mult;
            pllMult = mult;
            pllMHz = sclkMHz = pllMult * in;
        }
    }
    recomputeBuses(*this, p);
    if (!usbFromPll(*this, p))
        return;
    const double s = std::trunc(sclkMHz);
    if (std::fmod(s, 24.0) == 0.0)
        usbDiv = s / 48.0;
    usbDiv = qBound(1.0, usbDiv, p.usbDivMax);
    usbMHz = sclkMHz / usbDiv;
}

void ClockConfig::retunePllForUsb()
{
    const SeriesParams &p = row(*this);
    if (!usbFromPll(*this, p))
        return;
    const double in = pllInputMHz();
    if (flexiblePllActive()) {
        searchPllFactors(in, true);
    } else {
        pllMult = solveMultiplier(usbDiv * 48.0, in);
        pllMHz = pllMult * in;
    }
    usbMHz = usbDiv > 0.0 ? pllMHz / usbDiv : pllMHz;
}

void ClockConfig::msRangeFor(double refMHz, int &msMin, int &msMax) const
{
    msMin = 0;
    msMax = 0;
    for (int ms = kMsMin; ms <= kMsMax; ++ms) {
        const double r = refMHz / ms;
        if (r >= kRefMinMHz && r <= kRefMaxMHz) {
            if (msMin == 0)
                msMin = ms;
            msMax = ms;
        }
    }
    if (msMin == 0) {
        msMin = kMsMin;
        msMax = kMsMax;
    }
}

bool ClockConfig::suggestMs(int ms, int &suggestion) const
{
    suggestion = 1;
    if (ms < kMsMin || ms > kMsMax)
        return false;
    const double ref = pllInputMHz();
    const double r = ref / ms;
    if (r >= kRefMinMHz && r <= kRefMaxMHz) {
        suggestion = ms;
        return true;
    }
    if (r > kRefMaxMHz) {
        for (int m = ms; m <= kMsMax; ++m) {
            if (ref / m <= kRefMaxMHz) {
                suggestion = m;
                break;
            }
        }
    } else {
        for (int m = ms; m >= kMsMin; --m) {
            if (ref / m >= kRefMinMHz) {
                suggestion = m;
                break;
            }
        }
    }
    return false;
}

bool ClockConfig::suggestNs(int ns, int ms, int &suggestion) const
{
    suggestion = kNsMin;
    if (ms < kMsMin)
        return false;
    const double ref = pllInputMHz();
    const double v = ns * ref / ms;
    if (v >= kVcoMinMHz && v <= kVcoMaxMHz) {
        suggestion = ns;
        return true;
    }
    if (v > kVcoMaxMHz) {
        for (int n = qMin(ns, kNsMax); n >= kNsMin; --n) {
            if (n * ref / ms <= kVcoMaxMHz) {
                suggestion = n;
                break;
            }
        }
    } else {
        for (int n = qMax(ns, kNsMin); n <= kNsMax; ++n) {
            if (n * ref / ms >= kVcoMinMHz) {
                suggestion = n;
                break;
            }
        }
    }
    return false;
}

void ClockConfig::searchPllFactors(double refMHz, bool forUsb)
{
    const double target = forUsb ? std::trunc(usbDiv * 48.0) : sclkMHz;
    // A typed system clock within the series' limit never gets one above it.
    const double limit = forUsb ? 0.0 : typedLimitMHz(row(*this), target);
    int msMin = kMsMin;
    int msMax = kMsMax;
    msRangeFor(refMHz, msMin, msMax);

    double bestError = 10000.0;
    // The first candidate stands in when none is nearer than the initial
    // error, so the record always ends with valid factors.
    int bestMs = -1;
    int bestNs = 0;
    int bestFr = 0;
    for (int fr : kFrOrder) {
        for (int ms = msMin; ms <= msMax; ++ms) {
            int nsLow = kNsMin;
            int nsHigh = kNsMax;
            if (!nsWindow(refMHz, ms, nsLow, nsHigh)) {
                nsLow = kNsMin;
                nsHigh = kNsMax;
            }
            if (bestMs < 0) {
                bestMs = ms;
                bestNs = nsLow;
                bestFr = fr;
            }
            const int den = fr * ms;
            for (int ns = nsLow; ns <= nsHigh; ++ns) {
                const double output = ns * refMHz / den;
                if (limit > 0.0 && output > limit)
                    continue;
                const double error = std::fabs(output - target);
                if (nearer(error, bestError)) {
                    bestError = error;
                    bestMs = ms;
                    bestNs = ns;
                    bestFr = fr;
                }
            }
        }
    }
    pllFr = bestFr;
    pllMs = bestMs;
    pllNs = bestNs;
    pllMHz = pllOutput(bestNs, refMHz, bestMs, bestFr);
    if (!forUsb)
        sclkMHz = pllMHz;
}

const QVector<int> &ClockConfig::ahbDivValues()
{
    static const QVector<int> values{1, 2, 4, 8, 16, 64, 128, 256, 512};
    return values;
}

const QVector<int> &ClockConfig::apbDivValues()
{
    static const QVector<int> values{1, 2, 4, 8, 16};
    return values;
}

const QVector<int> &ClockConfig::pllFrValues()
{
    static const QVector<int> values{1, 2, 4, 8, 16, 32};
    return values;
}

quint32 ClockConfig::pllcfgWord() const
{
    quint32 frCode = 0;
    for (quint32 code = 0; code < 6; ++code) {
        if (pllFr == (1 << code))
            frCode = code;
    }
    quint32 word = quint32(pllMs) & 0x3fu;
    word |= (quint32(pllNs) & 0x1ffu) << 6;
    word |= frCode << 16;
    if (pllSourceHick == 0)
        word |= 1u << 22;
    return word;
}

QString ClockConfig::pllcfgText() const
{
    return QStringLiteral("0x%1").arg(pllcfgWord(), 8, 16, QLatin1Char('0'));
}

// Shared by the two oscillator predicates: whether `osc` (HEXT or HICK) is
// needed, where `pllOnOsc` says whether the PLL reference is that oscillator.
static bool oscillatorNeeded(const ClockConfig &c, ClockSourceKind osc, bool pllOnOsc)
{
    const SeriesParams &p = row(c);
    for (int i = 0; i < p.clockOutputs.size(); ++i) {
        const ClockSourceKind kind = clockOutputKind(c, p, i);
        if (kind == osc || (isPllKind(kind) && pllOnOsc))
            return true;
    }
    const int direct = osc == ClockSourceKind::Hext ? ClockConfig::SclkHext : ClockConfig::SclkHick;
    if (c.sclkSource == direct || (c.sclkSource == ClockConfig::SclkPll && pllOnOsc))
        return true;
    if (!p.hasUsb() || c.usbDisabled != 0)
        return false;
    if (p.usbHickIgnored)
        return pllOnOsc;
    if (osc == ClockSourceKind::Hext)
        return c.usbSourceHick48 == 0 && pllOnOsc;
    return c.usbSourceHick48 != 0 || pllOnOsc;
}

bool ClockConfig::hextNeeded() const
{
    return oscillatorNeeded(*this, ClockSourceKind::Hext, pllSourceHick == 0);
}

bool ClockConfig::hickNeeded() const
{
    return oscillatorNeeded(*this, ClockSourceKind::Hick, pllSourceHick != 0);
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

QVariant ClockConfig::fieldValue(QLatin1String name) const
{
    for (const FieldDesc &f : kFields) {
        if (name != QLatin1String(f.name))
            continue;
        if (f.i)
            return this->*f.i;
        if (f.d)
            return this->*f.d;
        return this->*f.b;
    }
    return QVariant();
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

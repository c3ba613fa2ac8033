#include "ClockSolver.h"

#include "ClockRules.h"
#include "ControlTable.h"
#include "SeriesTable.h"
#include "TreeClocks.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <numeric>

namespace {

using ControlTable::Control;

// The clocks a want may name, by position.
enum Clk { CSclk, CAhb, CApb1, CApb1Tmr, CApb2, CApb2Tmr, CPll, CUsb, CAdc, COut0, COut1, ClkCount };

constexpr int kMaxMaxWants = 4;

// What the ranking weighs, summed over the parts of a design.
struct Key {
    int unmet = 0;
    std::array<Rational, kMaxMaxWants> negMax{}; // minus each Max want's clock: lower is better
    int changes = 0;
    Rational error;
};

Key operator+(const Key &a, const Key &b)
{
    Key k;
    k.unmet = a.unmet + b.unmet;
    for (int i = 0; i < kMaxMaxWants; ++i)
        k.negMax[i] = b.negMax[i].isZero() ? a.negMax[i] : a.negMax[i] + b.negMax[i];
    k.changes = a.changes + b.changes;
    k.error = b.error.isZero() ? a.error : a.error + b.error;
    return k;
}

// Strictly better; equal keys leave the search's order to decide.
bool lessKey(const Key &a, const Key &b)
{
    if (a.unmet != b.unmet)
        return a.unmet < b.unmet;
    for (int i = 0; i < kMaxMaxWants; ++i) {
        if (a.negMax[i] != b.negMax[i])
            return a.negMax[i] < b.negMax[i];
    }
    if (a.changes != b.changes)
        return a.changes < b.changes;
    return a.error < b.error;
}

Rational exact(double value)
{
    return Rational::fromDecimal(value);
}

template <typename T> QVector<T> withStart(QVector<T> list, T start)
{
    if (!list.contains(start))
        list.append(start);
    return list;
}

// One setting of the PLL: its input path, mode and factors, weighed once per output frequency.
struct PllVariant {
    int source = 0, divEnabled = 0, divValue = 0, flexible = 0, mult = 0, ms = 0, ns = 0, fr = 0;
    Rational out;
    bool valid = false; // may be in use: factors within their rules, output within the limits
    int changes = 0;
    int members = 1; // factor sets of this output
};

struct BusChoice {
    int ahb = 0, apb1 = 0, apb2 = 0, adcEnabled = 0, adcDiv = 0;
};

struct UsbChoice {
    int disabled = 1, hick48 = 0;
    double div = 1.0;
    Rational exactDiv{1};
};

struct OutChoice {
    int source = 0, div1 = 1, div2 = 1;
};

// The bus with the ADC on and the one output that takes the ADC clock.
struct BusOut {
    BusChoice bus;
    OutChoice out;
};

template <typename Choice> struct Best {
    bool ok = false;
    Key key;
    Choice choice;
    void offer(const Key &k, const Choice &c)
    {
        if (!ok || lessKey(k, key)) {
            ok = true;
            key = k;
            choice = c;
        }
    }
};

class Search {
public:
    Search(const ClockConfig &start, const QVector<ClockWant> &wants, const QStringList &keeps,
           const ClockSolver::Space &space)
        : m_start(start), m_p(*start.params()), m_space(space), m_wants(wants)
    {
        m_clockName = ClockSolver::clockNames(m_p);
        const TreeClockList clocks = TreeClocks::of(start);
        for (int c = 0; c < ClkCount; ++c) {
            const TreeClock *clock = TreeClocks::find(clocks, nameOf(c));
            m_startInUse[c] = clock && (clock->inUse || c == CPll);
            m_startValue[c] = clock ? clock->mhz : Rational();
        }
        for (const QString &name : keeps)
            m_keep[idOf(name)] = true;
        int slot = 0;
        for (int w = 0; w < wants.size(); ++w) {
            m_wantsOf[idOf(wants.at(w).clock)].append(w);
            m_maxSlot.append(wants.at(w).kind == ClockWant::Kind::Max ? slot++ : -1);
        }
        m_hext = exact(start.hextMHz);
        m_hick = exact(start.hickMHz);
        m_lick = exact(start.lickKHz) / Rational(1000);
        m_lext = exact(start.lextKHz) / Rational(1000);
        for (int i = 0; i < m_p.clockOutputs.size() && i < 2; ++i) {
            m_live[i] = ClockRules::clockOutputLive(start, i);
            m_active[i] = m_live[i] && (m_keep[COut0 + i] || !m_wantsOf[COut0 + i].isEmpty());
            // An output without a pin gives no clock: what is asked of it is unmet.
            if (!m_live[i])
                score(COut0 + i, false, Rational(), m_deadOutputs);
        }
    }

    static int idOfName(const SeriesParams &p, const QString &name)
    {
        const QStringList names = ClockSolver::clockNames(p);
        if (!names.contains(name))
            return -1;
        static const char *const kFixed[] = {"sclk",    "ahb", "apb1", "apb1tmr", "apb2",
                                             "apb2tmr", "pll", "usb",  "adc"};
        for (int c = 0; c < 9; ++c) {
            if (name == QLatin1String(kFixed[c]))
                return c;
        }
        return name == QLatin1String("clkout2") ? COut1 : COut0;
    }

    ClockSolver::Result run(int count);

private:
    QString nameOf(int c) const
    {
        static const char *const kFixed[] = {"sclk",    "ahb", "apb1", "apb1tmr", "apb2",
                                             "apb2tmr", "pll", "usb",  "adc"};
        if (c < COut0)
            return QLatin1String(kFixed[c]);
        if (!m_p.multiOutput())
            return QStringLiteral("clkout");
        return c == COut0 ? QStringLiteral("clkout1") : QStringLiteral("clkout2");
    }
    int idOf(const QString &name) const { return idOfName(m_p, name); }

    // Adds what clock `c` at `value` does to the wants; false when it breaks a keep.
    bool score(int c, bool inUse, const Rational &value, Key &key) const
    {
        if (m_keep[c]) {
            if (m_startInUse[c] != inUse || (inUse && value != m_startValue[c]))
                return false;
        }
        for (int w : m_wantsOf[c]) {
            const ClockWant &want = m_wants.at(w);
            if (!inUse || !want.metBy(value))
                ++key.unmet;
            switch (want.kind) {
            case ClockWant::Kind::Max:
                if (inUse)
                    key.negMax[m_maxSlot.at(w)] = key.negMax[m_maxSlot.at(w)] - value;
                break;
            case ClockWant::Kind::Exact:
                if (!inUse)
                    key.error = key.error + want.mhz;
                else if (value != want.mhz)
                    key.error = key.error + (value - want.mhz).abs();
                break;
            default:
                break;
            }
        }
        return true;
    }

    void buildPllVariants();
    void addFlexibleVariants(const PllVariant &path, const Rational &in);
    Rational pllInput(const PllVariant &v) const;

    // Every setting of the buses below the system clock that keeps the limits,
    // APB1 at its best for each AHB; `offer` takes its key, choice and ADC clock.
    template <typename Offer> void walkBus(const Rational &sclk, bool adcOn, Offer &&offer);
    Best<BusChoice> bus(const Rational &sclk, bool adcRequired);
    Best<BusOut> busWithAdcOutput(const Rational &sclk, int output);
    Best<UsbChoice> usbAlone(int variant, bool needEnabled);
    bool usbOption(const UsbChoice &u, const PllVariant &pll, bool needEnabled, Key &key,
                   Rational *usb) const;
    QVector<UsbChoice> usbChoices() const;
    // The best setting of live output `i` from the sources it may take, ADC aside or ADC alone.
    // Which sources of an output: those that depend on the USB setting, on the
    // PLL, or on neither (the ADC is weighed with the bus).
    enum class Part { Usb, Pll, Rest };
    Best<OutChoice> output(int i, const Rational &sclk, const PllVariant &pll, const UsbChoice *usb,
                           const Rational &usbValue, int sclkHick48, int sclkSource, Part part);
    // The sources that do not depend on the USB setting, remembered per system clock and PLL.
    Best<OutChoice> outputWithoutUsb(int i, const Rational &sclk, int variant, int sclkHick48,
                                     int sclkSource);
    Best<OutChoice> outputFromSource(int i, int source, ClockSourceKind kind, const Rational &value);
    bool fixedOutputsOk(const PllVariant &pll, bool *needUsb, bool *needAdc) const;

    ClockConfig designRecord(int sclkSource, int hick48, const PllVariant &v, const BusChoice &b,
                             const UsbChoice &u, const OutChoice *outs) const;

    const ClockConfig &m_start;
    const SeriesParams &m_p;
    const ClockSolver::Space &m_space;
    const QVector<ClockWant> &m_wants;
    QStringList m_clockName;
    bool m_keep[ClkCount] = {};
    bool m_startInUse[ClkCount] = {};
    Rational m_startValue[ClkCount];
    QVector<int> m_wantsOf[ClkCount];
    QVector<int> m_maxSlot;
    Rational m_hext, m_hick, m_lick, m_lext;
    bool m_live[2] = {};
    bool m_active[2] = {};
    Key m_deadOutputs; // the wants on outputs without a pin

    QVector<PllVariant> m_variants;
    QHash<Rational, Best<BusChoice>> m_busMemo[2];
    QHash<Rational, Best<BusOut>> m_busAdcMemo;
    QHash<QPair<int, int>, Best<UsbChoice>> m_usbMemo; // (variant, needEnabled)
    QVector<UsbChoice> m_usbChoices;
    QHash<Rational, Best<OutChoice>> m_sourceMemo[2][16];
    QHash<QPair<Rational, int>, Best<OutChoice>> m_restMemo[2]; // (sclk, HICK at full speed)
    QHash<int, Best<OutChoice>> m_pllOutMemo[2];                // by PLL variant
};

Rational Search::pllInput(const PllVariant &v) const
{
    if (v.source != 0)
        return m_hick / Rational(m_p.hickToPllDiv);
    if (m_p.hasHextPllDivPath() && v.divEnabled != 0)
        return m_hext / Rational(v.divValue > 0 ? v.divValue : m_p.hextPllDivs.first());
    return m_hext;
}

void Search::buildPllVariants()
{
    const ClockConfig &s = m_start;
    for (int source : m_space.pllSourceHick) {
        const bool hextPath = source == 0 && m_p.hasHextPllDivPath();
        for (int divEnabled : hextPath ? m_space.hextDivEnabled : QVector<int>{s.hextDivEnabled}) {
            const bool chooseDiv = hextPath && divEnabled != 0 && ControlTable::has(m_p, Control::HextDiv);
            for (int divValue : chooseDiv ? m_space.hextDivValue : QVector<int>{s.hextDivValue}) {
                for (int flexible : m_space.pllFlexible) {
                    PllVariant path;
                    path.source = source;
                    path.divEnabled = divEnabled;
                    path.divValue = divValue;
                    path.flexible = flexible;
                    path.mult = s.pllMult;
                    path.ms = s.pllMs;
                    path.ns = s.pllNs;
                    path.fr = s.pllFr;
                    path.changes = (source != s.pllSourceHick) + (divEnabled != s.hextDivEnabled) +
                                   (divValue != s.hextDivValue) + (flexible != s.pllFlexible);
                    ClockConfig probe = s;
                    probe.pllFlexible = flexible;
                    const Rational in = pllInput(path);
                    if (probe.flexiblePllActive()) {
                        addFlexibleVariants(path, in);
                        continue;
                    }
                    const bool divided = source == 0 && m_p.hasHextPllDivPath() && divEnabled != 0;
                    const bool inputOk =
                        !(source == 0 && m_p.pllInputRangeCheck) || (in >= Rational(2) && in <= Rational(16));
                    const bool divOk = !divided || divValue == 0 || m_p.hextPllDivs.contains(divValue);
                    for (int mult : m_space.pllMult) {
                        PllVariant v = path;
                        v.mult = mult;
                        v.changes += mult != s.pllMult;
                        v.out = in * Rational(mult);
                        v.valid = inputOk && divOk && mult >= ClockConfig::kPllMultMin &&
                                  mult <= ClockConfig::kPllMultMax && v.out <= Rational(m_p.sclkLimitMHz) &&
                                  !(m_p.pllMinMHz > 0 && v.out < Rational(m_p.pllMinMHz));
                        m_variants << v;
                    }
                }
            }
        }
    }
}

void Search::addFlexibleVariants(const PllVariant &path, const Rational &in)
{
    const ClockConfig &s = m_start;
    // Factor sets of one output differ only in which factors change: the one
    // changing fewest stands for all (the first in the search's order on a tie).
    QHash<QPair<int, int>, int> byRatio;
    const int first = m_variants.size();
    const Rational limit(m_p.sclkLimitMHz);
    // The input as num / den: the rules' bounds compared in whole numbers.
    const __int128 inNum = in.num();
    const __int128 inDen = in.den();
    for (int fr : m_space.pllFr) {
        for (int ms : m_space.pllMs) {
            // Reference within 2..16 MHz.
            if (ms < ClockConfig::kMsMin || ms > ClockConfig::kMsMax || inNum < 2 * ms * inDen ||
                inNum > 16 * ms * inDen)
                continue;
            for (int ns : m_space.pllNs) {
                if (ns < ClockConfig::kNsMin || ns > ClockConfig::kNsMax)
                    continue;
                // Oscillator ns x in / ms within 500..1000 MHz.
                const __int128 vco = ns * inNum;
                if (vco < 500 * ms * inDen || vco > 1000 * ms * inDen)
                    continue;
                const int den = ms * fr;
                const int g = std::gcd(ns, den);
                const QPair<int, int> ratio(ns / g, den / g);
                const int changes = (ms != s.pllMs) + (ns != s.pllNs) + (fr != s.pllFr);
                const auto found = byRatio.constFind(ratio);
                if (found != byRatio.constEnd()) {
                    PllVariant &v = m_variants[*found];
                    ++v.members;
                    if (path.changes + changes < v.changes) {
                        v.ms = ms;
                        v.ns = ns;
                        v.fr = fr;
                        v.changes = path.changes + changes;
                    }
                    continue;
                }
                PllVariant v = path;
                v.ms = ms;
                v.ns = ns;
                v.fr = fr;
                v.changes += changes;
                v.out = in * Rational(ratio.first, ratio.second);
                v.valid = v.out <= limit;
                byRatio.insert(ratio, m_variants.size());
                m_variants << v;
            }
        }
    }
    // The start's own factors, when no rule lets them stand, only while the PLL is unused.
    bool startSeen = false;
    for (int i = first; i < m_variants.size() && !startSeen; ++i)
        startSeen = m_variants.at(i).changes == path.changes;
    if (!startSeen) {
        PllVariant v = path;
        const int den = s.pllMs * s.pllFr;
        v.out = den > 0 ? in * Rational(s.pllNs) / Rational(den) : Rational();
        v.valid = false;
        m_variants << v;
    }
}

template <typename Offer> void Search::walkBus(const Rational &sclk, bool adcOn, Offer &&offer)
{
    const ClockConfig &s = m_start;
    const Rational apbLimit(m_p.apbLimitMHz);
    for (int ahb : m_space.ahbDiv) {
        const Rational a = sclk / Rational(ahb);
        Key ka;
        ka.changes = ahb != s.ahbDiv;
        if (!score(CAhb, true, a, ka))
            continue;
        // APB1 feeds nothing else: its best divider alone.
        Best<int> apb1;
        for (int d : m_space.apb1Div) {
            const Rational v = a / Rational(d);
            Key k;
            k.changes = d != s.apb1Div;
            if (v > apbLimit || !score(CApb1, true, v, k) ||
                !score(CApb1Tmr, true, d != 1 ? v * Rational(2) : v, k))
                continue;
            apb1.offer(k, d);
        }
        if (!apb1.ok)
            continue;
        for (int d : m_space.apb2Div) {
            const Rational v = a / Rational(d);
            Key k = ka + apb1.key;
            k.changes += d != s.apb2Div;
            if (v > apbLimit || !score(CApb2, true, v, k) ||
                !score(CApb2Tmr, true, d != 1 ? v * Rational(2) : v, k))
                continue;
            for (int enabled : m_space.adcEnabled) {
                if (adcOn && !enabled)
                    continue;
                for (int div : enabled ? m_space.adcDiv : QVector<int>{s.adcDiv}) {
                    Key kd = k;
                    kd.changes += (enabled != int(s.adcEnabled)) + (div != s.adcDiv);
                    const Rational adc = enabled ? v / Rational(div) : Rational();
                    if (enabled && m_p.hasAdc() && adc > Rational(m_p.adcLimitMHz))
                        continue;
                    if (m_p.hasAdc() && !score(CAdc, enabled != 0, adc, kd))
                        continue;
                    offer(kd, BusChoice{ahb, apb1.choice, d, enabled, div}, adc);
                }
            }
        }
    }
}

Best<BusChoice> Search::bus(const Rational &sclk, bool adcRequired)
{
    QHash<Rational, Best<BusChoice>> &memo = m_busMemo[adcRequired ? 1 : 0];
    const auto found = memo.constFind(sclk);
    if (found != memo.constEnd())
        return *found;
    Best<BusChoice> best;
    walkBus(sclk, adcRequired,
            [&best](const Key &k, const BusChoice &c, const Rational &) { best.offer(k, c); });
    memo.insert(sclk, best);
    return best;
}

// The bus with the ADC on, each weighed with the best setting of output `i` taking the ADC clock.
Best<BusOut> Search::busWithAdcOutput(const Rational &sclk, int i)
{
    const auto found = m_busAdcMemo.constFind(sclk);
    if (found != m_busAdcMemo.constEnd())
        return *found;
    int adcSource = -1;
    for (int source : m_space.outSource.at(i)) {
        const ClockSourceItem *item = m_p.clockOutputs.at(i).sourceByCode(source);
        if (item && item->kind == ClockSourceKind::Adc)
            adcSource = source;
    }
    Best<BusOut> best;
    if (adcSource >= 0) {
        walkBus(sclk, true, [&](const Key &k, const BusChoice &c, const Rational &adc) {
            const Best<OutChoice> out = outputFromSource(i, adcSource, ClockSourceKind::Adc, adc);
            if (out.ok)
                best.offer(k + out.key, BusOut{c, out.choice});
        });
    }
    m_busAdcMemo.insert(sclk, best);
    return best;
}

QVector<UsbChoice> Search::usbChoices() const
{
    const ClockConfig &s = m_start;
    QVector<UsbChoice> out;
    if (!m_p.hasUsb()) {
        out << UsbChoice{s.usbDisabled, s.usbSourceHick48, s.usbDiv, exact(s.usbDiv)};
        return out;
    }
    for (int disabled : m_space.usbDisabled) {
        if (disabled) {
            out << UsbChoice{1, s.usbSourceHick48, s.usbDiv, exact(s.usbDiv)};
            continue;
        }
        for (int hick : m_p.usbHickRadios ? m_space.usbSourceHick48 : QVector<int>{s.usbSourceHick48}) {
            const bool fromPll = m_p.usbHickIgnored || hick == 0;
            for (double div : fromPll ? m_space.usbDiv : QVector<double>{s.usbDiv})
                out << UsbChoice{0, hick, div, exact(div)};
        }
    }
    return out;
}

bool Search::usbOption(const UsbChoice &u, const PllVariant &pll, bool needEnabled, Key &key,
                       Rational *usb) const
{
    const ClockConfig &s = m_start;
    if (!m_p.hasUsb()) {
        *usb = Rational();
        return !needEnabled;
    }
    key.changes += (u.disabled != s.usbDisabled) + (u.hick48 != s.usbSourceHick48) + (u.div != s.usbDiv);
    if (u.disabled) {
        *usb = Rational();
        return !needEnabled && score(CUsb, false, Rational(), key);
    }
    const bool fromPll = m_p.usbHickIgnored || u.hick48 == 0;
    if (fromPll && !pll.valid)
        return false;
    *usb = fromPll ? pll.out / u.exactDiv : m_hick;
    // Anything but exactly 48 MHz is a warning of the checks before saving.
    return *usb == Rational(48) && score(CUsb, true, *usb, key);
}

Best<UsbChoice> Search::usbAlone(int variant, bool needEnabled)
{
    const QPair<int, int> memoKey(variant, needEnabled ? 1 : 0);
    const auto found = m_usbMemo.constFind(memoKey);
    if (found != m_usbMemo.constEnd())
        return *found;
    Best<UsbChoice> best;
    for (const UsbChoice &u : m_usbChoices) {
        Key k;
        Rational value;
        if (usbOption(u, m_variants.at(variant), needEnabled, k, &value))
            best.offer(k, u);
    }
    m_usbMemo.insert(memoKey, best);
    return best;
}

Best<OutChoice> Search::outputFromSource(int i, int source, ClockSourceKind kind, const Rational &value)
{
    const int slot = qBound(0, int(kind), 15);
    QHash<Rational, Best<OutChoice>> &memo = m_sourceMemo[i][slot];
    const auto key = kind == ClockSourceKind::None ? Rational() : value;
    // One memo per source kind: a kind has one code per output.
    const auto found = memo.constFind(key);
    if (found != memo.constEnd())
        return *found;
    const ClockConfig &s = m_start;
    const bool multi = m_p.multiOutput();
    const int startSource = !multi ? s.clkoutSource : i == 0 ? s.clkout1Source : s.clkout2Source;
    const int startDiv1 = !multi ? s.clkoutDiv : i == 0 ? s.clkout1Div1 : s.clkout2Div1;
    const int startDiv2 = !multi ? 1 : i == 0 ? s.clkout1Div2 : s.clkout2Div2;
    Best<OutChoice> best;
    for (int d1 : m_space.outDiv1.at(i)) {
        for (int d2 : m_space.outDiv2.at(i)) {
            Key k;
            k.changes = (source != startSource) + (d1 != startDiv1) + (d2 != startDiv2);
            const bool inUse = kind != ClockSourceKind::None;
            if (!score(COut0 + i, inUse, inUse ? value / Rational(d1 * d2) : Rational(), k))
                continue;
            best.offer(k, OutChoice{source, d1, d2});
        }
    }
    memo.insert(key, best);
    return best;
}

Best<OutChoice> Search::output(int i, const Rational &sclk, const PllVariant &pll, const UsbChoice *usb,
                               const Rational &usbValue, int sclkHick48, int sclkSource, Part part)
{
    Best<OutChoice> best;
    const bool usbOn = m_p.hasUsb() && usb && usb->disabled == 0;
    const bool usbOnHick = usbOn && !m_p.usbHickIgnored && usb->hick48 == 1;
    const bool hickFull = m_p.hickSclkUndivided || m_p.hickOutputUndivided ||
                          (sclkSource == ClockConfig::SclkHick && sclkHick48);
    const bool full = hickFull || usbOnHick;
    for (int source : m_space.outSource.at(i)) {
        const ClockSourceItem *item = m_p.clockOutputs.at(i).sourceByCode(source);
        if (!item || item->kind == ClockSourceKind::Adc)
            continue;
        const bool pllDependent = item->kind == ClockSourceKind::Pll ||
                                  item->kind == ClockSourceKind::PllDiv2 ||
                                  item->kind == ClockSourceKind::PllDiv4;
        const bool usbDependent =
            item->kind == ClockSourceKind::Usb || (item->kind == ClockSourceKind::Hick && !hickFull);
        if ((part == Part::Usb) != usbDependent || (part == Part::Pll) != pllDependent)
            continue;
        Rational value;
        switch (item->kind) {
        case ClockSourceKind::None:
            break;
        case ClockSourceKind::Lick:
            value = m_lick;
            break;
        case ClockSourceKind::Lext:
            value = m_lext;
            break;
        case ClockSourceKind::Hick:
            value = full ? m_hick : m_hick / Rational(6);
            break;
        case ClockSourceKind::Hext:
            value = m_hext;
            break;
        case ClockSourceKind::Sclk:
            value = sclk;
            break;
        case ClockSourceKind::Usb:
            if (!usbOn)
                continue;
            value = usbValue;
            break;
        case ClockSourceKind::Adc:
            continue;
        case ClockSourceKind::Pll:
        case ClockSourceKind::PllDiv2:
        case ClockSourceKind::PllDiv4:
            if (!pll.valid)
                continue;
            value = pll.out / Rational(item->kind == ClockSourceKind::Pll       ? 1
                                       : item->kind == ClockSourceKind::PllDiv2 ? 2
                                                                                : 4);
            break;
        }
        const Best<OutChoice> b = outputFromSource(i, source, item->kind, value);
        if (b.ok)
            best.offer(b.key, b.choice);
    }
    return best;
}

Best<OutChoice> Search::outputWithoutUsb(int i, const Rational &sclk, int variant, int sclkHick48,
                                         int sclkSource)
{
    const bool hickFull = m_p.hickSclkUndivided || m_p.hickOutputUndivided ||
                          (sclkSource == ClockConfig::SclkHick && sclkHick48);
    const QPair<Rational, int> restKey(sclk, hickFull ? 1 : 0);
    auto rest = m_restMemo[i].constFind(restKey);
    if (rest == m_restMemo[i].constEnd())
        rest = m_restMemo[i].insert(restKey, output(i, sclk, m_variants.at(variant), nullptr, Rational(),
                                                    sclkHick48, sclkSource, Part::Rest));
    auto pll = m_pllOutMemo[i].constFind(variant);
    if (pll == m_pllOutMemo[i].constEnd())
        pll = m_pllOutMemo[i].insert(variant, output(i, sclk, m_variants.at(variant), nullptr, Rational(),
                                                     sclkHick48, sclkSource, Part::Pll));
    Best<OutChoice> best = *rest;
    if (pll->ok)
        best.offer(pll->key, pll->choice);
    return best;
}

// Live outputs nobody asks about keep their setting: it must stay usable.
bool Search::fixedOutputsOk(const PllVariant &pll, bool *needUsb, bool *needAdc) const
{
    *needUsb = false;
    *needAdc = false;
    for (int i = 0; i < 2; ++i) {
        if (!m_live[i] || m_active[i])
            continue;
        const ClockSourceKind kind = ClockRules::clockOutputSource(m_start, i);
        if ((kind == ClockSourceKind::Pll || kind == ClockSourceKind::PllDiv2 ||
             kind == ClockSourceKind::PllDiv4) &&
            !pll.valid)
            return false;
        *needUsb = *needUsb || kind == ClockSourceKind::Usb;
        if (kind == ClockSourceKind::Adc) {
            if (!m_p.hasAdc())
                return false;
            *needAdc = true;
        }
    }
    return true;
}

ClockConfig Search::designRecord(int sclkSource, int hick48, const PllVariant &v, const BusChoice &b,
                                 const UsbChoice &u, const OutChoice *outs) const
{
    ClockConfig c = m_start;
    c.sclkSource = sclkSource;
    c.hickSclk48 = hick48;
    c.pllSourceHick = v.source;
    c.hextDivEnabled = v.divEnabled;
    c.hextDivValue = v.divValue;
    c.pllFlexible = v.flexible;
    c.pllMult = v.mult;
    c.pllMs = v.ms;
    c.pllNs = v.ns;
    c.pllFr = v.fr;
    c.ahbDiv = b.ahb;
    c.apb1Div = b.apb1;
    c.apb2Div = b.apb2;
    c.adcEnabled = b.adcEnabled != 0;
    c.adcDiv = b.adcDiv;
    c.usbDisabled = u.disabled;
    c.usbSourceHick48 = u.hick48;
    c.usbDiv = u.div;
    for (int i = 0; i < m_p.clockOutputs.size() && i < 2; ++i) {
        if (!m_live[i])
            continue;
        if (!m_p.multiOutput()) {
            c.clkoutSource = outs[i].source;
            c.clkoutDiv = outs[i].div1;
        } else if (i == 0) {
            c.clkout1Source = outs[i].source;
            c.clkout1Div1 = outs[i].div1;
            c.clkout1Div2 = outs[i].div2;
        } else {
            c.clkout2Source = outs[i].source;
            c.clkout2Div1 = outs[i].div1;
            c.clkout2Div2 = outs[i].div2;
        }
    }
    c.recompute();
    // The recompute leaves a USB clock from HICK to the edit that chose it.
    if (ClockRules::usbEnabled(c) && !ClockRules::usbFromPll(c))
        c.usbMHz = c.hickMHz;
    return c;
}

} // namespace

namespace {

quint64 outputCount(const ClockSolver::Space &space, int i)
{
    return quint64(space.outSource.at(i).size()) * quint64(space.outDiv1.at(i).size()) *
           quint64(space.outDiv2.at(i).size());
}

} // namespace

ClockSolver::Result Search::run(int count)
{
    buildPllVariants();
    m_usbChoices = usbChoices();
    struct Entry {
        Key key;
        int order = 0;
        int sclkSource = 0, hick48 = 0, variant = 0;
        BusChoice bus;
        UsbChoice usb;
        OutChoice outs[2];
    };
    const ClockConfig &s = m_start;
    const Rational limit(m_p.sclkLimitMHz);
    const quint64 adcCombos = m_p.hasAdc() ? 1 + quint64(m_space.adcDiv.size()) : 1;
    const quint64 busCount = quint64(m_space.ahbDiv.size()) * quint64(m_space.apb1Div.size()) *
                             quint64(m_space.apb2Div.size()) * adcCombos;
    quint64 outCount = 1;
    OutChoice startOuts[2];
    for (int i = 0; i < m_p.clockOutputs.size() && i < 2; ++i) {
        if (m_live[i])
            outCount *= outputCount(m_space, i);
        const bool multi = m_p.multiOutput();
        startOuts[i] = {!multi   ? s.clkoutSource
                        : i == 0 ? s.clkout1Source
                                 : s.clkout2Source,
                        !multi   ? s.clkoutDiv
                        : i == 0 ? s.clkout1Div1
                                 : s.clkout2Div1,
                        !multi   ? 1
                        : i == 0 ? s.clkout1Div2
                                 : s.clkout2Div2};
    }
    const quint64 below = busCount * quint64(m_usbChoices.size()) * outCount;
    const bool hasHickToSclk = ControlTable::has(m_p, Control::HickToSclk);
    const bool anyActive = m_active[0] || m_active[1];

    ClockSolver::Result result;
    // The settings above the system clock first: each with what it alone
    // gives the ranking, which the settings below can only worsen (unless a
    // clock below is to be as high as it goes).
    struct Top {
        Key key;
        int order = 0;
        int sclkSource = 0, hick48 = 0, variant = 0;
        Rational sclk;
    };
    QVector<Top> tops;
    int order = 0;
    for (int sclkSource : m_space.sclkSource) {
        const bool hick = sclkSource == ClockConfig::SclkHick;
        for (int hick48 : hick &&hasHickToSclk ? m_space.hickSclk48 : QVector<int>{s.hickSclk48}) {
            for (int vi = 0; vi < m_variants.size(); ++vi) {
                const PllVariant &v = m_variants.at(vi);
                ++order;
                if (sclkSource == ClockConfig::SclkPll && !v.valid)
                    continue;
                Top t;
                if (sclkSource == ClockConfig::SclkPll)
                    t.sclk = v.out;
                else if (sclkSource == ClockConfig::SclkHext)
                    t.sclk = m_hext;
                else if (hick)
                    t.sclk = m_p.hickSclkUndivided || hick48 ? m_hick : m_hick / Rational(6);
                if (t.sclk > limit)
                    continue;
                result.searched += quint64(v.members) * below;
                t.key = m_deadOutputs;
                t.key.changes = v.changes + (sclkSource != s.sclkSource) + (hick48 != s.hickSclk48);
                if (!score(CSclk, true, t.sclk, t.key) || !score(CPll, true, v.out, t.key))
                    continue;
                t.order = order;
                t.sclkSource = sclkSource;
                t.hick48 = hick48;
                t.variant = vi;
                tops << t;
            }
        }
    }
    bool bounded = true;
    for (int c = 0; c < ClkCount; ++c) {
        for (int w : m_wantsOf[c])
            bounded = bounded && (c == CSclk || c == CPll || m_wants.at(w).kind != ClockWant::Kind::Max);
    }
    if (bounded)
        std::sort(tops.begin(), tops.end(), [](const Top &a, const Top &b) {
            return lessKey(a.key, b.key) || (!lessKey(b.key, a.key) && a.order < b.order);
        });
    QVector<Entry> entries;
    QVector<Key> kept; // the best `count` keys so far, best first
    const auto addEntry = [&](const Entry &e) {
        entries << e;
        const auto at = std::upper_bound(kept.begin(), kept.end(), e.key, lessKey);
        kept.insert(at, e.key);
        if (kept.size() > count)
            kept.removeLast();
    };
    for (const Top &t : tops) {
        // No design below this one can enter the best `count`.
        if (bounded && kept.size() >= count && lessKey(kept.last(), t.key))
            break;
        const PllVariant &v = m_variants.at(t.variant);
        const int vi = t.variant;
        const int sclkSource = t.sclkSource;
        const int hick48 = t.hick48;
        const Rational &sclk = t.sclk;
        const Key &top = t.key;
        Entry e;
        e.order = t.order;
        e.sclkSource = sclkSource;
        e.hick48 = hick48;
        e.variant = vi;
        e.outs[0] = startOuts[0];
        e.outs[1] = startOuts[1];
        {
            {
                bool needUsb = false;
                bool needAdc = false;
                if (!fixedOutputsOk(v, &needUsb, &needAdc))
                    continue;
                const Best<BusChoice> b = bus(sclk, needAdc);
                if (!anyActive) {
                    const Best<UsbChoice> u = usbAlone(vi, needUsb);
                    if (!b.ok || !u.ok)
                        continue;
                    e.key = top + b.key + u.key;
                    e.bus = b.choice;
                    e.usb = u.choice;
                    addEntry(e);
                    continue;
                }
                // The outputs asked about, with the USB setting they may take their clock from.
                bool found = false;
                if (b.ok) {
                    // What the outputs can do without the USB setting, once per design above it.
                    Best<OutChoice> fixed[2];
                    for (int i = 0; i < 2; ++i) {
                        if (m_active[i])
                            fixed[i] = outputWithoutUsb(i, sclk, vi, hick48, sclkSource);
                    }
                    for (const UsbChoice &u : m_usbChoices) {
                        Key k;
                        Rational usb;
                        if (!usbOption(u, v, needUsb, k, &usb))
                            continue;
                        OutChoice outs[2] = {startOuts[0], startOuts[1]};
                        bool ok = true;
                        for (int i = 0; i < 2 && ok; ++i) {
                            if (!m_active[i])
                                continue;
                            Best<OutChoice> o = output(i, sclk, v, &u, usb, hick48, sclkSource, Part::Usb);
                            if (fixed[i].ok && (!o.ok || !lessKey(o.key, fixed[i].key)))
                                o = fixed[i];
                            ok = o.ok;
                            k = k + o.key;
                            outs[i] = o.choice;
                        }
                        const Key total = top + b.key + k;
                        if (ok && (!found || lessKey(total, e.key))) {
                            found = true;
                            e.key = total;
                            e.bus = b.choice;
                            e.usb = u;
                            e.outs[0] = outs[0];
                            e.outs[1] = outs[1];
                        }
                    }
                }
                // A single output may take the ADC clock instead: the bus and it are then chosen together.
                if (!m_p.multiOutput() && m_p.hasAdc() && m_active[0]) {
                    const Best<BusOut> ba = busWithAdcOutput(sclk, 0);
                    const Best<UsbChoice> u = usbAlone(vi, needUsb);
                    if (ba.ok && u.ok) {
                        const Key total = top + ba.key + u.key;
                        if (!found || lessKey(total, e.key)) {
                            found = true;
                            e.key = total;
                            e.bus = ba.choice.bus;
                            e.usb = u.choice;
                            e.outs[0] = ba.choice.out;
                        }
                    }
                }
                if (found)
                    addEntry(e);
            }
        }
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return lessKey(a.key, b.key) || (!lessKey(b.key, a.key) && a.order < b.order);
    });
    const QStringList fields = ClockSolver::settingFields(m_p);
    for (int n = 0; n < entries.size() && n < count; ++n) {
        const Entry &e = entries.at(n);
        ClockSolver::Design d;
        d.record = designRecord(e.sclkSource, e.hick48, m_variants.at(e.variant), e.bus, e.usb, e.outs);
        for (const QString &field : fields) {
            if (d.record.fieldValue(QLatin1String(field.toLatin1())) !=
                s.fieldValue(QLatin1String(field.toLatin1())))
                d.changed << field;
        }
        d.unmet = e.key.unmet;
        d.error = e.key.error;
        d.order = e.order;
        const TreeClockList clocks = TreeClocks::of(d.record);
        for (const ClockWant &want : m_wants) {
            const TreeClock *clock = TreeClocks::find(clocks, want.clock);
            const bool inUse = clock && (clock->inUse || want.clock == QLatin1String("pll"));
            d.met << (inUse && want.metBy(clock->mhz));
            if (want.kind == ClockWant::Kind::Max)
                d.maxima << (inUse ? clock->mhz : Rational());
        }
        result.designs << d;
    }
    return result;
}

// ---- wants ----------------------------------------------------------------------

bool ClockWant::parse(const QString &input, ClockWant *want, QString *error)
{
    const QString text = input.trimmed();
    int at = -1;
    int length = 1;
    Kind kind = Kind::Exact;
    if ((at = text.indexOf(QStringLiteral("<="))) > 0) {
        kind = Kind::AtMost;
        length = 2;
    } else if ((at = text.indexOf(QStringLiteral(">="))) > 0) {
        kind = Kind::AtLeast;
        length = 2;
    } else {
        at = text.indexOf(QLatin1Char('='));
    }
    if (at <= 0) {
        *error = QStringLiteral("\"%1\" is not CLOCK=MHZ, CLOCK<=MHZ, CLOCK>=MHZ or CLOCK=max").arg(input);
        return false;
    }
    want->clock = text.left(at).trimmed();
    const QString value = text.mid(at + length).trimmed();
    if (kind == Kind::Exact && value == QLatin1String("max")) {
        want->kind = Kind::Max;
        want->mhz = Rational();
        return true;
    }
    want->kind = kind;
    if (!Rational::parse(value, &want->mhz) || want->mhz < Rational(0)) {
        *error = QStringLiteral("\"%1\": \"%2\" is no frequency in MHz").arg(input, value);
        return false;
    }
    return true;
}

QString ClockWant::text() const
{
    switch (kind) {
    case Kind::Max:
        return clock + QStringLiteral("=max");
    case Kind::AtMost:
        return clock + QStringLiteral("<=") + mhz.text(9);
    case Kind::AtLeast:
        return clock + QStringLiteral(">=") + mhz.text(9);
    case Kind::Exact:
        break;
    }
    return clock + QLatin1Char('=') + mhz.text(9);
}

bool ClockWant::metBy(const Rational &value) const
{
    switch (kind) {
    case Kind::Exact:
        return value == mhz;
    case Kind::AtMost:
        return value <= mhz;
    case Kind::AtLeast:
        return value >= mhz;
    case Kind::Max:
        break;
    }
    return true;
}

// ---- the solver -------------------------------------------------------------------

namespace ClockSolver {

QStringList clockNames(const SeriesParams &series)
{
    QStringList names{QStringLiteral("pll"),    QStringLiteral("sclk"),    QStringLiteral("ahb"),
                      QStringLiteral("apb1"),   QStringLiteral("apb1tmr"), QStringLiteral("apb2"),
                      QStringLiteral("apb2tmr")};
    if (series.hasAdc())
        names << QStringLiteral("adc");
    if (series.hasUsb())
        names << QStringLiteral("usb");
    if (series.multiOutput())
        names << QStringLiteral("clkout1") << QStringLiteral("clkout2");
    else if (!series.clockOutputs.isEmpty())
        names << QStringLiteral("clkout");
    return names;
}

QStringList settingFields(const SeriesParams &series)
{
    // The order `set` applies them in: the PLL's input first, the system
    // clock, USB, the PLL factors, then the dividers below.
    static const Control kOrder[] = {
        Control::PllRcs,      Control::HextDiv,     Control::PllHextDiv,  Control::PllMode,
        Control::SclkSelect,  Control::HickToSclk,  Control::UsbSwitch,   Control::HickToUsb,
        Control::UsbDiv,      Control::PllMult,     Control::PllFr,       Control::PllMs,
        Control::PllNs,       Control::AhbDiv,      Control::Apb1Div,     Control::Apb2Div,
        Control::AdcSwitch,   Control::AdcDiv,      Control::Clkout,      Control::ClkoutDiv,
        Control::Clkout1,     Control::Clkout1Div1, Control::Clkout1Div2, Control::Clkout2,
        Control::Clkout2Div1, Control::Clkout2Div2};
    QStringList fields;
    for (Control id : kOrder) {
        if (ControlTable::has(series, id))
            fields << QLatin1String(ControlTable::row(id).field);
    }
    return fields;
}

Space fullSpace(const ClockConfig &start)
{
    const SeriesParams &p = *start.params();
    const auto has = [&p](Control id) {
        return ControlTable::has(p, id);
    };
    const auto range = [](int first, int last) {
        QVector<int> out;
        for (int v = first; v <= last; ++v)
            out << v;
        return out;
    };
    Space s;
    s.sclkSource = {0, 1, 2};
    s.hickSclk48 = has(Control::HickToSclk) ? QVector<int>{0, 1} : QVector<int>{start.hickSclk48};
    s.pllSourceHick = {0, 1};
    s.hextDivEnabled = has(Control::PllHextDiv) ? QVector<int>{0, 1} : QVector<int>{start.hextDivEnabled};
    s.hextDivValue = has(Control::HextDiv) ? p.hextPllDivs : QVector<int>{start.hextDivValue};
    s.pllFlexible = has(Control::PllMode) ? QVector<int>{0, 1} : QVector<int>{start.pllFlexible};
    s.pllMult = has(Control::PllMult) ? range(ClockConfig::kPllMultMin, ClockConfig::kPllMultMax)
                                      : QVector<int>{start.pllMult};
    const bool flexible = has(Control::PllMs);
    s.pllMs = flexible ? range(ClockConfig::kMsMin, ClockConfig::kMsMax) : QVector<int>{start.pllMs};
    s.pllNs = flexible ? range(ClockConfig::kNsMin, ClockConfig::kNsMax) : QVector<int>{start.pllNs};
    // The order the program's own PLL search weighs them in.
    s.pllFr = flexible ? QVector<int>{32, 16, 8, 4, 2, 1} : QVector<int>{start.pllFr};
    s.ahbDiv = ClockConfig::ahbDivValues();
    s.apb1Div = ClockConfig::apbDivValues();
    s.apb2Div = ClockConfig::apbDivValues();
    s.adcEnabled = p.hasAdc() ? QVector<int>{0, 1} : QVector<int>{int(start.adcEnabled)};
    s.adcDiv = p.hasAdc() ? p.adcDivs : QVector<int>{start.adcDiv};
    s.usbDisabled = p.hasUsb() ? QVector<int>{0, 1} : QVector<int>{start.usbDisabled};
    s.usbSourceHick48 = p.usbHickRadios ? QVector<int>{0, 1} : QVector<int>{start.usbSourceHick48};
    s.usbDiv = p.hasUsb() ? p.usbDivItems() : QVector<double>{start.usbDiv};
    for (int i = 0; i < p.clockOutputs.size() && i < 2; ++i) {
        const ClockOutputParams &out = p.clockOutputs.at(i);
        QVector<int> codes;
        for (const ClockSourceItem &item : out.sources)
            codes << item.code;
        const int startDiv1 = !p.multiOutput() ? start.clkoutDiv
                              : i == 0         ? start.clkout1Div1
                                               : start.clkout2Div1;
        s.outSource << codes;
        s.outDiv1 << (out.div1.isEmpty() ? QVector<int>{startDiv1} : out.div1);
        s.outDiv2 << (p.multiOutput() ? out.div2 : QVector<int>{1});
    }
    return s;
}

Result solve(const ClockConfig &start, const QVector<ClockWant> &wants, const QStringList &keeps,
             const Space &given, int count)
{
    Result result;
    const SeriesParams *series = start.params();
    if (!series) {
        result.error = QStringLiteral("the design names no series");
        return result;
    }
    const QStringList names = clockNames(*series);
    int maxWants = 0;
    for (const ClockWant &want : wants) {
        if (!names.contains(want.clock)) {
            result.error = QStringLiteral("%1 has no clock \"%2\" to solve for; the clocks are: %3")
                               .arg(series->seriesName(), want.clock, names.join(QStringLiteral(", ")));
            return result;
        }
        maxWants += want.kind == ClockWant::Kind::Max;
    }
    if (maxWants > kMaxMaxWants) {
        result.error =
            QStringLiteral("at most %1 clocks can be asked to be as high as they go").arg(kMaxMaxWants);
        return result;
    }
    for (const QString &keep : keeps) {
        if (!names.contains(keep)) {
            result.error = QStringLiteral("%1 has no clock \"%2\" to keep; the clocks are: %3")
                               .arg(series->seriesName(), keep, names.join(QStringLiteral(", ")));
            return result;
        }
    }
    // The start's own value is always among the options.
    Space space = given;
    space.sclkSource = withStart(space.sclkSource, start.sclkSource);
    space.hickSclk48 = withStart(space.hickSclk48, start.hickSclk48);
    space.pllSourceHick = withStart(space.pllSourceHick, start.pllSourceHick);
    space.hextDivEnabled = withStart(space.hextDivEnabled, start.hextDivEnabled);
    space.hextDivValue = withStart(space.hextDivValue, start.hextDivValue);
    space.pllFlexible = withStart(space.pllFlexible, start.pllFlexible);
    space.pllMult = withStart(space.pllMult, start.pllMult);
    space.pllMs = withStart(space.pllMs, start.pllMs);
    space.pllNs = withStart(space.pllNs, start.pllNs);
    space.pllFr = withStart(space.pllFr, start.pllFr);
    space.ahbDiv = withStart(space.ahbDiv, start.ahbDiv);
    space.apb1Div = withStart(space.apb1Div, start.apb1Div);
    space.apb2Div = withStart(space.apb2Div, start.apb2Div);
    space.adcEnabled = withStart(space.adcEnabled, int(start.adcEnabled));
    space.adcDiv = withStart(space.adcDiv, start.adcDiv);
    space.usbDisabled = withStart(space.usbDisabled, start.usbDisabled);
    space.usbSourceHick48 = withStart(space.usbSourceHick48, start.usbSourceHick48);
    space.usbDiv = withStart(space.usbDiv, start.usbDiv);
    for (int i = 0; i < space.outSource.size(); ++i) {
        const bool multi = series->multiOutput();
        space.outSource[i] = withStart(space.outSource[i], !multi   ? start.clkoutSource
                                                           : i == 0 ? start.clkout1Source
                                                                    : start.clkout2Source);
        space.outDiv1[i] = withStart(space.outDiv1[i], !multi   ? start.clkoutDiv
                                                       : i == 0 ? start.clkout1Div1
                                                                : start.clkout2Div1);
        space.outDiv2[i] = withStart(space.outDiv2[i], !multi   ? 1
                                                       : i == 0 ? start.clkout1Div2
                                                                : start.clkout2Div2);
    }
    Search search(start, wants, keeps, space);
    return search.run(qMax(1, count));
}

Result solve(const ClockConfig &start, const QVector<ClockWant> &wants, const QStringList &keeps, int count)
{
    return solve(start, wants, keeps, fullSpace(start), count);
}

} // namespace ClockSolver

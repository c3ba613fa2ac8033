#include "Presentation.h"

#include "ClockRules.h"
#include "SeriesTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace ControlTable;

namespace {

using ClockRules::translated;

QString mhz(double value)
{
    return QString::number(value, 'f', 3);
}

Tone limitTone(bool over)
{
    return over ? Tone::OverLimit : Tone::InLimit;
}

// What the window keeps of its previous look where the design says nothing new.
enum Keep { KeepNothing = 0, KeepText = 1, KeepTone = 2, KeepShown = 4 };

// Builds the presentation of one document in tree order.
class Builder {
public:
    explicit Builder(const DesignDocument &doc) : m_doc(doc), m_s(doc.series()), m_c(doc.record()) {}

    QVector<ControlPresentation> controls;
    QVector<int> keeps;

    void build()
    {
        oscillators();
        rtc();
        gate(add(Control::HickToSclk), m_c.sclkSource == ClockConfig::SclkHick);
        gate(add(Control::PllRcs), ClockRules::pllInUse(m_c));
        flexiblePll();
        multiplierPll();
        systemClock();
        usb();
        for (int i = 0; i < m_s.clockOutputs.size() && i < 2; ++i)
            clockOutput(i);
        panel();
        adc();
        peripheralSelectors();
    }

private:
    bool has(Control id) const { return ControlTable::has(m_s, id); }
    bool multiplier() const { return m_s.pllKind != PllKind::Flexible; }

    // A control whose enabled state follows the design (where `gated`).
    static void gate(ControlPresentation &p, bool on, bool gated = true)
    {
        if (!gated)
            return;
        p.enabled = on;
        p.grayable = true;
    }

    ControlPresentation &label(const QString &name, const QString &text, Tone tone = Tone::Plain,
                               const QString &caption = QString())
    {
        ControlPresentation p;
        p.name = name;
        p.role = ControlRole::Label;
        p.caption = caption;
        p.text = text;
        p.tone = tone;
        return push(p);
    }

    ControlPresentation &push(const ControlPresentation &p, int keep = KeepNothing)
    {
        controls << p;
        keeps << keep;
        return controls.last();
    }

    QString captionOf(Control id) const
    {
        const Row &r = row(id);
        if (id == Control::Sclk)
            return multiplier()
                       ? translated(QT_TRANSLATE_NOOP("Model", "sclk(MHz)"))
                       : translated(QT_TRANSLATE_NOOP("Model", "sclk(4 - %1MHz)")).arg(m_s.sclkLimitMHz);
        if (id == Control::RtcSel)
            return translated(m_s.rtcSelCaption);
        if (id == Control::RtcSwitch)
            return translated(m_s.rtcCaption);
        // Both bypasses are drawn as "bypass", both outputs' pins as "select
        // pin": a screen reader tells them apart.
        if (id == Control::Clkout1Pin || id == Control::Clkout2Pin)
            return translated(id == Control::Clkout1Pin
                                  ? QT_TRANSLATE_NOOP("Model", "clkout1 select pin")
                                  : QT_TRANSLATE_NOOP("Model", "clkout2 select pin"));
        if (id == Control::LextBypass)
            return translated(QT_TRANSLATE_NOOP("Model", "lext bypass"));
        if (id == Control::HextBypass)
            return translated(QT_TRANSLATE_NOOP("Model", "hext bypass"));
        return r.caption ? translated(r.caption) : QLatin1String(r.name);
    }

    // A selection control or an entry of the control table, as the document shows it.
    ControlPresentation &add(Control id)
    {
        if (!has(id)) {
            m_absent = ControlPresentation(); // a control the series does not have
            return m_absent;
        }
        const Row &r = row(id);
        ControlPresentation p;
        p.name = QLatin1String(r.name);
        p.caption = captionOf(id);
        if (r.kind == Kind::Entry) {
            p.role = ControlRole::Entry;
            p.text = m_doc.entryText(id);
        } else {
            p.role = r.kind == Kind::Combo ? ControlRole::Combo : ControlRole::Radio;
            const QStringList texts = labels(m_s, id);
            for (const QString &text : texts)
                p.items << translated(qPrintable(text));
            // A radio whose caption is drawn with the tree: the value it stands for.
            for (int i = texts.size(); i < values(m_s, id).size(); ++i)
                p.items << QString::number(values(m_s, id).at(i));
            p.itemsUsable.fill(true, p.items.size());
            p.current = m_doc.shownIndex(id);
            p.text = p.items.value(p.current);
        }
        return push(p);
    }

    void oscillators()
    {
        const bool lext = ClockRules::lextRunning(m_c);
        const bool hext = ClockRules::hextInUse(m_c);
        // The multiplier series gray the whole LEXT group while nothing runs on it.
        ControlPresentation &bypass = add(Control::LextBypass);
        if (multiplier())
            gate(bypass, lext);
        const char *in = QT_TRANSLATE_NOOP("Model", "IN");
        const char *out = QT_TRANSLATE_NOOP("Model", "OUT");
        if (multiplier())
            pin("lext.in", in, lext);
        else
            label(QStringLiteral("lext.in"), translated(in));
        pin("lext.out", out, (!multiplier() || lext) && !m_c.lextBypass);

        entry(Control::Hext, hext);
        gate(add(Control::HextBypass), hext);
        pin("hext.in", in, hext);
        pin("hext.out", out, hext && !m_c.hextBypass);
    }

    // An oscillator's pin ("IN", "OUT"): blue while in use, gray otherwise.
    void pin(const char *name, const char *text, bool inUse)
    {
        gate(label(QLatin1String(name), translated(text), inUse ? Tone::InUse : Tone::Gray), inUse);
    }

    void rtc()
    {
        if (has(Control::RtcDiv))
            gate(add(Control::RtcDiv), ClockRules::rtcDividerInUse(m_c));
        ControlPresentation &source = add(Control::RtcSel);
        if (multiplier())
            gate(source, m_c.rtcEnabled);
        add(Control::RtcSwitch);
        const Tone tone = !multiplier() ? Tone::Plain : m_c.rtcEnabled ? Tone::InLimit : Tone::Gray;
        label(QStringLiteral("ertc.value"), m_doc.rtcText(), tone, translated(m_s.rtcCaption));
    }

    // An entry: its text, whether it is editable, and its look.
    void entry(Control id, bool enabled)
    {
        if (!has(id))
            return;
        ControlPresentation &p = add(id);
        gate(p, enabled);
        if (!enabled) {
            keeps.last() = KeepTone; // gray entries keep the colour their text last had
            return;
        }
        const bool committed = m_doc.entryCommitted(id) && !m_doc.entryRefused(id);
        const bool inRange = m_doc.entryTextInRange(id);
        p.pending = !committed;
        if (id == Control::Sclk && multiplier())
            p.tone = inRange ? Tone::InLimit : Tone::Refused;
        else if (id == Control::Sclk && committed)
            p.tone = limitTone(m_s.sclkRed(m_c.sclkMHz));
        else
            p.tone = inRange ? Tone::Plain : Tone::Refused;
        p.accessibleValue = p.text;
    }

    void flexiblePll()
    {
        const bool inUse = ClockRules::pllInUse(m_c);
        const bool flexible = !has(Control::PllMode) || m_c.pllFlexible;
        const auto modeShown = [&](ControlPresentation &p) {
            gate(p, inUse);
            p.shown = flexible;
        };
        if (has(Control::PllMs)) {
            // The hints are the entries' accepted ranges.
            const QString msHint =
                QStringLiteral("(%1-%2)").arg(ClockConfig::kMsMin).arg(ClockConfig::kMsMax);
            const QString nsHint =
                QStringLiteral("(%1-%2)").arg(ClockConfig::kNsMin).arg(ClockConfig::kNsMax);
            for (Control id : {Control::PllMs, Control::PllNs}) {
                entry(id, inUse);
                controls.last().shown = flexible;
                const QString name = QLatin1String(row(id).name);
                modeShown(label(name + QStringLiteral(".caption"), captionOf(id)));
                modeShown(label(name + QStringLiteral(".hint"), id == Control::PllMs ? msHint : nsHint));
            }
            modeShown(add(Control::PllFr));
            modeShown(label(QStringLiteral("pllfr.caption"), captionOf(Control::PllFr)));
        }
        ControlPresentation &value =
            label(QStringLiteral("pll.value"), inUse ? mhz(m_c.pllMHz) + QStringLiteral("MHz") : QString(),
                  limitTone(inUse && ClockRules::pllRed(m_c)),
                  translated(QT_TRANSLATE_NOOP("Model", "pll (MHz)")));
        gate(value, inUse);
        if (!has(Control::PllMs))
            return;
        modeShown(label(QStringLiteral("pllcfg.caption"),
                        inUse ? translated(QT_TRANSLATE_NOOP("Model", "CRM_PLLCFG: ")) : QString()));
        ControlPresentation &word =
            label(QStringLiteral("pllcfg"), inUse ? m_c.pllcfgText() : QString(), Tone::Plain,
                  translated(QT_TRANSLATE_NOOP("Model", "CRM_PLLCFG: ")));
        gate(word, inUse);
        // An empty box on the drawing would read as a value.
        word.shown = inUse && flexible;
    }

    void multiplierPll()
    {
        const bool inUse = ClockRules::pllInUse(m_c);
        const bool onHext = inUse && m_c.pllSourceHick == 0;
        const bool normal = !m_c.pllFlexible;
        if (has(Control::PllMode)) {
            gate(add(Control::PllMode), inUse);
            gate(label(QStringLiteral("pllmode.caption"), captionOf(Control::PllMode)), inUse);
        }
        if (has(Control::HextDiv))
            gate(add(Control::HextDiv), onHext && m_c.hextDivEnabled);
        if (has(Control::PllHextDiv)) {
            gate(add(Control::PllHextDiv), onHext);
            label(QStringLiteral("pllhextdiv.caption"), captionOf(Control::PllHextDiv));
        }
        if (!has(Control::PllMult))
            return;
        ControlPresentation &mult = add(Control::PllMult);
        gate(mult, inUse);
        mult.shown = normal;
        ControlPresentation &caption = label(QStringLiteral("pllmult.caption"), captionOf(Control::PllMult));
        gate(caption, inUse);
        caption.shown = normal;
    }

    void systemClock()
    {
        add(Control::SclkSelect);
        entry(Control::Sclk, m_c.sclkSource == ClockConfig::SclkPll);
        const bool notes = m_c.sclkMHz > m_s.usageNotesAboveMHz;
        for (int i = 0; i < m_s.usageNotes.size(); ++i)
            label(QStringLiteral("note%1").arg(i + 1), translated(qPrintable(m_s.usageNotes.at(i))),
                  Tone::OverLimit)
                .shown = notes;
        add(Control::AhbDiv);
        add(Control::Apb1Div);
        add(Control::Apb2Div);
    }

    void usb()
    {
        const bool usb = ClockRules::usbEnabled(m_c);
        if (has(Control::UsbDiv))
            gate(add(Control::UsbDiv), ClockRules::usbFromPll(m_c), multiplier());
        if (has(Control::HickToUsb))
            gate(add(Control::HickToUsb), usb, multiplier());
        if (!has(Control::UsbSwitch))
            return;
        add(Control::UsbSwitch);
        // A switched-off USB is a gray branch, not an error.
        const Tone tone = m_c.usbDisabled ? Tone::Gray : limitTone(ClockRules::usbOff48(m_c));
        label(QStringLiteral("usb.value"), mhz(m_c.usbMHz) + QStringLiteral(" MHz"), tone,
              captionOf(Control::UsbSwitch))
            .shown = !multiplier() || usb;
    }

    // What clock output `index` shows: the selected source's frequency beside
    // it and the output frequency after the dividers; empty where the source
    // gives nothing to show. An output without a pin keeps what it showed.
    void clockOutput(int index)
    {
        const QVector<Control> parts = clockOutputControls(m_s, index);
        const ClockOutputParams &output = m_s.clockOutputs.at(index);
        const bool live = ClockRules::clockOutputLive(m_c, index);
        const QString mux = QLatin1String(row(parts.first()).name);
        ControlPresentation &sources = add(parts.first());
        gate(sources, live);
        for (int r = 0; r < output.sources.size(); ++r)
            sources.itemsUsable[r] = ClockRules::clockSourceUsable(m_c, index, output.sources.at(r).kind);
        const QVector<bool> usable = sources.itemsUsable;
        const int selected = live ? sources.current : -1;
        const Shown shown = live ? sourceShown(index) : Shown{};
        for (int r = 0; r < output.sources.size(); ++r) {
            gate(label(mux + QStringLiteral(".src%1").arg(r), translated(output.sources.at(r).text)),
                 usable.at(r));
            ControlPresentation &value =
                label(mux + QStringLiteral(".val%1").arg(r), r == selected ? shown.source : QString());
            gate(value, usable.at(r));
            value.shown = selected < 0 || r == selected; // all shown as built, until first evaluated
            if (selected < 0)
                keeps.last() = KeepText | KeepShown;
        }
        gate(label(mux + QStringLiteral(".caption"), mux), live);
        for (int part = 1; part < parts.size(); ++part) {
            const Row &r = row(parts.at(part));
            ControlPresentation &caption =
                label(QLatin1String(r.name) + QStringLiteral(".caption"), translated(r.caption));
            // The pin stays choosable without a pin: that is how one is given.
            const bool divider = part + 1 < parts.size();
            gate(caption, live, divider);
            gate(add(parts.at(part)), live, divider);
        }
        gate(label(mux + QStringLiteral(".output"), selected < 0 ? QString() : shown.output), live);
        if (selected < 0)
            keeps.last() = KeepText;
    }

    struct Shown {
        QString source;
        QString output;
    };

    Shown sourceShown(int index) const
    {
        const bool single = !m_s.multiOutput();
        const ClockConfig &c = m_c;
        const int div1 = single ? c.clkoutDiv : index == 0 ? c.clkout1Div1 : c.clkout2Div1;
        const int div2 = single ? 1 : index == 0 ? c.clkout1Div2 : c.clkout2Div2;
        const ClockSourceItem *source =
            m_s.clockOutputs.at(index).sourceByCode(single       ? c.clkoutSource
                                                    : index == 0 ? c.clkout1Source
                                                                 : c.clkout2Source);
        double value = 0.0;
        QString unit = QStringLiteral(" MHz)");
        bool empty = false;
        switch (source ? source->kind : ClockSourceKind::None) {
        case ClockSourceKind::Sclk:
            value = c.sclkMHz;
            break;
        case ClockSourceKind::Hext:
            value = c.hextMHz;
            break;
        case ClockSourceKind::Pll:
            value = c.pllMHz;
            break;
        case ClockSourceKind::Usb:
            value = c.usbMHz;
            break;
        case ClockSourceKind::Hick:
            value = ClockRules::hickOutputMHz(c);
            break;
        case ClockSourceKind::Lick:
            value = c.lickKHz;
            unit = QStringLiteral(" kHz)");
            break;
        case ClockSourceKind::Lext:
            value = c.lextKHz;
            unit = QStringLiteral(" kHz)");
            // The multiplier series' LEXT runs only while it clocks the RTC.
            empty = multiplier() && !ClockRules::lextRunning(c);
            break;
        case ClockSourceKind::Adc:
            value = c.adcMHz;
            empty = !m_s.hasAdc();
            break;
        case ClockSourceKind::PllDiv2:
            value = c.pllMHz * 0.5;
            break;
        case ClockSourceKind::PllDiv4:
            value = c.pllMHz * 0.25;
            break;
        default:
            empty = true;
            break;
        }
        if (empty)
            return {};
        return {QStringLiteral("(") + mhz(value) + unit,
                QStringLiteral("(") + mhz(value / div1 / div2) + unit};
    }

    void panel()
    {
        const ClockConfig &c = m_c;
        label(QStringLiteral("i2s.value"), mhz(c.sclkMHz), limitTone(m_s.sclkRed(c.sclkMHz)),
              translated(QT_TRANSLATE_NOOP("Model", "i2s (MHz)")));
        for (int i = 0; i < m_s.ahbBoxes.size(); ++i)
            label(QStringLiteral("ahb%1.value").arg(i), mhz(c.ahbMHz), limitTone(m_s.sclkRed(c.ahbMHz)),
                  translated(qPrintable(SeriesParams::ahbBoxCaption(m_s.ahbBoxes.at(i)))));
        struct Bus {
            const char *anchor;
            const char *caption;
            double mhz;
            bool red;
        };
        const Bus buses[4] = {{"apb1p", QT_TRANSLATE_NOOP("Model", "apb1 peripheral (MHz)"), c.apb1MHz,
                               m_s.apbRed(c.apb1MHz)},
                              {"apb1t", QT_TRANSLATE_NOOP("Model", "apb1 tmr (MHz)"), c.apb1TimerMHz,
                               m_s.sclkRed(c.apb1TimerMHz)},
                              {"apb2p", QT_TRANSLATE_NOOP("Model", "apb2 peripheral (MHz)"), c.apb2MHz,
                               m_s.apbRed(c.apb2MHz)},
                              {"apb2t", QT_TRANSLATE_NOOP("Model", "apb2 tmr (MHz)"), c.apb2TimerMHz,
                               m_s.sclkRed(c.apb2TimerMHz)}};
        for (const Bus &bus : buses) {
            const QString id = QLatin1String(bus.anchor);
            label(id + QStringLiteral(".value"), mhz(bus.mhz), limitTone(bus.red), translated(bus.caption));
            ControlPresentation &button =
                label(id + QStringLiteral(".list"), QString(), Tone::Plain, translated(bus.caption));
            button.role = ControlRole::Button;
        }
        label(QStringLiteral("apb1mul"), QStringLiteral("* ") + QString::number(c.apb1TimerMul));
        label(QStringLiteral("apb2mul"), QStringLiteral("* ") + QString::number(c.apb2TimerMul));
    }

    void adc()
    {
        if (!has(Control::AdcSwitch))
            return;
        gate(add(Control::AdcDiv), m_c.adcEnabled);
        add(Control::AdcSwitch).caption = translated(QT_TRANSLATE_NOOP("Model", "adc (MHz)"));
        const Tone tone = !m_c.adcEnabled ? Tone::Gray : limitTone(m_s.adcRed(m_c.adcMHz));
        gate(label(QStringLiteral("adc.value"), mhz(m_c.adcMHz), tone,
                   translated(QT_TRANSLATE_NOOP("Model", "adc (MHz)"))),
             m_c.adcEnabled);
    }

    // The kernel clock of each selector: the bus it sits on, SCLK, HICK 48 or LEXT.
    void peripheralSelectors()
    {
        const Control ids[3] = {Control::Usart1Sel, Control::Usart2Sel, Control::I2c1Sel};
        const int sources[3] = {m_c.usart1Source, m_c.usart2Source, m_c.i2c1Source};
        const double buses[3] = {m_c.apb2MHz, m_c.apb1MHz, m_c.apb1MHz};
        for (int i = 0; i < 3; ++i) {
            if (!has(ids[i]))
                continue;
            const QString caption = add(ids[i]).caption;
            const QString name = QLatin1String(row(ids[i]).name);
            const bool lext = sources[i] == 3;
            const double value = lext              ? m_c.lextKHz
                                 : sources[i] == 0 ? buses[i]
                                 : sources[i] == 1 ? m_c.sclkMHz
                                                   : m_c.hickMHz;
            const bool red =
                !lext && (sources[i] == 0 ? m_s.apbRed(value) : sources[i] == 1 && m_s.sclkRed(value));
            label(name + QStringLiteral(".value"), mhz(value), limitTone(red), caption);
            label(name + QStringLiteral(".unit"), lext ? translated(QT_TRANSLATE_NOOP("Model", "(kHz)"))
                                                       : translated(QT_TRANSLATE_NOOP("Model", "(MHz)")));
        }
    }

    const DesignDocument &m_doc;
    const SeriesParams &m_s;
    const ClockConfig &m_c;
    ControlPresentation m_absent;
};

// Fills in what a screen reader reads of each control.
void finish(ControlPresentation &p)
{
    if (p.caption.isEmpty() && p.role == ControlRole::Label)
        p.caption = p.text;
    if (p.accessibleValue.isEmpty())
        p.accessibleValue = p.text;
}

} // namespace

QString ControlPresentation::colourClass() const
{
    if (tone == Tone::Refused)
        return QStringLiteral("refused");
    if (pending)
        return QStringLiteral("pending");
    if (!enabled || (current >= 0 && !itemUsable(current)))
        return QStringLiteral("gray");
    // In the order of Tone (a refused text was told above).
    static const char *const names[] = {"plain", "in limit", "over limit", "gray", "in use"};
    return QLatin1String(names[int(tone)]);
}

bool operator==(const ControlPresentation &a, const ControlPresentation &b)
{
    return a.name == b.name && a.role == b.role && a.caption == b.caption && a.text == b.text &&
           a.current == b.current && a.items == b.items && a.itemsUsable == b.itemsUsable &&
           a.tone == b.tone && a.pending == b.pending && a.enabled == b.enabled && a.grayable == b.grayable &&
           a.shown == b.shown && a.toolTip == b.toolTip && a.accessibleValue == b.accessibleValue;
}

void TreePresentation::update(const DesignDocument &document)
{
    Builder builder(document);
    builder.build();
    QVector<ControlPresentation> next = builder.controls;
    QHash<QString, int> index;
    m_changed.clear();
    for (int i = 0; i < next.size(); ++i) {
        ControlPresentation &p = next[i];
        const int keep = builder.keeps.at(i);
        const ControlPresentation *before = find(p.name);
        if (before && (keep & KeepText))
            p.text = before->text;
        if (before && (keep & KeepTone))
            p.tone = before->tone;
        if (before && (keep & KeepShown))
            p.shown = before->shown;
        p.accessibleValue.clear();
        finish(p);
        if (!before || *before != p)
            m_changed << p.name;
        index.insert(p.name, i);
    }
    m_controls = next;
    m_index = index;
}

const ControlPresentation *TreePresentation::find(const QString &name) const
{
    const auto it = m_index.constFind(name);
    return it == m_index.constEnd() ? nullptr : &m_controls.at(*it);
}

QVector<ControlPresentation> TreePresentation::of(const DesignDocument &document)
{
    // A window is built in the factory state of its series, then shows the design.
    TreePresentation presentation;
    presentation.update(DesignDocument(document.seriesId()));
    presentation.update(document);
    return presentation.controls();
}

namespace PresentationText {

QString roleName(ControlRole role)
{
    // In the order of ControlRole.
    static const char *const names[] = {"combo", "radio", "entry", "label", "button"};
    return QLatin1String(names[int(role)]);
}

QString line(const ControlPresentation &p)
{
    const auto flag = [](bool on, const char *yes, const char *no) {
        return QLatin1String(on ? yes : no);
    };
    return QStringList{p.name,
                       roleName(p.role),
                       p.text,
                       p.colourClass(),
                       flag(p.enabled, "enabled", "disabled"),
                       flag(p.shown, "shown", "hidden")}
        .join(QLatin1Char('\t'));
}

QString json(const ControlPresentation &p)
{
    QJsonArray usable;
    for (int i = 0; i < p.items.size(); ++i)
        usable << p.itemUsable(i);
    QJsonObject o{{QStringLiteral("name"), p.name},
                  {QStringLiteral("role"), roleName(p.role)},
                  {QStringLiteral("caption"), p.caption},
                  {QStringLiteral("text"), p.text},
                  {QStringLiteral("colour"), p.colourClass()},
                  {QStringLiteral("enabled"), p.enabled},
                  {QStringLiteral("shown"), p.shown},
                  {QStringLiteral("toolTip"), p.toolTip},
                  {QStringLiteral("accessibleValue"), p.accessibleValue}};
    if (p.role == ControlRole::Combo || p.role == ControlRole::Radio) {
        o.insert(QStringLiteral("current"), p.current);
        o.insert(QStringLiteral("items"), QJsonArray::fromStringList(p.items));
        o.insert(QStringLiteral("usable"), usable);
    }
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

} // namespace PresentationText

#include "DrawingSvg.h"

#include "ClockTreeLayout.h"
#include "ControlTable.h"
#include "DesignDocument.h"
#include "Presentation.h"
#include "SeriesTable.h"

#include <QRegularExpression>
#include <QSet>

namespace DrawingSvg {

namespace {

using Control = SvgDrawing::Control;

// The window's colours for the classes of the presentation.
constexpr SvgDrawing::Colour kInLimit = SvgDrawing::Colour::rgb(0, 128, 0);
constexpr SvgDrawing::Colour kGray = SvgDrawing::Colour::rgb(160, 160, 164);
constexpr SvgDrawing::Colour kBlue = SvgDrawing::Colour::rgb(0, 176, 240);
constexpr SvgDrawing::Colour kCommitted = SvgDrawing::Colour::rgb(152, 251, 152);
constexpr SvgDrawing::Colour kPending = SvgDrawing::Colour::rgb(255, 255, 225);
constexpr SvgDrawing::Colour kBoxBorder = SvgDrawing::Colour::rgb(173, 173, 173);
constexpr SvgDrawing::Colour kRed = SvgDrawing::Colour::rgb(255, 0, 0);
constexpr SvgDrawing::Colour kPinBlue = SvgDrawing::Colour::rgb(0, 0, 255);
constexpr SvgDrawing::Colour kBlack = SvgDrawing::Colour::rgb(0, 0, 0);
constexpr SvgDrawing::Colour kWhite = SvgDrawing::Colour::rgb(255, 255, 255);
constexpr int kLabelHeight = 17;
constexpr int kEntryWidth = 60;
constexpr int kValueBoxWidth = 80;

SvgDrawing::Colour toneColour(const ControlPresentation &p)
{
    if (!p.enabled)
        return kGray;
    switch (p.tone) {
    case Tone::InLimit:
        return kInLimit;
    case Tone::OverLimit:
    case Tone::Refused:
        return kRed;
    case Tone::Gray:
        return kGray;
    case Tone::InUse:
        return kPinBlue;
    case Tone::Plain:
        break;
    }
    return kBlack;
}

// Read-only frequency boxes: the panel's values, the ADC clock, CRM_PLLCFG
// and the kernel clocks of the peripheral selectors.
QString listText()
{
    return ClockRules::translated("List");
}

bool isValueBox(const QString &name)
{
    static const QRegularExpression boxes(
        QStringLiteral("^(i2s|ahb\\d+|apb[12][pt]|adc|usart\\d|i2c\\d)\\.value$|^pllcfg$"));
    return boxes.match(name).hasMatch();
}

Control at(const ClockTree::Anchor &anchor, Control::Kind kind, int width, int height)
{
    Control c;
    c.kind = kind;
    c.x = anchor.pos.x();
    c.y = anchor.pos.y();
    c.width = anchor.width > 0 ? anchor.width : width;
    c.height = height;
    return c;
}

void addRadios(QVector<Control> &out, const ClockTree::Layout &layout, const ControlPresentation &p)
{
    const ControlTable::Row *row = ControlTable::rowByName(p.name);
    if (!row)
        return;
    for (int i = 0; i < p.items.size(); ++i) {
        const QString anchor = ControlTable::radioAnchor(row->id, i);
        if (!layout.hasAnchor(anchor))
            continue;
        Control c = at(layout.anchor(anchor), Control::Kind::Radio, ClockTree::kRadioSize, ClockTree::kRadioSize);
        c.checked = i == p.current;
        c.border = p.itemUsable(i) ? kBlue : kGray;
        out << c;
    }
}

void addControl(QVector<Control> &out, const ClockTree::Layout &layout, const ControlPresentation &p)
{
    if (p.role == ControlRole::Radio) {
        addRadios(out, layout, p);
        return;
    }
    if (!layout.hasAnchor(p.name))
        return;
    const ClockTree::Anchor anchor = layout.anchor(p.name);
    Control c;
    switch (p.role) {
    case ControlRole::Combo:
        c = at(anchor, Control::Kind::Combo, 80, ClockTree::kComboHeight);
        c.fill = kWhite;
        c.border = p.enabled ? kBlue : kGray;
        c.radius = 3;
        c.textColour = p.enabled ? kBlack : kGray;
        break;
    case ControlRole::Entry: {
        // The PLL factors' entries are white with a thin border once applied.
        const bool factor = p.name == QLatin1String("pllms") || p.name == QLatin1String("pllns");
        c = at(anchor, Control::Kind::Entry, kEntryWidth, ClockTree::kEditHeight);
        c.fill = !p.enabled || (factor && !p.pending) ? kWhite : p.pending ? kPending : kCommitted;
        c.border = p.enabled || factor ? kBlue : kGray;
        c.borderWidth = factor ? 1 : 2;
        c.radius = 1;
        c.alignRight = true;
        c.textColour = toneColour(p);
        break;
    }
    case ControlRole::Button:
        c = at(anchor, Control::Kind::Button, 60, kLabelHeight);
        c.textColour = kBlack;
        out << c;
        out.last().text = p.text.isEmpty() ? listText() : p.text;
        return;
    case ControlRole::Label:
    case ControlRole::Radio:
        c = at(anchor, isValueBox(p.name) ? Control::Kind::ValueBox : Control::Kind::Label,
               isValueBox(p.name) ? kValueBoxWidth : 0, isValueBox(p.name) ? ClockTree::kEditHeight : kLabelHeight);
        // CRM_PLLCFG reads as text on a white ground, without a frame.
        if (c.kind == Control::Kind::ValueBox) {
            const bool word = p.name == QLatin1String("pllcfg");
            c.fill = kWhite;
            c.border = word ? SvgDrawing::Colour() : kBoxBorder;
            c.radius = 2;
            c.alignRight = !word;
        }
        c.textColour = toneColour(p);
        break;
    }
    c.text = p.text;
    if (!c.text.isEmpty() || c.kind != Control::Kind::Label)
        out << c;
}

// A caption drawn beside its control where the control's presentation holds
// it and the drawing has a place for it ("i2s.caption" for "i2s.value").
void addCaption(QVector<Control> &out, const ClockTree::Layout &layout, const ControlPresentation &p,
                const QSet<QString> &named)
{
    QString stem = p.name;
    if (stem.endsWith(QLatin1String(".value")))
        stem.chop(6);
    const QString anchor = stem + QStringLiteral(".caption");
    if (p.caption.isEmpty() || named.contains(anchor) || !layout.hasAnchor(anchor))
        return;
    Control c = at(layout.anchor(anchor), Control::Kind::Label, 0, kLabelHeight);
    c.text = p.caption;
    out << c;
}

// The texts the drawing carries whatever the design: the fixed oscillators'
// names and frequencies, the watchdog's clock, the multiplier series' hints.
QVector<QPair<QString, QString>> fixedTexts(const SeriesParams &series)
{
    const ClockConfig defaults(series.id);
    const auto shown = ClockRules::translated;
    QVector<QPair<QString, QString>> texts{
        {QStringLiteral("lick.caption"), shown("lick")},
        {QStringLiteral("lick.value"), QString::number(defaults.lickKHz) + QStringLiteral(" kHz")},
        {QStringLiteral("lext.caption"), shown("lext(kHz)")},
        {QStringLiteral("lext.value"), QString::number(defaults.lextKHz)},
        {QStringLiteral("hick.caption"), shown("hick")},
        {QStringLiteral("hick.value"), QString::number(defaults.hickMHz) + QStringLiteral(" MHz")},
        {QStringLiteral("wdt.caption"), shown("to wdt(kHz)")},
        {QStringLiteral("wdt.value"), QString::number(defaults.lickKHz, 'f', 2)},
        {QStringLiteral("adc.caption"), shown("adc (MHz)")}};
    if (series.pllKind != PllKind::Flexible)
        texts.append({QStringLiteral("sclk.hint"), series.sclkHint()});
    for (ControlTable::Control id :
         {ControlTable::Control::Usart1Sel, ControlTable::Control::Usart2Sel, ControlTable::Control::I2c1Sel}) {
        if (!ControlTable::has(series, id))
            continue;
        const QStringList labels = ControlTable::labels(series, id);
        for (int k = 0; k < labels.size(); ++k)
            texts.append({QLatin1String(ControlTable::row(id).name) + QStringLiteral(".text%1").arg(k), labels.at(k)});
    }
    return texts;
}

} // namespace

QVector<SvgDrawing::Control> controls(const DesignDocument &document)
{
    const ClockTree::Layout layout = ClockTree::layoutFor(document.series());
    const QVector<ControlPresentation> shown = TreePresentation::of(document);
    QSet<QString> named;
    for (const ControlPresentation &p : shown)
        named.insert(p.name);
    QVector<Control> out;
    for (const auto &fixed : fixedTexts(document.series())) {
        if (named.contains(fixed.first) || !layout.hasAnchor(fixed.first))
            continue;
        named.insert(fixed.first);
        Control c = at(layout.anchor(fixed.first), Control::Kind::Label, 0, kLabelHeight);
        c.text = fixed.second;
        out << c;
    }
    for (const ControlPresentation &p : shown) {
        if (!p.shown)
            continue;
        addCaption(out, layout, p, named);
        addControl(out, layout, p);
    }
    return out;
}

QString of(const DesignDocument &document)
{
    return SvgDrawing::write(ClockTree::layoutFor(document.series()), controls(document));
}

} // namespace DrawingSvg

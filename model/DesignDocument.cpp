#include "DesignDocument.h"

#include "SeriesTable.h"

#include <cmath>

// What each edit of a clock tree does, in the order a person sees it: the
// record field takes the control's value, the entries in use are read, the
// PLL factors are checked (and corrected on request), the tree is recomputed
// and the PLL input range is corrected. The PLL steps: the typed ms/ns factors
// of a flexible PLL, each refused outside its range and corrected on request
// where the reference or the oscillator leaves its range; and the 2..16 MHz
// input of a multiplier PLL, corrected rather than refused.

using namespace ControlTable;
using ClockRules::translated;

namespace {

// The text an entry holds in texts; null for a control that is no entry.
template <typename Texts> auto entryIn(Texts &texts, Control entry) -> decltype(&texts.hext)
{
    return entry == Control::Hext    ? &texts.hext
           : entry == Control::Sclk  ? &texts.sclk
           : entry == Control::PllMs ? &texts.pllMs
           : entry == Control::PllNs ? &texts.pllNs
                                     : nullptr;
}

// The number of an ms/ns entry without its "/" or "*"; unparsable text reads as 0.
int factorNumber(const QString &text, QChar prefix)
{
    QString digits = text.trimmed();
    if (digits.startsWith(prefix))
        digits.remove(0, 1);
    return digits.toInt();
}

QChar prefixOf(Control id)
{
    return id == Control::PllMs ? QLatin1Char('/') : QLatin1Char('*');
}

bool factorInRange(Control id, int value)
{
    return id == Control::PllMs ? value >= ClockConfig::kMsMin && value <= ClockConfig::kMsMax
                                : value >= ClockConfig::kNsMin && value <= ClockConfig::kNsMax;
}

const char *rangeError(Control id)
{
    return id == Control::PllMs ? QT_TRANSLATE_NOOP("Model", "pll_ms input error!")
                                : QT_TRANSLATE_NOOP("Model", "pll_ns input error!");
}

QString mhzText(double value)
{
    return QString::number(value, 'f', 3);
}

} // namespace

// ---------------------------------------------------------------------------
// The document

// What a refused edit puts back.
struct DesignDocument::Snapshot {
    ClockConfig record;
    EntryTexts texts;
    QVector<int> shown;
    bool rtcRefreshed;
};

DesignDocument::DesignDocument(int seriesId)
    : m_series(SeriesTable::byId(seriesId)), m_config(seriesId), m_shown(rows().size(), 0)
{
    Q_ASSERT(m_series);
    reset();
}

QString DesignDocument::entryText(Control entry) const
{
    const QString *text = entryIn(m_entries, entry);
    return text ? *text : QString();
}

int DesignDocument::shownIndex(Control control) const
{
    return m_shown.value(int(control), 0);
}

bool DesignDocument::entryCommitted(Control entry) const
{
    const QString text = entryText(entry).trimmed();
    switch (entry) {
    case Control::Hext:
    case Control::Sclk: {
        bool ok = false;
        const double typed = text.toDouble(&ok);
        const double stored = entry == Control::Hext ? m_config.hextMHz : m_config.sclkMHz;
        if (!ok)
            return false;
        // The multiplier family compares what the entries show: sclk with three
        // decimals, the crystal with five. The flexible PLL compares numbers.
        if (m_series->pllKind == PllKind::Flexible)
            return typed == stored;
        const int decimals = entry == Control::Hext ? 5 : 3;
        return QString::number(typed, 'f', decimals) == QString::number(stored, 'f', decimals);
    }
    case Control::PllMs:
    case Control::PllNs:
        return factorNumber(text, prefixOf(entry)) ==
               (entry == Control::PllMs ? m_config.pllMs : m_config.pllNs);
    default:
        return true;
    }
}

bool DesignDocument::entryRefused(Control entry) const
{
    for (const ClockRules::Finding &finding : ClockRules::inputFindings(m_config)) {
        const QString &field = finding.field;
        const Control refused =
            field == QLatin1String("hextMHz")                                              ? Control::Hext
            : field == QLatin1String("pllMs") || field == QLatin1String("pllReferenceMHz") ? Control::PllMs
            : field == QLatin1String("pllNs") || field == QLatin1String("pllOscillatorMHz")
                ? Control::PllNs
                : Control::Sclk; // no entry of its own
        if (refused == entry && entry != Control::Sclk)
            return true;
    }
    return false;
}

bool DesignDocument::sameRecord(const ClockConfig &a, const ClockConfig &b)
{
    return a.fieldValues() == b.fieldValues();
}

QStringList DesignDocument::differingFields(const ClockConfig &a, const ClockConfig &b)
{
    const auto left = a.fieldValues();
    const auto right = b.fieldValues();
    QStringList names;
    for (int i = 0; i < left.size() && i < right.size(); ++i) {
        if (left.at(i).second != right.at(i).second)
            names << left.at(i).first;
    }
    return names;
}

// ---------------------------------------------------------------------------
// Prompts

void DesignDocument::showError(const QString &text, double refusedCrystalMHz)
{
    if (refusedSoFar())
        return;
    if (m_inUnit)
        m_unitRefused = true;
    if (m_loading && m_loadAnswers.contains(text))
        return;
    if (m_loading)
        m_loadAnswers.insert(text, false);
    if (m_messages)
        m_messages->append({DesignMessage::Kind::Error, text, false, refusedCrystalMHz});
    if (m_prompter)
        m_prompter->showError(text);
}

bool DesignDocument::askYes(const QString &text)
{
    if (refusedSoFar())
        return false;
    bool yes = false;
    if (m_loading && m_loadAnswers.contains(text)) {
        yes = m_loadAnswers.value(text);
    } else {
        yes = m_prompter && m_prompter->askYes(text);
        if (m_messages)
            m_messages->append({DesignMessage::Kind::Question, text, yes});
        if (m_loading)
            m_loadAnswers.insert(text, yes);
    }
    if (!yes && m_inUnit) {
        m_unitRefused = true;
        m_unitCancelled = true;
    }
    return yes;
}

// A correction is shown but does not refuse the edit that led to it.
void DesignDocument::correctionError(const QString &text)
{
    if (m_messages)
        m_messages->append({DesignMessage::Kind::Error, text, false});
    if (m_prompter)
        m_prompter->showError(text);
}

// One unit of work: a refusal or a cancelled question anywhere in it
// silences the rest of it (apply() then puts everything back). While a design
// is opened, values stay as read: the checks before saving refuse them until
// they are fixed. Units are never nested: each is an edit's or an opened element's.
template <typename Handler> void DesignDocument::runUnit(Handler &&handler)
{
    m_unitRefused = false;
    m_inUnit = true;
    handler();
    m_inUnit = false;
}

// ---------------------------------------------------------------------------
// Operations

void DesignDocument::reset()
{
    ClockConfig &c = m_config;
    const SeriesParams &s = *m_series;
    c.resetDefaults();
    // The series' fixed HEXT divider of the RTC, or the first the user can choose.
    c.rtcHextDiv = s.rtcHextDiv > 0 ? s.rtcHextDiv : ClockConfig::kRtcDivMin;
    c.pllFlexible = s.factoryPllFlexible;
    c.pllMult = s.factoryPllMult;
    c.pllMs = s.factoryPllMs;
    c.pllNs = s.factoryPllNs;
    c.pllFr = s.factoryPllFr;
    c.sclkSource = ClockConfig::SclkPll;
    c.usbDiv = s.factoryUsbDiv > 0 ? s.factoryUsbDiv : c.usbDiv;
    c.usbDisabled = 1;
    c.hextDivValue = s.hextPllDivs.value(0);
    m_origin = Origin::Factory;
    m_rtcRefreshed = false;
    m_loading = false;
    m_loadAnswers.clear();
    showChoices();
    m_entries.hext = QString::number(c.hextMHz);
    showPllFactors();
    if (checkPllInputs()) {
        c.recompute();
        correctPllInputAndShowClocks();
    }
}

OpenOutcome DesignDocument::open(const QHash<QString, QString> &file)
{
    OpenOutcome outcome;
    m_messages = &outcome.messages;
    reset();
    m_loading = true;
    m_loadAnswers.clear();
    int factors[2] = {m_config.pllMs, m_config.pllNs}; // as the file has them
    m_restoring = true;
    for (const QString &element : m_series->restoreOrder) {
        const QString text = file.value(element);
        if (element == QLatin1String("hext")) {
            // Taken and shown as written ("12.288000"); the next read of the entry judges the range.
            // "nan", "inf" and a number past a double's range read as 0, like other malformed
            // text: the record never carries a crystal that every clock would show as "nan".
            const double hext = text.toDouble();
            m_config.hextMHz = std::isfinite(hext) ? hext : 0.0;
            m_entries.hext = text;
            continue;
        }
        const Row *r = nullptr;
        for (const Row &candidate : rows()) {
            if (element == QLatin1String(candidate.element) && has(candidate.id))
                r = &candidate;
        }
        if (!r)
            continue;
        if (r->id == Control::PllMs || r->id == Control::PllNs) {
            const bool ms = r->id == Control::PllMs;
            int value = text.toInt();
            if (!factorInRange(r->id, value))
                value = ms ? ClockConfig::kMsMin : ClockConfig::kNsMin;
            factors[ms ? 0 : 1] = value;
            (ms ? m_config.pllMs : m_config.pllNs) = value;
            (ms ? m_entries.pllMs : m_entries.pllNs) = prefixOf(r->id) + QString::number(value);
            continue;
        }
        // Empty or malformed text reads as 0, then takes the control's rule.
        const double value = r->id == Control::UsbDiv ? text.toDouble() : text.toInt();
        const int index = indexOf(*m_series, *r, value);
        // The control is set as a user would set it: a combo box runs its
        // step when its item changes, toggled radios when the radio changes,
        // radios that report clicks not at all.
        if (r->kind == Kind::Combo) {
            const int count = values(*m_series, r->id).size();
            const int shown = index >= 0 && index < count ? index : -1;
            if (shown != m_shown[int(r->id)]) {
                m_shown[int(r->id)] = shown;
                runUnit([&] { applyChange(r->id, shown, true); });
            }
        } else {
            const int count = values(*m_series, r->id).size();
            const int shown = index >= 0 && index < count ? index : 0;
            const int previous = m_shown[int(r->id)];
            if (shown != previous) {
                m_shown[int(r->id)] = shown;
                if (r->wiring == Wiring::Toggled) {
                    runUnit([&] { applyChange(r->id, previous, false); });
                    runUnit([&] { applyChange(r->id, shown, true); });
                }
            }
        }
        // A control that runs nothing (its value unchanged, or radios that
        // report clicks only) still puts the file's value into the record.
        setField(m_config, *r, values(*m_series, r->id).value(index));
    }
    m_restoring = false;
    // Steps run above may have solved the PLL anew (leaving the PLL as
    // system clock, enabling a PLL-fed USB clock). The design's own factors
    // win, or opening a file would silently change it.
    if (has(Control::PllFr)) {
        bool ok = false;
        const int fr = file.value(QStringLiteral("pllfr")).toInt(&ok);
        m_config.pllFr = ok && ClockConfig::pllFrValues().contains(fr) ? fr : 1;
    }
    m_config.pllMs = factors[0];
    m_config.pllNs = factors[1];
    showPllFactors();
    checkPllInputs();
    // The record's derived values follow what it holds, even where a check refused it.
    m_config.recompute();
    correctPllInputAndShowClocks();
    // A clock output on a clock that is off is refused when saving: said at once.
    for (const ClockRules::Finding &finding : ClockRules::clockOffFindings(m_config))
        showError(finding.text(translated));
    m_loading = false;
    m_loadAnswers.clear();
    m_origin = Origin::Opened;
    m_rtcRefreshed = true;
    m_messages = nullptr;
    return outcome;
}

EditOutcome DesignDocument::apply(const DesignEdit &edit)
{
    EditOutcome outcome;
    outcome.before = m_config;
    const Snapshot before{m_config, m_entries, m_shown, m_rtcRefreshed};
    m_messages = &outcome.messages;
    m_unitCancelled = false;
    bool refused = false;
    const auto unit = [&](auto &&handler) {
        runUnit([&] {
            handler();
            refused = refused || m_unitRefused;
        });
        m_unitRefused = false;
    };
    switch (edit.action) {
    case DesignEdit::Action::Type:
        typeText(edit.control, edit.text);
        break;
    case DesignEdit::Action::Commit:
        if (entryIn(m_entries, edit.control) && has(edit.control))
            unit([&] { applyEntry(edit.control); });
        break;
    case DesignEdit::Action::Choose: {
        const Row &r = row(edit.control);
        const int count = values(*m_series, r.id).size();
        if (!has(r.id) || r.kind == Kind::Entry || edit.index < 0 || edit.index >= count)
            break;
        const int previous = m_shown[int(r.id)];
        if (r.kind == Kind::Radios && r.wiring == Wiring::Clicked) {
            m_shown[int(r.id)] = edit.index;
            unit([&] { applyChange(r.id, edit.index, true); });
        } else if (edit.index != previous) {
            m_shown[int(r.id)] = edit.index;
            // An exclusive group reports the radio left, then the radio taken.
            if (r.kind == Kind::Radios && previous >= 0)
                unit([&] { applyChange(r.id, previous, false); });
            unit([&] { applyChange(r.id, edit.index, true); });
        }
        break;
    }
    }
    m_messages = nullptr;
    if (refused) {
        // One edit is one step: what any part of it did is put back.
        m_config = before.record;
        m_entries = before.texts;
        m_shown = before.shown;
        m_rtcRefreshed = before.rtcRefreshed;
        outcome.status = m_unitCancelled ? EditOutcome::Status::Cancelled : EditOutcome::Status::Refused;
    }
    outcome.after = m_config;
    outcome.changedFields = differingFields(outcome.before, outcome.after);
    return outcome;
}

QString DesignDocument::rtcText() const
{
    const ClockConfig &c = m_config;
    const bool multiplier = m_series->pllKind != PllKind::Flexible;
    if (multiplier && !m_rtcRefreshed)
        return QString::number(c.lickKHz);
    if (c.rtcEnabled && c.rtcSource == 1)
        return QString::number(c.lextKHz);
    if (c.rtcEnabled && c.rtcSource == 2 && ClockRules::hextAccepted(c.hextMHz) && c.rtcHextDiv > 0)
        // From the applied crystal; an entry not applied yet is not part of the design.
        return QString::number(c.hextMHz * 1000.0 / c.rtcHextDiv, 'f', 3);
    if (c.rtcEnabled && c.rtcSource != 2)
        return QString::number(c.lickKHz);
    return multiplier ? QStringLiteral("0") : QString();
}

void DesignDocument::restore(const DesignState &state)
{
    m_config = state.record;
    m_rtcRefreshed = state.rtcRefreshed;
    showChoices();
    m_entries.hext = QString::number(m_config.hextMHz);
    showPllFactors();
    correctPllInputAndShowClocks();
}

GateOutcome DesignDocument::passGate()
{
    GateOutcome outcome;
    const ClockRules::Verdict verdict = ClockRules::judge(m_config);
    const auto shown = [this](const ClockRules::Finding &finding) {
        return finding.text(translated);
    };
    if (const ClockRules::Finding *refusal = verdict.firstRefusal()) {
        if (m_prompter)
            m_prompter->showError(shown(*refusal));
        outcome.status = GateOutcome::Status::Refused;
        outcome.findings = {*refusal};
        return outcome;
    }
    for (const ClockRules::Finding &warning : verdict.findings) {
        outcome.findings << warning;
        if (!m_prompter || !m_prompter->askYes(shown(warning))) {
            outcome.status = GateOutcome::Status::Cancelled;
            return outcome;
        }
    }
    outcome.record = verdict.record;
    return outcome;
}

// ---------------------------------------------------------------------------
// What the controls show

void DesignDocument::showChoice(Control id)
{
    const Row &r = row(id);
    const int index = indexOf(*m_series, r, fieldValue(m_config, r));
    const int count = values(*m_series, id).size();
    const bool valid = index >= 0 && index < count;
    // A combo box with no such item shows none; a radio group its first.
    m_shown[int(id)] = valid ? index : r.kind == Kind::Combo ? -1 : 0;
}

void DesignDocument::showChoices()
{
    for (const Row &r : rows()) {
        if (has(r.id) && r.kind != Kind::Entry && r.id != Control::PllFr)
            showChoice(r.id);
    }
}

void DesignDocument::showPllFactors()
{
    if (has(Control::PllMult))
        showChoice(Control::PllMult); // item pllMult - 2, or the first one out of range
    if (!has(Control::PllMs))
        return;
    m_entries.pllMs = QStringLiteral("/") + QString::number(m_config.pllMs);
    m_entries.pllNs = QStringLiteral("*") + QString::number(m_config.pllNs);
    showChoice(Control::PllFr);
}

// A PLL input off its range is corrected (or, the crystal kept, refused) and
// false returned; otherwise the sclk entry and the USB and APB dividers show
// the record.
bool DesignDocument::correctPllInputAndShowClocks()
{
    if (!checkPllSourceRange())
        return false;
    m_entries.sclk = mhzText(m_config.sclkMHz);
    if (has(Control::UsbSwitch) && has(Control::UsbDiv))
        showChoice(Control::UsbDiv);
    for (Control id : {Control::Apb1Div, Control::Apb2Div}) {
        if (has(id))
            showChoice(id);
    }
    return true;
}

// ---------------------------------------------------------------------------
// Steps

void DesignDocument::typeText(Control id, const QString &text)
{
    QString *entry = entryIn(m_entries, id);
    if (!entry || !has(id))
        return;
    QString typed = text;
    const bool factor = id == Control::PllMs || id == Control::PllNs;
    const QChar prefix = prefixOf(id);
    // A factor entry keeps its "/" or "*" in front while the PLL is in use.
    if (factor && ClockRules::pllInUse(m_config) && !typed.isEmpty() && !typed.startsWith(prefix))
        typed.prepend(prefix);
    *entry = typed;
}

void DesignDocument::applyChange(Control id, int index, bool checked)
{
    const Row &r = row(id);
    ClockConfig &c = m_config;
    // An exclusive group reports the radio left and the radio taken.
    if (r.kind == Kind::Radios && r.wiring == Wiring::Toggled && r.step != Step::SclkSource && !checked)
        return;
    if (r.kind == Kind::Radios && r.step != Step::SclkSource)
        index = qMax(0, m_shown[int(id)]);
    if (r.step != Step::SclkSource)
        setField(c, r, values(*m_series, id).value(index, values(*m_series, id).value(0)));

    switch (r.step) {
    case Step::Standard:
    case Step::Paths:
    case Step::PllFactor:
        if (r.step == Step::PllFactor && c.pllSourceHick == 0 && !readHext())
            return;
        standardStep();
        break;
    case Step::PllInput: {
        if (c.pllSourceHick == 0 && !readHext())
            return;
        double sclk = 0.0;
        if (!readSclk(sclk))
            return;
        c.sclkMHz = sclk;
        applySclkChange();
        break;
    }
    case Step::SclkSource:
        sclkSourceChange(index, checked);
        break;
    case Step::Usb:
        usbChange(id);
        break;
    case Step::Rtc:
        rtcChange();
        m_rtcRefreshed = true;
        break;
    case Step::RtcDivider:
        m_rtcRefreshed = true;
        break;
    case Step::Bypass:
    case Step::Entry:
        break; // only the display follows
    }
}

void DesignDocument::applyEntry(Control id)
{
    ClockConfig &c = m_config;
    if (id == Control::PllMs || id == Control::PllNs) {
        factorReturnPressed(id);
        return;
    }
    if (id == Control::Hext) {
        if (!readHext())
            return;
        if (c.sclkSource != ClockConfig::SclkPll && ClockRules::usbFromPll(c)) {
            c.retunePllForUsb();
            showPllFactors();
        }
        standardStep();
        m_rtcRefreshed = true;
        return;
    }
    if (c.sclkSource != ClockConfig::SclkPll)
        return;
    double sclk = 0.0;
    if (!readSclk(sclk))
        return;
    c.sclkMHz = sclk;
    if (c.pllSourceHick == 0 && !readHext())
        return;
    c.applyTypedSclk();
    showPllFactors();
    correctPllInputAndShowClocks();
}

bool DesignDocument::readHext()
{
    bool ok = false;
    const double value = m_entries.hext.toDouble(&ok);
    if (!ok || !ClockRules::hextAccepted(value)) {
        showError(translated(QT_TRANSLATE_NOOP("Model", "hext input error!")));
        return false;
    }
    m_config.hextMHz = value;
    return true;
}

bool DesignDocument::readSclk(double &mhz)
{
    bool ok = false;
    const double value = m_entries.sclk.toDouble(&ok);
    if (!ok || !ClockRules::sclkTargetAccepted(*m_series, value)) {
        showError(translated(QT_TRANSLATE_NOOP("Model", "sclk input error!")));
        return false;
    }
    mhz = value;
    return true;
}

void DesignDocument::standardStep()
{
    if (checkPllInputs()) {
        m_config.recompute();
        correctPllInputAndShowClocks();
    }
}

void DesignDocument::applySclkChange()
{
    ClockConfig &c = m_config;
    if (c.sclkSource == ClockConfig::SclkPll) {
        c.applyTypedSclk();
    } else if (ClockRules::usbFromPll(c)) {
        c.retunePllForUsb();
    } else {
        // The PLL keeps its factors on a new input: they must still fit it.
        if (!checkPllInputs())
            return;
        c.recompute();
    }
    showPllFactors();
    correctPllInputAndShowClocks();
}

void DesignDocument::sclkSourceChange(int index, bool checked)
{
    ClockConfig &c = m_config;
    if (checked) {
        c.sclkSource = int(values(*m_series, Control::SclkSelect).value(index));
        const bool pll = c.sclkSource == ClockConfig::SclkPll;
        const bool hext = c.sclkSource == ClockConfig::SclkHext || (pll && c.pllSourceHick == 0);
        if (hext && !readHext())
            return;
        standardStep();
    }
    applySclkChange();
}

void DesignDocument::usbChange(Control id)
{
    ClockConfig &c = m_config;
    if (id == Control::UsbSwitch && c.usbDisabled != 0) {
        correctPllInputAndShowClocks();
        return;
    }
    if (id == Control::HickToUsb && c.usbSourceHick48 == 1) {
        c.usbMHz = c.hickMHz;
        correctPllInputAndShowClocks();
        return;
    }
    // Where the PLL feeds only USB, it is retuned for 48 MHz.
    if (c.sclkSource != ClockConfig::SclkPll && ClockRules::usbFromPll(c)) {
        if (c.pllSourceHick == 0 && !readHext())
            return;
        c.retunePllForUsb();
        showPllFactors();
        correctPllInputAndShowClocks();
    } else {
        standardStep();
    }
}

void DesignDocument::rtcChange()
{
    if (m_config.rtcEnabled && m_config.rtcSource == 2)
        applyEntry(Control::Hext);
    correctPllInputAndShowClocks();
}

// ---------------------------------------------------------------------------
// PLL steps

bool DesignDocument::entryTextInRange(Control entry) const
{
    const QString text = entryText(entry);
    if (entry == Control::PllMs || entry == Control::PllNs)
        return factorInRange(entry, factorNumber(text, prefixOf(entry)));
    bool ok = false;
    const double typed = text.toDouble(&ok);
    const double low = entry == Control::Hext ? ClockRules::kHextMinMHz : SeriesParams::kSclkEntryMinMHz;
    const double high = entry == Control::Hext ? ClockRules::kHextMaxMHz : m_series->sclkLimitMHz;
    return ok && typed >= low && typed <= high;
}

bool DesignDocument::checkPllInputs()
{
    const ClockConfig &c = m_config;
    if (ClockRules::hextInUse(c) && !readHext())
        return false;
    if (!ClockRules::pllInUse(c) || !c.flexiblePllActive())
        return true;
    return checkFlexibleFactors();
}

bool DesignDocument::checkFlexibleFactors()
{
    ClockConfig &c = m_config;
    int ms = factorNumber(m_entries.pllMs, prefixOf(Control::PllMs));
    if (!factorInRange(Control::PllMs, ms)) {
        showError(translated(rangeError(Control::PllMs)));
        return false;
    }
    int suggestion = 0;
    if (!c.suggestMs(ms, suggestion)) {
        if (!askYes(
                translated(QT_TRANSLATE_NOOP("Model", "pll_ms input error, is it adjusted automatically?"))))
            return false;
        ms = suggestion;
        m_entries.pllMs = QStringLiteral("/") + QString::number(ms);
    }
    c.pllMs = ms;

    const int ns = factorNumber(m_entries.pllNs, prefixOf(Control::PllNs));
    if (!factorInRange(Control::PllNs, ns)) {
        showError(translated(rangeError(Control::PllNs)));
        return false;
    }
    if (c.suggestNs(ns, ms, suggestion)) {
        c.pllNs = ns;
        return true;
    }
    if (!askYes(translated(QT_TRANSLATE_NOOP("Model", "pll_ns input error, is it adjusted automatically?"))))
        return false;
    c.pllNs = suggestion;
    m_entries.pllNs = QStringLiteral("*") + QString::number(suggestion);
    return true;
}

void DesignDocument::factorReturnPressed(Control id)
{
    const QString &text = *entryIn(m_entries, id);
    if (!factorInRange(id, factorNumber(text, prefixOf(id)))) {
        showError(translated(rangeError(id)));
        return;
    }
    if (m_config.pllSourceHick == 0 && !readHext())
        return;
    standardStep();
}

// A PLL input outside 2..16 MHz is corrected, not refused: HEXT becomes the
// nearest crystal that fits and is applied as if typed. The refresh that
// found it stops; the applied HEXT has refreshed everything again. With the
// crystal kept, the edit is refused instead.
//
// While opening, the elements set so far may leave the factory's PLL as the
// system clock: the input is judged once, on the design as opened, or a
// crystal feeding an unused divided path would be changed.
bool DesignDocument::checkPllSourceRange()
{
    ClockConfig &c = m_config;
    if (m_restoring || !m_series->pllInputRangeCheck || !ClockRules::pllOnHext(c))
        return true;
    const double input = c.pllInputMHz();
    if (input >= ClockRules::kPllInputMinMHz && input <= ClockRules::kPllInputMaxMHz)
        return true;
    const double corrected = input < ClockRules::kPllInputMinMHz
                                 ? ClockRules::kPllInputMinMHz * c.hextDivValue
                                 : ClockRules::kPllInputMaxMHz;
    if (m_crystalKept) {
        showError(translated(m_series->pllInputRangeMessage), corrected);
        return false;
    }
    correctionError(translated(m_series->pllInputRangeMessage));
    c.hextMHz = corrected;
    m_entries.hext = QString::number(c.hextMHz, 'f', 3);
    applyEntry(Control::Hext);
    return false;
}

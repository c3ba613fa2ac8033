#include "DesignDocument.h"

#include "SeriesTable.h"

// The PLL steps of an edit: the typed ms/ns factors of a flexible PLL, each
// refused outside its range and corrected on request where the reference or
// the oscillator leaves its range; and the 2..16 MHz input of a multiplier
// PLL, corrected rather than refused.

using namespace ControlTable;

namespace {

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
    return id == Control::PllMs ? QT_TRANSLATE_NOOP("QXMCUPLL", "pll_ms input error!")
                                : QT_TRANSLATE_NOOP("QXMCUPLL", "pll_ns input error!");
}

} // namespace

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
    int ms = factorNumber(m_text[2], prefixOf(Control::PllMs));
    if (!factorInRange(Control::PllMs, ms)) {
        showError(translated(rangeError(Control::PllMs)));
        return false;
    }
    int suggestion = 0;
    if (!c.suggestMs(ms, suggestion)) {
        if (!askYes(translated(
                QT_TRANSLATE_NOOP("QXMCUPLL", "pll_ms input error, is it adjusted automatically?"))))
            return false;
        ms = suggestion;
        m_text[2] = QStringLiteral("/") + QString::number(ms);
    }
    c.pllMs = ms;

    const int ns = factorNumber(m_text[3], prefixOf(Control::PllNs));
    if (!factorInRange(Control::PllNs, ns)) {
        showError(translated(rangeError(Control::PllNs)));
        return false;
    }
    if (c.suggestNs(ns, ms, suggestion)) {
        c.pllNs = ns;
        return true;
    }
    if (!askYes(
            translated(QT_TRANSLATE_NOOP("QXMCUPLL", "pll_ns input error, is it adjusted automatically?"))))
        return false;
    c.pllNs = suggestion;
    m_text[3] = QStringLiteral("*") + QString::number(suggestion);
    return true;
}

void DesignDocument::factorReturnPressed(Control id)
{
    const QString &text = m_text[id == Control::PllMs ? 2 : 3];
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
    m_text[0] = QString::number(c.hextMHz, 'f', 3);
    applyEntry(Control::Hext);
    return false;
}

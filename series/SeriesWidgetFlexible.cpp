#include "SeriesWidget.h"

#include "ClockConfig.h"
#include "ClockRules.h"
#include "CustomComboBox1.h"
#include "SeriesTable.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

// The flexible PLL (ms, ns, fr and the CRM_PLLCFG word) and the checks of the
// PLL inputs that every kind of PLL runs before a recompute.

using namespace ControlTable;

namespace {

const char *const kFactorTail =
    "border-style: outset; border-width: 1px; border-color: %1;border-radius:1px;padding:1px 2px;;";

// The number of an ms/ns entry without its "/" or "*"; unparsable text reads as 0.
int factorNumber(const QString &text, QChar prefix)
{
    QString digits = text.trimmed();
    if (digits.startsWith(prefix))
        digits.remove(0, 1);
    return digits.toInt();
}

QChar prefixOf(ControlTable::Control id)
{
    return id == ControlTable::Control::PllMs ? QLatin1Char('/') : QLatin1Char('*');
}

bool factorInRange(ControlTable::Control id, int value)
{
    return id == ControlTable::Control::PllMs ? value >= ClockConfig::kMsMin && value <= ClockConfig::kMsMax
                                              : value >= ClockConfig::kNsMin && value <= ClockConfig::kNsMax;
}

const char *rangeError(ControlTable::Control id)
{
    return id == ControlTable::Control::PllMs ? QT_TRANSLATE_NOOP("QXMCUPLL", "pll_ms input error!")
                                              : QT_TRANSLATE_NOOP("QXMCUPLL", "pll_ns input error!");
}

} // namespace

void SeriesWidget::buildFlexiblePll()
{
    if (has(Control::PllMs)) {
        for (Control id : {Control::PllMs, Control::PllNs}) {
            buildControl(row(id));
            label(id == Control::PllMs ? QXMCUPLL::tr("(1-15)") : QXMCUPLL::tr("(31-500)"),
                  QLatin1String(row(id).name) + QStringLiteral(".hint"));
        }
        buildControl(row(Control::PllFr));
    }
    m_pllLabel = label(QString(), QStringLiteral("pll.value"));
    if (!has(Control::PllMs))
        return;
    m_pllcfgCaption = label(QXMCUPLL::tr("CRM_PLLCFG : "), QStringLiteral("pllcfg.caption"));
    m_pllcfgValue = valueBox(QStringLiteral("pllcfg"));
    m_pllcfgValue->setFixedWidth(widthAt(QStringLiteral("pllcfg")));
    m_pllcfgValue->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSheet(m_pllcfgValue, QStringLiteral("border:  0px;"));
    m_pllcfgValue->setText(QStringLiteral("0x08000000"));
}

QString SeriesWidget::pllcfgText() const
{
    return m_config->pllcfgText();
}

void SeriesWidget::updatePllPaths(bool inUse)
{
    for (Control id : {Control::PllMs, Control::PllNs}) {
        if (QLineEdit *edit = w(id).edit) {
            edit->setEnabled(inUse);
            const QString border = inUse ? QStringLiteral("rgb(0, 176, 240)") : QStringLiteral("gray");
            setSheet(edit, QStringLiteral("background: rgb(255, 255, 255); ") +
                               QString::fromLatin1(kFactorTail).arg(border));
        }
    }
    if (has(Control::PllFr))
        w(Control::PllFr).combo->setEnabledWithStyle(inUse);
    for (QRadioButton *radio : qAsConst(w(Control::PllRcs).radios)) {
        radio->setEnabled(inUse);
        setSheet(radio, radioStyle(inUse));
    }
    m_pllLabel->setEnabled(inUse);
    if (m_pllcfgCaption) {
        m_pllcfgCaption->setEnabled(inUse);
        m_pllcfgValue->setEnabled(inUse);
    }
    if (inUse) {
        for (Control id : {Control::PllMs, Control::PllNs}) {
            if (w(id).edit)
                factorTextChanged(id, w(id).edit->text());
        }
    }
}

void SeriesWidget::showPllFactors()
{
    const ClockConfig &c = *m_config;
    if (has(Control::PllMult)) {
        // Item pllMult - 2, or the first one for a multiplier out of range.
        const QSignalBlocker blocker(w(Control::PllMult).combo);
        showControl(Control::PllMult);
    }
    if (!has(Control::PllMs))
        return;
    w(Control::PllMs).edit->setText(QStringLiteral("/") + QString::number(c.pllMs));
    w(Control::PllNs).edit->setText(QStringLiteral("*") + QString::number(c.pllNs));
    // The record already holds fr: showing it must not run the fr slot again.
    const QSignalBlocker blocker(w(Control::PllFr).combo);
    showControl(Control::PllFr);
}

bool SeriesWidget::checkPllInputs()
{
    const ClockConfig &c = *m_config;
    if (ClockRules::hextInUse(c) && !readHext())
        return false;
    if (!ClockRules::pllInUse(c) || !c.flexiblePllActive())
        return true;
    return checkFlexibleFactors();
}

// The typed factors, each refused outside its range and, where the reference
// or the oscillator leaves its range, corrected on request.
bool SeriesWidget::checkFlexibleFactors()
{
    ClockConfig &c = *m_config;
    int ms = factorNumber(w(Control::PllMs).edit->text(), QLatin1Char('/'));
    if (!factorInRange(Control::PllMs, ms)) {
        showError(QXMCUPLL::tr(rangeError(Control::PllMs)));
        return false;
    }
    int suggestion = 0;
    if (!c.suggestMs(ms, suggestion)) {
        if (!askYes(QXMCUPLL::tr("pll_ms input error, is it adjusted automatically?")))
            return false;
        ms = suggestion;
        w(Control::PllMs).edit->setText(QStringLiteral("/") + QString::number(ms));
    }
    c.pllMs = ms;

    const int ns = factorNumber(w(Control::PllNs).edit->text(), QLatin1Char('*'));
    if (!factorInRange(Control::PllNs, ns)) {
        showError(QXMCUPLL::tr(rangeError(Control::PllNs)));
        return false;
    }
    if (c.suggestNs(ns, ms, suggestion)) {
        c.pllNs = ns;
        return true;
    }
    if (!askYes(QXMCUPLL::tr("pll_ns input error, is it adjusted automatically?")))
        return false;
    c.pllNs = suggestion;
    w(Control::PllNs).edit->setText(QStringLiteral("*") + QString::number(suggestion));
    return true;
}

void SeriesWidget::factorReturnPressed(Control id)
{
    QLineEdit *edit = w(id).edit;
    if (!factorInRange(id, factorNumber(edit->text(), prefixOf(id)))) {
        showError(QXMCUPLL::tr(rangeError(id)));
        return;
    }
    if (m_config->pllSourceHick == 0 && !readHext())
        return;
    standardStep();
    factorTextChanged(id, edit->text());
}

void SeriesWidget::factorTextChanged(Control id, const QString &text)
{
    QLineEdit *edit = w(id).edit;
    if (!edit->isEnabled())
        return;
    const QChar prefix = prefixOf(id);
    if (!text.isEmpty() && !text.startsWith(prefix)) {
        // setText comes back here with the prefixed text, which is then styled.
        edit->setText(prefix + text);
        return;
    }
    const int value = factorNumber(text, prefix);
    const int stored = id == Control::PllMs ? m_config->pllMs : m_config->pllNs;
    setSheet(edit, value == stored ? factorCommittedStyle() : factorPendingStyle());
    setEditTextColor(edit, factorInRange(id, value) ? QColor(Qt::black) : QColor(Qt::red));
}

QString SeriesWidget::factorCommittedStyle()
{
    return QStringLiteral("background: rgb(255, 255, 255); ") +
           QString::fromLatin1(kFactorTail).arg(QStringLiteral("rgb(0, 176, 240)"));
}

QString SeriesWidget::factorPendingStyle()
{
    return QStringLiteral("background: rgb(255, 255, 225); ") +
           QString::fromLatin1(kFactorTail).arg(QStringLiteral("rgb(0, 176, 240)"));
}

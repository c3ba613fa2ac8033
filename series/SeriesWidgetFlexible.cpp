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

// The flexible PLL's controls: ms, ns, fr and the CRM_PLLCFG word.

using namespace ControlTable;

namespace {

const char *const kFactorTail =
    "border-style: outset; border-width: 1px; border-color: %1;border-radius:1px;padding:1px 2px;;";

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
    return rec().pllcfgText();
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
    // The group's captions and hints follow its controls.
    for (const char *name : {"pllms.caption", "pllms.hint", "pllns.caption", "pllns.hint", "pllfr.caption",
                             "pllmult.caption", "pllmode.caption"}) {
        if (QLabel *caption = placedControl<QLabel>(QLatin1String(name)))
            caption->setEnabled(inUse);
    }
    if (m_pllcfgCaption) {
        m_pllcfgCaption->setEnabled(inUse);
        m_pllcfgValue->setEnabled(inUse);
    }
    if (inUse) {
        for (Control id : {Control::PllMs, Control::PllNs})
            restyleFactor(id);
    }
}

// The look of an ms/ns entry: pending while its text is not the factor the
// record holds (or the checks refuse that factor), red outside its range.
void SeriesWidget::restyleFactor(Control id)
{
    QLineEdit *edit = w(id).edit;
    if (!edit || !edit->isEnabled())
        return;
    const DesignDocument &doc = document();
    const bool committed = doc.entryCommitted(id) && !doc.entryRefused(id);
    setSheet(edit, committed ? factorCommittedStyle() : factorPendingStyle());
    setEditTextColor(edit, doc.entryTextInRange(id) ? QColor(Qt::black) : QColor(Qt::red));
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

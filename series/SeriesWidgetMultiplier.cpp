#include "SeriesWidget.h"

#include "SeriesTable.h"


// The multiplier PLL (HEXT straight or divided, HICK / 12, an integer
// multiplier) and the ADC.

using namespace ControlTable;

bool SeriesWidget::multiplierPll() const
{
    return m_series->pllKind != PllKind::Flexible;
}

void SeriesWidget::buildMultiplierPll()
{
    for (Control id : {Control::PllMode, Control::HextDiv, Control::PllHextDiv, Control::PllMult})
        buildControl(row(id));
    if (!multiplierPll())
        return;
    fixedLabel(QXMCUPLL::tr("pllrcs"), QStringLiteral("pllrcs.caption"));
    fixedLabel(m_series->sclkHint(), QStringLiteral("sclk.hint"));
}

void SeriesWidget::buildAdc()
{
    if (!has(Control::AdcSwitch))
        return;
    buildControl(row(Control::AdcDiv));
    buildControl(row(Control::AdcSwitch));
    fixedLabel(QXMCUPLL::tr("adc (MHz)"), QStringLiteral("adc.caption"));
    valueBox(QStringLiteral("adc.value"));
}

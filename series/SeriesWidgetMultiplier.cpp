#include "SeriesWidget.h"

#include "ClockConfig.h"
#include "ClockRules.h"
#include "CustomComboBox1.h"
#include "SeriesTable.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

// The multiplier PLL (HEXT straight or divided, HICK / 12, an integer
// multiplier), the ADC, and the gray states these series add.

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
    m_adcValue = valueBox(QStringLiteral("adc.value"));
}

void SeriesWidget::refreshAdc()
{
    if (!m_adcValue)
        return;
    const ClockConfig &c = rec();
    m_adcValue->setText(QString::number(c.adcMHz, 'f', 3));
    const QColor color = !c.adcEnabled                ? QColor(Qt::gray)
                         : m_series->adcRed(c.adcMHz) ? QColor(Qt::red)
                                                      : QColor(Qt::darkGreen);
    setEditTextColor(m_adcValue, color);
}

void SeriesWidget::updateMultiplierPaths()
{
    const ClockConfig &c = rec();
    const auto enable = [](const QVector<QRadioButton *> &radios, bool on) {
        for (QRadioButton *radio : radios) {
            radio->setEnabled(on);
            setSheet(radio, radioStyle(on));
        }
    };
    if (m_adcValue) {
        w(Control::AdcDiv).combo->setEnabledWithStyle(c.adcEnabled);
        m_adcValue->setEnabled(c.adcEnabled);
    }
    if (!multiplierPll())
        return;

    const bool pll = ClockRules::pllInUse(c);
    const bool onHext = pll && c.pllSourceHick == 0;
    w(Control::PllMult).combo->setEnabledWithStyle(pll);
    if (has(Control::PllMode))
        w(Control::PllMode).combo->setEnabledWithStyle(pll);
    enable(w(Control::PllHextDiv).radios, onHext);
    if (has(Control::HextDiv))
        w(Control::HextDiv).combo->setEnabledWithStyle(onHext && c.hextDivEnabled);

    const bool lext = ClockRules::lextRunning(c);
    w(Control::LextBypass).combo->setEnabledWithStyle(lext);
    m_lextIn->setEnabled(lext);
    setSheet(m_lextIn, lext ? QStringLiteral("color: blue") : QStringLiteral("color: gray"));
    // The OUT pin belongs to the group too; bypassed it is gray even in use.
    const bool lextOut = lext && !c.lextBypass;
    m_lextOut->setEnabled(lextOut);
    setSheet(m_lextOut, lextOut ? QStringLiteral("color: blue") : QStringLiteral("color: gray"));
    enable(w(Control::RtcSel).radios, c.rtcEnabled);
    setLabelTextColor(m_ertcValue, c.rtcEnabled ? QColor(Qt::darkGreen) : QColor(Qt::gray));

    showPllMode();
    if (!m_usbLabel)
        return;
    const bool usb = ClockRules::usbEnabled(c);
    setControlShown(m_usbLabel, usb);
    enable(w(Control::HickToUsb).radios, usb);
    w(Control::UsbDiv).combo->setEnabledWithStyle(ClockRules::usbFromPll(c));
}

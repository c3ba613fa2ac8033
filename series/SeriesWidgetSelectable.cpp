#include "SeriesWidget.h"

#include "ClockConfig.h"
#include "ClockRules.h"
#include "SeriesTable.h"

#include <QLabel>
#include <QLineEdit>

// The mode-selectable PLL (normal: the multiplier; flexible: ms/ns/fr and the
// CRM_PLLCFG word, each set shown only in its mode) and the peripheral clock
// selectors of the low-power series.

using namespace ControlTable;

namespace {

const char *const kNormalControls[] = {"pllmult", "pllmult.caption"};
const char *const kFlexibleControls[] = {"pllms",         "pllms.caption", "pllms.hint", "pllns",
                                         "pllns.caption", "pllns.hint",    "pllfr",      "pllfr.caption",
                                         "pllcfg",        "pllcfg.caption"};
const Control kSelectors[3] = {Control::Usart1Sel, Control::Usart2Sel, Control::I2c1Sel};

} // namespace

void SeriesWidget::showPllMode()
{
    if (!has(Control::PllMode))
        return;
    const bool flexible = rec().pllFlexible != 0;
    for (const char *name : kNormalControls)
        setControlShown(placedControl<QWidget>(QLatin1String(name)), !flexible);
    for (const char *name : kFlexibleControls)
        setControlShown(placedControl<QWidget>(QLatin1String(name)), flexible);
}

void SeriesWidget::buildPeripheralSelectors()
{
    for (int i = 0; i < 3; ++i) {
        const Control id = kSelectors[i];
        if (!has(id))
            continue;
        buildControl(row(id));
        const QString name = QLatin1String(row(id).name);
        const QStringList texts = labels(*m_series, id);
        for (int k = 0; k < texts.size(); ++k)
            fixedLabel(texts.at(k), name + QStringLiteral(".text%1").arg(k));
        m_peripheralClocks[i].value = valueBox(name + QStringLiteral(".value"));
        m_peripheralClocks[i].value->setFixedWidth(widthAt(name + QStringLiteral(".value")));
        m_peripheralClocks[i].unit = label(QXMCUPLL::tr("(MHz)"), name + QStringLiteral(".unit"));
    }
}

// The kernel clock of each selector: the bus it sits on, SCLK, HICK 48 or LEXT.
void SeriesWidget::refreshPeripheralClocks()
{
    const ClockConfig &c = rec();
    const int sources[3] = {c.usart1Source, c.usart2Source, c.i2c1Source};
    const double buses[3] = {c.apb2MHz, c.apb1MHz, c.apb1MHz};
    for (int i = 0; i < 3; ++i) {
        const PeripheralClock &box = m_peripheralClocks[i];
        if (!box.value)
            continue;
        double value = sources[i] == 0 ? buses[i] : sources[i] == 1 ? c.sclkMHz : c.hickMHz;
        bool red = sources[i] == 0 ? m_series->apbRed(value) : sources[i] == 1 && m_series->sclkRed(value);
        if (sources[i] == 3) {
            value = c.lextKHz;
            red = false;
        }
        box.value->setText(QString::number(value, 'f', 3));
        setEditTextColor(box.value, red ? QColor(Qt::red) : QColor(Qt::darkGreen));
        const QString unit = sources[i] == 3 ? QXMCUPLL::tr("(kHz)") : QXMCUPLL::tr("(MHz)");
        if (box.unit->text() != unit) {
            box.unit->setText(unit);
            box.unit->adjustSize();
        }
    }
}

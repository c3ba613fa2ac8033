#include "SeriesWidget.h"


#include <QLineEdit>

// The mode-selectable PLL (normal: the multiplier; flexible: ms/ns/fr and the
// CRM_PLLCFG word, each set shown only in its mode) and the peripheral clock
// selectors of the low-power series.

using namespace ControlTable;

namespace {

const Control kSelectors[3] = {Control::Usart1Sel, Control::Usart2Sel, Control::I2c1Sel};

} // namespace

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
        valueBox(name + QStringLiteral(".value"))->setFixedWidth(widthAt(name + QStringLiteral(".value")));
        label(QXMCUPLL::tr("(MHz)"), name + QStringLiteral(".unit"));
    }
}

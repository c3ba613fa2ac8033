#include "SeriesWidget.h"


#include <QLabel>
#include <QLineEdit>

// The flexible PLL's controls: ms, ns, fr and the CRM_PLLCFG word.

using namespace ControlTable;

namespace {

QString factorStyle(const char *background, const char *border)
{
    return QStringLiteral("background: %1; border-style: outset; border-width: 1px; border-color: "
                          "%2;border-radius:1px;padding:1px 2px;;")
        .arg(QLatin1String(background), QLatin1String(border));
}

} // namespace

void SeriesWidget::buildFlexiblePll()
{
    if (has(Control::PllMs)) {
        for (Control id : {Control::PllMs, Control::PllNs}) {
            buildControl(row(id));
            const QString hint = QLatin1String(row(id).name) + QStringLiteral(".hint");
            label(presentedText(hint), hint);
        }
        buildControl(row(Control::PllFr));
    }
    label(QString(), QStringLiteral("pll.value"));
    if (!has(Control::PllMs))
        return;
    label(QXMCUPLL::tr("CRM_PLLCFG : "), QStringLiteral("pllcfg.caption"));
    QLineEdit *word = valueBox(QStringLiteral("pllcfg"));
    word->setFixedWidth(widthAt(QStringLiteral("pllcfg")));
    word->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSheet(word, QStringLiteral("border:  0px;"));
    word->setText(QStringLiteral("0x08000000"));
}

QString SeriesWidget::factorCommittedStyle()
{
    return factorStyle("rgb(255, 255, 255)", "rgb(0, 176, 240)");
}

QString SeriesWidget::factorPendingStyle()
{
    return factorStyle("rgb(255, 255, 225)", "rgb(0, 176, 240)");
}

QString SeriesWidget::factorDisabledStyle()
{
    return factorStyle("rgb(255, 255, 255)", "gray");
}

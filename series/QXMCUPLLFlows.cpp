#include "QXMCUPLL.h"

// Save and generation flows shared by every series widget.

bool QXMCUPLL::writeDesign(const QString &seriesName)
{
    Q_UNUSED(seriesName)
    return false;
}

bool QXMCUPLL::runGeneration()
{
    return false;
}

QString QXMCUPLL::readElement(const QString &, const QString &)
{
    return QString();
}

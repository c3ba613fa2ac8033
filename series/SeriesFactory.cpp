#include "SeriesFactory.h"

#include "QXMCUPLL.h"

QXMCUPLL *createSeriesWidget(int seriesId, QWidget *parent)
{
    Q_UNUSED(seriesId)
    Q_UNUSED(parent)
    return nullptr;
}

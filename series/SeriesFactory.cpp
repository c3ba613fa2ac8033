#include "SeriesFactory.h"

#include "QXC330PLL.h"
#include "QXC335PLL.h"

QXMCUPLL *createSeriesWidget(int seriesId, QWidget *parent)
{
    switch (seriesId) {
    case 13:
        return new QXC330PLL(parent);
    case 14:
        return new QXC335PLL(parent);
    default:
        return nullptr;
    }
}

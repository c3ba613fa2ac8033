#include "SeriesFactory.h"

#include "QXC300APLL.h"
#include "QXC300PLL.h"
#include "QXC305PLL.h"
#include "QXC310PLL.h"
#include "QXC330PLL.h"
#include "QXC335PLL.h"

QXMCUPLL *createSeriesWidget(int seriesId, QWidget *parent)
{
    switch (seriesId) {
    case 2:
        return new QXC300PLL(parent);
    case 4:
        return new QXC310PLL(parent);
    case 7:
        return new QXC300APLL(parent);
    case 8:
        return new QXC305PLL(parent);
    case 13:
        return new QXC330PLL(parent);
    case 14:
        return new QXC335PLL(parent);
    default:
        return nullptr;
    }
}

#include "SeriesFactory.h"

#include "QXC300APLL.h"
#include "QXC300PLL.h"
#include "QXC305PLL.h"
#include "QXC310PLL.h"
#include "QXC315PLL.h"
#include "QXC320PLL.h"
#include "QXC325PLL.h"
#include "QXC330PLL.h"
#include "QXC335PLL.h"
#include "QXE020PLL.h"
#include "QXW315PLL.h"

QXMCUPLL *createSeriesWidget(int seriesId, QWidget *parent)
{
    switch (seriesId) {
    case 2:
        return new QXC300PLL(parent);
    case 4:
        return new QXC310PLL(parent);
    case 5:
        return new QXC315PLL(parent);
    case 7:
        return new QXC300APLL(parent);
    case 8:
        return new QXC305PLL(parent);
    case 9:
        return new QXC320PLL(parent);
    case 13:
        return new QXC330PLL(parent);
    case 14:
        return new QXC335PLL(parent);
    case 15:
        return new QXC325PLL(parent);
    case 16:
        return new QXE020PLL(parent);
    case 17:
        return new QXW315PLL(parent);
    default:
        return nullptr;
    }
}

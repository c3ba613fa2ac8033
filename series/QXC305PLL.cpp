#include "QXC305PLL.h"

QXC305PLL::QXC305PLL(QWidget *parent) : QXC300APLL(8, parent)
{}

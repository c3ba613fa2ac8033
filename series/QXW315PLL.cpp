#include "QXW315PLL.h"

QXW315PLL::QXW315PLL(QWidget *parent) : QXC315PLL(17, parent)
{}

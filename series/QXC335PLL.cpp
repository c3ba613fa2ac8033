#include "QXC335PLL.h"

QXC335PLL::QXC335PLL(QWidget *parent) : QXC330PLL(14, parent)
{}

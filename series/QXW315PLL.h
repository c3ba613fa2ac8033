#pragma once

#include "QXC315PLL.h"

// The mode-selectable series QXW315: QXC315 with another id and panel.
class QXW315PLL : public QXC315PLL {
    Q_OBJECT
public:
    explicit QXW315PLL(QWidget *parent = nullptr);
};

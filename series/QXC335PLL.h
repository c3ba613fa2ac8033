#pragma once

#include "QXC330PLL.h"

// The QXC335: the QXC330 widget with its own id, drawing and panel rows.
class QXC335PLL final : public QXC330PLL {
    Q_OBJECT
public:
    explicit QXC335PLL(QWidget *parent = nullptr);
};

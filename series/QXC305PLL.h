#pragma once

#include "QXC300APLL.h"

// The QXC305: the QXC300A widget with its own id, drawing and panel rows.
class QXC305PLL final : public QXC300APLL {
    Q_OBJECT
public:
    explicit QXC305PLL(QWidget *parent = nullptr);
};

#pragma once

#include "QXC320PLL.h"

// The low-power series QXE020: QXC320's slots, then the USART1, USART2 and
// I2C1 clock source selectors.
class QXE020PLL : public QXC320PLL {
    Q_OBJECT
public:
    explicit QXE020PLL(QWidget *parent = nullptr);

public slots:
    void usart1clocksel_RadioButton_checkSlot(bool checked);
    void usart2clocksel_RadioButton_checkSlot(bool checked);
    void i2c1clocksel_RadioButton_checkSlot(bool checked);
};

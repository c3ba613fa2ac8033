#include "QXE020PLL.h"

using C = ControlTable::Control;

QXE020PLL::QXE020PLL(QWidget *parent) : QXC320PLL(16, parent)
{
    connectSlots();
}

// clang-format off
void QXE020PLL::usart1clocksel_RadioButton_checkSlot(bool c) { controlChanged(C::Usart1Sel, 0, c); }
void QXE020PLL::usart2clocksel_RadioButton_checkSlot(bool c) { controlChanged(C::Usart2Sel, 0, c); }
void QXE020PLL::i2c1clocksel_RadioButton_checkSlot(bool c) { controlChanged(C::I2c1Sel, 0, c); }
// clang-format on

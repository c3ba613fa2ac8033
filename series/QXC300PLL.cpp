#include "QXC300PLL.h"

using C = ControlTable::Control;

QXC300PLL::QXC300PLL(QWidget *parent) : SeriesWidget(2, parent)
{
    connectSlots();
}

// clang-format off
void QXC300PLL::rtcsel_RadioButton_checkSlot(bool c) { controlChanged(C::RtcSel, 0, c); }
void QXC300PLL::rtcswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::RtcSwitch, i); }
void QXC300PLL::lextbypass_ComboBox_currentIndexChanged(int i) { controlChanged(C::LextBypass, i); }
void QXC300PLL::hext_LineEdit_returnPressed() { entryReturnPressed(C::Hext); }
void QXC300PLL::hext_LineEdit_textChanged(const QString &t) { entryTextChanged(C::Hext, t); }
void QXC300PLL::hextbypass_ComboBox_currentIndexChanged(int i) { controlChanged(C::HextBypass, i); }
void QXC300PLL::pllhextdiv_RadioButton_checkSlot(bool c) { controlChanged(C::PllHextDiv, 0, c); }
void QXC300PLL::pllmult_ComboBox_currentIndexChanged(int i) { controlChanged(C::PllMult, i); }
void QXC300PLL::pllrcs_RadioButton_checkSlot(bool c) { controlChanged(C::PllRcs, 0, c); }
void QXC300PLL::sclkselecthext_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 0, c); }
void QXC300PLL::sclkselectpll_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 1, c); }
void QXC300PLL::sclkselecthick_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 2, c); }
void QXC300PLL::ahbdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::AhbDiv, i); }
void QXC300PLL::apb1div_ComboBox_currentIndexChanged(int i) { controlChanged(C::Apb1Div, i); }
void QXC300PLL::apb2div_ComboBox_currentIndexChanged(int i) { controlChanged(C::Apb2Div, i); }
void QXC300PLL::toadcswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::AdcSwitch, i); }
void QXC300PLL::toadcdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::AdcDiv, i); }
void QXC300PLL::usbdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::UsbDiv, i); }
void QXC300PLL::usbswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::UsbSwitch, i); }
void QXC300PLL::clkout_RadioButton_checkSlot(bool c) { controlChanged(C::Clkout, 0, c); }
void QXC300PLL::clockoutPinSelectComboBox_currentIndexChanged(int i) { controlChanged(C::ClkoutPin, i); }
void QXC300PLL::sclk_LineEdit_returnPressed() { entryReturnPressed(C::Sclk); }
void QXC300PLL::sclk_LineEdit_textChanged(const QString &t) { entryTextChanged(C::Sclk, t); }
void QXC300PLL::toapb1peripheral_List_Button_checkSlot() { toggleList(0); }
void QXC300PLL::toapb1tmr_List_Button_checkSlot() { toggleList(1); }
void QXC300PLL::toapb2peripheral_List_Button_checkSlot() { toggleList(2); }
void QXC300PLL::toapb2tmr_List_Button_checkSlot() { toggleList(3); }
// clang-format on

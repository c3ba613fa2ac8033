#include "QXC310PLL.h"

using C = ControlTable::Control;

QXC310PLL::QXC310PLL(QWidget *parent) : SeriesWidget(4, parent)
{
    connectSlots();
}

// clang-format off
void QXC310PLL::rtcsel_RadioButton_checkSlot(bool c) { controlChanged(C::RtcSel, 0, c); }
void QXC310PLL::rtcswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::RtcSwitch, i); }
void QXC310PLL::lextbypass_ComboBox_currentIndexChanged(int i) { controlChanged(C::LextBypass, i); }
void QXC310PLL::hext_LineEdit_returnPressed() { entryReturnPressed(C::Hext); }
void QXC310PLL::hext_LineEdit_textChanged(const QString &t) { entryTextChanged(C::Hext, t); }
void QXC310PLL::hextbypass_ComboBox_currentIndexChanged(int i) { controlChanged(C::HextBypass, i); }
void QXC310PLL::pllhextdiv_RadioButton_checkSlot(bool c) { controlChanged(C::PllHextDiv, 0, c); }
void QXC310PLL::pllmult_ComboBox_currentIndexChanged(int i) { controlChanged(C::PllMult, i); }
void QXC310PLL::pllrcs_RadioButton_checkSlot(bool c) { controlChanged(C::PllRcs, 0, c); }
void QXC310PLL::sclkselecthext_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 0, c); }
void QXC310PLL::sclkselectpll_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 1, c); }
void QXC310PLL::sclkselecthick_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 2, c); }
void QXC310PLL::ahbdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::AhbDiv, i); }
void QXC310PLL::apb1div_ComboBox_currentIndexChanged(int i) { controlChanged(C::Apb1Div, i); }
void QXC310PLL::apb2div_ComboBox_currentIndexChanged(int i) { controlChanged(C::Apb2Div, i); }
void QXC310PLL::usbdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::UsbDiv, i); }
void QXC310PLL::usbswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::UsbSwitch, i); }
void QXC310PLL::hicktousb_RadioButton_checkSlot(bool c) { controlChanged(C::HickToUsb, 0, c); }
void QXC310PLL::hicktosclk_RadioButton_checkSlot(bool c) { controlChanged(C::HickToSclk, 0, c); }
void QXC310PLL::clkout_RadioButton_checkSlot(bool c) { controlChanged(C::Clkout, 0, c); }
void QXC310PLL::clockoutdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::ClkoutDiv, i); }
void QXC310PLL::clockoutPinSelectComboBox_currentIndexChanged(int i) { controlChanged(C::ClkoutPin, i); }
void QXC310PLL::sclk_LineEdit_returnPressed() { entryReturnPressed(C::Sclk); }
void QXC310PLL::sclk_LineEdit_textChanged(const QString &t) { entryTextChanged(C::Sclk, t); }
void QXC310PLL::toadcswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::AdcSwitch, i); }
void QXC310PLL::toadcdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::AdcDiv, i); }
void QXC310PLL::toapb1peripheral_List_Button_checkSlot() { toggleList(0); }
void QXC310PLL::toapb1tmr_List_Button_checkSlot() { toggleList(1); }
void QXC310PLL::toapb2peripheral_List_Button_checkSlot() { toggleList(2); }
void QXC310PLL::toapb2tmr_List_Button_checkSlot() { toggleList(3); }
// clang-format on

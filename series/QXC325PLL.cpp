#include "QXC325PLL.h"

using C = ControlTable::Control;

QXC325PLL::QXC325PLL(QWidget *parent) : SeriesWidget(15, parent)
{
    connectSlots();
}

// clang-format off
void QXC325PLL::rtcsel_RadioButton_checkSlot(bool c) { controlChanged(C::RtcSel, 0, c); }
void QXC325PLL::rtcswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::RtcSwitch, i); }
void QXC325PLL::lextbypass_ComboBox_currentIndexChanged(int i) { controlChanged(C::LextBypass, i); }
void QXC325PLL::hext_LineEdit_returnPressed() { entryReturnPressed(C::Hext); }
void QXC325PLL::hext_LineEdit_textChanged(const QString &t) { entryTextChanged(C::Hext, t); }
void QXC325PLL::hextbypass_ComboBox_currentIndexChanged(int i) { controlChanged(C::HextBypass, i); }
void QXC325PLL::pllhextdiv_RadioButton_checkSlot(bool c) { controlChanged(C::PllHextDiv, 0, c); }
void QXC325PLL::pllmode_ComboBox_currentIndexChanged(int i) { controlChanged(C::PllMode, i); }
void QXC325PLL::pllmult_ComboBox_currentIndexChanged(int i) { controlChanged(C::PllMult, i); }
void QXC325PLL::pllms_LineEdit_returnPressed() { entryReturnPressed(C::PllMs); }
void QXC325PLL::pllms_LineEdit_textChanged(const QString &t) { entryTextChanged(C::PllMs, t); }
void QXC325PLL::pllns_LineEdit_returnPressed() { entryReturnPressed(C::PllNs); }
void QXC325PLL::pllns_LineEdit_textChanged(const QString &t) { entryTextChanged(C::PllNs, t); }
void QXC325PLL::pllfr_ComboBox_currentIndexChanged(int i) { controlChanged(C::PllFr, i); }
void QXC325PLL::pllrcs_RadioButton_checkSlot(bool c) { controlChanged(C::PllRcs, 0, c); }
void QXC325PLL::sclkselecthext_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 0, c); }
void QXC325PLL::sclkselectpll_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 1, c); }
void QXC325PLL::sclkselecthick_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 2, c); }
void QXC325PLL::ahbdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::AhbDiv, i); }
void QXC325PLL::apb1div_ComboBox_currentIndexChanged(int i) { controlChanged(C::Apb1Div, i); }
void QXC325PLL::apb2div_ComboBox_currentIndexChanged(int i) { controlChanged(C::Apb2Div, i); }
void QXC325PLL::usbdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::UsbDiv, i); }
void QXC325PLL::usbswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::UsbSwitch, i); }
void QXC325PLL::hicktousb_RadioButton_checkSlot(bool c) { controlChanged(C::HickToUsb, 0, c); }
void QXC325PLL::hicktosclk_RadioButton_checkSlot(bool c) { controlChanged(C::HickToSclk, 0, c); }
void QXC325PLL::clkout_RadioButton_checkSlot(bool c) { controlChanged(C::Clkout, 0, c); }
void QXC325PLL::clockoutdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::ClkoutDiv, i); }
void QXC325PLL::clockoutPinSelectComboBox_currentIndexChanged(int i) { controlChanged(C::ClkoutPin, i); }
void QXC325PLL::sclk_LineEdit_returnPressed() { entryReturnPressed(C::Sclk); }
void QXC325PLL::sclk_LineEdit_textChanged(const QString &t) { entryTextChanged(C::Sclk, t); }
void QXC325PLL::toadcswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::AdcSwitch, i); }
void QXC325PLL::toadcdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::AdcDiv, i); }
void QXC325PLL::toapb1peripheral_List_Button_checkSlot() { toggleList(0); }
void QXC325PLL::toapb1tmr_List_Button_checkSlot() { toggleList(1); }
void QXC325PLL::toapb2peripheral_List_Button_checkSlot() { toggleList(2); }
void QXC325PLL::toapb2tmr_List_Button_checkSlot() { toggleList(3); }
// clang-format on

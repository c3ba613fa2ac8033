#include "QXC315PLL.h"

using C = ControlTable::Control;

QXC315PLL::QXC315PLL(QWidget *parent) : QXC315PLL(5, parent)
{}

QXC315PLL::QXC315PLL(int seriesId, QWidget *parent) : SeriesWidget(seriesId, parent)
{
    connectSlots();
}

// clang-format off
void QXC315PLL::rtcsel_RadioButton_checkSlot(bool c) { controlChanged(C::RtcSel, 0, c); }
void QXC315PLL::rtcswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::RtcSwitch, i); }
void QXC315PLL::lextbypass_ComboBox_currentIndexChanged(int i) { controlChanged(C::LextBypass, i); }
void QXC315PLL::hext_LineEdit_returnPressed() { entryReturnPressed(C::Hext); }
void QXC315PLL::hext_LineEdit_textChanged(const QString &t) { entryTextChanged(C::Hext, t); }
void QXC315PLL::hextbypass_ComboBox_currentIndexChanged(int i) { controlChanged(C::HextBypass, i); }
void QXC315PLL::pllhextdiv_RadioButton_checkSlot(bool c) { controlChanged(C::PllHextDiv, 0, c); }
void QXC315PLL::pllmode_ComboBox_currentIndexChanged(int i) { controlChanged(C::PllMode, i); }
void QXC315PLL::pllmult_ComboBox_currentIndexChanged(int i) { controlChanged(C::PllMult, i); }
void QXC315PLL::pllms_LineEdit_returnPressed() { entryReturnPressed(C::PllMs); }
void QXC315PLL::pllms_LineEdit_textChanged(const QString &t) { entryTextChanged(C::PllMs, t); }
void QXC315PLL::pllns_LineEdit_returnPressed() { entryReturnPressed(C::PllNs); }
void QXC315PLL::pllns_LineEdit_textChanged(const QString &t) { entryTextChanged(C::PllNs, t); }
void QXC315PLL::pllfr_ComboBox_currentIndexChanged(int i) { controlChanged(C::PllFr, i); }
void QXC315PLL::pllrcs_RadioButton_checkSlot(bool c) { controlChanged(C::PllRcs, 0, c); }
void QXC315PLL::sclkselecthext_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 0, c); }
void QXC315PLL::sclkselectpll_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 1, c); }
void QXC315PLL::sclkselecthick_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 2, c); }
void QXC315PLL::ahbdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::AhbDiv, i); }
void QXC315PLL::apb1div_ComboBox_currentIndexChanged(int i) { controlChanged(C::Apb1Div, i); }
void QXC315PLL::apb2div_ComboBox_currentIndexChanged(int i) { controlChanged(C::Apb2Div, i); }
void QXC315PLL::toadcswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::AdcSwitch, i); }
void QXC315PLL::toadcdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::AdcDiv, i); }
void QXC315PLL::usbdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::UsbDiv, i); }
void QXC315PLL::usbswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::UsbSwitch, i); }
void QXC315PLL::hicktosclk_RadioButton_checkSlot(bool c) { controlChanged(C::HickToSclk, 0, c); }
void QXC315PLL::clkout_RadioButton_checkSlot(bool c) { controlChanged(C::Clkout, 0, c); }
void QXC315PLL::clockoutdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::ClkoutDiv, i); }
void QXC315PLL::clockoutPinSelectComboBox_currentIndexChanged(int i) { controlChanged(C::ClkoutPin, i); }
void QXC315PLL::sclk_LineEdit_returnPressed() { entryReturnPressed(C::Sclk); }
void QXC315PLL::sclk_LineEdit_textChanged(const QString &t) { entryTextChanged(C::Sclk, t); }
void QXC315PLL::toapb1peripheral_List_Button_checkSlot() { toggleList(0); }
void QXC315PLL::toapb1tmr_List_Button_checkSlot() { toggleList(1); }
void QXC315PLL::toapb2peripheral_List_Button_checkSlot() { toggleList(2); }
void QXC315PLL::toapb2tmr_List_Button_checkSlot() { toggleList(3); }
// clang-format on

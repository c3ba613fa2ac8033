#include "QXC330PLL.h"

using C = ControlTable::Control;

QXC330PLL::QXC330PLL(QWidget *parent) : QXC330PLL(13, parent)
{}

QXC330PLL::QXC330PLL(int seriesId, QWidget *parent) : SeriesWidget(seriesId, parent)
{
    connectSlots();
}

// clang-format off
void QXC330PLL::rtcsel_RadioButton_checkSlot(bool c) { controlChanged(C::RtcSel, 0, c); }
void QXC330PLL::rtcswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::RtcSwitch, i); }
void QXC330PLL::rtcdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::RtcDiv, i); }
void QXC330PLL::lextbypass_ComboBox_currentIndexChanged(int i) { controlChanged(C::LextBypass, i); }
void QXC330PLL::hext_LineEdit_returnPressed() { entryReturnPressed(C::Hext); }
void QXC330PLL::hext_LineEdit_textChanged(const QString &t) { entryTextChanged(C::Hext, t); }
void QXC330PLL::hextbypass_ComboBox_currentIndexChanged(int i) { controlChanged(C::HextBypass, i); }
void QXC330PLL::pllms_LineEdit_returnPressed() { entryReturnPressed(C::PllMs); }
void QXC330PLL::pllms_LineEdit_textChanged(const QString &t) { entryTextChanged(C::PllMs, t); }
void QXC330PLL::pllns_LineEdit_returnPressed() { entryReturnPressed(C::PllNs); }
void QXC330PLL::pllns_LineEdit_textChanged(const QString &t) { entryTextChanged(C::PllNs, t); }
void QXC330PLL::pllfr_ComboBox_currentIndexChanged(int i) { controlChanged(C::PllFr, i); }
void QXC330PLL::pllrcs_RadioButton_checkSlot(bool c) { controlChanged(C::PllRcs, 0, c); }
void QXC330PLL::sclkselecthext_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 0, c); }
void QXC330PLL::sclkselectpll_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 1, c); }
void QXC330PLL::sclkselecthick_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 2, c); }
void QXC330PLL::ahbdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::AhbDiv, i); }
void QXC330PLL::apb1div_ComboBox_currentIndexChanged(int i) { controlChanged(C::Apb1Div, i); }
void QXC330PLL::apb2div_ComboBox_currentIndexChanged(int i) { controlChanged(C::Apb2Div, i); }
void QXC330PLL::usbdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::UsbDiv, i); }
void QXC330PLL::usbswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::UsbSwitch, i); }
void QXC330PLL::hicktousb_RadioButton_checkSlot(bool c) { controlChanged(C::HickToUsb, 0, c); }
void QXC330PLL::hicktosclk_RadioButton_checkSlot(bool c) { controlChanged(C::HickToSclk, 0, c); }
void QXC330PLL::clkout1_RadioButton_checkSlot(bool c) { controlChanged(C::Clkout1, 0, c); }
void QXC330PLL::clkout2_RadioButton_checkSlot(bool c) { controlChanged(C::Clkout2, 0, c); }
void QXC330PLL::clockout1div1_ComboBox_currentIndexChanged(int i) { controlChanged(C::Clkout1Div1, i); }
void QXC330PLL::clockout1div2_ComboBox_currentIndexChanged(int i) { controlChanged(C::Clkout1Div2, i); }
void QXC330PLL::clockout1PinSelectComboBox_currentIndexChanged(int i) { controlChanged(C::Clkout1Pin, i); }
void QXC330PLL::clockout2div1_ComboBox_currentIndexChanged(int i) { controlChanged(C::Clkout2Div1, i); }
void QXC330PLL::clockout2div2_ComboBox_currentIndexChanged(int i) { controlChanged(C::Clkout2Div2, i); }
void QXC330PLL::clockout2PinSelectComboBox_currentIndexChanged(int i) { controlChanged(C::Clkout2Pin, i); }
void QXC330PLL::sclk_LineEdit_returnPressed() { entryReturnPressed(C::Sclk); }
void QXC330PLL::sclk_LineEdit_textChanged(const QString &t) { entryTextChanged(C::Sclk, t); }
void QXC330PLL::toapb1peripheral_List_Button_checkSlot() { toggleList(0); }
void QXC330PLL::toapb1tmr_List_Button_checkSlot() { toggleList(1); }
void QXC330PLL::toapb2peripheral_List_Button_checkSlot() { toggleList(2); }
void QXC330PLL::toapb2tmr_List_Button_checkSlot() { toggleList(3); }
// clang-format on

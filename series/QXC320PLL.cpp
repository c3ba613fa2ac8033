#include "QXC320PLL.h"

using C = ControlTable::Control;

QXC320PLL::QXC320PLL(QWidget *parent) : QXC320PLL(9, parent)
{}

QXC320PLL::QXC320PLL(int seriesId, QWidget *parent) : SeriesWidget(seriesId, parent)
{
    connectSlots();
}

// clang-format off
void QXC320PLL::rtcsel_RadioButton_checkSlot(bool c) { controlChanged(C::RtcSel, 0, c); }
void QXC320PLL::rtcswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::RtcSwitch, i); }
void QXC320PLL::lextbypass_ComboBox_currentIndexChanged(int i) { controlChanged(C::LextBypass, i); }
void QXC320PLL::hext_LineEdit_returnPressed() { entryReturnPressed(C::Hext); }
void QXC320PLL::hext_LineEdit_textChanged(const QString &t) { entryTextChanged(C::Hext, t); }
void QXC320PLL::hextbypass_ComboBox_currentIndexChanged(int i) { controlChanged(C::HextBypass, i); }
void QXC320PLL::pllhextdiv_RadioButton_checkSlot(bool c) { controlChanged(C::PllHextDiv, 0, c); }
void QXC320PLL::pllmode_ComboBox_currentIndexChanged(int i) { controlChanged(C::PllMode, i); }
void QXC320PLL::pllmult_ComboBox_currentIndexChanged(int i) { controlChanged(C::PllMult, i); }
void QXC320PLL::pllms_LineEdit_returnPressed() { entryReturnPressed(C::PllMs); }
void QXC320PLL::pllms_LineEdit_textChanged(const QString &t) { entryTextChanged(C::PllMs, t); }
void QXC320PLL::pllns_LineEdit_returnPressed() { entryReturnPressed(C::PllNs); }
void QXC320PLL::pllns_LineEdit_textChanged(const QString &t) { entryTextChanged(C::PllNs, t); }
void QXC320PLL::pllfr_ComboBox_currentIndexChanged(int i) { controlChanged(C::PllFr, i); }
void QXC320PLL::pllrcs_RadioButton_checkSlot(bool c) { controlChanged(C::PllRcs, 0, c); }
void QXC320PLL::sclkselecthext_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 0, c); }
void QXC320PLL::sclkselectpll_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 1, c); }
void QXC320PLL::sclkselecthick_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 2, c); }
void QXC320PLL::ahbdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::AhbDiv, i); }
void QXC320PLL::apb1div_ComboBox_currentIndexChanged(int i) { controlChanged(C::Apb1Div, i); }
void QXC320PLL::apb2div_ComboBox_currentIndexChanged(int i) { controlChanged(C::Apb2Div, i); }
void QXC320PLL::hicktosclk_RadioButton_checkSlot(bool c) { controlChanged(C::HickToSclk, 0, c); }
void QXC320PLL::clkout_RadioButton_checkSlot(bool c) { controlChanged(C::Clkout, 0, c); }
void QXC320PLL::clockoutdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::ClkoutDiv, i); }
void QXC320PLL::clockoutPinSelectComboBox_currentIndexChanged(int i) { controlChanged(C::ClkoutPin, i); }
void QXC320PLL::sclk_LineEdit_returnPressed() { entryReturnPressed(C::Sclk); }
void QXC320PLL::sclk_LineEdit_textChanged(const QString &t) { entryTextChanged(C::Sclk, t); }
void QXC320PLL::toadcswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::AdcSwitch, i); }
void QXC320PLL::toadcdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::AdcDiv, i); }
void QXC320PLL::toapb1peripheral_List_Button_checkSlot() { toggleList(0); }
void QXC320PLL::toapb1tmr_List_Button_checkSlot() { toggleList(1); }
void QXC320PLL::toapb2peripheral_List_Button_checkSlot() { toggleList(2); }
void QXC320PLL::toapb2tmr_List_Button_checkSlot() { toggleList(3); }
// clang-format on

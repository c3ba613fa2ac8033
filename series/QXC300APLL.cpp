#include "QXC300APLL.h"

using C = ControlTable::Control;

QXC300APLL::QXC300APLL(QWidget *parent) : QXC300APLL(7, parent)
{}

QXC300APLL::QXC300APLL(int seriesId, QWidget *parent) : SeriesWidget(seriesId, parent)
{
    connectSlots();
}

// clang-format off
void QXC300APLL::rtcsel_RadioButton_checkSlot(bool c) { controlChanged(C::RtcSel, 0, c); }
void QXC300APLL::rtcswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::RtcSwitch, i); }
void QXC300APLL::lextbypass_ComboBox_currentIndexChanged(int i) { controlChanged(C::LextBypass, i); }
void QXC300APLL::hext_LineEdit_returnPressed() { entryReturnPressed(C::Hext); }
void QXC300APLL::hext_LineEdit_textChanged(const QString &t) { entryTextChanged(C::Hext, t); }
void QXC300APLL::hextbypass_ComboBox_currentIndexChanged(int i) { controlChanged(C::HextBypass, i); }
void QXC300APLL::hextdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::HextDiv, i); }
void QXC300APLL::pllhextdiv_RadioButton_checkSlot(bool c) { controlChanged(C::PllHextDiv, 0, c); }
void QXC300APLL::pllmult_ComboBox_currentIndexChanged(int i) { controlChanged(C::PllMult, i); }
void QXC300APLL::pllrcs_RadioButton_checkSlot(bool c) { controlChanged(C::PllRcs, 0, c); }
void QXC300APLL::sclkselecthext_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 0, c); }
void QXC300APLL::sclkselectpll_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 1, c); }
void QXC300APLL::sclkselecthick_RadioButton_checkSlot(bool c) { controlChanged(C::SclkSelect, 2, c); }
void QXC300APLL::ahbdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::AhbDiv, i); }
void QXC300APLL::apb1div_ComboBox_currentIndexChanged(int i) { controlChanged(C::Apb1Div, i); }
void QXC300APLL::apb2div_ComboBox_currentIndexChanged(int i) { controlChanged(C::Apb2Div, i); }
void QXC300APLL::usbdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::UsbDiv, i); }
void QXC300APLL::usbswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::UsbSwitch, i); }
void QXC300APLL::hicktousb_RadioButton_checkSlot(bool c) { controlChanged(C::HickToUsb, 0, c); }
void QXC300APLL::hicktosclk_RadioButton_checkSlot(bool c) { controlChanged(C::HickToSclk, 0, c); }
void QXC300APLL::clkout_RadioButton_checkSlot(bool c) { controlChanged(C::Clkout, 0, c); }
void QXC300APLL::clockoutdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::ClkoutDiv, i); }
void QXC300APLL::clockoutPinSelectComboBox_currentIndexChanged(int i) { controlChanged(C::ClkoutPin, i); }
void QXC300APLL::sclk_LineEdit_returnPressed() { entryReturnPressed(C::Sclk); }
void QXC300APLL::sclk_LineEdit_textChanged(const QString &t) { entryTextChanged(C::Sclk, t); }
void QXC300APLL::toadcswitch_ComboBox_currentIndexChanged(int i) { controlChanged(C::AdcSwitch, i); }
void QXC300APLL::toadcdiv_ComboBox_currentIndexChanged(int i) { controlChanged(C::AdcDiv, i); }
void QXC300APLL::toapb1peripheral_List_Button_checkSlot() { toggleList(0); }
void QXC300APLL::toapb1tmr_List_Button_checkSlot() { toggleList(1); }
void QXC300APLL::toapb2peripheral_List_Button_checkSlot() { toggleList(2); }
void QXC300APLL::toapb2tmr_List_Button_checkSlot() { toggleList(3); }
// clang-format on

#pragma once

#include "SeriesWidget.h"

// The multiplier-PLL series QXC300: HICK 8 MHz, no HEXT divider, USB only
// from the PLL, no "hick to sclk" choice, eight clock-output sources and no
// clock-output divider. Its ADC slots come before usbdiv's.
class QXC300PLL : public SeriesWidget {
    Q_OBJECT
public:
    explicit QXC300PLL(QWidget *parent = nullptr);

public slots:
    void rtcsel_RadioButton_checkSlot(bool checked);
    void rtcswitch_ComboBox_currentIndexChanged(int index);
    void lextbypass_ComboBox_currentIndexChanged(int index);
    void hext_LineEdit_returnPressed();
    void hext_LineEdit_textChanged(const QString &text);
    void hextbypass_ComboBox_currentIndexChanged(int index);
    void pllhextdiv_RadioButton_checkSlot(bool checked);
    void pllmult_ComboBox_currentIndexChanged(int index);
    void pllrcs_RadioButton_checkSlot(bool checked);
    void sclkselecthext_RadioButton_checkSlot(bool checked);
    void sclkselectpll_RadioButton_checkSlot(bool checked);
    void sclkselecthick_RadioButton_checkSlot(bool checked);
    void ahbdiv_ComboBox_currentIndexChanged(int index);
    void apb1div_ComboBox_currentIndexChanged(int index);
    void apb2div_ComboBox_currentIndexChanged(int index);
    void toadcswitch_ComboBox_currentIndexChanged(int index);
    void toadcdiv_ComboBox_currentIndexChanged(int index);
    void usbdiv_ComboBox_currentIndexChanged(int index);
    void usbswitch_ComboBox_currentIndexChanged(int index);
    void clkout_RadioButton_checkSlot(bool checked);
    void clockoutPinSelectComboBox_currentIndexChanged(int index);
    void sclk_LineEdit_returnPressed();
    void sclk_LineEdit_textChanged(const QString &text);
    void toapb1peripheral_List_Button_checkSlot();
    void toapb1tmr_List_Button_checkSlot();
    void toapb2peripheral_List_Button_checkSlot();
    void toapb2tmr_List_Button_checkSlot();
};

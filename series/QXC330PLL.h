#pragma once

#include "SeriesWidget.h"

// The flexible-PLL series QXC330: ms/ns/fr PLL, two clock outputs, RTC with a
// HEXT divider, USB from the PLL or HICK 48. Its slots, in their fixed order,
// forward to the series widget; QXC335PLL is the same with another id.
class QXC330PLL : public SeriesWidget {
    Q_OBJECT
public:
    explicit QXC330PLL(QWidget *parent = nullptr);

public slots:
    void rtcsel_RadioButton_checkSlot(bool checked);
    void rtcswitch_ComboBox_currentIndexChanged(int index);
    void rtcdiv_ComboBox_currentIndexChanged(int index);
    void lextbypass_ComboBox_currentIndexChanged(int index);
    void hext_LineEdit_returnPressed();
    void hext_LineEdit_textChanged(const QString &text);
    void hextbypass_ComboBox_currentIndexChanged(int index);
    void pllms_LineEdit_returnPressed();
    void pllms_LineEdit_textChanged(const QString &text);
    void pllns_LineEdit_returnPressed();
    void pllns_LineEdit_textChanged(const QString &text);
    void pllfr_ComboBox_currentIndexChanged(int index);
    void pllrcs_RadioButton_checkSlot(bool checked);
    void sclkselecthext_RadioButton_checkSlot(bool checked);
    void sclkselectpll_RadioButton_checkSlot(bool checked);
    void sclkselecthick_RadioButton_checkSlot(bool checked);
    void ahbdiv_ComboBox_currentIndexChanged(int index);
    void apb1div_ComboBox_currentIndexChanged(int index);
    void apb2div_ComboBox_currentIndexChanged(int index);
    void usbdiv_ComboBox_currentIndexChanged(int index);
    void usbswitch_ComboBox_currentIndexChanged(int index);
    void hicktousb_RadioButton_checkSlot(bool checked);
    void hicktosclk_RadioButton_checkSlot(bool checked);
    void clkout1_RadioButton_checkSlot(bool checked);
    void clkout2_RadioButton_checkSlot(bool checked);
    void clockout1div1_ComboBox_currentIndexChanged(int index);
    void clockout1div2_ComboBox_currentIndexChanged(int index);
    void clockout1PinSelectComboBox_currentIndexChanged(int index);
    void clockout2div1_ComboBox_currentIndexChanged(int index);
    void clockout2div2_ComboBox_currentIndexChanged(int index);
    void clockout2PinSelectComboBox_currentIndexChanged(int index);
    void sclk_LineEdit_returnPressed();
    void sclk_LineEdit_textChanged(const QString &text);
    void toapb1peripheral_List_Button_checkSlot();
    void toapb1tmr_List_Button_checkSlot();
    void toapb2peripheral_List_Button_checkSlot();
    void toapb2tmr_List_Button_checkSlot();

protected:
    QXC330PLL(int seriesId, QWidget *parent);
};

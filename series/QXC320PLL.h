#pragma once

#include "SeriesWidget.h"

// The mode-selectable series QXC320: no USB clock, nine clock-out sources,
// the RTC from HEXT / 32. QXE020PLL adds its peripheral clock selectors.
class QXC320PLL : public SeriesWidget {
    Q_OBJECT
public:
    explicit QXC320PLL(QWidget *parent = nullptr);

public slots:
    void rtcsel_RadioButton_checkSlot(bool checked);
    void rtcswitch_ComboBox_currentIndexChanged(int index);
    void lextbypass_ComboBox_currentIndexChanged(int index);
    void hext_LineEdit_returnPressed();
    void hext_LineEdit_textChanged(const QString &text);
    void hextbypass_ComboBox_currentIndexChanged(int index);
    void pllhextdiv_RadioButton_checkSlot(bool checked);
    void pllmode_ComboBox_currentIndexChanged(int index);
    void pllmult_ComboBox_currentIndexChanged(int index);
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
    void hicktosclk_RadioButton_checkSlot(bool checked);
    void clkout_RadioButton_checkSlot(bool checked);
    void clockoutdiv_ComboBox_currentIndexChanged(int index);
    void clockoutPinSelectComboBox_currentIndexChanged(int index);
    void sclk_LineEdit_returnPressed();
    void sclk_LineEdit_textChanged(const QString &text);
    void toadcswitch_ComboBox_currentIndexChanged(int index);
    void toadcdiv_ComboBox_currentIndexChanged(int index);
    void toapb1peripheral_List_Button_checkSlot();
    void toapb1tmr_List_Button_checkSlot();
    void toapb2peripheral_List_Button_checkSlot();
    void toapb2tmr_List_Button_checkSlot();

protected:
    QXC320PLL(int seriesId, QWidget *parent);
};

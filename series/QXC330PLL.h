#pragma once

#include "QXMCUPLL.h"

#include <QVector>

struct SeriesParams;
class QGraphicsProxyWidget;

// The flexible-PLL series widget (ms/ns/fr PLL, two clock outputs, RTC with a
// HEXT divider, USB from the PLL or HICK 48, peripheral panel). QXC335PLL is
// the same widget with its own id, bitmap and panel rows.
class QXC330PLL : public QXMCUPLL {
    Q_OBJECT
public:
    explicit QXC330PLL(QWidget *parent = nullptr);

    void resetConfig() override;
    void loadConfig(const QString &fileName) override;

    // Validates the entries in use and takes them into the record; false when
    // an entry was refused (the recompute is then skipped).
    bool checkPllInputs();
    // "0x" and the CRM_PLLCFG word in eight lower-case hex digits.
    QString pllcfgText() const;

    // Line-edit looks of the oscillator and sclk entries.
    static QString committedEditStyle();
    static QString pendingEditStyle();
    static QString disabledEditStyle();
    // Looks of the ms/ns entries: text equal to the record, or not.
    static QString factorCommittedStyle();
    static QString factorPendingStyle();

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
    // For the twin series: same widget, another id (bitmap and panel follow it).
    QXC330PLL(int seriesId, QWidget *parent);

    void mousePressEvent(QMouseEvent *event) override;
    QVector<QLineEdit *> entries() const override;
    void showRecord() override;

    // Display and path refreshes (public behaviour of the tree, used by the
    // slots, the reset and the design-file restore).
    void refreshDisplay();
    void refreshBusDividers();
    void refreshClkout1();
    void refreshClkout2();
    void refreshRtcDisplay();
    void showPllFactors();
    void updateActivePaths();

    // Controls, in the order of the control table. The design-file restore
    // sets them as a user would (combo indexes, radio clicks/checks, texts).
    struct ClockOutputControls {
        QVector<QRadioButton *> sources;
        QVector<QLabel *> sourceCaptions;
        QVector<QLabel *> sourceValues;
        QButtonGroup *group = nullptr;
        CustomComboBox1 *div1 = nullptr;
        CustomComboBox1 *div2 = nullptr;
        CustomComboBox1 *pin = nullptr;
        QLabel *div1Caption = nullptr;
        QLabel *div2Caption = nullptr;
        QLabel *pinCaption = nullptr;
        QLabel *caption = nullptr;
        QLabel *output = nullptr;
    };
    struct FoldOutList {
        QPushButton *button = nullptr;
        QGraphicsProxyWidget *panel = nullptr;
        QLineEdit *value = nullptr;
    };

    QRadioButton *m_rtcselLick = nullptr;
    QRadioButton *m_rtcselLext = nullptr;
    QRadioButton *m_rtcselHext = nullptr;
    CustomComboBox1 *m_rtcswitch = nullptr;
    CustomComboBox1 *m_rtcdiv = nullptr;
    CustomComboBox1 *m_lextbypass = nullptr;
    QLineEdit *m_hext = nullptr;
    CustomComboBox1 *m_hextbypass = nullptr;
    QRadioButton *m_pllrcsHext = nullptr;
    QRadioButton *m_pllrcsHick = nullptr;
    QLineEdit *m_pllms = nullptr;
    QLineEdit *m_pllns = nullptr;
    CustomComboBox1 *m_pllfr = nullptr;
    QRadioButton *m_sclkselectHext = nullptr;
    QRadioButton *m_sclkselectPll = nullptr;
    QRadioButton *m_sclkselectHick = nullptr;
    QLineEdit *m_sclk = nullptr;
    CustomComboBox1 *m_ahbdiv = nullptr;
    CustomComboBox1 *m_apb1div = nullptr;
    CustomComboBox1 *m_apb2div = nullptr;
    CustomComboBox1 *m_usbdiv = nullptr;
    QRadioButton *m_hicktousbPll = nullptr;
    QRadioButton *m_hicktousbHick = nullptr;
    CustomComboBox1 *m_usbswitch = nullptr;
    QRadioButton *m_hicktosclkDiv6 = nullptr;
    QRadioButton *m_hicktosclkFull = nullptr;
    ClockOutputControls m_clkout[2];
    FoldOutList m_lists[4]; // APB1 peripherals, APB1 timers, APB2 peripherals, APB2 timers

    // Display labels.
    QLabel *m_hextIn = nullptr;
    QLabel *m_hextOut = nullptr;
    QLabel *m_lextIn = nullptr;
    QLabel *m_lextOut = nullptr;
    QLabel *m_ertcValue = nullptr;
    QLabel *m_usbLabel = nullptr;
    QLabel *m_pllLabel = nullptr;
    QLabel *m_pllcfgCaption = nullptr;
    QLineEdit *m_pllcfgValue = nullptr;
    QLabel *m_apb1TimerMul = nullptr;
    QLabel *m_apb2TimerMul = nullptr;
    QVector<QLabel *> m_notes;
    QLineEdit *m_i2sValue = nullptr;
    QVector<QLineEdit *> m_ahbValues;

private:
    void buildControls();
    void buildOscillatorsAndRtc();
    void buildPllAndSystem();
    void buildClockOutput(int index);
    void buildPanel();
    void connectSignals();
    void setControlSignalsBlocked(bool blocked);
    // Puts a design's PLL factors back into the entries and the record without
    // firing their slots (the end of loadConfig).
    void restorePllFactors(int ms, int ns, int frIndex);
    // Stored code of the checked source radio of clock output 0 or 1.
    int checkedSourceCode(int output) const;

    // Handler building blocks.
    bool readHext();
    bool readSclk(double &mhz);
    void standardStep();
    void applySclkChange();
    void usbRetuneOrStandardStep();
    void refreshClkout(int index);
    void factorReturnPressed(QLineEdit *edit, bool isMs);
    void factorTextChanged(QLineEdit *edit, const QString &text, bool isMs);
    void oscillatorTextChanged(QLineEdit *edit, const QString &text, double stored, double low, double high);
    void toggleList(int index);
    // Entry looks from their text against the record.
    void restyleEntries();
    // After opening: entries holding a value the checks refuse look not applied.
    void markRefusedEntries();

    const SeriesParams *m_series = nullptr;
    QVector<QObject *> m_signalSources;

    // The widget's unit test reads and drives the controls directly.
    friend class TestQXC330PLL;
};

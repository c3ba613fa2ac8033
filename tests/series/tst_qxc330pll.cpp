#include "ClockConfig.h"
#include "CustomComboBox1.h"
#include "PinGraphicsView.h"
#include "QXC330PLL.h"
#include "ScriptedDialogs.h"
#include "SeriesFactory.h"
#include "TestHelpers.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <tuple>

namespace {

QString mhz(double v)
{
    return QString::number(v, 'f', 3);
}

void type(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    emit edit->returnPressed();
}

const char *const kSlotOrder =
    "rtcsel_RadioButton_checkSlot(bool) rtcswitch_ComboBox_currentIndexChanged(int) "
    "rtcdiv_ComboBox_currentIndexChanged(int) lextbypass_ComboBox_currentIndexChanged(int) "
    "hext_LineEdit_returnPressed() hext_LineEdit_textChanged(QString) "
    "hextbypass_ComboBox_currentIndexChanged(int) pllms_LineEdit_returnPressed() "
    "pllms_LineEdit_textChanged(QString) pllns_LineEdit_returnPressed() "
    "pllns_LineEdit_textChanged(QString) pllfr_ComboBox_currentIndexChanged(int) "
    "pllrcs_RadioButton_checkSlot(bool) sclkselecthext_RadioButton_checkSlot(bool) "
    "sclkselectpll_RadioButton_checkSlot(bool) sclkselecthick_RadioButton_checkSlot(bool) "
    "ahbdiv_ComboBox_currentIndexChanged(int) apb1div_ComboBox_currentIndexChanged(int) "
    "apb2div_ComboBox_currentIndexChanged(int) usbdiv_ComboBox_currentIndexChanged(int) "
    "usbswitch_ComboBox_currentIndexChanged(int) hicktousb_RadioButton_checkSlot(bool) "
    "hicktosclk_RadioButton_checkSlot(bool) clkout1_RadioButton_checkSlot(bool) "
    "clkout2_RadioButton_checkSlot(bool) clockout1div1_ComboBox_currentIndexChanged(int) "
    "clockout1div2_ComboBox_currentIndexChanged(int) clockout1PinSelectComboBox_currentIndexChanged(int) "
    "clockout2div1_ComboBox_currentIndexChanged(int) clockout2div2_ComboBox_currentIndexChanged(int) "
    "clockout2PinSelectComboBox_currentIndexChanged(int) sclk_LineEdit_returnPressed() "
    "sclk_LineEdit_textChanged(QString) toapb1peripheral_List_Button_checkSlot() "
    "toapb1tmr_List_Button_checkSlot() toapb2peripheral_List_Button_checkSlot() "
    "toapb2tmr_List_Button_checkSlot()";

} // namespace

// A friend of QXC330PLL: the tests read and drive its controls directly.
class TestQXC330PLL : public QObject {
    Q_OBJECT
private slots:
    void init() { m_dialogs.clear(); }
    void factoryTree();
    void entryLimits_data();
    void entryLimits();
    void usbFromPll_data();
    void usbFromPll();
    void clockOutputWithoutPinKeepsLabels();
    void msAdjustQuestion();
    void hextReturnRetunesUsb();
    void refusedEditLeavesTheDesign_data();
    void refusedEditLeavesTheDesign();
    void staleRecordIsNotGenerated();
    void activePaths_data();
    void activePaths();
    void everySlotKeepsDisplayConsistent();
    void foldOutLists();
    void seriesWidgets_data();
    void seriesWidgets();

private:
    // Display fields that disagree with the record, as "shown != expected".
    static QStringList displayMismatches(const QXC330PLL &w);

    ScriptedDialogs m_dialogs;
};

void TestQXC330PLL::factoryTree()
{
    QXC330PLL w;
    const ClockConfig &c = *w.config();
    QCOMPARE((QVector<double>{c.pllMHz, c.sclkMHz, c.apb1MHz, c.apb1TimerMHz}),
             (QVector<double>{288, 288, 144, 288}));
    QCOMPARE((QVector<int>{c.apb1Div, c.apb2Div, w.m_apb1div->currentIndex(), w.m_usbswitch->currentIndex()}),
             (QVector<int>{2, 2, 1, 1}));
    QCOMPARE((QStringList{w.m_sclk->text(), w.m_lists[1].value->text(), w.m_pllLabel->text(),
                          w.m_usbdiv->currentText(), w.m_pllms->text(), w.m_pllns->text(),
                          w.m_pllfr->currentText()}),
             (QStringList{"288.000", "288.000", "288.000MHz", "  /6", "/1", "*72", "  /2"}));
    for (QLabel *note : w.m_notes)
        QVERIFY(!note->isHidden());
    QCOMPARE(w.m_pllcfgCaption->text() + w.m_pllcfgValue->text(), QString("CRM_PLLCFG: 0x00411201"));
    // A typed ns gets its "*"; text that differs from the record is shown pending, in red.
    w.m_pllns->clear();
    QTest::keyClicks(w.m_pllns, "72");
    QCOMPARE(w.m_pllns->text(), QString("*72"));
    QCOMPARE(w.m_pllns->styleSheet(), QXC330PLL::factorCommittedStyle());
    QTest::keyClicks(w.m_pllns, "0");
    QCOMPARE(w.m_pllns->styleSheet(), QXC330PLL::factorPendingStyle());
    QCOMPARE(w.m_pllns->palette().color(QPalette::Text), QColor(Qt::red));
    w.m_pllns->setText("*72");
    // HICK as PLL source clears bit 22; without a PLL consumer the line is cleared.
    w.m_pllrcsHick->click();
    QCOMPARE(w.m_pllcfgValue->text(), QString("0x00011201"));
    w.m_sclkselectHick->click();
    QCOMPARE(w.m_pllcfgValue->text() + w.m_pllcfgCaption->text() + w.m_pllLabel->text(), QString());
    QCOMPARE(m_dialogs.requests.size(), 0);
}

void TestQXC330PLL::entryLimits_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");   // sclk afterwards; empty when refused
    QTest::addColumn<QString>("factors"); // ms, ns and fr shown afterwards, where checked
    // clang-format off
    QTest::newRow("hext 4") << "hext" << "4" << "4.000" << "";
    QTest::newRow("hext 25") << "hext" << "25" << "25.000" << "";
    QTest::newRow("hext 3.999") << "hext" << "3.999" << "" << "";
    QTest::newRow("hext 25.001") << "hext" << "25.001" << "" << "";
    QTest::newRow("sclk 4") << "sclk" << "4" << "reachable" << "";
    QTest::newRow("sclk 240") << "sclk" << "240" << "240.000" << "";
    QTest::newRow("sclk 288") << "sclk" << "288" << "288.000" << "";
    QTest::newRow("sclk 288.5") << "sclk" << "288.5" << "" << "";
    QTest::newRow("sclk 287.3") << "sclk" << "287.3" << "287.000" << "/4 *287   /2";
    // clang-format on
}

void TestQXC330PLL::entryLimits()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, factors);
    QXC330PLL w;
    // Start where a refused entry would show: sclk straight from HEXT, or a 400 MHz PLL.
    const bool hext = field == "hext";
    if (hext)
        w.m_sclkselectHext->click();
    else
        type(w.m_pllns, "*100");
    const ClockConfig before = *w.config();
    m_dialogs.clear();

    type(hext ? w.m_hext : w.m_sclk, typed);

    const ClockConfig &c = *w.config();
    QCOMPARE(m_dialogs.texts(), shown.isEmpty() ? QStringList{field + " input error!"} : QStringList());
    if (shown.isEmpty()) {
        QCOMPARE(m_dialogs.last()->title, QString("Error"));
        QCOMPARE((QVector<double>{c.hextMHz, c.sclkMHz, double(c.pllNs)}),
                 (QVector<double>{before.hextMHz, before.sclkMHz, double(before.pllNs)}));
        QCOMPARE(w.m_ahbValues.first()->text(), mhz(before.ahbMHz));
    } else {
        QCOMPARE(w.m_sclk->text(), shown == "reachable" ? mhz(c.sclkMHz) : shown);
        QCOMPARE(w.m_ahbValues.first()->text(), mhz(c.sclkMHz));
        if (hext)
            QCOMPARE(c.hextMHz, typed.toDouble());
    }
    if (!factors.isEmpty()) {
        QCOMPARE(w.m_pllms->text() + ' ' + w.m_pllns->text() + ' ' + w.m_pllfr->currentText(), factors);
        QCOMPARE(w.m_pllms->styleSheet(), QXC330PLL::factorCommittedStyle());
    }
    // The three usage notes show above 240 MHz only.
    QCOMPARE(w.m_notes.size(), 3);
    for (QLabel *note : w.m_notes)
        QCOMPARE(!note->isHidden(), c.sclkMHz > 240);
}

void TestQXC330PLL::usbFromPll_data()
{
    QTest::addColumn<bool>("offTarget");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("288 MHz, no question") << false << int(QMessageBox::NoButton) << true;
    QTest::newRow("287.5 MHz, Cancel") << true << int(QMessageBox::Cancel) << false;
    QTest::newRow("287.5 MHz, Yes") << true << int(QMessageBox::Yes) << true;
}

void TestQXC330PLL::usbFromPll()
{
    QFETCH(bool, offTarget);
    QFETCH(int, answer);
    QFETCH(bool, goesOn);
    QXC330PLL w;
    if (offTarget) {
        // HEXT 10, ms 2, ns 115, fr 2: 287.5 MHz.
        type(w.m_hext, "10");
        w.m_pllns->setText("*115");
        type(w.m_pllms, "/2");
    }
    // Switched off, the USB value is a gray branch, not an error.
    QCOMPARE(w.m_usbLabel->palette().color(QPalette::WindowText), QColor(Qt::gray));
    w.m_usbswitch->setCurrentIndex(0);
    QCOMPARE(w.m_usbLabel->text(), QString(offTarget ? "47.917 MHz" : "48.000 MHz"));
    QCOMPARE(w.m_usbLabel->palette().color(QPalette::WindowText),
             QColor(offTarget ? Qt::red : Qt::darkGreen));

    m_dialogs.clear();
    if (answer != QMessageBox::NoButton)
        m_dialogs.answerButton(QMessageBox::StandardButton(answer));
    w.saveConfig("QXC330");
    QCOMPARE(m_dialogs.count(ScriptedDialogs::Kind::SaveFile), goesOn ? 1 : 0);
    const QString question = "USB clock must be 48MHz. But the USB clock of current config is wrong.  please "
                             "confirm whether to continue?";
    QCOMPARE(m_dialogs.texts().count(question), offTarget ? 1 : 0);
    if (offTarget) {
        QCOMPARE(m_dialogs.requests.first().buttonLabels, (QStringList{"Yes", "Cancel"}));
        return;
    }
    // "hick to usb" gives 48 MHz and leaves the PLL alone.
    w.m_usbdiv->setCurrentIndex(8); // "  /5": 57.6 MHz from the PLL
    QCOMPARE(w.m_usbLabel->text(), QString("57.600 MHz"));
    w.m_hicktousbHick->click();
    const ClockConfig &c = *w.config();
    QCOMPARE(w.m_usbLabel->text(), QString("48.000 MHz"));
    QCOMPARE((QVector<double>{c.usbMHz, c.pllMHz, double(c.pllFr), double(c.pllMs), double(c.pllNs)}),
             (QVector<double>{48, 288, 2, 1, 72}));
}

void TestQXC330PLL::clockOutputWithoutPinKeepsLabels()
{
    QXC330PLL w;
    auto &out = w.m_clkout[0];
    out.pin->setCurrentIndex(1); // PA8; source HICK, divided by 6 here
    QCOMPARE(out.output->text(), QString("(8.000 MHz)"));
    QCOMPARE(out.sourceValues.at(0)->text(), QString("(8.000 MHz)"));
    out.div1->setCurrentIndex(1);
    QCOMPARE(out.output->text(), QString("(4.000 MHz)"));

    out.pin->setCurrentIndex(0);
    out.div1->setCurrentIndex(3);
    out.sources.at(3)->setChecked(true); // PLL
    QCOMPARE(w.config()->clkout1Div1, 4);
    QCOMPARE(out.output->text(), QString("(4.000 MHz)"));
    QCOMPARE(out.sourceValues.at(3)->text(), QString());

    out.pin->setCurrentIndex(2); // PE4: evaluated again
    QCOMPARE(out.output->text(), QString("(72.000 MHz)"));

    // HICK is 48 MHz while the system clock takes the full HICK.
    out.sources.at(0)->setChecked(true);
    w.m_sclkselectHick->click();
    w.m_hicktosclkFull->click();
    QCOMPARE(out.sourceValues.at(0)->text(), QString("(48.000 MHz)"));
    QCOMPARE(out.output->text(), QString("(12.000 MHz)"));
}

void TestQXC330PLL::hextReturnRetunesUsb()
{
    QXC330PLL w;
    w.m_sclkselectHext->click();
    w.m_usbswitch->setCurrentIndex(0);
    type(w.m_hext, "12");
    QCOMPARE(w.m_usbLabel->text(), QString("48.000 MHz"));
    QCOMPARE((QStringList{w.m_pllms->text(), w.m_pllns->text(), w.m_pllfr->currentText()}),
             (QStringList{"/1", "*48", "  /2"}));
}

void TestQXC330PLL::refusedEditLeavesTheDesign_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("question"); // the box of the refusal
    QTest::newRow("fr after a HEXT error") << "fr" << "hext input error!";
    QTest::newRow("ns question cancelled on a divider change") << "ahbdiv"
                                                               << "pll_ns input error, is it adjusted automatically?";
    QTest::newRow("PLL source switch asks about the factors") << "pllrcs"
                                                              << "pll_ns input error, is it adjusted automatically?";
}

// A refused or cancelled edit leaves the record and every control as they
// were; typed text stays, not applied.
void TestQXC330PLL::refusedEditLeavesTheDesign()
{
    QFETCH(QString, edit);
    QFETCH(QString, question);
    QXC330PLL w;
    if (edit == "pllrcs") {
        // The PLL feeds clock output 1 only; HEXT 25 with ms 2 (12.5 MHz reference).
        w.m_sclkselectHick->click();
        w.m_clkout[0].pin->setCurrentIndex(1);
        w.m_clkout[0].sources.at(3)->setChecked(true);
        m_dialogs.answerButton(QMessageBox::Yes);
        type(w.m_hext, "25");
        QCOMPARE(w.m_pllms->text(), QString("/2"));
    }
    const ClockConfig before = *w.config();
    m_dialogs.clear();
    if (edit == "fr") {
        w.m_hext->setText("30"); // typed, not applied
        w.m_pllfr->setCurrentIndex(0);
    } else if (edit == "ahbdiv") {
        w.m_pllms->setText("/2");
        w.m_ahbdiv->setCurrentIndex(1);
    } else {
        w.m_pllrcsHick->click(); // 8 MHz / 2: a 288 MHz oscillator
    }
    QCOMPARE(m_dialogs.texts(), QStringList{question});
    QCOMPARE(w.config()->fieldValues(), before.fieldValues());
    QCOMPARE((QStringList{w.m_pllfr->currentText(), w.m_ahbdiv->currentText()}), (QStringList{"  /2", "  /1"}));
    QVERIFY(w.m_pllrcsHext->isChecked());
    if (edit == "fr")
        QCOMPARE(w.m_hext->text() + w.m_hext->styleSheet(), "30" + QXC330PLL::pendingEditStyle());
    if (edit == "ahbdiv")
        QCOMPARE(w.m_pllms->text() + w.m_pllms->styleSheet(), "/2" + QXC330PLL::factorPendingStyle());
}

void TestQXC330PLL::staleRecordIsNotGenerated()
{
    QXC330PLL w;
    w.config()->pllNs = 75; // 300 MHz, while the derived values still say 288
    w.generateCode();
    QCOMPARE(m_dialogs.texts(), QStringList{"Can not support sclk greater than 288MHz"});
    QCOMPARE(m_dialogs.count(ScriptedDialogs::Kind::Directory), 0);
}

void TestQXC330PLL::msAdjustQuestion()
{
    QXC330PLL w;
    m_dialogs.answerButton(QMessageBox::Cancel);
    type(w.m_pllms, "/5");
    const QString question = "pll_ms input error, is it adjusted automatically?";
    QCOMPARE(m_dialogs.texts(), QStringList{question});
    QCOMPARE(w.config()->pllMs, 1);
    QCOMPARE((QStringList{w.m_pllms->text(), w.m_pllLabel->text(), w.m_sclk->text()}),
             (QStringList{"/5", "288.000MHz", "288.000"}));
    QCOMPARE(w.m_pllms->styleSheet(), QXC330PLL::factorPendingStyle());
    // Yes to ms (2 MHz reference), then Cancel on ns: the whole edit is undone.
    m_dialogs.answerButton(QMessageBox::Yes);
    emit w.m_pllms->returnPressed();
    QCOMPARE(m_dialogs.texts().mid(1),
             (QStringList{question, "pll_ns input error, is it adjusted automatically?"}));
    QCOMPARE(w.config()->pllMs, 1);
    QCOMPARE(w.m_pllms->text(), QString("/5"));
    // Yes to both: ms 4, and ns 250 for a 500 MHz oscillator.
    m_dialogs.answerButton(QMessageBox::Yes);
    m_dialogs.answerButton(QMessageBox::Yes);
    emit w.m_pllms->returnPressed();
    QCOMPARE(w.config()->pllMs, 4);
    QCOMPARE(w.config()->pllNs, 250);
    QCOMPARE((QStringList{w.m_pllms->text(), w.m_pllns->text()}), (QStringList{"/4", "*250"}));
}

void TestQXC330PLL::activePaths_data()
{
    // Set-up: the sclk source; "usb" on, "rtc" from HEXT (switched on), "rtcsel" HEXT chosen but
    // the RTC off, "pin2" a pin for clock output 2, "outN": clock output 1 on source N. Expected:
    // which of hext, the PLL, hick/6 to sclk, the RTC divider, clock output 1, clock output 2 and
    // its "usb" source are enabled.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("enabled");
    // clang-format off
    QTest::newRow("factory") << "pll" << "hext pll";
    QTest::newRow("hick only") << "hick" << "hick";
    QTest::newRow("hick, usb on the pll") << "hick usb" << "hext pll hick";
    QTest::newRow("hick, rtc on hext") << "hick rtc" << "hext hick rtcdiv";
    QTest::newRow("hick, clkout1 hext") << "hick out2" << "hext hick clkout1";
    QTest::newRow("hick, clkout1 pll") << "hick out3" << "hext pll hick clkout1";
    QTest::newRow("hext") << "hext out0" << "hext clkout1";
    QTest::newRow("rtc on hext, switched off") << "hick rtcsel" << "hick";
    QTest::newRow("clkout2 while usb is off") << "hick pin2" << "hick clkout2";
    QTest::newRow("clkout2 while usb is on") << "hick usb pin2" << "hext pll hick clkout2 usbsource";
    // clang-format on
}

void TestQXC330PLL::activePaths()
{
    QFETCH(QString, setup);
    QXC330PLL w;
    const QStringList steps = setup.split(' ');
    if (steps.first() != "pll")
        (steps.first() == "hick" ? w.m_sclkselectHick : w.m_sclkselectHext)->click();
    if (steps.contains("usb"))
        w.m_usbswitch->setCurrentIndex(0);
    if (steps.contains("rtc") || steps.contains("rtcsel"))
        w.m_rtcselHext->click();
    if (steps.contains("rtc"))
        w.m_rtcswitch->setCurrentIndex(1);
    if (steps.contains("pin2"))
        w.m_clkout[1].pin->setCurrentIndex(1);
    if (steps.last().startsWith("out")) {
        w.m_clkout[0].pin->setCurrentIndex(1);
        w.m_clkout[0].sources.at(steps.last().mid(3).toInt())->setChecked(true);
    }
    const bool pll = w.m_pllms->isEnabled();
    for (QWidget *control : QVector<QWidget *>{w.m_pllfr, w.m_pllrcsHick, w.m_pllLabel})
        QCOMPARE(control->isEnabled(), pll);
    QCOMPARE(w.m_pllrcsHick->styleSheet(), QXMCUPLL::radioStyle(pll));
    QCOMPARE(w.m_hext->styleSheet(),
             w.m_hext->isEnabled() ? QXC330PLL::committedEditStyle() : QXC330PLL::disabledEditStyle());
    QCOMPARE(w.m_clkout[0].div2->isEnabled(), w.m_clkout[0].sources.at(0)->isEnabled());
    const QWidget *groups[] = {w.m_hext,   w.m_pllms, w.m_hicktosclkDiv6, w.m_rtcdiv, w.m_clkout[0].sources.at(0),
                               w.m_clkout[1].sources.at(0), w.m_clkout[1].sources.at(3)};
    QStringList enabled;
    for (int i = 0; i < 7; ++i)
        enabled << (groups[i]->isEnabled() ? QString("hext pll hick rtcdiv clkout1 clkout2 usbsource").section(' ', i, i)
                                           : "");
    QTEST(enabled.join(' ').simplified(), "enabled");
    QCOMPARE(m_dialogs.requests.size(), 0);
}

QStringList TestQXC330PLL::displayMismatches(const QXC330PLL &w)
{
    const ClockConfig &c = *w.config();
    QStringList mismatches;
    const auto expect = [&mismatches](const QString &shown, const QString &expected) {
        if (shown != expected)
            mismatches << shown + " != " + expected;
    };
    const auto div = [](double n) {
        return QString("  /%1").arg(n);
    };
    expect(w.m_sclk->text(), mhz(c.sclkMHz));
    expect(w.m_i2sValue->text(), mhz(c.sclkMHz));
    for (QLineEdit *ahb : w.m_ahbValues)
        expect(ahb->text(), mhz(c.ahbMHz));
    expect(w.m_lists[0].value->text(), mhz(c.apb1MHz));
    expect(w.m_lists[1].value->text(), mhz(c.apb1TimerMHz));
    expect(w.m_lists[2].value->text(), mhz(c.apb2MHz));
    expect(w.m_lists[3].value->text(), mhz(c.apb2TimerMHz));
    expect(w.m_apb1div->currentText(), div(c.apb1Div));
    expect(w.m_apb2div->currentText(), div(c.apb2Div));
    expect(w.m_usbLabel->text(), mhz(c.usbMHz) + " MHz");
    expect(w.m_usbdiv->currentText(), div(c.usbDiv));
    expect(w.m_pllms->text(), QString("/%1").arg(c.pllMs));
    expect(w.m_pllns->text(), QString("*%1").arg(c.pllNs));
    expect(w.m_pllfr->currentText(), div(c.pllFr));
    if (w.m_pllLabel->isEnabled()) {
        expect(w.m_pllLabel->text(), mhz(c.pllMHz) + "MHz");
        expect(w.m_pllcfgValue->text(), c.pllcfgText());
    }
    return mismatches;
}

void TestQXC330PLL::everySlotKeepsDisplayConsistent()
{
    QXC330PLL w;
    w.m_usbswitch->setCurrentIndex(0);
    // The combo boxes in the order of their slots.
    QVector<QComboBox *> combos{w.m_rtcswitch, w.m_rtcdiv,  w.m_lextbypass, w.m_hextbypass, w.m_pllfr,
                                w.m_ahbdiv,    w.m_apb1div, w.m_apb2div,    w.m_usbdiv,     w.m_usbswitch};
    for (const auto &out : w.m_clkout) {
        out.pin->setCurrentIndex(1);
        combos << out.div1 << out.div2 << out.pin;
    }
    QCOMPARE(slotsOf(QXC330PLL::staticMetaObject), QString(kSlotOrder).split(' '));
    const QMetaObject &mo = QXC330PLL::staticMetaObject;
    for (int index = mo.methodOffset(); index < mo.methodCount(); ++index) {
        const QMetaMethod slot = mo.method(index);
        if (slot.methodType() != QMetaMethod::Slot)
            continue;
        const QByteArray signature = slot.methodSignature();
        for (int i = 0; i < 4; ++i)
            m_dialogs.answerButton(QMessageBox::Yes);
        bool invoked = false;
        if (slot.parameterCount() == 0) {
            invoked = slot.invoke(&w, Qt::DirectConnection);
        } else if (slot.parameterType(0) == QMetaType::Bool) {
            invoked = slot.invoke(&w, Qt::DirectConnection, Q_ARG(bool, true));
        } else if (slot.parameterType(0) == QMetaType::Int) {
            // As a user would: the combo box moves to its next item, then its slot runs.
            QComboBox *combo = combos.takeFirst();
            {
                const QSignalBlocker blocker(combo);
                combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
            }
            invoked = slot.invoke(&w, Qt::DirectConnection, Q_ARG(int, combo->currentIndex()));
        } else {
            const QLineEdit *edit = signature.startsWith("hext")    ? w.m_hext
                                    : signature.startsWith("sclk")  ? w.m_sclk
                                    : signature.startsWith("pllns") ? w.m_pllns
                                                                    : w.m_pllms;
            invoked = slot.invoke(&w, Qt::DirectConnection, Q_ARG(QString, edit->text()));
        }
        QVERIFY2(invoked, signature.constData());
        m_dialogs.clear();
        const QStringList mismatches = displayMismatches(w);
        QVERIFY2(mismatches.isEmpty(), qPrintable(signature + ": " + mismatches.join(", ")));
    }
}

void TestQXC330PLL::foldOutLists()
{
    QXC330PLL w;
    w.m_lists[0].button->click();
    QVERIFY(w.m_lists[0].panel->isVisible());
    w.m_lists[2].button->click();
    QVERIFY(!w.m_lists[0].panel->isVisible());
    QVERIFY(w.m_lists[2].panel->isVisible());
    QTest::mouseClick(&w, Qt::LeftButton);
    for (const auto &list : w.m_lists)
        QVERIFY(!list.panel->isVisible());

    // A press on the bare drawing reaches the widget through the view too.
    w.resize(900, 600);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.m_lists[1].button->click();
    QVERIFY(w.m_lists[1].panel->isVisible());
    PinGraphicsView *view = w.graphicsView();
    const QPoint bare = view->mapFromScene(QPointF(5, 5));
    QVERIFY(qgraphicsitem_cast<QGraphicsPixmapItem *>(view->itemAt(bare)));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, bare);
    QVERIFY(!w.m_lists[1].panel->isVisible());
}

void TestQXC330PLL::seriesWidgets_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("className");
    QTest::newRow("QXC330") << 13 << "QXC330PLL";
    QTest::newRow("QXC335") << 14 << "QXC335PLL";
}

void TestQXC330PLL::seriesWidgets()
{
    QFETCH(int, id);
    QWidget host;
    QVERIFY(!createSeriesWidget(12, &host)); // a gap in the ids
    QXMCUPLL *widget = createSeriesWidget(id, &host);
    QVERIFY(widget);
    QTEST(QString::fromLatin1(widget->metaObject()->className()), "className");
    const auto &w = static_cast<const QXC330PLL &>(*widget);
    QCOMPARE(w.config()->seriesId, id);
    QCOMPARE(w.m_ahbValues.last()->text(), QString("288.000"));

    // Every control lies on the drawing, and no two controls overlap.
    QVector<QRectF> rects;
    for (QGraphicsItem *item : w.scene()->items()) {
        auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(item);
        if (!proxy || proxy->zValue() >= 2)
            continue;
        const QRectF r = proxy->sceneBoundingRect();
        QVERIFY(QRectF(0, 0, 1404, 828).contains(r));
        auto *label = qobject_cast<QLabel *>(proxy->widget());
        if (!label || !label->text().isEmpty())
            rects << r.adjusted(0.5, 0.5, -0.5, -0.5);
    }
    for (int i = 0; i < rects.size(); ++i) {
        for (int j = i + 1; j < rects.size(); ++j)
            QVERIFY2(!rects.at(i).intersects(rects.at(j)),
                     qPrintable(QString("controls %1, %2").arg(i).arg(j)));
    }
    // Fixed positions, and the control really stands there.
    const QVector<QPair<QString, QPoint>> fixed{{"apb1div", {1035, 448}}, {"clockout1div1", {383, 515}}};
    for (const auto &anchor : fixed) {
        QCOMPARE(w.treeLayout().anchor(anchor.first).pos, anchor.second);
        const auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(w.scene()->itemAt(anchor.second, {}));
        QVERIFY2(proxy && proxy->pos() == QPointF(anchor.second), qPrintable(anchor.first));
    }
}

QTEST_MAIN(TestQXC330PLL)
#include "tst_qxc330pll.moc"

#include "ClockConfig.h"
#include "CustomComboBox1.h"
#include "QXC330PLL.h"
#include "QXC335PLL.h"
#include "ScriptedDialogs.h"
#include "SeriesFactory.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// Opens the widget's controls to the test.
class Probe : public QXC330PLL {
public:
    using QXC330PLL::m_ahbValues;
    using QXC330PLL::m_apb1div;
    using QXC330PLL::m_apb2div;
    using QXC330PLL::m_clkout;
    using QXC330PLL::m_hext;
    using QXC330PLL::m_hicktosclkDiv6;
    using QXC330PLL::m_hicktousbHick;
    using QXC330PLL::m_hicktousbPll;
    using QXC330PLL::m_i2sValue;
    using QXC330PLL::m_lists;
    using QXC330PLL::m_notes;
    using QXC330PLL::m_pllcfgCaption;
    using QXC330PLL::m_pllcfgValue;
    using QXC330PLL::m_pllfr;
    using QXC330PLL::m_pllLabel;
    using QXC330PLL::m_pllms;
    using QXC330PLL::m_pllns;
    using QXC330PLL::m_pllrcsHick;
    using QXC330PLL::m_rtcdiv;
    using QXC330PLL::m_rtcselHext;
    using QXC330PLL::m_rtcswitch;
    using QXC330PLL::m_sclk;
    using QXC330PLL::m_sclkselectHext;
    using QXC330PLL::m_sclkselectHick;
    using QXC330PLL::m_usbdiv;
    using QXC330PLL::m_usbLabel;
    using QXC330PLL::m_usbswitch;
    using QXC330PLL::treeLayout;

    ClockConfig &c() { return *config(); }

    void type(QLineEdit *edit, const QString &text)
    {
        edit->setText(text);
        emit edit->returnPressed();
    }
};

namespace {

QString mhz(double v)
{
    return QString::number(v, 'f', 3);
}

QColor textColor(QWidget *w, QPalette::ColorRole role)
{
    return w->palette().color(QPalette::Active, role);
}

int messagesWithText(const ScriptedDialogs &d, const QString &text)
{
    int n = 0;
    for (const auto &r : d.requests)
        n += r.text == text ? 1 : 0;
    return n;
}

const QString kUsbQuestion = QStringLiteral("USB clock must be 48MHz. But the USB clock of current config is "
                                            "wrong.  please confirm whether to continue?");

} // namespace

class TestQXC330PLL : public QObject {
    Q_OBJECT
private slots:
    void factoryTree();
    void hextEntry_data();
    void hextEntry();
    void sclkEntry_data();
    void sclkEntry();
    void typedSclkShowsReachedValue();
    void usbFromPll_data();
    void usbFromPll();
    void usbFromHickLeavesPll();
    void usageNotes_data();
    void usageNotes();
    void clockOutputWithoutPinKeepsLabels();
    void nsEntryGetsPrefix();
    void msAdjustQuestion_data();
    void msAdjustQuestion();
    void pllcfgLine();
    void activePaths_data();
    void activePaths();
    void limitChecks_data();
    void limitChecks();
    void slotOrder();
    void everySlotKeepsDisplayConsistent();
    void foldOutLists();
    void factory_data();
    void factory();
    void controlsOnTheirNodes_data();
    void controlsOnTheirNodes();
    void fixedPositions_data();
    void fixedPositions();
    void twinPanel();
};

void TestQXC330PLL::factoryTree()
{
    ScriptedDialogs dialogs;
    Probe w;
    const ClockConfig &c = w.c();
    QCOMPARE(c.pllMHz, 288.0);
    QCOMPARE(c.sclkMHz, 288.0);
    QCOMPARE(c.apb1Div, 2);
    QCOMPARE(c.apb2Div, 2);
    QCOMPARE(c.apb1MHz, 144.0);
    QCOMPARE(c.apb1TimerMHz, 288.0);
    QCOMPARE(w.m_sclk->text(), QStringLiteral("288.000"));
    QCOMPARE(w.m_apb1div->currentIndex(), 1);
    QCOMPARE(w.m_lists[1].value->text(), QStringLiteral("288.000"));
    QCOMPARE(w.m_pllLabel->text(), QStringLiteral("288.000MHz"));
    QCOMPARE(w.m_usbswitch->currentIndex(), 1);
    QCOMPARE(w.m_usbdiv->currentText(), QStringLiteral("  /6"));
    QCOMPARE(w.m_pllms->text(), QStringLiteral("/1"));
    QCOMPARE(w.m_pllns->text(), QStringLiteral("*72"));
    QCOMPARE(w.m_pllfr->currentText(), QStringLiteral("  /2"));
    for (QLabel *note : w.m_notes)
        QVERIFY(!note->isHidden());
    QCOMPARE(dialogs.requests.size(), 0);
}

void TestQXC330PLL::hextEntry_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("lowest") << "4" << true;
    QTest::newRow("highest") << "25" << true;
    QTest::newRow("below") << "3.999" << false;
    QTest::newRow("above") << "25.001" << false;
}

void TestQXC330PLL::hextEntry()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    ScriptedDialogs dialogs;
    Probe w;
    // sclk straight from HEXT: the entry shows up as the system clock.
    w.m_sclkselectHext->click();
    QCOMPARE(w.c().sclkMHz, 8.0);
    dialogs.clear();
    w.type(w.m_hext, typed);
    if (accepted) {
        QCOMPARE(dialogs.requests.size(), 0);
        QCOMPARE(w.c().hextMHz, typed.toDouble());
        QCOMPARE(w.m_sclk->text(), mhz(typed.toDouble()));
        QCOMPARE(w.m_ahbValues.first()->text(), mhz(typed.toDouble()));
    } else {
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests.first().title, QStringLiteral("Error"));
        QCOMPARE(dialogs.requests.first().text, QStringLiteral("hext input error!"));
        QCOMPARE(dialogs.requests.first().buttonLabels, QStringList{QStringLiteral("Ok")});
        QCOMPARE(w.c().hextMHz, 8.0);
        QCOMPARE(w.c().sclkMHz, 8.0);
        QCOMPARE(w.m_sclk->text(), QStringLiteral("8.000"));
    }
}

void TestQXC330PLL::sclkEntry_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("lowest") << "4" << true;
    QTest::newRow("limit") << "288" << true;
    QTest::newRow("above limit") << "288.5" << false;
    QTest::newRow("below lowest") << "3.9" << false;
}

void TestQXC330PLL::sclkEntry()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    ScriptedDialogs dialogs;
    Probe w;
    w.type(w.m_pllns, QStringLiteral("*100")); // 400 MHz, so an accepted 288 is visible
    QCOMPARE(w.c().sclkMHz, 400.0);
    dialogs.clear();
    w.type(w.m_sclk, typed);
    if (accepted) {
        QCOMPARE(dialogs.requests.size(), 0);
        QVERIFY(w.c().sclkMHz <= 288.0);
        QCOMPARE(w.m_sclk->text(), mhz(w.c().sclkMHz));
    } else {
        QCOMPARE(messagesWithText(dialogs, QStringLiteral("sclk input error!")), 1);
        QCOMPARE(w.c().sclkMHz, 400.0);
        QCOMPARE(w.c().pllNs, 100);
    }
}

void TestQXC330PLL::typedSclkShowsReachedValue()
{
    ScriptedDialogs dialogs;
    Probe w;
    w.type(w.m_sclk, QStringLiteral("287.3"));
    QCOMPARE(w.m_sclk->text(), QStringLiteral("287.000"));
    QCOMPARE(w.c().pllFr, 2);
    QCOMPARE(w.c().pllMs, 4);
    QCOMPARE(w.c().pllNs, 287);
    QCOMPARE(w.m_pllms->text(), QStringLiteral("/4"));
    QCOMPARE(w.m_pllns->text(), QStringLiteral("*287"));
    QCOMPARE(w.m_pllfr->currentText(), QStringLiteral("  /2"));
    QCOMPARE(w.m_pllms->styleSheet(), QXC330PLL::factorCommittedStyle());
    QCOMPARE(dialogs.requests.size(), 0);
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
    ScriptedDialogs dialogs;
    Probe w;
    if (offTarget) {
        // HEXT 10, ms 2, ns 115, fr 2: 287.5 MHz.
        w.type(w.m_hext, QStringLiteral("10"));
        w.m_pllns->setText(QStringLiteral("*115"));
        w.type(w.m_pllms, QStringLiteral("/2"));
        QCOMPARE(w.c().pllMHz, 287.5);
    }
    w.m_usbswitch->setCurrentIndex(0);
    const QString expected = offTarget ? QStringLiteral("47.917 MHz") : QStringLiteral("48.000 MHz");
    QCOMPARE(w.m_usbLabel->text(), expected);
    QCOMPARE(textColor(w.m_usbLabel, QPalette::WindowText),
             offTarget ? QColor(Qt::red) : QColor(Qt::darkGreen));

    dialogs.clear();
    if (answer != QMessageBox::NoButton)
        dialogs.answerButton(QMessageBox::StandardButton(answer));
    QCOMPARE(w.checkBeforeSave(), goesOn);
    QCOMPARE(messagesWithText(dialogs, kUsbQuestion), offTarget ? 1 : 0);
    if (offTarget) {
        QCOMPARE(dialogs.requests.first().title, QStringLiteral("Warning"));
        QCOMPARE(dialogs.requests.first().buttonLabels,
                 (QStringList{QStringLiteral("Yes"), QStringLiteral("Cancel")}));
    }
}

void TestQXC330PLL::usbFromHickLeavesPll()
{
    ScriptedDialogs dialogs;
    Probe w;
    w.m_usbswitch->setCurrentIndex(0);
    w.m_usbdiv->setCurrentIndex(8); // "  /5": 57.6 MHz from the PLL
    QCOMPARE(w.m_usbLabel->text(), QStringLiteral("57.600 MHz"));
    w.m_hicktousbHick->click();
    QCOMPARE(w.m_usbLabel->text(), QStringLiteral("48.000 MHz"));
    QCOMPARE(w.c().usbMHz, 48.0);
    QCOMPARE(w.c().pllMHz, 288.0);
    QCOMPARE(w.c().pllNs, 72);
    QCOMPARE(w.c().pllMs, 1);
    QCOMPARE(w.c().pllFr, 2);
    QCOMPARE(dialogs.requests.size(), 0);
}

void TestQXC330PLL::usageNotes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("visible");
    QTest::newRow("exactly 240") << "240" << false;
    QTest::newRow("248") << "248" << true;
    QTest::newRow("120") << "120" << false;
}

void TestQXC330PLL::usageNotes()
{
    QFETCH(QString, typed);
    QFETCH(bool, visible);
    ScriptedDialogs dialogs;
    Probe w;
    w.type(w.m_sclk, typed);
    QCOMPARE(w.c().sclkMHz, typed.toDouble());
    QCOMPARE(w.m_notes.size(), 3);
    for (QLabel *note : w.m_notes)
        QCOMPARE(!note->isHidden(), visible);
}

void TestQXC330PLL::clockOutputWithoutPinKeepsLabels()
{
    ScriptedDialogs dialogs;
    Probe w;
    auto &out = w.m_clkout[0];
    out.pin->setCurrentIndex(1); // PA8; source HICK, divided by 6 here
    QCOMPARE(out.output->text(), QStringLiteral("(8.000 MHz)"));
    QCOMPARE(out.sourceValues.at(0)->text(), QStringLiteral("(8.000 MHz)"));
    out.div1->setCurrentIndex(1);
    QCOMPARE(out.output->text(), QStringLiteral("(4.000 MHz)"));

    out.pin->setCurrentIndex(0);
    out.div1->setCurrentIndex(3);
    out.sources.at(3)->setChecked(true); // PLL
    QCOMPARE(w.c().clkout1Div1, 4);
    QCOMPARE(out.output->text(), QStringLiteral("(4.000 MHz)"));
    QCOMPARE(out.sourceValues.at(3)->text(), QString());

    out.pin->setCurrentIndex(2); // PE4: evaluated again
    QCOMPARE(out.output->text(), QStringLiteral("(72.000 MHz)"));
}

void TestQXC330PLL::nsEntryGetsPrefix()
{
    ScriptedDialogs dialogs;
    Probe w;
    w.m_pllns->clear();
    QTest::keyClicks(w.m_pllns, QStringLiteral("72"));
    QCOMPARE(w.m_pllns->text(), QStringLiteral("*72"));
    QCOMPARE(w.m_pllns->styleSheet(), QXC330PLL::factorCommittedStyle());
    QTest::keyClicks(w.m_pllns, QStringLiteral("0"));
    QCOMPARE(w.m_pllns->styleSheet(), QXC330PLL::factorPendingStyle());
    QCOMPARE(textColor(w.m_pllns, QPalette::Text), QColor(Qt::red));
}

void TestQXC330PLL::msAdjustQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("storedMs");
    QTest::newRow("Yes") << int(QMessageBox::Yes) << 4;
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << 1;
}

void TestQXC330PLL::msAdjustQuestion()
{
    QFETCH(int, answer);
    QFETCH(int, storedMs);
    ScriptedDialogs dialogs;
    Probe w;
    dialogs.answerButton(QMessageBox::StandardButton(answer));
    w.type(w.m_pllms, QStringLiteral("/5"));
    QVERIFY(!dialogs.requests.isEmpty());
    QCOMPARE(dialogs.requests.first().title, QStringLiteral("Warning"));
    QCOMPARE(dialogs.requests.first().text,
             QStringLiteral("pll_ms input error, is it adjusted automatically?"));
    QCOMPARE(w.c().pllMs, storedMs);
    if (answer == QMessageBox::Yes) {
        QCOMPARE(w.m_pllms->text(), QStringLiteral("/4"));
    } else {
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(w.m_pllms->text(), QStringLiteral("/5"));
        QCOMPARE(w.m_pllms->styleSheet(), QXC330PLL::factorPendingStyle());
        QCOMPARE(w.c().pllMHz, 288.0);
        QCOMPARE(w.m_pllLabel->text(), QStringLiteral("288.000MHz"));
        QCOMPARE(w.m_sclk->text(), QStringLiteral("288.000"));
    }
}

void TestQXC330PLL::pllcfgLine()
{
    ScriptedDialogs dialogs;
    Probe w;
    const quint32 factory = 1 + (72 << 6) + (1 << 16) + (1 << 22);
    QCOMPARE(w.m_pllcfgValue->text(), QStringLiteral("0x%1").arg(factory, 8, 16, QLatin1Char('0')));
    QCOMPARE(w.m_pllcfgCaption->text(), QStringLiteral("CRM_PLLCFG: "));
    w.m_pllrcsHick->click();
    QCOMPARE(w.c().pllSourceHick, 1);
    QCOMPARE(w.m_pllcfgValue->text(),
             QStringLiteral("0x%1").arg(factory & ~(1u << 22), 8, 16, QLatin1Char('0')));
    // Without a PLL consumer the line is cleared.
    w.m_sclkselectHick->click();
    QCOMPARE(w.m_pllcfgValue->text(), QString());
    QCOMPARE(w.m_pllcfgCaption->text(), QString());
    QCOMPARE(w.m_pllLabel->text(), QString());
    QCOMPARE(dialogs.requests.size(), 0);
}

void TestQXC330PLL::activePaths_data()
{
    QTest::addColumn<QString>("sclk"); // "hext", "pll", "hick"
    QTest::addColumn<bool>("usbOn");
    QTest::addColumn<bool>("rtcHext");
    QTest::addColumn<int>("clkout1Source"); // -1: no pin
    QTest::addColumn<bool>("hext");
    QTest::addColumn<bool>("pll");
    QTest::addColumn<bool>("hickToSclk");
    QTest::addColumn<bool>("rtcDiv");
    QTest::addColumn<bool>("clkout1");

    QTest::newRow("factory") << "pll" << false << false << -1 << true << true << false << false << false;
    QTest::newRow("hick only") << "hick" << false << false << -1 << false << false << true << false << false;
    QTest::newRow("hick, usb on the pll")
        << "hick" << true << false << -1 << true << true << true << false << false;
    QTest::newRow("hick, rtc on hext")
        << "hick" << false << true << -1 << true << false << true << true << false;
    QTest::newRow("hick, clkout1 hext")
        << "hick" << false << false << 2 << true << false << true << false << true;
    QTest::newRow("hick, clkout1 pll")
        << "hick" << false << false << 3 << true << true << true << false << true;
    QTest::newRow("hext") << "hext" << false << false << 0 << true << false << false << false << true;
}

void TestQXC330PLL::activePaths()
{
    QFETCH(QString, sclk);
    QFETCH(bool, usbOn);
    QFETCH(bool, rtcHext);
    QFETCH(int, clkout1Source);
    ScriptedDialogs dialogs;
    Probe w;
    if (sclk == QLatin1String("hick"))
        w.m_sclkselectHick->click();
    else if (sclk == QLatin1String("hext"))
        w.m_sclkselectHext->click();
    if (usbOn)
        w.m_usbswitch->setCurrentIndex(0);
    if (rtcHext) {
        w.m_rtcselHext->click();
        w.m_rtcswitch->setCurrentIndex(1);
    }
    if (clkout1Source >= 0) {
        w.m_clkout[0].pin->setCurrentIndex(1);
        w.m_clkout[0].sources.at(clkout1Source)->setChecked(true);
    }
    QTEST(w.m_hext->isEnabled(), "hext");
    QTEST(w.m_pllms->isEnabled(), "pll");
    QTEST(w.m_pllfr->isEnabled(), "pll");
    QTEST(w.m_pllrcsHick->isEnabled(), "pll");
    QTEST(w.m_pllLabel->isEnabled(), "pll");
    QTEST(w.m_hicktosclkDiv6->isEnabled(), "hickToSclk");
    QTEST(w.m_rtcdiv->isEnabled(), "rtcDiv");
    QTEST(w.m_clkout[0].sources.at(0)->isEnabled(), "clkout1");
    QTEST(w.m_clkout[0].div2->isEnabled(), "clkout1");
    QFETCH(bool, pll);
    QCOMPARE(w.m_pllrcsHick->styleSheet(), QXMCUPLL::radioStyle(pll));
    QFETCH(bool, hext);
    QCOMPARE(w.m_hext->styleSheet(), hext ? QXC330PLL::committedEditStyle() : QXC330PLL::disabledEditStyle());
    QCOMPARE(dialogs.requests.size(), 0);
}

void TestQXC330PLL::limitChecks_data()
{
    QTest::addColumn<double>("sclk");
    QTest::addColumn<double>("apb1");
    QTest::addColumn<double>("apb2");
    QTest::addColumn<double>("pll");
    QTest::addColumn<bool>("pllInUse");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("all at the limits") << 288.0 << 144.0 << 144.0 << 288.0 << true << QString();
    QTest::newRow("sclk") << 288.5 << 150.0 << 150.0 << 300.0 << true
                          << "Can not support sclk greater than 288MHz";
    QTest::newRow("apb1") << 288.0 << 144.5 << 150.0 << 300.0 << true
                          << "Can not support apb1clk greater than 144MHz";
    QTest::newRow("apb2") << 288.0 << 144.0 << 144.5 << 300.0 << true
                          << "Can not support apb2clk greater than 144MHz";
    QTest::newRow("pll") << 288.0 << 144.0 << 144.0 << 288.5 << true
                         << "Can not support pll clock greater than 288MHz";
    QTest::newRow("pll not in use") << 8.0 << 8.0 << 8.0 << 400.0 << false << QString();
}

void TestQXC330PLL::limitChecks()
{
    QFETCH(double, sclk);
    QFETCH(double, apb1);
    QFETCH(double, apb2);
    QFETCH(double, pll);
    QFETCH(bool, pllInUse);
    QFETCH(QString, refusal);
    ScriptedDialogs dialogs;
    Probe w;
    if (!pllInUse)
        w.m_sclkselectHext->click();
    ClockConfig &c = w.c();
    c.sclkMHz = sclk;
    c.apb1MHz = apb1;
    c.apb2MHz = apb2;
    c.pllMHz = pll;
    dialogs.clear();
    for (int pass = 0; pass < 2; ++pass) {
        const bool ok = pass == 0 ? w.checkBeforeSave() : w.checkBeforeGenerate();
        QCOMPARE(ok, refusal.isEmpty());
    }
    if (refusal.isEmpty()) {
        QCOMPARE(dialogs.requests.size(), 0);
    } else {
        QCOMPARE(dialogs.requests.size(), 2);
        QCOMPARE(dialogs.requests.at(0).text, refusal);
        QCOMPARE(dialogs.requests.at(0).icon, QMessageBox::Critical);
        QCOMPARE(dialogs.requests.at(0).title, QStringLiteral("Error"));
        QCOMPARE(dialogs.requests.at(1).text, refusal);
    }
}

namespace {
const char *const kSlots[] = {
    "rtcsel_RadioButton_checkSlot(bool)",
    "rtcswitch_ComboBox_currentIndexChanged(int)",
    "rtcdiv_ComboBox_currentIndexChanged(int)",
    "lextbypass_ComboBox_currentIndexChanged(int)",
    "hext_LineEdit_returnPressed()",
    "hext_LineEdit_textChanged(QString)",
    "hextbypass_ComboBox_currentIndexChanged(int)",
    "pllms_LineEdit_returnPressed()",
    "pllms_LineEdit_textChanged(QString)",
    "pllns_LineEdit_returnPressed()",
    "pllns_LineEdit_textChanged(QString)",
    "pllfr_ComboBox_currentIndexChanged(int)",
    "pllrcs_RadioButton_checkSlot(bool)",
    "sclkselecthext_RadioButton_checkSlot(bool)",
    "sclkselectpll_RadioButton_checkSlot(bool)",
    "sclkselecthick_RadioButton_checkSlot(bool)",
    "ahbdiv_ComboBox_currentIndexChanged(int)",
    "apb1div_ComboBox_currentIndexChanged(int)",
    "apb2div_ComboBox_currentIndexChanged(int)",
    "usbdiv_ComboBox_currentIndexChanged(int)",
    "usbswitch_ComboBox_currentIndexChanged(int)",
    "hicktousb_RadioButton_checkSlot(bool)",
    "hicktosclk_RadioButton_checkSlot(bool)",
    "clkout1_RadioButton_checkSlot(bool)",
    "clkout2_RadioButton_checkSlot(bool)",
    "clockout1div1_ComboBox_currentIndexChanged(int)",
    "clockout1div2_ComboBox_currentIndexChanged(int)",
    "clockout1PinSelectComboBox_currentIndexChanged(int)",
    "clockout2div1_ComboBox_currentIndexChanged(int)",
    "clockout2div2_ComboBox_currentIndexChanged(int)",
    "clockout2PinSelectComboBox_currentIndexChanged(int)",
    "sclk_LineEdit_returnPressed()",
    "sclk_LineEdit_textChanged(QString)",
    "toapb1peripheral_List_Button_checkSlot()",
    "toapb1tmr_List_Button_checkSlot()",
    "toapb2peripheral_List_Button_checkSlot()",
    "toapb2tmr_List_Button_checkSlot()",
};
} // namespace

void TestQXC330PLL::slotOrder()
{
    const QMetaObject &mo = QXC330PLL::staticMetaObject;
    QStringList declared;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
        if (mo.method(i).methodType() == QMetaMethod::Slot)
            declared << QString::fromLatin1(mo.method(i).methodSignature());
    }
    QStringList expected;
    for (const char *s : kSlots)
        expected << QString::fromLatin1(s);
    QCOMPARE(declared, expected);
}

void TestQXC330PLL::everySlotKeepsDisplayConsistent()
{
    ScriptedDialogs dialogs;
    Probe w;
    w.m_usbswitch->setCurrentIndex(0);
    w.m_clkout[0].pin->setCurrentIndex(1);
    w.m_clkout[1].pin->setCurrentIndex(1);
    const QMetaObject &mo = QXC330PLL::staticMetaObject;
    for (const char *signature : kSlots) {
        const int index = mo.indexOfSlot(signature);
        QVERIFY2(index >= 0, signature);
        const QMetaMethod slot = mo.method(index);
        // Answer every question of this slot with Yes.
        for (int i = 0; i < 4; ++i)
            dialogs.answerButton(QMessageBox::Yes);
        bool invoked = false;
        if (slot.parameterCount() == 0) {
            invoked = slot.invoke(&w, Qt::DirectConnection);
        } else if (slot.parameterType(0) == QMetaType::Bool) {
            invoked = slot.invoke(&w, Qt::DirectConnection, Q_ARG(bool, true));
        } else if (slot.parameterType(0) == QMetaType::Int) {
            invoked = slot.invoke(&w, Qt::DirectConnection, Q_ARG(int, 1));
        } else {
            const QString name = QString::fromLatin1(signature);
            QLineEdit *edit = name.startsWith(QLatin1String("hext"))    ? w.m_hext
                              : name.startsWith(QLatin1String("sclk"))  ? w.m_sclk
                              : name.startsWith(QLatin1String("pllns")) ? w.m_pllns
                                                                        : w.m_pllms;
            const QString text = edit->text();
            invoked = slot.invoke(&w, Qt::DirectConnection, Q_ARG(QString, text));
        }
        QVERIFY2(invoked, signature);
        dialogs.clear();

        const ClockConfig &c = w.c();
        QVERIFY2(w.m_sclk->text() == mhz(c.sclkMHz), signature);
        QVERIFY2(w.m_i2sValue->text() == mhz(c.sclkMHz), signature);
        for (QLineEdit *ahb : w.m_ahbValues)
            QVERIFY2(ahb->text() == mhz(c.ahbMHz), signature);
        QVERIFY2(w.m_lists[0].value->text() == mhz(c.apb1MHz), signature);
        QVERIFY2(w.m_lists[1].value->text() == mhz(c.apb1TimerMHz), signature);
        QVERIFY2(w.m_lists[2].value->text() == mhz(c.apb2MHz), signature);
        QVERIFY2(w.m_lists[3].value->text() == mhz(c.apb2TimerMHz), signature);
        QVERIFY2(w.m_apb1div->currentText() == QStringLiteral("  /%1").arg(c.apb1Div), signature);
        QVERIFY2(w.m_apb2div->currentText() == QStringLiteral("  /%1").arg(c.apb2Div), signature);
        QVERIFY2(w.m_usbLabel->text() == mhz(c.usbMHz) + QStringLiteral(" MHz"), signature);
        QVERIFY2(w.m_usbdiv->currentText() == QStringLiteral("  /%1").arg(c.usbDiv), signature);
        QVERIFY2(w.m_pllms->text() == QStringLiteral("/%1").arg(c.pllMs), signature);
        QVERIFY2(w.m_pllns->text() == QStringLiteral("*%1").arg(c.pllNs), signature);
        QVERIFY2(w.m_pllfr->currentText() == QStringLiteral("  /%1").arg(c.pllFr), signature);
        if (w.m_pllLabel->isEnabled()) {
            QVERIFY2(w.m_pllLabel->text() == mhz(c.pllMHz) + QStringLiteral("MHz"), signature);
            QVERIFY2(w.m_pllcfgValue->text() == c.pllcfgText(), signature);
        }
    }
}

void TestQXC330PLL::foldOutLists()
{
    Probe w;
    QVERIFY(!w.m_lists[0].panel->isVisible());
    w.m_lists[0].button->click();
    QVERIFY(w.m_lists[0].panel->isVisible());
    w.m_lists[2].button->click();
    QVERIFY(!w.m_lists[0].panel->isVisible());
    QVERIFY(w.m_lists[2].panel->isVisible());
    QTest::mouseClick(&w, Qt::LeftButton);
    for (const auto &list : w.m_lists)
        QVERIFY(!list.panel->isVisible());
}

void TestQXC330PLL::factory_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("className");
    QTest::newRow("QXC330") << 13 << "QXC330PLL";
    QTest::newRow("QXC335") << 14 << "QXC335PLL";
    QTest::newRow("gap id") << 12 << QString();
    QTest::newRow("past the end") << 18 << QString();
}

void TestQXC330PLL::factory()
{
    QFETCH(int, id);
    QFETCH(QString, className);
    QWidget host;
    QXMCUPLL *w = createSeriesWidget(id, &host);
    if (className.isEmpty()) {
        QVERIFY(!w);
        return;
    }
    QVERIFY(w);
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), className);
    QCOMPARE(w->seriesId(), id);
    QCOMPARE(w->config()->seriesId, id);
    QCOMPARE(w->parentWidget(), &host);
}

void TestQXC330PLL::controlsOnTheirNodes_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("QXC330") << 13;
    QTest::newRow("QXC335") << 14;
}

void TestQXC330PLL::controlsOnTheirNodes()
{
    QFETCH(int, id);
    QScopedPointer<QXMCUPLL> widget(createSeriesWidget(id, nullptr));
    auto *w = static_cast<Probe *>(static_cast<QXC330PLL *>(widget.data()));
    const ClockTree::Layout &layout = w->treeLayout();
    for (const ClockTree::Anchor &a : layout.anchors()) {
        const ClockTree::Node *node = layout.node(a.node);
        QVERIFY2(node, qPrintable(a.id));
        QVERIFY2(node->rect.contains(a.pos), qPrintable(a.id));
    }
    // Every control lies on the drawing, and no two controls overlap.
    QVector<QRectF> rects;
    QStringList names;
    for (QGraphicsItem *item : w->scene()->items()) {
        auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(item);
        if (!proxy || proxy->zValue() >= 2)
            continue;
        const QRectF r = proxy->sceneBoundingRect();
        QVERIFY(QRectF(0, 0, 1404, 828).contains(r));
        auto *label = qobject_cast<QLabel *>(proxy->widget());
        if (label && label->text().isEmpty())
            continue;
        rects << r.adjusted(0.5, 0.5, -0.5, -0.5);
        names << QString::fromLatin1(proxy->widget()->metaObject()->className()) + QLatin1Char(' ') +
                     (label ? label->text() : QString()) + QStringLiteral(" @%1,%2").arg(r.x()).arg(r.y());
    }
    for (int i = 0; i < rects.size(); ++i) {
        for (int j = i + 1; j < rects.size(); ++j)
            QVERIFY2(!rects.at(i).intersects(rects.at(j)),
                     qPrintable(names.at(i) + QStringLiteral(" / ") + names.at(j)));
    }
}

void TestQXC330PLL::fixedPositions_data()
{
    QTest::addColumn<QString>("anchor");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("width");
    QTest::newRow("apb1div caption") << "apb1div.caption" << QPoint(1040, 428) << 0;
    QTest::newRow("apb1div") << "apb1div" << QPoint(1035, 448) << 55;
    QTest::newRow("clkout1 first radio") << "clkout1.radio0" << QPoint(514, 490) << 0;
    QTest::newRow("clkout1 last radio") << "clkout1.radio3" << QPoint(514, 554) << 0;
    QTest::newRow("clkout1 caption") << "clkout1.src1" << QPoint(572, 511) << 0;
    QTest::newRow("clkout1 value") << "clkout1.val2" << QPoint(612, 532) << 0;
    QTest::newRow("clkout1 name") << "clkout1.caption" << QPoint(500, 585) << 0;
    QTest::newRow("clkout2 first radio") << "clkout2.radio0" << QPoint(514, 626) << 0;
    QTest::newRow("clkout2 last radio") << "clkout2.radio7" << QPoint(514, 771) << 0;
    QTest::newRow("hick to sclk") << "hicktosclk.caption" << QPoint(267, 440) << 0;
    QTest::newRow("hick to sclk /6") << "hicktosclk.div6" << QPoint(288, 357) << 0;
    QTest::newRow("hick to sclk full") << "hicktosclk.full" << QPoint(288, 407) << 0;
    QTest::newRow("clockout1div1 caption") << "clockout1div1.caption" << QPoint(384, 495) << 0;
    QTest::newRow("clockout1div1") << "clockout1div1" << QPoint(383, 515) << 80;
}

void TestQXC330PLL::fixedPositions()
{
    QFETCH(QString, anchor);
    QFETCH(QPoint, pos);
    QFETCH(int, width);
    Probe w;
    const ClockTree::Anchor a = w.treeLayout().anchor(anchor);
    QCOMPARE(a.pos, pos);
    if (width)
        QCOMPARE(a.width, width);
    // The control really stands there.
    bool found = false;
    for (QGraphicsItem *item : w.scene()->items(QRectF(pos, QSizeF(1, 1)))) {
        auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(item);
        if (proxy && proxy->pos() == QPointF(pos)) {
            found = true;
            if (width)
                QCOMPARE(proxy->widget()->width(), width);
        }
    }
    QVERIFY(found);
}

void TestQXC330PLL::twinPanel()
{
    ScriptedDialogs dialogs;
    QXC335PLL twin;
    auto *w = static_cast<Probe *>(static_cast<QXC330PLL *>(&twin));
    QCOMPARE(w->seriesId(), 14);
    QCOMPARE(w->m_ahbValues.size(), 9);
    QCOMPARE(w->m_ahbValues.last()->text(), QStringLiteral("288.000"));
    Probe plain;
    QCOMPARE(plain.m_ahbValues.size(), 8);
    QCOMPARE(w->m_pllcfgValue->text(), plain.m_pllcfgValue->text());
}

QTEST_MAIN(TestQXC330PLL)
#include "tst_qxc330pll.moc"

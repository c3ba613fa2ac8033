#include "Markers.h"
#include "NameTables.h"

#include <QtTest>

// The block-marker primitives, the pattern syntax they rely on, the call
// rewrites and the constant-name tables.
class TestMarkers : public QObject {
    Q_OBJECT

private slots:
    void classicSyntax_data();
    void classicSyntax();
    void workedExample_data();
    void workedExample();
    void blankLinesAfterBlock_data();
    void blankLinesAfterBlock();
    void bodyRunsToLastClosingMarker();
    void nonMatchingBlocks_data();
    void nonMatchingBlocks();
    void liftedBodyEditedBeforeParent();
    void rewriteCall_data();
    void rewriteCall();
    void rewriteLastCallKeepsEarlierOnes();
    void replacementIsLiteral();
    void tables_data();
    void tables();
    void clockOutPins_data();
    void clockOutPins();
};

void TestMarkers::classicSyntax_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("matched");
    QTest::newRow("{,1} allows the semicolon") << "f\\(x\\);{,1}"
                                               << "f(x);"
                                               << "f(x);";
    QTest::newRow("{,1} allows no semicolon") << "f\\(x\\);{,1}"
                                              << "f(x) g"
                                              << "f(x)";
    QTest::newRow("{,1} takes one at most") << "f\\(x\\);{,1}"
                                            << "f(x);;"
                                            << "f(x);";
    QTest::newRow("dot matches a line feed") << "a.b"
                                             << "a\nb"
                                             << "a\nb";
    QTest::newRow("greedy dot spans lines") << "<(.+)>"
                                            << "<1>\n<2>\n"
                                            << "<1>\n<2>";
    QTest::newRow("\\s spans a line feed") << "f\\(a,\\s*b\\)"
                                           << "f(a,\n   b)"
                                           << "f(a,\n   b)";
    QTest::newRow("\\& is a literal ampersand") << "g\\(\\w+,\\s*\\&\\w+\\)"
                                                << "g(GPIOA, &s)"
                                                << "g(GPIOA, &s)";
    QTest::newRow("case-sensitive") << "crm_reset"
                                    << "CRM_RESET crm_reset"
                                    << "crm_reset";
}

void TestMarkers::classicSyntax()
{
    QFETCH(QString, pattern);
    QFETCH(QString, subject);
    QFETCH(QString, matched);
    const QRegularExpression re = Markers::classic(pattern);
    QVERIFY2(re.isValid(), qPrintable(re.errorString()));
    QCOMPARE(re.match(subject).captured(0), matched);
}

void TestMarkers::workedExample_data()
{
    QTest::addColumn<bool>("keep");
    QTest::addColumn<QString>("expected");
    QTest::newRow("remove") << false << "  crm_reset();\n\n[#enable hext]\n";
    QTest::newRow("keep") << true << "  crm_reset();\n\n  crm_hext_bypass(TRUE);\n\n[#enable hext]\n";
}

void TestMarkers::workedExample()
{
    QFETCH(bool, keep);
    QFETCH(QString, expected);
    QString text =
        "  crm_reset();\n\n[#hext bypass]\n  crm_hext_bypass(TRUE);\n[/#hext bypass]\n\n[#enable hext]\n";
    QVERIFY(Markers::decide(text, "hext bypass", keep));
    QCOMPARE(text, expected);
}

void TestMarkers::blankLinesAfterBlock_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("expected");
    QTest::newRow("remove leaves only the preceding empty line") << "remove"
                                                                 << "a;\n\nnext;\n";
    QTest::newRow("keep leaves exactly one empty line") << "keep"
                                                        << "a;\n\n  body;\n\nnext;\n";
    QTest::newRow("tight keep leaves none") << "tight"
                                            << "a;\n\n  body;\nnext;\n";
}

void TestMarkers::blankLinesAfterBlock()
{
    QFETCH(QString, operation);
    QFETCH(QString, expected);
    QString text = "a;\n\n[#rtc lick]\n  body;\n[/#rtc lick]\n\n\n\nnext;\n";
    bool ok = false;
    if (operation == "remove")
        ok = Markers::remove(text, "rtc lick");
    else if (operation == "keep")
        ok = Markers::keep(text, "rtc lick");
    else
        ok = Markers::keepTight(text, "rtc lick");
    QVERIFY(ok);
    QCOMPARE(text, expected);
}

void TestMarkers::bodyRunsToLastClosingMarker()
{
    const QString text = "[#x]\none\n[/#x]\nmiddle\n[/#x]\nend\n";
    QString body;
    QVERIFY(Markers::find(text, "x", &body));
    QCOMPARE(body, QString("one\n[/#x]\nmiddle\n"));
    QString removed = text;
    QVERIFY(Markers::remove(removed, "x"));
    QCOMPARE(removed, QString("end\n"));
}

void TestMarkers::nonMatchingBlocks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("name");
    QTest::newRow("well formed") << "[#pll sysclock]\nx;\n[/#pll sysclock]\n" << true << "pll sysclock";
    QTest::newRow("name with < and digits") << "[#sysclock < 168]\nx;\n[/#sysclock < 168]\n"
                                            << true << "sysclock < 168";
    QTest::newRow("name with >=") << "[#sysclock >= 168]\nx;\n[/#sysclock >= 168]\n"
                                  << true << "sysclock >= 168";
    QTest::newRow("similar name") << "[#sysclock >= 168]\nx;\n[/#sysclock >= 168]\n"
                                  << false << "sysclock < 168";
    QTest::newRow("closing marker missing") << "[#pll sysclock]\nx;\n" << false << "pll sysclock";
    QTest::newRow("closing marker misspelled") << "[#pll sysclock]\nx;\n[/#pll sysclok]\n"
                                               << false << "pll sysclock";
    QTest::newRow("no line feed after closing marker")
        << "[#pll sysclock]\nx;\n[/#pll sysclock]" << false << "pll sysclock";
    QTest::newRow("empty body") << "[#pll sysclock]\n[/#pll sysclock]\n" << false << "pll sysclock";
    QTest::newRow("trailing blank after opening marker") << "[#pll sysclock] \nx;\n[/#pll sysclock]\n"
                                                         << false << "pll sysclock";
    QTest::newRow("trailing blank after closing marker") << "[#pll sysclock]\nx;\n[/#pll sysclock] \n"
                                                         << false << "pll sysclock";
    QTest::newRow("other name only") << "[#hick sysclock]\nx;\n[/#hick sysclock]\n"
                                     << false << "pll sysclock";
    QTest::newRow("name is not a pattern") << "[#pll sysclockX]\nx;\n[/#pll sysclockX]\n"
                                           << false << "pll sysclock";
}

void TestMarkers::nonMatchingBlocks()
{
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(QString, name);
    QCOMPARE(Markers::find(text, name), found);
    QString edited = text;
    QCOMPARE(Markers::remove(edited, name), found);
    // A block that does not match is left exactly as it was.
    if (!found)
        QCOMPARE(edited, text);
}

void TestMarkers::liftedBodyEditedBeforeParent()
{
    QString text = "x;\n\n[#rtc lext]\n[#lext bypass]\n  crm_lext_bypass(TRUE);\n[/#lext bypass]\n\n"
                   "  start();\n[/#rtc lext]\n  [#unknown]\nkeep me\n[/#unknown]\nend;\n";
    QString body;
    QVERIFY(Markers::find(text, "rtc lext", &body));
    QVERIFY(Markers::remove(body, "lext bypass"));
    QVERIFY(Markers::replaceBody(text, "rtc lext", body, true));
    // Blanks before a marker stay; an unknown block passes through.
    QCOMPARE(text, QString("x;\n\n  start();\n  [#unknown]\nkeep me\n[/#unknown]\nend;\n"));
}

void TestMarkers::rewriteCall_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("matched");
    QTest::newRow("with semicolon") << "  crm_apb1_div_set(CRM_APB1_DIV_2);\n"
                                    << "  crm_apb1_div_set(CRM_APB1_DIV_4);\n"
                                    << true;
    QTest::newRow("semicolon added") << "  crm_apb1_div_set(CRM_APB1_DIV_2)\n"
                                     << "  crm_apb1_div_set(CRM_APB1_DIV_4);\n"
                                     << true;
    QTest::newRow("every occurrence")
        << "crm_apb1_div_set(A);\ncrm_apb1_div_set( B);\n"
        << "crm_apb1_div_set(CRM_APB1_DIV_4);\ncrm_apb1_div_set(CRM_APB1_DIV_4);\n"
        << true;
    QTest::newRow("two arguments do not match") << "crm_apb1_div_set(A, B);\n"
                                                << "crm_apb1_div_set(A, B);\n"
                                                << false;
    QTest::newRow("absent") << "crm_apb2_div_set(A);\n"
                            << "crm_apb2_div_set(A);\n"
                            << false;
}

void TestMarkers::rewriteCall()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(bool, matched);
    QCOMPARE(Markers::rewriteCall(text, "crm_apb1_div_set\\((\\s*\\w+)\\);{,1}", "crm_apb1_div_set",
                                  {"CRM_APB1_DIV_4"}),
             matched);
    QCOMPARE(text, expected);
}

void TestMarkers::rewriteLastCallKeepsEarlierOnes()
{
    QString text = "crm_ahb_div_set(CRM_AHB_DIV_4);\nx;\ncrm_ahb_div_set(CRM_AHB_DIV_2);\ncrm_ahb_div_set("
                   "CRM_AHB_DIV_1)\n";
    QVERIFY(Markers::rewriteLastCall(text, "crm_ahb_div_set\\((\\s*\\w+)\\);{,1}", "crm_ahb_div_set",
                                     {"CRM_AHB_DIV_8"}));
    QCOMPARE(text, QString("crm_ahb_div_set(CRM_AHB_DIV_4);\nx;\ncrm_ahb_div_set(CRM_AHB_DIV_2);\n"
                           "crm_ahb_div_set(CRM_AHB_DIV_8);\n"));
    QString none = "x;\n";
    QVERIFY(
        !Markers::rewriteLastCall(none, "crm_ahb_div_set\\((\\s*\\w+)\\);{,1}", "crm_ahb_div_set", {"A"}));
}

void TestMarkers::replacementIsLiteral()
{
    // Bodies may hold backslashes and dollar signs; they must not be read
    // as back-references.
    QString text = "[#x]\n  s = \"\\1 $1 \\\\\";\n[/#x]\n";
    QVERIFY(Markers::keep(text, "x"));
    QCOMPARE(text, QString("  s = \"\\1 $1 \\\\\";\n\n"));
}

void TestMarkers::tables_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ahb 512") << NameTables::ahbDiv(512) << "CRM_AHB_DIV_512";
    QTest::newRow("ahb 32 -> default") << NameTables::ahbDiv(32) << "CRM_AHB_DIV_1";
    QTest::newRow("apb1 16") << NameTables::apb1Div(16) << "CRM_APB1_DIV_16";
    QTest::newRow("apb1 3 -> default") << NameTables::apb1Div(3) << "CRM_APB1_DIV_1";
    QTest::newRow("apb2 8") << NameTables::apb2Div(8) << "CRM_APB2_DIV_8";
    QTest::newRow("apb2 0 -> default") << NameTables::apb2Div(0) << "CRM_APB2_DIV_1";
    QTest::newRow("adc 12") << NameTables::adcDiv(12) << "CRM_ADC_DIV_12";
    QTest::newRow("adc 7 -> default") << NameTables::adcDiv(7) << "CRM_ADC_DIV_2";
    QTest::newRow("fr 32") << NameTables::pllFr(32) << "CRM_PLL_FR_32";
    QTest::newRow("fr 3 -> default") << NameTables::pllFr(3) << "CRM_PLL_FR_1";
    QTest::newRow("usb 1.5") << NameTables::usbDiv(1.5) << "CRM_USB_DIV_1_5";
    QTest::newRow("usb 7.0") << NameTables::usbDiv(7.0) << "CRM_USB_DIV_7";
    QTest::newRow("usb 1.25 -> default") << NameTables::usbDiv(1.25) << "CRM_USB_DIV_1";
    QTest::newRow("usb 7.5 -> default") << NameTables::usbDiv(7.5) << "CRM_USB_DIV_1";
    QTest::newRow("usb huge -> default") << NameTables::usbDiv(1e12) << "CRM_USB_DIV_1";
    QTest::newRow("sclk pll") << NameTables::sclkSource(1) << "CRM_SCLK_PLL";
    QTest::newRow("clkout pll/4") << NameTables::clkoutSource(9) << "CRM_CLKOUT_PLL_DIV_4";
    QTest::newRow("clkout 10 -> default") << NameTables::clkoutSource(10) << "CRM_CLKOUT_NOCLK";
    QTest::newRow("clkout1 pll") << NameTables::clkout1Source(3) << "CRM_CLKOUT1_PLL";
    QTest::newRow("clkout1 -1 -> default") << NameTables::clkout1Source(-1) << "CRM_CLKOUT1_HICK";
    QTest::newRow("clkout2 lext") << NameTables::clkout2Source(7) << "CRM_CLKOUT2_LEXT";
    QTest::newRow("clkout2 8 -> default") << NameTables::clkout2Source(8) << "CRM_CLKOUT2_SCLK";
    QTest::newRow("clkout div 256") << NameTables::clkoutDiv(256) << "CRM_CLKOUT_DIV_256";
    QTest::newRow("clkout div 32 -> default") << NameTables::clkoutDiv(32) << "CRM_CLKOUT_DIV_1";
    QTest::newRow("div1 5") << NameTables::clkoutDiv1(5) << "CRM_CLKOUT_DIV1_5";
    QTest::newRow("div1 6 -> default") << NameTables::clkoutDiv1(6) << "CRM_CLKOUT_DIV1_1";
    QTest::newRow("div2 64") << NameTables::clkoutDiv2(64) << "CRM_CLKOUT_DIV2_64";
    QTest::newRow("div2 3 -> default") << NameTables::clkoutDiv2(3) << "CRM_CLKOUT_DIV2_1";
    QTest::newRow("ertc 31") << NameTables::ertcHextDiv(31) << "CRM_ERTC_CLOCK_HEXT_DIV_31";
    QTest::newRow("ertc 32 -> first row") << NameTables::ertcHextDiv(32) << "CRM_ERTC_CLOCK_HEXT_DIV_2";
    QTest::newRow("i2c hick48") << NameTables::i2c1Source(2) << "CRM_I2C1_CLOCK_SOURCE_HICK48";
    QTest::newRow("i2c 3 -> default") << NameTables::i2c1Source(3) << "CRM_I2C1_CLOCK_SOURCE_PCLK";
    QTest::newRow("usart lext") << NameTables::usartSource(3) << "CRM_USART_CLOCK_SOURCE_LEXT";
    QTest::newRow("usart 4 -> default") << NameTables::usartSource(4) << "CRM_USART_CLOCK_SOURCE_PCLK";
    QTest::newRow("ldo 240.001") << NameTables::ldoVoltage(240.001) << "PWC_LDO_OUTPUT_1V3";
    QTest::newRow("ldo 240") << NameTables::ldoVoltage(240.0) << "PWC_LDO_OUTPUT_1V2";
    QTest::newRow("ldo 192") << NameTables::ldoVoltage(192.0) << "PWC_LDO_OUTPUT_1V1";
    QTest::newRow("ldo 144") << NameTables::ldoVoltage(144.0) << "PWC_LDO_OUTPUT_1V0";
    QTest::newRow("wait 32") << NameTables::flashWaitCycle(32.0) << "FLASH_WAIT_CYCLE_0";
    QTest::newRow("wait 32.001") << NameTables::flashWaitCycle(32.001) << "FLASH_WAIT_CYCLE_1";
    QTest::newRow("wait 96") << NameTables::flashWaitCycle(96.0) << "FLASH_WAIT_CYCLE_2";
    QTest::newRow("wait 128") << NameTables::flashWaitCycle(128.0) << "FLASH_WAIT_CYCLE_3";
    QTest::newRow("wait 150") << NameTables::flashWaitCycle(150.0) << "FLASH_WAIT_CYCLE_4";
    QTest::newRow("flash div 240") << NameTables::flashClockDivider(240.0) << "FLASH_CLOCK_DIV_2";
    QTest::newRow("flash div 288") << NameTables::flashClockDivider(288.0) << "FLASH_CLOCK_DIV_3";
    QTest::newRow("range 72") << NameTables::pllRange(72.0) << "CRM_PLL_OUTPUT_RANGE_LE72MHZ";
    QTest::newRow("range 72.001") << NameTables::pllRange(72.001) << "CRM_PLL_OUTPUT_RANGE_GT72MHZ";
}

void TestMarkers::tables()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

void TestMarkers::clockOutPins_data()
{
    QTest::addColumn<bool>("dual");
    QTest::addColumn<int>("selector");
    QTest::addColumn<QString>("row"); // port clock, pins, port, pin source, mux
    QTest::newRow("single 1") << false << 1
                              << "CRM_GPIOA_PERIPH_CLOCK GPIO_PINS_8 GPIOA GPIO_PINS_SOURCE8 GPIO_MUX_0";
    QTest::newRow("single 2") << false << 2
                              << "CRM_GPIOA_PERIPH_CLOCK GPIO_PINS_9 GPIOA GPIO_PINS_SOURCE9 GPIO_MUX_5";
    QTest::newRow("single 3") << false << 3
                              << "CRM_GPIOB_PERIPH_CLOCK GPIO_PINS_13 GPIOB GPIO_PINS_SOURCE13 GPIO_MUX_3";
    QTest::newRow("single 4 -> default")
        << false << 4 << "CRM_GPIOA_PERIPH_CLOCK GPIO_PINS_0 GPIOA GPIO_PINS_SOURCE0 GPIO_MUX_0";
    QTest::newRow("dual 1") << true << 1
                            << "CRM_GPIOA_PERIPH_CLOCK GPIO_PINS_8 GPIOA GPIO_PINS_SOURCE8 GPIO_MUX_0";
    QTest::newRow("dual 2") << true << 2
                            << "CRM_GPIOE_PERIPH_CLOCK GPIO_PINS_4 GPIOE GPIO_PINS_SOURCE4 GPIO_MUX_0";
    QTest::newRow("dual 3 -> default")
        << true << 3 << "CRM_GPIOA_PERIPH_CLOCK GPIO_PINS_0 GPIOA GPIO_PINS_SOURCE0 GPIO_MUX_0";
}

void TestMarkers::clockOutPins()
{
    QFETCH(bool, dual);
    QFETCH(int, selector);
    QFETCH(QString, row);
    const NameTables::PinRow &p = dual ? NameTables::clkout1Pin(selector) : NameTables::clkoutPin(selector);
    QCOMPARE(QStringList({p.portClock, p.pins, p.port, p.pinSource, p.mux}).join(' '), row);
}

QTEST_GUILESS_MAIN(TestMarkers)
#include "tst_markers.moc"

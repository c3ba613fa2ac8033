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
    void blockEdits_data();
    void blockEdits();
    void nonMatchingBlocks_data();
    void nonMatchingBlocks();
    void liftedBodyEditedBeforeParent();
    void rewriteCall_data();
    void rewriteCall();
    void tables_data();
    void tables();
};

void TestMarkers::classicSyntax_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("matched");
    auto row = [](const char *name, const char *pattern, const char *subject, const char *matched) {
        QTest::newRow(name) << QString(pattern) << QString(subject) << QString(matched);
    };
    row("{,1} allows the semicolon", "f\\(x\\);{,1}", "f(x);;", "f(x);");
    row("{,1} allows no semicolon", "f\\(x\\);{,1}", "f(x) g", "f(x)");
    row("greedy dot spans lines", "<(.+)>", "<1>\n<2>\n", "<1>\n<2>");
    row("\\s spans a line feed", "f\\(a,\\s*b\\)", "f(a,\n   b)", "f(a,\n   b)");
    row("\\& is a literal ampersand", "g\\(\\w+,\\s*\\&\\w+\\)", "g(GPIOA, &s)", "g(GPIOA, &s)");
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

void TestMarkers::blockEdits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("operation"); // keep, tight or remove
    QTest::addColumn<QString>("expected");
    const QString example =
        "  crm_reset();\n\n[#hext bypass]\n  crm_hext_bypass(TRUE);\n[/#hext bypass]\n\n[#enable hext]\n";
    const QString spaced = "a;\n\n[#hext bypass]\n  body;\n[/#hext bypass]\n\n\n\nnext;\n";
    auto row = [](const char *name, const QString &text, const char *operation, const char *expected) {
        QTest::newRow(name) << text << QString(operation) << QString(expected);
    };
    row("worked example removed", example, "remove", "  crm_reset();\n\n[#enable hext]\n");
    row("worked example kept", example, "keep",
        "  crm_reset();\n\n  crm_hext_bypass(TRUE);\n\n[#enable hext]\n");
    row("remove leaves the preceding empty line", spaced, "remove", "a;\n\nnext;\n");
    row("keep leaves exactly one empty line", spaced, "keep", "a;\n\n  body;\n\nnext;\n");
    row("tight keep leaves none", spaced, "tight", "a;\n\n  body;\nnext;\n");
    row("body runs to the last closing marker",
        "[#hext bypass]\none\n[/#hext bypass]\nmid\n[/#hext bypass]\nend\n", "keep",
        "one\n[/#hext bypass]\nmid\n\nend\n");
    // Bodies may hold backslashes and dollar signs: no back-references.
    row("replacement is literal", "[#hext bypass]\n  s = \"\\1 $1 \\\\\";\n[/#hext bypass]\n", "keep",
        "  s = \"\\1 $1 \\\\\";\n\n");
}

void TestMarkers::blockEdits()
{
    QFETCH(QString, text);
    QFETCH(QString, operation);
    QFETCH(QString, expected);
    QVERIFY(operation == "remove" ? Markers::remove(text, "hext bypass")
                                  : Markers::decide(text, "hext bypass", true, operation == "tight"));
    QCOMPARE(text, expected);
}

void TestMarkers::nonMatchingBlocks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("name");
    auto row = [](const char *name, const char *text, bool found, const char *block) {
        QTest::newRow(name) << QString(text) << found << QString(block);
    };
    row("well formed", "[#pll sysclock]\nx;\n[/#pll sysclock]\n", true, "pll sysclock");
    row("name with < and digits", "[#sysclock < 168]\nx;\n[/#sysclock < 168]\n", true, "sysclock < 168");
    row("similar name", "[#sysclock >= 168]\nx;\n[/#sysclock >= 168]\n", false, "sysclock < 168");
    row("closing marker missing", "[#pll sysclock]\nx;\n", false, "pll sysclock");
    row("closing marker misspelled", "[#pll sysclock]\nx;\n[/#pll sysclok]\n", false, "pll sysclock");
    row("no line feed after closing marker", "[#pll sysclock]\nx;\n[/#pll sysclock]", false, "pll sysclock");
    row("empty body", "[#pll sysclock]\n[/#pll sysclock]\n", false, "pll sysclock");
    row("trailing blank after a marker", "[#pll sysclock] \nx;\n[/#pll sysclock]\n", false, "pll sysclock");
    row("name is not a pattern", "[#pll sysclockX]\nx;\n[/#pll sysclockX]\n", false, "pll sysclock");
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
    QTest::addColumn<bool>("lastOnly");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // empty: nothing matches, text unchanged
    auto row = [](const char *name, bool lastOnly, const char *text, const char *expected) {
        QTest::newRow(name) << lastOnly << QString(text) << QString(expected);
    };
    row("with semicolon", false, "  crm_ahb_div_set(CRM_AHB_DIV_2);\n",
        "  crm_ahb_div_set(CRM_AHB_DIV_8);\n");
    row("semicolon added", false, "  crm_ahb_div_set(CRM_AHB_DIV_2)\n",
        "  crm_ahb_div_set(CRM_AHB_DIV_8);\n");
    row("every occurrence", false, "crm_ahb_div_set(A);\ncrm_ahb_div_set( B);\n",
        "crm_ahb_div_set(CRM_AHB_DIV_8);\ncrm_ahb_div_set(CRM_AHB_DIV_8);\n");
    row("two arguments do not match", false, "crm_ahb_div_set(A, B);\n", "");
    row("absent", false, "crm_apb2_div_set(A);\n", "");
    row("last only, earlier ones stay", true,
        "crm_ahb_div_set(A);\nx;\ncrm_ahb_div_set(B);\ncrm_ahb_div_set(C)\n",
        "crm_ahb_div_set(A);\nx;\ncrm_ahb_div_set(B);\ncrm_ahb_div_set(CRM_AHB_DIV_8);\n");
    row("last only, absent", true, "x;\n", "");
}

void TestMarkers::rewriteCall()
{
    QFETCH(bool, lastOnly);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QString before = text;
    const auto rewrite = lastOnly ? Markers::rewriteLastCall : Markers::rewriteCall;
    QCOMPARE(rewrite(text, "crm_ahb_div_set\\((\\s*\\w+)\\);{,1}", "crm_ahb_div_set", {"CRM_AHB_DIV_8"}),
             !expected.isEmpty());
    QCOMPARE(text, expected.isEmpty() ? before : expected);
}

// Every table falls back to its default row; the thresholds sit exactly on
// their boundaries.
void TestMarkers::tables_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
    using namespace NameTables;
    const QVector<QPair<QString, const char *>> rows = {
        {ahbDiv(32), "CRM_AHB_DIV_1"},
        {apb1Div(3), "CRM_APB1_DIV_1"},
        {apb2Div(0), "CRM_APB2_DIV_1"},
        {adcDiv(7), "CRM_ADC_DIV_2"},
        {pllFr(3), "CRM_PLL_FR_1"},
        {usbDiv(1.5), "CRM_USB_DIV_1_5"},
        {usbDiv(7.5), "CRM_USB_DIV_1"},
        {usbDiv(1e12), "CRM_USB_DIV_1"},
        {clkoutSource(10), "CRM_CLKOUT_NOCLK"},
        {clkout1Source(-1), "CRM_CLKOUT1_HICK"},
        {clkout2Source(8), "CRM_CLKOUT2_SCLK"},
        {clkoutDiv(32), "CRM_CLKOUT_DIV_1"},
        {clkoutDiv1(6), "CRM_CLKOUT_DIV1_1"},
        {clkoutDiv2(3), "CRM_CLKOUT_DIV2_1"},
        {ertcHextDiv(32), "CRM_ERTC_CLOCK_HEXT_DIV_2"},
        {i2c1Source(3), "CRM_I2C1_CLOCK_SOURCE_PCLK"},
        {usartSource(4), "CRM_USART_CLOCK_SOURCE_PCLK"},
        {ldoVoltage(240.001), "PWC_LDO_OUTPUT_1V3"},
        {ldoVoltage(240.0), "PWC_LDO_OUTPUT_1V2"},
        {ldoVoltage(144.0), "PWC_LDO_OUTPUT_1V0"},
        {flashWaitCycle(32.0), "FLASH_WAIT_CYCLE_0"},
        {flashWaitCycle(32.001), "FLASH_WAIT_CYCLE_1"},
        {flashWaitCycle(150.0), "FLASH_WAIT_CYCLE_4"},
        {flashClockDivider(240.0), "FLASH_CLOCK_DIV_2"},
        {flashClockDivider(288.0), "FLASH_CLOCK_DIV_3"},
        {pllRange(72.0), "CRM_PLL_OUTPUT_RANGE_LE72MHZ"},
        {pllRange(72.001), "CRM_PLL_OUTPUT_RANGE_GT72MHZ"},
    };
    for (const auto &r : rows)
        QTest::newRow(r.second) << r.first << QString(r.second);
    auto pin = [](const PinRow &p) {
        return QStringList({p.portClock, p.pins, p.port, p.pinSource, p.mux}).join(' ');
    };
    QTest::newRow("pin 3") << pin(clkoutPin(3))
                           << "CRM_GPIOB_PERIPH_CLOCK GPIO_PINS_13 GPIOB GPIO_PINS_SOURCE13 GPIO_MUX_3";
    QTest::newRow("pin default") << pin(clkoutPin(4))
                                 << "CRM_GPIOA_PERIPH_CLOCK GPIO_PINS_0 GPIOA GPIO_PINS_SOURCE0 GPIO_MUX_0";
    QTest::newRow("output 1 pin default") << pin(clkout1Pin(3)) << pin(clkoutPin(4));
}

void TestMarkers::tables()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

QTEST_GUILESS_MAIN(TestMarkers)
#include "tst_markers.moc"

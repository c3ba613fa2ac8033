#include "Markers.h"
#include "NameTables.h"

#include <QtTest>

class TestMarkers : public QObject {
    Q_OBJECT

private slots:
    void edits_data();
    void edits();
    void liftedBodyEditedBeforeParent();
    void tables();
};

// The pattern syntax, keep, tight keep and remove on a block (a block that
// does not match is neither found nor edited), and the call rewrites.
void TestMarkers::edits_data()
{
    QTest::addColumn<QString>("op");   // classic, keep, tight, remove, rewrite or rewriteLast
    QTest::addColumn<QString>("name"); // block name, or the pattern for classic
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // the match for classic; equal to text: nothing matched
    auto row = [](const char *row, const char *op, const char *name, const QString &text,
                  const QString &expected) {
        QTest::newRow(row) << QString(op) << QString(name) << text << expected;
    };
    row("{,1} allows the semicolon", "classic", "f\\(x\\);{,1}", "f(x);;", "f(x);");
    row("{,1} allows no semicolon", "classic", "f\\(x\\);{,1}", "f(x) g", "f(x)");
    row("greedy dot spans lines", "classic", "<(.+)>", "<1>\n<2>\n", "<1>\n<2>");

    const QString example =
        "  crm_reset();\n\n[#hext bypass]\n  crm_hext_bypass(TRUE);\n[/#hext bypass]\n\n[#enable hext]\n";
    const QString spaced = "a;\n\n[#hext bypass]\n  body;\n[/#hext bypass]\n\n\n\nnext;\n";
    const char *hb = "hext bypass";
    row("worked example removed", "remove", hb, example, "  crm_reset();\n\n[#enable hext]\n");
    row("remove leaves the preceding empty line", "remove", hb, spaced, "a;\n\nnext;\n");
    row("keep leaves exactly one empty line", "keep", hb, spaced, "a;\n\n  body;\n\nnext;\n");
    row("tight keep leaves none", "tight", hb, spaced, "a;\n\n  body;\nnext;\n");
    row("body runs to the last closing marker", "keep", hb,
        "[#hext bypass]\n1\n[/#hext bypass]\n2\n[/#hext bypass]\n3\n", "1\n[/#hext bypass]\n2\n\n3\n");
    // Bodies may hold backslashes and dollar signs: no back-references.
    row("replacement is literal", "keep", hb, "[#hext bypass]\n  s = \"\\1 $1 \\\\\";\n[/#hext bypass]\n",
        "  s = \"\\1 $1 \\\\\";\n\n");
    row("< and digits", "remove", "sysclock < 168", "[#sysclock < 168]\nx;\n[/#sysclock < 168]\nz;\n",
        "z;\n");
    auto unmatched = [&row](const char *name, const char *block, const char *text) {
        row(name, "remove", block, text, text);
    };
    unmatched("similar name", "sysclock < 168", "[#sysclock >= 168]\nx;\n[/#sysclock >= 168]\n");
    unmatched("closing marker misspelled", "pll sysclock", "[#pll sysclock]\nx;\n[/#pll sysclok]\n");
    unmatched("empty body", "pll sysclock", "[#pll sysclock]\n[/#pll sysclock]\n");
    unmatched("trailing blank after a marker", "pll sysclock", "[#pll sysclock] \nx;\n[/#pll sysclock]\n");
    unmatched("name is not a pattern", "pll sysclock", "[#pll sysclockX]\nx;\n[/#pll sysclockX]\n");

    const QString div8 = "crm_ahb_div_set(CRM_AHB_DIV_8);\n";
    row("with semicolon", "rewrite", "", "  crm_ahb_div_set(CRM_AHB_DIV_2);\n", "  " + div8);
    row("semicolon added", "rewrite", "", "  crm_ahb_div_set(CRM_AHB_DIV_2)\n", "  " + div8);
    row("every occurrence", "rewrite", "", "crm_ahb_div_set(A);\ncrm_ahb_div_set( B);\n", div8 + div8);
    row("two arguments do not match", "rewrite", "", "crm_ahb_div_set(A, B);\n", "crm_ahb_div_set(A, B);\n");
    row("last only, earlier ones stay", "rewriteLast", "", "crm_ahb_div_set(A);\nx;\ncrm_ahb_div_set(B)\n",
        "crm_ahb_div_set(A);\nx;\n" + div8);
}

void TestMarkers::edits()
{
    QFETCH(QString, op);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    if (op == "classic") {
        const QRegularExpression re = Markers::classic(name);
        QVERIFY2(re.isValid(), qPrintable(re.errorString()));
        QCOMPARE(re.match(text).captured(0), expected);
        return;
    }
    const bool found = expected != text;
    if (op.startsWith("rewrite")) {
        const auto rewrite = op == "rewrite" ? Markers::rewriteCall : Markers::rewriteLastCall;
        QCOMPARE(rewrite(text, "crm_ahb_div_set\\((\\s*\\w+)\\);{,1}", "crm_ahb_div_set", {"CRM_AHB_DIV_8"}),
                 found);
    } else {
        QCOMPARE(Markers::find(text, name), found);
        QCOMPARE(op == "remove" ? Markers::remove(text, name)
                                : Markers::decide(text, name, true, op == "tight"),
                 found);
    }
    QCOMPARE(text, expected);
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

    // The loose form leaves one empty line after the new body, as keep does.
    QString loose = "a;\n[#rtc lext]\n  old();\n[/#rtc lext]\n\n\nend;\n";
    QVERIFY(Markers::replaceBody(loose, "rtc lext", "  new();\n"));
    QCOMPARE(loose, QString("a;\n  new();\n\nend;\n"));
}

// Every table falls back to its default row; the thresholds sit exactly on
// their boundaries.
void TestMarkers::tables()
{
    using namespace NameTables;
    QCOMPARE((QStringList{ahbDiv(32), apb1Div(3), apb2Div(0), adcDiv(7), pllFr(3), usbDiv(1.5), usbDiv(7.5),
                          clkoutSource(10), clkout1Source(-1), clkout2Source(8), clkoutDiv(32), clkoutDiv1(6),
                          clkoutDiv2(3), ertcHextDiv(32), i2c1Source(3), usartSource(4)}),
             (QStringList{"CRM_AHB_DIV_1", "CRM_APB1_DIV_1", "CRM_APB2_DIV_1", "CRM_ADC_DIV_2",
                          "CRM_PLL_FR_1", "CRM_USB_DIV_1_5", "CRM_USB_DIV_1", "CRM_CLKOUT_NOCLK",
                          "CRM_CLKOUT1_HICK", "CRM_CLKOUT2_SCLK", "CRM_CLKOUT_DIV_1", "CRM_CLKOUT_DIV1_1",
                          "CRM_CLKOUT_DIV2_1", "CRM_ERTC_CLOCK_HEXT_DIV_2", "CRM_I2C1_CLOCK_SOURCE_PCLK",
                          "CRM_USART_CLOCK_SOURCE_PCLK"}));
    QCOMPARE(
        (QStringList{ldoVoltage(240.001), ldoVoltage(240.0), ldoVoltage(144.001), ldoVoltage(144.0),
                     flashWaitCycle(32.0), flashWaitCycle(32.001), flashWaitCycle(96.0), flashWaitCycle(96.001),
                     flashClockDivider(240.0), flashClockDivider(288.0), pllRange(72.0), pllRange(72.001)}),
        (QStringList{"PWC_LDO_OUTPUT_1V3", "PWC_LDO_OUTPUT_1V2", "PWC_LDO_OUTPUT_1V1", "PWC_LDO_OUTPUT_1V0",
                     "FLASH_WAIT_CYCLE_0", "FLASH_WAIT_CYCLE_1", "FLASH_WAIT_CYCLE_2", "FLASH_WAIT_CYCLE_3",
                     "FLASH_CLOCK_DIV_2", "FLASH_CLOCK_DIV_3", "CRM_PLL_OUTPUT_RANGE_LE72MHZ",
                     "CRM_PLL_OUTPUT_RANGE_GT72MHZ"}));
    auto pin = [](const PinRow &p) {
        return QStringList({p.portClock, p.pins, p.port, p.pinSource, p.mux}).join(' ');
    };
    QCOMPARE(pin(clkoutPin(3)),
             QString("CRM_GPIOB_PERIPH_CLOCK GPIO_PINS_13 GPIOB GPIO_PINS_SOURCE13 GPIO_MUX_3"));
    QCOMPARE(pin(clkoutPin(4)),
             QString("CRM_GPIOA_PERIPH_CLOCK GPIO_PINS_0 GPIOA GPIO_PINS_SOURCE0 GPIO_MUX_0"));
    QCOMPARE(pin(clkout1Pin(3)), pin(clkoutPin(4)));
}

QTEST_GUILESS_MAIN(TestMarkers)
#include "tst_markers.moc"

#include "ClockConfig.h"
#include "Generator.h"
#include "Markers.h"
#include "RecordFields.h"
#include "ScriptedDialogs.h"
#include "SeriesTable.h"
#include "TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

class TestGenerator : public QObject {
    Q_OBJECT

private slots:
    void markers_data();
    void markers();
    void liftedBodyEditedBeforeParent();
    void edits_data();
    void edits();
    void runs_data();
    void runs();
    void failures();
};

namespace {

QString resourceText(const QString &name)
{
    QFile f(":/image/" + name);
    return f.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(f.readAll()) : QString();
}

// A folder with inc and src to generate into, conflicts asked through the dialog seam.
bool generateIn(const QTemporaryDir &dir, const ClockConfig &c, const QString &stem, QString *error = nullptr)
{
    const auto ask = [](const QString &name) {
        const OverwriteReply r = DialogService::instance().askOverwrite(name);
        return Codegen::ConflictAnswer{r.replace, r.replaceAll};
    };
    if (!QDir(dir.path()).mkpath("inc") || !QDir(dir.path()).mkpath("src"))
        return false;
    const Codegen::Result result = Codegen::generate(c, dir.filePath("inc"), dir.filePath("src"), stem, ask);
    if (error)
        *error = result.error;
    return result.done();
}

const QString kPll = "sclkSource=1 usbDisabled=1 pllMult=18 pllMs=1 pllNs=72 pllFr=2 hextDivValue=3 ";

} // namespace

// The pattern syntax, keep, tight keep and remove on a block (a block that
// does not match is neither found nor edited), and the call rewrites.
void TestGenerator::markers_data()
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

void TestGenerator::markers()
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

void TestGenerator::liftedBodyEditedBeforeParent()
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

// Rendered texts from the shipped templates, and templates with one fault
// given to the edit sequence directly.
void TestGenerator::edits_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("file");  // clock, main or conf
    QTest::addColumn<QString>("patch"); // "from=>to" on the template; empty: the shipped one
    // Texts split by "|", found in this order; "!" before a text that must be
    // absent. With a patch: the failed step, empty when the edit succeeds.
    QTest::addColumn<QString>("expect");
    auto row = [](const char *name, int series, const QString &setup, const char *file,
                  const QString &expect) {
        QTest::newRow(name) << series << setup << QString(file) << QString() << expect;
    };
    auto broken = [](const char *name, const char *file, const char *patch, const QString &setup,
                     const char *step) {
        QTest::newRow(name) << 4 << setup << QString(file) << QString(patch) << QString(step);
    };
    const QString define = "\n#define HEXT_VALUE               ((uint32_t)%1)\n";
    row("HEXT 12 MHz", 4, kPll + "hextMHz=12", "conf", define.arg(12000000));
    row("HEXT rounded up to the hertz", 16, kPll + "hextMHz=12.3456789", "conf", define.arg(12345679));
    row("HEXT rounded down to the hertz", 16, kPll + "hextMHz=12.3456784", "conf", define.arg(12345678));
    row("usbDiv off the table", 13, kPll + "usbDisabled=0 usbDiv=1.25", "clock",
        "  crm_usb_clock_div_set(CRM_USB_DIV_1);\n");
    row("USB from the PLL / 6", 13, kPll + "usbDisabled=0 usbDiv=6", "clock",
        "  crm_usb_clock_div_set(CRM_USB_DIV_6);\n|!CRM_USB_CLOCK_SOURCE_HICK");
    row("auto step at 108 MHz", 13, "sclkSource=0 usbDisabled=1 hextMHz=108", "clock", "!crm_auto_step_mode");
    row("auto step above 108 MHz", 13, "sclkSource=0 usbDisabled=1 hextMHz=108.001", "clock",
        "crm_auto_step_mode_enable(TRUE);|crm_auto_step_mode_enable(FALSE);");

    const QString nsMsFr = "crm_pll_config(CRM_PLL_SOURCE_HEXT, 72, 1, CRM_PLL_FR_2);";
    const QString range = "crm_pll_config(CRM_PLL_SOURCE_%1, CRM_PLL_MULT_18, CRM_PLL_OUTPUT_RANGE_%2);";
    row("C330 ns/ms/fr", 13, kPll, "clock", nsMsFr + "|!crm_hext_clock_div_set|!CRM_CLOCK_SOURCE_HICK");
    row("C310 multiplier and range", 4, kPll + "pllFlexible=0", "clock",
        range.arg("HEXT", "GT72MHZ") + "|!crm_hext_clock_div_set");
    row("C300A divided HEXT", 7, kPll + "pllFlexible=0 hextDivEnabled=1", "clock",
        "  crm_hext_clock_div_set(CRM_HEXT_DIV_3);\n\n  " + range.arg("HEXT_DIV", "LE72MHZ"));
    row("C300A from HICK has no divider", 7, kPll + "pllFlexible=0 hextDivEnabled=1 pllSourceHick=1", "clock",
        range.arg("HICK", "LE72MHZ") + "|!crm_hext_clock_div_set|!CRM_CLOCK_SOURCE_HEXT");
    row("C325 flexible", 15, kPll + "pllFlexible=1", "clock",
        "crm_pll_config2(CRM_PLL_SOURCE_HEXT, 72, 1, CRM_PLL_FR_2);|!crm_pll_config(");

    const QString start = "  system_clock_config();\n";
    const QString loop = "  while(1)\n";
    row("C310 init calls move up", 4, kPll, "main",
        start + loop + "|!mx_rtc_clock_init|!mx_adc_clock_init|!mx_clkout");
    row("C310 ADC divider", 4, kPll + "adcEnabled=1 adcDiv=6", "main",
        "crm_adc_clock_div_set(CRM_ADC_DIV_6);");
    row("C310 ADC kept", 4, kPll + "adcEnabled=1", "main",
        "void mx_adc_clock_init(void)|" + start + "  mx_adc_clock_init();\n" + loop + "|!mx_rtc_clock_init");

    const QString usart = "crm_usart%1_clock_source_set(CRM_USART_CLOCK_SOURCE_%2);";
    const QString lextOn = "crm_clock_source_enable(CRM_CLOCK_SOURCE_LEXT, TRUE);";
    const QString lickOn = "crm_clock_source_enable(CRM_CLOCK_SOURCE_LICK, TRUE);";
    row("E020 usart on PCLK and SCLK", 16, kPll + "usart1Source=0 usart2Source=1 i2c1Source=2 lextBypass=1",
        "main",
        "crm_i2c1_clock_source_set(CRM_I2C1_CLOCK_SOURCE_HICK48);|" + usart.arg(1).arg("PCLK") + "|" +
            usart.arg(2).arg("SCLK") + "|!" + lextOn + "|!crm_lext_bypass");
    row("E020 usart2 on LEXT, bypassed", 16, kPll + "usart2Source=3 lextBypass=1", "main",
        "crm_lext_bypass(TRUE);|" + lextOn + "|" + usart.arg(2).arg("LEXT"));

    // A running RTC keeps its time: the domain is reset and the source chosen only to change it.
    const QString kept =
        "  if(crm_ertc_clock_source_get() != CRM_ERTC_CLOCK_%1)\n  {\n"
        "    crm_battery_powered_domain_reset(TRUE);\n    crm_battery_powered_domain_reset(FALSE);\n";
    row("C310 RTC on LICK kept running", 4, kPll + "rtcEnabled=1 rtcSource=0", "main",
        kept.arg("LICK") + "    crm_ertc_clock_select(CRM_ERTC_CLOCK_LICK);\n  }\n|" +
            "crm_clock_source_enable(CRM_CLOCK_SOURCE_LICK, TRUE);|!CRM_ERTC_CLOCK_LEXT");
    row("C310 RTC on LEXT, bypass chosen with the source", 4, kPll + "rtcEnabled=1 rtcSource=1 lextBypass=1",
        "main",
        kept.arg("LEXT") +
            "    crm_lext_bypass(TRUE);\n\n    crm_ertc_clock_select(CRM_ERTC_CLOCK_LEXT);\n  }\n");
    row("C330 RTC on HEXT / 12 kept running", 13, kPll + "rtcEnabled=1 rtcSource=2 rtcHextDiv=12", "main",
        kept.arg("HEXT_DIV_12") + "    crm_ertc_clock_select(CRM_ERTC_CLOCK_HEXT_DIV_12);\n  }\n");
    // The oscillator a clock output takes is started where nothing else starts it.
    row("C310 LICK output starts LICK", 4, kPll + "clkoutPin=1 clkoutSource=1", "main",
        "void mx_clkout_init(void)|" + lickOn + "|crm_clock_out_set(CRM_CLKOUT_LICK);|!" + lextOn);
    row("C330 LEXT on output 2, bypassed", 13, kPll + "clkout2Pin=1 clkout2Source=7 lextBypass=1", "main",
        "void mx_clkout2_init(void)|  if(crm_flag_get(CRM_LEXT_STABLE_FLAG) != SET)\n  {\n    "
        "crm_lext_bypass(TRUE);\n\n    " +
            lextOn + "|crm_clock_out2_set(CRM_CLKOUT2_LEXT);|!" + lickOn);
    row("C310 LEXT output restarted after the RTC on LICK", 4,
        kPll + "clkoutPin=1 clkoutSource=2 rtcEnabled=1 rtcSource=0", "main",
        "crm_clock_out_set(CRM_CLKOUT_LEXT);|crm_battery_powered_domain_reset(FALSE);|" + lextOn +
            "|crm_ertc_clock_enable(TRUE);");
    row("C315 LEXT output with the RTC on LEXT", 5,
        kPll + "clkoutPin=1 clkoutSource=2 rtcEnabled=1 rtcSource=1", "main",
        "crm_clock_out_set(CRM_CLKOUT_LEXT);|crm_ertc_clock_select(CRM_ERTC_CLOCK_LEXT);|" + lextOn +
            "|crm_ertc_clock_enable(TRUE);");

    const QString ahb = "crm_ahb_div_set(CRM_AHB_DIV_%1);";
    row("C300 160 MHz: one AHB call", 2, kPll + "pllFlexible=0 pllMult=20 ahbDiv=8", "clock",
        "!" + ahb.arg(4) + "|!" + ahb.arg(2) + "|" + ahb.arg(8));
    row("C300 168 MHz: the stepped AHB calls stay", 2, kPll + "pllFlexible=0 pllMult=21 ahbDiv=8", "clock",
        ahb.arg(4) + "|" + ahb.arg(2) + "|" + ahb.arg(8));
    row("C330 both clock outputs", 13,
        kPll + "rtcEnabled=1 clkout1Pin=2 clkout1Source=3 clkout1Div1=4 clkout1Div2=16 clkout2Pin=1 "
               "clkout2Source=5 clkout2Div1=5 clkout2Div2=512",
        "main",
        "gpio_pin_mux_config(GPIOE, GPIO_PINS_SOURCE4, GPIO_MUX_0);|crm_clock_out1_set(CRM_CLKOUT1_PLL);|"
        "crm_clkout_div_set(CRM_CLKOUT_INDEX_1, CRM_CLKOUT_DIV1_4, CRM_CLKOUT_DIV2_16);|"
        "crm_clock_out2_set(CRM_CLKOUT2_ADCCLK);|"
        "crm_clkout_div_set(CRM_CLKOUT_INDEX_2, CRM_CLKOUT_DIV1_5, CRM_CLKOUT_DIV2_512);|"
        "  mx_clkout1_init();\n  mx_clkout2_init();\n  mx_rtc_clock_init();\n  while(1)");

    // The summary comment: its derivation, the frequencies in hertz (HEXT to
    // the hertz, bus clocks to the kilohertz) and the lines each tree has.
    const auto sum = [](const char *name, const QString &value) -> QString {
        return QString("  *         - %1= %2\n").arg(QLatin1String(name), -20).arg(value);
    };
    const auto derivation = [&sum](const char *how, const char *source) -> QString {
        return sum("system clock", how) + sum("system clock source", source);
    };
    row("summary of the C330 example", 13,
        "sclkSource=1 pllMs=1 pllNs=72 pllFr=2 apb1Div=2 apb2Div=2 usbDisabled=1", "clock",
        "/**\n  * @brief  system clock config program\n  * @note   the system clock is configured as "
        "follow:\n" +
            derivation("(hext * pll_ns)/(pll_ms * pll_fr)", "pll (hext)") + sum("hext", "8000000") +
            sum("sclk", "288000000") + sum("ahbdiv", "1") + sum("ahbclk", "288000000") + sum("apb1div", "2") +
            sum("apb1clk", "144000000") + sum("apb2div", "2") + sum("apb2clk", "144000000") +
            sum("pll_ns", "72") + sum("pll_ms", "1") + sum("pll_fr", "2") +
            "  * @param  none\n  * @retval none\n  */\nvoid system_clock_config(void)\n");
    row("summary of a fractional kilohertz sclk", 5,
        kPll + "pllFlexible=0 pllMult=50 hextMHz=2.6666666666666665", "clock",
        derivation("hext * pll_mult", "pll (hext)") + sum("hext", "2666667") + sum("sclk", "133333000"));
    row("summary: no unit lost to binary rounding", 16, "sclkSource=0 hextMHz=8.000001", "clock",
        derivation("(hext)", "hext") + sum("hext", "8000001") + sum("sclk", "8000000"));
    row("summary: kilohertz kept exactly", 16, "sclkSource=0 hextMHz=4.004", "clock",
        sum("hext", "4004000") + sum("sclk", "4004000"));
    row("summary of HICK 48 without hext and PLL", 13, "sclkSource=2 hickSclk48=1 usbDisabled=1", "clock",
        derivation("(hick 48)", "hick") + sum("sclk", "48000000") + "|!- hext|!- pll_");
    row("summary of C330 PLL from HICK", 13, kPll + "pllSourceHick=1", "clock",
        derivation("(hick / 6 * pll_ns)/(pll_ms * pll_fr)", "pll (hick)"));
    row("summary of C300 PLL from HICK", 2, kPll + "pllSourceHick=1 pllFlexible=0", "clock",
        derivation("hick / 2 * pll_mult", "pll (hick)") + "|" +
            sum("pll_range", "LE72MHZ (less than 72 mhz or equal to 72 mhz)"));
    row("summary of C310 PLL from HICK", 4, kPll + "pllSourceHick=1 pllFlexible=0", "clock",
        sum("system clock", "hick / 12 * pll_mult"));
    row("summary of C300A divided HEXT", 7, kPll + "pllFlexible=0 hextDivEnabled=1", "clock",
        sum("system clock", "hext / 3 * pll_mult"));

    const QString base = "pllFlexible=0 adcEnabled=1 clkoutPin=1 " + kPll + "sclkSource=";
    broken("pll closing marker misspelled", "clock", "[/#enable pll]=>[/#enable  pll]", base + "2",
           "enable pll");
    broken("apb1 call missing", "clock", "crm_apb1_div_set(=>crm_apbx_div_set(", base + "1", "APB1");
    broken("no summary fence", "clock", "@brief  system clock=>@brief system clock", base + "1", "summary");
    broken("unused block missing", "clock", "[#hick48]=>[#hick 48]", base + "0", "");
    broken("used block missing", "clock", "[#hick48]=>[#hick 48]", base + "2", "hick sysclock");
    broken("adc init call missing", "main", "mx_adc_clock_init();=>", base + "1", "init-call removal");
    broken("define not 8 MHz", "conf", "((uint32_t)8000000)=>((uint32_t)12000000)", base + "1", "HEXT_VALUE");
}

void TestGenerator::edits()
{
    QFETCH(int, series);
    QFETCH(QString, setup);
    QFETCH(QString, file);
    QFETCH(QString, patch);
    QFETCH(QString, expect);
    TF_RECORD(c, series, setup);
    c.recompute();
    const QString stem = SeriesTable::byId(series)->templateStem();
    const int k = QStringList{"clock", "main", "conf"}.indexOf(file);
    const QString templateName = stem + QStringList{"_clock.c", "_main.c", "_conf.h"}.at(k);
    if (!patch.isEmpty()) {
        QString text = resourceText(templateName);
        QVERIFY(text.contains(patch.section("=>", 0, 0)));
        text.replace(patch.section("=>", 0, 0), patch.section("=>", 1));
        QString failed;
        const auto edit =
            QVector<decltype(&Codegen::editClockSource)>{Codegen::editClockSource, Codegen::editMainSource,
                                                         Codegen::editConfHeader}
                .at(k);
        QCOMPARE(edit(text, c, &failed), expect.isEmpty());
        QCOMPARE(failed, expect);
        return;
    }
    Codegen::Files files;
    QString error;
    QVERIFY2(Codegen::render(c, stem, &files, &error), qPrintable(error));
    const QString text = QStringList{files.clockSource, files.mainSource, files.confHeader}.at(k);
    int from = 0;
    for (const QString &item : expect.split('|')) {
        if (item.startsWith('!')) {
            QVERIFY2(!text.contains(item.mid(1)), qPrintable(item));
            continue;
        }
        from = text.indexOf(item, from);
        QVERIFY2(from >= 0, qPrintable(item + "\n---\n" + text));
        from += item.size();
    }
    QVERIFY(files.clockSource.count("crm_pll_config") <= 1);
    if (file == "conf") {
        // Nothing else of the header changes.
        QString expected = resourceText(templateName);
        expected.replace("\n#define HEXT_VALUE               ((uint32_t)8000000)\n", expect);
        QCOMPARE(text, expected);
    }
}

void TestGenerator::runs_data()
{
    QTest::addColumn<bool>("existing");        // the four files are there from an earlier run
    QTest::addColumn<QVector<int>>("answers"); // 0 cancel, 1 yes, 2 yes with the box ticked
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("written"); // files of the writing order that are new
    QTest::addColumn<int>("locked");  // a file that cannot be replaced; -1: none
    QTest::newRow("first run asks nothing") << false << QVector<int>{} << 0 << 4 << -1;
    QTest::newRow("yes with the box: asked once") << true << QVector<int>{2} << 1 << 4 << -1;
    QTest::newRow("yes without the box: asked each time") << true << QVector<int>{1, 1, 1, 1} << 4 << 4 << -1;
    QTest::newRow("cancel on main.c") << true << QVector<int>{1, 1, 0} << 3 << 2 << -1;
    // All or none: the two files already replaced get their old contents back.
    QTest::newRow("main.c cannot be replaced") << true << QVector<int>{2} << 1 << 0 << 2;
}

void TestGenerator::runs()
{
    QFETCH(bool, existing);
    QFETCH(QVector<int>, answers);
    QFETCH(int, asked);
    QFETCH(int, written);
    QFETCH(int, locked);
    QTemporaryDir dir;
    const QStringList paths = {"src/qxc310_clock.c", "inc/qxc310_clock.h", "src/main.c", "inc/qxc310_conf.h"};
    for (const QString &p : paths)
        QVERIFY(!existing ||
                (QDir(dir.path()).mkpath(p.left(3)) && !writeFile(dir.filePath(p), "old\n").isNull()));
    const auto unlock = qScopeGuard([&] {
        if (locked >= 0)
            setReadOnly(dir.filePath(paths.at(locked)), false);
    });
    if (locked >= 0 && (::geteuid() != 0 || !setReadOnly(dir.filePath(paths.at(locked)), true)))
        QSKIP("only root can make a file that cannot be replaced");
    ScriptedDialogs dialogs;
    for (int a : answers)
        dialogs.answerOverwrite(a != 0, a == 2);
    TF_RECORD(c, 4, kPll + "pllFlexible=0 sclkMHz=100 apb1Div=16"); // derived values stale: recomputed
    QCOMPARE(generateIn(dir, c, "qxc310"), written == 4);
    QCOMPARE(dialogs.requests.size(), asked);
    QCOMPARE(dialogs.texts(ScriptedDialogs::Kind::Overwrite),
             QStringList({"qxc310_clock.c", "qxc310_clock.h", "main.c", "qxc310_conf.h"}).mid(0, asked));
    Codegen::Files files;
    c.recompute();
    QVERIFY(Codegen::render(c, "qxc310", &files));
    const QStringList texts = {files.clockSource, files.clockHeader, files.mainSource, files.confHeader};
    for (int i = 0; i < paths.size(); ++i) {
        QFile f(dir.filePath(paths[i]));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), i < written ? texts[i].toUtf8() : QByteArray("old\n"));
    }
    // No temporary file is left behind.
    QCOMPARE(QDir(dir.filePath("src")).entryList(QDir::Files) +
                 QDir(dir.filePath("inc")).entryList(QDir::Files),
             QStringList({"main.c", "qxc310_clock.c", "qxc310_clock.h", "qxc310_conf.h"}));
}

// All four texts are produced before any is written; a failed write is
// reported with the file's name and leaves the rest unwritten.
void TestGenerator::failures()
{
    ScriptedDialogs dialogs;
    QString error;
    // Missing templates, an unknown series, and records that break a rule of
    // the chip, their derived values recomputed rather than trusted.
    const struct {
        int series;
        const char *stem;
        QString fields, error;
    } refused[] = {{13, "qxc999", "", "qxc999_clock.c"},
                   {3, "qxc330_335", "", ""},
                   {13, "qxc330_335", kPll + "hextMHz=30", "hext input error!"},
                   {13, "qxc330_335", kPll + "pllNs=75 sclkMHz=200 pllMHz=200",
                    "Can not support sclk greater than 288MHz"}};
    for (const auto &r : refused) {
        QTemporaryDir dir;
        TF_RECORD(c, r.series, r.fields);
        QVERIFY2(!generateIn(dir, c, r.stem, &error) && error.contains(r.error) && !error.isEmpty(),
                 qPrintable(error));
        QVERIFY(QDir(dir.filePath("inc")).isEmpty() && QDir(dir.filePath("src")).isEmpty());
    }
    QCOMPARE(dialogs.requests.size(), 0);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("src/main.c")); // a folder where main.c goes
    TF_RECORD(c, 4, kPll + "pllFlexible=0");
    c.recompute();
    QVERIFY(!generateIn(dir, c, "qxc310", &error) && error.contains("main.c"));
    QVERIFY(QFileInfo::exists(dir.filePath("src/qxc310_clock.c")));
    QVERIFY(!QFileInfo::exists(dir.filePath("inc/qxc310_conf.h")));
    QCOMPARE(Codegen::generate(c, dir.filePath("inc"), dir.filePath("missing"), "qxc310", {}).status,
             Codegen::Status::WriteFailed);
}

QTEST_MAIN(TestGenerator)
#include "tst_generator.moc"

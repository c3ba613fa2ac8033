#include "ClockConfig.h"
#include "Generator.h"
#include "Records.h"
#include "ScriptedDialogs.h"
#include "SeriesTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The edit sequences on the shipped templates and the generation driver with
// its overwrite questions.
class TestGenerator : public QObject {
    Q_OBJECT

private slots:
    void ahbLastOccurrence_data();
    void ahbLastOccurrence();
    void hextDefine_data();
    void hextDefine();
    void usbDividerOffTable();
    void autoStepBoundary_data();
    void autoStepBoundary();
    void initCallsMoveUp_data();
    void initCallsMoveUp();
    void pllCallForms_data();
    void pllCallForms();
    void brokenTemplate_data();
    void brokenTemplate();
    void rtcSourceWithoutBypassChildStaysUnedited();
    void dualClockOutputs();
    void e020Functions_data();
    void e020Functions();
    void firstRunWritesFourFiles();
    void secondRun_data();
    void secondRun();
    void failedRenderWritesNothing_data();
    void failedRenderWritesNothing();
    void failedWriteIsReported();
    void templateFiles_data();
    void templateFiles();
};

static Codegen::Files rendered(const ClockConfig &c)
{
    Codegen::Files files;
    QString error;
    const QString stem = SeriesTable::byId(c.seriesId)->templateStem();
    if (!Codegen::render(c, stem, &files, &error))
        qWarning("render failed: %s", qPrintable(error));
    return files;
}

static QString resourceText(const QString &name)
{
    QFile f(":/image/" + name);
    return f.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(f.readAll()) : QString();
}

static QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void TestGenerator::ahbLastOccurrence_data()
{
    QTest::addColumn<int>("mult");
    QTest::addColumn<int>("ahbCalls");
    QTest::newRow("160 MHz: one AHB call") << 20 << 1;
    QTest::newRow("168 MHz: stepped calls stay") << 21 << 3;
    QTest::newRow("192 MHz: stepped calls stay") << 24 << 3;
}

void TestGenerator::ahbLastOccurrence()
{
    QFETCH(int, mult);
    QFETCH(int, ahbCalls);
    ClockConfig c = Records::pllDesign(2);
    c.pllMult = mult;
    c.ahbDiv = 8;
    c.recompute();
    const QString clock = rendered(c).clockSource;
    QCOMPARE(clock.count("crm_ahb_div_set("), ahbCalls);
    const int last = clock.lastIndexOf("crm_ahb_div_set(");
    QCOMPARE(clock.mid(last, 32), QString("crm_ahb_div_set(CRM_AHB_DIV_8);\n"));
    if (ahbCalls == 3) {
        QVERIFY(clock.contains("crm_ahb_div_set(CRM_AHB_DIV_4);"));
        QVERIFY(clock.contains("crm_ahb_div_set(CRM_AHB_DIV_2);"));
        QVERIFY(clock.indexOf("CRM_AHB_DIV_4") < clock.indexOf("CRM_AHB_DIV_2"));
    }
    QVERIFY(!clock.contains("[#"));
}

void TestGenerator::hextDefine_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<double>("hext");
    QTest::addColumn<QString>("value");
    QTest::newRow("8 MHz") << 13 << 8.0 << "((uint32_t)8000000)";
    QTest::newRow("12 MHz") << 4 << 12.0 << "((uint32_t)12000000)";
    QTest::newRow("seven decimals") << 16 << 12.3456789 << "((uint32_t)12345679)";
    QTest::newRow("one hertz above 8 MHz") << 2 << 8.000001 << "((uint32_t)8000001)";
}

void TestGenerator::hextDefine()
{
    QFETCH(int, series);
    QFETCH(double, hext);
    QFETCH(QString, value);
    ClockConfig c = Records::pllDesign(series);
    c.hextMHz = hext;
    c.recompute();
    const QString conf = rendered(c).confHeader;
    QVERIFY(conf.contains("\n#define HEXT_VALUE               " + value + "\n"));
    // Nothing else of the header changes.
    QString expected = resourceText(SeriesTable::byId(series)->templateStem() + "_conf.h");
    expected.replace("#define HEXT_VALUE               ((uint32_t)8000000)",
                     "#define HEXT_VALUE               " + value);
    QCOMPARE(conf, expected);
}

void TestGenerator::usbDividerOffTable()
{
    ClockConfig c = Records::pllDesign(13);
    c.usbDisabled = 0;
    c.usbSourceHick48 = 0;
    c.recompute();
    c.usbDiv = 1.25;
    QVERIFY(rendered(c).clockSource.contains("  crm_usb_clock_div_set(CRM_USB_DIV_1);\n"));
    c.usbDiv = 6.0;
    QVERIFY(rendered(c).clockSource.contains("  crm_usb_clock_div_set(CRM_USB_DIV_6);\n"));
}

void TestGenerator::autoStepBoundary_data()
{
    QTest::addColumn<double>("sclk");
    QTest::addColumn<bool>("stepped");
    QTest::newRow("108 MHz") << 108.0 << false;
    QTest::newRow("108.001 MHz") << 108.001 << true;
}

void TestGenerator::autoStepBoundary()
{
    QFETCH(double, sclk);
    QFETCH(bool, stepped);
    ClockConfig c(13);
    c.sclkSource = ClockConfig::SclkHext;
    c.hextMHz = sclk;
    c.usbDisabled = 1;
    c.recompute();
    const QString clock = rendered(c).clockSource;
    QCOMPARE(clock.contains("crm_auto_step_mode_enable(TRUE);"), stepped);
    QCOMPARE(clock.contains("crm_auto_step_mode_enable(FALSE);"), stepped);
    QVERIFY(!clock.contains("[#"));
}

void TestGenerator::initCallsMoveUp_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<bool>("rtc");
    QTest::addColumn<bool>("adc");
    QTest::addColumn<QString>("calls");
    QTest::newRow("C310 none") << 4 << false << false << "  system_clock_config();\n  while(1)\n";
    QTest::newRow("C310 rtc") << 4 << true << false
                              << "  system_clock_config();\n  mx_rtc_clock_init();\n  while(1)\n";
    QTest::newRow("C310 adc") << 4 << false << true
                              << "  system_clock_config();\n  mx_adc_clock_init();\n  while(1)\n";
    QTest::newRow("C330 none") << 13 << false << false << "  system_clock_config();\n  while(1)\n";
    QTest::newRow("E020 none keeps i2c and usart")
        << 16 << false << false
        << "  system_clock_config();\n  mx_i2c_clock_init();\n  mx_usart_clock_init();\n  while(1)\n";
}

void TestGenerator::initCallsMoveUp()
{
    QFETCH(int, series);
    QFETCH(bool, rtc);
    QFETCH(bool, adc);
    QFETCH(QString, calls);
    ClockConfig c = Records::pllDesign(series);
    c.rtcEnabled = rtc;
    c.adcEnabled = adc;
    c.recompute();
    const QString main = rendered(c).mainSource;
    QVERIFY2(main.contains(calls), qPrintable(main));
    QCOMPARE(main.contains("void mx_rtc_clock_init(void)"), rtc);
    QCOMPARE(main.contains("void mx_adc_clock_init(void)"), adc);
    QVERIFY(!main.contains("mx_clkout"));
}

void TestGenerator::pllCallForms_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("flexible");
    QTest::addColumn<int>("pllSourceHick");
    QTest::addColumn<int>("hextDiv");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("absent");
    QTest::newRow("C330 ns/ms/fr") << 13 << 1 << 0 << 0
                                   << "crm_pll_config(CRM_PLL_SOURCE_HEXT, 72, 1, CRM_PLL_FR_2);"
                                   << "crm_hext_clock_div_set";
    QTest::newRow("C330 from hick") << 13 << 1 << 1 << 0
                                    << "crm_pll_config(CRM_PLL_SOURCE_HICK, 72, 1, CRM_PLL_FR_2);"
                                    << "CRM_CLOCK_SOURCE_HEXT";
    QTest::newRow("C310 multiplier and range")
        << 4 << 0 << 0 << 0
        << "crm_pll_config(CRM_PLL_SOURCE_HEXT, CRM_PLL_MULT_18, CRM_PLL_OUTPUT_RANGE_GT72MHZ);"
        << "crm_hext_clock_div_set";
    QTest::newRow("C310 multiplier, mode field left flexible")
        << 4 << 1 << 0 << 0
        << "crm_pll_config(CRM_PLL_SOURCE_HEXT, CRM_PLL_MULT_18, CRM_PLL_OUTPUT_RANGE_GT72MHZ);"
        << "crm_hext_clock_div_set";
    QTest::newRow("C330 ns/ms/fr, mode field left normal")
        << 13 << 0 << 0 << 0 << "crm_pll_config(CRM_PLL_SOURCE_HEXT, 72, 1, CRM_PLL_FR_2);"
        << "crm_hext_clock_div_set";
    QTest::newRow("C300A divided hext")
        << 7 << 0 << 0 << 1
        << "  crm_hext_clock_div_set(CRM_HEXT_DIV_3);\n\n  crm_pll_config("
           "CRM_PLL_SOURCE_HEXT_DIV, CRM_PLL_MULT_18, CRM_PLL_OUTPUT_RANGE_LE72MHZ);"
        << "[#";
    QTest::newRow("C300A from hick has no divider")
        << 7 << 0 << 1 << 1
        << "crm_pll_config(CRM_PLL_SOURCE_HICK, CRM_PLL_MULT_18, CRM_PLL_OUTPUT_RANGE_LE72MHZ);"
        << "crm_hext_clock_div_set";
    QTest::newRow("C315 normal") << 5 << 0 << 0 << 0
                                 << "crm_pll_config(CRM_PLL_SOURCE_HEXT, CRM_PLL_MULT_18);"
                                 << "crm_pll_config2";
    QTest::newRow("C325 flexible") << 15 << 1 << 0 << 0
                                   << "crm_pll_config2(CRM_PLL_SOURCE_HEXT, 72, 1, CRM_PLL_FR_2);"
                                   << "crm_pll_config(";
    QTest::newRow("E020 flexible from hick")
        << 16 << 1 << 1 << 0 << "crm_pll_config2(CRM_PLL_SOURCE_HICK, 72, 1, CRM_PLL_FR_2);"
        << "crm_pll_config(";
}

void TestGenerator::pllCallForms()
{
    QFETCH(int, series);
    QFETCH(int, flexible);
    QFETCH(int, pllSourceHick);
    QFETCH(int, hextDiv);
    QFETCH(QString, call);
    QFETCH(QString, absent);
    ClockConfig c(series);
    c.sclkSource = ClockConfig::SclkPll;
    c.usbDisabled = 1;
    c.pllFlexible = flexible;
    c.pllMult = 18;
    c.pllMs = 1;
    c.pllNs = 72;
    c.pllFr = 2;
    c.pllSourceHick = pllSourceHick;
    c.hextDivEnabled = hextDiv;
    c.hextDivValue = 3;
    c.recompute();
    const QString clock = rendered(c).clockSource;
    QVERIFY2(clock.contains(call), qPrintable(clock));
    QVERIFY(!clock.contains(absent));
    QCOMPARE(clock.count("crm_pll_config"), 1);

    // Without a PLL consumer no PLL call is written at all.
    c.sclkSource = ClockConfig::SclkHick;
    c.recompute();
    QVERIFY(!c.pllInUse());
    QVERIFY(!rendered(c).clockSource.contains("crm_pll_config"));
}

void TestGenerator::brokenTemplate_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("sclkSource");
    QTest::addColumn<QString>("failedStep"); // empty: generation still succeeds
    QTest::newRow("closing pll marker misspelled, pll used") << "_clock.c"
                                                             << "[/#enable pll]"
                                                             << "[/#enable  pll]" << 1 << "enable pll";
    QTest::newRow("closing pll marker misspelled, pll unused") << "_clock.c"
                                                               << "[/#enable pll]"
                                                               << "[/#enable  pll]" << 2 << "enable pll";
    QTest::newRow("apb1 call missing") << "_clock.c"
                                       << "crm_apb1_div_set("
                                       << "crm_apbx_div_set(" << 1 << "APB1";
    QTest::newRow("summary fence missing") << "_clock.c"
                                           << "@brief  system clock"
                                           << "@brief system clock" << 1 << "summary";
    QTest::newRow("hick48 missing, hext clock") << "_clock.c"
                                                << "[#hick48]"
                                                << "[#hick 48]" << 0 << "";
    QTest::newRow("hick48 missing, hick clock") << "_clock.c"
                                                << "[#hick48]"
                                                << "[#hick 48]" << 2 << "hick sysclock";
    QTest::newRow("marker with trailing blank") << "_clock.c"
                                                << "[#enable hick]\n"
                                                << "[#enable hick] \n"
                                                << 2 << "enable hick";
    QTest::newRow("adc init call missing") << "_main.c"
                                           << "mx_adc_clock_init();"
                                           << "" << 1 << "init-call removal";
    QTest::newRow("adc call missing") << "_main.c"
                                      << "crm_adc_clock_div_set("
                                      << "crm_adc_clock_div(" << 1 << "adc function";
    QTest::newRow("clock-out source call missing") << "_main.c"
                                                   << "crm_clock_out_set("
                                                   << "crm_clock_out(" << 1 << "clkout function";
    QTest::newRow("conf define written as 12 MHz") << "_conf.h"
                                                   << "((uint32_t)8000000)"
                                                   << "((uint32_t)12000000)" << 1 << "HEXT_VALUE";
}

void TestGenerator::brokenTemplate()
{
    QFETCH(QString, file);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, sclkSource);
    QFETCH(QString, failedStep);
    ClockConfig c = Records::pllDesign(4);
    c.sclkSource = sclkSource;
    c.adcEnabled = true;
    c.clkoutPin = 1;
    c.recompute();
    QString text = resourceText("qxc310" + file);
    QVERIFY(text.contains(from));
    text.replace(from, to);
    QString failed;
    bool ok = false;
    if (file == "_clock.c")
        ok = Codegen::editClockSource(text, c, &failed);
    else if (file == "_main.c")
        ok = Codegen::editMainSource(text, c, &failed);
    else
        ok = Codegen::editConfHeader(text, c, &failed);
    QCOMPARE(ok, failedStep.isEmpty());
    QCOMPARE(failed, failedStep);
}

void TestGenerator::rtcSourceWithoutBypassChildStaysUnedited()
{
    ClockConfig c = Records::pllDesign(4);
    c.rtcEnabled = true;
    c.rtcSource = 1;
    QString text = resourceText("qxc310_main.c");
    text.replace("[#lext bypass]", "[#lext bypas]");
    QVERIFY(Codegen::editMainSource(text, c));
    QVERIFY(text.contains("[#rtc lext]\n"));
    QVERIFY(!text.contains("[#rtc lick]"));
    QVERIFY(!text.contains("[#rtc hext]"));
}

void TestGenerator::dualClockOutputs()
{
    ClockConfig c = Records::pllDesign(13);
    c.clkout1Pin = 2;
    c.clkout1Source = 3;
    c.clkout1Div1 = 4;
    c.clkout1Div2 = 16;
    c.clkout2Pin = 1;
    c.clkout2Source = 5;
    c.clkout2Div1 = 5;
    c.clkout2Div2 = 512;
    c.rtcEnabled = true;
    c.recompute();
    const QString main = rendered(c).mainSource;
    const int out2 = main.indexOf("void mx_clkout2_init(void)");
    QVERIFY(out2 > 0);
    const QString first = main.left(out2);
    const QString second = main.mid(out2);
    for (const char *line :
         {"crm_periph_clock_enable(CRM_GPIOE_PERIPH_CLOCK, TRUE);",
          "gpio_init_struct.gpio_pins = GPIO_PINS_4;", "gpio_init(GPIOE, &gpio_init_struct);",
          "gpio_pin_mux_config(GPIOE, GPIO_PINS_SOURCE4, GPIO_MUX_0);",
          "crm_clock_out1_set(CRM_CLKOUT1_PLL);",
          "crm_clkout_div_set(CRM_CLKOUT_INDEX_1, CRM_CLKOUT_DIV1_4, CRM_CLKOUT_DIV2_16);"})
        QVERIFY2(first.contains(line), line);
    // The second output's pin is fixed: its GPIO lines stay as written.
    for (const char *line :
         {"crm_periph_clock_enable(CRM_GPIOC_PERIPH_CLOCK, TRUE);", "gpio_init(GPIOC, &gpio_init_struct);",
          "crm_clock_out2_set(CRM_CLKOUT2_ADCCLK);",
          "crm_clkout_div_set(CRM_CLKOUT_INDEX_2, CRM_CLKOUT_DIV1_5, CRM_CLKOUT_DIV2_512);",
          "crm_periph_clock_enable(CRM_PWC_PERIPH_CLOCK, TRUE);"})
        QVERIFY2(second.contains(line), line);
    QVERIFY(main.contains("  mx_clkout1_init();\n  mx_clkout2_init();\n  mx_rtc_clock_init();\n  while(1)"));
}

void TestGenerator::e020Functions_data()
{
    QTest::addColumn<int>("usart1");
    QTest::addColumn<int>("usart2");
    QTest::addColumn<bool>("lextBypass");
    QTest::addColumn<bool>("lextStarted");
    QTest::newRow("pclk and sclk") << 0 << 1 << true << false;
    QTest::newRow("usart1 on lext") << 3 << 2 << false << true;
    QTest::newRow("usart2 on lext, bypassed") << 0 << 3 << true << true;
}

void TestGenerator::e020Functions()
{
    QFETCH(int, usart1);
    QFETCH(int, usart2);
    QFETCH(bool, lextBypass);
    QFETCH(bool, lextStarted);
    ClockConfig c = Records::pllDesign(16);
    c.usart1Source = usart1;
    c.usart2Source = usart2;
    c.i2c1Source = 2;
    c.lextBypass = lextBypass;
    c.recompute();
    const QString main = rendered(c).mainSource;
    const QString usart = main.mid(main.indexOf("void mx_usart_clock_init(void)"));
    QVERIFY(main.contains("crm_i2c1_clock_source_set(CRM_I2C1_CLOCK_SOURCE_HICK48);"));
    const char *names[] = {"PCLK", "SCLK", "HICK48", "LEXT"};
    QVERIFY(usart.contains(
        QString("crm_usart1_clock_source_set(CRM_USART_CLOCK_SOURCE_%1);").arg(names[usart1])));
    QVERIFY(usart.contains(
        QString("crm_usart2_clock_source_set(CRM_USART_CLOCK_SOURCE_%1);").arg(names[usart2])));
    QCOMPARE(usart.contains("crm_clock_source_enable(CRM_CLOCK_SOURCE_LEXT, TRUE);"), lextStarted);
    QCOMPARE(usart.contains("crm_lext_bypass(TRUE);"), lextStarted && lextBypass);
    QVERIFY(!main.contains("[#"));
}

void TestGenerator::firstRunWritesFourFiles()
{
    QTemporaryDir dir;
    QDir root(dir.path());
    QVERIFY(root.mkpath("inc") && root.mkpath("src"));
    ScriptedDialogs dialogs;
    const ClockConfig c = Records::pllDesign(13);
    QString error;
    QVERIFY2(Codegen::generate(
                 c, dir.filePath("inc"), dir.filePath("src"), "qxc330_335",
                 [](const QString &name) {
                     const OverwriteReply r = DialogService::instance().askOverwrite(name);
                     return Codegen::ConflictAnswer{r.replace, r.replaceAll};
                 },
                 &error),
             qPrintable(error));
    QCOMPARE(dialogs.requests.size(), 0);
    const Codegen::Files files = rendered(c);
    QCOMPARE(readFile(dir.filePath("src/qxc330_335_clock.c")), files.clockSource.toUtf8());
    QCOMPARE(readFile(dir.filePath("inc/qxc330_335_clock.h")), files.clockHeader.toUtf8());
    QCOMPARE(readFile(dir.filePath("src/main.c")), files.mainSource.toUtf8());
    QCOMPARE(readFile(dir.filePath("inc/qxc330_335_conf.h")), files.confHeader.toUtf8());
    QVERIFY(!readFile(dir.filePath("src/main.c")).contains('\r'));
    QCOMPARE(root.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"inc", "src"}));
    QCOMPARE(QDir(dir.filePath("src")).entryList(QDir::Files), QStringList({"main.c", "qxc330_335_clock.c"}));
}

void TestGenerator::secondRun_data()
{
    QTest::addColumn<QVector<int>>("answers"); // 0 cancel, 1 yes, 2 yes with the box ticked
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("replaced"); // files of the writing order that are new
    const QStringList all = {"qxc310_clock.c", "qxc310_clock.h", "main.c", "qxc310_conf.h"};
    QTest::newRow("yes with the box: asked once")
        << QVector<int>{2} << QStringList(all.mid(0, 1)) << true << 4;
    QTest::newRow("yes without the box: asked each time") << QVector<int>{1, 1, 1, 1} << all << true << 4;
    QTest::newRow("yes, then the box on the second")
        << QVector<int>{1, 2} << QStringList(all.mid(0, 2)) << true << 4;
    QTest::newRow("cancel on main.c") << QVector<int>{1, 1, 0} << QStringList(all.mid(0, 3)) << false << 2;
    QTest::newRow("cancel on the first") << QVector<int>{0} << QStringList(all.mid(0, 1)) << false << 0;
    QTest::newRow("unanswered counts as cancel")
        << QVector<int>{} << QStringList(all.mid(0, 1)) << false << 0;
}

void TestGenerator::secondRun()
{
    QFETCH(QVector<int>, answers);
    QFETCH(QStringList, asked);
    QFETCH(bool, result);
    QFETCH(int, replaced);
    QTemporaryDir dir;
    QDir root(dir.path());
    QVERIFY(root.mkpath("inc") && root.mkpath("src"));
    const QStringList paths = {"src/qxc310_clock.c", "inc/qxc310_clock.h", "src/main.c", "inc/qxc310_conf.h"};
    for (const QString &p : paths) {
        QFile f(dir.filePath(p));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("old\n") == 4);
    }
    ScriptedDialogs dialogs;
    for (int a : answers)
        dialogs.answerOverwrite(a != 0, a == 2);
    const ClockConfig c = Records::pllDesign(4);
    const bool ok =
        Codegen::generate(c, dir.filePath("inc"), dir.filePath("src"), "qxc310", [](const QString &name) {
            const OverwriteReply r = DialogService::instance().askOverwrite(name);
            return Codegen::ConflictAnswer{r.replace, r.replaceAll};
        });
    QCOMPARE(ok, result);
    QStringList names;
    for (const ScriptedDialogs::Request &r : dialogs.requests) {
        QCOMPARE(r.kind, ScriptedDialogs::Kind::Overwrite);
        names << r.text;
    }
    QCOMPARE(names, asked);
    for (int i = 0; i < paths.size(); ++i)
        QCOMPARE(readFile(dir.filePath(paths[i])) != "old\n", i < replaced);
}

void TestGenerator::failedRenderWritesNothing_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QString>("stem");
    QTest::newRow("unknown stem") << 13 << "qxc999";
    QTest::newRow("stem of another series") << 13 << "qxc300";
    QTest::newRow("unknown series") << 3 << "qxc330_335";
}

void TestGenerator::failedRenderWritesNothing()
{
    QFETCH(int, series);
    QFETCH(QString, stem);
    QTemporaryDir dir;
    QDir root(dir.path());
    QVERIFY(root.mkpath("inc") && root.mkpath("src"));
    ClockConfig c(series);
    c.recompute();
    int questions = 0;
    QString error;
    QVERIFY(!Codegen::generate(
        c, dir.filePath("inc"), dir.filePath("src"), stem,
        [&](const QString &) {
            ++questions;
            return Codegen::ConflictAnswer{true, true};
        },
        &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(questions, 0);
    QVERIFY(QDir(dir.filePath("inc")).isEmpty());
    QVERIFY(QDir(dir.filePath("src")).isEmpty());
}

void TestGenerator::failedWriteIsReported()
{
    QTemporaryDir dir;
    QDir root(dir.path());
    QVERIFY(root.mkpath("inc") && root.mkpath("src/main.c")); // a folder where main.c goes
    const ClockConfig c = Records::pllDesign(4);
    QString error;
    QVERIFY(!Codegen::generate(
        c, dir.filePath("inc"), dir.filePath("src"), "qxc310",
        [](const QString &) {
            return Codegen::ConflictAnswer{true, false};
        },
        &error));
    QVERIFY(error.contains("main.c"));
    QVERIFY(QFileInfo(dir.filePath("src/main.c")).isDir());
    QVERIFY(QFileInfo::exists(dir.filePath("src/qxc310_clock.c")));
    QVERIFY(!QFileInfo::exists(dir.filePath("inc/qxc310_conf.h")));
    QVERIFY(!Codegen::generate(c, dir.filePath("inc"), dir.filePath("missing"), "qxc310", {}, &error));
}

void TestGenerator::templateFiles_data()
{
    QTest::addColumn<QString>("name");
    const QStringList stems = {"qxc300", "qxc300a_305", "qxc310", "qxc315", "qxc320",
                               "qxc325", "qxc330_335",  "qxe020", "qxw315"};
    for (const QString &stem : stems) {
        for (const char *suffix : {"_clock.c", "_clock.h", "_main.c", "_conf.h"})
            QTest::newRow(qPrintable(stem + suffix)) << stem + suffix;
    }
}

void TestGenerator::templateFiles()
{
    QFETCH(QString, name);
    QFile f(":/image/" + name);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray raw = f.readAll();
    QVERIFY(!raw.startsWith("\xEF\xBB\xBF"));
    for (char ch : raw)
        QVERIFY2(uchar(ch) < 0x80 && (ch >= ' ' || ch == '\r' || ch == '\n'), "plain ASCII");
    QCOMPARE(raw.count("\r\n"), raw.count('\n'));
    QCOMPARE(raw.count('\r'), raw.count('\n'));

    // Markers stand alone in column 0, each block opened and closed once per
    // file, except the bypass child that both E020 LEXT users carry.
    QMap<QString, int> opened, closed;
    const QRegularExpression marker("^\\[(/?)#([a-z0-9 <>=]+)\\]$");
    for (const QByteArray &line : raw.split('\n')) {
        const QString text = QString::fromLatin1(line).remove('\r');
        if (!text.contains("[#") && !text.contains("[/#"))
            continue;
        const QRegularExpressionMatch m = marker.match(text);
        QVERIFY2(m.hasMatch(), qPrintable(text));
        (m.captured(1).isEmpty() ? opened : closed)[m.captured(2)]++;
    }
    QCOMPARE(opened, closed);
    for (auto it = opened.cbegin(); it != opened.cend(); ++it) {
        const int expected = name == "qxe020_main.c" && it.key() == "lext bypass" ? 2 : 1;
        QVERIFY2(it.value() == expected, qPrintable(it.key()));
    }
    if (name.endsWith("_conf.h"))
        QCOMPARE(raw.count("#define HEXT_VALUE               ((uint32_t)8000000)\r\n"), 1);
    if (name.endsWith("_clock.c")) {
        QCOMPARE(raw.count("* @brief  system clock config program"), 1);
        QCOMPARE(raw.count("* @retval none"), 1);
    }
}

QTEST_MAIN(TestGenerator)
#include "tst_generator.moc"

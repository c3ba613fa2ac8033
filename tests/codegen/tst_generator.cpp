#include "ClockConfig.h"
#include "Generator.h"
#include "RecordFields.h"
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
    void renderedLines_data();
    void renderedLines();
    void brokenTemplate_data();
    void brokenTemplate();
    void rtcSourceWithoutBypassChildStaysUnedited();
    void runs_data();
    void runs();
    void failedRenderWritesNothing_data();
    void failedRenderWritesNothing();
    void failedWriteIsReported();
    void templateFiles_data();
    void templateFiles();
};

namespace {

Codegen::Files rendered(const ClockConfig &c)
{
    Codegen::Files files;
    QString error;
    if (!Codegen::render(c, SeriesTable::byId(c.seriesId)->templateStem(), &files, &error))
        qWarning("render failed: %s", qPrintable(error));
    return files;
}

QString resourceText(const QString &name)
{
    QFile f(":/image/" + name);
    return f.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(f.readAll()) : QString();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A project folder with inc and src.
struct Project {
    QTemporaryDir dir;
    Project()
    {
        QDir(dir.path()).mkpath("inc");
        QDir(dir.path()).mkpath("src");
    }
    QString path(const QString &relative) const { return dir.filePath(relative); }
    bool generate(const ClockConfig &c, const QString &stem, QString *error = nullptr) const
    {
        return Codegen::generate(
            c, path("inc"), path("src"), stem,
            [](const QString &name) {
                const OverwriteReply r = DialogService::instance().askOverwrite(name);
                return Codegen::ConflictAnswer{r.replace, r.replaceAll};
            },
            error);
    }
};

const QString kPll = "sclkSource=1 usbDisabled=1 pllMult=18 pllMs=1 pllNs=72 pllFr=2 hextDivValue=3 ";

} // namespace

void TestGenerator::renderedLines_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("file"); // clock, main or conf
    // Texts split by "|", found in this order; "!" before a text that must be
    // absent, "=N " before one that occurs N times anywhere.
    QTest::addColumn<QString>("expect");
    auto row = [](const char *name, int series, const QString &setup, const char *file,
                  const QString &expect) {
        QTest::newRow(name) << series << setup << QString(file) << expect;
    };
    const QString define = "\n#define HEXT_VALUE               ((uint32_t)%1)\n";
    row("HEXT 12 MHz", 4, kPll + "hextMHz=12", "conf", define.arg(12000000));
    row("HEXT rounded to six decimals", 16, kPll + "hextMHz=12.3456789", "conf", define.arg(12345679));
    row("HEXT one hertz above 8 MHz", 2, kPll + "pllFlexible=0 hextMHz=8.000001", "conf",
        define.arg(8000001));
    row("usbDiv off the table", 13, kPll + "usbDisabled=0 usbDiv=1.25", "clock",
        "  crm_usb_clock_div_set(CRM_USB_DIV_1);\n");
    row("auto step at 108 MHz", 13, "sclkSource=0 usbDisabled=1 hextMHz=108", "clock", "!crm_auto_step_mode");
    row("auto step above 108 MHz", 13, "sclkSource=0 usbDisabled=1 hextMHz=108.001", "clock",
        "crm_auto_step_mode_enable(TRUE);|crm_auto_step_mode_enable(FALSE);");

    const QString nsMsFr = "crm_pll_config(CRM_PLL_SOURCE_HEXT, 72, 1, CRM_PLL_FR_2);";
    const QString range = "crm_pll_config(CRM_PLL_SOURCE_%1, CRM_PLL_MULT_18, CRM_PLL_OUTPUT_RANGE_%2);";
    row("C330 ns/ms/fr", 13, kPll, "clock", nsMsFr + "|!crm_hext_clock_div_set|!CRM_CLOCK_SOURCE_HICK");
    row("C330 with the mode field left at 0", 13, kPll + "pllFlexible=0", "clock", nsMsFr);
    row("C310 multiplier and range", 4, kPll + "pllFlexible=0", "clock",
        range.arg("HEXT", "GT72MHZ") + "|!crm_hext_clock_div_set");
    row("C310 with the mode field left at 1", 4, kPll + "pllFlexible=1", "clock",
        range.arg("HEXT", "GT72MHZ"));
    row("C300A divided HEXT", 7, kPll + "pllFlexible=0 hextDivEnabled=1", "clock",
        "  crm_hext_clock_div_set(CRM_HEXT_DIV_3);\n\n  " + range.arg("HEXT_DIV", "LE72MHZ"));
    row("C300A from HICK has no divider", 7, kPll + "pllFlexible=0 hextDivEnabled=1 pllSourceHick=1", "clock",
        range.arg("HICK", "LE72MHZ") + "|!crm_hext_clock_div_set|!CRM_CLOCK_SOURCE_HEXT");
    row("C315 normal", 5, kPll + "pllFlexible=0", "clock",
        "crm_pll_config(CRM_PLL_SOURCE_HEXT, CRM_PLL_MULT_18);|!crm_pll_config2");
    row("C325 flexible", 15, kPll + "pllFlexible=1", "clock",
        "crm_pll_config2(CRM_PLL_SOURCE_HEXT, 72, 1, CRM_PLL_FR_2);|!crm_pll_config(");
    row("E020 flexible from HICK", 16, kPll + "pllFlexible=1 pllSourceHick=1", "clock",
        "crm_pll_config2(CRM_PLL_SOURCE_HICK, 72, 1, CRM_PLL_FR_2);|!crm_pll_config(");
    row("no PLL consumer, no PLL call", 7, kPll + "sclkSource=2", "clock", "!crm_pll_config");

    const QString start = "  system_clock_config();\n";
    const QString loop = "  while(1)\n";
    row("C310 init calls move up", 4, kPll, "main",
        start + loop + "|!mx_rtc_clock_init|!mx_adc_clock_init|!mx_clkout");
    row("C310 RTC kept", 4, kPll + "rtcEnabled=1", "main",
        "void mx_rtc_clock_init(void)|" + start + "  mx_rtc_clock_init();\n" + loop + "|!mx_adc_clock_init");
    row("C310 ADC kept", 4, kPll + "adcEnabled=1", "main",
        "void mx_adc_clock_init(void)|" + start + "  mx_adc_clock_init();\n" + loop + "|!mx_rtc_clock_init");
    row("C330 init calls move up", 13, kPll, "main", start + loop + "|!mx_rtc_clock_init|!mx_clkout");
    row("E020 keeps its i2c and usart routines", 16, kPll, "main",
        start + "  mx_i2c_clock_init();\n  mx_usart_clock_init();\n" + loop + "|!mx_clkout");

    const QString usart = "crm_usart%1_clock_source_set(CRM_USART_CLOCK_SOURCE_%2);";
    const QString lextOn = "crm_clock_source_enable(CRM_CLOCK_SOURCE_LEXT, TRUE);";
    row("E020 usart on PCLK and SCLK", 16, kPll + "usart1Source=0 usart2Source=1 i2c1Source=2 lextBypass=1",
        "main",
        "crm_i2c1_clock_source_set(CRM_I2C1_CLOCK_SOURCE_HICK48);|" + usart.arg(1).arg("PCLK") + "|" +
            usart.arg(2).arg("SCLK") + "|!" + lextOn + "|!crm_lext_bypass");
    row("E020 usart1 on LEXT", 16, kPll + "usart1Source=3 usart2Source=2", "main",
        lextOn + "|" + usart.arg(1).arg("LEXT") + "|" + usart.arg(2).arg("HICK48") + "|!crm_lext_bypass");
    row("E020 usart2 on LEXT, bypassed", 16, kPll + "usart2Source=3 lextBypass=1", "main",
        "crm_lext_bypass(TRUE);|" + lextOn + "|" + usart.arg(2).arg("LEXT"));

    const QString ahb = "crm_ahb_div_set(CRM_AHB_DIV_%1);";
    row("C300 160 MHz: one AHB call", 2, kPll + "pllFlexible=0 pllMult=20 ahbDiv=8", "clock",
        "=1 crm_ahb_div_set(|" + ahb.arg(8));
    row("C300 168 MHz: the stepped AHB calls stay", 2, kPll + "pllFlexible=0 pllMult=21 ahbDiv=8", "clock",
        "=3 crm_ahb_div_set(|" + ahb.arg(4) + "|" + ahb.arg(2) + "|" + ahb.arg(8));
    // The second output's pin is fixed: its GPIO lines stay as written.
    row("C330 both clock outputs", 13,
        kPll + "rtcEnabled=1 clkout1Pin=2 clkout1Source=3 clkout1Div1=4 clkout1Div2=16 clkout2Pin=1 "
               "clkout2Source=5 clkout2Div1=5 clkout2Div2=512",
        "main",
        "void mx_clkout1_init(void)|crm_periph_clock_enable(CRM_GPIOE_PERIPH_CLOCK, TRUE);|"
        "gpio_init_struct.gpio_pins = GPIO_PINS_4;|gpio_init(GPIOE, &gpio_init_struct);|"
        "gpio_pin_mux_config(GPIOE, GPIO_PINS_SOURCE4, GPIO_MUX_0);|crm_clock_out1_set(CRM_CLKOUT1_PLL);|"
        "crm_clkout_div_set(CRM_CLKOUT_INDEX_1, CRM_CLKOUT_DIV1_4, CRM_CLKOUT_DIV2_16);|"
        "void mx_clkout2_init(void)|crm_periph_clock_enable(CRM_GPIOC_PERIPH_CLOCK, TRUE);|"
        "gpio_init(GPIOC, &gpio_init_struct);|crm_clock_out2_set(CRM_CLKOUT2_ADCCLK);|"
        "crm_clkout_div_set(CRM_CLKOUT_INDEX_2, CRM_CLKOUT_DIV1_5, CRM_CLKOUT_DIV2_512);|"
        "  mx_clkout1_init();\n  mx_clkout2_init();\n  mx_rtc_clock_init();\n  while(1)");
}

void TestGenerator::renderedLines()
{
    QFETCH(int, series);
    QFETCH(QString, setup);
    QFETCH(QString, file);
    QFETCH(QString, expect);
    TF_RECORD(c, series, setup);
    c.recompute();
    const Codegen::Files files = rendered(c);
    const QString text = file == "clock"  ? files.clockSource
                         : file == "main" ? files.mainSource
                                          : files.confHeader;
    int from = 0;
    for (const QString &item : expect.split('|')) {
        if (item.startsWith('!')) {
            QVERIFY2(!text.contains(item.mid(1)), qPrintable(item));
            continue;
        }
        const QRegularExpressionMatch count = QRegularExpression("^=(\\d+) ").match(item);
        if (count.hasMatch()) {
            QCOMPARE(text.count(item.mid(count.capturedLength())), count.captured(1).toInt());
            continue;
        }
        from = text.indexOf(item, from);
        QVERIFY2(from >= 0, qPrintable(item + "\n---\n" + text));
        from += item.size();
    }
    QVERIFY(!text.contains("[#"));
    QVERIFY(files.clockSource.count("crm_pll_config") <= 1);
    if (file == "conf") {
        // Nothing else of the header changes.
        QString expected = resourceText(SeriesTable::byId(series)->templateStem() + "_conf.h");
        expected.replace("\n#define HEXT_VALUE               ((uint32_t)8000000)\n", expect);
        QCOMPARE(text, expected);
    }
}

void TestGenerator::brokenTemplate_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("sclkSource");
    QTest::addColumn<QString>("failedStep"); // empty: generation still succeeds
    auto row = [](const char *name, const char *file, const char *from, const char *to, int sclk,
                  const char *step) {
        QTest::newRow(name) << QString(file) << QString(from) << QString(to) << sclk << QString(step);
    };
    row("closing pll marker misspelled, pll used", "_clock.c", "[/#enable pll]", "[/#enable  pll]", 1,
        "enable pll");
    row("closing pll marker misspelled, pll unused", "_clock.c", "[/#enable pll]", "[/#enable  pll]", 2,
        "enable pll");
    row("apb1 call missing", "_clock.c", "crm_apb1_div_set(", "crm_apbx_div_set(", 1, "APB1");
    row("summary fence missing", "_clock.c", "@brief  system clock", "@brief system clock", 1, "summary");
    row("unused block missing", "_clock.c", "[#hick48]", "[#hick 48]", 0, "");
    row("used block missing", "_clock.c", "[#hick48]", "[#hick 48]", 2, "hick sysclock");
    row("marker with trailing blank", "_clock.c", "[#enable hick]\n", "[#enable hick] \n", 2, "enable hick");
    row("adc init call missing", "_main.c", "mx_adc_clock_init();", "", 1, "init-call removal");
    row("adc call missing", "_main.c", "crm_adc_clock_div_set(", "crm_adc_clock_div(", 1, "adc function");
    row("clock-out source call missing", "_main.c", "crm_clock_out_set(", "crm_clock_out(", 1,
        "clkout function");
    row("conf define written as 12 MHz", "_conf.h", "((uint32_t)8000000)", "((uint32_t)12000000)", 1,
        "HEXT_VALUE");
}

void TestGenerator::brokenTemplate()
{
    QFETCH(QString, file);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, sclkSource);
    QFETCH(QString, failedStep);
    TF_RECORD(c, 4,
              "pllFlexible=0 adcEnabled=1 clkoutPin=1 " + kPll + QString("sclkSource=%1").arg(sclkSource));
    c.recompute();
    QString text = resourceText("qxc310" + file);
    QVERIFY(text.contains(from));
    text.replace(from, to);
    QString failed;
    const auto edit = file == "_clock.c"  ? Codegen::editClockSource
                      : file == "_main.c" ? Codegen::editMainSource
                                          : Codegen::editConfHeader;
    QCOMPARE(edit(text, c, &failed), failedStep.isEmpty());
    QCOMPARE(failed, failedStep);
}

void TestGenerator::rtcSourceWithoutBypassChildStaysUnedited()
{
    TF_RECORD(c, 4, kPll + "rtcEnabled=1 rtcSource=1");
    QString text = resourceText("qxc310_main.c");
    text.replace("[#lext bypass]", "[#lext bypas]");
    QVERIFY(Codegen::editMainSource(text, c));
    QVERIFY(text.contains("[#rtc lext]\n"));
    QVERIFY(!text.contains("[#rtc lick]") && !text.contains("[#rtc hext]"));
}

void TestGenerator::runs_data()
{
    QTest::addColumn<bool>("existing");        // the four files are there from an earlier run
    QTest::addColumn<QVector<int>>("answers"); // 0 cancel, 1 yes, 2 yes with the box ticked
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("written"); // files of the writing order that are new
    QTest::newRow("first run asks nothing") << false << QVector<int>{} << 0 << 4;
    QTest::newRow("yes with the box: asked once") << true << QVector<int>{2} << 1 << 4;
    QTest::newRow("yes without the box: asked each time") << true << QVector<int>{1, 1, 1, 1} << 4 << 4;
    QTest::newRow("yes, then the box on the second") << true << QVector<int>{1, 2} << 2 << 4;
    QTest::newRow("cancel on main.c") << true << QVector<int>{1, 1, 0} << 3 << 2;
    QTest::newRow("unanswered counts as cancel") << true << QVector<int>{} << 1 << 0;
}

void TestGenerator::runs()
{
    QFETCH(bool, existing);
    QFETCH(QVector<int>, answers);
    QFETCH(int, asked);
    QFETCH(int, written);
    Project project;
    const QStringList paths = {"src/qxc310_clock.c", "inc/qxc310_clock.h", "src/main.c", "inc/qxc310_conf.h"};
    for (const QString &p : paths) {
        QFile f(project.path(p));
        QVERIFY(!existing || (f.open(QIODevice::WriteOnly) && f.write("old\n") == 4));
    }
    ScriptedDialogs dialogs;
    for (int a : answers)
        dialogs.answerOverwrite(a != 0, a == 2);
    const ClockConfig c = Records::pllDesign(4);
    QCOMPARE(project.generate(c, "qxc310"), written == 4);
    QStringList names;
    for (const ScriptedDialogs::Request &r : dialogs.requests) {
        QCOMPARE(r.kind, ScriptedDialogs::Kind::Overwrite);
        names << r.text;
    }
    QCOMPARE(names,
             QStringList({"qxc310_clock.c", "qxc310_clock.h", "main.c", "qxc310_conf.h"}).mid(0, asked));
    const Codegen::Files files = rendered(c);
    const QStringList texts = {files.clockSource, files.clockHeader, files.mainSource, files.confHeader};
    for (int i = 0; i < paths.size(); ++i)
        QCOMPARE(readFile(project.path(paths[i])), i < written ? texts[i].toUtf8() : QByteArray("old\n"));
    // No temporary file is left behind.
    QCOMPARE(QDir(project.path("src")).entryList(QDir::Files) +
                 QDir(project.path("inc")).entryList(QDir::Files),
             QStringList({"main.c", "qxc310_clock.c", "qxc310_clock.h", "qxc310_conf.h"}));
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
    Project project;
    ScriptedDialogs dialogs;
    ClockConfig c(series);
    c.recompute();
    QString error;
    QVERIFY(!project.generate(c, stem, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(dialogs.requests.size(), 0);
    QVERIFY(QDir(project.path("inc")).isEmpty() && QDir(project.path("src")).isEmpty());
}

void TestGenerator::failedWriteIsReported()
{
    Project project;
    QVERIFY(QDir(project.path("src")).mkpath("main.c")); // a folder where main.c goes
    ScriptedDialogs dialogs;
    QString error;
    QVERIFY(!project.generate(Records::pllDesign(4), "qxc310", &error));
    QVERIFY(error.contains("main.c"));
    QVERIFY(QFileInfo(project.path("src/main.c")).isDir());
    QVERIFY(QFileInfo::exists(project.path("src/qxc310_clock.c")));
    QVERIFY(!QFileInfo::exists(project.path("inc/qxc310_conf.h")));
    QVERIFY(!Codegen::generate(Records::pllDesign(4), project.path("inc"), project.path("missing"), "qxc310",
                               {}, &error));
}

void TestGenerator::templateFiles_data()
{
    QTest::addColumn<QString>("name");
    for (const char *stem : {"qxc300", "qxc300a_305", "qxc310", "qxc315", "qxc320", "qxc325", "qxc330_335",
                             "qxe020", "qxw315"}) {
        for (const char *suffix : {"_clock.c", "_clock.h", "_main.c", "_conf.h"})
            QTest::addRow("%s%s", stem, suffix) << QString(stem) + suffix;
    }
}

// Plain ASCII with CR LF; markers alone in column 0, each block opened and
// closed once per file (the E020 LEXT bypass child twice: both LEXT users
// carry it).
void TestGenerator::templateFiles()
{
    QFETCH(QString, name);
    QFile f(":/image/" + name);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray raw = f.readAll();
    for (char ch : raw)
        QVERIFY2(uchar(ch) < 0x80 && (ch >= ' ' || ch == '\r' || ch == '\n'), "plain ASCII");
    QCOMPARE(raw.count("\r\n"), raw.count('\n'));
    QCOMPARE(raw.count('\r'), raw.count('\n'));
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
    for (auto it = opened.cbegin(); it != opened.cend(); ++it)
        QVERIFY2(it.value() == (name == "qxe020_main.c" && it.key() == "lext bypass" ? 2 : 1),
                 qPrintable(it.key()));
    if (name.endsWith("_clock.c"))
        QCOMPARE(raw.count("* @brief  system clock config program"), 1);
}

QTEST_MAIN(TestGenerator)
#include "tst_generator.moc"

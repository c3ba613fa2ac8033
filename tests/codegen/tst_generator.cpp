#include "ClockConfig.h"
#include "Generator.h"
#include "RecordFields.h"
#include "ScriptedDialogs.h"
#include "SeriesTable.h"
#include "TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestGenerator : public QObject {
    Q_OBJECT

private slots:
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
    row("HEXT rounded to six decimals", 16, kPll + "hextMHz=12.3456789", "conf", define.arg(12345679));
    row("usbDiv off the table", 13, kPll + "usbDisabled=0 usbDiv=1.25", "clock",
        "  crm_usb_clock_div_set(CRM_USB_DIV_1);\n");
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
    row("C310 ADC divider", 4, kPll + "adcEnabled=1 adcDiv=6", "main", "crm_adc_clock_div_set(CRM_ADC_DIV_6);");
    row("C310 ADC kept", 4, kPll + "adcEnabled=1", "main",
        "void mx_adc_clock_init(void)|" + start + "  mx_adc_clock_init();\n" + loop + "|!mx_rtc_clock_init");

    const QString usart = "crm_usart%1_clock_source_set(CRM_USART_CLOCK_SOURCE_%2);";
    const QString lextOn = "crm_clock_source_enable(CRM_CLOCK_SOURCE_LEXT, TRUE);";
    row("E020 usart on PCLK and SCLK", 16, kPll + "usart1Source=0 usart2Source=1 i2c1Source=2 lextBypass=1",
        "main",
        "crm_i2c1_clock_source_set(CRM_I2C1_CLOCK_SOURCE_HICK48);|" + usart.arg(1).arg("PCLK") + "|" +
            usart.arg(2).arg("SCLK") + "|!" + lextOn + "|!crm_lext_bypass");
    row("E020 usart2 on LEXT, bypassed", 16, kPll + "usart2Source=3 lextBypass=1", "main",
        "crm_lext_bypass(TRUE);|" + lextOn + "|" + usart.arg(2).arg("LEXT"));

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
    QTest::newRow("first run asks nothing") << false << QVector<int>{} << 0 << 4;
    QTest::newRow("yes with the box: asked once") << true << QVector<int>{2} << 1 << 4;
    QTest::newRow("yes without the box: asked each time") << true << QVector<int>{1, 1, 1, 1} << 4 << 4;
    QTest::newRow("cancel on main.c") << true << QVector<int>{1, 1, 0} << 3 << 2;
}

void TestGenerator::runs()
{
    QFETCH(bool, existing);
    QFETCH(QVector<int>, answers);
    QFETCH(int, asked);
    QFETCH(int, written);
    QTemporaryDir dir;
    const QStringList paths = {"src/qxc310_clock.c", "inc/qxc310_clock.h", "src/main.c", "inc/qxc310_conf.h"};
    for (const QString &p : paths)
        QVERIFY(!existing ||
                (QDir(dir.path()).mkpath(p.left(3)) && !writeFile(dir.filePath(p), "old\n").isNull()));
    ScriptedDialogs dialogs;
    for (int a : answers)
        dialogs.answerOverwrite(a != 0, a == 2);
    TF_RECORD(c, 4, kPll + "pllFlexible=0");
    c.recompute();
    QCOMPARE(generateIn(dir, c, "qxc310"), written == 4);
    QCOMPARE(dialogs.requests.size(), asked);
    QCOMPARE(dialogs.texts(ScriptedDialogs::Kind::Overwrite),
             QStringList({"qxc310_clock.c", "qxc310_clock.h", "main.c", "qxc310_conf.h"}).mid(0, asked));
    Codegen::Files files;
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
    for (const auto &[series, stem] :
         {qMakePair(13, QString("qxc999")), qMakePair(3, QString("qxc330_335"))}) {
        QTemporaryDir dir;
        ClockConfig c(series);
        c.recompute();
        QVERIFY(!generateIn(dir, c, stem, &error) && !error.isEmpty());
        QVERIFY(QDir(dir.filePath("inc")).isEmpty() && QDir(dir.filePath("src")).isEmpty());
    }
    QCOMPARE(dialogs.requests.size(), 0);

    // A record that breaks a rule of the chip is refused whole, derived values or not.
    {
        QTemporaryDir refused;
        TF_RECORD(bad, 13, kPll + "hextMHz=30");
        bad.recompute();
        QVERIFY(!generateIn(refused, bad, "qxc330_335", &error));
        QCOMPARE(error, QString("hext input error!"));
        QVERIFY(QDir(refused.filePath("inc")).isEmpty() && QDir(refused.filePath("src")).isEmpty());
    }

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

#include "DesignFile.h"
#include "DesignTestUtil.h"
#include "SeriesTable.h"

#include <QDir>
#include <QGraphicsProxyWidget>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// tickforge-cli run as a separate program, compared with the program's own
// series widgets driven in this process.
class TestCli : public QObject {
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
    void matchesTheProgram_data();
    void matchesTheProgram();
    void upToDateCheck_data();
    void upToDateCheck();
    void setEdits_data();
    void setEdits();
    void generateEach_data();
    void generateEach();
    void render();
    void headless();
};

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TICKFORGE_CLI), arguments);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

const QStringList kOutputs = {QStringLiteral("src/main.c"), QStringLiteral("src/qxc330_335_clock.c"),
                              QStringLiteral("inc/qxc330_335_clock.h"),
                              QStringLiteral("inc/qxc330_335_conf.h")};

QStringList existingOutputs(const QDir &dir)
{
    QStringList found;
    for (const QString &name : kOutputs) {
        if (QFileInfo::exists(dir.filePath(name)))
            found.append(name);
    }
    return found;
}

} // namespace

void TestCli::commands_data()
{
    QTest::addColumn<QString>("arguments"); // FILE: the design, OUT: a folder for the generated files
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text");      // in standard output or standard error
    QTest::addColumn<QByteArray>("design"); // null: no file at all
    QTest::addColumn<QString>("existing");  // output files present before, by hand

    const auto row = [](const char *tag, const char *arguments, int status, const QString &text,
                        const QByteArray &design = QByteArray(), const char *existing = "") {
        QTest::newRow(tag) << arguments << status << text << design << existing;
    };
    row("help", "--help", 0, "generate FILE DIR [--force] [--overwrite] [--check] [--guard]");
    row("new to standard output", "new QXC330", 0, designWith());
    row("no command", "", 1, "no command");
    row("unknown command", "bogus", 1, "unknown command");
    row("missing argument", "show", 1, "takes 1");
    row("unknown option", "check FILE --bogus", 1, "unknown option");
    row("unknown series", "new QXC999", 1, "unknown series");
    row("design cannot be saved", "new QXC330 -o /nonexistent/x.TFCC", 1, "error: Save file failed!");
    row("normal mode on a flexible series", "solve QXC330 --hext 8 --sclk 100 --normal", 1, "--normal");
    row("sclk above the limit", "solve QXC330 --hext 8 --sclk 288.5", 1, "sclk input error!");
    row("hext out of range", "solve QXC330 --hext 25.001 --sclk 100", 1, "hext input error!");
    row("QXC330 8 MHz to 288", "solve QXC330 --hext 8 --sclk 288", 0,
        "pllMs 1\npllNs 72\npllFr 2\npllMHz 288\nsclkMHz 288\nusbDiv 6\nCRM_PLLCFG 0x00411201\n");
    row("QXC335 from HICK, USB divider follows", "solve QXC335 --hext 8 --sclk 192 --hick", 0,
        "pllMs 1\npllNs 96\npllFr 4\npllMHz 192\nsclkMHz 192\nusbDiv 4\nCRM_PLLCFG 0x00021801\n");
    row("multiplier series", "solve QXC310 --hext 8 --sclk 200 --json", 0,
        "\"series\": \"QXC310\",\n  \"pllMult\": 25,\n  \"pllMHz\": 200,\n  \"sclkMHz\": 200,\n  \"usbDiv\": 4\n}");
    row("selectable series, normal mode", "solve QXC315 --hext 8 --sclk 120 --normal", 0,
        "pllMult 15\npllMHz 120\nsclkMHz 120\nusbDiv 2.5\n");

    // The plain answer first, then the runners-up.
    row("--explain: the chosen factors first", "solve QXC330 --hext 8 --sclk 287.3 --explain --top 3", 0,
        "pllMs 4\npllNs 287\npllFr 2\npllMHz 287\nsclkMHz 287\nusbDiv 6\nCRM_PLLCFG 0x004147c4\n"
        "candidates 3 of 2610, chosen first, then nearest to 287.3 MHz\n"
        "* pllMs 4 pllNs 287 pllFr 2 sclkMHz 287 errorKHz 300 errorPpm 1044.2 refMHz 2 oscillator HEXT "
        "usbDiv 6 usbMHz 47.833333\n"
        "  pllMs 3 pllNs 215 pllFr 2 sclkMHz 286.666667 errorKHz 633.333 errorPpm 2204.4 refMHz 2.666667 "
        "oscillator HEXT usbDiv 6 usbMHz 47.777778\n"
        "  pllMs 1 pllNs 72 pllFr 2 sclkMHz 288 errorKHz 700 errorPpm 2436.5 refMHz 8 oscillator HEXT usbDiv "
        "6 "
        "usbMHz 48\nchosen: no other factor set comes as near to the target\n");
    row("--explain: equally near sets in search order", "solve QXC330 --hext 8 --sclk 288 --explain --top 2",
        0,
        "* pllMs 1 pllNs 72 pllFr 2 sclkMHz 288 errorKHz 0 errorPpm 0 refMHz 8 oscillator HEXT usbDiv 6 "
        "usbMHz "
        "48\n  pllMs 2 pllNs 144 pllFr 2 sclkMHz 288 errorKHz 0 errorPpm 0 refMHz 4 oscillator HEXT usbDiv 6 "
        "usbMHz 48\nchosen: 3 other factor set(s) come as near; the search keeps the first it meets");
    row("--explain: neighbouring multipliers", "solve QXC310 --hext 8 --sclk 200 --explain --top 3", 0,
        "usbDiv 4\ncandidates 3 of 24, chosen first, then nearest to 200 MHz\n"
        "* pllMult 25 sclkMHz 200 errorKHz 0 errorPpm 0 refMHz 8 oscillator HEXT usbDiv 4 usbMHz 50\n"
        "  pllMult 24 sclkMHz 192 errorKHz 8000 errorPpm 40000 refMHz 8 oscillator HEXT usbDiv 4 usbMHz 48\n"
        "  pllMult 23 sclkMHz 184 errorKHz 16000 errorPpm 80000 refMHz 8 oscillator HEXT usbDiv 4 usbMHz "
        "46\n");
    row("--explain --json", "solve QXC330 --hext 8 --sclk 288 --explain --json --top 1", 0,
        "  \"candidates\": [\n    {\"chosen\": true, \"pllMs\": 1, \"pllNs\": 72, \"pllFr\": 2, \"sclkMHz\": "
        "288, ");
    row("--top 0", "solve QXC330 --hext 8 --sclk 288 --explain --top 0", 1, "--top");
    row("--usb48 where the plain solve misses 48 MHz", "solve QXC330 --hext 8 --sclk 287.3 --usb48", 0,
        "pllMs 1\npllNs 72\npllFr 2\npllMHz 288\nsclkMHz 288\nusbDiv 6\nusbMHz 48\nCRM_PLLCFG 0x00411201\n");
    row("--usb48 on a multiplier", "solve QXC310 --hext 8 --sclk 200 --usb48", 0,
        "pllMult 24\npllMHz 192\nsclkMHz 192\nusbDiv 4\nusbMHz 48\n");
    row("--usb48 impossible", "solve QXC330 --hext 11.0592 --sclk 200 --usb48", 8,
        "no PLL factors give USB exactly 48 MHz from a 11.0592 MHz PLL input");
    row("--explain: ties within rounding noise", "solve QXC335 --hext 11.0592 --sclk 288 --explain --top 2",
        0,
        "* pllMs 1 pllNs 52 pllFr 2 sclkMHz 287.5392 errorKHz 460.8 errorPpm 1600 refMHz 11.0592 oscillator "
        "HEXT "
        "usbDiv 6 usbMHz 47.9232\n  pllMs 2 pllNs 104 pllFr 2 sclkMHz 287.5392 errorKHz 460.8 errorPpm 1600 "
        "refMHz 5.5296 oscillator HEXT usbDiv 6 usbMHz 47.9232\nchosen: 4 other factor set(s) come as near");
    row("typed target within the limit stays within it", "solve QXC315 --normal --hext 8 --sclk 150", 0,
        "pllMult 18\npllMHz 144\nsclkMHz 144\n");
    row("--usb48 on the exact crystal", "solve QXC300A --hext 12.0005 --sclk 48 --usb48", 8,
        "no PLL factors give USB exactly 48 MHz");
    row("--usb48 within the series' limit", "solve QXC315 --normal --hext 7 --sclk 100 --usb48", 8,
        "no PLL factors give USB exactly 48 MHz");
    row("--usb48 below the limit", "solve QXC315 --hext 12.288 --sclk 150 --usb48", 0,
        "pllMs 2\npllNs 125\npllFr 8\npllMHz 96\nsclkMHz 96\nusbDiv 2\nusbMHz 48\n");
    row("--usb48 within the multiplier input range", "solve QXC310 --hext 19.2 --sclk 192 --usb48", 8,
        "no PLL factors give USB exactly 48 MHz");
    row("--usb48 with --explain", "solve QXC330 --hext 8 --sclk 100 --usb48 --explain", 1,
        "cannot be combined");
    row("--usb48 without USB", "solve QXC320 --hext 8 --sclk 100 --usb48", 1, "QXC320 has no USB clock");

    const QByteArray usbWarning = designWith("tousbswitch=0 usbdiv=5.0"), refused = designWith("pllns=80");
    const QString error = QStringLiteral("error: Can not support sclk greater than 288MHz\n");
    const QString warning =
        QStringLiteral("warning: USB clock must be 48MHz. But the USB clock of current config "
                       "is wrong.  please confirm whether to continue?\n");
    const QString unsupported = QStringLiteral("MCU in file not supported.");
    row("check factory", "check FILE", 0, "", designWith());
    // A 20 MHz crystal on the undivided multiplier path is corrected to 16 on
    // opening; firmware for that board must not be written for 16.
    const QByteArray crystal20 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Configuration>\n"
                                 "<MCU>QXC300</MCU><hext>20.000000</hext><pllhextdiv>0</pllhextdiv>"
                                 "<pllrcs>0</pllrcs><pllmult>10</pllmult><sclkselect>1</sclkselect>\n"
                                 "</Configuration>\n";
    row("a crystal corrected on opening is refused", "check FILE", 2,
        "error: hext \"20.000000\" read as 16.000000 (the board's crystal cannot be changed)", crystal20);
    row("a corrected crystal is not generated, even forced", "generate FILE OUT --force", 2,
        "error: hext \"20.000000\" read as 16.000000", crystal20);
    row("check sclk above the limit", "check FILE", 2, error, refused);
    row("check USB clock not 48 MHz", "check FILE", 3, warning, usbWarning);
    // Opening neither adjusts nor trusts: what the file held is judged as it is.
    const QByteArray hext30 = designWith("hext=30.000000");
    row("HEXT 30 is never generated", "generate FILE OUT --force", 2, "error: hext input error!", hext30);
    row("unused HEXT still written as the crystal", "generate FILE OUT --force", 2,
        "error: hext input error!", designWith("sclkselect=2 hext=nan"));
    row("ms question cancelled while opening", "generate FILE OUT --force", 2, "error: pll_ms input error!",
        designWith("pllrcs=1 pllms=10"));
    row("fallbacks are warnings", "check FILE", 3,
        "warning: pllms \"16\" read as 1\nwarning: ahbdiv \"32\" read as 1\nwarning: usbdiv \"1.25\" read as "
        "1.0\n",
        designWith("pllms=16 ahbdiv=32 usbdiv=1.25"));
    row("fallback to refused factors", "check FILE", 2,
        "warning: pllns \"20\" read as 31\nerror: pll_ns input error!\n", designWith("pllns=20"));
    row("fallbacks stop generate", "generate FILE OUT", 3, "warning: pllms \"16\" read as 1",
        designWith("pllms=16"));
    row("check --json", "check FILE --json", 2,
        "\"findings\": [\n    {\"severity\": \"error\", \"kind\": \"input\", \"text\": \"hext input "
        "error!\", "
        "\"field\": \"hextMHz\", \"value\": 30, \"allowed\": \"4..25\"}",
        hext30);
    row("a file exists", "generate FILE OUT", 4, "main.c exists", designWith(), "src/main.c");
    row("a file exists, --overwrite", "generate FILE OUT --overwrite", 0, "", designWith(),
        "inc/qxc330_335_conf.h");
    row("warning", "generate FILE OUT", 3, warning, usbWarning);
    row("warning, --force", "generate FILE OUT --force", 0, warning, usbWarning);
    row("refused, --force", "generate FILE OUT --force", 2, error, refused);
    row("inc is a file", "generate FILE OUT", 5, "Creating \"inc\" folder error!", designWith(), "inc");
    // Nothing of a new design when its last file cannot be written.
    row("the last file cannot be written", "generate FILE OUT --overwrite", 5,
        "inc/qxc330_335_conf.h: not a regular file", designWith(),
        "src/main.c src/qxc330_335_clock.c inc/qxc330_335_conf.h/x");
    row("new keeps an existing file", "new QXC330 -o OUT/src/main.c", 4, "exists", QByteArray(),
        "src/main.c");
    row("no output folder", "generate FILE EMPTY", 1, "the output folder is empty", designWith());
    row("no output folder, --check", "generate FILE EMPTY --check", 1, "the output folder is empty",
        designWith());
    row("no output folder, --guard", "generate FILE EMPTY --guard --overwrite", 1,
        "the output folder is empty", designWith());
    row("the output folder is a file", "generate FILE OUT/src/main.c", 1, "is not a folder", designWith(),
        "src/main.c");
    // Values a file held are quoted in the findings: JSON escapes them.
    row("check --json quotes a tab and a line feed", "check FILE --json", 3,
        "\"kind\": \"load\", \"text\": \"ahbdiv \\\"3\\t\\n2\\\" read as 1\"", designWith("ahbdiv=3\t\n2"));
    row("empty file", "show FILE", 1, unsupported, "");
    row("entities", "generate FILE OUT", 1, unsupported,
        "<!DOCTYPE C [<!ENTITY m \"QXC330\">]><C><MCU>&m;</MCU></C>");
    row("missing file", "check FILE", 1, "no such file");
}

void TestCli::commands()
{
    QFETCH(QString, arguments);
    QFETCH(int, status);
    QFETCH(QString, text);
    QFETCH(QByteArray, design);
    QFETCH(QString, existing);
    QTemporaryDir dir;
    const QDir out(dir.filePath(QStringLiteral("out")));
    const QByteArray mine = "written by hand\n";
    const QStringList byHand = existing.split(' ', Qt::SkipEmptyParts);
    for (const QString &name : byHand) {
        QVERIFY(QDir().mkpath(QFileInfo(out.filePath(name)).path()) &&
                !writeFile(out.filePath(name), mine).isNull());
    }
    const QStringList before = existingOutputs(out);
    const QString path = dir.filePath(QStringLiteral("d.TFCC"));
    QVERIFY(design.isNull() || !writeFile(path, design).isNull());
    arguments.replace(QStringLiteral("FILE"), path).replace(QStringLiteral("OUT"), out.path());
    QStringList words = arguments.split(' ', Qt::SkipEmptyParts);
    words.replaceInStrings(QRegularExpression("^EMPTY$"), QString());
    const Run run = runCli(words);
    QCOMPARE(run.status, status);
    const QString both = run.out + run.err;
    QVERIFY2(both.contains(text), qPrintable(both));
    QVERIFY(status != 1 || run.out.isEmpty());
    if (arguments.contains("--json"))
        QVERIFY(!QJsonDocument::fromJson(run.out.toUtf8()).isNull());
    if (!arguments.contains(out.path()))
        return;
    if (status == 0) {
        QCOMPARE(existingOutputs(out), kOutputs);
        for (const QString &name : byHand)
            QVERIFY(readBytes(out.filePath(name)) != mine);
        return;
    }
    QVERIFY(run.out.isEmpty()); // nothing was written
    QCOMPARE(existingOutputs(out), before);
    for (const QString &name : byHand)
        QCOMPARE(readBytes(out.filePath(name)), mine);
    QCOMPARE(QDir(out.filePath("src")).entryList(QDir::Files | QDir::Hidden).size(),
             byHand.filter("src/").size());
}

void TestCli::matchesTheProgram_data()
{
    QTest::addColumn<int>("seriesId");
    QTest::addColumn<QString>("changes"); // to the QXC330 factory design; empty: `new` of the series
    for (const SeriesParams &row : SeriesTable::all())
        QTest::addRow("factory %s", row.name) << row.id << "";
    QTest::newRow("HICK system clock, RTC on HEXT, slow buses")
        << 13 << "sclkselect=2 hicktosclk=1 rtcswitch=1 rtcsel=2 apb1div=4";
    QTest::newRow("USB, clock outputs, RTC on LEXT")
        << 13 << "tousbswitch=0 clkout1pinselect=2 clkout1=3 clkout2=5 rtcswitch=1 rtcsel=1";
    QTest::newRow("PLL on HICK for clock output 1")
        << 13 << "pllrcs=1 pllms=3 sclkselect=2 clkout1pinselect=1";
}

// new writes what Save writes; show, show --json and generate agree with the
// program's own record and code.
void TestCli::matchesTheProgram()
{
    QFETCH(int, seriesId);
    QFETCH(QString, changes);
    const QString name = SeriesTable::byId(seriesId)->seriesName(),
                  stem = SeriesTable::byId(seriesId)->templateStem();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.TFCC")),
                  saved = dir.filePath(QStringLiteral("p.TFCC"));
    auto widget = newSeriesWidget(seriesId);
    ScriptedDialogs dialogs; // questions while loading: "Cancel"
    if (changes.isEmpty()) {
        const Run run = runCli({QStringLiteral("new"), name, QStringLiteral("-o"), path});
        QVERIFY(run.status == 0 && run.out.isEmpty());
        dialogs.answerPath(saved);
        widget->saveConfig(name);
        QCOMPARE(readBytes(path), readBytes(saved));
    } else {
        QVERIFY(!writeFile(path, designWith(changes)).isNull());
    }
    widget->loadConfig(path);
    const auto fields = widget->config()->fieldValues();

    const Run show = runCli({QStringLiteral("show"), path});
    QCOMPARE(show.status, 0);
    QCOMPARE(show.err, QString());
    QString expected;
    for (const auto &field : fields) {
        const QVariant &v = field.second;
        expected +=
            field.first + ' ' +
            (v.type() == QVariant::Double ? QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest)
             : v.type() == QVariant::Bool ? QString::number(v.toInt())
                                          : v.toString()) +
            '\n';
    }
    QCOMPARE(show.out, expected);
    const Run json = runCli({QStringLiteral("show"), path, QStringLiteral("--json")});
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QCOMPARE(object.size(), fields.size() + 2);
    QCOMPARE(object.value(QStringLiteral("findings")).toArray().size(), 0);
    QCOMPARE(object.value(QStringLiteral("series")).toString(), name);
    for (const auto &field : fields)
        QCOMPARE(object.value(field.first).toVariant().toDouble(), field.second.toDouble());

    const QDir cli(dir.filePath(QStringLiteral("cli"))), program(dir.filePath(QStringLiteral("program")));
    const Run generate = runCli({QStringLiteral("generate"), path, cli.path()});
    QCOMPARE(generate.status, 0);
    const QStringList outputs{"src/main.c", "src/" + stem + "_clock.c", "inc/" + stem + "_clock.h",
                              "inc/" + stem + "_conf.h"};
    QCOMPARE(generate.out, outputs.join('\n') + '\n');
    dialogs.answerPath(program.path());
    widget->generateCode();
    QCOMPARE(dialogs.last()->icon, QMessageBox::Information);
    for (const QString &file : outputs) {
        QVERIFY2(readBytes(cli.filePath(file)).size() > 100, qPrintable(file));
        QCOMPARE(readBytes(cli.filePath(file)), readBytes(program.filePath(file)));
    }
    const Run check = runCli({QStringLiteral("generate"), path, cli.path(), QStringLiteral("--check")});
    QCOMPARE(check.status, 0);
    QCOMPARE(check.out, QString());
}

void TestCli::upToDateCheck_data()
{
    QTest::addColumn<QString>("first");     // run first on the design `before` ("" none)
    QTest::addColumn<QString>("before");    // design changes
    QTest::addColumn<QString>("tamper");    // then the output files changed: "crlf" line ends, "nul", "bom"
    QTest::addColumn<QString>("arguments"); // run on the design `design`
    QTest::addColumn<QString>("design");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text");
    const auto row = [](const char *tag, const QString &first, const QString &before, const QString &tamper,
                        const QString &arguments, const QString &design, int status, const QString &text) {
        QTest::newRow(tag) << first << before << tamper << arguments << design << status << text;
    };
    const QString generate = "generate FILE OUT", check = "generate FILE OUT --check";
    const QString guarded = generate + " --guard", guardedCheck = check + " --guard";
    row("regenerated files match", generate, "", "", check, "", 0, "");
    row("CR LF line ends are no difference", generate, "", "crlf", check, "", 0, "");
    row("a NUL byte is a difference", generate, "", "nul", check, "", 7, "src/main.c differs");
    row("a byte-order mark is a difference", generate, "", "bom", check, "", 7, "src/main.c differs");
    row("a changed design names the file", generate, "", "", check, "apb1div=4", 7,
        "src/qxc330_335_clock.c differs\n--- a/src/qxc330_335_clock.c\n+++ b/src/qxc330_335_clock.c\n"
        "@@ -17,8 +17,8 @@\n");
    row("the code lines of the change", generate, "", "", check, "apb1div=4", 7,
        "@@ -67,7 +67,7 @@\n   crm_apb2_div_set(CRM_APB2_DIV_2);\n \n   /* config apb1clk */\n"
        "-  crm_apb1_div_set(CRM_APB1_DIV_2);\n+  crm_apb1_div_set(CRM_APB1_DIV_4);\n");
    row("nothing generated yet", "", "", "", check, "", 7,
        "src/main.c is missing\nsrc/qxc330_335_clock.c is missing\n");
    row("a warning stops the check", generate, "", "", check, "tousbswitch=0 usbdiv=5.0", 3,
        "warning: USB clock");
    row("a warning, --force", generate, "", "", check + " --force", "tousbswitch=0 usbdiv=5.0", 7,
        "src/qxc330_335_clock.c differs");
    row("a refusal", generate, "", "", check, "pllns=80", 2,
        "error: Can not support sclk greater than 288MHz");
    row("unguarded files, guarded check", generate, "", "", guardedCheck, "", 7,
        "+typedef char HEXT_VALUE_differs_from_the_crystal_of_the_clock_design[(HEXT_VALUE == 8000000U) ? 1 "
        ": "
        "-1];\n");
    row("guarded files, guarded check", guarded, "", "", guardedCheck, "", 0, "");
    row("guarded files, plain check", guarded, "", "", check, "", 7,
        "-_Static_assert(HEXT_VALUE == 8000000U");
    row("guarded files follow the crystal", guarded, "hext=16.000000 pllms=2", "", guardedCheck,
        "hext=8.000000", 7, "-_Static_assert(HEXT_VALUE == 16000000U");
    const QString hick = "sclkselect=2 hicktosclk=1";
    row("no HEXT in use, no guard", generate, hick, "", guardedCheck, hick, 0, "");
}

// generate --check writes nothing and says whether the folder holds exactly
// what generate would write now.
void TestCli::upToDateCheck()
{
    QFETCH(QString, first);
    QFETCH(QString, before);
    QFETCH(QString, tamper);
    QFETCH(QString, arguments);
    QFETCH(QString, design);
    QFETCH(int, status);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QDir out(dir.filePath(QStringLiteral("out")));
    const QString path = dir.filePath(QStringLiteral("d.TFCC"));
    const auto run = [&](const QString &line, const QString &changes) {
        writeFile(path, designWith(changes));
        return runCli(QString(line).replace("FILE", path).replace("OUT", out.path()).split(' '));
    };
    if (!first.isEmpty())
        QCOMPARE(run(first, before).status, 0);
    QHash<QString, QByteArray> files;
    for (const QString &name : existingOutputs(out)) {
        QByteArray bytes = readBytes(out.filePath(name));
        if (tamper == "crlf")
            bytes.replace("\n", "\r\n");
        else if (tamper == "nul")
            bytes += QByteArray(1, '\0') + "x\n";
        else if (tamper == "bom")
            bytes.prepend("\xef\xbb\xbf");
        if (!tamper.isEmpty())
            writeFile(out.filePath(name), bytes);
        files.insert(name, bytes);
    }
    const Run checked = run(arguments, design);
    QCOMPARE(checked.status, status);
    const QString both = checked.out + checked.err;
    QVERIFY2(both.contains(text), qPrintable(both));
    QCOMPARE(existingOutputs(out).size(), files.size());
    for (const QString &name : files.keys())
        QCOMPARE(readBytes(out.filePath(name)), files.value(name));
}

void TestCli::setEdits_data()
{
    QTest::addColumn<QString>("arguments"); // after "set FILE"; OUT: another file, EXISTING: one there
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text");    // in standard output or standard error
    QTest::addColumn<QString>("written"); // "element=text" the saved design holds; empty: nothing saved
    const auto row = [](const char *tag, const char *arguments, int status, const QString &text,
                        const char *written = "") {
        QTest::newRow(tag) << arguments << status << text << written;
    };
    row("a choice", "ahbdiv=4", 0, "ahbdiv=4: changed ahbDiv 4, ahbMHz 72, apb1MHz 36", "ahbdiv=4");
    row("choices in order, to OUT", "ahbdiv=2 apb1div=4 -o OUT", 0, "apb1div=4: changed apb1Div 4",
        "apb1div=4");
    row("a refused entry", "ahbdiv=2 hext=30", 2, "hext=30: error: hext input error!");
    row("a question answered Cancel", "pllms=5", 2,
        "pllms=5: question: pll_ms input error, is it adjusted automatically? -> Cancel");
    row("a question answered Yes", "pllms=5 --yes", 0,
        "pllms=5: question: pll_ms input error, is it adjusted automatically? -> Yes", "pllms=4");
    row("a warning of the checks", "tousbswitch=0 usbdiv=5", 3,
        "warning: USB clock must be 48MHz. But the USB clock of current config is wrong.");
    row("a warning answered Yes", "tousbswitch=0 usbdiv=5 --yes", 0, "saved", "usbdiv=5.0");
    row("unknown name", "pllmult=5", 1,
        "QXC330 has no control \"pllmult\"; the names are: rtcsel, rtcswitch, rtcdiv, lextbypass, hext, ");
    row("no option of the choice", "ahbdiv=3", 1,
        "ahbdiv takes one of 1, 2, 4, 8, 16, 64, 128, 256, 512, not \"3\"");
    row("a word for a choice", "tousbswitch=yes", 1, "tousbswitch takes one of 0, 1, not \"yes\"");
    row("no NAME=VALUE", "ahbdiv", 1, "\"ahbdiv\" is not NAME=VALUE");
    row("OUT exists", "ahbdiv=4 -o EXISTING", 4, "exists");
    row("OUT exists, --overwrite", "ahbdiv=4 -o EXISTING --overwrite", 0, "saved", "ahbdiv=4");
}

// set: edits made as a user makes them, saved only when every one was taken.
void TestCli::setEdits()
{
    QFETCH(QString, arguments);
    QFETCH(int, status);
    QFETCH(QString, text);
    QFETCH(QString, written);
    QTemporaryDir dir;
    const QString path = writeFile(dir.filePath("d.TFCC"), designWith());
    const QString existing = writeFile(dir.filePath("e.TFCC"), "mine\n");
    const QString out = arguments.contains("OUT")        ? dir.filePath("o.TFCC")
                        : arguments.contains("EXISTING") ? existing
                                                         : path;
    arguments.replace("OUT", out).replace("EXISTING", existing);
    const Run run = runCli(QStringList{"set", path} + arguments.split(' '));
    QCOMPARE(run.status, status);
    QVERIFY2(QString(run.out + run.err).contains(text), qPrintable(run.out + run.err));
    if (written.isEmpty()) {
        QCOMPARE(readBytes(path), designWith());
        QCOMPARE(readBytes(existing), QByteArray("mine\n"));
        return;
    }
    const QString element = written.section('=', 0, 0);
    QCOMPARE(DesignFile::readElement(out, element), written.section('=', 1));
    QVERIFY(out == path || readBytes(path) == designWith());
}

void TestCli::generateEach_data()
{
    QTest::addColumn<QStringList>("designs"); // "folder/name:changes" under the scratch folder
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QStringList>("written"); // the folders under OUTROOT that got the four files
    QTest::newRow("all done") << QStringList{"a:", "b:apb1div=4"} << 0 << "a.TFCC: 0 done\nb.TFCC: 0 done\n"
                              << QStringList{"a", "b"};
    QTest::newRow("a refusal outranks a warning")
        << QStringList{"w:tousbswitch=0 usbdiv=5.0", "r:pllns=80", "ok:"} << 2
        << "w.TFCC: 3 warning\nr.TFCC: 2 refused\nok.TFCC: 0 done\n"
        << QStringList{"ok"};
    QTest::newRow("a warning") << QStringList{"ok:", "w:tousbswitch=0 usbdiv=5.0"} << 3
                               << "ok.TFCC: 0 done\nw.TFCC: 3 warning\n"
                               << QStringList{"ok"};
    QTest::newRow("same base name twice") << QStringList{"x/a:", "b:", "y/a:"} << 1 << "" << QStringList{};
}

// generate --each: every design into a folder of its own name, one status
// line each, the most severe status for the run.
void TestCli::generateEach()
{
    QFETCH(QStringList, designs);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QStringList, written);
    QTemporaryDir dir;
    QStringList arguments{"generate", "--each", dir.filePath("root")};
    for (const QString &design : designs) {
        const QString path = dir.filePath(design.section(':', 0, 0) + ".TFCC");
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QVERIFY(!writeFile(path, designWith(design.section(':', 1))).isNull());
        arguments << path;
    }
    const Run run = runCli(arguments);
    QCOMPARE(run.status, status);
    QCOMPARE(QString(run.out).remove(dir.path() + '/'), out);
    const QDir root(dir.filePath("root"));
    QCOMPARE(root.entryList(QDir::Dirs | QDir::NoDotAndDotDot), written);
    for (const QString &name : written)
        QCOMPARE(existingOutputs(QDir(root.filePath(name))), kOutputs);
}

// render draws the tree as the program shows it: the drawing's size, and the
// controls with their values painted over the bare bitmap.
void TestCli::render()
{
    QTemporaryDir dir;
    const QString design = writeFile(dir.filePath("d.TFCC"), designWith("ahbdiv=4"));
    const QString png = dir.filePath("tree.png");
    const Run run = runCli({"render", design, png});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out.trimmed(), png);
    const QImage image(png);
    QCOMPARE(image.size(), QSize(1404, 828));
    const QImage bare = QImage(":/image/C330PLL.bmp").convertToFormat(image.format());
    std::unique_ptr<QXMCUPLL> widget(createSeriesWidget(13, nullptr));
    for (const char *name : {"sclk", "ahbdiv", "pllms", "pllcfg"}) {
        const QRect node =
            widget->findControl<QWidget>(name)->graphicsProxyWidget()->sceneBoundingRect().toRect();
        int drawn = 0;
        for (int y = node.top(); y <= node.bottom(); ++y) {
            for (int x = node.left(); x <= node.right(); ++x)
                drawn += image.pixel(x, y) != bare.pixel(x, y) ? 1 : 0;
        }
        QVERIFY2(drawn > node.width() * node.height() / 20, qPrintable(name));
    }
    QCOMPARE(runCli({"render", design, png}).status, 4); // kept without --overwrite
    QCOMPARE(runCli({"render", design, png, "--overwrite"}).status, 0);
    QCOMPARE(runCli({"render", design, dir.filePath("tree.jpg")}).status, 1);
    const QString pdf = dir.filePath("tree.pdf");
    QCOMPARE(runCli({"render", design, pdf}).status, 0);
    QFile out(pdf);
    QVERIFY(out.open(QIODevice::ReadOnly));
    QVERIFY(out.readAll().contains("/MediaBox [0 0 1404.000000 828.000000]"));

    // Without the desktop package's painter, render says what it needs.
    const QString alone = dir.filePath("tickforge-cli");
    QVERIFY(QFile::copy(TICKFORGE_CLI, alone));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PATH", dir.path());
    process.setProcessEnvironment(environment);
    process.start(alone, {"render", design, dir.filePath("other.png")});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(process.readAllStandardError().contains("rendering needs the desktop package \"tickforge\""));
    QVERIFY(!QFileInfo::exists(dir.filePath("other.png")));
}

// The command-line tool loads no GUI library: it is installed without them.
void TestCli::headless()
{
    QProcess ldd;
    ldd.start("ldd", {TICKFORGE_CLI});
    QVERIFY(ldd.waitForFinished(60000));
    const QString needed = QString::fromUtf8(ldd.readAllStandardOutput());
    QVERIFY2(needed.contains("libQt5Core.so"), qPrintable(needed));
    QVERIFY2(!needed.contains("libQt5Widgets") && !needed.contains("libQt5Gui"), qPrintable(needed));
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"

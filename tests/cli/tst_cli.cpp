#include "ClockConfig.h"
#include "DesignFile.h"
#include "DesignTestUtil.h"
#include "SeriesTable.h"

#include <QDir>
#include <QFileInfo>
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
    void help();
    void usageErrors_data();
    void usageErrors();
    void newWritesFactoryDesign_data();
    void newWritesFactoryDesign();
    void matchesTheProgram_data();
    void matchesTheProgram();
    void unsupportedInput_data();
    void unsupportedInput();
    void statuses_data();
    void statuses();
    void solve_data();
    void solve();
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
        run.err = QStringLiteral("<timed out>");
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Writes design to a file in dir; its path.
QString designFile(const QTemporaryDir &dir, const QByteArray &design)
{
    const QString path = dir.filePath(QStringLiteral("d.TFCC"));
    return writeBytes(path, design) ? path : QString();
}

// The program's record after Open, in this process.
std::unique_ptr<QXMCUPLL> openInProgram(const QString &path, int seriesId)
{
    std::unique_ptr<QXMCUPLL> widget(createSeriesWidget(seriesId, nullptr));
    ScriptedDialogs dialogs; // questions while loading: "Cancel"
    if (widget)
        widget->loadConfig(path);
    return widget;
}

const QStringList kOutputs = {QStringLiteral("src/main.c"), QStringLiteral("src/qxc330_335_clock.c"),
                              QStringLiteral("inc/qxc330_335_clock.h"),
                              QStringLiteral("inc/qxc330_335_conf.h")};

QStringList existingOutputs(const QString &dir)
{
    QStringList found;
    for (const QString &name : kOutputs) {
        if (QFileInfo::exists(QDir(dir).filePath(name)))
            found.append(name);
    }
    return found;
}

const Changes kUsbWarning = {{"tousbswitch", "0"}, {"usbdiv", "5.0"}};
const Changes kSclkRefused = {{"pllns", "80"}};
const QString kUsbText =
    QStringLiteral("USB clock must be 48MHz. But the USB clock of current config is wrong.  "
                   "please confirm whether to continue?");

} // namespace

void TestCli::help()
{
    const Run run = runCli({QStringLiteral("--help")});
    QCOMPARE(run.status, 0);
    for (const char *word : {"new SERIES", "show FILE", "check FILE", "generate FILE DIR", "solve SERIES",
                             "--force", "--overwrite", "--json", "QXE020", "\n  5  "})
        QVERIFY2(run.out.contains(QLatin1String(word)), word);
}

void TestCli::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    const auto row = [](const char *tag, const QStringList &arguments, const char *reason) {
        QTest::newRow(tag) << arguments << reason;
    };
    row("no command", {}, "no command");
    row("unknown command", {"bogus"}, "unknown command");
    row("missing argument", {"show"}, "takes 1");
    row("extra argument", {"new", "QXC330", "more"}, "takes 1");
    row("unknown option", {"check", "x.TFCC", "--json"}, "unknown option");
    row("option without value", {"new", "QXC330", "-o"}, "needs a value");
    row("unknown series", {"new", "QXC999"}, "unknown series");
    row("design cannot be saved", {"new", "QXC330", "-o", "/nonexistent/x.TFCC"}, "error: Save file failed!");
    row("solve without sclk", {"solve", "QXC330", "--hext", "8"}, "--sclk");
    row("solve with a word", {"solve", "QXC330", "--hext", "8", "--sclk", "fast"}, "fast");
    row("normal mode on a flexible series", {"solve", "QXC330", "--hext", "8", "--sclk", "100", "--normal"},
        "--normal");
    row("sclk above the limit", {"solve", "QXC330", "--hext", "8", "--sclk", "288.5"}, "sclk input error!");
    row("sclk below 4", {"solve", "QXC320", "--hext", "8", "--sclk", "3.9"}, "sclk input error!");
    row("hext out of range", {"solve", "QXC330", "--hext", "25.001", "--sclk", "100"}, "hext input error!");
}

void TestCli::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    const Run run = runCli(arguments);
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(reason), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
}

void TestCli::newWritesFactoryDesign_data()
{
    QTest::addColumn<int>("seriesId");
    for (const SeriesParams &row : SeriesTable::all())
        QTest::newRow(row.name) << row.id;
}

void TestCli::newWritesFactoryDesign()
{
    QFETCH(int, seriesId);
    const QString name = SeriesTable::byId(seriesId)->seriesName();
    auto widget = newSeriesWidget(seriesId);
    const Run run = runCli({QStringLiteral("new"), name});
    if (!widget) { // a series the program cannot build yet
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains(name));
        return;
    }
    QCOMPARE(run.status, 0);
    if (seriesId == 13)
        QCOMPARE(run.out.toUtf8(), factoryQxc330Document());

    // Exactly what the program's Save writes right after New, also with -o.
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("program.TFCC"));
    {
        ScriptedDialogs dialogs;
        dialogs.answerPath(saved);
        widget->saveConfig(name);
    }
    QCOMPARE(run.out, QString::fromUtf8(readBytes(saved)));
    const QString target = dir.filePath(QStringLiteral("cli.TFCC"));
    const Run toFile = runCli({QStringLiteral("new"), name, QStringLiteral("-o"), target});
    QCOMPARE(toFile.status, 0);
    QVERIFY(toFile.out.isEmpty());
    QCOMPARE(readBytes(target), readBytes(saved));
}

void TestCli::matchesTheProgram_data()
{
    QTest::addColumn<QByteArray>("design");
    QTest::addColumn<int>("seriesId");
    QTest::addColumn<QString>("err");
    const auto row = [](const char *tag, const QByteArray &design, int seriesId, const char *err) {
        QTest::newRow(tag) << design << seriesId << err;
    };
    row("factory QXC330", designWith({}), 13, "");
    row("factory QXC335", designWith({}, QStringLiteral("QXC335")), 14, "");
    const Changes hick = {{"sclkselect", "2"}, {"hicktosclk", "1"}, {"rtcswitch", "1"}, {"rtcsel", "2"}};
    row("HICK system clock, RTC on HEXT, slow buses", designWith(hick + Changes{{"apb1div", "4"}}), 13, "");
    const Changes usb = {{"tousbswitch", "0"}, {"clkout1pinselect", "2"}, {"clkout1", "3"}, {"clkout2", "5"}};
    row("USB, clock outputs, RTC on LEXT", designWith(usb + Changes{{"rtcswitch", "1"}, {"rtcsel", "1"}}), 13,
        "");
    row("PLL from HICK",
        designWith({{"pllrcs", "1"}, {"pllns", "100"}, {"pllfr", "4"}}, QStringLiteral("QXC335")), 14, "");
    row("fallbacks", designWith({{"pllms", "16"}, {"pllns", "20"}, {"ahbdiv", "32"}}), 13, "");
    // A box the program shows while opening goes to standard error.
    row("hext out of range", designWith({{"hext", "30.000000"}}), 13, "Error: hext input error!\n");
}

void TestCli::matchesTheProgram()
{
    QFETCH(QByteArray, design);
    QFETCH(int, seriesId);
    QFETCH(QString, err);
    QTemporaryDir dir;
    const QString path = designFile(dir, design);
    auto widget = openInProgram(path, seriesId);
    QVERIFY(widget);
    const auto fields = widget->config()->fieldValues();

    const Run show = runCli({QStringLiteral("show"), path});
    QCOMPARE(show.status, 0);
    QVERIFY2(show.err.contains(err), qPrintable(show.err));
    QString expected;
    for (const auto &field : fields) {
        const QVariant &v = field.second;
        expected += field.first + QLatin1Char(' ') +
                    (v.type() == QVariant::Bool ? QString::number(v.toInt())
                     : v.type() == QVariant::Double
                         ? QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest)
                         : v.toString()) +
                    QLatin1Char('\n');
    }
    QCOMPARE(show.out, expected);

    const Run json = runCli({QStringLiteral("show"), path, QStringLiteral("--json")});
    QCOMPARE(json.status, 0);
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QCOMPARE(object.size(), fields.size() + 1);
    QCOMPARE(object.value(QStringLiteral("series")).toString(), SeriesTable::byId(seriesId)->seriesName());
    for (const auto &field : fields)
        QCOMPARE(object.value(field.first).toVariant().toDouble(), field.second.toDouble());
    // Keys come in field order, not sorted.
    QVERIFY(json.out.indexOf(QLatin1String("\"seriesId\"")) < json.out.indexOf(QLatin1String("\"lickKHz\"")));

    const QString cliDir = dir.filePath(QStringLiteral("cli"));
    const Run generate = runCli({QStringLiteral("generate"), path, cliDir});
    QCOMPARE(generate.status, 0);
    QCOMPARE(generate.out, kOutputs.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    const QString programDir = dir.filePath(QStringLiteral("program"));
    ScriptedDialogs dialogs;
    dialogs.answerPath(programDir);
    dialogs.answerButton(QMessageBox::Ok);
    widget->generateCode();
    QCOMPARE(dialogs.last()->icon, QMessageBox::Information);
    for (const QString &name : kOutputs) {
        const QByteArray cli = readBytes(QDir(cliDir).filePath(name));
        QVERIFY2(cli.size() > 100, qPrintable(name));
        QCOMPARE(cli, readBytes(QDir(programDir).filePath(name)));
    }
}

void TestCli::unsupportedInput_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    const QByteArray good = designWith({});
    const QString notSupported = QStringLiteral("MCU in file not supported.");
    const auto row = [](const char *tag, const QByteArray &content, const QString &reason) {
        QTest::newRow(tag) << content << reason;
    };
    row("empty", QByteArray(), notSupported);
    row("binary", QByteArray::fromHex("7f454c4602010100000000"), notSupported);
    row("unknown series", designWith({}, QStringLiteral("QXC999")), notSupported);
    row("series name in lower case", designWith({}, QStringLiteral("qxc330")), notSupported);
    row("entities", "<!DOCTYPE C [<!ENTITY m \"QXC330\">]><C><MCU>&m;</MCU></C>", notSupported);
    row("over 1 MiB", good + QByteArray(int(DesignFile::MaxFileSize), ' '), notSupported);
    row("missing file", "<missing>", QStringLiteral("no such file"));
}

void TestCli::unsupportedInput()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path =
        content == "<missing>" ? dir.filePath(QStringLiteral("d.TFCC")) : designFile(dir, content);
    for (const char *command : {"show", "check"}) {
        const Run run = runCli({QLatin1String(command), path});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
    const Run generate = runCli({QStringLiteral("generate"), path, dir.filePath(QStringLiteral("out"))});
    QCOMPARE(generate.status, 1);
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("out"))));
}

void TestCli::statuses_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("design");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("existing"); // an output file present before
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text"); // check: standard output; generate: in standard error
    const auto row = [](const char *tag, const char *command, const QByteArray &design, const char *option,
                        const char *existing, int status, const QString &text) {
        QTest::newRow(tag) << command << design << option << existing << status << text;
    };
    const QString refused = QStringLiteral("error: Can not support sclk greater than 288MHz\n");
    const QString warning = QStringLiteral("warning: ") + kUsbText + QLatin1Char('\n');
    row("check factory", "check", designWith({}), "", "", 0, "");
    row("check sclk above the limit", "check", designWith(kSclkRefused), "", "", 2, refused);
    row("check USB clock not 48 MHz", "check", designWith(kUsbWarning), "", "", 3, warning);
    row("check USB clock 48 MHz", "check", designWith({{"tousbswitch", "0"}}), "", "", 0, "");
    row("a file exists", "generate", designWith({}), "", "src/main.c", 4, "main.c exists");
    row("a file exists, --overwrite", "generate", designWith({}), "--overwrite", "inc/qxc330_335_conf.h", 0,
        "");
    row("warning", "generate", designWith(kUsbWarning), "", "", 3, warning);
    row("warning, --force", "generate", designWith(kUsbWarning), "--force", "", 0, warning);
    row("refused, --force", "generate", designWith(kSclkRefused), "--force", "", 2, refused);
    row("inc is a file", "generate", designWith({}), "", "inc", 5, "error: Creating \"inc\" folder error!");
}

void TestCli::statuses()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, design);
    QFETCH(QString, option);
    QFETCH(QString, existing);
    QFETCH(int, status);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QDir out(dir.filePath(QStringLiteral("out")));
    const QByteArray mine = "written by hand\n";
    if (!existing.isEmpty()) {
        QVERIFY(QDir().mkpath(QFileInfo(out.filePath(existing)).path()));
        QVERIFY(writeBytes(out.filePath(existing), mine));
    }

    QStringList arguments{command, designFile(dir, design)};
    if (command == QLatin1String("generate"))
        arguments.append(out.path());
    if (!option.isEmpty())
        arguments.append(option);
    const Run run = runCli(arguments);
    QCOMPARE(run.status, status);
    if (command == QLatin1String("check")) {
        QCOMPARE(run.out, text);
        return;
    }
    QVERIFY2(run.err.contains(text), qPrintable(run.err));
    if (status == 0) {
        QCOMPARE(existingOutputs(out.path()), kOutputs);
        QVERIFY(existing.isEmpty() || readBytes(out.filePath(existing)) != mine);
        return;
    }
    // Nothing was written.
    QVERIFY(run.out.isEmpty());
    QCOMPARE(existingOutputs(out.path()),
             existing.contains(QLatin1Char('/')) ? QStringList{existing} : QStringList());
    QVERIFY(existing.isEmpty() || readBytes(out.filePath(existing)) == mine);
}

void TestCli::solve_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *tag, const QStringList &arguments, const char *factors,
                        const char *rest) {
        QTest::newRow(tag) << arguments << QString::fromLatin1(factors) + QLatin1String(rest);
    };
    row("QXC330 8 MHz to 288", {"QXC330", "--hext", "8", "--sclk", "288"}, "pllMs 1\npllNs 72\npllFr 2\n",
        "pllMult 0\npllMHz 288\nsclkMHz 288\nusbDiv 6\nCRM_PLLCFG 0x00411201\n");
    row("QXC330 12 MHz to 100", {"QXC330", "--hext", "12", "--sclk", "100"}, "pllMs 3\npllNs 200\npllFr 8\n",
        "pllMult 0\npllMHz 100\nsclkMHz 100\nusbDiv 6\nCRM_PLLCFG 0x00433203\n");
    row("QXC330 reaches 287 for 287.3", {"QXC330", "--hext", "8", "--sclk", "287.3"},
        "pllMs 4\npllNs 287\npllFr 2\n",
        "pllMult 0\npllMHz 287\nsclkMHz 287\nusbDiv 6\nCRM_PLLCFG 0x004147c4\n");
    row("QXC335 from HICK, USB divider follows", {"QXC335", "--hext", "8", "--sclk", "192", "--hick"},
        "pllMs 1\npllNs 96\npllFr 4\n",
        "pllMult 0\npllMHz 192\nsclkMHz 192\nusbDiv 4\nCRM_PLLCFG 0x00021801\n");
    row("multiplier series", {"QXC310", "--hext", "8", "--sclk", "200"}, "pllMs 2\npllNs 192\npllFr 8\n",
        "pllMult 25\npllMHz 200\nsclkMHz 200\nusbDiv 4\n");
    row("selectable series, normal mode", {"QXC315", "--hext", "8", "--sclk", "120", "--normal"},
        "pllMs 1\npllNs 72\npllFr 4\n", "pllMult 15\npllMHz 120\nsclkMHz 120\nusbDiv 2.5\n");
    row("selectable series, flexible mode", {"QXC315", "--hext", "8", "--sclk", "120"},
        "pllMs 1\npllNs 120\npllFr 8\n",
        "pllMult 18\npllMHz 120\nsclkMHz 120\nusbDiv 2.5\nCRM_PLLCFG 0x00431e01\n");
}

void TestCli::solve()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    const Run run = runCli(QStringList{QStringLiteral("solve")} + arguments);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, expected);
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"

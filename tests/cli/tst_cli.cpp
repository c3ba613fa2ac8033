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
    void helpDescribesEverything();
    void usageErrors_data();
    void usageErrors();
    void newWritesFactoryDesign_data();
    void newWritesFactoryDesign();
    void showPrintsTheProgramsRecord_data();
    void showPrintsTheProgramsRecord();
    void showJson();
    void unsupportedInput_data();
    void unsupportedInput();
    void boxesWhileLoadingGoToStderr();
    void checkStatuses_data();
    void checkStatuses();
    void generateMatchesTheProgram_data();
    void generateMatchesTheProgram();
    void generateStatuses_data();
    void generateStatuses();
    void solve_data();
    void solve();
    void solveEverySeries_data();
    void solveEverySeries();
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

// "name value" lines as the CLI prints a record of fields.
QString fieldLines(const QVector<QPair<QString, QVariant>> &fields)
{
    QString text;
    for (const auto &field : fields) {
        QString value;
        if (field.second.type() == QVariant::Bool)
            value = field.second.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        else if (field.second.type() == QVariant::Double)
            value = QString::number(field.second.toDouble(), 'g', QLocale::FloatingPointShortest);
        else
            value = field.second.toString();
        text += field.first + QLatin1Char(' ') + value + QLatin1Char('\n');
    }
    return text;
}

// The program's record after Open, in this process.
std::unique_ptr<QXMCUPLL> openInProgram(const QString &path, int seriesId)
{
    std::unique_ptr<QXMCUPLL> widget(createSeriesWidget(seriesId, nullptr));
    if (widget) {
        ScriptedDialogs dialogs; // questions while loading: "Cancel"
        widget->loadConfig(path);
    }
    return widget;
}

const QStringList kOutputs = {QStringLiteral("src/qxc330_335_clock.c"),
                              QStringLiteral("inc/qxc330_335_clock.h"), QStringLiteral("src/main.c"),
                              QStringLiteral("inc/qxc330_335_conf.h")};

QStringList existingEntries(const QString &dir)
{
    QStringList found;
    for (const QString &name : kOutputs) {
        if (QFileInfo::exists(QDir(dir).filePath(name)))
            found.append(name);
    }
    return found;
}

// Designs that pass every check, and ones that do not.
const Changes kUsbWarning = {{"tousbswitch", "0"}, {"usbdiv", "5.0"}};
const Changes kSclkRefused = {{"pllns", "80"}};

} // namespace

void TestCli::helpDescribesEverything()
{
    const Run run = runCli({QStringLiteral("--help")});
    QCOMPARE(run.status, 0);
    for (const char *word :
         {"new SERIES", "show FILE", "check FILE", "generate FILE DIR", "--force", "--overwrite",
          "solve SERIES", "--hick", "--normal", "--json", "Exit status", "QXC330", "QXE020"})
        QVERIFY2(run.out.contains(QLatin1String(word)), word);
    for (int status = 0; status <= 5; ++status)
        QVERIFY(run.out.contains(QStringLiteral("\n  %1  ").arg(status)));
}

void TestCli::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no command") << QStringList() << "no command";
    QTest::newRow("unknown command") << QStringList{"bogus"} << "unknown command";
    QTest::newRow("missing argument") << QStringList{"show"} << "takes 1";
    QTest::newRow("extra argument") << QStringList{"new", "QXC330", "more"} << "takes 1";
    QTest::newRow("unknown option") << QStringList{"check", "x.TFCC", "--json"} << "unknown option";
    QTest::newRow("option without value") << QStringList{"new", "QXC330", "-o"} << "needs a value";
    QTest::newRow("unknown series") << QStringList{"new", "QXC999"} << "unknown series";
    QTest::newRow("design cannot be saved")
        << QStringList{"new", "QXC330", "-o", "/nonexistent/x.TFCC"} << "error: Save file failed!";
    QTest::newRow("solve without sclk") << QStringList{"solve", "QXC330", "--hext", "8"} << "--sclk";
    QTest::newRow("solve with a word")
        << QStringList{"solve", "QXC330", "--hext", "8", "--sclk", "fast"} << "fast";
    QTest::newRow("normal mode on a flexible series")
        << QStringList{"solve", "QXC330", "--hext", "8", "--sclk", "100", "--normal"} << "--normal";
    QTest::newRow("sclk above the series limit")
        << QStringList{"solve", "QXC330", "--hext", "8", "--sclk", "288.5"} << "sclk input error!";
    QTest::newRow("sclk below 4") << QStringList{"solve", "QXC320", "--hext", "8", "--sclk", "3.9"}
                                  << "sclk input error!";
    QTest::newRow("hext out of range")
        << QStringList{"solve", "QXC330", "--hext", "25.001", "--sclk", "100"} << "hext input error!";
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
    if (!widget) {
        // A series the program cannot build yet.
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains(name));
        return;
    }
    QCOMPARE(run.status, 0);

    // Exactly what the program's Save writes right after New.
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("program.TFCC"));
    {
        ScriptedDialogs dialogs;
        dialogs.answerPath(saved);
        widget->saveConfig(name);
    }
    QCOMPARE(run.out, QString::fromUtf8(readBytes(saved)));
    if (seriesId == 13)
        QCOMPARE(run.out.toUtf8(), factoryQxc330Document());

    const QString target = dir.filePath(QStringLiteral("cli.TFCC"));
    const Run toFile = runCli({QStringLiteral("new"), name, QStringLiteral("-o"), target});
    QCOMPARE(toFile.status, 0);
    QVERIFY(toFile.out.isEmpty());
    QCOMPARE(readBytes(target), readBytes(saved));
}

void TestCli::showPrintsTheProgramsRecord_data()
{
    QTest::addColumn<QByteArray>("design");
    QTest::addColumn<int>("seriesId");
    QTest::newRow("factory QXC330") << designWith({}) << 13;
    QTest::newRow("QXC335") << designWith({}, QStringLiteral("QXC335")) << 14;
    QTest::newRow("HICK system clock, RTC on HEXT") << designWith({{"sclkselect", "2"},
                                                                   {"hicktosclk", "1"},
                                                                   {"rtcswitch", "1"},
                                                                   {"rtcsel", "2"},
                                                                   {"rtcdiv", "8"}})
                                                    << 13;
    QTest::newRow("USB from the PLL, clock outputs") << designWith({{"tousbswitch", "0"},
                                                                    {"usbdiv", "6.0"},
                                                                    {"clkout1pinselect", "2"},
                                                                    {"clkout1", "3"},
                                                                    {"clkout1div1", "3"},
                                                                    {"clkout2pinselect", "1"},
                                                                    {"clkout2", "5"},
                                                                    {"clkout2div2", "64"}})
                                                     << 13;
    QTest::newRow("fallbacks")
        << designWith({{"pllms", "16"}, {"pllns", "20"}, {"ahbdiv", "32"}, {"usbdiv", "6.25"}}) << 13;
}

void TestCli::showPrintsTheProgramsRecord()
{
    QFETCH(QByteArray, design);
    QFETCH(int, seriesId);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.TFCC"));
    QVERIFY(writeBytes(path, design));
    auto widget = openInProgram(path, seriesId);
    QVERIFY(widget);

    const Run run = runCli({QStringLiteral("show"), path});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, fieldLines(widget->config()->fieldValues()));
}

void TestCli::showJson()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.TFCC"));
    QVERIFY(writeBytes(path, designWith({{"pllfr", "4"}})));
    auto widget = openInProgram(path, 13);
    QVERIFY(widget);

    const Run run = runCli({QStringLiteral("show"), path, QStringLiteral("--json")});
    QCOMPARE(run.status, 0);
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonObject object = json.object();
    const auto fields = widget->config()->fieldValues();
    QCOMPARE(object.size(), fields.size() + 1);
    QCOMPARE(object.value(QStringLiteral("series")).toString(), QStringLiteral("QXC330"));
    for (const auto &field : fields) {
        const QJsonValue value = object.value(field.first);
        if (field.second.type() == QVariant::Bool) {
            QCOMPARE(value.toBool(), field.second.toBool());
        } else {
            QVERIFY2(value.isDouble(), qPrintable(field.first));
            QCOMPARE(value.toDouble(), field.second.toDouble());
        }
    }
    QCOMPARE(object.value(QStringLiteral("sclkMHz")).toDouble(), 144.0);
    // Keys come in field order, not sorted.
    QVERIFY(run.out.indexOf(QLatin1String("\"seriesId\"")) < run.out.indexOf(QLatin1String("\"lickKHz\"")));
}

void TestCli::unsupportedInput_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    const QByteArray good = designWith({});
    const QString notSupported = QStringLiteral("MCU in file not supported.");
    QTest::newRow("empty") << QByteArray() << notSupported;
    QTest::newRow("truncated") << good.left(good.size() - 20) << notSupported;
    QTest::newRow("binary") << QByteArray("\x7f"
                                          "ELF\x02\x01\x01\x00\x00\x00",
                                          10)
                            << notSupported;
    QTest::newRow("unknown series") << designWith({}, QStringLiteral("QXC999")) << notSupported;
    QTest::newRow("series name in lower case") << designWith({}, QStringLiteral("qxc330")) << notSupported;
    QTest::newRow("entities")
        << QByteArray("<!DOCTYPE C [<!ENTITY m \"QXC330\">]><Configuration><MCU>&m;</MCU></Configuration>")
        << notSupported;
    QByteArray huge = good;
    huge.replace("</Configuration>",
                 "<pad>" + QByteArray(int(DesignFile::MaxFileSize), 'x') + "</pad></Configuration>");
    QTest::newRow("over 1 MiB") << huge << notSupported;
    QTest::newRow("missing file") << QByteArray("<missing>") << "no such file";
}

void TestCli::unsupportedInput()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.TFCC"));
    if (content != "<missing>")
        QVERIFY(writeBytes(path, content));
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

void TestCli::boxesWhileLoadingGoToStderr()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.TFCC"));
    QVERIFY(writeBytes(path, designWith({{"hext", "30.000000"}})));
    const Run run = runCli({QStringLiteral("show"), path});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.contains(QLatin1String("Error: hext input error!\n")), qPrintable(run.err));
    QVERIFY(run.out.contains(QLatin1String("\nhextMHz 30\n")));
}

void TestCli::checkStatuses_data()
{
    QTest::addColumn<QByteArray>("design");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    QTest::newRow("factory") << designWith({}) << 0 << QString();
    QTest::newRow("sclk above the limit")
        << designWith(kSclkRefused) << 2 << "error: Can not support sclk greater than 288MHz\n";
    QTest::newRow("USB clock not 48 MHz")
        << designWith(kUsbWarning) << 3
        << "warning: USB clock must be 48MHz. But the USB clock of current config is wrong.  please confirm "
           "whether to continue?\n";
    QTest::newRow("USB clock 48 MHz") << designWith({{"tousbswitch", "0"}}) << 0 << QString();
}

void TestCli::checkStatuses()
{
    QFETCH(QByteArray, design);
    QFETCH(int, status);
    QFETCH(QString, output);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.TFCC"));
    QVERIFY(writeBytes(path, design));
    const Run run = runCli({QStringLiteral("check"), path});
    QCOMPARE(run.status, status);
    QCOMPARE(run.out, output);
}

void TestCli::generateMatchesTheProgram_data()
{
    QTest::addColumn<QByteArray>("design");
    QTest::addColumn<int>("seriesId");
    QTest::newRow("factory QXC330") << designWith({}) << 13;
    QTest::newRow("factory QXC335") << designWith({}, QStringLiteral("QXC335")) << 14;
    QTest::newRow("USB, clock outputs, RTC") << designWith({{"tousbswitch", "0"},
                                                            {"clkout1pinselect", "1"},
                                                            {"clkout1", "2"},
                                                            {"clkout2pinselect", "1"},
                                                            {"clkout2", "3"},
                                                            {"rtcswitch", "1"},
                                                            {"rtcsel", "1"},
                                                            {"hextbypass", "1"}})
                                             << 13;
    QTest::newRow("HICK system clock, slow buses") << designWith({{"sclkselect", "2"},
                                                                  {"hicktosclk", "1"},
                                                                  {"ahbdiv", "2"},
                                                                  {"apb1div", "4"},
                                                                  {"apb2div", "8"}})
                                                   << 14;
    QTest::newRow("PLL from HICK") << designWith({{"pllrcs", "1"}, {"pllns", "100"}, {"pllfr", "4"}}) << 13;
}

void TestCli::generateMatchesTheProgram()
{
    QFETCH(QByteArray, design);
    QFETCH(int, seriesId);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.TFCC"));
    QVERIFY(writeBytes(path, design));

    const QString cliDir = dir.filePath(QStringLiteral("cli"));
    const Run run = runCli({QStringLiteral("generate"), path, cliDir});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, QStringLiteral("src/main.c\nsrc/qxc330_335_clock.c\ninc/qxc330_335_clock.h\n"
                                     "inc/qxc330_335_conf.h\n"));

    const QString programDir = dir.filePath(QStringLiteral("program"));
    auto widget = openInProgram(path, seriesId);
    QVERIFY(widget);
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

void TestCli::generateStatuses_data()
{
    QTest::addColumn<QByteArray>("design");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("existing"); // an output file present before
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("stderrText");

    QTest::newRow("a file exists") << designWith({}) << QStringList() << "src/main.c" << 4 << "main.c exists";
    QTest::newRow("a file exists, --overwrite")
        << designWith({}) << QStringList{"--overwrite"} << "inc/qxc330_335_conf.h" << 0 << QString();
    QTest::newRow("warning") << designWith(kUsbWarning) << QStringList() << QString() << 3
                             << "warning: USB clock must be 48MHz.";
    QTest::newRow("warning, --force") << designWith(kUsbWarning) << QStringList{"--force"} << QString() << 0
                                      << "warning: USB clock must be 48MHz.";
    QTest::newRow("refused, --force") << designWith(kSclkRefused) << QStringList{"--force"} << QString() << 2
                                      << "error: Can not support sclk greater than 288MHz";
    QTest::newRow("inc is a file") << designWith({}) << QStringList() << "inc" << 5
                                   << "error: Creating \"inc\" folder error!";
}

void TestCli::generateStatuses()
{
    QFETCH(QByteArray, design);
    QFETCH(QStringList, options);
    QFETCH(QString, existing);
    QFETCH(int, status);
    QFETCH(QString, stderrText);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.TFCC"));
    QVERIFY(writeBytes(path, design));
    const QString out = dir.filePath(QStringLiteral("out"));
    const QByteArray mine = "written by hand\n";
    if (!existing.isEmpty()) {
        QVERIFY(QDir().mkpath(QFileInfo(QDir(out).filePath(existing)).absolutePath()));
        QVERIFY(writeBytes(QDir(out).filePath(existing), mine));
    }

    const Run run = runCli(QStringList{QStringLiteral("generate"), path, out} + options);
    QCOMPARE(run.status, status);
    QVERIFY2(run.err.contains(stderrText), qPrintable(run.err));
    if (status == 0) {
        QCOMPARE(existingEntries(out), kOutputs);
        if (!existing.isEmpty())
            QVERIFY(readBytes(QDir(out).filePath(existing)) != mine);
        return;
    }
    // Nothing was written.
    QVERIFY(run.out.isEmpty());
    QCOMPARE(existingEntries(out),
             existing.contains(QLatin1Char('/')) ? QStringList{existing} : QStringList());
    if (!existing.isEmpty())
        QCOMPARE(readBytes(QDir(out).filePath(existing)), mine);
}

void TestCli::solve_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    QTest::newRow("QXC330 8 MHz to 288") << QStringList{"QXC330", "--hext", "8", "--sclk", "288"}
                                         << "pllMs 1\npllNs 72\npllFr 2\npllMult 0\npllMHz 288\nsclkMHz "
                                            "288\nusbDiv 6\nCRM_PLLCFG 0x00411201\n";
    QTest::newRow("QXC330 12 MHz to 100") << QStringList{"QXC330", "--hext", "12", "--sclk", "100"}
                                          << "pllMs 3\npllNs 200\npllFr 8\npllMult 0\npllMHz 100\nsclkMHz "
                                             "100\nusbDiv 6\nCRM_PLLCFG 0x00433203\n";
    QTest::newRow("QXC330 reaches 287 for 287.3") << QStringList{"QXC330", "--hext", "8", "--sclk", "287.3"}
                                                  << "pllMs 4\npllNs 287\npllFr 2\npllMult 0\npllMHz "
                                                     "287\nsclkMHz 287\nusbDiv 6\nCRM_PLLCFG 0x004147c4\n";
    QTest::newRow("QXC335 from HICK, USB divider follows")
        << QStringList{"QXC335", "--hext", "8", "--sclk", "192", "--hick"}
        << "pllMs 1\npllNs 96\npllFr 4\npllMult 0\npllMHz 192\nsclkMHz 192\nusbDiv 4\nCRM_PLLCFG "
           "0x00021801\n";
    QTest::newRow("multiplier series")
        << QStringList{"QXC310", "--hext", "8", "--sclk", "200"}
        << "pllMs 2\npllNs 192\npllFr 8\npllMult 25\npllMHz 200\nsclkMHz 200\nusbDiv 4\n";
}

void TestCli::solve()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    const Run run = runCli(QStringList{QStringLiteral("solve")} + arguments);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, expected);
}

void TestCli::solveEverySeries_data()
{
    QTest::addColumn<int>("seriesId");
    QTest::addColumn<bool>("normal");
    for (const SeriesParams &row : SeriesTable::all()) {
        QTest::newRow(row.name) << row.id << false;
        if (row.pllKind == PllKind::Selectable)
            QTest::newRow(qPrintable(row.seriesName() + QStringLiteral(" normal"))) << row.id << true;
    }
}

void TestCli::solveEverySeries()
{
    QFETCH(int, seriesId);
    QFETCH(bool, normal);
    const SeriesParams *row = SeriesTable::byId(seriesId);
    // The series' own factory system clock is reachable from 8 MHz exactly.
    QStringList arguments{QStringLiteral("solve"),  row->seriesName(),
                          QStringLiteral("--hext"), QStringLiteral("8"),
                          QStringLiteral("--sclk"), QString::number(row->factorySclkMHz),
                          QStringLiteral("--json")};
    if (normal)
        arguments.append(QStringLiteral("--normal"));
    const Run run = runCli(arguments);
    QCOMPARE(run.status, 0);
    const QJsonObject object = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QCOMPARE(object.value(QStringLiteral("series")).toString(), row->seriesName());
    QCOMPARE(object.value(QStringLiteral("pllMHz")).toDouble(), row->factorySclkMHz);
    QCOMPARE(object.value(QStringLiteral("sclkMHz")).toDouble(), row->factorySclkMHz);
    const bool flexible =
        row->pllKind == PllKind::Flexible || (row->pllKind == PllKind::Selectable && !normal);
    QCOMPARE(object.contains(QStringLiteral("CRM_PLLCFG")), flexible);
    if (!flexible)
        QCOMPARE(object.value(QStringLiteral("pllMult")).toInt() * 8.0, row->factorySclkMHz);
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"

#include "DesignFile.h"
#include "DesignTestUtil.h"
#include "SeriesTable.h"

#include "TableRows.h"
#include <QGraphicsProxyWidget>
#include <QImage>

#include <QtTest>

namespace {

using Run = ProgramRun;

Run runCli(const QStringList &arguments)
{
    return runProgram(QStringLiteral(TICKFORGE_CLI), arguments);
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

// A design cell: "factory", "factory: element=text ..." or the file's bytes.
QByteArray designFrom(const QString &cell)
{
    if (cell == "factory" || cell.startsWith("factory: "))
        return designWith(cell.mid(9));
    return cell.toUtf8();
}

} // namespace

// tickforge-cli run as a separate program, compared with the program's own
// series widgets driven in this process.
class TestCli : public QObject {
    Q_OBJECT

private slots:
    void commands_data() { addTableRows("cli_commands.tsv"); }
    void commands()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, status);
        QFETCH(QString, text);
        QFETCH(QString, design);
        QFETCH(QString, existing);
        text = QString::fromUtf8(designFrom(text));
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
        QVERIFY(design == "-" || !writeFile(path, designFrom(design)).isNull());
        arguments.replace(QStringLiteral("FILE"), path).replace(QStringLiteral("OUT"), out.path());
        text.replace("<FILE>", path).replace("<OUT>", out.path());
        QStringList words = arguments.split(' ', Qt::SkipEmptyParts);
        words.replaceInStrings(QRegularExpression("^EMPTY$"), QString());
        const Run run = runCli(words);
        QCOMPARE(run.status, status.toInt());
        const QString both = run.out + run.err;
        QVERIFY2(both.contains(text), qPrintable(both));
        QVERIFY(status != "1" || run.out.isEmpty());
        if (arguments.contains("--json"))
            QVERIFY(!QJsonDocument::fromJson(run.out.toUtf8()).isNull());
        if (!arguments.contains(out.path()))
            return;
        if (status == "0") {
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

    // The same checks on numbers that are no clocks.
    void numbers_data() { addTableRows("cli_numbers.tsv"); }
    void numbers() { commands(); }

    void matchesTheProgram_data()
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

    // new writes what Save writes, and generate what the program's own
    // Generate writes for the same design.
    void matchesTheProgram()
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

    void upToDateCheck_data() { addTableRows("cli_uptodate.tsv"); }
    // generate --check writes nothing and says whether the folder holds exactly
    // what generate would write now.
    void upToDateCheck()
    {
        QFETCH(QString, first);
        QFETCH(QString, before);
        QFETCH(QString, tamper);
        QFETCH(QString, arguments);
        QFETCH(QString, design);
        QFETCH(QString, status);
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
        QCOMPARE(checked.status, status.toInt());
        const QString both = checked.out + checked.err;
        QVERIFY2(both.contains(text), qPrintable(both));
        QCOMPARE(existingOutputs(out).size(), files.size());
        for (const QString &name : files.keys())
            QCOMPARE(readBytes(out.filePath(name)), files.value(name));
    }

    void setEdits_data() { addTableRows("cli_set.tsv"); }
    // set: edits made as a user makes them, saved only when every one was taken.
    void setEdits()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, status);
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
        QCOMPARE(run.status, status.toInt());
        QVERIFY2(QString(run.out + run.err).contains(text), qPrintable(run.out + run.err));
        QVERIFY2(run.status != 0 || !QString(run.out + run.err).contains("error:"), qPrintable(run.out));
        if (written.isEmpty()) {
            QCOMPARE(readBytes(path), designWith());
            QCOMPARE(readBytes(existing), QByteArray("mine\n"));
            return;
        }
        const QString element = written.section('=', 0, 0);
        QCOMPARE(DesignFile::readElement(out, element), written.section('=', 1));
        QVERIFY(out == path || readBytes(path) == designWith());
    }

    void setCrystal_data() { addTableRows("cli_set_crystal.tsv"); }
    // set never saves another crystal than the board's: where the window
    // corrects the PLL input by changing the crystal, set refuses.
    void setCrystal()
    {
        QFETCH(QString, series);
        QFETCH(QString, design);
        QFETCH(QString, arguments);
        QFETCH(QString, status);
        QFETCH(QString, text);
        QFETCH(QString, written);
        QTemporaryDir dir;
        const QString path = dir.filePath("d.TFCC");
        QCOMPARE(runCli({"new", series, "-o", path}).status, 0);
        QByteArray bytes = readBytes(path);
        for (const QString &change : design.split(' ', Qt::SkipEmptyParts)) {
            const QString element = change.section('=', 0, 0);
            const QRegularExpression old("<" + element + ">[^<]*</" + element + ">");
            QString edited = QString::fromUtf8(bytes);
            QVERIFY2(edited.contains(old), qPrintable(element));
            bytes = edited.replace(old, "<" + element + ">" + change.section('=', 1) + "</" + element + ">")
                        .toUtf8();
        }
        QVERIFY(!writeFile(path, bytes).isNull());
        const QString out = dir.filePath("o.TFCC");
        const Run run = runCli(QStringList{"set", path} + arguments.replace("OUT", out).split(' '));
        QCOMPARE(run.status, status.toInt());
        QVERIFY2(QString(run.out + run.err).contains(text), qPrintable(run.out + run.err));
        QVERIFY2(run.status != 0 || !QString(run.out + run.err).contains("error:"), qPrintable(run.out));
        QCOMPARE(readBytes(path), bytes);
        if (written.isEmpty()) {
            QVERIFY(!QFileInfo::exists(out));
            return;
        }
        QCOMPARE(DesignFile::readElement(out, written.section('=', 0, 0)), written.section('=', 1));
    }

    void generateEach_data() { addTableRows("cli_each.tsv"); }
    // generate --each: every design into a folder of its own name, one status
    // line each, the most severe status for the run.
    void generateEach()
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
    void render()
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
                QXMCUPLL::proxyOf(widget->findControl<QWidget>(name))->sceneBoundingRect().toRect();
            int drawn = 0;
            for (int y = node.top(); y <= node.bottom(); ++y) {
                for (int x = node.left(); x <= node.right(); ++x)
                    drawn += image.pixel(x, y) != bare.pixel(x, y) ? 1 : 0;
            }
            QVERIFY2(drawn > node.width() * node.height() / 20, qPrintable(name));
        }
        const Run kept = runCli({"render", design, png}); // without --overwrite
        QCOMPARE(QString::number(kept.status) + ' ' + kept.err, "4 exists: " + png + '\n');
        QCOMPARE(runCli({"render", design, png, "--overwrite"}).status, 0);
        const Run jpeg = runCli({"render", design, dir.filePath("tree.jpg")});
        QCOMPARE(QString::number(jpeg.status) + ' ' + jpeg.err,
                 "1 tickforge-cli: render writes a .png, .pdf or .svg file: " + dir.filePath("tree.jpg") + '\n');
        const QString pdf = dir.filePath("tree.pdf");
        QCOMPARE(runCli({"render", design, pdf}).status, 0);
        QFile out(pdf);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QVERIFY(out.readAll().contains("/MediaBox [0 0 1404.000000 828.000000]"));
        // The page shows what the PNG shows: every frame and caption, nothing
        // painted over (a viewer's rendering at one pixel per point). The page
        // is vector: the viewer snaps its strokes and glyphs to its own pixels,
        // so a pixel differs only when nothing within one pixel of it in the
        // picture is near its colour.
        QCOMPARE(
            QProcess::execute("pdftoppm", {"-r", "72", "-png", "-singlefile", pdf, dir.filePath("page")}), 0);
        const QImage page = QImage(dir.filePath("page.png")).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(page.size(), image.size());
        const QImage shown = QImage(png).convertToFormat(QImage::Format_RGB32);
        int differing = 0;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QRgb a = page.pixel(x, y);
                bool near = false;
                for (int dy = -1; dy <= 1 && !near; ++dy) {
                    for (int dx = -1; dx <= 1 && !near; ++dx) {
                        const QPoint at(x + dx, y + dy);
                        near = shown.rect().contains(at) && qAbs(qGray(a) - qGray(shown.pixel(at))) <= 96;
                    }
                }
                differing += near ? 0 : 1;
            }
        }
        QVERIFY2(differing < page.width() * page.height() / 200, qPrintable(QString::number(differing)));

        // Without the desktop package's painter, render says what it needs.
        const QString alone = dir.filePath("tickforge-cli");
        QVERIFY(QFile::copy(TICKFORGE_CLI, alone));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PATH", dir.path());
        environment.remove("QT_QPA_PLATFORM"); // nor a display: the painter needs none
        environment.remove("DISPLAY");
        const QStringList again{"render", design, dir.filePath("other.png")};
        Run lone = runProgram(alone, again, environment);
        QCOMPARE(lone.status, 1);
        QVERIFY(lone.err.contains("rendering needs the desktop package \"tickforge\" "
                                  "(its program tickforge-render was not found)"));
        QVERIFY(!QFileInfo::exists(dir.filePath("other.png")));
        // The painter's own help is no failure.
        const Run help = runProgram(QFileInfo(TICKFORGE_CLI).dir().filePath("tickforge-render"), {"--help"});
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.startsWith("Usage: tickforge-render FILE OUT.png|OUT.pdf"));
        const Run bogus =
            runProgram(QFileInfo(TICKFORGE_CLI).dir().filePath("tickforge-render"), {"--bogus"}, environment);
        QCOMPARE(QString::number(bogus.status) + ' ' + bogus.err,
                 "1 tickforge-render: unknown option \"--bogus\"\n");
        // A painter that dies is told as such.
        const QString painter = writeFile(dir.filePath("tickforge-render"), "#!/bin/sh\nkill -SEGV $$\n");
        QVERIFY(QFile::setPermissions(painter, QFile::ReadOwner | QFile::ExeOwner));
        lone = runProgram(alone, again, environment);
        QCOMPARE(lone.status, 5);
        QCOMPARE(lone.err, "tickforge-cli: " + painter + " crashed\n");
    }

    void networkOnlyForUpdate_data() { addTableRows("cli_libraries.tsv"); }
    // Network and crypto code cost every process that loads them; only update uses them.
    void networkOnlyForUpdate()
    {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(bool, network);
        QTemporaryDir dir;
        const QString path = writeFile(dir.filePath("d.TFCC"), designWith());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_DEBUG", "files");
        environment.insert("LD_DEBUG_OUTPUT", dir.filePath("ld"));
        const QStringList words =
            arguments.replace("FILE", path).replace("OUT", dir.filePath("out")).split(' ');
        QCOMPARE(runProgram(TICKFORGE_CLI, words, environment).status, status);
        QString loaded;
        for (const QString &name : QDir(dir.path()).entryList({"ld.*"}, QDir::Files))
            loaded += QString::fromUtf8(readBytes(dir.filePath(name)));
        QVERIFY2(loaded.contains("libQt5Core.so"), qPrintable(loaded)); // the log names what was loaded
        const QRegularExpression networkLibraries("file=(libQt5Network|libcrypto|libssl)\\.so");
        QVERIFY2(loaded.contains(networkLibraries) == network, qPrintable(arguments));
    }

    // The command-line tool loads no GUI library: it is installed without them.
    void headless()
    {
        const QString needed = runProgram("ldd", {TICKFORGE_CLI}).out;
        QVERIFY2(needed.contains("libQt5Core.so"), qPrintable(needed));
        QVERIFY2(!needed.contains("libQt5Widgets") && !needed.contains("libQt5Gui"), qPrintable(needed));
    }
};

QTEST_MAIN(TestCli)
#include "tst_cli.moc"

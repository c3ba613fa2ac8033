#include "TestHelpers.h"

#include <QtTest>

// tickforge-cli solve FILE --want ...: literal answers, conflicts, and
// designs saved with --apply that check accepts and that generate turns into
// code that compiles.

namespace {

ProgramRun cli(const QStringList &arguments)
{
    return runProgram(QStringLiteral(TICKFORGE_CLI), arguments);
}

// A design of SERIES, with `set` arguments applied ("" for the factory one).
QString makeDesign(const QTemporaryDir &dir, const QString &series, const QString &edits)
{
    const QString path = dir.filePath(QStringLiteral("start.tfcc"));
    if (cli({QStringLiteral("new"), series, QStringLiteral("-o"), path}).status != 0)
        return QString();
    if (!edits.isEmpty() && cli(QStringList{QStringLiteral("set"), path} + edits.split(' ')).status != 0)
        return QString();
    return path;
}

QStringList withoutSearchedLine(const QString &out)
{
    QStringList lines = out.split('\n', Qt::SkipEmptyParts);
    if (!lines.isEmpty() && QRegularExpression("^searched [0-9]+ designs$").match(lines.last()).hasMatch())
        lines.removeLast();
    return lines;
}

} // namespace

class TestCliSolve : public QObject {
    Q_OBJECT

private slots:
    void answers_data()
    {
        QTest::addColumn<QString>("series");
        QTest::addColumn<QString>("edits");
        QTest::addColumn<QString>("solve");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // lines joined by '|', the "searched" line aside
        QTest::addColumn<QString>("err");
        // HEXT 8, system clock typed 200 (ns 100, fr 4): back to 8 x 72 / (1 x 2) = 288, whose /6 gives
        // USB 48; two factors and the USB switch change.
        QTest::newRow("QXC330 sclk=max usb=48")
            << "QXC330"
            << "sclk=200"
            << "--want sclk=max --want usb=48" << 0
            << "set tousbswitch=0 pllfr=2 pllns=72|pll 288|sclk 288|ahb 288|apb1 144|apb1tmr 288|apb2 144|"
               "apb2tmr 288|usb 48"
            << "";
        // HICK (4 MHz) x 30 = 120 with APB1 at 60: 240 keeps APB1 at 60 through /4. HEXT 8 x 30 and
        // HICK x 60 both change two settings; HEXT comes first in the search's order, and set's
        // pllrcs solves the multiplier anew, so pllmult=30 follows.
        QTest::newRow("QXC300A HICK sclk=max keep apb1")
            << "QXC300A"
            << "pllrcs=1 pllmult=30"
            << "--want sclk=max --keep apb1" << 0
            << "set pllrcs=0 pllmult=30 apb1div=4|pll 240|sclk 240|ahb 240|apb1 60|apb1tmr 120|apb2 120|"
               "apb2tmr 240"
            << "";
        // Already there: nothing to change.
        QTest::newRow("QXC300A at its limit") << "QXC300A"
                                              << ""
                                              << "--want sclk=max" << 0
                                              << "set (no change)|pll 240|sclk 240|ahb 240|apb1 120|apb1tmr "
                                                 "240|apb2 120|apb2tmr 240"
                                              << "";
        // USB 48 needs a PLL of 48 x 1 .. 4 (QXC300 has no HICK 48 path): at most 192 MHz.
        QTest::newRow("conflict") << "QXC300"
                                  << ""
                                  << "--want sclk>=195 --want usb=48 --want apb1<=50" << 2 << ""
                                  << "cannot meet sclk>=195 together with usb=48\n";
        QTest::newRow("beyond the limit") << "QXC300"
                                          << ""
                                          << "--want sclk=250" << 2 << ""
                                          << "cannot meet sclk=250 within the limits of QXC300\n";
        QTest::newRow("conflict with a keep")
            << "QXC330"
            << ""
            << "--want sclk=144 --keep ahb" << 2 << ""
            << "cannot meet sclk=144 within the limits of QXC330 (keeping ahb)\n";
        // Pins are never chosen: an output without one gives no clock.
        QTest::newRow("output without a pin") << "QXC330"
                                              << ""
                                              << "--want sclk=max --want clkout1=24" << 2 << ""
                                              << "cannot meet clkout1=24: clkout1 has no pin\n";
        QTest::newRow("no such clock") << "QXC320"
                                       << ""
                                       << "--want usb=48" << 1 << ""
                                       << "tickforge-cli: QXC320 has no clock \"usb\" to solve for; the "
                                          "clocks are: pll, sclk, ahb, apb1, "
                                          "apb1tmr, apb2, apb2tmr, adc, clkout\n";
        QTest::newRow("bad want") << "QXC330"
                                  << ""
                                  << "--want usb~48" << 1 << ""
                                  << "tickforge-cli: \"usb~48\" is not CLOCK=MHZ, CLOCK<=MHZ, CLOCK>=MHZ or "
                                     "CLOCK=max\n";
        QTest::newRow("no want") << "QXC330"
                                 << ""
                                 << "--keep usb" << 1 << ""
                                 << "solve FILE needs at least one --want CLOCK=MHZ\n";
        QTest::newRow("old options on a file")
            << "QXC330"
            << ""
            << "--want usb=48 --sclk 100" << 1 << ""
            << "--sclk belongs to \"solve SERIES\"; a design file takes --want\n";
    }

    void answers()
    {
        QFETCH(QString, series);
        QFETCH(QString, edits);
        QFETCH(QString, solve);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir dir;
        const QString path = makeDesign(dir, series, edits);
        QVERIFY(!path.isEmpty());
        const ProgramRun run = cli(QStringList{QStringLiteral("solve"), path} + solve.split(' '));
        QCOMPARE(run.err, err);
        QCOMPARE(withoutSearchedLine(run.out).join('|'), out);
        QCOMPARE(run.status, status);
        if (status == 0)
            QVERIFY(run.out.contains(QRegularExpression("\nsearched [1-9][0-9]* designs\n$")));
    }

    // The old form is untouched, and takes none of the new options.
    void oldForm()
    {
        const ProgramRun old = cli({"solve", "QXC330", "--hext", "8", "--sclk", "288"});
        QCOMPARE(old.status, 0);
        QVERIFY(old.out.startsWith("pllMs 1\npllNs 72\npllFr 2\n"));
        const ProgramRun mixed = cli({"solve", "QXC330", "--hext", "8", "--sclk", "288", "--want", "usb=48"});
        QCOMPARE(mixed.status, 1);
        QCOMPARE(mixed.err, QString("--want belongs to \"solve FILE\"; a series takes --hext and --sclk\n"));
    }

    void explainAndJson()
    {
        QTemporaryDir dir;
        const QString path = makeDesign(dir, "QXC300A", "pllrcs=1 pllmult=30");
        const ProgramRun explained =
            cli({"solve", path, "--want", "sclk=max", "--keep", "apb1", "--explain", "--top", "2"});
        QCOMPARE(explained.status, 0);
        // The other two-change design ties and loses on the search's order; then one with four changes.
        QVERIFY2(explained.out.contains(
                     "next 1: as good, later in the search's order\n  changes pllmult=60 apb1div=4\n"),
                 qPrintable(explained.out));
        QVERIFY(explained.out.contains("next 2: more settings changed (4 > 2)\n"));
        QVERIFY(!explained.out.contains("next 3:"));
        const ProgramRun json = cli({"solve", path, "--want", "sclk=max", "--keep", "apb1", "--json"});
        QCOMPARE(json.status, 0);
        const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(object.value("solved").toBool(), true);
        QCOMPARE(object.value("changes").toArray().size(), 2);
        QCOMPARE(object.value("clocks").toObject().value("apb1").toString(), QString("60"));
    }

    void applied_data()
    {
        QTest::addColumn<QString>("series");
        QTest::addColumn<QString>("edits");
        QTest::addColumn<QString>("solve");
        QTest::addColumn<QString>("stem");
        QTest::newRow("QXC330") << "QXC330"
                                << "sclk=200 clkout1pinselect=1"
                                << "--want sclk=max --want usb=48 --want clkout1=24"
                                << "qxc330_335";
        QTest::newRow("QXC300A") << "QXC300A"
                                 << "pllrcs=1 pllmult=30"
                                 << "--want sclk=max --keep apb1"
                                 << "qxc300a_305";
        QTest::newRow("QXC315") << "QXC315"
                                << ""
                                << "--want sclk=max --want usb=48 --want adc<=14 --want apb1<=36"
                                << "qxc315";
        QTest::newRow("QXC300") << "QXC300"
                                << ""
                                << "--want usb=48 --want adc=max"
                                << "qxc300";
        QTest::newRow("QXE020") << "QXE020"
                                << "clkoutpinselect=2"
                                << "--want sclk=max --want adc=max --want clkout=12"
                                << "qxe020";
        QTest::newRow("QXC325") << "QXC325"
                                << ""
                                << "--want sclk=48 --want usb=48 --want apb2tmr=max"
                                << "qxc325";
    }

    // --apply saves through set; the file passes check, and its code compiles.
    void applied()
    {
        QFETCH(QString, series);
        QFETCH(QString, edits);
        QFETCH(QString, solve);
        QFETCH(QString, stem);
        QTemporaryDir dir;
        const QString path = makeDesign(dir, series, edits);
        QVERIFY(!path.isEmpty());
        const QString out = dir.filePath("solved.tfcc");
        const ProgramRun shown = cli(QStringList{"solve", path} + solve.split(' '));
        QCOMPARE(shown.status, 0);
        const ProgramRun run =
            cli(QStringList{"solve", path} + solve.split(' ') + QStringList{"--apply", "-o", out});
        QVERIFY2(run.status == 0, qPrintable(run.both()));
        QVERIFY(run.out.startsWith(shown.out));
        QVERIFY(run.out.endsWith("saved " + out + "\n"));
        const ProgramRun check = cli({"check", out});
        QVERIFY2(check.status == 0 && check.out.isEmpty(), qPrintable(check.both()));
        // The saved design gives the clocks the answer printed.
        const ProgramRun show = cli({"show", out});
        const QString sclk = QRegularExpression("\nsclk ([0-9.]+)\n").match(shown.out).captured(1);
        QVERIFY(show.out.contains("\nsclkMHz " + sclk + "\n"));
        // Solving the saved design again changes nothing.
        const ProgramRun again =
            cli(QStringList{"solve", out} + solve.split(' ').filter(QRegularExpression("^--want$|=")));
        QVERIFY2(again.out.startsWith("set (no change)\n"), qPrintable(again.both()));

        const QString code = dir.filePath("code");
        const ProgramRun generate = cli({"generate", out, code});
        QVERIFY2(generate.status == 0, qPrintable(generate.both()));
        if (QString(TF_HOST_CC).isEmpty() || QString(TF_HOST_CC).endsWith("NOTFOUND"))
            QSKIP("no host C compiler");
        QProcess cc;
        cc.setWorkingDirectory(code);
        cc.setProcessChannelMode(QProcess::MergedChannels);
        cc.start(TF_HOST_CC, {"-std=c99", "-fsyntax-only", "-Wall", "-Wextra", "-Werror", "-I", code + "/inc",
                              "-I", TF_FWLIB_DIR, "src/" + stem + "_clock.c", "src/main.c"});
        QVERIFY(cc.waitForFinished(120000));
        QVERIFY2(cc.exitCode() == 0, cc.readAll().constData());
    }
};

QTEST_GUILESS_MAIN(TestCliSolve)
#include "tst_clisolve.moc"

#include "ClockConfig.h"
#include "Generator.h"
#include "RecordFields.h"
#include "SeriesRows.h"
#include "TableRows.h"
#include "TestHelpers.h"

#include <QtTest>

#include <memory>

namespace {

// Tidy output: no marker left, no run of blank lines, no blank line right
// inside braces, no trailing blank, tab or carriage return, line feed at the end.
QString untidy(const QString &text)
{
    const QRegularExpressionMatch m =
        QRegularExpression("\\[/?#|\\n\\n\\n|\\{\\n\\n|\\n\\n\\}|[ \\t]\\n|[\\t\\r]").match(text);
    if (m.hasMatch())
        return "untidy at: " + text.mid(qMax(0, m.capturedStart() - 60), 120);
    return text.endsWith("}\n") || text.endsWith("#endif\n") ? QString() : "unexpected end";
}

// Compiles the sources in that many compiler runs side by side.
QString compile(const QString &compiler, const QStringList &flags, const QString &dir,
                const QStringList &sources, int runs = 1)
{
    if (compiler.isEmpty() || compiler.endsWith("NOTFOUND"))
        return "gcc and arm-none-eabi-gcc are needed to check the generated code";
    std::vector<std::unique_ptr<QProcess>> cc;
    for (int i = 0; i < runs; ++i) {
        cc.push_back(std::make_unique<QProcess>());
        cc.back()->setWorkingDirectory(dir);
        cc.back()->setProcessChannelMode(QProcess::MergedChannels);
        const int from = sources.size() * i / runs, to = sources.size() * (i + 1) / runs;
        cc.back()->start(compiler, flags + QStringList{"-I", dir + "/inc", "-I", TF_FWLIB_DIR} +
                                       sources.mid(from, to - from));
    }
    for (const auto &run : cc) {
        if (!run->waitForFinished(300000))
            return compiler + ": did not finish";
        if (run->exitStatus() != QProcess::NormalExit || run->exitCode() != 0)
            return QString::fromLocal8Bit(run->readAll()).left(4000);
    }
    return QString();
}

QStringList texts(const Codegen::Files &f)
{
    return {f.clockSource, f.clockHeader, f.mainSource, f.confHeader};
}

} // namespace

class TestCodegenSweep : public QObject {
    Q_OBJECT

private slots:
    void sweep_data() { addSeriesRows("series"); }

    // Every series with a broad set of valid records: the output is complete,
    // tidy, repeatable, and compiles against the firmware-library stub.
    void sweep()
    {
        QFETCH(int, series);
        const QString stem = SeriesTable::byId(series)->templateStem();
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("inc") && QDir(dir.path()).mkpath("src"));
        // Templates: plain ASCII with CR LF, one clock summary fence in the clock source.
        for (const QString suffix : {"_clock.c", "_clock.h", "_main.c", "_conf.h"}) {
            QFile f(":/image/" + stem + suffix);
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
            const QByteArray raw = f.readAll();
            QVERIFY(!QRegularExpression("[^\\x20-\\x7e\\r\\n]").match(QString::fromLatin1(raw)).hasMatch());
            QVERIFY(raw.count("\r\n") == raw.count('\n') && raw.count('\r') == raw.count('\n'));
            QCOMPARE(raw.count("* @brief  system clock config program"), suffix == "_clock.c" ? 1 : 0);
        }

        QStringList sources;
        for (const QStringList &row : tableLines("sweep_records.tsv")) {
            if (row.at(1) != SeriesTable::byId(series)->seriesName())
                continue;
            TF_RECORD(c, series, row.at(3));
            c.recompute();
            const QByteArray where = row.at(0).toUtf8();
            Codegen::Files files, again;
            QString error;
            QVERIFY2(Codegen::render(c, stem, &files, &error), qPrintable(where + ": " + error));
            QVERIFY(Codegen::render(c, stem, &again));
            QCOMPARE(texts(again), texts(files));
            for (const QString &text : texts(files))
                QVERIFY2(untidy(text).isEmpty(), qPrintable(where + ": " + untidy(text)));

            // What the record asks for is what the code starts.
            const QString enable = "crm_clock_source_enable(CRM_CLOCK_SOURCE_%1, TRUE);";
            QCOMPARE((QVector<bool>{files.clockSource.contains(enable.arg("HEXT")),
                                    files.clockSource.contains(enable.arg("HICK")),
                                    files.clockSource.contains(enable.arg("PLL"))}),
                     (QVector<bool>{c.hextNeeded(), c.hickNeeded(), c.pllInUse()}));
            QVERIFY(
                files.clockSource.count("crm_sysclk_switch(") == 1 &&
                files.clockSource.contains(QString("crm_sysclk_switch(CRM_SCLK_%1);")
                                               .arg(QStringList{"HEXT", "PLL", "HICK"}.at(c.sclkSource))));
            QCOMPARE(files.mainSource.contains("mx_rtc_clock_init();"), c.rtcEnabled);

            const QString tag = QString("r%1_").arg(sources.size());
            const QStringList written{
                writeFile(dir.filePath("src/" + tag + "clock.c"), files.clockSource.toUtf8()),
                writeFile(dir.filePath("src/" + tag + "main.c"), files.mainSource.toUtf8()),
                writeFile(dir.filePath("inc/" + stem + "_clock.h"), files.clockHeader.toUtf8()),
                writeFile(dir.filePath("inc/" + stem + "_conf.h"), files.confHeader.toUtf8()),
                // Both include the clock header alone: one compiler run sees the two.
                writeFile(dir.filePath("src/" + tag + "both.c"),
                          QString("#include \"%1clock.c\"\n#include \"%1main.c\"\n").arg(tag).toUtf8())};
            QVERIFY(!written.contains(QString()));
            sources << written.last();
        }
        QCOMPARE(sources.size(), 16);
        // The host compiler, stricter, sees every record; the cross compiler a
        // few, for what only the target's types would reveal.
        QString errors = compile(QStringLiteral(TF_HOST_CC),
                                 QStringList{"-std=c99", "-fsyntax-only", "-Wall", "-Wextra", "-Werror"},
                                 dir.path(), sources, 2);
        QVERIFY2(errors.isEmpty(), qPrintable(errors));
        errors =
            compile(QStringLiteral(TF_ARM_CC), QStringList{"-mcpu=cortex-m4", "-mthumb", "-fsyntax-only"},
                    dir.path(), sources.mid(0, 4));
        QVERIFY2(errors.isEmpty(), qPrintable(errors));
    }

    void crystalGuard_data() { addTableRows("sweep_crystalguard.tsv"); }
    // --guard: the clock source stops a firmware build whose crystal define is not
    // the design's, in C99 and C11 alike; the other files are unchanged.
    void crystalGuard()
    {
        QFETCH(QString, compiler);
        QFETCH(QString, flags);
        QFETCH(QString, error);
        const int id = SeriesTable::byName("QXC330")->id;
        const QString stem = SeriesTable::byId(id)->templateStem();
        Codegen::Options guarded;
        guarded.hextGuard = true;

        Codegen::Files plain, files;
        const ClockConfig pll(id); // the factory design: PLL on an 8 MHz crystal
        QVERIFY(Codegen::render(pll, stem, &plain) && Codegen::render(pll, stem, &files, nullptr, guarded));
        QVERIFY(files.clockSource.startsWith(plain.clockSource) &&
                files.clockSource.size() > plain.clockSource.size());
        QCOMPARE(texts(files).mid(1), texts(plain).mid(1));
        QVERIFY(untidy(files.clockSource).isEmpty());

        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("inc") && QDir(dir.path()).mkpath("src"));
        const QString source =
            writeFile(dir.filePath("src/" + stem + "_clock.c"), files.clockSource.toUtf8());
        QVERIFY(!writeFile(dir.filePath("inc/" + stem + "_clock.h"), files.clockHeader.toUtf8()).isNull());
        QVERIFY(!writeFile(dir.filePath("inc/" + stem + "_conf.h"), files.confHeader.toUtf8()).isNull());
        const QString errors =
            compile(compiler == "host" ? QStringLiteral(TF_HOST_CC) : QStringLiteral(TF_ARM_CC),
                    flags.split(' ') << "-fsyntax-only", dir.path(), {source});
        QVERIFY2(error.isEmpty() ? errors.isEmpty() : errors.contains(error), qPrintable(errors));
    }
};

QTEST_GUILESS_MAIN(TestCodegenSweep)
#include "tst_codegensweep.moc"

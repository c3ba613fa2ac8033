#include "ClockConfig.h"
#include "Generator.h"
#include "Records.h"
#include "SeriesTable.h"
#include "Summary.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// Every series with a broad, seeded set of valid records: the output is
// complete, tidy, repeatable, and compiles against the firmware-library stub.
class TestCodegenSweep : public QObject {
    Q_OBJECT

private slots:
    void sweep_data();
    void sweep();
};

namespace {

constexpr int kRecordsPerSeries = 40;

bool writeText(const QString &path, const QString &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) == text.toUtf8().size();
}

// Tidy output: no marker left, no run of blank lines, no blank line right
// inside braces, no trailing blanks, no tabs, line feed at the end.
QString untidy(const QString &text)
{
    if (text.contains("[#") || text.contains("[/#"))
        return "marker left";
    if (text.contains("\n\n\n"))
        return "blank run";
    if (text.contains("{\n\n") || text.contains("\n\n}"))
        return "blank line inside braces";
    if (QRegularExpression("[ \\t]\\n").match(text).hasMatch())
        return "trailing blank";
    if (text.contains('\t') || text.contains('\r'))
        return "tab or carriage return";
    if (!text.endsWith("}\n") && !text.endsWith("#endif\n"))
        return "unexpected end";
    return QString();
}

QString compile(const QString &compiler, const QStringList &flags, const QString &dir,
                const QStringList &sources)
{
    QProcess cc;
    cc.setWorkingDirectory(dir);
    cc.setProcessChannelMode(QProcess::MergedChannels);
    cc.start(compiler, flags + QStringList{"-I", dir + "/inc", "-I", TF_FWLIB_DIR} + sources);
    if (!cc.waitForFinished(300000))
        return compiler + ": did not finish";
    if (cc.exitStatus() != QProcess::NormalExit || cc.exitCode() != 0)
        return QString::fromLocal8Bit(cc.readAll()).left(4000);
    return QString();
}

} // namespace

void TestCodegenSweep::sweep_data()
{
    QTest::addColumn<int>("series");
    for (int id : Records::allSeries())
        QTest::newRow(SeriesTable::byId(id)->name) << id;
}

void TestCodegenSweep::sweep()
{
    QFETCH(int, series);
    const QString stem = SeriesTable::byId(series)->templateStem();
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("inc") && QDir(dir.path()).mkpath("src"));

    QRandomGenerator rng(0x7f4a0000u + quint32(series));
    QStringList sources;
    QSet<QString> distinct;
    int pllRecords = 0;
    for (int i = 0; i < kRecordsPerSeries; ++i) {
        const ClockConfig c = Records::randomDesign(series, rng);
        const QByteArray where = "record " + QByteArray::number(i);
        Codegen::Files files;
        Codegen::Files again;
        QString error;
        QVERIFY2(Codegen::render(c, stem, &files, &error), qPrintable(where + ": " + error));
        QVERIFY(Codegen::render(c, stem, &again));
        const QStringList texts{files.clockSource, files.clockHeader, files.mainSource, files.confHeader};
        QCOMPARE((QStringList{again.clockSource, again.clockHeader, again.mainSource, again.confHeader}),
                 texts);
        for (const QString &text : texts) {
            const QString fault = untidy(text);
            QVERIFY2(fault.isEmpty(), qPrintable(where + ": " + fault + "\n" + text));
        }
        QVERIFY2(files.confHeader.contains(QString("#define HEXT_VALUE               ((uint32_t)%1)\n")
                                               .arg(Summary::hextHertz(c.hextMHz))),
                 where);
        QVERIFY(
            files.clockSource.contains("  " + Summary::text(c) + "\n  */\nvoid system_clock_config(void)\n"));

        // What the record asks for is what the code starts.
        for (const char *osc : {"HEXT", "HICK", "PLL"}) {
            const bool wanted = osc[1] == 'E'   ? c.hextNeeded()
                                : osc[1] == 'I' ? c.hickNeeded()
                                                : c.pllInUse();
            QCOMPARE(files.clockSource.contains(
                         QString("crm_clock_source_enable(CRM_CLOCK_SOURCE_%1, TRUE);").arg(osc)),
                     wanted);
        }
        QCOMPARE(files.clockSource.count("crm_sysclk_switch("), 1);
        QVERIFY(files.clockSource.contains(QString("crm_sysclk_switch(CRM_SCLK_%1);")
                                               .arg(QStringList{"HEXT", "PLL", "HICK"}.at(c.sclkSource))));
        QCOMPARE(files.mainSource.contains("mx_rtc_clock_init();"), c.rtcEnabled);
        pllRecords += c.pllInUse() ? 1 : 0;

        const QString tag = QString("src/r%1_").arg(i);
        QVERIFY(writeText(dir.filePath(tag + "clock.c"), files.clockSource));
        QVERIFY(writeText(dir.filePath(tag + "main.c"), files.mainSource));
        sources << tag + "clock.c" << tag + "main.c";
        distinct.insert(files.clockSource + files.mainSource);
        QVERIFY(writeText(dir.filePath("inc/" + stem + "_clock.h"), files.clockHeader));
        QVERIFY(writeText(dir.filePath("inc/" + stem + "_conf.h"), files.confHeader));
    }
    // The seeded set really is broad.
    QVERIFY(distinct.size() > kRecordsPerSeries * 3 / 4);
    QVERIFY(pllRecords > 0 && pllRecords < kRecordsPerSeries);

    const QString host = QStringLiteral(TF_HOST_CC);
    const QString arm = QStringLiteral(TF_ARM_CC);
    if (host.isEmpty() || host.endsWith("NOTFOUND") || arm.isEmpty() || arm.endsWith("NOTFOUND"))
        QFAIL("gcc and arm-none-eabi-gcc are needed to check the generated code");
    QString errors =
        compile(host, {"-std=c99", "-fsyntax-only", "-Wall", "-Wextra", "-Werror"}, dir.path(), sources);
    QVERIFY2(errors.isEmpty(), qPrintable(errors));
    errors = compile(arm, {"-mcpu=cortex-m4", "-mthumb", "-fsyntax-only"}, dir.path(), sources);
    QVERIFY2(errors.isEmpty(), qPrintable(errors));
}

QTEST_GUILESS_MAIN(TestCodegenSweep)
#include "tst_codegensweep.moc"

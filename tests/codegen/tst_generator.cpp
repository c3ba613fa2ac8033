#include "ClockConfig.h"
#include "Generator.h"
#include "Markers.h"
#include "RecordFields.h"
#include "ScriptedDialogs.h"
#include "SeriesTable.h"
#include "TableRows.h"
#include "TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

class TestGenerator : public QObject {
    Q_OBJECT

private slots:
    void markers_data();
    void markers();
    void liftedBodyEditedBeforeParent();
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

// The pattern syntax, keep, tight keep and remove on a block (a block that
// does not match is neither found nor edited), and the call rewrites.
void TestGenerator::markers_data()
{
    QTest::addColumn<QString>("op");   // classic, keep, tight, remove, rewrite or rewriteLast
    QTest::addColumn<QString>("name"); // block name, or the pattern for classic
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // the match for classic; equal to text: nothing matched
    auto row = [](const char *row, const char *op, const char *name, const QString &text,
                  const QString &expected) {
        QTest::newRow(row) << QString(op) << QString(name) << text << expected;
    };
    row("{,1} allows the semicolon", "classic", "f\\(x\\);{,1}", "f(x);;", "f(x);");
    row("{,1} allows no semicolon", "classic", "f\\(x\\);{,1}", "f(x) g", "f(x)");
    row("greedy dot spans lines", "classic", "<(.+)>", "<1>\n<2>\n", "<1>\n<2>");

    const QString example =
        "  crm_reset();\n\n[#hext bypass]\n  crm_hext_bypass(TRUE);\n[/#hext bypass]\n\n[#enable hext]\n";
    const QString spaced = "a;\n\n[#hext bypass]\n  body;\n[/#hext bypass]\n\n\n\nnext;\n";
    const char *hb = "hext bypass";
    row("worked example removed", "remove", hb, example, "  crm_reset();\n\n[#enable hext]\n");
    row("remove leaves the preceding empty line", "remove", hb, spaced, "a;\n\nnext;\n");
    row("keep leaves exactly one empty line", "keep", hb, spaced, "a;\n\n  body;\n\nnext;\n");
    row("tight keep leaves none", "tight", hb, spaced, "a;\n\n  body;\nnext;\n");
    row("body runs to the last closing marker", "keep", hb,
        "[#hext bypass]\n1\n[/#hext bypass]\n2\n[/#hext bypass]\n3\n", "1\n[/#hext bypass]\n2\n\n3\n");
    // Bodies may hold backslashes and dollar signs: no back-references.
    row("replacement is literal", "keep", hb, "[#hext bypass]\n  s = \"\\1 $1 \\\\\";\n[/#hext bypass]\n",
        "  s = \"\\1 $1 \\\\\";\n\n");
    row("< and digits", "remove", "sysclock < 168", "[#sysclock < 168]\nx;\n[/#sysclock < 168]\nz;\n",
        "z;\n");
    auto unmatched = [&row](const char *name, const char *block, const char *text) {
        row(name, "remove", block, text, text);
    };
    unmatched("similar name", "sysclock < 168", "[#sysclock >= 168]\nx;\n[/#sysclock >= 168]\n");
    unmatched("closing marker misspelled", "pll sysclock", "[#pll sysclock]\nx;\n[/#pll sysclok]\n");
    unmatched("empty body", "pll sysclock", "[#pll sysclock]\n[/#pll sysclock]\n");
    unmatched("trailing blank after a marker", "pll sysclock", "[#pll sysclock] \nx;\n[/#pll sysclock]\n");
    unmatched("name is not a pattern", "pll sysclock", "[#pll sysclockX]\nx;\n[/#pll sysclockX]\n");

    const QString div8 = "crm_ahb_div_set(CRM_AHB_DIV_8);\n";
    row("with semicolon", "rewrite", "", "  crm_ahb_div_set(CRM_AHB_DIV_2);\n", "  " + div8);
    row("semicolon added", "rewrite", "", "  crm_ahb_div_set(CRM_AHB_DIV_2)\n", "  " + div8);
    row("every occurrence", "rewrite", "", "crm_ahb_div_set(A);\ncrm_ahb_div_set( B);\n", div8 + div8);
    row("two arguments do not match", "rewrite", "", "crm_ahb_div_set(A, B);\n", "crm_ahb_div_set(A, B);\n");
    row("last only, earlier ones stay", "rewriteLast", "", "crm_ahb_div_set(A);\nx;\ncrm_ahb_div_set(B)\n",
        "crm_ahb_div_set(A);\nx;\n" + div8);
}

void TestGenerator::markers()
{
    QFETCH(QString, op);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    if (op == "classic") {
        const QRegularExpression re = Markers::classic(name);
        QVERIFY2(re.isValid(), qPrintable(re.errorString()));
        QCOMPARE(re.match(text).captured(0), expected);
        return;
    }
    const bool found = expected != text;
    if (op.startsWith("rewrite")) {
        const auto rewrite = op == "rewrite" ? Markers::rewriteCall : Markers::rewriteLastCall;
        QCOMPARE(rewrite(text, "crm_ahb_div_set\\((\\s*\\w+)\\);{,1}", "crm_ahb_div_set", {"CRM_AHB_DIV_8"}),
                 found);
    } else {
        QCOMPARE(Markers::find(text, name), found);
        QCOMPARE(op == "remove" ? Markers::remove(text, name)
                                : Markers::decide(text, name, true, op == "tight"),
                 found);
    }
    QCOMPARE(text, expected);
}

void TestGenerator::liftedBodyEditedBeforeParent()
{
    QString text = "x;\n\n[#rtc lext]\n[#lext bypass]\n  crm_lext_bypass(TRUE);\n[/#lext bypass]\n\n"
                   "  start();\n[/#rtc lext]\n  [#unknown]\nkeep me\n[/#unknown]\nend;\n";
    QString body;
    QVERIFY(Markers::find(text, "rtc lext", &body));
    QVERIFY(Markers::remove(body, "lext bypass"));
    QVERIFY(Markers::replaceBody(text, "rtc lext", body, true));
    // Blanks before a marker stay; an unknown block passes through.
    QCOMPARE(text, QString("x;\n\n  start();\n  [#unknown]\nkeep me\n[/#unknown]\nend;\n"));

    // The loose form leaves one empty line after the new body, as keep does.
    QString loose = "a;\n[#rtc lext]\n  old();\n[/#rtc lext]\n\n\nend;\n";
    QVERIFY(Markers::replaceBody(loose, "rtc lext", "  new();\n"));
    QCOMPARE(loose, QString("a;\n  new();\n\nend;\n"));
}

// Rendered texts from the shipped templates, and templates with one fault
// given to the edit sequence directly.
void TestGenerator::edits_data()
{
    addTableRows("generator_edits.tsv");
}

void TestGenerator::edits()
{
    QFETCH(QString, series);
    QFETCH(QString, setup);
    QFETCH(QString, file);
    QFETCH(QString, patch);
    QFETCH(QString, expect);
    TF_RECORD(c, series.toInt(), setup);
    c.recompute();
    const QString stem = SeriesTable::byId(series.toInt())->templateStem();
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
    QTest::addColumn<int>("locked");  // a file that cannot be replaced; -1: none
    QTest::newRow("first run asks nothing") << false << QVector<int>{} << 0 << 4 << -1;
    QTest::newRow("yes with the box: asked once") << true << QVector<int>{2} << 1 << 4 << -1;
    QTest::newRow("yes without the box: asked each time") << true << QVector<int>{1, 1, 1, 1} << 4 << 4 << -1;
    QTest::newRow("cancel on main.c") << true << QVector<int>{1, 1, 0} << 3 << 2 << -1;
    // All or none: the two files already replaced get their old contents back.
    QTest::newRow("main.c cannot be replaced") << true << QVector<int>{2} << 1 << 0 << 2;
}

void TestGenerator::runs()
{
    QFETCH(bool, existing);
    QFETCH(QVector<int>, answers);
    QFETCH(int, asked);
    QFETCH(int, written);
    QFETCH(int, locked);
    QTemporaryDir dir;
    const QStringList paths = {"src/qxc310_clock.c", "inc/qxc310_clock.h", "src/main.c", "inc/qxc310_conf.h"};
    for (const QString &p : paths)
        QVERIFY(!existing ||
                (QDir(dir.path()).mkpath(p.left(3)) && !writeFile(dir.filePath(p), "old\n").isNull()));
    const auto unlock = qScopeGuard([&] {
        if (locked >= 0)
            setReadOnly(dir.filePath(paths.at(locked)), false);
    });
    if (locked >= 0 && (::geteuid() != 0 || !setReadOnly(dir.filePath(paths.at(locked)), true)))
        QSKIP("only root can make a file that cannot be replaced");
    ScriptedDialogs dialogs;
    for (int a : answers)
        dialogs.answerOverwrite(a != 0, a == 2);
    TF_RECORD(c, 4, kPll + "pllFlexible=0 sclkMHz=100 apb1Div=16"); // derived values stale: recomputed
    QCOMPARE(generateIn(dir, c, "qxc310"), written == 4);
    QCOMPARE(dialogs.requests.size(), asked);
    QCOMPARE(dialogs.texts(ScriptedDialogs::Kind::Overwrite),
             QStringList({"qxc310_clock.c", "qxc310_clock.h", "main.c", "qxc310_conf.h"}).mid(0, asked));
    Codegen::Files files;
    c.recompute();
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
    // Missing templates, an unknown series, and records that break a rule of
    // the chip, their derived values recomputed rather than trusted.
    const struct {
        int series;
        const char *stem;
        QString fields, error;
    } refused[] = {{13, "qxc999", "", "qxc999_clock.c"},
                   {3, "qxc330_335", "", ""},
                   {13, "qxc330_335", kPll + "hextMHz=30", "hext input error!"},
                   {13, "qxc330_335", kPll + "pllNs=75 sclkMHz=200 pllMHz=200",
                    "Can not support sclk greater than 288MHz"}};
    for (const auto &r : refused) {
        QTemporaryDir dir;
        TF_RECORD(c, r.series, r.fields);
        QVERIFY2(!generateIn(dir, c, r.stem, &error) && error.contains(r.error) && !error.isEmpty(),
                 qPrintable(error));
        QVERIFY(QDir(dir.filePath("inc")).isEmpty() && QDir(dir.filePath("src")).isEmpty());
    }
    QCOMPARE(dialogs.requests.size(), 0);

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

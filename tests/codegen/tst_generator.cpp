#include "ClockConfig.h"
#include "Generator.h"
#include "Markers.h"
#include "RecordFields.h"
#include "ScriptedDialogs.h"
#include "SeriesTable.h"
#include "SmallDisk.h"
#include "TableRows.h"
#include "TestHelpers.h"

#include <QtTest>

#include <sys/stat.h>

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

class TestGenerator : public QObject {
    Q_OBJECT

private slots:
    void markers_data() { addTableRows("generator_markers.tsv"); }
    // The pattern syntax, keep, tight keep and remove on a block (a block that
    // does not match is neither found nor edited), and the call rewrites.
    void markers()
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
            QCOMPARE(
                rewrite(text, "crm_ahb_div_set\\((\\s*\\w+)\\);{,1}", "crm_ahb_div_set", {"CRM_AHB_DIV_8"}),
                found);
        } else {
            QCOMPARE(Markers::find(text, name), found);
            QCOMPARE(op == "remove" ? Markers::remove(text, name)
                                    : Markers::decide(text, name, true, op == "tight"),
                     found);
        }
        QCOMPARE(text, expected);
    }

    void liftedBodyEditedBeforeParent()
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

    void edits_data() { addTableRows("generator_edits.tsv"); }
    // Rendered texts from the shipped templates, and templates with one fault
    // given to the edit sequence directly.
    void edits()
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
                QVector<decltype(&Codegen::editClockSource)>{Codegen::editClockSource,
                                                             Codegen::editMainSource, Codegen::editConfHeader}
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

    void runs_data() { addTableRows("generator_runs.tsv"); }

    void runs()
    {
        QFETCH(bool, existing);
        QFETCH(QStringList, answers);
        QFETCH(int, asked);
        QFETCH(int, written);
        QFETCH(int, locked);
        QFETCH(QString, fileMask);
        QTemporaryDir dir;
        const mode_t previous = ::umask(022); // the earlier run's files: 644
        const auto restoreMask = qScopeGuard([previous] { ::umask(previous); });
        const QStringList paths = {"src/qxc310_clock.c", "inc/qxc310_clock.h", "src/main.c",
                                   "inc/qxc310_conf.h"};
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
        for (const QString &answer : answers)
            dialogs.answerOverwrite(answer != "cancel", answer == "all");
        TF_RECORD(c, 4, kPll + "pllFlexible=0 sclkMHz=100 apb1Div=16"); // derived values stale: recomputed
        ::umask(fileMask.isEmpty() ? 022 : fileMask.left(3).toUInt(nullptr, 8));
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
            struct stat status {};
            QVERIFY(fileMask.isEmpty() || (::stat(qPrintable(f.fileName()), &status) == 0 &&
                                           QString::number(status.st_mode & 0777, 8) == fileMask.mid(4)));
        }
        // No temporary file is left behind.
        QCOMPARE(QDir(dir.filePath("src")).entryList(QDir::Files) +
                     QDir(dir.filePath("inc")).entryList(QDir::Files),
                 QStringList({"main.c", "qxc310_clock.c", "qxc310_clock.h", "qxc310_conf.h"}));
    }

    // All four texts are produced before any is written; a failed write is
    // reported with the file's name and leaves the rest unwritten.
    void failures()
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

    // A full disk writes none of the four files and says why.
    void fullDisk()
    {
        QTemporaryDir dir;
        SmallDisk disk(dir.path(), 256 * 1024);
        if (!disk.isMounted())
            QSKIP(qPrintable(disk.reason()));
        QVERIFY(QDir(dir.path()).mkpath("inc") && QDir(dir.path()).mkpath("src"));
        QVERIFY(disk.fill());
        TF_RECORD(c, 4, kPll + "pllFlexible=0");
        c.recompute();
        QString error;
        QVERIFY(!generateIn(dir, c, "qxc310", &error));
        disk.empty();
        QCOMPARE(error, dir.filePath("src/qxc310_clock.c") + ": The disk is full.");
        QVERIFY(QDir(dir.filePath("inc")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QVERIFY(QDir(dir.filePath("src")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

    void projectFolders_data()
    {
        QTest::addColumn<QString>("blocked"); // a file where this folder goes
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("entries");
        const QStringList all = {"inc", "inc/qxc310_clock.h", "inc/qxc310_conf.h",
                                 "src", "src/main.c",         "src/qxc310_clock.c"};
        QTest::newRow("folders made") << ""
                                      << "" << int(Codegen::Status::Done) << "" << all;
        QTest::newRow("inc is a file")
            << "inc"
            << "" << int(Codegen::Status::NoFolder) << "Creating \"inc\" folder error!" << QStringList{"inc"};
        QTest::newRow("src is a file") << "src"
                                       << "" << int(Codegen::Status::NoFolder)
                                       << "Creating \"src\" folder error!" << QStringList{"inc", "src"};
        QTest::newRow("inc is a file, Chinese")
            << "inc"
            << ":/image/tr_zh.qm" << int(Codegen::Status::NoFolder) << QString::fromUtf8("创建inc文件夹失败!")
            << QStringList{"inc"};
        QTest::newRow("src is a file, Chinese")
            << "src"
            << ":/image/tr_zh.qm" << int(Codegen::Status::NoFolder) << QString::fromUtf8("创建src文件夹失败!")
            << QStringList{"inc", "src"};
    }
    // A project's folders are made inc first, and a file in the way of one
    // stops the run before anything else is made, said in the window's language.
    void projectFolders()
    {
        QFETCH(QString, blocked);
        QFETCH(QString, catalogue);
        QTemporaryDir dir;
        QVERIFY(blocked.isEmpty() || !writeFile(dir.filePath(blocked), "a file\n").isNull());
        QTranslator translator;
        QVERIFY(catalogue.isEmpty() ||
                (translator.load(catalogue) && QCoreApplication::installTranslator(&translator)));
        TF_RECORD(c, 4, kPll + "pllFlexible=0 sclkMHz=100");
        const Codegen::Result result = Codegen::generateProject(c, dir.path(), "qxc310", {});
        QCoreApplication::removeTranslator(&translator);
        QTEST(int(result.status), "status");
        QTEST(result.error, "error");
        QStringList entries;
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            entries << QDir(dir.path()).relativeFilePath(it.next());
        entries.sort();
        QTEST(entries, "entries");
    }
};

QTEST_MAIN(TestGenerator)
#include "tst_generator.moc"

#include <QtTest>

#include "DocExamples.h"
#include "TestHelpers.h"

Q_DECLARE_METATYPE(DocExample)

// Every command example of the README, the user manuals and the manual pages
// runs as written against the programs of this build, in a scratch folder
// holding the manuals' example designs.

namespace {

struct Document {
    QString name; // relative to the source tree
    bool roff;
};

QVector<Document> documents()
{
    QVector<Document> result = {
        {"README.md", false}, {"docs/manual/manual.en.md", false}, {"docs/manual/manual.zh.md", false}};
    for (const QString &page : QDir(QStringLiteral(TF_SOURCE_DIR "/dist")).entryList({"*.h2m"}, QDir::Files))
        result.append({"dist/" + page, true});
    return result;
}

DocExamples examplesOf(const Document &document)
{
    QFile file(QStringLiteral(TF_SOURCE_DIR "/") + document.name);
    if (!file.open(QIODevice::ReadOnly))
        return DocExamples{{}, {QStringLiteral("0: cannot be read")}};
    return readDocExamples(QString::fromUtf8(file.readAll()), document.roff);
}

// The programs of this build first on PATH; nothing of the user's own is read or written.
QProcessEnvironment exampleEnvironment(const QString &scratch)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QStringList folders = {QFileInfo(QStringLiteral(TF_PROGRAM)).path(),
                                 QFileInfo(QStringLiteral(TF_CLI)).path(), environment.value("PATH")};
    environment.insert("PATH", folders.join(QLatin1Char(':')));
    environment.insert("HOME", scratch);
    environment.insert("XDG_CONFIG_HOME", scratch + "/.config");
    environment.insert("XDG_DATA_HOME", scratch + "/.local/share");
    environment.insert("TMPDIR", scratch);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("TZ", "UTC");
    environment.remove("DISPLAY");
    return environment;
}

} // namespace

class TestExamples : public QObject {
    Q_OBJECT

private slots:
    // The marked form itself: what the reader takes and what it refuses.
    void markedForm_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("roff");
        QTest::addColumn<int>("examples");
        QTest::addColumn<QString>("errors");
        QTest::newRow("two examples") << "```console\n$ tickforge-cli new QXC330 -o a.TFCC\n[exit 0]\n\n"
                                         "$ tickforge-cli check a.TFCC\nline one\nline ...\n[exit 2]\n```\n"
                                      << false << 2 << "";
        QTest::newRow("command goes on")
            << "```console\n$ tickforge-cli solve QXC330 \\\n  --hext 8\n[exit 1]\n```\n"
            << false << 1 << "";
        QTest::newRow("no exit line") << "text\n```console\n$ tickforge-cli show a.TFCC\nout\n```\n"
                                      << false << 1 << "3: example without its \"[exit N]\" line";
        QTest::newRow("exit not a number") << "```console\n$ tickforge-cli show a.TFCC\n[exit two]\n```\n"
                                           << false << 1
                                           << "3: unreadable exit line \"[exit two]\"|2: example without its "
                                              "\"[exit N]\" line";
        QTest::newRow("output before the command")
            << "```console\nout\n$ tickforge-cli show a.TFCC\n[exit 0]\n```\n"
            << false << 1 << "2: output line \"out\" outside an example";
        QTest::newRow("no command")
            << "```console\n[exit 0]\n```\n"
            << false << 0
            << "2: \"[exit N]\" without a command before it|2: marked block without a "
               "\"$ \" command";
        QTest::newRow("unmarked command")
            << "```sh\ntickforge-cli check a.TFCC\n```\n"
            << false << 0 << "2: command example not in the marked form: tickforge-cli check a.TFCC";
        QTest::newRow("build commands stay unmarked") << "```sh\ncmake --build build\n```\n"
                                                      << false << 0 << "";
        QTest::newRow("longer fence holds a shorter one")
            << "````\n```console\n$ tickforge --version\n```\n````\n"
            << false << 0 << "3: command example not in the marked form: $ tickforge --version";
        QTest::newRow("not closed") << "```console\n$ tickforge --version\n[exit 0]\n"
                                    << false << 0 << "1: block not closed";
        QTest::newRow("roff")
            << ".PP\n.EX\n.RS\n$ tickforge\\-cli new QXC330 \\-o a.TFCC\n.RE\n\\&[exit 0]\n.EE\n"
            << true << 1 << "";
        QTest::newRow("roff unmarked")
            << ".nf\ntickforge\\-cli check a.TFCC\n.fi\n"
            << true << 0 << "2: command example not in the marked form: tickforge-cli check a.TFCC";
    }
    void markedForm()
    {
        QFETCH(QString, text);
        QFETCH(bool, roff);
        const DocExamples read = readDocExamples(text, roff);
        int count = 0;
        for (const DocBlock &block : read.blocks)
            count += block.examples.size();
        QTEST(count, "examples");
        QTEST(read.errors.join(QLatin1Char('|')), "errors");
    }

    void readBack()
    {
        const DocExamples read = readDocExamples(
            "```console\n$ tickforge-cli check \\\n  a.TFCC\nerror: x\n[exit 2]\n```\n", false);
        QCOMPARE(read.blocks.size(), 1);
        const DocExample &example = read.blocks.first().examples.first();
        QCOMPARE(example.command, QString("tickforge-cli check a.TFCC"));
        QCOMPARE(example.expected, QStringList{"error: x"});
        QCOMPARE(example.exitStatus, 2);
        QCOMPARE(example.line, 2);
    }

    void matching_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("missing");
        QTest::newRow("in order") << "a\nb\nc\n" << QStringList{"a", "c"} << "";
        QTest::newRow("out of order") << "a\nb\nc\n" << QStringList{"c", "a"} << "a";
        QTest::newRow("whole lines") << "abc\n" << QStringList{"ab"} << "ab";
        QTest::newRow("start of a line") << "abc\n" << QStringList{"ab..."} << "";
        QTest::newRow("trailing blanks") << "abc  \n" << QStringList{"abc"} << "";
    }
    void matching()
    {
        QFETCH(QString, output);
        QFETCH(QStringList, expected);
        QString missing;
        const bool matched = outputMatches(output, expected, &missing);
        QCOMPARE(matched, missing.isEmpty());
        QTEST(missing, "missing");
    }

    // Every document reads without an error, and they hold enough examples
    // that losing a chapter's shows.
    void documentsRead()
    {
        int count = 0;
        QStringList errors;
        for (const Document &document : documents()) {
            const DocExamples read = examplesOf(document);
            for (const QString &error : read.errors)
                errors << document.name + ':' + error;
            for (const DocBlock &block : read.blocks)
                count += block.examples.size();
        }
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        QVERIFY2(count >= 40, qPrintable(QString::number(count)));
    }

    // The command-line chapter of each manual takes the tool's reference
    // (commands, options, exit statuses) from its help table at build time.
    void manualsTakeTheReference_data()
    {
        QTest::addColumn<QString>("manual");
        QTest::newRow("en") << "docs/manual/manual.en.md";
        QTest::newRow("zh") << "docs/manual/manual.zh.md";
    }
    void manualsTakeTheReference()
    {
        QFETCH(QString, manual);
        QFile file(QStringLiteral(TF_SOURCE_DIR "/") + manual);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.contains("\n<!-- tickforge-cli commands -->\n"));
        QVERIFY(
            text.contains(QRegularExpression("\n<!-- tickforge-cli exit statuses: [^|]+ \\| [^|]+ -->\n")));
    }

    // One row per marked block; its examples run in order in one scratch folder.
    void examples_data()
    {
        QTest::addColumn<QVector<DocExample>>("examples");
        for (const Document &document : documents()) {
            for (const DocBlock &block : examplesOf(document).blocks)
                QTest::newRow(qPrintable(QStringLiteral("%1:%2").arg(document.name).arg(block.line)))
                    << block.examples;
        }
    }
    void examples()
    {
        QFETCH(QVector<DocExample>, examples);
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        const QDir designs(QStringLiteral(TF_SOURCE_DIR "/docs/manual/designs"));
        for (const QString &design : designs.entryList({"*.TFCC"}, QDir::Files))
            QVERIFY(QFile::copy(designs.filePath(design), scratch.filePath(design)));
        const QProcessEnvironment environment = exampleEnvironment(scratch.path());
        for (const DocExample &example : examples) {
            // Lines in the order written, as a terminal shows them.
            const ProgramRun run =
                runProgram("stdbuf", {"-oL", "-eL", "/bin/sh", "-c", example.command + " 2>&1"}, environment,
                           scratch.path());
            const QString context = QStringLiteral("line %1: $ %2\n%3[exit %4]")
                                        .arg(example.line)
                                        .arg(example.command, run.both())
                                        .arg(run.status);
            QVERIFY2(run.status == example.exitStatus, qPrintable(context));
            QString missing;
            QVERIFY2(outputMatches(run.out, example.expected, &missing),
                     qPrintable(QStringLiteral("missing \"%1\" in\n%2").arg(missing, context)));
        }
    }
};

QTEST_GUILESS_MAIN(TestExamples)
#include "tst_examples.moc"

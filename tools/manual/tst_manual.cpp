#include "TableRows.h"
#include "TestHelpers.h"

#include <QtTest>

// The manual renderer: Markdown in, a PDF whose text reads back, or a refusal
// when a font the manuals need is missing.
class TestManual : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data() { addTableRows("manual_roundtrip.tsv"); }
    void roundTrip()
    {
        QFETCH(QString, source);
        QFETCH(QString, fonts);
        QFETCH(QStringList, words);
        QTemporaryDir dir;
        const QString markdown = writeFile(dir.filePath("m.md"), source.toUtf8());
        const QString pdf = dir.filePath("m.pdf");
        QProcessEnvironment environment;
        if (!fonts.isEmpty()) {
            const QString folder = fonts.startsWith('/') ? fonts : dir.filePath(fonts);
            QVERIFY(QDir().mkpath(folder));
            const QString config =
                writeFile(dir.filePath("fonts.conf"),
                          QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig><dir>%1</dir>"
                                         "<cachedir>%2</cachedir></fontconfig>\n")
                              .arg(folder, dir.filePath("fontcache"))
                              .toUtf8());
            environment = QProcessEnvironment::systemEnvironment();
            environment.insert("FONTCONFIG_FILE", config);
        }
        const ProgramRun render = runProgram(QStringLiteral(TF_MANUAL_TOOL), {markdown, pdf}, environment);
        if (words.constFirst().startsWith("the font")) {
            QCOMPARE(render.both().trimmed(), "tf_manual: " + words.constFirst());
            QCOMPARE(render.status, 1);
            QVERIFY(!QFileInfo::exists(pdf));
            return;
        }
        QVERIFY2(render.status == 0, qPrintable(render.both()));
        const ProgramRun text = runProgram("pdftotext", {"-enc", "UTF-8", pdf, "-"});
        QCOMPARE(text.status, 0);
        // The heading's number is set off by no-break spaces.
        const QString read = QString(text.out).replace(QChar(0x00a0), ' ').simplified();
        for (const QString &word : words)
            QVERIFY2(read.contains(word), qPrintable(word + " not in: " + read));
    }
};

QTEST_GUILESS_MAIN(TestManual)
#include "tst_manual.moc"

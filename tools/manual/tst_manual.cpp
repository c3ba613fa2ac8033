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
        QProcess render;
        render.setProcessChannelMode(QProcess::MergedChannels);
        if (!fonts.isEmpty()) {
            const QString folder = fonts.startsWith('/') ? fonts : dir.filePath(fonts);
            QVERIFY(QDir().mkpath(folder));
            const QString config =
                writeFile(dir.filePath("fonts.conf"),
                          QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig><dir>%1</dir>"
                                         "<cachedir>%2</cachedir></fontconfig>\n")
                              .arg(folder, dir.filePath("fontcache"))
                              .toUtf8());
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("FONTCONFIG_FILE", config);
            render.setProcessEnvironment(environment);
        }
        render.start(QStringLiteral(TF_MANUAL_TOOL), {markdown, pdf});
        QVERIFY(render.waitForFinished(600000));
        const QString output = QString::fromUtf8(render.readAll());
        if (words.constFirst().startsWith("the font")) {
            QCOMPARE(output.trimmed(), "tf_manual: " + words.constFirst());
            QCOMPARE(render.exitCode(), 1);
            QVERIFY(!QFileInfo::exists(pdf));
            return;
        }
        QVERIFY2(render.exitCode() == 0, qPrintable(output));
        QProcess text;
        text.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
        QVERIFY(text.waitForFinished(60000) && text.exitCode() == 0);
        // The heading's number is set off by no-break spaces.
        const QString read =
            QString::fromUtf8(text.readAllStandardOutput()).replace(QChar(0x00a0), ' ').simplified();
        for (const QString &word : words)
            QVERIFY2(read.contains(word), qPrintable(word + " not in: " + read));
    }
};

QTEST_GUILESS_MAIN(TestManual)
#include "tst_manual.moc"

#include <QtTest>

#include "QuotedTexts.h"

// Every menu text, button, title and message a manual quotes is a text of
// the program's catalogue in the manual's language.

namespace {

QByteArray readSource(const QString &name)
{
    QFile file(QStringLiteral(TF_SOURCE_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const char kCatalogue[] =
    "<TS><context><name>A</name>"
    "<message><source>Open</source><translation>Open</translation></message>"
    "<message><source>Can't open manual!</source><translation>Can't open user manual!</translation></message>"
    "<message><source>Download failed: </source><translation></translation></message>"
    "<message><source>Can not support sclk greater than</source><translation/></message>"
    "<message><source> file already exists.Do you want to replace it ? </source><translation/></message>"
    "<message><source>sclk(4 - %1MHz)</source><translation/></message>"
    "<message><source>A new version of \"Tickforge\" has been detected.</source><translation/></message>"
    "<message><source>PNG image (*.png);;PDF document (*.pdf)</source><translation/></message>"
    "<message><source>Can't load:\n%1</source><translation/></message>"
    "<message><source>%1.</source><translation/></message>"
    "</context></TS>";

} // namespace

class TestQuotedTexts : public QObject {
    Q_OBJECT

private slots:
    // How a quote is found in a catalogue.
    void quoteForms_data()
    {
        QTest::addColumn<QString>("markdown");
        QTest::addColumn<QStringList>("held");
        QTest::addColumn<QStringList>("missing");
        QTest::newRow("shown text, not the source")
            << "\"Can't open user manual!\" and \"Can't open manual!\""
            << QStringList{"Can't open user manual!"} << QStringList{"Can't open manual!"};
        QTest::newRow("variable part as an ellipsis")
            << "\"Download failed: …\"" << QStringList{"Download failed: …"} << QStringList{};
        QTest::newRow("value after")
            << "\"Can not support sclk greater than 288MHz\", \"Can not support sclk greater than …MHz\""
            << QStringList{"Can not support sclk greater than 288MHz",
                           "Can not support sclk greater than …MHz"}
            << QStringList{};
        QTest::newRow("file name before")
            << "\"main.c file already exists.Do you want to replace it ? \""
            << QStringList{"main.c file already exists.Do you want to replace it ? "} << QStringList{};
        QTest::newRow("placeholder") << "\"sclk(4 - 288MHz)\"" << QStringList{"sclk(4 - 288MHz)"}
                                     << QStringList{};
        QTest::newRow("quotes inside")
            << "\"A new version of \"Tickforge\" has been detected.\" then \"Open\""
            << QStringList{"A new version of \"Tickforge\" has been detected.", "Open"} << QStringList{};
        QTest::newRow("a filter of several types")
            << "\"PDF document (*.pdf)\"" << QStringList{"PDF document (*.pdf)"} << QStringList{};
        QTest::newRow("Markdown escapes") << "\"PDF document (\\*.pdf)\"" << QStringList{"PDF document (*.pdf)"}
                                          << QStringList{};
        QTest::newRow("a line of a message")
            << "\"Can't load:\"" << QStringList{"Can't load:"} << QStringList{};
        QTest::newRow("placeholder alone takes nothing")
            << "\"anything at all\"" << QStringList{} << QStringList{"anything at all"};
        QTest::newRow("changed word")
            << "\"Download succeeded\"" << QStringList{} << QStringList{"Download succeeded"};
        QTest::newRow("part of a line") << "\"Can't open\"" << QStringList{} << QStringList{"Can't open"};
        QTest::newRow("code and comments are not read")
            << "`\"Nothing\"`\n<!-- \"nothing\" -->\n```\n\"none\"\n```\n\"Open\"" << QStringList{"Open"}
            << QStringList{};
    }
    void quoteForms()
    {
        QFETCH(QString, markdown);
        const Quotes quotes =
            readQuotes(markdown, QLatin1Char('"'), QLatin1Char('"'), Catalogue::fromTs(kCatalogue));
        QTEST(quotes.held, "held");
        QTEST(quotes.missing, "missing");
    }

    void chineseMarks()
    {
        const Catalogue catalogue =
            Catalogue::fromTs("<TS><context><message><source>Open</source><translation>打开</translation></"
                              "message></context></TS>");
        const Quotes quotes =
            readQuotes(QStringLiteral("选择“打开”，不是“开”。"), QChar(0x201C), QChar(0x201D), catalogue);
        QCOMPARE(quotes.held, QStringList{"打开"});
        QCOMPARE(quotes.missing, QStringList{"开"});
    }

    // The manuals against the catalogues the program is built with.
    void manuals_data()
    {
        QTest::addColumn<QString>("manual");
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QChar>("open");
        QTest::addColumn<QChar>("close");
        QTest::newRow("en") << "docs/manual/manual.en.md"
                            << "resources/translations/tr_en.ts" << QChar('"') << QChar('"');
        QTest::newRow("zh") << "docs/manual/manual.zh.md"
                            << "resources/translations/tr_zh.ts" << QChar(0x201C) << QChar(0x201D);
    }
    void manuals()
    {
        QFETCH(QString, manual);
        QFETCH(QString, catalogue);
        QFETCH(QChar, open);
        QFETCH(QChar, close);
        const Catalogue texts = Catalogue::fromTs(readSource(catalogue));
        QVERIFY(texts.size() > 100);
        const Quotes quotes = readQuotes(QString::fromUtf8(readSource(manual)), open, close, texts);
        QVERIFY2(quotes.missing.isEmpty(),
                 qPrintable("not in " + catalogue + ":\n" + quotes.missing.join('\n')));
        // A manual that quoted nothing would pass without saying anything.
        QVERIFY(quotes.held.size() > 100);
    }
};

QTEST_GUILESS_MAIN(TestQuotedTexts)
#include "tst_quotedtexts.moc"

// Numbers that are no clocks: "nan", infinities, values past a double's
// range, texts a person might type that are no decimal number. Wherever one
// enters (a typed entry, a design file, a record handed to the checks or to
// the generator, an exact frequency, a wanted clock) it is refused or read
// as a plain number, never carried on as NaN into a shown or written value.

#include "ClockRules.h"
#include "ClockSolver.h"
#include "DesignDocument.h"
#include "DesignFile.h"
#include "DocumentSteps.h"
#include "Generator.h"
#include "Presentation.h"
#include "Rational.h"
#include "RecordFields.h"
#include "SeriesTable.h"

#include <QtTest>

namespace {

QString statusName(const EditOutcome &outcome)
{
    return QStringList({"applied", "refused", "cancelled"}).at(int(outcome.status));
}

// The texts of every control that shows a number and holds no number.
QStringList nonNumbers(const DesignDocument &document)
{
    QStringList bad;
    static const QRegularExpression word(QStringLiteral("\\b(nan|inf|infinity)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    for (const ControlPresentation &control : TreePresentation::of(document)) {
        if (control.role == ControlRole::Entry)
            continue; // an entry shows what was typed or read
        for (const QString &text : {control.text, control.accessibleValue, control.toolTip}) {
            if (word.match(text).hasMatch())
                bad << control.name + QLatin1Char('=') + text;
        }
    }
    return bad;
}

// The factory design of a series as its file stores it, with one element changed.
QHash<QString, QString> factoryFileWith(const QString &element, const QString &text,
                                        const QString &series = QStringLiteral("QXC330"))
{
    const SeriesParams *row = SeriesTable::byName(series);
    DesignDocument factory(row->id);
    QHash<QString, QString> file;
    for (const QString &name : DesignFile::elementNames(row->seriesName()))
        file.insert(name, DesignFile::elementText(factory.record(), row->seriesName(), name));
    file.insert(element, text);
    return file;
}

} // namespace

class TestNonFinite : public QObject {
    Q_OBJECT

private slots:
    // What a person types into an entry and applies with Return.
    void typedEntry_data()
    {
        QTest::addColumn<QString>("series");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("fields"); // the record after the edit

        const QString hextError = QStringLiteral("E:hext input error!");
        const QString sclkError = QStringLiteral("E:sclk input error!");
        const QString msError = QStringLiteral("E:pll_ms input error!");
        const QString nsError = QStringLiteral("E:pll_ns input error!");
        const QString kept = QStringLiteral("hextMHz=8 pllMs=1 pllNs=72 pllMHz=288 sclkMHz=288");
        struct Row {
            const char *tag, *series, *entry, *text;
            bool refused;
        };
        const Row rows[] = {
            {"hext nan", "QXC330", "hext", "nan", true},
            {"hext NaN", "QXC330", "hext", "NaN", true},
            {"hext inf", "QXC330", "hext", "inf", true},
            {"hext -inf", "QXC330", "hext", "-inf", true},
            {"hext +inf", "QXC330", "hext", "+inf", true},
            {"hext infinity", "QXC330", "hext", "infinity", true},
            {"hext 1e400", "QXC330", "hext", "1e400", true},
            {"hext -1e400", "QXC330", "hext", "-1e400", true},
            {"hext 1e-400", "QXC330", "hext", "1e-400", true},
            {"hext empty", "QXC330", "hext", "", true},
            {"hext blank", "QXC330", "hext", "   ", true},
            {"hext decimal comma", "QXC330", "hext", "8,5", true},
            {"hext hexadecimal", "QXC330", "hext", "0x10", true},
            {"hext with unit", "QXC330", "hext", "8MHz", true},
            {"hext 400 digits", "QXC330", "hext",
             "1000000000000000000000000000000000000000000000000000000000000"
             "0000000000000000000000000000000000000000000000000000000000000"
             "0000000000000000000000000000000000000000000000000000000000000"
             "0000000000000000000000000000000000000000000000000000000000000"
             "0000000000000000000000000000000000000000000000000000000000000"
             "0000000000000000000000000000000000000000000000000000000000000"
             "0000000000000000000000000000000000",
             true},
            {"sclk nan", "QXC330", "sclk", "nan", true},
            {"sclk inf", "QXC330", "sclk", "inf", true},
            {"sclk -inf", "QXC330", "sclk", "-inf", true},
            {"sclk 1e400", "QXC330", "sclk", "1e400", true},
            {"sclk 0", "QXC330", "sclk", "0", true},
            {"sclk -100", "QXC330", "sclk", "-100", true},
            {"sclk 1e-400", "QXC330", "sclk", "1e-400", true},
            {"multiplier sclk nan", "QXC300", "sclk", "nan", true},
            {"multiplier sclk inf", "QXC300", "sclk", "inf", true},
            {"multiplier hext nan", "QXC300", "hext", "nan", true},
            {"multiplier hext -inf", "QXC300", "hext", "-inf", true},
            {"ms nan", "QXC330", "pllms", "/nan", true},
            {"ms inf", "QXC330", "pllms", "/inf", true},
            {"ms 1e400", "QXC330", "pllms", "/1e400", true},
            {"ms past int", "QXC330", "pllms", "/99999999999999999999", true},
            {"ms wraps to 1 as int", "QXC330", "pllms", "/4294967297", true},
            {"ns nan", "QXC330", "pllns", "*nan", true},
            {"ns inf", "QXC330", "pllns", "*inf", true},
            {"ns past int", "QXC330", "pllns", "*99999999999999999999", true},
        };
        for (const Row &r : rows) {
            const QString entry = QLatin1String(r.entry);
            const QString error = entry == "hext"    ? hextError
                                  : entry == "sclk"  ? sclkError
                                  : entry == "pllms" ? msError
                                                     : nsError;
            QTest::addRow("%s", r.tag)
                << r.series << entry << r.text << "refused" << error
                << (QLatin1String(r.series) == "QXC330" ? kept : QStringLiteral("hextMHz=8"));
        }
        // Texts the entry reads as a plain number.
        QTest::addRow("hext with blanks around") << "QXC330"
                                                 << "hext"
                                                 << " 12 "
                                                 << "applied"
                                                 << ""
                                                 << "hextMHz=12";
        QTest::addRow("hext with exponent") << "QXC330"
                                            << "hext"
                                            << "1.2e1"
                                            << "applied"
                                            << ""
                                            << "hextMHz=12";
        QTest::addRow("hext with many zeros")
            << "QXC330"
            << "hext"
            << "000000000000000000000000000000000000000000012.00000000000000000000000"
            << "applied"
            << ""
            << "hextMHz=12";
        QTest::addRow("sclk 1e2") << "QXC330"
                                  << "sclk"
                                  << "1e2"
                                  << "applied"
                                  << ""
                                  << "sclkMHz=100 pllMHz=100";
    }
    void typedEntry()
    {
        QFETCH(QString, series);
        QFETCH(QString, entry);
        QFETCH(QString, text);
        QFETCH(QString, status);
        QFETCH(QString, boxes);
        QFETCH(QString, fields);

        DesignDocument document(SeriesTable::byName(series)->id);
        ScriptedPrompter prompter;
        document.setPrompter(&prompter);
        const ControlTable::Control control = controlNamed(entry);
        document.apply(DesignEdit::type(control, text));
        const EditOutcome outcome = document.apply(DesignEdit::commit(control));
        QCOMPARE(statusName(outcome), status);
        QCOMPARE(prompter.shown.join(QLatin1Char('|')), boxes);
        QCOMPARE(RecordFields::mismatches(document.record(), fields), QString());
        QCOMPARE(nonNumbers(document), QStringList());
        if (status == QLatin1String("refused")) {
            QCOMPARE(document.entryText(control), text); // the typed text stays for the person to mend
            QVERIFY(!document.entryCommitted(control));
        }
    }

    // A design file whose crystal is no number in the crystal's range: the
    // document opens it, the check refuses it, no control shows "nan" or "inf".
    void openedCrystal_data()
    {
        QTest::addColumn<QString>("hext");
        QTest::addColumn<QString>("finding"); // what reading the file reports for hext
        QTest::addColumn<QString>("refusal"); // the first refusal of the checks

        const QString error = QStringLiteral("hext input error!");
        QTest::newRow("nan") << "nan"
                             << "warning: hext \"nan\" read as 0.000000" << error;
        QTest::newRow("NaN") << "NaN"
                             << "warning: hext \"NaN\" read as 0.000000" << error;
        QTest::newRow("inf") << "inf"
                             << "warning: hext \"inf\" read as 0.000000" << error;
        QTest::newRow("-inf") << "-inf"
                              << "warning: hext \"-inf\" read as 0.000000" << error;
        QTest::newRow("1e400") << "1e400"
                               << "warning: hext \"1e400\" read as 0.000000" << error;
        QTest::newRow("1e-400") << "1e-400"
                                << "warning: hext \"1e-400\" read as 0.000000" << error;
        QTest::newRow("empty") << ""
                               << "warning: hext \"\" read as 0.000000" << error;
        QTest::newRow("decimal comma") << "8,5"
                                       << "warning: hext \"8,5\" read as 0.000000" << error;
        QTest::newRow("hexadecimal") << "0x10"
                                     << "warning: hext \"0x10\" read as 0.000000" << error;
        QTest::newRow("past the range") << "30"
                                        << "" << error;
        QTest::newRow("blanks around") << " 8 "
                                       << ""
                                       << "";
        QTest::newRow("many zeros") << "0000000000000000000000000000008.000000000000000000000000000"
                                    << ""
                                    << "";
    }
    void openedCrystal()
    {
        QFETCH(QString, hext);
        QFETCH(QString, finding);
        QFETCH(QString, refusal);

        DesignDocument document(SeriesTable::byName(QStringLiteral("QXC330"))->id);
        ScriptedPrompter prompter;
        document.setPrompter(&prompter);
        const QHash<QString, QString> file = factoryFileWith(QStringLiteral("hext"), hext);
        document.open(file);
        QCOMPARE(document.entryText(ControlTable::Control::Hext), hext); // shown as written
        QCOMPARE(nonNumbers(document), QStringList());

        DesignFile::Elements elements = DesignFile::parse(DesignFile::write(document.record(), "QXC330"));
        QVERIFY(!elements.isEmpty());
        QStringList read;
        QByteArray xml = "<Configuration>";
        for (auto it = file.begin(); it != file.end(); ++it)
            xml += "<" + it.key().toUtf8() + ">" + it.value().toUtf8() + "</" + it.key().toUtf8() + ">";
        xml += "</Configuration>";
        for (const ClockRules::Finding &f :
             DesignFile::readDifferences(DesignFile::parse(xml), document.record(), "QXC330"))
            read << (f.isRefusal() ? "error: " : "warning: ") + f.detail;
        QCOMPARE(read.join(QLatin1Char('\n')), finding);

        const ClockRules::Verdict verdict = ClockRules::judge(document.record());
        QStringList refusals;
        for (const ClockRules::Finding &f : verdict.findings) {
            if (f.isRefusal())
                refusals << f.text();
        }
        QCOMPARE(refusals.value(0), refusal);
    }

    // Records handed to the checks before saving and generating: every
    // non-finite value the tree uses is refused, and the generator writes nothing.
    void judgedRecord_data()
    {
        QTest::addColumn<QString>("series");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("refusal");

        QTest::newRow("hext nan, PLL on HEXT") << "QXC330"
                                               << "hextMHz=nan"
                                               << "hext input error!";
        QTest::newRow("hext inf, PLL on HEXT") << "QXC330"
                                               << "hextMHz=inf"
                                               << "hext input error!";
        QTest::newRow("hext -inf, PLL on HEXT") << "QXC330"
                                                << "hextMHz=-inf"
                                                << "hext input error!";
        QTest::newRow("hext nan, HICK clock") << "QXC330"
                                              << "sclkSource=0 hextMHz=nan"
                                              << "hext input error!";
        QTest::newRow("hext nan, multiplier") << "QXC300"
                                              << "hextMHz=nan"
                                              << "hext input error!";
        QTest::newRow("hext 1e300, multiplier") << "QXC300"
                                                << "hextMHz=1e300"
                                                << "hext input error!";
        QTest::newRow("usb divider nan")
            << "QXC330"
            << "usbDisabled=0 usbDiv=nan"
            << "usbDiv nan is not one of 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5, 5, 5.5, 6, 6.5, 7";
        QTest::newRow("usb divider inf")
            << "QXC330"
            << "usbDisabled=0 usbDiv=inf"
            << "usbDiv inf is not one of 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5, 5, 5.5, 6, 6.5, 7";
        QTest::newRow("hick nan, HICK clock") << "QXC330"
                                              << "sclkSource=0 hickMHz=nan"
                                              << "hickMHz nan is not one of 48";
        QTest::newRow("hick inf, PLL on HICK") << "QXC330"
                                               << "pllSourceHick=1 hickMHz=inf"
                                               << "pll_ms input error!";
        QTest::newRow("hick 0, HICK clock") << "QXC330"
                                            << "sclkSource=0 hickMHz=0"
                                            << "hickMHz 0 is not one of 48";
        QTest::newRow("hick nan, multiplier, HICK unused") << "QXC300"
                                                           << "hickMHz=nan"
                                                           << "hickMHz nan is not one of 8";
        // A divider of zero divides nothing: refused as no option of its control.
        QTest::newRow("ahb divider 0") << "QXC330"
                                       << "ahbDiv=0"
                                       << "ahbDiv 0 is not one of 1, 2, 4, 8, 16, 64, 128, 256, 512";
        QTest::newRow("apb1 divider 0") << "QXC330"
                                        << "apb1Div=0"
                                        << "apb1Div 0 is not one of 1, 2, 4, 8, 16";
        QTest::newRow("usb divider 0")
            << "QXC330"
            << "usbDisabled=0 usbDiv=0"
            << "usbDiv 0 is not one of 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5, 5, 5.5, 6, 6.5, 7";
        QTest::newRow("ms 0") << "QXC330"
                              << "pllMs=0"
                              << "pll_ms input error!";
        QTest::newRow("ns 0") << "QXC330"
                              << "pllNs=0"
                              << "pll_ns input error!";
        QTest::newRow("fr 0") << "QXC330"
                              << "pllFr=0"
                              << "pllFr 0 is not one of 1, 2, 4, 8, 16, 32";
        QTest::newRow("multiplier 0") << "QXC300"
                                      << "pllMult=0"
                                      << "pllMult 0 is not one of 2..64";
        QTest::newRow("hext divider 0") << "QXC300"
                                        << "hextDivEnabled=1 hextDivValue=0"
                                        << "hextDivValue 0 is not one of 2";
        QTest::newRow("hext divider 0 of a chosen one") << "QXC305"
                                                        << "hextDivEnabled=1 hextDivValue=0"
                                                        << "hextDivValue 0 is not one of 2, 3, 4, 5";
        QTest::newRow("adc divider 0") << "QXC300"
                                       << "adcEnabled=1 adcDiv=0"
                                       << "adcDiv 0 is not one of 2, 4, 6, 8, 12, 16";
        QTest::newRow("clock output divider 0") << "QXC300"
                                                << "clkoutSource=4 clkoutDiv=0"
                                                << "clkoutDiv 0 is not one of 1";
        QTest::newRow("rtc divider 0") << "QXC330"
                                       << "rtcEnabled=1 rtcSource=2 rtcHextDiv=0"
                                       << "rtcHextDiv 0 is not one of 2..31";
    }
    void judgedRecord()
    {
        QFETCH(QString, series);
        QFETCH(QString, fields);
        QFETCH(QString, refusal);

        ClockConfig c = DesignDocument(SeriesTable::byName(series)->id).record(); // the factory design
        QString bad;
        QVERIFY2(RecordFields::apply(c, fields, &bad), qPrintable(bad));
        QStringList refusals;
        for (const ClockRules::Finding &f : ClockRules::judge(c).findings) {
            if (f.isRefusal())
                refusals << f.text();
        }
        QCOMPARE(refusals.value(0), refusal);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const Codegen::Result result =
            Codegen::generateProject(c, dir.path(), SeriesTable::byName(series)->templateStem(),
                                     [](const QString &) { return Codegen::ConflictAnswer{}; });
        QCOMPARE(int(result.status), int(Codegen::Status::Invalid));
        QCOMPARE(result.error, refusal);
        for (const char *folder : {"inc", "src"})
            QCOMPARE(QDir(dir.filePath(QLatin1String(folder))).entryList(QDir::Files).size(), 0);
    }

    // The record's own solving given an input of zero or no number: it ends,
    // leaves factors the chip has, and no clock it works out is NaN or infinite
    // unless its input was.
    void solving_data()
    {
        QTest::addColumn<QString>("series");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("op"); // typed: applyTypedSclk, usb: retunePllForUsb, calc: recompute
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("nonFinite"); // the record's fields left NaN or infinite

        QTest::newRow("flexible, sclk nan") << "QXC330"
                                            << "sclkMHz=nan"
                                            << "typed"
                                            << "pllMs=1 pllNs=63 pllFr=32 pllMHz=15.75 sclkMHz=15.75"
                                            << "";
        QTest::newRow("flexible, sclk inf") << "QXC330"
                                            << "sclkMHz=inf"
                                            << "typed"
                                            << "pllMs=1 pllNs=63 pllFr=32 pllMHz=15.75 sclkMHz=15.75"
                                            << "";
        QTest::newRow("flexible, sclk 0") << "QXC330"
                                          << "sclkMHz=0"
                                          << "typed"
                                          << "pllMs=2 pllNs=125 pllFr=32 pllMHz=15.625 sclkMHz=15.625"
                                          << "";
        QTest::newRow("flexible, crystal 0") << "QXC330"
                                             << "hextMHz=0 sclkMHz=100"
                                             << "typed"
                                             << "pllMs=1 pllNs=31 pllFr=32 pllMHz=0 sclkMHz=0"
                                             << "";
        QTest::newRow("flexible, crystal inf")
            << "QXC330"
            << "hextMHz=inf sclkMHz=100"
            << "typed"
            << "pllMs=1 pllNs=31 pllFr=32"
            << "hextMHz pllMHz sclkMHz ahbMHz apb1MHz apb1TimerMHz apb2MHz apb2TimerMHz";
        QTest::newRow("flexible, usb, crystal 0") << "QXC330"
                                                  << "usbDisabled=0 sclkSource=0 hextMHz=0"
                                                  << "usb"
                                                  << "pllMs=1 pllNs=31 pllFr=32 pllMHz=0 usbMHz=0 sclkMHz=288"
                                                  << "";
        QTest::newRow("multiplier, sclk nan") << "QXC300"
                                              << "sclkMHz=nan"
                                              << "typed"
                                              << "pllMult=2 pllMHz=16 sclkMHz=16"
                                              << "";
        QTest::newRow("multiplier, sclk inf") << "QXC300"
                                              << "sclkMHz=inf"
                                              << "typed"
                                              << "pllMult=64 pllMHz=512 sclkMHz=512"
                                              << "";
        QTest::newRow("multiplier, crystal 0") << "QXC300"
                                               << "hextMHz=0 sclkMHz=100"
                                               << "typed"
                                               << "pllMult=2 pllMHz=0 sclkMHz=0"
                                               << "";
        QTest::newRow("multiplier, crystal nan")
            << "QXC300"
            << "hextMHz=nan sclkMHz=100"
            << "typed"
            << "pllMult=2"
            << "hextMHz pllMHz sclkMHz ahbMHz apb1MHz apb1TimerMHz apb2MHz apb2TimerMHz";
        QTest::newRow("multiplier, usb, crystal nan") << "QXC300"
                                                      << "usbDisabled=0 sclkSource=0 hextMHz=nan"
                                                      << "usb"
                                                      << "pllMult=2 sclkMHz=192"
                                                      << "hextMHz pllMHz usbMHz";
        QTest::newRow("usb divider 0") << "QXC330"
                                       << "usbDisabled=0 usbDiv=0"
                                       << "calc"
                                       << "usbMHz=288"
                                       << "";
        QTest::newRow("ahb divider 0") << "QXC330"
                                       << "ahbDiv=0"
                                       << "calc"
                                       << "ahbMHz=288 apb1MHz=144"
                                       << "";
        QTest::newRow("apb1 divider 0") << "QXC330"
                                        << "apb1Div=0"
                                        << "calc"
                                        << "apb1MHz=288 apb1TimerMHz=576"
                                        << "";
        QTest::newRow("adc divider 0") << "QXC300"
                                       << "adcEnabled=1 adcDiv=0"
                                       << "calc"
                                       << "adcMHz=96"
                                       << "";
        QTest::newRow("ms 0") << "QXC330"
                              << "pllMs=0"
                              << "calc"
                              << "pllMHz=0 sclkMHz=0"
                              << "";
        QTest::newRow("fr 0") << "QXC330"
                              << "pllFr=0"
                              << "calc"
                              << "pllMHz=0 sclkMHz=0"
                              << "";
    }
    void solving()
    {
        QFETCH(QString, series);
        QFETCH(QString, fields);
        QFETCH(QString, op);
        QFETCH(QString, expected);
        QFETCH(QString, nonFinite);

        ClockConfig c = DesignDocument(SeriesTable::byName(series)->id).record();
        QString bad;
        QVERIFY2(RecordFields::apply(c, fields, &bad), qPrintable(bad));
        if (op == QLatin1String("typed"))
            c.applyTypedSclk();
        else if (op == QLatin1String("usb"))
            c.retunePllForUsb();
        else
            c.recompute();
        QStringList left;
        for (const auto &field : c.fieldValues()) {
            if (field.second.type() == QVariant::Double && !std::isfinite(field.second.toDouble()))
                left << field.first;
        }
        QCOMPARE(left.join(QLatin1Char(' ')), nonFinite);
        QCOMPARE(RecordFields::mismatches(c, expected), QString());
    }

    // The multiplier a file holds selects item multiplier - 2; one out of
    // 2..64, or no whole number, the first item.
    void openedMultiplier_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("pllMult");
        QTest::newRow("16") << "16" << 14 << 16;
        QTest::newRow("2, the first") << "2" << 0 << 2;
        QTest::newRow("64, the last") << "64" << 62 << 64;
        QTest::newRow("65") << "65" << 0 << 2;
        QTest::newRow("1") << "1" << 0 << 2;
        QTest::newRow("-1") << "-1" << 0 << 2;
        QTest::newRow("nan") << "nan" << 0 << 2;
        QTest::newRow("inf") << "inf" << 0 << 2;
        QTest::newRow("past an int") << "99999999999999999999" << 0 << 2;
        QTest::newRow("16.5") << "16.5" << 0 << 2;
        QTest::newRow("empty") << "" << 0 << 2;
    }
    void openedMultiplier()
    {
        QFETCH(QString, text);
        QFETCH(int, shown);
        QFETCH(int, pllMult);
        DesignDocument document(SeriesTable::byName(QStringLiteral("QXC300"))->id);
        ScriptedPrompter prompter;
        document.setPrompter(&prompter);
        document.open(factoryFileWith(QStringLiteral("pllmult"), text, QStringLiteral("QXC300")));
        QCOMPARE(document.shownIndex(ControlTable::Control::PllMult), shown);
        QCOMPARE(document.record().pllMult, pllMult);
        QCOMPARE(nonNumbers(document), QStringList());
    }

    // A typed system clock moves the multiplier's shown item with it.
    void typedMultiplier_data()
    {
        QTest::addColumn<QString>("sclk");
        QTest::addColumn<int>("shown");
        QTest::newRow("96") << "96" << 10;
        QTest::newRow("16") << "16" << 0;
        QTest::newRow("nan, refused") << "nan" << 22;
        QTest::newRow("inf, refused") << "inf" << 22;
    }
    void typedMultiplier()
    {
        QFETCH(QString, sclk);
        QFETCH(int, shown);
        DesignDocument document(SeriesTable::byName(QStringLiteral("QXC300"))->id);
        ScriptedPrompter prompter;
        document.setPrompter(&prompter);
        QCOMPARE(document.shownIndex(ControlTable::Control::PllMult), 22); // the factory's 24
        document.apply(DesignEdit::type(ControlTable::Control::Sclk, sclk));
        document.apply(DesignEdit::commit(ControlTable::Control::Sclk));
        QCOMPARE(document.shownIndex(ControlTable::Control::PllMult), shown);
    }

    // The two doubles a design file holds, in fixed notation: the crystal with
    // six decimals, the USB divider with one; both read back as written.
    void writtenNumbers_data()
    {
        QTest::addColumn<QString>("series");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("text");

        QTest::newRow("crystal 8") << "QXC330"
                                   << "hextMHz=8"
                                   << "hext"
                                   << "8.000000";
        QTest::newRow("crystal 12.288") << "QXC330"
                                        << "hextMHz=12.288"
                                        << "hext"
                                        << "12.288000";
        QTest::newRow("crystal 0.000001") << "QXC330"
                                          << "hextMHz=0.000001"
                                          << "hext"
                                          << "0.000001";
        QTest::newRow("crystal 25") << "QXC300"
                                    << "hextMHz=25"
                                    << "hext"
                                    << "25.000000";
        QTest::newRow("usb divider 1.5") << "QXC330"
                                         << "usbDiv=1.5"
                                         << "usbdiv"
                                         << "1.5";
        QTest::newRow("usb divider 6") << "QXC330"
                                       << "usbDiv=6"
                                       << "usbdiv"
                                       << "6.0";
        QTest::newRow("usb divider 2.5, multiplier") << "QXC300"
                                                     << "usbDiv=2.5"
                                                     << "usbdiv"
                                                     << "2.5";
        QTest::newRow("rtc divider 31") << "QXC330"
                                        << "rtcHextDiv=31"
                                        << "rtcdiv"
                                        << "31";
    }
    void writtenNumbers()
    {
        QFETCH(QString, series);
        QFETCH(QString, fields);
        QFETCH(QString, element);
        QFETCH(QString, text);

        ClockConfig c = DesignDocument(SeriesTable::byName(series)->id).record();
        QVERIFY(RecordFields::apply(c, fields));
        const DesignFile::Elements file = DesignFile::parse(DesignFile::write(c, series));
        QCOMPARE(file.value(element), text);
        QCOMPARE(DesignFile::readDifferences(file, c, series).size(), 0); // read back as written
    }

    // A new design holds no divider of 0: the RTC's HEXT divider is the
    // series' fixed one, or the first a person can choose.
    void factoryDividers_data()
    {
        QTest::addColumn<QString>("series");
        QTest::addColumn<QString>("fields");
        QTest::newRow("QXC330, chosen") << "QXC330"
                                        << "rtcHextDiv=2 usbDiv=6 ahbDiv=1 apb1Div=2 apb2Div=2";
        QTest::newRow("QXC300, fixed") << "QXC300"
                                       << "rtcHextDiv=128 usbDiv=4 hextDivValue=2";
        QTest::newRow("QXC305, chosen") << "QXC305"
                                        << "hextDivValue=2 adcDiv=2";
    }
    void factoryDividers()
    {
        QFETCH(QString, series);
        QFETCH(QString, fields);
        const DesignDocument document(SeriesTable::byName(series)->id);
        QCOMPARE(RecordFields::mismatches(document.record(), fields), QString());
    }

    // Exact frequencies: a decimal text or a double; nothing else is a value.
    void rationalParse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("value"); // text(9) of what was read

        QTest::newRow("nan") << "nan" << false << "";
        QTest::newRow("NaN") << "NaN" << false << "";
        QTest::newRow("inf") << "inf" << false << "";
        QTest::newRow("-inf") << "-inf" << false << "";
        QTest::newRow("1e400") << "1e400" << false << "";
        QTest::newRow("1e-400") << "1e-400" << false << "";
        QTest::newRow("1e13, past the exponent bound") << "1e13" << false << "";
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("sign alone") << "-" << false << "";
        QTest::newRow("point alone") << "." << false << "";
        QTest::newRow("exponent alone") << "e5" << false << "";
        QTest::newRow("decimal comma") << "8,5" << false << "";
        QTest::newRow("hexadecimal") << "0x10" << false << "";
        QTest::newRow("two signs") << "--8" << false << "";
        QTest::newRow("19 digits") << "1234567890123456789" << false << "";
        QTest::newRow("18 digits") << "123456789012345678" << true << "123456789012345678";
        QTest::newRow("blanks around") << " 8 " << true << "8";
        QTest::newRow("1e12") << "1e12" << true << "1000000000000";
        QTest::newRow("1e-12") << "1e-12" << true << "0"; // rounded to nine places
        QTest::newRow("12.288") << "12.288" << true << "12.288";
        QTest::newRow("-1.5") << "-1.5" << true << "-1.5";
        QTest::newRow("0.000000001") << "0.000000001" << true << "0.000000001";
        QTest::newRow("past 64 bits with decimals") << "99999999999.1234567" << true << "99999999999.1234567";
    }
    void rationalParse()
    {
        QFETCH(QString, text);
        QFETCH(bool, read);
        QFETCH(QString, value);
        Rational r(7);
        QCOMPARE(Rational::parse(text, &r), read);
        QCOMPARE(r.text(9), read ? value : QStringLiteral("7")); // untouched when refused
    }

    void rationalFromDecimal_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("nan") << qQNaN() << "0";
        QTest::newRow("inf") << qInf() << "0";
        QTest::newRow("-inf") << -qInf() << "0";
        QTest::newRow("1e300") << 1e300 << "0";
        QTest::newRow("1e-300") << 1e-300 << "0";
        QTest::newRow("12.288") << 12.288 << "12.288";
        QTest::newRow("0.032768") << 0.032768 << "0.032768";
        QTest::newRow("-1.5") << -1.5 << "-1.5";
    }
    void rationalFromDecimal()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(Rational::fromDecimal(value).text(9), text);
    }

    // A wanted clock of solve FILE --want.
    void wantedClock_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("outcome"); // the want as read, or the error

        QTest::newRow("nan") << "sclk=nan"
                             << "\"sclk=nan\": \"nan\" is no frequency in MHz";
        QTest::newRow("inf") << "sclk=inf"
                             << "\"sclk=inf\": \"inf\" is no frequency in MHz";
        QTest::newRow("-inf at most") << "sclk<=-inf"
                                      << "\"sclk<=-inf\": \"-inf\" is no frequency in MHz";
        QTest::newRow("1e400 at least") << "sclk>=1e400"
                                        << "\"sclk>=1e400\": \"1e400\" is no frequency in MHz";
        QTest::newRow("negative") << "sclk=-1"
                                  << "\"sclk=-1\": \"-1\" is no frequency in MHz";
        QTest::newRow("empty") << "sclk="
                               << "\"sclk=\": \"\" is no frequency in MHz";
        QTest::newRow("max in capitals") << "sclk=MAX"
                                         << "\"sclk=MAX\": \"MAX\" is no frequency in MHz";
        QTest::newRow("no clock") << "=100"
                                  << "\"=100\" is not CLOCK=MHZ, CLOCK<=MHZ, CLOCK>=MHZ or CLOCK=max";
        QTest::newRow("zero") << "sclk=0"
                              << "sclk=0";
        QTest::newRow("1e2") << "sclk>=1e2"
                             << "sclk>=100";
        QTest::newRow("max") << "usb=max"
                             << "usb=max";
    }
    void wantedClock()
    {
        QFETCH(QString, text);
        QFETCH(QString, outcome);
        ClockWant want;
        QString error;
        const bool read = ClockWant::parse(text, &want, &error);
        QCOMPARE(read ? want.text() : error, outcome);
    }
};

QTEST_GUILESS_MAIN(TestNonFinite)
#include "tst_nonfinite.moc"

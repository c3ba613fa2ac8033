// What an edit of a design does, without any widget: the reads of the
// entries, the corrections and their questions, the USB retune, the PLL input
// correction, and what a refused or cancelled edit leaves behind.

#include "ControlTable.h"
#include "DesignDocument.h"
#include "RecordFields.h"
#include "SeriesTable.h"

#include <QtTest>

namespace {

// Answers the questions from a list ("yes", "cancel") and records every box.
class ScriptedPrompter final : public DesignPrompter {
public:
    QStringList answers;
    QStringList shown;

    void showError(const QString &text) override { shown << QStringLiteral("E:") + text; }
    bool askYes(const QString &text) override
    {
        const bool yes = !answers.isEmpty() && answers.takeFirst() == QLatin1String("yes");
        shown << QStringLiteral("Q:") + text + (yes ? QStringLiteral("=yes") : QStringLiteral("=cancel"));
        return yes;
    }
};

ControlTable::Control controlNamed(const QString &name)
{
    const ControlTable::Row *row = ControlTable::rowByName(name);
    if (!row)
        qFatal("no control %s", qPrintable(name));
    return row->id;
}

// "type hext=12", "commit hext", "choose usbdiv=1".
DesignEdit editOf(const QString &step)
{
    const QString verb = step.section(QLatin1Char(' '), 0, 0);
    const QString rest = step.section(QLatin1Char(' '), 1);
    const QString name = rest.section(QLatin1Char('='), 0, 0);
    const QString value = rest.section(QLatin1Char('='), 1);
    if (verb == QLatin1String("type"))
        return DesignEdit::type(controlNamed(name), value);
    if (verb == QLatin1String("commit"))
        return DesignEdit::commit(controlNamed(name));
    return DesignEdit::choose(controlNamed(name), value.toInt());
}

QString statusName(EditOutcome::Status status)
{
    switch (status) {
    case EditOutcome::Status::Applied:
        return QStringLiteral("applied");
    case EditOutcome::Status::Refused:
        return QStringLiteral("refused");
    case EditOutcome::Status::Cancelled:
        return QStringLiteral("cancelled");
    }
    return QString();
}

// "pllMs=4|pllNs=250": each named field must hold that value.
void verifyFields(const ClockConfig &record, const QString &expected)
{
    QCOMPARE(RecordFields::mismatches(record, QString(expected).replace(QLatin1Char('|'), QLatin1Char(' '))),
             QString());
}

void verifyTexts(const DesignDocument &document, const QString &expected)
{
    for (const QString &pair : expected.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const QString name = pair.section(QLatin1Char('='), 0, 0);
        const QString text = name == QLatin1String("rtc") ? document.rtcText() // the RTC box
                                                           : document.entryText(controlNamed(name));
        QCOMPARE(text, pair.section(QLatin1Char('='), 1));
    }
}

} // namespace

class TestDesignDocument : public QObject {
    Q_OBJECT

private slots:
    void edits_data();
    void edits();
    void refusedEditPutsEverythingBack();
    void opening_data();
    void opening();
    void gate_data();
    void gate();
};

void TestDesignDocument::edits_data()
{
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("steps");   // the last one is the edit judged
    QTest::addColumn<QString>("answers"); // to the questions of every step
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("fields"); // record fields after the edit
    QTest::addColumn<QString>("texts");  // entry texts after the edit
    QTest::addColumn<QString>("boxes");  // boxes of the edit judged, in order

    const QString msQuestion = "Q:pll_ms input error, is it adjusted automatically?";
    const QString nsQuestion = "Q:pll_ns input error, is it adjusted automatically?";
    // clang-format off

    // The flexible PLL (HEXT 8 MHz, ms 1, ns 72, fr 2 at the factory).
    QTest::newRow("ms 5 below 2 MHz, Yes twice") << "QXC330" << "type pllms=/5|commit pllms" << "yes,yes"
                                                 << "applied" << "pllMs=4|pllNs=250|pllMHz=250"
                                                 << "pllms=/4|pllns=*250"
                                                 << msQuestion + "=yes|" + nsQuestion + "=yes";
    QTest::newRow("ms 5, Cancel keeps the record") << "QXC330" << "type pllms=/5|commit pllms" << "cancel"
                                                   << "cancelled" << "pllMs=1|pllNs=72|pllMHz=288"
                                                   << "pllms=/5|pllns=*72" << msQuestion + "=cancel";
    QTest::newRow("ms 16 out of range") << "QXC330" << "type pllms=/16|commit pllms" << ""
                                        << "refused" << "pllMs=1" << "pllms=/16" << "E:pll_ms input error!";
    QTest::newRow("ns 200 above 1000 MHz") << "QXC330" << "type pllns=*200|commit pllns" << "yes"
                                           << "applied" << "pllNs=125|pllMHz=500" << "pllns=*125"
                                           << nsQuestion + "=yes";
    QTest::newRow("ns 40 below 500 MHz") << "QXC330" << "type pllns=*40|commit pllns" << "yes"
                                         << "applied" << "pllNs=63|pllMHz=252" << "pllns=*63"
                                         << nsQuestion + "=yes";
    QTest::newRow("ns typed without its star") << "QXC330" << "type pllns=72" << "" << "applied" << "pllNs=72"
                                               << "pllns=*72" << "";
    QTest::newRow("HEXT 25 asks for ms 2") << "QXC330" << "type hext=25|commit hext" << "yes" << "applied"
                                           << "hextMHz=25|pllMs=2|pllNs=72|pllMHz=450" << "pllms=/2"
                                           << msQuestion + "=yes";
    QTest::newRow("HEXT 3 refused") << "QXC330" << "type hext=3|commit hext" << "" << "refused"
                                    << "hextMHz=8|pllMHz=288" << "hext=3" << "E:hext input error!";
    QTest::newRow("sclk 287.3 reaches 287") << "QXC330" << "type sclk=287.3|commit sclk" << "" << "applied"
                                            << "pllFr=2|pllMs=4|pllNs=287|sclkMHz=287" << "sclk=287.000|pllms=/4|pllns=*287" << "";
    QTest::newRow("HEXT 12, sclk 100") << "QXC330" << "type hext=12|commit hext|type sclk=100|commit sclk" << ""
                                       << "applied" << "pllFr=8|pllMs=3|pllNs=200|sclkMHz=100"
                                       << "sclk=100.000" << "";
    QTest::newRow("sclk 300 refused") << "QXC330" << "type sclk=300|commit sclk" << "" << "refused"
                                      << "sclkMHz=288" << "sclk=300" << "E:sclk input error!";
    QTest::newRow("RTC on HEXT reads the typed crystal") << "QXC330" << "type hext=30|choose rtcswitch=1|choose rtcsel=2"
                                                         << "" << "refused" << "rtcSource=0|hextMHz=8" << "hext=30"
                                                         << "E:hext input error!";
    QTest::newRow("sclk from HICK") << "QXC330" << "choose sclkselect=2" << "" << "applied"
                                    << "sclkSource=2|sclkMHz=8" << "sclk=8.000" << "";

    // The multiplier PLL (HEXT 8 MHz x 30 at the factory).
    QTest::newRow("sclk 100 rounds the multiplier to 13")
        << "QXC300A" << "type sclk=100|commit sclk" << "" << "applied" << "pllMult=13|pllMHz=104|sclkMHz=104"
        << "sclk=104.000" << "";
    QTest::newRow("sclk 6 clamps the multiplier to 2") << "QXC300A" << "type sclk=6|commit sclk" << ""
                                                       << "applied" << "pllMult=2|sclkMHz=16" << "" << "";
    QTest::newRow("divided by 5 the input is corrected")
        << "QXC300A" << "choose hextdiv=3|choose pllhextdiv=1" << "" << "applied" << "hextDivValue=5|hextMHz=10"
        << "hext=10.000" << "E:pll input clock source range 2-16MHz!";
    QTest::newRow("USB enabled at 240 MHz / 4") << "QXC300A" << "choose usbswitch=0" << "" << "applied"
                                                << "usbDisabled=0|usbMHz=60|pllMult=30" << "" << "";
    QTest::newRow("sclk 192 puts USB at 48") << "QXC300A" << "choose usbswitch=0|type sclk=192|commit sclk"
                                             << "" << "applied" << "usbDiv=4|usbMHz=48|sclkMHz=192" << "" << "";
    QTest::newRow("usbdiv retunes the PLL for USB")
        << "QXC300A" << "choose sclkselect=0|choose usbswitch=0|choose usbdiv=1" << "" << "applied"
        << "usbDiv=1.5|pllMult=9|pllMHz=72|usbMHz=48" << "" << "";
    // The RTC box: "40" from creation until an RTC edit, then "0" while the RTC is off.
    QTest::newRow("RTC box at the factory") << "QXC300A" << "choose ahbdiv=1" << "" << "applied" << "rtcEnabled=0"
                                            << "rtc=40" << "";
    QTest::newRow("RTC on and off again") << "QXC300A" << "choose rtcswitch=1|choose rtcswitch=0" << ""
                                          << "applied" << "rtcEnabled=0" << "rtc=0" << "";
    QTest::newRow("RTC on LEXT") << "QXC300A" << "choose rtcswitch=1|choose rtcsel=1" << "" << "applied"
                                 << "rtcSource=1" << "rtc=32.768" << "";
    QTest::newRow("RTC on HEXT/128") << "QXC300A" << "choose rtcswitch=1|choose rtcsel=2" << "" << "applied"
                                     << "rtcSource=2" << "rtc=62.500" << "";
    QTest::newRow("flexible RTC box empty while off") << "QXC330" << "choose ahbdiv=1" << "" << "applied"
                                                      << "rtcEnabled=0" << "rtc=" << "";
    QTest::newRow("USB from HICK 48 leaves the PLL") << "QXC300A" << "choose usbswitch=0|choose hicktousb=1"
                                                     << "" << "applied" << "usbSourceHick48=1|usbMHz=48|pllMult=30"
                                                     << "" << "";
    // clang-format on
}

void TestDesignDocument::edits()
{
    QFETCH(QString, series);
    QFETCH(QString, steps);
    QFETCH(QString, answers);
    QFETCH(QString, status);
    QFETCH(QString, fields);
    QFETCH(QString, texts);
    QFETCH(QString, boxes);

    DesignDocument document(SeriesTable::byName(series)->id);
    ScriptedPrompter prompter;
    prompter.answers = answers.split(QLatin1Char(','), Qt::SkipEmptyParts);
    document.setPrompter(&prompter);
    const QStringList edits = steps.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < edits.size(); ++i)
        QVERIFY(document.apply(editOf(edits.at(i))).applied());
    prompter.shown.clear();
    const EditOutcome outcome = document.apply(editOf(edits.last()));

    QCOMPARE(statusName(outcome.status), status);
    verifyFields(document.record(), fields);
    verifyTexts(document, texts);
    QCOMPARE(prompter.shown.join(QLatin1Char('|')), boxes);
    QStringList recorded;
    for (const DesignMessage &message : outcome.messages)
        recorded << (message.kind == DesignMessage::Kind::Error
                         ? QStringLiteral("E:") + message.text
                         : QStringLiteral("Q:%1=%2").arg(message.text, message.yes ? "yes" : "cancel"));
    QCOMPARE(recorded.join(QLatin1Char('|')), boxes);
}

// A cancelled question anywhere in an edit leaves the record, the other
// entries' typed text and the shown choices exactly as before it.
void TestDesignDocument::refusedEditPutsEverythingBack()
{
    DesignDocument document(SeriesTable::byName(QStringLiteral("QXC330"))->id);
    ScriptedPrompter prompter;
    document.setPrompter(&prompter);
    document.apply(DesignEdit::type(ControlTable::Control::Sclk, QStringLiteral("200")));
    document.apply(DesignEdit::type(ControlTable::Control::PllNs, QStringLiteral("*400")));
    const ClockConfig before = document.record();
    const int shownFr = document.shownIndex(ControlTable::Control::PllFr);

    prompter.answers = QStringList{QStringLiteral("cancel")};
    const EditOutcome outcome = document.apply(DesignEdit::commit(ControlTable::Control::PllNs));

    QCOMPARE(outcome.status, EditOutcome::Status::Cancelled);
    QVERIFY(outcome.changedFields.isEmpty());
    QVERIFY(DesignDocument::sameRecord(document.record(), before));
    QCOMPARE(document.entryText(ControlTable::Control::Sclk), QStringLiteral("200"));
    QCOMPARE(document.entryText(ControlTable::Control::PllNs), QStringLiteral("*400"));
    QCOMPARE(document.shownIndex(ControlTable::Control::PllFr), shownFr);
    QVERIFY(!document.entryCommitted(ControlTable::Control::PllNs));
}

void TestDesignDocument::opening_data()
{
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("elements"); // element=text, over the factory design
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("boxes");   // each shown once, questions answered Cancel
    QTest::addColumn<QString>("refused"); // entries the rules refuse, shown as not yet committed
    // clang-format off

    QTest::newRow("factory") << "QXC330" << "" << "hextMHz=8|pllMs=1|pllNs=72|pllFr=2|sclkMHz=288" << "" << "";
    QTest::newRow("ms out of range reads as 1") << "QXC330" << "pllms=16" << "pllMs=1|pllNs=72" << "" << "";
    QTest::newRow("hicktousb off its options is the PLL") << "QXC330" << "hicktousb=7" << "usbSourceHick48=0" << "" << "";
    QTest::newRow("a crystal out of range is told once and kept")
        << "QXC330" << "hext=30.000000|sclkselect=0" << "hextMHz=30|sclkSource=0" << "E:hext input error!" << "hext";
    QTest::newRow("a question answered Cancel keeps the file's ns")
        << "QXC330" << "pllns=200" << "pllNs=200"
        << "Q:pll_ns input error, is it adjusted automatically?=cancel" << "pllns";
    QTest::newRow("the file's factors win over a USB retune")
        << "QXC330" << "sclkselect=0|tousbswitch=0|pllms=2|pllns=150|pllfr=4" << "sclkSource=0|usbDisabled=0|pllMs=2|pllNs=150|pllFr=4"
        << "" << "";
    QTest::newRow("a multiplier input off range is corrected")
        << "QXC300A" << "hext=25.000000|pllhextdiv=0|pllrcs=0|sclkselect=1" << "hextMHz=16"
        << "E:pll input clock source range 2-16MHz!" << "";
    QTest::newRow("flexible mode restores its factors")
        << "QXC315" << "pllmode=1|pllms=2|pllns=150|pllfr=4|sclkselect=1" << "pllFlexible=1|pllMs=2|pllNs=150|pllFr=4|pllMHz=150"
        << "" << "";
    // clang-format on
}

void TestDesignDocument::opening()
{
    QFETCH(QString, series);
    QFETCH(QString, elements);
    QFETCH(QString, fields);
    QFETCH(QString, boxes);

    const SeriesParams *row = SeriesTable::byName(series);
    DesignDocument factory(row->id);
    QHash<QString, QString> file;
    // The factory design as the design file stores it.
    file.insert(QStringLiteral("hext"), QStringLiteral("8.000000"));
    for (const ControlTable::Row &r : ControlTable::rows()) {
        if (ControlTable::has(*row, r.id) && r.kind != ControlTable::Kind::Entry)
            file.insert(QLatin1String(r.element),
                        QString::number(ControlTable::fieldValue(factory.record(), r)));
    }
    file.insert(QStringLiteral("pllms"), QString::number(factory.record().pllMs));
    file.insert(QStringLiteral("pllns"), QString::number(factory.record().pllNs));
    for (const QString &pair : elements.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        file.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));

    DesignDocument document(row->id);
    ScriptedPrompter prompter;
    document.setPrompter(&prompter);
    document.open(file);
    QCOMPARE(document.origin(), DesignDocument::Origin::Opened);
    // A crystal the file writes with six decimals is shown as the entry writes numbers.
    if (!file.value(QStringLiteral("hext")).isEmpty() &&
        file.value(QStringLiteral("hext")) == QLatin1String("8.000000"))
        QCOMPARE(document.entryText(ControlTable::Control::Hext), QStringLiteral("8"));
    verifyFields(document.record(), fields);
    QCOMPARE(prompter.shown.join(QLatin1Char('|')), boxes);
    QStringList refused;
    for (const char *entry : {"hext", "pllms", "pllns"}) {
        if (document.entryRefused(controlNamed(entry)))
            refused << entry;
    }
    QTEST(refused.join(QLatin1Char(' ')), "refused");
}

void TestDesignDocument::gate_data()
{
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("boxes");
    // clang-format off

    QTest::newRow("factory passes") << "QXC330" << "" << "" << "passed" << "";
    QTest::newRow("USB at 60 MHz asked, Yes") << "QXC300A" << "choose usbswitch=0" << "yes" << "passed"
                                              << "Q:USB clock must be 48MHz. But the USB clock of current config is wrong.  please confirm whether to continue?=yes";
    QTest::newRow("USB at 60 MHz asked, Cancel") << "QXC300A" << "choose usbswitch=0" << "cancel" << "cancelled"
                                                 << "Q:USB clock must be 48MHz. But the USB clock of current config is wrong.  please confirm whether to continue?=cancel";
    // clang-format on
}

void TestDesignDocument::gate()
{
    QFETCH(QString, series);
    QFETCH(QString, steps);
    QFETCH(QString, answer);
    QFETCH(QString, status);
    QFETCH(QString, boxes);

    DesignDocument document(SeriesTable::byName(series)->id);
    ScriptedPrompter prompter;
    document.setPrompter(&prompter);
    for (const QString &step : steps.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        QVERIFY(document.apply(editOf(step)).applied());
    prompter.answers = QStringList{answer};
    const GateOutcome outcome = document.passGate();
    const QString names[] = {QStringLiteral("passed"), QStringLiteral("refused"),
                             QStringLiteral("cancelled")};
    QCOMPARE(names[int(outcome.status)], status);
    QCOMPARE(prompter.shown.join(QLatin1Char('|')), boxes);
}

QTEST_GUILESS_MAIN(TestDesignDocument)
#include "tst_designdocument.moc"

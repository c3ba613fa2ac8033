// What an edit of a design does, without any widget: the reads of the
// entries, the corrections and their questions, the USB retune, the PLL input
// correction, and what a refused or cancelled edit leaves behind.

#include "ControlTable.h"
#include "DesignDocument.h"
#include "DocumentSteps.h"
#include "RecordFields.h"
#include "SeriesTable.h"
#include "TableRows.h"

#include <QtTest>

namespace {

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
    void edits_data() { addTableRows("document_edits.tsv"); }
    void edits()
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

        QCOMPARE(QStringList({"applied", "refused", "cancelled"}).at(int(outcome.status)), status);
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
    void refusedEditPutsEverythingBack()
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
        // The next edit refused without a question is told as refused, not cancelled.
        document.apply(DesignEdit::type(ControlTable::Control::Hext, QStringLiteral("3")));
        QCOMPARE(document.apply(DesignEdit::commit(ControlTable::Control::Hext)).status,
                 EditOutcome::Status::Refused);
    }

    void opening_data() { addTableRows("document_opening.tsv"); }
    void opening()
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
        for (const QString &box : boxes.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
            if (box.startsWith(QLatin1String("Q:")))
                prompter.answers << box.section(QLatin1Char('='), -1); // "Q:text=yes"
        }
        document.setPrompter(&prompter);
        document.open(file);
        QCOMPARE(document.origin(), DesignDocument::Origin::Opened);
        // The crystal is shown as the file writes it, six decimals and all.
        if (file.value(QStringLiteral("hext")) == QLatin1String("8.000000"))
            QCOMPARE(document.entryText(ControlTable::Control::Hext), QStringLiteral("8.000000"));
        verifyFields(document.record(), fields);
        QCOMPARE(prompter.shown.join(QLatin1Char('|')), boxes);
        QStringList refused;
        for (const char *entry : {"hext", "pllms", "pllns"}) {
            if (document.entryRefused(controlNamed(entry)))
                refused << entry;
        }
        QTEST(refused.join(QLatin1Char(' ')), "refused");
    }

    void gate_data() { addTableRows("document_gate.tsv"); }
    void gate()
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
        QCOMPARE(QStringList({"passed", "refused", "cancelled"}).at(int(outcome.status)), status);
        QCOMPARE(prompter.shown.join(QLatin1Char('|')), boxes);
    }
};

QTEST_GUILESS_MAIN(TestDesignDocument)
#include "tst_designdocument.moc"

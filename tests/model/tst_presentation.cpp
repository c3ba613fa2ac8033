// What every control of a tree shows, worked out without any widget: the
// texts, colours, gray and hidden states after a series of edits, as the
// window keeps them from one edit to the next.

#include "ControlTable.h"
#include "DesignDocument.h"
#include "DocumentSteps.h"
#include "Presentation.h"
#include "SeriesTable.h"
#include "TableRows.h"

#include <QtTest>

namespace {

// The design file of the factory design with some elements changed.
QHash<QString, QString> factoryFile(const SeriesParams &series, const QString &changes)
{
    const DesignDocument factory(series.id);
    QHash<QString, QString> file;
    file.insert(QStringLiteral("hext"), QStringLiteral("8.000000"));
    for (const ControlTable::Row &r : ControlTable::rows()) {
        if (ControlTable::has(series, r.id) && r.kind != ControlTable::Kind::Entry)
            file.insert(QLatin1String(r.element),
                        QString::number(ControlTable::fieldValue(factory.record(), r)));
    }
    file.insert(QStringLiteral("pllms"), QString::number(factory.record().pllMs));
    file.insert(QStringLiteral("pllns"), QString::number(factory.record().pllNs));
    for (const QString &pair : changes.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        file.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    return file;
}

// An edit as in editOf(), or "open ELEMENT=TEXT ...": the factory design file with those elements.
void runStep(DesignDocument &document, const QString &step)
{
    if (step.startsWith(QLatin1String("open ")))
        document.open(factoryFile(document.series(), step.section(QLatin1Char(' '), 1)));
    else
        document.apply(editOf(step));
}

// "clkout2=sclk hext -usb": the items of a choice, "-" before each that cannot be chosen.
QString usableText(const ControlPresentation &choice)
{
    QStringList items;
    for (int i = 0; i < choice.items.size(); ++i)
        items << (choice.itemUsable(i) ? QString() : QStringLiteral("-")) + choice.items.at(i);
    return choice.name + QLatin1Char('=') + items.join(QLatin1Char(' '));
}

// The window's presentation after each step of a row, from the factory state.
struct Session {
    explicit Session(const QString &series) : document(SeriesTable::byName(series)->id)
    {
        document.setPrompter(&prompter);
        presentation.update(document);
    }
    void run(const QString &steps)
    {
        for (const QString &step : steps.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
            runStep(document, step);
            presentation.update(document);
        }
    }
    const ControlPresentation &control(const QString &name) const
    {
        const ControlPresentation *found = presentation.find(name);
        if (!found)
            qFatal("no control %s shown", qPrintable(name));
        return *found;
    }

    DesignDocument document;
    ScriptedPrompter prompter;
    TreePresentation presentation;
};

} // namespace

class TestPresentation : public QObject {
    Q_OBJECT

private slots:
    void edits_data() { addTableRows("presentation_edits.tsv"); }
    void edits()
    {
        QFETCH(QString, series);
        QFETCH(QString, steps);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, usable);
        QFETCH(QStringList, accessible);
        QFETCH(QString, boxes);

        Session session(series);
        session.prompter.answers = QStringList{QStringLiteral("yes"), QStringLiteral("yes")};
        session.run(steps);
        for (const QString &line : lines)
            QCOMPARE(PresentationText::line(session.control(line.section(QLatin1Char('\t'), 0, 0))), line);
        for (const QString &choice : usable)
            QCOMPARE(usableText(session.control(choice.section(QLatin1Char('='), 0, 0))), choice);
        for (const QString &pair : accessible) {
            const ControlPresentation &shown = session.control(pair.section(QLatin1Char('='), 0, 0));
            QCOMPARE(shown.accessibleValue, pair.section(QLatin1Char('='), 1));
        }
        QCOMPARE(session.prompter.shown.join(QLatin1Char('|')), boxes);
    }

    // Typing changes the look of its entry and nothing else; the window
    // repaints what changed.
    void typingChangesOnlyItsEntry_data()
    {
        QTest::addColumn<int>("seriesId");
        for (const SeriesParams &series : SeriesTable::all())
            QTest::newRow(series.name) << series.id;
    }
    void typingChangesOnlyItsEntry()
    {
        QFETCH(int, seriesId);
        DesignDocument document(seriesId);
        TreePresentation presentation;
        presentation.update(document);
        QCOMPARE(presentation.changed().size(), presentation.controls().size());
        document.apply(DesignEdit::type(ControlTable::Control::Hext, QStringLiteral("12")));
        presentation.update(document);
        QCOMPARE(presentation.changed(), QStringList{QStringLiteral("hext")});
        QCOMPARE(presentation.find(QStringLiteral("hext"))->accessibleValue, QStringLiteral("12"));
        presentation.update(document);
        QCOMPARE(presentation.changed(), QStringList());
    }

    // Both oscillators' bypasses are drawn as "bypass": what a screen reader
    // says of them tells them apart.
    void bypassesNamedApart_data() { typingChangesOnlyItsEntry_data(); }
    void bypassesNamedApart()
    {
        QFETCH(int, seriesId);
        TreePresentation presentation;
        presentation.update(DesignDocument(seriesId));
        QCOMPARE(presentation.find(QStringLiteral("lextbypass"))->caption, QStringLiteral("lext bypass"));
        QCOMPARE(presentation.find(QStringLiteral("hextbypass"))->caption, QStringLiteral("hext bypass"));
    }

    // Every control a series shows, once, by a name the control table or
    // the drawing's layout knows; what the command-line tool prints is the
    // window's first look at the design.
    void everySeriesShowsEachControlOnce_data() { typingChangesOnlyItsEntry_data(); }
    void everySeriesShowsEachControlOnce()
    {
        QFETCH(int, seriesId);
        DesignDocument document(seriesId);
        const QVector<ControlPresentation> controls = TreePresentation::of(document);
        QSet<QString> names;
        for (const ControlPresentation &control : controls) {
            QVERIFY2(!names.contains(control.name), qPrintable(control.name));
            names.insert(control.name);
            QVERIFY2(!control.caption.isEmpty() || control.text.isEmpty(), qPrintable(control.name));
        }
        for (const ControlTable::Row &r : ControlTable::rows()) {
            const bool has = ControlTable::has(*SeriesTable::byId(seriesId), r.id);
            QCOMPARE(names.contains(QLatin1String(r.name)), has);
        }
    }
};

QTEST_GUILESS_MAIN(TestPresentation)
#include "tst_presentation.moc"

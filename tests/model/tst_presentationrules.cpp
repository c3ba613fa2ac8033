// The display rules of each series' tree at their edges: a value exactly at
// its limit and one step over it, each branch grayed while it feeds nothing
// and brought into use by what uses it, the clock outputs' values and
// captions, in both PLL modes. What the command-line tool prints for a
// control (its text, colour, enabled and shown states), what a screen reader
// reads, and which choices can be taken, after some edits from the factory
// design.

#include "ClockRules.h"
#include "DesignDocument.h"
#include "DocumentSteps.h"
#include "Presentation.h"
#include "SeriesTable.h"
#include "TableRows.h"
#include "TreeClocks.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

// "clkout=no clk -usb": a choice's items, "-" before each that cannot be chosen.
QString usableText(const ControlPresentation &choice)
{
    QStringList items;
    for (int i = 0; i < choice.items.size(); ++i)
        items << (choice.itemUsable(i) ? QString() : QStringLiteral("-")) + choice.items.at(i);
    return choice.name + QLatin1Char('=') + items.join(QLatin1Char(' '));
}

// "name:caption=TEXT", "name:accessible=TEXT", "name:tooltip=TEXT", "name:pending=yes|no".
QString lookOf(const ControlPresentation &p, const QString &aspect)
{
    if (aspect == QLatin1String("caption"))
        return p.caption;
    if (aspect == QLatin1String("accessible"))
        return p.accessibleValue;
    if (aspect == QLatin1String("tooltip"))
        return p.toolTip;
    if (aspect == QLatin1String("pending"))
        return QLatin1String(p.pending ? "yes" : "no");
    qFatal("no aspect %s", qPrintable(aspect));
    return QString();
}

// "hext 8.000 4..25 used ok": a clock of the tree (MHz), its bounds (0: none),
// whether anything uses it and whether its value keeps the bounds; "usb 48.000
// =48 ..." for the one value accepted.
QString boundsText(const TreeClock &clock)
{
    const QString bounds = clock.requiredMHz > 0
                               ? QStringLiteral("=%1").arg(clock.requiredMHz)
                               : QStringLiteral("%1..%2").arg(clock.minMHz).arg(clock.maxMHz);
    return QStringList{clock.name, clock.mhz.text(3), bounds, QLatin1String(clock.inUse ? "used" : "unused"),
                       QLatin1String(clock.withinLimits() ? "ok" : "out")}
        .join(QLatin1Char(' '));
}

} // namespace

class TestPresentationRules : public QObject {
    Q_OBJECT

private slots:
    // Steps from the factory design: "choose CONTROL=INDEX", "type ENTRY=TEXT",
    // "commit ENTRY"; questions are answered "Yes". boxes: every box shown, "E:" an error;
    // json: what show --controls --json prints for a control; clocks: the tree's
    // clocks with their bounds; findings: what saving would refuse or warn about.
    void rules_data() { addTableRows("presentation_rules.tsv"); }
    void rules()
    {
        QFETCH(QString, series);
        QFETCH(QString, steps);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, usable);
        QFETCH(QStringList, looks);
        QFETCH(QString, boxes);
        QFETCH(QStringList, json);
        QFETCH(QStringList, clocks);
        QFETCH(QStringList, findings);

        const SeriesParams *params = SeriesTable::byName(series);
        QVERIFY2(params, qPrintable(series));
        DesignDocument document(params->id);
        ScriptedPrompter prompter;
        prompter.answers = QStringList{QStringLiteral("yes"), QStringLiteral("yes"), QStringLiteral("yes")};
        document.setPrompter(&prompter);
        TreePresentation presentation;
        presentation.update(document);
        for (const QString &step : steps.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
            document.apply(editOf(step));
            presentation.update(document);
        }
        const auto control = [&](const QString &name) -> const ControlPresentation & {
            const ControlPresentation *found = presentation.find(name);
            if (!found)
                qFatal("%s shows no control %s", qPrintable(series), qPrintable(name));
            return *found;
        };
        for (const QString &line : lines)
            QCOMPARE(PresentationText::line(control(line.section(QLatin1Char('\t'), 0, 0))), line);
        for (const QString &choice : usable)
            QCOMPARE(usableText(control(choice.section(QLatin1Char('='), 0, 0))), choice);
        for (const QString &look : looks) {
            const QString target = look.section(QLatin1Char('='), 0, 0);
            QCOMPARE(
                lookOf(control(target.section(QLatin1Char(':'), 0, 0)), target.section(QLatin1Char(':'), 1)),
                look.section(QLatin1Char('='), 1));
        }
        QCOMPARE(prompter.shown.join(QLatin1Char('|')), boxes);
        for (const QString &object : json) {
            QCOMPARE(PresentationText::json(control(QJsonDocument::fromJson(object.toUtf8())
                                                        .object()
                                                        .value(QStringLiteral("name"))
                                                        .toString())),
                     object);
        }
        const TreeClockList tree = TreeClocks::of(document.record());
        for (const QString &clock : clocks) {
            const TreeClock *found = TreeClocks::find(tree, clock.section(QLatin1Char(' '), 0, 0));
            QVERIFY2(found, qPrintable(clock));
            QCOMPARE(boundsText(*found), clock);
        }
        // What saving and generating would refuse or warn about, as the tree stands.
        QStringList said;
        for (const ClockRules::Finding &finding : ClockRules::judge(document.record()).findings)
            said << finding.text();
        QCOMPARE(said.join(QLatin1String(" | ")), findings.join(QLatin1String(" | ")));
    }
};

QTEST_GUILESS_MAIN(TestPresentationRules)
#include "tst_presentationrules.moc"

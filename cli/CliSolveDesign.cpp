#include "CliCommands.h"
#include "CliDesign.h"

#include "ClockSolver.h"
#include "SeriesTable.h"
#include "SolvePlan.h"
#include "TreeClocks.h"

#include <QFileInfo>

// solve FILE --want ...: the design that meets several clock targets at once
// with the fewest settings changed, as `set` arguments, applied through
// `set` on request.

using namespace CliOut;

namespace {

// Every value of a repeatable option, commas splitting too ("--keep apb1,apb2").
QStringList listOption(const CommandLine &line, const QString &option)
{
    QStringList out;
    for (const QString &value : line.lists.value(option))
        out << value.split(QLatin1Char(','), Qt::SkipEmptyParts);
    return out;
}

QString clockText(const Rational &mhz)
{
    const QString shown = mhz.text(6);
    if (mhz.text(12) == shown)
        return shown;
    // Not a short decimal: the exact value follows.
    return shown + QStringLiteral(" (") + QString::number(mhz.num()) + QLatin1Char('/') +
           QString::number(mhz.den()) + QLatin1Char(')');
}

// The clocks of a design that a want may name and that run.
QVector<QPair<QString, Rational>> shownClocks(const ClockConfig &record)
{
    const TreeClockList clocks = TreeClocks::of(record);
    QVector<QPair<QString, Rational>> out;
    for (const QString &name : ClockSolver::clockNames(*record.params())) {
        const TreeClock *clock = TreeClocks::find(clocks, name);
        if (clock && clock->inUse)
            out << qMakePair(name, clock->mhz);
    }
    return out;
}

struct Request {
    QString fileName;
    const SeriesParams *series = nullptr;
    QVector<ClockWant> wants;
    QStringList keeps;
    int top = 5;
};

// The smallest set of wants that no design meets together (with the keeps
// and the limits): each want is left out in turn while the rest stays unmet.
QVector<ClockWant> conflict(const ClockConfig &start, const Request &request)
{
    QVector<ClockWant> wants = request.wants;
    for (int i = 0; i < wants.size();) {
        QVector<ClockWant> fewer = wants;
        fewer.remove(i);
        if (!ClockSolver::solve(start, fewer, request.keeps).solved())
            wants = fewer;
        else
            ++i;
    }
    return wants;
}

QString conflictText(const QVector<ClockWant> &wants, const Request &request, const ClockConfig &start)
{
    // Pins are never changed: an output without one gives no clock.
    const TreeClockList clocks = TreeClocks::of(start);
    for (const ClockWant &want : wants) {
        const TreeClock *clock = TreeClocks::find(clocks, want.clock);
        if (want.clock.startsWith(QLatin1String("clkout")) && clock && !clock->inUse &&
            !ClockRules::clockOutputLive(start, want.clock == QLatin1String("clkout2") ? 1 : 0))
            return QStringLiteral("cannot meet %1: %2 has no pin").arg(want.text(), want.clock);
    }
    QStringList rest;
    for (int i = 1; i < wants.size(); ++i)
        rest << wants.at(i).text();
    QString text = QStringLiteral("cannot meet ") + wants.value(0).text();
    text += rest.isEmpty() ? QStringLiteral(" within the limits of ") + request.series->seriesName()
                           : QStringLiteral(" together with ") + rest.join(QStringLiteral(", "));
    if (!request.keeps.isEmpty())
        text += QStringLiteral(" (keeping ") + request.keeps.join(QStringLiteral(", ")) + QLatin1Char(')');
    return text;
}

// Why `other` ranks below `best`, in the ranking's order.
QString lostBecause(const ClockSolver::Design &best, const ClockSolver::Design &other,
                    const QVector<ClockWant> &wants)
{
    if (other.unmet != best.unmet) {
        QStringList missed;
        for (int w = 0; w < wants.size(); ++w) {
            if (!other.met.value(w))
                missed << wants.at(w).text();
        }
        return QStringLiteral("misses ") + missed.join(QStringLiteral(", "));
    }
    int slot = 0;
    for (const ClockWant &want : wants) {
        if (want.kind != ClockWant::Kind::Max)
            continue;
        if (other.maxima.value(slot) != best.maxima.value(slot))
            return QStringLiteral("%1 lower (%2 < %3)")
                .arg(want.clock, clockText(other.maxima.value(slot)), clockText(best.maxima.value(slot)));
        ++slot;
    }
    if (other.changed.size() != best.changed.size())
        return QStringLiteral("more settings changed (%1 > %2)")
            .arg(other.changed.size())
            .arg(best.changed.size());
    if (other.error != best.error)
        return QStringLiteral("further from the exact wants (%1 > %2 MHz)")
            .arg(clockText(other.error), clockText(best.error));
    return QStringLiteral("as good, later in the search's order");
}

QStringList changeArguments(const ClockSolver::Design &design, const SeriesParams &series)
{
    QStringList args;
    for (const QString &field : design.changed)
        args << SolvePlan::argumentFor(series, field, design.record);
    return args;
}

int parseRequest(const CommandLine &line, Request &request)
{
    for (const QString &option : {QStringLiteral("--hext"), QStringLiteral("--sclk")}) {
        if (line.values.contains(option)) {
            errLine(QStringLiteral("%1 belongs to \"solve SERIES\"; a design file takes --want").arg(option));
            return CliUsage;
        }
    }
    for (const QString &flag :
         {QStringLiteral("--hick"), QStringLiteral("--normal"), QStringLiteral("--usb48")}) {
        if (line.flags.contains(flag)) {
            errLine(QStringLiteral("%1 belongs to \"solve SERIES\"; a design file takes --want").arg(flag));
            return CliUsage;
        }
    }
    const QStringList wants = listOption(line, QStringLiteral("--want"));
    if (wants.isEmpty()) {
        errLine(QStringLiteral("solve FILE needs at least one --want CLOCK=MHZ"));
        return CliUsage;
    }
    for (const QString &text : wants) {
        ClockWant want;
        QString error;
        if (!ClockWant::parse(text, &want, &error)) {
            errLine(QStringLiteral("tickforge-cli: ") + error);
            return CliUsage;
        }
        request.wants << want;
    }
    request.keeps = listOption(line, QStringLiteral("--keep"));
    if (line.values.contains(QStringLiteral("--top"))) {
        bool ok = false;
        request.top = line.values.value(QStringLiteral("--top")).toInt(&ok);
        if (!ok || request.top < 1) {
            errLine(QStringLiteral("--top: \"%1\" is no positive count").arg(line.values.value("--top")));
            return CliUsage;
        }
    }
    if (!line.flags.contains(QStringLiteral("--apply")) &&
        (line.values.contains(QStringLiteral("-o")) || line.flags.contains(QStringLiteral("--overwrite")))) {
        errLine(QStringLiteral("-o and --overwrite go with --apply"));
        return CliUsage;
    }
    return CliDone;
}

QString jsonClocks(const ClockConfig &record)
{
    QStringList members;
    for (const auto &clock : shownClocks(record))
        members << jsonValue(clock.first) + QStringLiteral(": ") + jsonValue(clockText(clock.second));
    return QLatin1Char('{') + members.join(QStringLiteral(", ")) + QLatin1Char('}');
}

QString jsonList(const QStringList &items)
{
    QStringList quoted;
    for (const QString &item : items)
        quoted << jsonValue(item);
    return QLatin1Char('[') + quoted.join(QStringLiteral(", ")) + QLatin1Char(']');
}

// The first of the designs, best first, that `set` reaches and whose saved
// record the checks pass (the search's arithmetic is exact; the checks' is
// the program's own); -1 with the reason when there is none.
int firstReachable(const ClockSolver::Result &result, const DesignDocument &opened, QStringList *args,
                   QString *why)
{
    for (int i = 0; i < result.designs.size(); ++i) {
        const ClockSolver::Design &candidate = result.designs.at(i);
        if (candidate.unmet > 0)
            break;
        ClockConfig reached(candidate.record.seriesId);
        if (!SolvePlan::arguments(opened, candidate.record, args, &reached, why))
            continue;
        const ClockRules::Findings findings = ClockRules::judge(reached).findings;
        if (findings.isEmpty())
            return i;
        *why = findingLines(findings).join(QStringLiteral("; "));
    }
    return -1;
}

struct Answer {
    const ClockSolver::Design *best = nullptr;
    QVector<ClockSolver::Design> others; // the next best, for --explain
    QStringList args;
    QStringList wantTexts;
    quint64 searched = 0;
};

void printJsonAnswer(const Answer &answer, const Request &request, bool explain)
{
    const SeriesParams &series = *request.series;
    QStringList members{QStringLiteral("\"series\": ") + jsonValue(series.seriesName()),
                        QStringLiteral("\"solved\": true"),
                        QStringLiteral("\"wants\": ") + jsonList(answer.wantTexts),
                        QStringLiteral("\"keeps\": ") + jsonList(request.keeps),
                        QStringLiteral("\"set\": ") + jsonList(answer.args),
                        QStringLiteral("\"changes\": ") + jsonList(changeArguments(*answer.best, series)),
                        QStringLiteral("\"clocks\": ") + jsonClocks(answer.best->record),
                        QStringLiteral("\"searched\": %1").arg(answer.searched)};
    if (explain) {
        QStringList items;
        for (const ClockSolver::Design &other : answer.others)
            items << QStringLiteral("    {\"changes\": %1, \"clocks\": %2, \"lost\": %3}")
                         .arg(jsonList(changeArguments(other, series)), jsonClocks(other.record),
                              jsonValue(lostBecause(*answer.best, other, request.wants)));
        members << QStringLiteral("\"next\": [\n") + items.join(QStringLiteral(",\n")) +
                       QStringLiteral("\n  ]");
    }
    outLine(QStringLiteral("{\n  ") + members.join(QStringLiteral(",\n  ")) + QStringLiteral("\n}"));
}

void printTextAnswer(const Answer &answer, const Request &request, bool explain)
{
    outLine(answer.args.isEmpty() ? QStringLiteral("set (no change)")
                                  : QStringLiteral("set ") + answer.args.join(QLatin1Char(' ')));
    for (const auto &clock : shownClocks(answer.best->record))
        outLine(clock.first + QLatin1Char(' ') + clockText(clock.second));
    outLine(QStringLiteral("searched %1 designs").arg(answer.searched));
    if (!explain)
        return;
    for (int i = 0; i < answer.others.size(); ++i) {
        const ClockSolver::Design &other = answer.others.at(i);
        QStringList clocks;
        for (const auto &clock : shownClocks(other.record))
            clocks << clock.first + QLatin1Char(' ') + clockText(clock.second);
        const QStringList changes = changeArguments(other, *request.series);
        outLine(
            QStringLiteral("next %1: %2").arg(i + 1).arg(lostBecause(*answer.best, other, request.wants)));
        outLine(QStringLiteral("  changes ") +
                (changes.isEmpty() ? QStringLiteral("none") : changes.join(QLatin1Char(' '))));
        outLine(QStringLiteral("  ") + clocks.join(QStringLiteral(", ")));
    }
}

// Saved through `set` itself: its edits, its checks before saving.
int applyThroughSet(const CommandLine &line, const QString &fileName, const QStringList &args)
{
    CommandLine set;
    set.command = QStringLiteral("set");
    set.positionals = QStringList{fileName} + args;
    if (line.values.contains(QStringLiteral("-o")))
        set.values.insert(QStringLiteral("-o"), line.values.value(QStringLiteral("-o")));
    if (line.flags.contains(QStringLiteral("--overwrite")))
        set.flags.insert(QStringLiteral("--overwrite"));
    if (args.isEmpty() && !set.values.contains(QStringLiteral("-o"))) {
        outLine(QStringLiteral("nothing to change"));
        return CliDone;
    }
    return commandSet(set);
}

} // namespace

int commandSolveDesign(const CommandLine &line)
{
    Request request;
    request.fileName = line.positionals.first();
    int status = parseRequest(line, request);
    if (status != CliDone)
        return status;
    CliPrompter prompter;
    OpenDesign design;
    status = openPrinted(request.fileName, prompter, design);
    if (status != CliDone)
        return status;
    request.series = design.series;
    const ClockConfig start = design.document->record();
    const bool explain = line.flags.contains(QStringLiteral("--explain"));
    const bool json = line.flags.contains(QStringLiteral("--json"));
    // A few more than shown: `set` must reach the one chosen and `check` pass it.
    const ClockSolver::Result result =
        ClockSolver::solve(start, request.wants, request.keeps, (explain ? request.top : 0) + 8);
    if (!result.error.isEmpty()) {
        errLine(QStringLiteral("tickforge-cli: ") + result.error);
        return CliUsage;
    }
    QStringList wantTexts;
    for (const ClockWant &want : request.wants)
        wantTexts << want.text();
    if (!result.solved()) {
        const QString text = conflictText(conflict(start, request), request, start);
        if (json)
            outLine(QStringLiteral(
                        "{\n  \"series\": %1,\n  \"solved\": false,\n  \"wants\": %2,\n  \"keeps\": %3,\n"
                        "  \"conflict\": %4,\n  \"searched\": %5\n}")
                        .arg(jsonValue(request.series->seriesName()), jsonList(wantTexts),
                             jsonList(request.keeps), jsonValue(text))
                        .arg(result.searched));
        errLine(text);
        return CliRefused;
    }
    Answer answer;
    answer.wantTexts = wantTexts;
    answer.searched = result.searched;
    QString why;
    const int chosen = firstReachable(result, *design.document, &answer.args, &why);
    if (chosen < 0) {
        errLine(QStringLiteral("no design meeting the wants can be made with set (%1)").arg(why));
        return CliRefused;
    }
    answer.best = &result.designs.at(chosen);
    for (int i = chosen + 1; i < result.designs.size() && answer.others.size() < request.top; ++i)
        answer.others << result.designs.at(i);
    if (json)
        printJsonAnswer(answer, request, explain);
    else
        printTextAnswer(answer, request, explain);
    if (!line.flags.contains(QStringLiteral("--apply")))
        return CliDone;
    return applyThroughSet(line, request.fileName, answer.args);
}

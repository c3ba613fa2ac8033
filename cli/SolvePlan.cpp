#include "SolvePlan.h"

#include "ClockSolver.h"
#include "ControlTable.h"
#include "EditArguments.h"
#include "SeriesTable.h"

#include <QHash>
#include <QLocale>
#include <QQueue>

namespace SolvePlan {

namespace {

using ControlTable::Control;

const ControlTable::Row *rowOfField(const SeriesParams &series, const QString &field)
{
    for (const ControlTable::Row &row : ControlTable::rows()) {
        if (field == QLatin1String(row.field) && ControlTable::has(series, row.id) &&
            row.kind != ControlTable::Kind::Entry)
            return &row;
        if (field == QLatin1String(row.field) && (row.id == Control::PllMs || row.id == Control::PllNs) &&
            ControlTable::has(series, row.id))
            return &row;
    }
    return nullptr;
}

// Applies one argument as `set` does; false when it is refused or cancelled.
bool apply(DesignDocument &document, const QString &argument)
{
    QVector<DesignEdit> edits;
    QString error;
    if (!EditArguments::parse(document.series(), argument, &edits, &error))
        return false;
    for (const DesignEdit &edit : edits) {
        if (!document.apply(edit).applied())
            return false;
    }
    return true;
}

QString valueOf(const ClockConfig &record, const QString &field)
{
    return QString::number(record.fieldValue(QLatin1String(field.toLatin1())).toDouble(), 'g',
                           QLocale::FloatingPointShortest);
}

bool sameSetting(const ClockConfig &a, const ClockConfig &b, const QString &field)
{
    const QByteArray name = field.toLatin1();
    return a.fieldValue(QLatin1String(name)).toDouble() == b.fieldValue(QLatin1String(name)).toDouble();
}

// Whether the document's checks let the flexible PLL hold (ms, ns) on its current input.
bool factorsPass(const ClockConfig &record, int ms, int ns)
{
    int suggestion = 0;
    return record.suggestMs(ms, suggestion) && record.suggestNs(ns, ms, suggestion);
}

// The shortest chain of single ms / ns edits from the document's factors to
// (ms, ns) that the checks let pass at every step (they judge ms and ns
// together, so a direct change may have to go round).
QStringList factorPath(const ClockConfig &record, int toMs, int toNs)
{
    using State = QPair<int, int>;
    const State start(record.pllMs, record.pllNs);
    const State goal(toMs, toNs);
    if (start == goal)
        return {};
    QHash<State, State> from;
    QQueue<State> queue;
    from.insert(start, start);
    queue.enqueue(start);
    while (!queue.isEmpty()) {
        const State s = queue.dequeue();
        if (s == goal)
            break;
        QVector<State> next;
        for (int ms = ClockConfig::kMsMin; ms <= ClockConfig::kMsMax; ++ms)
            next << State(ms, s.second);
        for (int ns = ClockConfig::kNsMin; ns <= ClockConfig::kNsMax; ++ns)
            next << State(s.first, ns);
        for (const State &n : next) {
            if (from.contains(n) || !factorsPass(record, n.first, n.second))
                continue;
            from.insert(n, s);
            queue.enqueue(n);
        }
    }
    if (!from.contains(goal))
        return {};
    QStringList path;
    for (State s = goal; s != start; s = from.value(s)) {
        const State before = from.value(s);
        path.prepend(s.first != before.first ? QStringLiteral("pllms=%1").arg(s.first)
                                             : QStringLiteral("pllns=%1").arg(s.second));
    }
    return path;
}

} // namespace

QString argumentFor(const SeriesParams &series, const QString &field, const ClockConfig &record)
{
    const ControlTable::Row *row = rowOfField(series, field);
    if (!row)
        return QString();
    return QLatin1String(row->element) + QLatin1Char('=') + valueOf(record, field);
}

bool arguments(const DesignDocument &opened, const ClockConfig &target, QStringList *out,
               ClockConfig *reached, QString *why)
{
    const SeriesParams &series = opened.series();
    const QStringList fields = ClockSolver::settingFields(series);
    const QStringList factors{QStringLiteral("pllMs"), QStringLiteral("pllNs")};
    DesignDocument document = opened;
    QStringList args;
    const auto step = [&](const QString &argument) {
        args << argument;
        return apply(document, argument);
    };
    // The settings in order, the ms / ns pair aside; then the pair by a path
    // the checks let pass; then whatever a later step moved again.
    for (int pass = 0; pass < 4; ++pass) {
        for (const QString &field : fields) {
            if (factors.contains(field) || sameSetting(document.record(), target, field))
                continue;
            if (!step(argumentFor(series, field, target))) {
                *why = QStringLiteral("set refuses %1").arg(args.last());
                return false;
            }
        }
        if (ControlTable::has(series, Control::PllMs) && document.record().flexiblePllActive() &&
            !(sameSetting(document.record(), target, factors.at(0)) &&
              sameSetting(document.record(), target, factors.at(1)))) {
            QStringList path = factorPath(document.record(), target.pllMs, target.pllNs);
            if (path.isEmpty()) // no check stands in the way (the PLL is unused), or none passes
                path = QStringList{argumentFor(series, factors.at(0), target),
                                   argumentFor(series, factors.at(1), target)};
            for (const QString &argument : path) {
                if (!step(argument)) {
                    *why = QStringLiteral("set refuses %1").arg(args.last());
                    return false;
                }
            }
        }
        bool done = document.record().hextMHz == opened.record().hextMHz;
        for (const QString &field : fields)
            done = done && sameSetting(document.record(), target, field);
        if (done) {
            *out = args;
            *reached = document.record();
            return true;
        }
    }
    *why = QStringLiteral("set does not reach the design");
    return false;
}

} // namespace SolvePlan

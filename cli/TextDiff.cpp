#include "TextDiff.h"

#include <QVector>

namespace TextDiff {

namespace {

QStringList linesOf(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    return lines;
}

// One line of the edit script: ' ' kept, '-' only before, '+' only after;
// a and b count the lines of each side before it.
struct Step {
    QChar op;
    int a;
    int b;
    QString line;
};

// The longest common subsequence, walked from the front: the generated files
// are a few hundred lines, so the quadratic table stays small.
QVector<Step> editScript(const QStringList &a, const QStringList &b)
{
    const int n = a.size(), m = b.size();
    QVector<int> lcs((n + 1) * (m + 1), 0);
    auto at = [m, &lcs](int i, int j) -> int & {
        return lcs[i * (m + 1) + j];
    };
    for (int i = n - 1; i >= 0; --i) {
        for (int j = m - 1; j >= 0; --j)
            at(i, j) = a.at(i) == b.at(j) ? at(i + 1, j + 1) + 1 : qMax(at(i + 1, j), at(i, j + 1));
    }
    QVector<Step> steps;
    int i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a.at(i) == b.at(j)) {
            steps.append({QLatin1Char(' '), i, j, a.at(i)});
            ++i;
            ++j;
        } else if (j == m || (i < n && at(i + 1, j) >= at(i, j + 1))) {
            steps.append({QLatin1Char('-'), i, j, a.at(i)});
            ++i;
        } else {
            steps.append({QLatin1Char('+'), i, j, b.at(j)});
            ++j;
        }
    }
    return steps;
}

// "start,count" of a hunk header; an empty range names the line before it.
QString range(int start, int count)
{
    return QStringLiteral("%1,%2").arg(count == 0 ? start : start + 1).arg(count);
}

} // namespace

QStringList unified(const QString &before, const QString &after, const QString &name, int maxLines)
{
    if (before == after)
        return {};
    const QVector<Step> steps = editScript(linesOf(before), linesOf(after));
    const int context = 3;
    QStringList diff{QStringLiteral("--- a/") + name, QStringLiteral("+++ b/") + name};
    int k = 0;
    while (k < steps.size()) {
        if (steps.at(k).op == QLatin1Char(' ')) {
            ++k;
            continue;
        }
        // A hunk: from three kept lines before this change to three after the
        // last change that follows within twice the context.
        const int first = qMax(0, k - context);
        int last = k;
        for (int s = k; s < steps.size() && s <= last + 2 * context; ++s) {
            if (steps.at(s).op != QLatin1Char(' '))
                last = s;
        }
        const int end = qMin(int(steps.size()), last + context + 1);
        int countA = 0, countB = 0;
        QStringList body;
        for (int s = first; s < end; ++s) {
            countA += steps.at(s).op != QLatin1Char('+') ? 1 : 0;
            countB += steps.at(s).op != QLatin1Char('-') ? 1 : 0;
            body << steps.at(s).op + steps.at(s).line;
        }
        diff << QStringLiteral("@@ -%1 +%2 @@")
                    .arg(range(steps.at(first).a, countA), range(steps.at(first).b, countB))
             << body;
        k = end;
    }
    if (diff.size() > maxLines) {
        const int cut = diff.size() - maxLines;
        diff = diff.mid(0, maxLines);
        diff << QStringLiteral("... (%1 more lines)").arg(cut);
    }
    return diff;
}

} // namespace TextDiff

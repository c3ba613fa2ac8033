#pragma once

#include <QString>
#include <QStringList>

namespace TextDiff {

// A short unified diff from `before` to `after` (texts with "\n" line ends):
// the headers, then one hunk spanning the first to the last changed line with
// up to three lines of context, cut after maxLines lines. Empty when equal.
QStringList unified(const QString &before, const QString &after, const QString &name, int maxLines = 40);

} // namespace TextDiff

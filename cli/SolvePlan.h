#pragma once

#include "DesignDocument.h"

#include <QString>
#include <QStringList>

// The `set` arguments that turn an opened design into a solved one, found by
// applying them as `set` does (its corrections, questions answered "Cancel",
// the USB retune, the recompute) and checking where that leads.
namespace SolvePlan {

// Arguments that make `opened` (a document as `set` opens the design) hold
// every setting of `target`'s that the solver chooses, without a question or
// a refusal on the way; false, with the reason, when `set` cannot reach it.
// *reached is the record `set` then saves.
bool arguments(const DesignDocument &opened, const ClockConfig &target, QStringList *out,
               ClockConfig *reached, QString *why);

// NAME=VALUE of one record field for `set`; empty for a field no control writes.
QString argumentFor(const SeriesParams &series, const QString &field, const ClockConfig &record);

} // namespace SolvePlan

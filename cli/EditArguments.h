#pragma once

#include "DesignDocument.h"

#include <QString>
#include <QStringList>
#include <QVector>

struct SeriesParams;

// The NAME=VALUE arguments of `tickforge-cli set` (QtCore only). NAME is a
// control's design-file element, or "hext" and "sclk" for the two entries;
// VALUE is what a user types into an entry, or the value the design file
// stores for a choice.
namespace EditArguments {

// The names a series takes, in the order of the control table.
QStringList names(const SeriesParams &series);

// The edits a user makes for one argument: picking the choice's item or
// radio, or typing into the entry and pressing Return. False, with a reason
// naming what is allowed in *error, for an argument that is no NAME=VALUE,
// a NAME the series does not have, or a VALUE that is no option of a choice.
bool parse(const SeriesParams &series, const QString &argument, QVector<DesignEdit> *edits, QString *error);

} // namespace EditArguments

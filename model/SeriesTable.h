#pragma once

#include <QString>
#include <QVector>

// Kind of PLL a series has.
enum class PllKind {
    Multiplier, // integer multiplier only
    Selectable, // normal (multiplier) or flexible (ms/ns/fr), switched by the user
    Flexible    // ms/ns/fr only
};

// Every per-series number and text of the program lives in one row of this
// table. No other file writes a per-series number.
struct SeriesParams {
    int id = 0;
    const char *name = "";        // "QXC330": MCU dialog, design file, title
    const char *widgetClass = ""; // "QXC330PLL"
    const char *bitmap = "";      // ":/image/C330PLL.bmp"
    const char *stem = "";        // generator template stem, "qxc330_335"
    PllKind pllKind = PllKind::Flexible;

    QString seriesName() const { return QString::fromLatin1(name); }
    QString bitmapPath() const { return QString::fromLatin1(bitmap); }
    QString templateStem() const { return QString::fromLatin1(stem); }
};

namespace SeriesTable {

// Rows in the order of the MCU selection dialog.
const QVector<SeriesParams> &all();

// nullptr for an id or name that names no series.
const SeriesParams *byId(int id);
const SeriesParams *byName(const QString &name);

// Order in which New compares a chosen name, and Open the file's MCU element.
const QStringList &newLookupOrder();
const QStringList &openLookupOrder();

} // namespace SeriesTable

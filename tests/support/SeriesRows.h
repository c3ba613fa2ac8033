#pragma once

#include "SeriesTable.h"

#include <QtTest>

// One data row per series of the table, tagged with its name, holding its id
// in the int column `column`.
inline void addSeriesRows(const char *column = "id")
{
    QTest::addColumn<int>(column);
    for (const SeriesParams &series : SeriesTable::all())
        QTest::newRow(series.name) << series.id;
}

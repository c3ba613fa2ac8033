#pragma once

#include <QtTest>

#include <cstddef>

// Data-driven rows from a literal table of structs whose first member, tag,
// names the row: _data() adds one row per entry, the test fetches its entry.
// A table then reads like the one it was copied from, a row to a line.
template <typename Row, std::size_t N> void addRows(const Row (&rows)[N])
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < N; ++i)
        QTest::newRow(rows[i].tag) << int(i);
}

template <typename Row, std::size_t N> const Row &fetchRow(const Row (&rows)[N])
{
    return rows[*static_cast<const int *>(QTest::qData("row", qMetaTypeId<int>()))];
}

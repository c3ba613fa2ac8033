#pragma once

#include <QtTest>

// Data-driven rows from a tab-separated table in tests/tables/, in the format
// TableRows.h describes (a header line naming the columns, '#' comments, the
// first column tagging the row, every cell a QString column). QtTest keeps a
// column's name as the pointer it is given, so the names are kept here for
// the life of the program.
inline void addTsvRows(const char *fileName)
{
    static QList<QByteArray> names; // never shrinks: QtTest points into it
    QFile file(QStringLiteral(TF_TEST_TABLES "/") + QLatin1String(fileName));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read table %s", fileName);
    int columns = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).remove(QLatin1Char('\n'));
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        if (!columns) {
            columns = cells.size();
            for (const QString &name : cells) {
                names.append(name.toLatin1());
                QTest::addColumn<QString>(names.last().constData());
            }
            continue;
        }
        if (cells.size() != columns)
            qFatal("%s: %d cells where %d columns: %s", fileName, int(cells.size()), columns,
                   qPrintable(line));
        QTestData &row = QTest::newRow(cells.first().toUtf8().constData());
        for (const QString &cell : cells)
            row << cell;
    }
}

#pragma once

#include <QtTest>

// Data-driven rows from a tab-separated table in tests/tables/. The first
// line names the columns, lines starting with '#' are comments, and the first
// tagColumns columns, joined by a blank, tag the row. Every column becomes a QString column, so a test reads
// its cells with QFETCH(QString, name). Expected values stay literal: the
// table is copied from the documents, never produced by the code under test.
inline void addTableRows(const char *fileName, int tagColumns = 1)
{
    QFile file(QStringLiteral(TF_TEST_TABLES "/") + QLatin1String(fileName));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read table %s", fileName);
    QStringList columns;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).remove(QLatin1Char('\n'));
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        if (columns.isEmpty()) {
            columns = cells;
            // QtTest keeps the name's pointer: keep the names for the run.
            static QByteArrayList names;
            for (const QString &name : columns) {
                names << name.toLatin1();
                QTest::addColumn<QString>(names.last().constData());
            }
            continue;
        }
        if (cells.size() != columns.size() || cells.size() < tagColumns)
            qFatal("%s: %d cells where %d columns: %s", fileName, int(cells.size()), int(columns.size()),
                   qPrintable(line));
        QTestData &row = QTest::newRow(cells.mid(0, tagColumns).join(QLatin1Char(' ')).toUtf8().constData());
        for (const QString &cell : cells)
            row << cell;
    }
}

// A cell's text with its escapes undone: \n, \t and \\ (a cell is one line).
inline QString unescaped(const QString &cell)
{
    QString text;
    for (int i = 0; i < cell.size(); ++i) {
        if (cell.at(i) != QLatin1Char('\\') || i + 1 == cell.size()) {
            text += cell.at(i);
            continue;
        }
        const QChar next = cell.at(++i);
        text += next == QLatin1Char('n')   ? QLatin1Char('\n')
                : next == QLatin1Char('t') ? QLatin1Char('\t')
                                           : next;
    }
    return text;
}

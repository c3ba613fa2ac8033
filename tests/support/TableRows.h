#pragma once

#include <QtTest>

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

// The lines of a tab-separated table in tests/tables/ as cells, escapes
// undone: the column names first, then one line per row. Lines starting
// with '#' are comments.
inline QList<QStringList> tableLines(const char *fileName)
{
    QFile file(QStringLiteral(TF_TEST_TABLES "/") + QLatin1String(fileName));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read table %s", fileName);
    QList<QStringList> lines;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).remove(QLatin1Char('\n'));
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList cells;
        for (const QString &cell : line.split(QLatin1Char('\t')))
            cells << unescaped(cell);
        if (!lines.isEmpty() && cells.size() != lines.first().size())
            qFatal("%s: %d cells where %d columns: %s", fileName, int(cells.size()),
                   int(lines.first().size()), qPrintable(line));
        lines << cells;
    }
    return lines;
}

// Data-driven rows from a table of tableLines(); the first tagColumns
// columns, joined by a blank, tag the row. A column is a QString unless its
// name says otherwise: "count:int", "flag:bool" (true or false),
// "ratio:double", "bytes:QByteArray", "list:QStringList" (items split by
// " | "; empty: none). Expected values stay literal: a table is copied from
// the documents, never produced by the code under test.
inline void addTableRows(const char *fileName, int tagColumns = 1)
{
    const QList<QStringList> lines = tableLines(fileName);
    QStringList types;
    // QtTest keeps the name's pointer: keep the names for the run.
    static QByteArrayList names;
    for (const QString &column : lines.value(0)) {
        names << column.section(QLatin1Char(':'), 0, 0).toLatin1();
        types << column.section(QLatin1Char(':'), 1);
        const char *name = names.last().constData();
        if (types.last() == QLatin1String("int"))
            QTest::addColumn<int>(name);
        else if (types.last() == QLatin1String("bool"))
            QTest::addColumn<bool>(name);
        else if (types.last() == QLatin1String("double"))
            QTest::addColumn<double>(name);
        else if (types.last() == QLatin1String("QByteArray"))
            QTest::addColumn<QByteArray>(name);
        else if (types.last() == QLatin1String("QStringList"))
            QTest::addColumn<QStringList>(name);
        else
            QTest::addColumn<QString>(name);
    }
    for (const QStringList &cells : lines.mid(1)) {
        QTestData &row = QTest::newRow(cells.mid(0, tagColumns).join(QLatin1Char(' ')).toUtf8().constData());
        for (int i = 0; i < cells.size(); ++i) {
            const QString &cell = cells.at(i);
            if (types.at(i) == QLatin1String("int"))
                row << cell.toInt();
            else if (types.at(i) == QLatin1String("bool"))
                row << (cell == QLatin1String("true"));
            else if (types.at(i) == QLatin1String("double"))
                row << cell.toDouble();
            else if (types.at(i) == QLatin1String("QByteArray"))
                row << cell.toUtf8();
            else if (types.at(i) == QLatin1String("QStringList"))
                row << (cell.isEmpty() ? QStringList() : cell.split(QStringLiteral(" | ")));
            else
                row << cell;
        }
    }
}

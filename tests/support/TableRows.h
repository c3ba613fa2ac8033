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

// Data-driven rows from a tab-separated table in tests/tables/. The first
// line names the columns, lines starting with '#' are comments, and the first
// tagColumns columns, joined by a blank, tag the row. A column is a QString
// unless its name says otherwise: "count:int", "flag:bool" (true or false),
// "ratio:double", "bytes:QByteArray", "list:QStringList" (items split by
// " | "; empty: none). Cells may escape
// \n, \t and \\. Expected values stay literal: a table is copied from the
// documents, never produced by the code under test.
inline void addTableRows(const char *fileName, int tagColumns = 1)
{
    QFile file(QStringLiteral(TF_TEST_TABLES "/") + QLatin1String(fileName));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read table %s", fileName);
    QStringList types;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).remove(QLatin1Char('\n'));
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        if (types.isEmpty()) {
            // QtTest keeps the name's pointer: keep the names for the run.
            static QByteArrayList names;
            for (const QString &column : cells) {
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
            continue;
        }
        if (cells.size() != types.size() || cells.size() < tagColumns)
            qFatal("%s: %d cells where %d columns: %s", fileName, int(cells.size()), int(types.size()),
                   qPrintable(line));
        QTestData &row = QTest::newRow(cells.mid(0, tagColumns).join(QLatin1Char(' ')).toUtf8().constData());
        for (int i = 0; i < cells.size(); ++i) {
            const QString cell = unescaped(cells.at(i));
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

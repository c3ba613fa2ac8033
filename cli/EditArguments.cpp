#include "EditArguments.h"

#include "SeriesTable.h"

#include <QLocale>

#include <cmath>

namespace EditArguments {

namespace {

using ControlTable::Control;

// The control a name stands for on this series; nullptr when none.
const ControlTable::Row *rowNamed(const SeriesParams &series, const QString &name)
{
    for (const ControlTable::Row &row : ControlTable::rows()) {
        if (!ControlTable::has(series, row.id))
            continue;
        const QLatin1String rowName(row.id == Control::Sclk ? row.name : row.element);
        if (rowName.size() > 0 && name == rowName)
            return &row;
    }
    return nullptr;
}

QString valueText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

QStringList names(const SeriesParams &series)
{
    QStringList out;
    for (const ControlTable::Row &row : ControlTable::rows()) {
        if (!ControlTable::has(series, row.id))
            continue;
        const QString name = QLatin1String(row.id == Control::Sclk ? row.name : row.element);
        if (!name.isEmpty())
            out << name;
    }
    return out;
}

bool parse(const SeriesParams &series, const QString &argument, QVector<DesignEdit> *edits, QString *error)
{
    const int equals = argument.indexOf(QLatin1Char('='));
    if (equals <= 0) {
        *error = QStringLiteral("\"%1\" is not NAME=VALUE").arg(argument);
        return false;
    }
    const QString name = argument.left(equals);
    const QString text = argument.mid(equals + 1);
    const ControlTable::Row *row = rowNamed(series, name);
    if (!row) {
        *error = QStringLiteral("%1 has no control \"%2\"; the names are: %3")
                     .arg(series.seriesName(), name, names(series).join(QStringLiteral(", ")));
        return false;
    }
    DesignEdit edit;
    edit.control = row->id;
    if (row->kind == ControlTable::Kind::Entry) {
        // What a user types and applies with Return; the document judges it.
        edit.action = DesignEdit::Action::Type;
        edit.text = text;
        edits->append(edit);
        edit.action = DesignEdit::Action::Commit; // carries no text
        edits->append(edit);
        return true;
    }
    const QVector<double> values = ControlTable::values(series, row->id);
    bool ok = false;
    const double value = text.trimmed() == text ? text.toDouble(&ok) : 0.0;
    const int index = ok && std::isfinite(value) ? int(values.indexOf(value)) : -1;
    if (index < 0) {
        QStringList allowed;
        for (double v : values)
            allowed << valueText(v);
        *error = QStringLiteral("%1 takes one of %2, not \"%3\"")
                     .arg(name, allowed.join(QStringLiteral(", ")), text);
        return false;
    }
    edit.action = DesignEdit::Action::Choose;
    edit.index = index;
    edits->append(edit);
    return true;
}

} // namespace EditArguments

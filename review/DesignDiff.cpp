#include "DesignDiff.h"

#include "ClockConfig.h"
#include "ClockPaths.h"
#include "DesignFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace DesignDiff {

namespace {

const QString kArrow = QStringLiteral(" \u2192 ");

bool sameClock(const ReviewClocks::Clock &a, const ReviewClocks::Clock &b)
{
    if (a.running != b.running)
        return false;
    // Equal as the report writes them: rounding noise is no change.
    return !a.running || ClockPaths::number(a.value) == ClockPaths::number(b.value);
}

QString valueText(const ReviewClocks::Clock &clock)
{
    return clock.running ? ClockPaths::number(clock.value) + QLatin1Char(' ') + clock.unit() : QStringLiteral("off");
}

QJsonValue jsonValue(const ReviewClocks::Clock &clock)
{
    return clock.running ? QJsonValue(clock.value) : QJsonValue();
}

} // namespace

QString ClockChange::limitTurn() const
{
    if (!before.over() && after.over())
        return QStringLiteral("now over");
    if (before.over() && !after.over())
        return QStringLiteral("back within");
    return QString();
}

Result compare(const ClockConfig &before, const ClockConfig &after, const QString &seriesName)
{
    Result result;
    for (const QString &element : DesignFile::elementNames(seriesName)) {
        if (element == QLatin1String("MCU"))
            continue;
        const QString a = DesignFile::elementText(before, seriesName, element);
        const QString b = DesignFile::elementText(after, seriesName, element);
        if (a != b)
            result.settings.append({element, a, b});
    }
    const QVector<ReviewClocks::Clock> a = ReviewClocks::clocksOf(before);
    const QVector<ReviewClocks::Clock> b = ReviewClocks::clocksOf(after);
    for (int i = 0; i < a.size() && i < b.size(); ++i) {
        if (!sameClock(a.at(i), b.at(i)))
            result.clocks.append({a.at(i), b.at(i)});
    }
    return result;
}

QStringList lines(const Result &result)
{
    QStringList out;
    for (const SettingChange &s : result.settings)
        out << QStringLiteral("setting ") + s.element + QStringLiteral(": ") + s.before + kArrow + s.after;
    for (const ClockChange &c : result.clocks) {
        QString line = QStringLiteral("clock ") + c.after.name + QStringLiteral(": ") + valueText(c.before) +
                       kArrow + valueText(c.after);
        if (c.after.hasLimit()) {
            const QString limit = c.after.limitText();
            const QString turn = c.limitTurn();
            line += QStringLiteral(" (") + limit + (turn.isEmpty() ? QString() : QStringLiteral(", ") + turn) +
                    QLatin1Char(')');
        }
        out << line;
    }
    return out;
}

QString json(const Result &result, const QString &seriesName)
{
    QJsonArray settings;
    for (const SettingChange &s : result.settings)
        settings.append(QJsonObject{{QStringLiteral("element"), s.element},
                                    {QStringLiteral("old"), s.before},
                                    {QStringLiteral("new"), s.after}});
    QJsonArray clocks;
    for (const ClockChange &c : result.clocks) {
        QJsonObject clock{{QStringLiteral("name"), c.after.name},
                          {QStringLiteral("old"), jsonValue(c.before)},
                          {QStringLiteral("new"), jsonValue(c.after)},
                          {QStringLiteral("unit"), c.after.unit()},
                          {QStringLiteral("limit"), c.after.limit > 0 ? QJsonValue(c.after.limit) : QJsonValue()},
                          {QStringLiteral("over"), c.after.over()}};
        if (!c.limitTurn().isEmpty())
            clock.insert(QStringLiteral("turn"), c.limitTurn());
        clocks.append(clock);
    }
    const QJsonObject root{{QStringLiteral("series"), seriesName},
                           {QStringLiteral("same"), result.same()},
                           {QStringLiteral("settings"), settings},
                           {QStringLiteral("clocks"), clocks}};
    return QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
}

} // namespace DesignDiff

#include "CliOutput.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>

#include <cmath>
#include <cstdio>

int severer(int a, int b)
{
    // Most severe first.
    static const int order[] = {CliUsage, CliGenFailed, CliRefused, CliExists, CliDiffers, CliWarning};
    for (int status : order) {
        if (a == status || b == status)
            return status;
    }
    return a != CliDone ? a : b;
}

QString statusWord(int status)
{
    switch (status) {
    case CliDone:
        return QStringLiteral("done");
    case CliUsage:
        return QStringLiteral("unreadable");
    case CliRefused:
        return QStringLiteral("refused");
    case CliWarning:
        return QStringLiteral("warning");
    case CliExists:
        return QStringLiteral("exists");
    case CliGenFailed:
        return QStringLiteral("failed");
    case CliDiffers:
        return QStringLiteral("differs");
    default:
        return QString();
    }
}

namespace CliOut {

void out(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void outLine(const QString &text)
{
    out(text + QLatin1Char('\n'));
}

void errLine(const QString &text)
{
    const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

void print(const CliReport &report)
{
    for (const QString &line : report.out)
        outLine(line);
    for (const QString &line : report.err)
        errLine(line);
}

QString numberText(const QVariant &value)
{
    switch (value.type()) {
    case QVariant::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QVariant::Double: {
        const double d = value.toDouble();
        return QString::number(d, 'g', QLocale::FloatingPointShortest);
    }
    default:
        return value.toString();
    }
}

QString jsonValue(const QVariant &value)
{
    switch (value.type()) {
    case QVariant::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QVariant::Double:
        // JSON has no NaN or infinity.
        return std::isfinite(value.toDouble()) ? numberText(value) : QStringLiteral("null");
    case QVariant::String: {
        // Qt's writer escapes what a design file may smuggle in (tabs, line
        // feeds, other control characters).
        const QByteArray array = QJsonDocument(QJsonArray{value.toString()}).toJson(QJsonDocument::Compact);
        return QString::fromUtf8(array.mid(1, array.size() - 2));
    }
    default:
        return value.toString();
    }
}

void printFields(const Fields &fields, bool json, const QStringList &extraJson)
{
    if (!json) {
        for (const auto &field : fields)
            outLine(field.first + QLatin1Char(' ') + numberText(field.second));
        return;
    }
    QStringList members;
    for (const auto &field : fields)
        members.append(QStringLiteral("  ") + jsonValue(field.first) + QStringLiteral(": ") +
                       jsonValue(field.second));
    members << extraJson;
    outLine(QStringLiteral("{\n") + members.join(QStringLiteral(",\n")) + QStringLiteral("\n}"));
}

namespace {

const char *severityName(const ClockRules::Finding &finding)
{
    return finding.isRefusal() ? "error" : "warning";
}

const char *kindName(ClockRules::Finding::Kind kind)
{
    switch (kind) {
    case ClockRules::Finding::Kind::Input:
        return "input";
    case ClockRules::Finding::Kind::Limit:
        return "limit";
    case ClockRules::Finding::Kind::Load:
        return "load";
    }
    return "";
}

} // namespace

QString findingText(const ClockRules::Finding &finding)
{
    return finding.text(ClockRules::translated);
}

QString findingsJson(const ClockRules::Findings &findings)
{
    QStringList items;
    for (const ClockRules::Finding &f : findings) {
        QStringList members{QStringLiteral("\"severity\": ") +
                                jsonValue(QString::fromLatin1(severityName(f))),
                            QStringLiteral("\"kind\": ") + jsonValue(QString::fromLatin1(kindName(f.kind))),
                            QStringLiteral("\"text\": ") + jsonValue(findingText(f)),
                            QStringLiteral("\"field\": ") + jsonValue(f.field)};
        if (f.kind != ClockRules::Finding::Kind::Load)
            members << QStringLiteral("\"value\": ") + jsonValue(f.value)
                    << QStringLiteral("\"allowed\": ") + jsonValue(f.allowed);
        items << QStringLiteral("    {") + members.join(QStringLiteral(", ")) + QLatin1Char('}');
    }
    if (items.isEmpty())
        return QStringLiteral("[]");
    return QStringLiteral("[\n") + items.join(QStringLiteral(",\n")) + QStringLiteral("\n  ]");
}

int statusOf(const ClockRules::Findings &findings)
{
    // A refusal outranks every warning, wherever it stands in the list.
    for (const ClockRules::Finding &f : findings) {
        if (f.isRefusal())
            return CliRefused;
    }
    return findings.isEmpty() ? CliDone : CliWarning;
}

QStringList findingLines(const ClockRules::Findings &findings)
{
    QStringList lines;
    for (const ClockRules::Finding &f : findings)
        lines << QString::fromLatin1(severityName(f)) + QStringLiteral(": ") + findingText(f);
    return lines;
}

QString notSupportedText()
{
    return QCoreApplication::translate("QXPLLConfig", "MCU in file not supported.");
}

} // namespace CliOut

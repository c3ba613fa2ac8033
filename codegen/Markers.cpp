#include "Markers.h"

#include <QHash>
#include <QStringList>

namespace Markers {

QRegularExpression classic(const QString &pattern)
{
    thread_local QHash<QString, QRegularExpression> cache;
    auto it = cache.constFind(pattern);
    if (it != cache.constEnd())
        return *it;
    QString converted = pattern;
    converted.replace(QLatin1String("{,1}"), QLatin1String("?"));
    QRegularExpression re(converted, QRegularExpression::DotMatchesEverythingOption);
    re.optimize();
    cache.insert(pattern, re);
    return re;
}

QRegularExpression blockPattern(const QString &name)
{
    const QString quoted = QRegularExpression::escape(name);
    return classic(QStringLiteral("\\[#") + quoted + QStringLiteral("\\]\\n(.+)\\[/#") + quoted +
                   QStringLiteral("\\]\\n+"));
}

int replaceEach(QString &text, const QRegularExpression &re,
                const std::function<QString(const QRegularExpressionMatch &)> &with)
{
    QString out;
    int count = 0;
    int copied = 0;
    auto it = re.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength() == 0)
            continue; // none of our patterns can match empty; never loop on one
        out += text.midRef(copied, m.capturedStart() - copied);
        out += with(m);
        copied = m.capturedEnd();
        ++count;
    }
    if (count) {
        out += text.midRef(copied);
        text = out;
    }
    return count;
}

bool find(const QString &text, const QString &name, QString *body)
{
    const QRegularExpressionMatch m = blockPattern(name).match(text);
    if (!m.hasMatch())
        return false;
    if (body)
        *body = m.captured(1);
    return true;
}

bool keep(QString &text, const QString &name)
{
    return replaceEach(text, blockPattern(name), [](const QRegularExpressionMatch &m) -> QString {
               return m.captured(1) + QLatin1Char('\n');
           }) > 0;
}

bool keepTight(QString &text, const QString &name)
{
    return replaceEach(text, blockPattern(name),
                       [](const QRegularExpressionMatch &m) -> QString { return m.captured(1); }) > 0;
}

bool remove(QString &text, const QString &name)
{
    return replaceEach(text, blockPattern(name),
                       [](const QRegularExpressionMatch &) -> QString { return QString(); }) > 0;
}

bool decide(QString &text, const QString &name, bool keepIt, bool tight)
{
    if (!keepIt)
        return remove(text, name);
    return tight ? keepTight(text, name) : keep(text, name);
}

bool replaceBody(QString &text, const QString &name, const QString &body, bool tight)
{
    const QString replacement = tight ? body : body + QLatin1Char('\n');
    return replaceEach(text, blockPattern(name),
                       [&](const QRegularExpressionMatch &) -> QString { return replacement; }) > 0;
}

static QString callText(const QString &function, const QStringList &args)
{
    return function + QLatin1Char('(') + args.join(QLatin1String(", ")) + QLatin1String(");");
}

bool rewriteCall(QString &target, const QString &pattern, const QString &function, const QStringList &args)
{
    const QString call = callText(function, args);
    return replaceEach(target, classic(pattern),
                       [&](const QRegularExpressionMatch &) -> QString { return call; }) > 0;
}

bool rewriteLastCall(QString &target, const QString &pattern, const QString &function,
                     const QStringList &args)
{
    const QRegularExpression re = classic(pattern);
    int lastStart = -1;
    auto it = re.globalMatch(target);
    while (it.hasNext())
        lastStart = it.next().capturedStart();
    if (lastStart < 0)
        return false;
    QString tail = target.mid(lastStart);
    rewriteCall(tail, pattern, function, args);
    target = target.left(lastStart) + tail;
    return true;
}

} // namespace Markers

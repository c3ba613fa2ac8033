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

namespace {

// Where a block lies in a text: [start, end) is all of it, [bodyStart,
// bodyEnd) its body.
struct Block {
    int start = -1;
    int bodyStart = -1;
    int bodyEnd = -1;
    int end = -1;
};

// The block as the pattern "\[#name\]\n(.+)\[/#name\]\n+" (name literal,
// "." matching line feeds too) finds it, searched for as plain text: the
// first opening marker, a body of at least one character up to the last
// closing marker, the line feeds after it. The pattern cannot match again
// after that closing marker, so there is at most one block; and when the
// first opening marker has no closing one after it, no later one has.
// Plain searches cost a fraction of running the pattern over a template.
bool locate(const QString &text, const QString &name, Block *block)
{
    const QString opening = QStringLiteral("[#") + name + QStringLiteral("]\n");
    const QString closing = QStringLiteral("[/#") + name + QStringLiteral("]\n");
    const int start = text.indexOf(opening);
    if (start < 0)
        return false;
    const int bodyStart = start + opening.size();
    const int bodyEnd = text.lastIndexOf(closing);
    if (bodyEnd <= bodyStart)
        return false;
    int end = bodyEnd + closing.size();
    while (end < text.size() && text.at(end) == QLatin1Char('\n'))
        ++end;
    *block = {start, bodyStart, bodyEnd, end};
    return true;
}

// Puts replacement in the place of the block of name; false when there is none.
bool replaceBlock(QString &text, const QString &name, const std::function<QString(const QStringRef &)> &with)
{
    Block block;
    if (!locate(text, name, &block))
        return false;
    const QString replacement = with(text.midRef(block.bodyStart, block.bodyEnd - block.bodyStart));
    text.replace(block.start, block.end - block.start, replacement);
    return true;
}

} // namespace

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
    Block block;
    if (!locate(text, name, &block))
        return false;
    if (body)
        *body = text.mid(block.bodyStart, block.bodyEnd - block.bodyStart);
    return true;
}

bool keep(QString &text, const QString &name)
{
    return replaceBlock(text, name,
                        [](const QStringRef &body) -> QString { return body + QLatin1Char('\n'); });
}

bool keepTight(QString &text, const QString &name)
{
    return replaceBlock(text, name, [](const QStringRef &body) -> QString { return body.toString(); });
}

bool remove(QString &text, const QString &name)
{
    return replaceBlock(text, name, [](const QStringRef &) -> QString { return QString(); });
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
    return replaceBlock(text, name, [&](const QStringRef &) -> QString { return replacement; });
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

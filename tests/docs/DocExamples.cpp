#include "DocExamples.h"

#include <QRegularExpression>

namespace {

const QString kPrompt = QStringLiteral("$ ");
const QString kWildcard = QStringLiteral("...");

// The characters a roff line prints, for the escapes the manual pages use.
QString unescapeRoff(QString line)
{
    static const QVector<QPair<QString, QString>> escapes = {
        {QStringLiteral("\\-"), QStringLiteral("-")},
        {QStringLiteral("\\(aq"), QStringLiteral("'")},
        {QStringLiteral("\\(dq"), QStringLiteral("\"")},
        {QStringLiteral("\\e"), QStringLiteral("\\")},
        {QStringLiteral("\\&"), QString()},
        {QStringLiteral("\\\\"), QStringLiteral("\\")},
    };
    for (const auto &escape : escapes)
        line.replace(escape.first, escape.second);
    return line;
}

// A line of an unmarked block that looks like one of our commands.
bool looksLikeCommand(const QString &line)
{
    static const QRegularExpression command(
        QStringLiteral("^\\s*(\\$ )?(tickforge|tickforge-cli|tickforge-render)\\s"));
    return command.match(line).hasMatch();
}

// Reads the lines of one marked block into examples.
void readBlock(const QStringList &lines, int firstLine, DocBlock &block, QStringList &errors)
{
    static const QRegularExpression exitLine(QStringLiteral("^\\[exit (\\d+)\\]$"));
    DocExample *open = nullptr; // the example whose exit line is still to come
    const auto error = [&errors](int line, const QString &text) {
        errors << QStringLiteral("%1: %2").arg(line).arg(text);
    };
    for (int i = 0; i < lines.size(); ++i) {
        const int number = firstLine + i;
        QString line = lines.at(i);
        while (line.endsWith(QLatin1String(" \\")) && i + 1 < lines.size()) // a command going on
            line = line.chopped(1) + lines.at(++i).trimmed();
        const QString trimmed = line.trimmed();
        if (line.startsWith(kPrompt)) {
            if (open)
                error(open->line, QStringLiteral("example without its \"[exit N]\" line"));
            block.examples.append(DocExample{line.mid(kPrompt.size()).trimmed(), {}, -1, number});
            open = &block.examples.last();
        } else if (const QRegularExpressionMatch status = exitLine.match(trimmed); status.hasMatch()) {
            if (!open)
                error(number, QStringLiteral("\"[exit N]\" without a command before it"));
            else
                open->exitStatus = status.captured(1).toInt();
            open = nullptr;
        } else if (trimmed.startsWith(QLatin1String("[exit"))) {
            error(number, QStringLiteral("unreadable exit line \"%1\"").arg(trimmed));
        } else if (!trimmed.isEmpty()) {
            if (open)
                open->expected << line.trimmed();
            else
                error(number, QStringLiteral("output line \"%1\" outside an example").arg(trimmed));
        }
    }
    if (open)
        error(open->line, QStringLiteral("example without its \"[exit N]\" line"));
    if (block.examples.isEmpty())
        error(firstLine, QStringLiteral("marked block without a \"$ \" command"));
}

} // namespace

DocExamples readDocExamples(const QString &text, bool roff)
{
    DocExamples result;
    const QStringList lines = text.split(QLatin1Char('\n'));
    // Markdown: "```console" opens a marked block, "```" ends any block;
    // roff: ".EX" ... ".EE" is marked, ".nf" ... ".fi" is not.
    bool inBlock = false;
    bool marked = false;
    int opened = 0;
    QString closer; // the Markdown fence that ends the open block: as many backticks or more
    QStringList body;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i);
        const int number = i + 1;
        const QString fence = line.trimmed();
        const bool opens = roff ? (fence == QLatin1String(".EX") || fence == QLatin1String(".nf"))
                                : fence.startsWith(QLatin1String("```"));
        const bool closes = roff ? (fence == QLatin1String(".EE") || fence == QLatin1String(".fi"))
                                 : fence.startsWith(closer) && fence.count(QLatin1Char('`')) == fence.size();
        if (!inBlock && opens) {
            closer = fence.left(fence.indexOf(QRegularExpression(QStringLiteral("[^`]|$"))));
            inBlock = true;
            marked = roff ? fence == QLatin1String(".EX") : fence == QLatin1String("```console");
            opened = number;
            body.clear();
        } else if (inBlock && closes) {
            inBlock = false;
            if (marked) {
                DocBlock block;
                block.line = opened;
                readBlock(body, opened + 1, block, result.errors);
                result.blocks.append(block);
            } else {
                for (int j = 0; j < body.size(); ++j) {
                    if (looksLikeCommand(body.at(j)))
                        result.errors << QStringLiteral("%1: command example not in the marked form: %2")
                                             .arg(opened + 1 + j)
                                             .arg(body.at(j).trimmed());
                }
            }
        } else if (inBlock) {
            if (roff && fence.startsWith(QLatin1Char('.')))
                continue; // a request such as .RS inside the block
            body << (roff ? unescapeRoff(line) : line);
        }
    }
    if (inBlock)
        result.errors << QStringLiteral("%1: block not closed").arg(opened);
    return result;
}

bool outputMatches(const QString &output, const QStringList &expected, QString *missing)
{
    const QStringList lines = output.split(QLatin1Char('\n'));
    int at = 0;
    for (const QString &want : expected) {
        const bool prefix = want.endsWith(kWildcard);
        const QString text = prefix ? want.chopped(kWildcard.size()) : want;
        bool found = false;
        while (!found && at < lines.size()) {
            const QString line = lines.at(at++).trimmed();
            found = prefix ? line.startsWith(text) : line == text;
        }
        if (!found) {
            *missing = want;
            return false;
        }
    }
    return true;
}

#include "CliReference.h"

#include "CliHelp.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

namespace {

const char kContext[] = "CliHelp";

// Text as Markdown: its marks escaped, option names as code.
QString markdownText(QString text)
{
    static const QRegularExpression marks(QStringLiteral("([\\\\`*_\\[\\]<>|{}#])"));
    static const QRegularExpression options(QStringLiteral("(^|[\\s(\\[\"“，（])(--?[a-z][a-z0-9-]*)"));
    text.replace(marks, QStringLiteral("\\\\1"));
    text.replace(options, QStringLiteral("\\1`\\2`"));
    return text;
}

// Lines joined into paragraphs; a line naming an option starts its own.
QStringList paragraphsOf(const QString &lines)
{
    QStringList paragraphs;
    for (const QString &line : lines.split(QLatin1Char('\n'))) {
        if (paragraphs.isEmpty() || line.startsWith(QLatin1String("--"))) {
            paragraphs << line;
            continue;
        }
        QString &last = paragraphs.last();
        // Chinese runs on without a blank; English words do not.
        const bool wide = (!last.isEmpty() && last.back().unicode() > 0x2E7F) ||
                          (!line.isEmpty() && line.front().unicode() > 0x2E7F);
        last += (wide ? QString() : QStringLiteral(" ")) + line;
    }
    return paragraphs;
}

QString commandsMarkdown()
{
    QString markdown;
    for (const CliCommandHelp &command : cliCommandHelp()) {
        QStringList forms; // a line starting with a blank goes on
        for (const QString &line : QString::fromLatin1(command.usage).split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1Char(' ')) && !forms.isEmpty())
                forms.last() += QLatin1Char(' ') + line.trimmed();
            else
                forms << line;
        }
        for (const QString &form : forms)
            markdown += QStringLiteral("**`tickforge-cli %1`**\n\n").arg(form);
        for (const QString &paragraph : paragraphsOf(QCoreApplication::translate(kContext, command.text)))
            markdown += markdownText(paragraph) + QStringLiteral("\n\n");
    }
    return markdown;
}

QString statusesMarkdown(const QString &titles)
{
    QString markdown = QStringLiteral("| %1 |\n|---|---|\n").arg(titles.trimmed());
    for (const CliStatusHelp &row : cliStatusHelp()) {
        const QString meaning = paragraphsOf(QCoreApplication::translate(kContext, row.meaning)).join(' ');
        markdown += QStringLiteral("| %1 | %2 |\n").arg(row.status).arg(markdownText(meaning));
    }
    return markdown;
}

} // namespace

QString expandCliReference(const QString &source)
{
    static const QRegularExpression statuses(QStringLiteral("^<!-- tickforge-cli exit statuses: (.*) -->$"),
                                             QRegularExpression::MultilineOption);
    QString text = source;
    text.replace(QStringLiteral("<!-- tickforge-cli commands -->"), commandsMarkdown());
    QRegularExpressionMatch match = statuses.match(text);
    while (match.hasMatch()) {
        text.replace(match.capturedStart(), match.capturedLength(), statusesMarkdown(match.captured(1)));
        match = statuses.match(text, match.capturedStart());
    }
    return text;
}

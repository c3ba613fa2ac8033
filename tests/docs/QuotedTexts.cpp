#include "QuotedTexts.h"

#include <QXmlStreamReader>

#include <algorithm>

namespace {

const QChar kEllipsis(0x2026);

// The text a manual reads: no fenced code, code spans or comments.
QString proseOf(const QString &markdown)
{
    static const QRegularExpression fences(QStringLiteral("^```.*?^```"),
                                           QRegularExpression::MultilineOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression spans(QStringLiteral("`[^`\\n]*`"));
    static const QRegularExpression comments(QStringLiteral("<!--.*?-->"),
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression escapes(QStringLiteral("\\\\([\\\\`*_{}\\[\\]()#+.!|-])"));
    QString text = markdown;
    text.remove(comments);
    text.remove(fences);
    text.remove(spans);
    text.replace(escapes, QStringLiteral("\\1")); // "(\*.png)" reads "(*.png)"
    return text;
}

// The forms a quote may take of a catalogue text: as written, without a
// value the program puts after it ("288MHz", "…MHz"), or before it ("main.c").
QStringList formsOf(const QString &quote)
{
    static const QRegularExpression valueAfter(QStringLiteral("\\s*(…|[0-9.]+)\\s*MHz$"));
    static const QRegularExpression valueBefore(QStringLiteral("^(…|[\\w-]+\\.\\w+)\\s+"));
    QStringList forms{quote.trimmed()};
    QString without = quote;
    without.remove(valueAfter);
    forms << without.trimmed();
    without = quote;
    without.remove(valueBefore);
    forms << without.trimmed();
    forms.removeDuplicates();
    forms.removeAll(QString());
    return forms;
}

} // namespace

Catalogue Catalogue::fromTs(const QByteArray &ts)
{
    Catalogue catalogue;
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    QXmlStreamReader reader(ts);
    QString source;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == QLatin1String("source")) {
            source = reader.readElementText();
        } else if (reader.name() == QLatin1String("translation")) {
            const QString translation = reader.readElementText();
            const QString shown = translation.isEmpty() ? source : translation;
            QStringList pieces{shown};
            for (const QString &line : shown.split(QLatin1Char('\n')))
                pieces << line.split(QStringLiteral(";;"));
            for (const QString &piece : pieces) {
                const QString trimmed = piece.trimmed();
                QStringList fixed = trimmed.split(placeholder); // the parts around each %N
                // A piece of placeholders and marks alone ("%1.") would take any quote.
                const QString words = fixed.join(QString());
                const bool wild = fixed.size() > 1 && std::none_of(words.cbegin(), words.cend(),
                                                                   [](QChar c) { return c.isLetter(); });
                if (trimmed.isEmpty() || wild || catalogue.m_pieces.contains(trimmed))
                    continue;
                for (QString &part : fixed)
                    part = QRegularExpression::escape(part);
                const QString pattern = fixed.join(QStringLiteral(".+"));
                catalogue.m_pieces << trimmed;
                catalogue.m_patterns << QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                                                           QRegularExpression::DotMatchesEverythingOption);
            }
        }
    }
    return catalogue;
}

bool Catalogue::holdsExactly(const QString &form) const
{
    if (form.contains(kEllipsis)) { // "…" stands for the part the program fills in
        QStringList parts = form.split(kEllipsis);
        for (QString &part : parts)
            part = QRegularExpression::escape(part.trimmed());
        const QRegularExpression quote(
            QRegularExpression::anchoredPattern(parts.join(QStringLiteral("\\s*.*\\s*"))),
            QRegularExpression::DotMatchesEverythingOption);
        for (const QString &piece : m_pieces) {
            if (quote.match(piece).hasMatch())
                return true;
        }
        return false;
    }
    for (const QRegularExpression &pattern : m_patterns) {
        if (pattern.match(form).hasMatch())
            return true;
    }
    return false;
}

bool Catalogue::holds(const QString &quote) const
{
    for (const QString &form : formsOf(quote)) {
        if (holdsExactly(form))
            return true;
    }
    return false;
}

Quotes readQuotes(const QString &markdown, QChar open, QChar close, const Catalogue &catalogue)
{
    Quotes quotes;
    for (const QString &line : proseOf(markdown).split(QLatin1Char('\n'))) {
        int at = line.indexOf(open);
        while (at >= 0) {
            QVector<int> ends; // every close mark after it on the line
            for (int end = line.indexOf(close, at + 1); end >= 0; end = line.indexOf(close, end + 1))
                ends << end;
            if (ends.isEmpty())
                break;
            int taken = -1;
            for (int i = ends.size() - 1; i >= 0 && taken < 0; --i) {
                if (catalogue.holds(line.mid(at + 1, ends.at(i) - at - 1)))
                    taken = ends.at(i);
            }
            if (taken >= 0)
                quotes.held << line.mid(at + 1, taken - at - 1);
            else
                quotes.missing << line.mid(at + 1, ends.first() - at - 1);
            at = line.indexOf(open, (taken >= 0 ? taken : ends.first()) + 1);
        }
    }
    return quotes;
}

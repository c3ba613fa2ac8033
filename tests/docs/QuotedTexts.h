#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>

// The program's texts a manual quotes, checked against its catalogue.
//
// A manual writes the program's own words in its quotation marks ("..." in
// English, “...” in Chinese): menu texts, buttons, titles and messages. Each
// must be a text of the catalogue of that language, or a line or part of one
// (a catalogue text is cut at line breaks and ";;"; "%1" stands for anything).
// The quote may stand for its variable part with "…" ("Download failed: …"),
// and may carry the value the program adds before or after the text ("main.c
// file already exists...", "Can not support sclk greater than 288MHz").
// Code, code spans and comments are not read; what is not the program's text
// is written there, or in other words.

class Catalogue {
public:
    // The shown texts of a Qt Linguist catalogue (.ts): each translation, or its
    // source where the translation is empty.
    static Catalogue fromTs(const QByteArray &ts);

    bool holds(const QString &quote) const;
    int size() const { return m_pieces.size(); }

private:
    bool holdsExactly(const QString &form) const;

    QStringList m_pieces;
    QVector<QRegularExpression> m_patterns; // m_pieces with %N as anything
};

struct Quotes {
    QStringList held;    // quotes the catalogue holds
    QStringList missing; // quotes it does not
};

// The quoted texts of a Markdown manual, open and close being its marks.
// Where a quote holds the same mark (a message that quotes a word), the
// longest span the catalogue holds is taken.
Quotes readQuotes(const QString &markdown, QChar open, QChar close, const Catalogue &catalogue);

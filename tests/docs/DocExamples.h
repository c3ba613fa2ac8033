#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The command examples of the README, the user manuals and the hand-written
// parts of the manual pages, read from their sources so that they can be run.
//
// The marked form, the same in every document (README "Adding a test"):
//
//   $ tickforge-cli check usb_wrong.TFCC      a command, run by sh in a scratch folder
//   warning: USB clock must be 48MHz. ...     output lines that matter, in order;
//                                             a trailing "..." matches the line's start
//   [exit 3]                                  the exit status, always given
//
// in Markdown inside a fence "```console", in roff between ".EX" and ".EE"
// (roff escapes such as "\-" are read as the characters they print). A block
// holds one example or more; a command line ending in " \" goes on.

struct DocExample {
    QString command;
    QStringList expected; // output lines, in order
    int exitStatus = -1;
    int line = 0; // of the command in its document
};

struct DocBlock {
    int line = 0; // of the opening fence
    QVector<DocExample> examples;
};

struct DocExamples {
    QVector<DocBlock> blocks;
    QStringList errors; // "LINE: what is wrong"; any error fails the suite
};

// Reads the examples of one document; roff when roff is true, else Markdown.
DocExamples readDocExamples(const QString &text, bool roff);

// Whether output holds the expected lines in order, each a whole line (or
// its start, for an expected line ending in "..."); the first one missing
// goes to missing.
bool outputMatches(const QString &output, const QStringList &expected, QString *missing);

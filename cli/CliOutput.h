#pragma once

// What tickforge-cli says and returns: the exit statuses, a command's report
// lines and how values and findings are printed.

#include "ClockRules.h"

#include <QPair>
#include <QStringList>
#include <QVariant>
#include <QVector>

struct SeriesParams;

// Exit statuses of tickforge-cli, one table for every command.
enum CliStatus {
    CliDone = 0,
    CliUsage = 1,      // usage error or bad value, unreadable or unsupported file
    CliRefused = 2,    // refused: a limit check or invalid design content
    CliWarning = 3,    // stopped at a warning (also a value that opening changed)
    CliExists = 4,     // an output file exists
    CliGenFailed = 5,  // generation, rendering or saving an update failed (I/O)
    CliDiffers = 7,    // generate --check: a file differs from the design or is missing
    CliNoSolution = 8, // no solution meets the constraint (solve --usb48)
};

// The more severe of two statuses, for runs over many designs: a usage
// error (an unreadable design) first, then a failure, a refusal, an existing
// file, a difference, a warning.
int severer(int a, int b);
// The word a status line gives for a status ("done", "refused", ...).
QString statusWord(int status);

// What a command has to say: lines for standard output and standard error.
struct CliReport {
    QStringList out;
    QStringList err;
};

namespace CliOut {

void out(const QString &text);
void outLine(const QString &text);
void errLine(const QString &text);
void print(const CliReport &report);

// Shortest text that reads back as the same double.
QString numberText(const QVariant &value);
// A value as JSON, written by Qt's JSON writer.
QString jsonValue(const QVariant &value);

using Fields = QVector<QPair<QString, QVariant>>;
// "name value" lines, or one JSON object (extraJson: members written as they
// are after the fields).
void printFields(const Fields &fields, bool json, const QStringList &extraJson = {});

// Findings as the program shows them (in the model's catalogue context).
QString findingText(const ClockRules::Finding &finding);
QString findingsJson(const ClockRules::Findings &findings);
QStringList findingLines(const ClockRules::Findings &findings);
// Refusal outranks warning.
int statusOf(const ClockRules::Findings &findings);

QString notSupportedText();

} // namespace CliOut

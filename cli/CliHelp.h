#pragma once

#include <QString>
#include <QVector>

// The reference of tickforge-cli: its commands and its exit statuses. The
// help text is made of it, and so are the command-line chapters of the user
// manuals (tools/manual) and, through --help, the manual page; the texts are
// in the catalogue (context "CliHelp"), so the Chinese manual has them too.

struct CliCommandHelp {
    const char *usage; // one line per form; a line starting with a blank goes on
    const char *text;  // lines of the description; a line starting with "--" begins that option's
                       // own paragraph, so no other line may start with an option
};

struct CliStatusHelp {
    int status;
    const char *meaning;
};

const QVector<CliCommandHelp> &cliCommandHelp();
const QVector<CliStatusHelp> &cliStatusHelp();

// The help text of tickforge-cli, in English.
QString cliHelpText();

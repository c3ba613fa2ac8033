#pragma once

#include <QStringList>

// Exit statuses of tickforge-cli.
enum CliStatus {
    CliDone = 0,
    CliUsage = 1,     // usage error, unreadable or unsupported input
    CliRefused = 2,   // refused by a limit check
    CliWarning = 3,   // stopped at a warning
    CliExists = 4,    // an output file exists
    CliGenFailed = 5, // generation failed
};

// Runs one command line (without the program name). Needs a QApplication
// with the English catalogue installed.
int runCli(const QStringList &arguments);

// The text printed by --help.
QString cliHelpText();

#pragma once

#include "ClockRules.h"

#include <QStringList>

class CliDialogs;
class QXMCUPLL;

// Exit statuses of tickforge-cli, one table for every command.
enum CliStatus {
    CliDone = 0,
    CliUsage = 1,      // usage error or bad value, unreadable or unsupported file
    CliRefused = 2,    // refused: a limit check or invalid design content
    CliWarning = 3,    // stopped at a warning (also a value that opening changed)
    CliExists = 4,     // an output file exists
    CliGenFailed = 5,  // generation or rendering failed (I/O)
    CliDiffers = 7,    // generate --check: a file differs from the design or is missing
    CliNoSolution = 8, // no solution meets the constraint (solve --usb48)
};

// Runs one command line (without the program name). Needs a QApplication
// with the English catalogue installed.
int runCli(const QStringList &arguments);

// The text printed by --help.
QString cliHelpText();

// What a command has to say: lines for standard output and standard error.
struct CliReport {
    QStringList out;
    QStringList err;
};

namespace CliTool {

// Opens a design file into an existing widget of its series (factory state
// first, then the file), answering the questions of opening "Cancel". Returns
// what the file held that the program reads differently, then the findings of
// the checks before saving and generating.
ClockRules::Findings openInto(QXMCUPLL &widget, const QString &fileName, CliDialogs &dialogs,
                              CliReport &report);

struct GenerateOptions {
    bool force = false;     // go on past warnings
    bool overwrite = false; // replace existing output files
    bool check = false;     // compare with the files in the folder instead of writing
    bool guard = false;     // add the compile-time crystal check to the clock source
};

// `generate FILE DIR` on an existing widget of the file's series: the
// command builds one, tests may reuse one for many files. Returns the status.
int generateFile(QXMCUPLL &widget, const QString &fileName, const QString &dir,
                 const GenerateOptions &options, CliReport &report);

} // namespace CliTool

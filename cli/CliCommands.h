#pragma once

#include "CliHelp.h"
#include "CliOutput.h"

#include <QHash>
#include <QSet>
#include <QStringList>

class CliPrompter;
class DesignDocument;

// One parsed command line.
struct CommandLine {
    QString command;
    QStringList positionals;
    QSet<QString> flags;
    QHash<QString, QString> values;
    QHash<QString, QStringList> lists; // every value of an option given more than once, in order
};

// The commands, each in the file of its family.
int commandNew(const CommandLine &line);
int commandShow(const CommandLine &line);
int commandCheck(const CommandLine &line);
int commandGenerate(const CommandLine &line);
int commandSolve(const CommandLine &line);
int commandSolveDesign(const CommandLine &line); // solve FILE --want ...
int commandSet(const CommandLine &line);
int commandRender(const CommandLine &line);
int commandReport(const CommandLine &line);
int commandDiff(const CommandLine &line);

// Runs one command line (without the program name). Needs a QCoreApplication
// with the English catalogue installed.
int runCli(const QStringList &arguments);

namespace CliTool {

// Opens a design file into a document of its series (factory state first,
// then the file), answering the questions of opening "Cancel". Returns what
// the file held that the program reads differently, then the findings of
// the checks before saving and generating.
ClockRules::Findings openInto(DesignDocument &document, const QString &fileName, CliPrompter &prompter,
                              CliReport &report);

// Writes a design file safely; false with the reason on standard error.
bool saveDesign(const QByteArray &bytes, const QString &path);

struct GenerateOptions {
    bool force = false;     // go on past warnings
    bool overwrite = false; // replace existing output files
    bool check = false;     // compare with the files in the folder instead of writing
    bool guard = false;     // add the compile-time crystal check to the clock source
};

// `generate FILE DIR` on an existing document of the file's series; tests
// may reuse one for many files. Returns the status.
int generateFile(DesignDocument &document, const QString &fileName, const QString &dir,
                 const GenerateOptions &options, CliReport &report);
// The same for any design file: its series' document is made for it.
int generatePath(const QString &fileName, const QString &dir, const GenerateOptions &options,
                 CliReport &report);

} // namespace CliTool

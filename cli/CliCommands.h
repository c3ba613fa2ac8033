#pragma once

#include "CliShared.h"

#include <QStringList>

#include <map>
#include <memory>

class CliDialogs;
class QXMCUPLL;

// Runs one command line (without the program name). Needs a QApplication
// with the English catalogue installed.
int runCli(const QStringList &arguments);

// The text printed by --help.
QString cliHelpText();

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

// Generates design files one after the other, reusing what it built for
// a series.
class Generator {
public:
    Generator();
    ~Generator();
    Q_DISABLE_COPY(Generator)
    int generate(const QString &fileName, const QString &dir, const GenerateOptions &options,
                 CliReport &report);

private:
    std::map<int, std::unique_ptr<QXMCUPLL>> m_widgets;
};

} // namespace CliTool

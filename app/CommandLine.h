#pragma once

#include <QString>
#include <QStringList>

// What the program's command line asks for. The desktop starts the program
// as "tickforge FILE.TFCC" to open a design; --help and --version answer
// without starting the window (help2man reads them for the manual page).
struct CommandLineRequest {
    enum class Action { Run, Help, Version, Fail };
    Action action = Action::Run;
    QString designFile; // Run: the design to open at start-up, or empty
    QString error;      // Fail: what was wrong
};

// arguments: without the program name and without Qt's own options
// (QApplication removes those).
CommandLineRequest parseCommandLine(const QStringList &arguments);

// Only --help and --version, looked for before the application object (and
// so a display) exists.
CommandLineRequest::Action earlyCommandLineAction(int argc, char *argv[]);

QString commandLineHelp();
QString commandLineVersion();

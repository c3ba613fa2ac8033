#include "CliCommands.h"

#include "CliHelp.h"
#include "CliUpdate.h"

// The command line: parsing, the help text and the dispatch to the command
// families (CliDesign, CliGenerate, CliSolve, CliSet, CliRender, CliUpdate).

using namespace CliOut;

namespace {

struct CommandDef {
    const char *name;
    int positionals;
    QStringList flags;
    QStringList valueOptions;
    bool more = false; // takes `positionals` or more
};

const QVector<CommandDef> &commandDefs()
{
    static const QVector<CommandDef> defs = {
        {"new", 1, {QStringLiteral("--overwrite")}, {QStringLiteral("-o")}},
        {"show", 1, {QStringLiteral("--json"), QStringLiteral("--controls")}, {}},
        {"check", 1, {QStringLiteral("--json")}, {}},
        {"render", 2, {QStringLiteral("--overwrite")}, {}},
        {"generate",
         2,
         {QStringLiteral("--force"), QStringLiteral("--overwrite"), QStringLiteral("--check"),
          QStringLiteral("--guard")},
         {QStringLiteral("--each")}},
        {"solve",
         1,
         {QStringLiteral("--hick"), QStringLiteral("--normal"), QStringLiteral("--json"),
          QStringLiteral("--explain"), QStringLiteral("--usb48"), QStringLiteral("--apply"),
          QStringLiteral("--overwrite")},
         {QStringLiteral("--hext"), QStringLiteral("--sclk"), QStringLiteral("--top"),
          QStringLiteral("--want"), QStringLiteral("--keep"), QStringLiteral("-o")}},
        {"set", 2, {QStringLiteral("--overwrite"), QStringLiteral("--yes")}, {QStringLiteral("-o")}, true},
        // Reviewing designs.
        {"report", 1, {QStringLiteral("--overwrite")}, {QStringLiteral("-o"), QStringLiteral("--lang")}},
        {"diff", 2, {QStringLiteral("--json")}, {}},
    };
    return defs;
}

// Fills line from arguments; an error text when they do not fit a command.
QString parseCommandLine(const QStringList &arguments, CommandLine &line)
{
    if (arguments.isEmpty())
        return QStringLiteral("no command given");
    line.command = arguments.first();
    const CommandDef *def = nullptr;
    for (const CommandDef &candidate : commandDefs()) {
        if (line.command == QLatin1String(candidate.name))
            def = &candidate;
    }
    if (!def)
        return QStringLiteral("unknown command \"%1\"").arg(line.command);

    for (int i = 1; i < arguments.size(); ++i) {
        QString argument = arguments.at(i);
        if (argument.size() < 2 || !argument.startsWith(QLatin1Char('-'))) {
            line.positionals.append(argument);
            continue;
        }
        if (argument == QLatin1String("--output"))
            argument = QStringLiteral("-o");
        QString value;
        bool hasValue = false;
        const int equals = argument.indexOf(QLatin1Char('='));
        if (argument.startsWith(QLatin1String("--")) && equals > 0) {
            value = argument.mid(equals + 1);
            argument.truncate(equals);
            hasValue = true;
        }
        if (def->flags.contains(argument) && !hasValue) {
            line.flags.insert(argument);
        } else if (def->valueOptions.contains(argument)) {
            if (!hasValue) {
                if (i + 1 >= arguments.size())
                    return QStringLiteral("%1 needs a value").arg(argument);
                value = arguments.at(++i);
            }
            line.values.insert(argument, value);
            line.lists[argument] << value;
        } else {
            return QStringLiteral("unknown option \"%1\" for %2").arg(arguments.at(i), line.command);
        }
    }
    if (line.values.contains(QStringLiteral("--each"))) {
        if (line.positionals.isEmpty())
            return QStringLiteral("generate --each takes at least one design file");
    } else if (def->more ? line.positionals.size() < def->positionals
                         : line.positionals.size() != def->positionals) {
        return QStringLiteral("%1 takes %2%3 argument(s)")
            .arg(line.command)
            .arg(def->positionals)
            .arg(def->more ? QStringLiteral(" or more") : QString());
    }
    return QString();
}

} // namespace

int runCli(const QStringList &arguments)
{
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h")) ||
        arguments.value(0) == QLatin1String("help")) {
        out(cliHelpText());
        return CliDone;
    }
    if (arguments.value(0) == QLatin1String("update"))
        return commandUpdate(arguments.mid(1));
    CommandLine line;
    const QString error = parseCommandLine(arguments, line);
    if (!error.isEmpty()) {
        errLine(QStringLiteral("tickforge-cli: ") + error);
        errLine(QStringLiteral("Try \"tickforge-cli --help\"."));
        // diff keeps diff(1)'s statuses: 1 means "the designs differ".
        return line.command == QLatin1String("diff") ? 2 : CliUsage;
    }
    if (line.command == QLatin1String("new"))
        return commandNew(line);
    if (line.command == QLatin1String("show"))
        return commandShow(line);
    if (line.command == QLatin1String("check"))
        return commandCheck(line);
    if (line.command == QLatin1String("generate"))
        return commandGenerate(line);
    if (line.command == QLatin1String("render"))
        return commandRender(line);
    if (line.command == QLatin1String("set"))
        return commandSet(line);
    if (line.command == QLatin1String("report"))
        return commandReport(line);
    if (line.command == QLatin1String("diff"))
        return commandDiff(line);

    return commandSolve(line);
}

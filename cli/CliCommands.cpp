#include "CliCommands.h"

#include "CliUpdate.h"
#include "SeriesTable.h"

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
          QStringLiteral("--explain"), QStringLiteral("--usb48")},
         {QStringLiteral("--hext"), QStringLiteral("--sclk"), QStringLiteral("--top")}},
        {"set", 2, {QStringLiteral("--overwrite"), QStringLiteral("--yes")}, {QStringLiteral("-o")}, true},
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

QString cliHelpText()
{
    QStringList series;
    for (const SeriesParams &row : SeriesTable::all())
        series.append(row.seriesName());
    return QStringLiteral(
               "Usage: tickforge-cli COMMAND [ARGUMENTS]\n"
               "   or: tickforge-cli --help | --version\n"
               "\n"
               "The program's clock designs without a window: every command drives the same\n"
               "design document, checks and generator as the program, with its English texts.\n"
               "\n"
               "Commands:\n"
               "  new SERIES [-o FILE [--overwrite]]\n"
               "      The factory design of SERIES, exactly as Save writes it right after New,\n"
               "      to FILE or to standard output. An existing FILE is kept unless --overwrite\n"
               "      is given.\n"
               "  show FILE [--json]\n"
               "      Opens FILE as Open does and prints every clock-record field in field order,\n"
               "      as \"name value\" lines or, with --json, as one object (plus \"series\" and\n"
               "      \"findings\", as check --json gives them).\n"
               "  show FILE --controls [--json]\n"
               "      Opens FILE as Open does and prints every control and value of its tree as\n"
               "      a fresh window shows it, in the order they lie over the drawing, one line\n"
               "      each: name, role (combo, radio, entry, label, button), text (a choice: its\n"
               "      item; radios without a caption: the stored value), colour (in limit, over\n"
               "      limit, gray, pending, refused, in use, plain), enabled or disabled, shown\n"
               "      or hidden, separated by tabs. With --json: {\"series\", \"controls\": [...]},\n"
               "      one object per control with its caption, items and which can be chosen,\n"
               "      tooltip and accessible value too.\n"
               "  check FILE [--json]\n"
               "      Opens FILE and runs the checks before saving and generating: the inputs,\n"
               "      then the series' limits on the recomputed tree. Prints \"error: TEXT\" for\n"
               "      a refusal and \"warning: TEXT\" for a warning, a value the file held that\n"
               "      was read differently included (\"pllms \"16\" read as 1\"). With --json:\n"
               "      {\"series\", \"status\", \"findings\": [{\"severity\", \"kind\", \"text\",\n"
               "      \"field\", \"value\", \"allowed\"}]}, kind being input, limit or load.\n"
               "  generate FILE DIR [--force] [--overwrite] [--check] [--guard]\n"
               "  generate --each OUTROOT FILE... [--force] [--overwrite] [--check] [--guard]\n"
               "      Opens and checks FILE, creates DIR/inc and DIR/src and writes the four\n"
               "      source files, printing their names relative to DIR. A refusal writes\n"
               "      nothing; a warning stops the command unless --force is given (--force\n"
               "      never adjusts a value). Nothing is written when one of the four files\n"
               "      exists, unless --overwrite is given. The four files are written all or\n"
               "      none: a failure leaves the folder as it was. An empty DIR, or one that is\n"
               "      not a folder, is a usage error.\n"
               "      --check writes nothing: it renders the four files as generate would\n"
               "      (same checks, same statuses) and compares them with those in DIR, line\n"
               "      ends aside (every other byte counts). Exit 0 when all are identical, 7\n"
               "      when one differs or is\n"
               "      missing; each such file is named, followed by a short unified diff.\n"
               "      --guard adds to the clock source a compile-time check that stops the\n"
               "      firmware build when HEXT_VALUE is not the design's crystal (only when\n"
               "      the tree uses HEXT); with --check, the guarded files are compared.\n"
               "      --each generates every FILE in one run, into OUTROOT/NAME where NAME is\n"
               "      the file's name without its suffix, and prints \"FILE: STATUS WORD\" for\n"
               "      each; the exit status is the most severe (1, 5, 2, 4, 7, 3, 0 in this\n"
               "      order: a refusal outranks a warning). Two FILEs of the same NAME are a\n"
               "      usage error before anything is written.\n"
               "  render FILE OUT.png|OUT.pdf [--overwrite]\n"
               "      Runs tickforge-render, the one program that paints, which the desktop\n"
               "      package \"tickforge\" installs (found beside tickforge-cli, else on PATH;\n"
               "      without it: exit 1). It opens FILE as Open does and writes its clock tree\n"
               "      as the program shows it\n"
               "      (drawing, controls and values, lists folded in) at the drawing's full size,\n"
               "      as Project > Export drawing does: a PNG image or a one-page PDF. Prints OUT.\n"
               "      An existing OUT is kept unless --overwrite is given.\n"
               "  set FILE NAME=VALUE... [-o OUT] [--overwrite] [--yes]\n"
               "      Opens FILE as Open does, applies the edits in the order given, each as the\n"
               "      window applies that control (its corrections, questions, USB retune and\n"
               "      recompute), and saves through the checks before saving. NAME is a\n"
               "      control's design-file element (ahbdiv, pllms, tousbswitch, ...) or hext or\n"
               "      sclk for the two entries; VALUE is what a user types into an entry, or the\n"
               "      value the design file stores for a choice. Prints each edit's messages and\n"
               "      questions (\"NAME=VALUE: question: TEXT -> Cancel\") and the fields that\n"
               "      changed, then \"saved OUT\". Questions are answered \"Cancel\" unless --yes\n"
               "      is given. A refused or cancelled edit writes nothing (exit 2); a warning of\n"
               "      the checks answered \"Cancel\" too (exit 3). OUT defaults to FILE; another\n"
               "      OUT that exists is kept unless --overwrite is given. An unknown NAME, or a\n"
               "      VALUE that is no option of the choice, is a usage error listing what is\n"
               "      allowed.\n"
               "  solve SERIES --hext MHZ --sclk MHZ [--hick] [--normal] [--json]\n"
               "        [--explain [--top N]] [--usb48]\n"
               "      The PLL the program chooses when the system clock MHZ is typed with the PLL\n"
               "      fed by HEXT (or HICK with --hick): flexible factors where the series has\n"
               "      them (the multiplier with --normal on mode-selectable series), else the\n"
               "      multiplier, never above the series' limit. Prints the factors (pllMs, pllNs,\n"
               "      pllFr, or pllMult), pllMHz, sclkMHz, usbDiv (the divider chosen for a USB\n"
               "      clock fed by the PLL) and, for flexible factors, CRM_PLLCFG.\n"
               "      --explain [--top N] adds the N best factor sets (default 5), the chosen one\n"
               "      first (marked \"*\"), the others by their error to MHZ and then in the\n"
               "      search's own order: factors, SCLK, the error in kHz and ppm, the PLL\n"
               "      reference and oscillator, the USB divider and clock they would give; then\n"
               "      a \"chosen:\" line saying why it won. With --json: \"candidates\" and \"reason\".\n"
               "      --usb48 takes, among the factor sets that give USB exactly 48 MHz through\n"
               "      one of the series' USB dividers in a design that check accepts as it is,\n"
               "      the one nearest MHZ (ties as the search breaks them) and prints usbMHz\n"
               "      too; exit 8 when there is none. A usage error on series without USB.\n"
               "  update [--base URL] [--download DIR] [--sha256 HEX] [--overwrite]\n"
               "      Reads the update list (at URL, else the program's own address) and prints\n"
               "      its version, the program's, and whether it is newer. With --download, a\n"
               "      newer package is saved into DIR (replacing a file of its name only with\n"
               "      --overwrite; with --sha256 it must have that checksum). A certificate\n"
               "      error is a failure: nothing is asked.\n"
               "\n"
               "Message boxes raised while a file is opened are printed to standard error as\n"
               "\"Title: text\"; questions asked then are answered \"Cancel\", so a value the\n"
               "program would ask to adjust stays as the file has it and is refused.\n"
               "\n"
               "Series: %1\n"
               "\n"
               "Exit status:\n"
               "  0  done\n"
               "  1  usage error or bad value, unreadable or unsupported file\n"
               "  2  refused: a limit check or invalid design content (nothing written)\n"
               "  3  stopped at a warning, a value read differently from the file included\n"
               "     (a refusal outranks a warning)\n"
               "  4  an output file exists (--overwrite replaces it)\n"
               "  5  generation or rendering failed\n"
               "  6  update failed: network, TLS, HTTP status, size, unreadable list or signature\n"
               "  7  generate --check: a generated file differs from the design or is missing\n"
               "  8  solve --usb48: no factor set meets the constraint\n"
               "  10 update: a newer version exists (without --download)\n")
        .arg(series.join(QStringLiteral(", ")));
}

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
        return CliUsage;
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

    return commandSolve(line);
}

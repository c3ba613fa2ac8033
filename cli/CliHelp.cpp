#include "CliHelp.h"

#include "SeriesTable.h"

#include <QStringList>

const QVector<CliCommandHelp> &cliCommandHelp()
{
    static const QVector<CliCommandHelp> commands = {
        {"new SERIES [-o FILE [--overwrite]]",
         QT_TRANSLATE_NOOP("CliHelp",
                           "The factory design of SERIES, exactly as Save writes it right after New,\n"
                           "to FILE or to standard output. An existing FILE is kept unless --overwrite\n"
                           "is given.")},
        {"show FILE [--json]",
         QT_TRANSLATE_NOOP("CliHelp",
                           "Opens FILE as Open does and prints every clock-record field in field order,\n"
                           "as \"name value\" lines or, with --json, as one object (plus \"series\" and\n"
                           "\"findings\", as check --json gives them).")},
        {"show FILE --controls [--json]",
         QT_TRANSLATE_NOOP("CliHelp",
                           "Opens FILE as Open does and prints every control and value of its tree as\n"
                           "a fresh window shows it, in the order they lie over the drawing, one line\n"
                           "each: name, role (combo, radio, entry, label, button), text (a choice: its\n"
                           "item; radios without a caption: the stored value), colour (in limit, over\n"
                           "limit, gray, pending, refused, in use, plain), enabled or disabled, shown\n"
                           "or hidden, separated by tabs. With --json: {\"series\", \"controls\": [...]},\n"
                           "one object per control with its caption, items and which can be chosen,\n"
                           "tooltip and accessible value too.")},
        {"check FILE [--json]",
         QT_TRANSLATE_NOOP("CliHelp",
                           "Opens FILE and runs the checks before saving and generating: the inputs,\n"
                           "then the series' limits on the recomputed tree. Prints \"error: TEXT\" for\n"
                           "a refusal and \"warning: TEXT\" for a warning, a value the file held that\n"
                           "was read differently included (\"pllms \"16\" read as 1\"). With --json:\n"
                           "{\"series\", \"status\", \"findings\": [{\"severity\", \"kind\", \"text\",\n"
                           "\"field\", \"value\", \"allowed\"}]}, kind being input, limit or load.")},
        {"generate FILE DIR [--force] [--overwrite] [--check] [--guard]\ngenerate --each OUTROOT FILE... "
         "[--force] [--overwrite] [--check] [--guard]",
         QT_TRANSLATE_NOOP("CliHelp",
                           "Opens and checks FILE, creates DIR/inc and DIR/src and writes the four\n"
                           "source files, printing their names relative to DIR. A refusal writes\n"
                           "nothing; a warning stops the command unless --force is given (--force\n"
                           "never adjusts a value). Nothing is written when one of the four files\n"
                           "exists, unless --overwrite is given. The four files are written all or\n"
                           "none: a failure leaves the folder as it was. An empty DIR, or one that is\n"
                           "not a folder, is a usage error.\n"
                           "--check writes nothing: it renders the four files as generate would\n"
                           "(same checks, same statuses) and compares them with those in DIR, line\n"
                           "ends aside (every other byte counts). Exit 0 when all are identical, 7\n"
                           "when one differs or is missing; each such file is named, followed by a\n"
                           "short unified diff.\n"
                           "--guard adds to the clock source a compile-time check that stops the\n"
                           "firmware build when HEXT_VALUE is not the design's crystal (only when\n"
                           "the tree uses HEXT); with --check, the guarded files are compared.\n"
                           "--each generates every FILE in one run, into OUTROOT/NAME where NAME is\n"
                           "the file's name without its suffix, and prints \"FILE: STATUS WORD\" for\n"
                           "each; the exit status is the most severe (1, 5, 2, 4, 7, 3, 0 in this\n"
                           "order: a refusal outranks a warning). Two FILEs of the same NAME are a\n"
                           "usage error before anything is written.")},
        {"render FILE OUT.png|OUT.pdf [--overwrite]",
         QT_TRANSLATE_NOOP("CliHelp",
                           "Runs tickforge-render, the one program that paints, which the desktop\n"
                           "package \"tickforge\" installs (found beside tickforge-cli, else on PATH;\n"
                           "without it: exit 1). It opens FILE as Open does and writes its clock tree\n"
                           "as the program shows it (drawing, controls and values, lists folded in) at\n"
                           "the drawing's full size, as Project > Export drawing does: a PNG image or a\n"
                           "one-page vector PDF (lines, shapes and searchable texts). Prints OUT. An\n"
                           "existing OUT is kept unless --overwrite is given.")},
        {"render FILE OUT.svg [--overwrite]",
         QT_TRANSLATE_NOOP("CliHelp",
                           "The drawing as an SVG document of lines, shapes and texts, written by\n"
                           "tickforge-cli itself (no GUI libraries needed).")},
        {"set FILE NAME=VALUE... [-o OUT] [--overwrite] [--yes]",
         QT_TRANSLATE_NOOP("CliHelp",
                           "Opens FILE as Open does, applies the edits in the order given, each as the\n"
                           "window applies that control (its corrections, questions, USB retune and\n"
                           "recompute), and saves through the checks before saving. NAME is a\n"
                           "control's design-file element (ahbdiv, pllms, tousbswitch, ...) or hext or\n"
                           "sclk for the two entries; VALUE is what a user types into an entry, or the\n"
                           "value the design file stores for a choice. Prints each edit's messages and\n"
                           "questions (\"NAME=VALUE: question: TEXT -> Cancel\") and the fields that\n"
                           "changed, then \"saved OUT\". Questions are answered \"Cancel\" unless --yes\n"
                           "is given. A refused or cancelled edit (a typed value the entry refuses, such\n"
                           "as hext=abc or hext=30, included) writes nothing (exit 2); a warning of\n"
                           "the checks answered \"Cancel\" too (exit 3). OUT defaults to FILE; another\n"
                           "OUT that exists is kept unless --overwrite is given. An unknown NAME, or a\n"
                           "VALUE that is no option of the choice, is a usage error listing what is\n"
                           "allowed.\n"
                           "HEXT is the board's crystal: an edit the window would correct by changing\n"
                           "it (a PLL input off 2..16 MHz) is refused (exit 2), and so is a FILE whose\n"
                           "crystal had to change when it was opened, unless an edit sets hext.")},
        {"solve SERIES --hext MHZ --sclk MHZ [--hick] [--normal] [--json]\n      [--explain [--top N]] "
         "[--usb48]",
         QT_TRANSLATE_NOOP(
             "CliHelp", "The PLL the program chooses when the system clock MHZ is typed with the PLL\n"
                        "fed by HEXT (or HICK with --hick): flexible factors where the series has\n"
                        "them (the multiplier with --normal on mode-selectable series), else the\n"
                        "multiplier, never above the series' limit. Prints the factors (pllMs, pllNs,\n"
                        "pllFr, or pllMult), pllMHz, sclkMHz, usbDiv (the divider chosen for a USB\n"
                        "clock fed by the PLL) and, for flexible factors, CRM_PLLCFG.\n"
                        "--explain [--top N] adds the N best factor sets (default 5), the chosen one\n"
                        "first (marked \"*\"), the others by their error to MHZ and then in the\n"
                        "search's own order: factors, SCLK, the error in kHz and ppm, the PLL\n"
                        "reference and oscillator, the USB divider and clock they would give; then\n"
                        "a \"chosen:\" line saying why it won. With --json: \"candidates\" and \"reason\".\n"
                        "--usb48 takes, among the factor sets that give USB exactly 48 MHz through\n"
                        "one of the series' USB dividers in a design that check accepts as it is,\n"
                        "the one nearest MHZ (ties as the search breaks them) and prints usbMHz\n"
                        "too; exit 8 when there is none. A usage error on series without USB.")},
        {"solve FILE --want CLOCK=MHZ|CLOCK<=MHZ|CLOCK>=MHZ|CLOCK=max ... [--keep CLOCK...]\n      "
         "[--explain [--top N]] [--json] [--apply [-o OUT] [--overwrite]]",
         QT_TRANSLATE_NOOP(
             "CliHelp", "Searches every setting of FILE's series (sources, HEXT divider, PLL mode\n"
                        "and factors or multiplier, AHB, APB, ADC and USB settings, clock-output\n"
                        "sources and dividers; never the crystal, the pins or the RTC) for the\n"
                        "designs that meet every want within the series' limits (USB at exactly\n"
                        "48 MHz while on, ADC within its limit) with every kept clock as it is.\n"
                        "Both options repeat, or take a comma list. Ranking: every want met; each\n"
                        "CLOCK=max as high as it goes, in the order given; fewest settings changed;\n"
                        "smallest total error to the exact wants; then the order the controls offer\n"
                        "their options. Prints the set arguments that make the best design (\"set\n"
                        "(no change)\" when FILE is already it), every clock it runs, exact (a\n"
                        "fraction follows a value that is no short decimal), and how many designs\n"
                        "were searched. --explain adds the N next best (default 5), each with why\n"
                        "it lost. When no design meets every want: exit 2 and \"cannot meet WANT\n"
                        "together with WANT...\" for the smallest such set. --apply saves the\n"
                        "design through set (its edits, its checks before saving) to FILE or OUT.\n"
                        "--json: one object with \"set\", \"changes\", \"clocks\" and \"searched\"\n"
                        "(\"next\" with --explain; \"solved\": false and \"conflict\" when nothing fits).\n"
                        "Clocks: pll, sclk, ahb, apb1, apb1tmr, apb2, apb2tmr, and where the series\n"
                        "has them adc, usb, clkout (QXC330, QXC335: clkout1, clkout2).")},
        {"report FILE [-o OUT.html|OUT.md] [--lang en|zh] [--overwrite]",
         QT_TRANSLATE_NOOP("CliHelp",
                           "A review page of the design FILE for readers without the program: series\n"
                           "and file; every clock of the tree with its value, limit, margin and path\n"
                           "from its source (\"HEXT 8 MHz → PLL /1 ×72 /2 → SCLK 288 MHz\"); every\n"
                           "setting as the file stores it and as the window shows it; the findings of\n"
                           "the checks before saving; the generated files' clock summary; the drawing\n"
                           "(embedded in HTML, written beside OUT.md as OUT.svg). Markdown on standard\n"
                           "output without -o. --lang picks the language of the texts (default en).\n"
                           "Made by tickforge-cli alone, without the GUI libraries.")},
        {"diff A.TFCC B.TFCC [--json]",
         QT_TRANSLATE_NOOP("CliHelp",
                           "What changed from A to B, in tree order: \"setting ELEMENT: OLD → NEW\" for\n"
                           "each stored setting, then \"clock NAME: OLD → NEW (limit L, now over)\"\n"
                           "for each clock whose value changes. As diff(1): exit 0 and no output when\n"
                           "the designs are the same, 1 when they differ, 2 for designs of different\n"
                           "series, a file that cannot be opened or a usage error.")},
        {"update [--base URL] [--download DIR] [--sha256 HEX] [--overwrite]",
         QT_TRANSLATE_NOOP("CliHelp",
                           "Reads the update list (at URL, else the program's own address) and prints\n"
                           "its version, the program's, and whether it is newer. With --download, a\n"
                           "newer package is saved into DIR (a file of its name is replaced only with\n"
                           "the option --overwrite; with --sha256 it must have that checksum). A\n"
                           "certificate error is a failure: nothing is asked. A build without the\n"
                           "maker's key adds the line \"signature: not checked (this build has no key)\".\n"
                           "Stopped by SIGINT or SIGTERM, it removes its temporary files and the partial\n"
                           "package (exit 130 or 143).")},
    };
    return commands;
}

const QVector<CliStatusHelp> &cliStatusHelp()
{
    static const QVector<CliStatusHelp> statuses = {
        {0, QT_TRANSLATE_NOOP("CliHelp", "done")},
        {1, QT_TRANSLATE_NOOP("CliHelp", "usage error or bad value, unreadable or unsupported file")},
        {2, QT_TRANSLATE_NOOP("CliHelp", "refused: a limit check or invalid design content (nothing written);\n"
                                         "solve FILE: no design meets every want")},
        {3, QT_TRANSLATE_NOOP("CliHelp", "stopped at a warning, a value read differently from the file "
                                         "included\n(a refusal outranks a warning)")},
        {4, QT_TRANSLATE_NOOP("CliHelp", "an output file exists (--overwrite replaces it)")},
        {5, QT_TRANSLATE_NOOP("CliHelp", "generation or rendering failed, or update could not save a file (disk full)")},
        {6, QT_TRANSLATE_NOOP(
                "CliHelp", "update failed: network, TLS, HTTP status, size, unreadable list or signature")},
        {7, QT_TRANSLATE_NOOP("CliHelp",
                              "generate --check: a generated file differs from the design or is missing")},
        {8, QT_TRANSLATE_NOOP("CliHelp", "solve --usb48: no factor set meets the constraint")},
        {10, QT_TRANSLATE_NOOP("CliHelp", "update: a newer version exists (without --download)")},
        {130, QT_TRANSLATE_NOOP("CliHelp", "update: stopped by SIGINT (Ctrl+C); nothing of the run is left")},
        {143, QT_TRANSLATE_NOOP("CliHelp", "update: stopped by SIGTERM; nothing of the run is left")},
    };
    return statuses;
}

namespace {

// Lines indented by indent, as the help sets every block.
QString indented(const QString &lines, int indent)
{
    QString text;
    for (const QString &line : lines.split(QLatin1Char('\n')))
        text += QString(indent, QLatin1Char(' ')) + line + QLatin1Char('\n');
    return text;
}

} // namespace

QString cliHelpText()
{
    QString text =
        QStringLiteral("Usage: tickforge-cli COMMAND [ARGUMENTS]\n"
                       "   or: tickforge-cli --help | --version\n"
                       "\n"
                       "The program's clock designs without a window: every command drives the same\n"
                       "design document, checks and generator as the program, with its English texts.\n"
                       "\n"
                       "Commands:\n");
    for (const CliCommandHelp &command : cliCommandHelp())
        text += indented(QString::fromUtf8(command.usage), 2) + indented(QString::fromUtf8(command.text), 6);
    QStringList series;
    for (const SeriesParams &row : SeriesTable::all())
        series.append(row.seriesName());
    text += QStringLiteral("\n"
                           "Message boxes raised while a file is opened are printed to standard error as\n"
                           "\"Title: text\"; questions asked then are answered \"Cancel\", so a value the\n"
                           "program would ask to adjust stays as the file has it and is refused.\n"
                           "\n"
                           "Series: %1\n"
                           "\n"
                           "Exit status:\n")
                .arg(series.join(QStringLiteral(", ")));
    for (const CliStatusHelp &row : cliStatusHelp()) {
        const QString meaning = QString::fromUtf8(row.meaning);
        // "  0  done", "  10 update: ...": the text after the widest short number.
        text += QStringLiteral("  ") + QString::number(row.status).leftJustified(2) + QLatin1Char(' ') +
                meaning.section(QLatin1Char('\n'), 0, 0) + QLatin1Char('\n');
        if (meaning.contains(QLatin1Char('\n')))
            text += indented(meaning.section(QLatin1Char('\n'), 1), 5);
    }
    return text;
}

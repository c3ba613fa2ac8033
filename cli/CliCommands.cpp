#include "CliCommands.h"

#include "CliDialogs.h"
#include "ClockConfig.h"
#include "QXMCUPLL.h"
#include "SeriesFactory.h"
#include "SeriesTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

// ---- output --------------------------------------------------------------

void out(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void outLine(const QString &text)
{
    out(text + QLatin1Char('\n'));
}

void errLine(const QString &text)
{
    const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

// Shortest text that reads back as the same double.
QString numberText(const QVariant &value)
{
    switch (value.type()) {
    case QVariant::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QVariant::Double: {
        const double d = value.toDouble();
        return QString::number(d, 'g', QLocale::FloatingPointShortest);
    }
    default:
        return value.toString();
    }
}

QString jsonValue(const QVariant &value)
{
    switch (value.type()) {
    case QVariant::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QVariant::Double:
        // JSON has no NaN or infinity.
        return std::isfinite(value.toDouble()) ? numberText(value) : QStringLiteral("null");
    case QVariant::String: {
        QString s = value.toString();
        s.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
            .replace(QLatin1Char('"'), QStringLiteral("\\\""));
        return QLatin1Char('"') + s + QLatin1Char('"');
    }
    default:
        return value.toString();
    }
}

using Fields = QVector<QPair<QString, QVariant>>;

void printFields(const Fields &fields, bool json)
{
    if (!json) {
        for (const auto &field : fields)
            outLine(field.first + QLatin1Char(' ') + numberText(field.second));
        return;
    }
    QStringList members;
    for (const auto &field : fields)
        members.append(QStringLiteral("  \"") + field.first + QStringLiteral("\": ") +
                       jsonValue(field.second));
    outLine(QStringLiteral("{\n") + members.join(QStringLiteral(",\n")) + QStringLiteral("\n}"));
}

// ---- command line ----------------------------------------------------------

struct CommandDef {
    const char *name;
    int positionals;
    QStringList flags;
    QStringList valueOptions;
};

const QVector<CommandDef> &commandDefs()
{
    static const QVector<CommandDef> defs = {
        {"new", 1, {}, {QStringLiteral("-o")}},
        {"show", 1, {QStringLiteral("--json")}, {}},
        {"check", 1, {}, {}},
        {"generate", 2, {QStringLiteral("--force"), QStringLiteral("--overwrite")}, {}},
        {"solve",
         1,
         {QStringLiteral("--hick"), QStringLiteral("--normal"), QStringLiteral("--json")},
         {QStringLiteral("--hext"), QStringLiteral("--sclk")}},
    };
    return defs;
}

struct CommandLine {
    QString command;
    QStringList positionals;
    QSet<QString> flags;
    QHash<QString, QString> values;
};

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
    if (line.positionals.size() != def->positionals)
        return QStringLiteral("%1 takes %2 argument(s)").arg(line.command).arg(def->positionals);
    return QString();
}

// ---- driving a series widget ------------------------------------------------

struct OpenDesign {
    std::unique_ptr<QXMCUPLL> widget;
    QString seriesName;
};

QString notSupportedText()
{
    return QCoreApplication::translate("QXPLLConfig", "MCU in file not supported.");
}

// Opens fileName as the program's Open does: the MCU element chooses the
// series widget, whose loadConfig restores the design. Boxes raised while
// loading go to standard error.
int openDesign(const QString &fileName, CliDialogs &dialogs, OpenDesign &design)
{
    const QFileInfo info(fileName);
    if (!info.exists()) {
        errLine(QStringLiteral("%1: no such file").arg(fileName));
        return CliUsage;
    }
    if (!info.isFile() || !info.isReadable()) {
        errLine(QStringLiteral("%1: not a readable file").arg(fileName));
        return CliUsage;
    }
    const QString mcu = QXMCUPLL::readElement(fileName, QStringLiteral("MCU"));
    const SeriesParams *row = nullptr;
    for (const QString &name : SeriesTable::openLookupOrder()) {
        if (mcu == name)
            row = SeriesTable::byName(name);
    }
    if (row)
        design.widget.reset(createSeriesWidget(row->id, nullptr));
    if (!design.widget) {
        errLine(notSupportedText());
        return CliUsage;
    }
    design.seriesName = row->seriesName();
    dialogs.echo = true;
    design.widget->loadConfig(fileName);
    dialogs.echo = false;
    return CliDone;
}

// How a check run ended, judged by the last box it showed.
int checkOutcome(bool passed, const CliDialogs &dialogs, int firstShown)
{
    if (passed)
        return CliDone;
    if (dialogs.shown.size() > firstShown && dialogs.shown.last().icon == QMessageBox::Critical)
        return CliRefused;
    return CliWarning;
}

QString prefixed(const CliDialogs::Shown &box)
{
    return (box.icon == QMessageBox::Critical ? QStringLiteral("error: ") : QStringLiteral("warning: ")) +
           box.text;
}

// The four output files of a series under dir, in writing order.
QStringList outputFiles(const QString &stem)
{
    return {QStringLiteral("src/") + stem + QStringLiteral("_clock.c"),
            QStringLiteral("inc/") + stem + QStringLiteral("_clock.h"), QStringLiteral("src/main.c"),
            QStringLiteral("inc/") + stem + QStringLiteral("_conf.h")};
}

// ---- commands ---------------------------------------------------------------

int commandNew(const CommandLine &line)
{
    const SeriesParams *row = SeriesTable::byName(line.positionals.first());
    if (!row) {
        errLine(QStringLiteral("unknown series \"%1\"").arg(line.positionals.first()));
        return CliUsage;
    }
    std::unique_ptr<QXMCUPLL> widget(createSeriesWidget(row->id, nullptr));
    if (!widget) {
        errLine(QStringLiteral("%1: series not supported by this version").arg(row->seriesName()));
        return CliUsage;
    }
    widget->resetConfig();

    CliDialogs dialogs;
    QTemporaryDir scratch;
    const bool toStdout = !line.values.contains(QStringLiteral("-o"));
    if (toStdout && !scratch.isValid()) {
        errLine(QStringLiteral("cannot create a temporary folder"));
        return CliUsage;
    }
    dialogs.savePath = toStdout ? scratch.filePath(row->seriesName() + QStringLiteral("_Clock.TFCC"))
                                : QFileInfo(line.values.value(QStringLiteral("-o"))).absoluteFilePath();
    const int before = int(dialogs.shown.size());
    widget->saveConfig(row->seriesName());
    if (dialogs.saveRequests == 0) {
        // The checks before saving stopped it.
        for (int i = before; i < dialogs.shown.size(); ++i)
            errLine(prefixed(dialogs.shown.at(i)));
        return checkOutcome(false, dialogs, before);
    }
    if (dialogs.shown.size() == before || dialogs.shown.last().icon != QMessageBox::Information) {
        errLine(dialogs.shown.size() == before ? QStringLiteral("error: nothing was saved")
                                               : prefixed(dialogs.shown.last()));
        return CliUsage;
    }
    if (toStdout) {
        QFile file(dialogs.savePath);
        if (!file.open(QIODevice::ReadOnly)) {
            errLine(QStringLiteral("cannot read back the design"));
            return CliUsage;
        }
        const QByteArray bytes = file.readAll();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    }
    return CliDone;
}

int commandShow(const CommandLine &line)
{
    CliDialogs dialogs;
    OpenDesign design;
    if (const int status = openDesign(line.positionals.first(), dialogs, design))
        return status;
    Fields fields = design.widget->config()->fieldValues();
    const bool json = line.flags.contains(QStringLiteral("--json"));
    if (json)
        fields.prepend({QStringLiteral("series"), design.seriesName});
    printFields(fields, json);
    return CliDone;
}

int commandCheck(const CommandLine &line)
{
    CliDialogs dialogs;
    OpenDesign design;
    if (const int status = openDesign(line.positionals.first(), dialogs, design))
        return status;

    // Warnings are confirmed so that every check gets its turn; each box is
    // reported once even when saving and generating share a check.
    dialogs.answerYes = true;
    const int first = int(dialogs.shown.size());
    int status = checkOutcome(design.widget->checkBeforeSave(), dialogs, first);
    if (status == CliDone) {
        const int second = int(dialogs.shown.size());
        status = checkOutcome(design.widget->checkBeforeGenerate(), dialogs, second);
    }
    QStringList reported;
    bool warned = false;
    for (int i = first; i < dialogs.shown.size(); ++i) {
        const CliDialogs::Shown &box = dialogs.shown.at(i);
        if (box.icon != QMessageBox::Critical && box.icon != QMessageBox::Warning)
            continue;
        const QString text = prefixed(box);
        if (reported.contains(text))
            continue;
        reported.append(text);
        warned = warned || box.icon == QMessageBox::Warning;
        outLine(text);
    }
    if (status == CliDone && warned)
        return CliWarning;
    return status;
}

int commandGenerate(const CommandLine &line)
{
    CliDialogs dialogs;
    OpenDesign design;
    if (const int status = openDesign(line.positionals.first(), dialogs, design))
        return status;

    dialogs.answerYes = line.flags.contains(QStringLiteral("--force"));
    const int first = int(dialogs.shown.size());
    const int status = checkOutcome(design.widget->checkBeforeGenerate(), dialogs, first);
    for (int i = first; i < dialogs.shown.size(); ++i)
        errLine(prefixed(dialogs.shown.at(i)));
    if (status != CliDone)
        return status;

    const QString dir = QFileInfo(line.positionals.at(1)).absoluteFilePath();
    const bool overwrite = line.flags.contains(QStringLiteral("--overwrite"));
    const SeriesParams *row = SeriesTable::byId(design.widget->seriesId());
    if (!overwrite) {
        int existing = 0;
        for (const QString &name : outputFiles(row->templateStem())) {
            if (QFileInfo::exists(QDir(dir).filePath(name))) {
                errLine(QStringLiteral("%1 exists (use --overwrite to replace it)")
                            .arg(QDir(dir).filePath(name)));
                ++existing;
            }
        }
        if (existing)
            return CliExists;
    }

    // The warnings were confirmed above (or there were none).
    dialogs.answerYes = true;
    dialogs.directory = dir;
    dialogs.overwrite = overwrite;
    const int before = int(dialogs.shown.size());
    design.widget->generateCode();
    if (dialogs.directoryRequests == 0 || dialogs.shown.size() == before) {
        errLine(QStringLiteral("error: nothing was generated"));
        return CliGenFailed;
    }
    const CliDialogs::Shown &last = dialogs.shown.last();
    if (last.icon != QMessageBox::Information) {
        errLine(prefixed(last));
        return CliGenFailed;
    }
    // The Information box lists the files after its first line.
    const QStringList lines = last.text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (int i = 1; i < lines.size(); ++i)
        outLine(lines.at(i));
    return CliDone;
}

bool readMHz(const CommandLine &line, const QString &option, double &value)
{
    if (!line.values.contains(option)) {
        errLine(QStringLiteral("solve needs %1 MHZ").arg(option));
        return false;
    }
    bool ok = false;
    value = line.values.value(option).toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        errLine(QStringLiteral("%1: \"%2\" is no number").arg(option, line.values.value(option)));
        return false;
    }
    return true;
}

int commandSolve(const CommandLine &line)
{
    const SeriesParams *row = SeriesTable::byName(line.positionals.first());
    if (!row) {
        errLine(QStringLiteral("unknown series \"%1\"").arg(line.positionals.first()));
        return CliUsage;
    }
    double hext = 0.0;
    double sclk = 0.0;
    if (!readMHz(line, QStringLiteral("--hext"), hext) || !readMHz(line, QStringLiteral("--sclk"), sclk))
        return CliUsage;
    const bool normal = line.flags.contains(QStringLiteral("--normal"));
    if (normal && row->pllKind != PllKind::Selectable) {
        errLine(QStringLiteral("--normal applies only to series with a selectable PLL mode"));
        return CliUsage;
    }
    const bool fromHick = line.flags.contains(QStringLiteral("--hick"));

    // The factory state of the series with the PLL feeding the system clock
    // (and USB, where the series has it), as the program holds it when the
    // user types a system clock.
    ClockConfig config(row->id);
    config.resetDefaults();
    config.hextMHz = hext;
    config.pllSourceHick = fromHick ? 1 : 0;
    config.hextDivEnabled = 0;
    config.pllFlexible =
        row->pllKind == PllKind::Flexible || (row->pllKind == PllKind::Selectable && !normal);
    if (row->factoryPllMult > 0)
        config.pllMult = row->factoryPllMult;
    if (row->factoryPllMs > 0) {
        config.pllMs = row->factoryPllMs;
        config.pllNs = row->factoryPllNs;
        config.pllFr = row->factoryPllFr;
    }
    if (row->hasUsb()) {
        config.usbDisabled = 0;
        config.usbSourceHick48 = 0;
        config.usbDiv = row->factoryUsbDiv;
    }
    config.sclkSource = ClockConfig::SclkPll;

    // The program's entry checks of the two values.
    if (!fromHick && (hext < 4.0 || hext > 25.0)) {
        errLine(QCoreApplication::translate(row->widgetClass, "hext input error!"));
        return CliUsage;
    }
    if (!row->sclkEntryAccepted(sclk)) {
        errLine(QCoreApplication::translate(row->widgetClass, "sclk input error!"));
        return CliUsage;
    }
    config.sclkMHz = sclk;
    config.applyTypedSclk();

    Fields fields = {{QStringLiteral("pllMs"), config.pllMs},   {QStringLiteral("pllNs"), config.pllNs},
                     {QStringLiteral("pllFr"), config.pllFr},   {QStringLiteral("pllMult"), config.pllMult},
                     {QStringLiteral("pllMHz"), config.pllMHz}, {QStringLiteral("sclkMHz"), config.sclkMHz},
                     {QStringLiteral("usbDiv"), config.usbDiv}};
    if (config.pllFlexible)
        fields.append({QStringLiteral("CRM_PLLCFG"), config.pllcfgText()});
    const bool json = line.flags.contains(QStringLiteral("--json"));
    if (json)
        fields.prepend({QStringLiteral("series"), row->seriesName()});
    printFields(fields, json);
    return CliDone;
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
               "series widgets, checks and generator as the program, with its English texts.\n"
               "\n"
               "Commands:\n"
               "  new SERIES [-o FILE]\n"
               "      The factory design of SERIES, exactly as Save writes it right after New,\n"
               "      to FILE or to standard output.\n"
               "  show FILE [--json]\n"
               "      Opens FILE as Open does and prints every clock-record field in field order,\n"
               "      as \"name value\" lines or, with --json, as one object (plus \"series\").\n"
               "  check FILE\n"
               "      Opens FILE and runs the series' checks before saving and generating;\n"
               "      prints \"error: TEXT\" for a refusal and \"warning: TEXT\" for a warning.\n"
               "  generate FILE DIR [--force] [--overwrite]\n"
               "      Opens and checks FILE, creates DIR/inc and DIR/src and writes the four\n"
               "      source files, printing their names relative to DIR. A warning stops the\n"
               "      command unless --force is given. Nothing is written when one of the four\n"
               "      files exists, unless --overwrite is given.\n"
               "  solve SERIES --hext MHZ --sclk MHZ [--hick] [--normal] [--json]\n"
               "      The PLL the program chooses when the system clock MHZ is typed with the PLL\n"
               "      fed by HEXT (or HICK with --hick): flexible factors where the series has\n"
               "      them (the multiplier with --normal on mode-selectable series), else the\n"
               "      multiplier. Prints pllMs, pllNs, pllFr, pllMult, pllMHz, sclkMHz, usbDiv\n"
               "      (the divider chosen for a USB clock fed by the PLL) and, for flexible\n"
               "      factors, CRM_PLLCFG.\n"
               "\n"
               "Message boxes raised while a file is opened are printed to standard error as\n"
               "\"Title: text\"; questions asked then are answered \"Cancel\".\n"
               "\n"
               "Series: %1\n"
               "\n"
               "Exit status:\n"
               "  0  done\n"
               "  1  usage error, unreadable or unsupported input (reason on standard error)\n"
               "  2  refused by a limit check\n"
               "  3  stopped at a warning (check: warnings were found)\n"
               "  4  an output file exists\n"
               "  5  generation failed\n")
        .arg(series.join(QStringLiteral(", ")));
}

int runCli(const QStringList &arguments)
{
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h")) ||
        arguments.value(0) == QLatin1String("help")) {
        out(cliHelpText());
        return CliDone;
    }
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
    return commandSolve(line);
}

#include "CliCommands.h"

#include "CliDialogs.h"
#include "CliUpdate.h"
#include "ClockConfig.h"
#include "DesignFile.h"
#include "DrawingExport.h"
#include "Generator.h"
#include "PllCandidates.h"
#include "QXMCUPLL.h"
#include "SeriesFactory.h"
#include "SeriesTable.h"
#include "TextDiff.h"

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

// extraJson: members written as they are after the fields.
void printFields(const Fields &fields, bool json, const QStringList &extraJson = {})
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
    members << extraJson;
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
        {"check", 1, {QStringLiteral("--json")}, {}},
        {"render", 2, {QStringLiteral("--overwrite")}, {}},
        {"generate",
         2,
         {QStringLiteral("--force"), QStringLiteral("--overwrite"), QStringLiteral("--check"),
          QStringLiteral("--guard")},
         {}},
        {"solve",
         1,
         {QStringLiteral("--hick"), QStringLiteral("--normal"), QStringLiteral("--json"),
          QStringLiteral("--explain"), QStringLiteral("--usb48")},
         {QStringLiteral("--hext"), QStringLiteral("--sclk"), QStringLiteral("--top")}},
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

const char *severityName(const ClockRules::Finding &finding)
{
    return finding.isRefusal() ? "error" : "warning";
}

const char *kindName(ClockRules::Finding::Kind kind)
{
    switch (kind) {
    case ClockRules::Finding::Kind::Input:
        return "input";
    case ClockRules::Finding::Kind::Limit:
        return "limit";
    case ClockRules::Finding::Kind::Load:
        return "load";
    }
    return "";
}

QString findingText(const ClockRules::Finding &finding, const char *context)
{
    return finding.text([context](const char *text) { return QCoreApplication::translate(context, text); });
}

QString findingsJson(const ClockRules::Findings &findings, const char *context)
{
    QStringList items;
    for (const ClockRules::Finding &f : findings) {
        QStringList members{QStringLiteral("\"severity\": ") +
                                jsonValue(QString::fromLatin1(severityName(f))),
                            QStringLiteral("\"kind\": ") + jsonValue(QString::fromLatin1(kindName(f.kind))),
                            QStringLiteral("\"text\": ") + jsonValue(findingText(f, context)),
                            QStringLiteral("\"field\": ") + jsonValue(f.field)};
        if (f.kind != ClockRules::Finding::Kind::Load)
            members << QStringLiteral("\"value\": ") + jsonValue(f.value)
                    << QStringLiteral("\"allowed\": ") + jsonValue(f.allowed);
        items << QStringLiteral("    {") + members.join(QStringLiteral(", ")) + QLatin1Char('}');
    }
    if (items.isEmpty())
        return QStringLiteral("[]");
    return QStringLiteral("[\n") + items.join(QStringLiteral(",\n")) + QStringLiteral("\n  ]");
}

// Refusal outranks warning.
int statusOf(const ClockRules::Findings &findings)
{
    // A refusal outranks every warning, wherever it stands in the list.
    for (const ClockRules::Finding &f : findings) {
        if (f.isRefusal())
            return CliRefused;
    }
    return findings.isEmpty() ? CliDone : CliWarning;
}

QStringList findingLines(const ClockRules::Findings &findings, const char *context)
{
    QStringList lines;
    for (const ClockRules::Finding &f : findings)
        lines << QString::fromLatin1(severityName(f)) + QStringLiteral(": ") + findingText(f, context);
    return lines;
}

QString notSupportedText()
{
    return QCoreApplication::translate("QXPLLConfig", "MCU in file not supported.");
}

// The series a design file names, as the program's Open finds it; nullptr
// (with the reason in report) when the file cannot be opened as a design.
const SeriesParams *seriesOfFile(const QString &fileName, CliReport &report)
{
    const QFileInfo info(fileName);
    if (!info.exists()) {
        report.err << QStringLiteral("%1: no such file").arg(fileName);
        return nullptr;
    }
    if (!info.isFile() || !info.isReadable()) {
        report.err << QStringLiteral("%1: not a readable file").arg(fileName);
        return nullptr;
    }
    const QString mcu = QXMCUPLL::readElement(fileName, QStringLiteral("MCU"));
    const SeriesParams *row = nullptr;
    for (const QString &name : SeriesTable::openLookupOrder()) {
        if (mcu == name)
            row = SeriesTable::byName(name);
    }
    if (!row)
        report.err << notSupportedText();
    return row;
}

struct OpenDesign {
    std::unique_ptr<QXMCUPLL> widget;
    const SeriesParams *series = nullptr;
    ClockRules::Findings findings; // what opening changed, then the checks
};

// Opens fileName as Open does: the MCU element chooses the series widget,
// whose loadConfig restores the design. Boxes raised while loading are
// reported on standard error; their questions are answered "Cancel".
int openDesign(const QString &fileName, CliDialogs &dialogs, OpenDesign &design, CliReport &report)
{
    design.series = seriesOfFile(fileName, report);
    if (design.series)
        design.widget.reset(createSeriesWidget(design.series->id, nullptr));
    if (!design.widget) {
        if (design.series)
            report.err << notSupportedText();
        return CliUsage;
    }
    design.findings = CliTool::openInto(*design.widget, fileName, dialogs, report);
    return CliDone;
}

// The four output files of a series under dir.
QStringList existingOutputs(const QString &dir, const QString &stem)
{
    QStringList found;
    for (const QString &name : Codegen::outputFiles(stem)) {
        if (QFileInfo::exists(QDir(dir).filePath(name)))
            found << QDir(dir).filePath(name);
    }
    return found;
}

// The text of one of Codegen::outputFiles(stem), by its place in that list.
const QString &renderedText(const Codegen::Files &files, int index)
{
    const QString *texts[] = {&files.mainSource, &files.clockSource, &files.clockHeader, &files.confHeader};
    return *texts[index];
}

QString normalisedFile(const QString &path, bool *found)
{
    QFile file(path);
    *found = file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The refusals of the generator's own recomputation, as the program reports them.
int generatorRefusal(const ClockRules::Findings &refusals, CliReport &report)
{
    report.err << findingLines(refusals, ClockRules::kTranslationContext);
    return CliRefused;
}

// generate --check: renders the files exactly as generate writes them and
// compares them with those under dir; nothing is written.
int compareWithFolder(const ClockConfig &config, const SeriesParams &series, const QString &dir,
                      const Codegen::Options &options, CliReport &report)
{
    ClockRules::Findings refusals;
    const ClockConfig record = Codegen::checkedCopy(config, &refusals);
    if (!refusals.isEmpty())
        return generatorRefusal(refusals, report);
    Codegen::Files files;
    QString error;
    if (!Codegen::render(record, series.templateStem(), &files, &error, options)) {
        report.err << QStringLiteral("error: ") + error;
        return CliGenFailed;
    }
    int status = CliDone;
    const QStringList names = Codegen::outputFiles(series.templateStem());
    for (int i = 0; i < names.size(); ++i) {
        bool found = false;
        const QString current = normalisedFile(QDir(dir).filePath(names.at(i)), &found);
        if (!found) {
            report.out << QStringLiteral("%1 is missing").arg(names.at(i));
            status = CliDiffers;
        } else if (current != renderedText(files, i)) {
            report.out << QStringLiteral("%1 differs").arg(names.at(i));
            report.out << TextDiff::unified(current, renderedText(files, i), names.at(i));
            status = CliDiffers;
        }
    }
    return status;
}

// generate --guard: the program's generation (folders, the four files) with
// the crystal check added to the clock source.
int writeGuarded(const ClockConfig &config, const SeriesParams &series, const QString &dir, CliReport &report)
{
    for (const char *folder : {"inc", "src"}) {
        if (!QDir(dir).mkpath(QString::fromLatin1(folder)) ||
            !QFileInfo(QDir(dir).filePath(QString::fromLatin1(folder))).isDir()) {
            report.err << QCoreApplication::translate(ClockRules::kTranslationContext,
                                                      qstrcmp(folder, "inc") == 0
                                                          ? "Creating \"inc\" folder error!"
                                                          : "Creating \"src\" folder error!");
            return CliGenFailed;
        }
    }
    // Existing files were allowed by the caller.
    Codegen::Options options;
    options.hextGuard = true;
    const Codegen::Result result = Codegen::generate(
        config, QDir(dir).filePath(QStringLiteral("inc")), QDir(dir).filePath(QStringLiteral("src")),
        series.templateStem(),
        [](const QString &) {
            return Codegen::ConflictAnswer{true, true};
        },
        options);
    if (result.status == Codegen::Status::Invalid)
        return generatorRefusal(result.findings, report);
    if (!result.done()) {
        report.err << QStringLiteral("error: ") + result.error;
        return CliGenFailed;
    }
    report.out << Codegen::outputFiles(series.templateStem());
    return CliDone;
}

void print(const CliReport &report)
{
    for (const QString &line : report.out)
        outLine(line);
    for (const QString &line : report.err)
        errLine(line);
}

// openDesign with its report printed at once.
int openPrinted(const QString &fileName, CliDialogs &dialogs, OpenDesign &design)
{
    CliReport report;
    const int status = openDesign(fileName, dialogs, design, report);
    print(report);
    return status;
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
    const ActionOutcome outcome = widget->saveConfig(row->seriesName());
    if (!outcome.done()) {
        for (const QString &text : findingLines(outcome.findings, ClockRules::kTranslationContext))
            errLine(text);
        if (!outcome.reason.isEmpty())
            errLine(QStringLiteral("error: ") + outcome.reason);
        return outcome.status == ActionOutcome::Status::Refused ? CliRefused : CliUsage;
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
    const int status = openPrinted(line.positionals.first(), dialogs, design);
    if (status != CliDone)
        return status;
    Fields fields = design.widget->config()->fieldValues();
    if (!line.flags.contains(QStringLiteral("--json"))) {
        printFields(fields, false);
        return CliDone;
    }
    fields.prepend({QStringLiteral("series"), design.series->seriesName()});
    QStringList members;
    for (const auto &field : fields)
        members << QStringLiteral("  \"") + field.first + QStringLiteral("\": ") + jsonValue(field.second);
    members << QStringLiteral("  \"findings\": ") +
                   findingsJson(design.findings, ClockRules::kTranslationContext);
    outLine(QStringLiteral("{\n") + members.join(QStringLiteral(",\n")) + QStringLiteral("\n}"));
    return CliDone;
}

int commandCheck(const CommandLine &line)
{
    CliDialogs dialogs;
    OpenDesign design;
    const int opened = openPrinted(line.positionals.first(), dialogs, design);
    if (opened != CliDone)
        return opened;
    const int status = statusOf(design.findings);
    const char *context = ClockRules::kTranslationContext;
    if (line.flags.contains(QStringLiteral("--json"))) {
        outLine(QStringLiteral("{\n  \"series\": %1,\n  \"status\": %2,\n  \"findings\": %3\n}")
                    .arg(jsonValue(design.series->seriesName()))
                    .arg(status)
                    .arg(findingsJson(design.findings, context)));
    } else {
        for (const QString &text : findingLines(design.findings, context))
            outLine(text);
    }
    return status;
}

// The drawing of a design as the program's Export drawing writes it.
int commandRender(const CommandLine &line)
{
    const QString target = line.positionals.at(1);
    if (!DrawingExport::supportedFile(target)) {
        errLine(QStringLiteral("tickforge-cli: render writes a .png or .pdf file: ") + target);
        return CliUsage;
    }
    if (QFileInfo::exists(target) && !line.flags.contains(QStringLiteral("--overwrite"))) {
        errLine(QStringLiteral("exists: ") + target);
        return CliExists;
    }
    CliDialogs dialogs;
    OpenDesign design;
    const int status = openPrinted(line.positionals.first(), dialogs, design);
    if (status != CliDone)
        return status;
    QString reason;
    if (!DrawingExport::exportDrawing(*design.widget, target, &reason)) {
        errLine(QStringLiteral("render failed: ") + reason);
        return CliGenFailed;
    }
    outLine(target);
    return CliDone;
}

int commandGenerate(const CommandLine &line)
{
    CliReport report;
    const SeriesParams *series = seriesOfFile(line.positionals.first(), report);
    std::unique_ptr<QXMCUPLL> widget(series ? createSeriesWidget(series->id, nullptr) : nullptr);
    if (series && !widget)
        report.err << notSupportedText();
    if (!widget) {
        print(report);
        return CliUsage;
    }
    CliTool::GenerateOptions options;
    options.force = line.flags.contains(QStringLiteral("--force"));
    options.overwrite = line.flags.contains(QStringLiteral("--overwrite"));
    options.check = line.flags.contains(QStringLiteral("--check"));
    options.guard = line.flags.contains(QStringLiteral("--guard"));
    const int status =
        CliTool::generateFile(*widget, line.positionals.first(),
                              QFileInfo(line.positionals.at(1)).absoluteFilePath(), options, report);
    print(report);
    return status;
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

// The factory state of the series with the PLL feeding the system clock
// (and USB, where the series has it), as the program holds it when the user
// types a system clock; the entry checks of the two values. Returns the status.
int solveInput(const CommandLine &line, const SeriesParams &row, ClockConfig &config)
{
    double hext = 0.0;
    double sclk = 0.0;
    if (!readMHz(line, QStringLiteral("--hext"), hext) || !readMHz(line, QStringLiteral("--sclk"), sclk))
        return CliUsage;
    const bool normal = line.flags.contains(QStringLiteral("--normal"));
    if (normal && row.pllKind != PllKind::Selectable) {
        errLine(QStringLiteral("--normal applies only to series with a selectable PLL mode"));
        return CliUsage;
    }
    if (line.flags.contains(QStringLiteral("--usb48")) && line.flags.contains(QStringLiteral("--explain"))) {
        // The explanation ranks by nearness alone, which is not how --usb48 chooses.
        errLine(QStringLiteral("--explain and --usb48 cannot be combined"));
        return CliUsage;
    }
    if (line.flags.contains(QStringLiteral("--usb48")) && !row.hasUsb()) {
        errLine(QStringLiteral("--usb48: %1 has no USB clock").arg(row.seriesName()));
        return CliUsage;
    }
    const bool fromHick = line.flags.contains(QStringLiteral("--hick"));
    config = PllCandidates::typedSclkRecord(row, hext, fromHick, normal);

    if (!fromHick && (hext < 4.0 || hext > 25.0)) {
        errLine(QCoreApplication::translate(ClockRules::kTranslationContext, "hext input error!"));
        return CliUsage;
    }
    if (!row.sclkEntryAccepted(sclk)) {
        errLine(QCoreApplication::translate(ClockRules::kTranslationContext, "sclk input error!"));
        return CliUsage;
    }
    config.sclkMHz = sclk;
    return CliDone;
}

QString rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return QString::number(std::round(value * scale) / scale, 'g', QLocale::FloatingPointShortest);
}

Fields candidateFields(const PllCandidates::Candidate &k, const ClockConfig &before, double target,
                       bool chosen)
{
    const SeriesParams &row = *before.params();
    Fields f{{QStringLiteral("chosen"), chosen}};
    if (k.mult > 0)
        f << qMakePair(QStringLiteral("pllMult"), QVariant(k.mult));
    else
        f << qMakePair(QStringLiteral("pllMs"), QVariant(k.ms))
          << qMakePair(QStringLiteral("pllNs"), QVariant(k.ns))
          << qMakePair(QStringLiteral("pllFr"), QVariant(k.fr));
    f << qMakePair(QStringLiteral("sclkMHz"), QVariant(rounded(k.pllMHz, 6).toDouble()))
      << qMakePair(QStringLiteral("errorKHz"), QVariant(rounded(k.errorMHz * 1000.0, 3).toDouble()))
      << qMakePair(QStringLiteral("errorPpm"), QVariant(rounded(k.errorMHz / target * 1e6, 1).toDouble()))
      << qMakePair(QStringLiteral("refMHz"), QVariant(rounded(k.refMHz, 6).toDouble()))
      << qMakePair(QStringLiteral("oscillator"),
                   QVariant(before.pllSourceHick ? QStringLiteral("HICK") : QStringLiteral("HEXT")));
    if (row.hasUsb()) {
        const double div = PllCandidates::usbDividerFor(row, k.pllMHz, before.usbDiv);
        f << qMakePair(QStringLiteral("usbDiv"), QVariant(div))
          << qMakePair(QStringLiteral("usbMHz"), QVariant(rounded(k.pllMHz / div, 6).toDouble()));
    }
    return f;
}

// The explanation after the chosen factors: text lines, or JSON members.
QStringList explanation(const ClockConfig &before, const ClockConfig &chosen, double target, int top,
                        bool json)
{
    const PllCandidates::Explanation e = PllCandidates::explain(before, chosen, target, top);
    const QString reason = e.reason;
    QStringList lines;
    if (!json)
        lines << QStringLiteral("candidates %1 of %2, chosen first, then nearest to %3 MHz")
                     .arg(e.shown.size())
                     .arg(e.total)
                     .arg(numberText(target));
    QStringList items;
    for (int i = 0; i < e.shown.size(); ++i) {
        const Fields f = candidateFields(e.shown.at(i), before, target, i == 0);
        QStringList parts;
        for (int j = 1; j < f.size(); ++j)
            parts << (json ? QString(QLatin1Char('"') + f.at(j).first + QStringLiteral("\": ") +
                                     jsonValue(f.at(j).second))
                           : QString(f.at(j).first + QLatin1Char(' ') + numberText(f.at(j).second)));
        if (json)
            items << QStringLiteral("    {\"chosen\": %1, %2}")
                         .arg(jsonValue(i == 0), parts.join(QStringLiteral(", ")));
        else
            lines << (i == 0 ? QStringLiteral("* ") : QStringLiteral("  ")) + parts.join(QLatin1Char(' '));
    }
    if (json)
        return {QStringLiteral("  \"candidates\": [\n") + items.join(QStringLiteral(",\n")) +
                    QStringLiteral("\n  ]"),
                QStringLiteral("  \"reason\": ") + jsonValue(reason)};
    return lines << QStringLiteral("chosen: ") + reason;
}

int commandSolve(const CommandLine &line)
{
    const SeriesParams *row = SeriesTable::byName(line.positionals.first());
    if (!row) {
        errLine(QStringLiteral("unknown series \"%1\"").arg(line.positionals.first()));
        return CliUsage;
    }
    int top = 5;
    if (line.values.contains(QStringLiteral("--top"))) {
        bool ok = false;
        top = line.values.value(QStringLiteral("--top")).toInt(&ok);
        if (!ok || top < 1) {
            errLine(QStringLiteral("--top: \"%1\" is no positive count").arg(line.values.value("--top")));
            return CliUsage;
        }
    }
    ClockConfig config(row->id);
    const int status = solveInput(line, *row, config);
    if (status != CliDone)
        return status;
    const ClockConfig before = config;
    const double target = config.sclkMHz;

    const bool usb48 = line.flags.contains(QStringLiteral("--usb48"));
    if (usb48) {
        PllCandidates::Candidate found;
        if (!PllCandidates::nearestWithUsb48(before, target, &found, &config)) {
            errLine(
                QStringLiteral("no PLL factors give USB exactly 48 MHz from a %1 MHz PLL input within the "
                               "limits of %2")
                    .arg(numberText(before.pllInputMHz()), row->seriesName()));
            return CliNoSolution;
        }
    } else {
        config.applyTypedSclk();
    }

    Fields fields = PllCandidates::answerFields(config, usb48);
    const bool json = line.flags.contains(QStringLiteral("--json"));
    if (json)
        fields.prepend({QStringLiteral("series"), row->seriesName()});
    const bool explaining = line.flags.contains(QStringLiteral("--explain"));
    const QStringList more = explaining ? explanation(before, config, target, top, json) : QStringList();
    printFields(fields, json, json ? more : QStringList());
    if (!json) {
        for (const QString &text : more)
            outLine(text);
    }
    return CliDone;
}

} // namespace

namespace CliTool {

ClockRules::Findings openInto(QXMCUPLL &widget, const QString &fileName, CliDialogs &dialogs,
                              CliReport &report)
{
    const SeriesParams *series = SeriesTable::byId(widget.seriesId());
    dialogs.answerYes = false; // opening starts from the factory state itself
    dialogs.echo = &report.err;
    widget.loadConfig(fileName);
    dialogs.echo = nullptr;
    ClockRules::Findings findings =
        DesignFile::readDifferences(DesignFile::read(fileName), *widget.config(), series->seriesName());
    findings += widget.verdict().findings;
    return findings;
}

int generateFile(QXMCUPLL &widget, const QString &fileName, const QString &dir,
                 const GenerateOptions &options, CliReport &report)
{
    const SeriesParams *series = SeriesTable::byId(widget.seriesId());
    CliDialogs dialogs;
    const ClockRules::Findings findings = openInto(widget, fileName, dialogs, report);
    const int checked = statusOf(findings);
    report.err << findingLines(findings, ClockRules::kTranslationContext);
    if (checked == CliRefused || (checked == CliWarning && !options.force))
        return checked;
    // What the program's gate hands the generator.
    const ClockConfig gated = ClockRules::judge(*widget.config()).record;
    if (options.check) {
        Codegen::Options render;
        render.hextGuard = options.guard;
        return compareWithFolder(gated, *series, dir, render, report);
    }

    const QStringList existing = existingOutputs(dir, series->templateStem());
    if (!options.overwrite && !existing.isEmpty()) {
        for (const QString &path : existing)
            report.err << QStringLiteral("%1 exists (use --overwrite to replace it)").arg(path);
        return CliExists;
    }
    if (options.guard)
        return writeGuarded(gated, *series, dir, report);
    // Only the USB and ADC warnings are asked here, and they were allowed above.
    dialogs.answerYes = true;
    dialogs.directory = dir;
    dialogs.overwrite = options.overwrite;
    const ActionOutcome outcome = widget.generateCode();
    switch (outcome.status) {
    case ActionOutcome::Status::Done:
        report.out << outcome.files;
        return CliDone;
    case ActionOutcome::Status::Refused:
        report.err << findingLines(outcome.findings, ClockRules::kTranslationContext);
        return CliRefused;
    case ActionOutcome::Status::Cancelled:
    case ActionOutcome::Status::Failed:
        break;
    }
    report.err << QStringLiteral("error: ") +
                      (outcome.reason.isEmpty() ? QStringLiteral("nothing was generated") : outcome.reason);
    return CliGenFailed;
}

} // namespace CliTool

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
               "      as \"name value\" lines or, with --json, as one object (plus \"series\" and\n"
               "      \"findings\", as check --json gives them).\n"
               "  check FILE [--json]\n"
               "      Opens FILE and runs the checks before saving and generating: the inputs,\n"
               "      then the series' limits on the recomputed tree. Prints \"error: TEXT\" for\n"
               "      a refusal and \"warning: TEXT\" for a warning, a value the file held that\n"
               "      was read differently included (\"pllms \"16\" read as 1\"). With --json:\n"
               "      {\"series\", \"status\", \"findings\": [{\"severity\", \"kind\", \"text\",\n"
               "      \"field\", \"value\", \"allowed\"}]}, kind being input, limit or load.\n"
               "  generate FILE DIR [--force] [--overwrite] [--check] [--guard]\n"
               "      Opens and checks FILE, creates DIR/inc and DIR/src and writes the four\n"
               "      source files, printing their names relative to DIR. A refusal writes\n"
               "      nothing; a warning stops the command unless --force is given (--force\n"
               "      never adjusts a value). Nothing is written when one of the four files\n"
               "      exists, unless --overwrite is given.\n"
               "      --check writes nothing: it renders the four files as generate would\n"
               "      (same checks, same statuses) and compares them with those in DIR, line\n"
               "      ends aside. Exit 0 when all are identical, 7 when one differs or is\n"
               "      missing; each such file is named, followed by a short unified diff.\n"
               "      --guard adds to the clock source a compile-time check that stops the\n"
               "      firmware build when HEXT_VALUE is not the design's crystal (only when\n"
               "      the tree uses HEXT); with --check, the guarded files are compared.\n"
               "  render FILE OUT.png|OUT.pdf [--overwrite]\n"
               "      Opens FILE as Open does and writes its clock tree as the program shows it\n"
               "      (drawing, controls and values, lists folded in) at the drawing's full size,\n"
               "      as Project > Export drawing does: a PNG image or a one-page PDF. Prints OUT.\n"
               "      An existing OUT is kept unless --overwrite is given.\n"
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
               "  4  an output file exists\n"
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
    return commandSolve(line);
}

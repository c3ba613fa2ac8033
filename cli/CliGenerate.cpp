#include "CliCommands.h"
#include "CliDesign.h"

#include "ClockConfig.h"
#include "Generator.h"
#include "SeriesTable.h"
#include "TextDiff.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// generate: the four source files of a design, their comparison with a
// folder (--check), the crystal guard (--guard) and many designs at once (--each).

using namespace CliOut;

namespace {

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

// The bytes of a file with CR LF line ends made LF; every other byte counts
// (a NUL or a byte-order mark is a difference).
QByteArray normalisedFile(const QString &path, bool *found)
{
    QFile file(path);
    *found = file.open(QIODevice::ReadOnly);
    return file.readAll().replace("\r\n", "\n");
}

// The refusals of the generator's own recomputation, as the program reports them.
int generatorRefusal(const ClockRules::Findings &refusals, CliReport &report)
{
    report.err << findingLines(refusals);
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
        const QByteArray current = normalisedFile(QDir(dir).filePath(names.at(i)), &found);
        if (!found) {
            report.out << QStringLiteral("%1 is missing").arg(names.at(i));
            status = CliDiffers;
        } else if (current != renderedText(files, i).toUtf8()) {
            report.out << QStringLiteral("%1 differs").arg(names.at(i));
            report.out << TextDiff::unified(QString::fromUtf8(current.constData(), current.size()),
                                            renderedText(files, i), names.at(i));
            status = CliDiffers;
        }
    }
    return status;
}

// The program's generation after its gate: the folders, then the four files
// (all or none), with the crystal check added under --guard. Existing files
// were allowed by the caller.
int writeFiles(const ClockConfig &config, const SeriesParams &series, const QString &dir, bool guard,
               CliReport &report)
{
    Codegen::Options options;
    options.hextGuard = guard;
    const Codegen::Result result = Codegen::generateProject(
        config, dir, series.templateStem(),
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

// The output folder of generate: refused when empty or not a folder.
bool usableFolder(const QString &dir)
{
    if (dir.isEmpty()) {
        errLine(QStringLiteral("tickforge-cli: the output folder is empty"));
        return false;
    }
    const QFileInfo info(dir);
    if (info.exists() && !info.isDir()) {
        errLine(QStringLiteral("tickforge-cli: %1 is not a folder").arg(dir));
        return false;
    }
    return true;
}

CliTool::GenerateOptions generateOptions(const CommandLine &line)
{
    CliTool::GenerateOptions options;
    options.force = line.flags.contains(QStringLiteral("--force"));
    options.overwrite = line.flags.contains(QStringLiteral("--overwrite"));
    options.check = line.flags.contains(QStringLiteral("--check"));
    options.guard = line.flags.contains(QStringLiteral("--guard"));
    return options;
}

// generate --each OUTROOT FILE...: each design into OUTROOT/<its base name>/,
// one status line each; the most severe status is the command's.
int generateEach(const CommandLine &line)
{
    const QString root = line.values.value(QStringLiteral("--each"));
    if (!usableFolder(root))
        return CliUsage;
    QHash<QString, QString> byName;
    for (const QString &fileName : line.positionals) {
        const QString name = QFileInfo(fileName).completeBaseName();
        if (name.isEmpty() || name == QLatin1String("..")) {
            errLine(QStringLiteral("tickforge-cli: %1 has no base name to name its folder").arg(fileName));
            return CliUsage;
        }
        if (byName.contains(name)) {
            errLine(QStringLiteral("tickforge-cli: %1 and %2 would both go to %3")
                        .arg(byName.value(name), fileName, QDir(root).filePath(name)));
            return CliUsage;
        }
        byName.insert(name, fileName);
    }
    const CliTool::GenerateOptions options = generateOptions(line);
    int worst = CliDone;
    for (const QString &fileName : line.positionals) {
        CliReport report;
        const QString dir =
            QFileInfo(QDir(root).filePath(QFileInfo(fileName).completeBaseName())).absoluteFilePath();
        const int status = CliTool::generatePath(fileName, dir, options, report);
        for (const QString &text : report.err)
            errLine(fileName + QStringLiteral(": ") + text);
        outLine(QStringLiteral("%1: %2 %3").arg(fileName).arg(status).arg(statusWord(status)));
        worst = severer(worst, status);
    }
    return worst;
}

} // namespace

int commandGenerate(const CommandLine &line)
{
    if (line.values.contains(QStringLiteral("--each")))
        return generateEach(line);
    if (!usableFolder(line.positionals.at(1)))
        return CliUsage;
    CliReport report;
    const int status =
        CliTool::generatePath(line.positionals.first(), QFileInfo(line.positionals.at(1)).absoluteFilePath(),
                              generateOptions(line), report);
    print(report);
    return status;
}

namespace CliTool {

int generatePath(const QString &fileName, const QString &dir, const GenerateOptions &options,
                 CliReport &report)
{
    const SeriesParams *series = seriesOfFile(fileName, report);
    if (!series)
        return CliUsage;
    DesignDocument document(series->id);
    return generateFile(document, fileName, dir, options, report);
}

int generateFile(DesignDocument &document, const QString &fileName, const QString &dir,
                 const GenerateOptions &options, CliReport &report)
{
    const SeriesParams &series = document.series();
    CliPrompter prompter;
    const ClockRules::Findings findings = openInto(document, fileName, prompter, report);
    const int checked = statusOf(findings);
    report.err << findingLines(findings);
    if (checked == CliRefused || (checked == CliWarning && !options.force))
        return checked;
    if (options.check) {
        // What the program's gate hands the generator.
        Codegen::Options render;
        render.hextGuard = options.guard;
        return compareWithFolder(ClockRules::judge(document.record()).record, series, dir, render, report);
    }
    const QStringList existing = existingOutputs(dir, series.templateStem());
    if (!options.overwrite && !existing.isEmpty()) {
        for (const QString &path : existing)
            report.err << QStringLiteral("%1 exists (use --overwrite to replace it)").arg(path);
        return CliExists;
    }
    // Only the USB and ADC warnings are asked here, and they were allowed above.
    prompter.answerYes = true;
    const GateOutcome gate = document.passGate();
    if (!gate.passed()) {
        report.err << findingLines(gate.findings);
        return gate.status == GateOutcome::Status::Refused ? CliRefused : CliWarning;
    }
    return writeFiles(gate.record, series, dir, options.guard, report);
}

} // namespace CliTool

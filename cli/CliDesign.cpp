#include "CliDesign.h"

#include "CliCommands.h"

#include "CliDialogs.h"
#include "ClockConfig.h"
#include "DesignFile.h"
#include "QXMCUPLL.h"
#include "SeriesFactory.h"
#include "SeriesTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

// The design commands: new, show, check, and opening a design file as Open does.

using namespace CliOut;

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


int openPrinted(const QString &fileName, CliDialogs &dialogs, OpenDesign &design)
{
    CliReport report;
    const int status = openDesign(fileName, dialogs, design, report);
    print(report);
    return status;
}


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
    const QString target = line.values.value(QStringLiteral("-o"));
    if (!toStdout && QFileInfo::exists(target) && !line.flags.contains(QStringLiteral("--overwrite"))) {
        errLine(QStringLiteral("%1 exists (use --overwrite to replace it)").arg(target));
        return CliExists;
    }
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

} // namespace CliTool

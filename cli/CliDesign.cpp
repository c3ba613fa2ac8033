#include "CliDesign.h"

#include "CliCommands.h"
#include "ClockConfig.h"
#include "DesignFile.h"
#include "Presentation.h"
#include "SafeSave.h"
#include "SeriesTable.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

// The design commands: new, show, check, and opening a design file as Open does.

using namespace CliOut;

namespace {

// The design file seriesOfFile() read, kept for the openInto() that follows
// it, so that a command parses its file once.
struct ReadAhead {
    QString path;
    DesignFile::Elements elements;
};

ReadAhead &readAhead()
{
    static ReadAhead kept;
    return kept;
}

// The file's elements: those read ahead (taken once), else read now.
DesignFile::Elements readDesignFile(const QString &fileName)
{
    ReadAhead &kept = readAhead();
    if (kept.path.isEmpty() || kept.path != fileName)
        return DesignFile::read(fileName);
    kept.path.clear();
    return std::move(kept.elements);
}

} // namespace

void CliPrompter::showError(const QString &text)
{
    if (echo)
        echo->append(QCoreApplication::translate("QXMCUPLL", "Error") + QStringLiteral(": ") + text);
}

bool CliPrompter::askYes(const QString &text)
{
    if (echo)
        echo->append(QCoreApplication::translate("QXMCUPLL", "Warning") + QStringLiteral(": ") + text);
    return answerYes;
}

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
    ReadAhead &kept = readAhead();
    kept = {fileName, DesignFile::read(fileName)};
    const QString mcu = kept.elements.value(QStringLiteral("MCU"));
    const SeriesParams *row = nullptr;
    for (const QString &name : SeriesTable::openLookupOrder()) {
        if (mcu == name)
            row = SeriesTable::byName(name);
    }
    if (!row)
        report.err << notSupportedText();
    return row;
}

int openDesign(const QString &fileName, CliPrompter &prompter, OpenDesign &design, CliReport &report)
{
    design.series = seriesOfFile(fileName, report);
    if (!design.series)
        return CliUsage;
    design.document = std::make_unique<DesignDocument>(design.series->id);
    design.findings = CliTool::openInto(*design.document, fileName, prompter, report);
    return CliDone;
}

int openPrinted(const QString &fileName, CliPrompter &prompter, OpenDesign &design)
{
    CliReport report;
    const int status = openDesign(fileName, prompter, design, report);
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
    const bool toStdout = !line.values.contains(QStringLiteral("-o"));
    const QString target = line.values.value(QStringLiteral("-o"));
    if (!toStdout && QFileInfo::exists(target) && !line.flags.contains(QStringLiteral("--overwrite"))) {
        errLine(QStringLiteral("%1 exists (use --overwrite to replace it)").arg(target));
        return CliExists;
    }
    DesignDocument document(row->id);
    CliPrompter prompter;
    document.setPrompter(&prompter);
    const GateOutcome gate = document.passGate();
    if (!gate.passed()) {
        for (const QString &text : findingLines(gate.findings))
            errLine(text);
        return gate.status == GateOutcome::Status::Refused ? CliRefused : CliUsage;
    }
    const QByteArray bytes = DesignFile::write(gate.record, row->seriesName());
    if (toStdout)
        return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size())
                   ? CliDone
                   : CliUsage;
    return CliTool::saveDesign(bytes, QFileInfo(target).absoluteFilePath()) ? CliDone : CliUsage;
}

namespace {

// What every control of the design shows, as a fresh window shows it.
int printControls(const DesignDocument &document, bool json)
{
    const QVector<ControlPresentation> controls = TreePresentation::of(document);
    if (!json) {
        for (const ControlPresentation &control : controls)
            outLine(PresentationText::line(control));
        return CliDone;
    }
    QStringList objects;
    for (const ControlPresentation &control : controls)
        objects << QStringLiteral("    ") + PresentationText::json(control);
    outLine(QStringLiteral("{\n  \"series\": %1,\n  \"controls\": [\n%2\n  ]\n}")
                .arg(jsonValue(document.series().seriesName()), objects.join(QStringLiteral(",\n"))));
    return CliDone;
}

} // namespace

int commandShow(const CommandLine &line)
{
    CliPrompter prompter;
    OpenDesign design;
    const int status = openPrinted(line.positionals.first(), prompter, design);
    if (status != CliDone)
        return status;
    if (line.flags.contains(QStringLiteral("--controls")))
        return printControls(*design.document, line.flags.contains(QStringLiteral("--json")));
    Fields fields = design.document->record().fieldValues();
    if (!line.flags.contains(QStringLiteral("--json"))) {
        printFields(fields, false);
        return CliDone;
    }
    fields.prepend({QStringLiteral("series"), design.series->seriesName()});
    printFields(fields, true, {QStringLiteral("  \"findings\": ") + findingsJson(design.findings)});
    return CliDone;
}

int commandCheck(const CommandLine &line)
{
    CliPrompter prompter;
    OpenDesign design;
    const int opened = openPrinted(line.positionals.first(), prompter, design);
    if (opened != CliDone)
        return opened;
    const int status = statusOf(design.findings);
    if (line.flags.contains(QStringLiteral("--json"))) {
        outLine(QStringLiteral("{\n  \"series\": %1,\n  \"status\": %2,\n  \"findings\": %3\n}")
                    .arg(jsonValue(design.series->seriesName()))
                    .arg(status)
                    .arg(findingsJson(design.findings)));
    } else {
        for (const QString &text : findingLines(design.findings))
            outLine(text);
    }
    return status;
}

namespace CliTool {

ClockRules::Findings openInto(DesignDocument &document, const QString &fileName, CliPrompter &prompter,
                              CliReport &report)
{
    const QString seriesName = document.series().seriesName();
    const DesignFile::Elements file = readDesignFile(fileName);
    QHash<QString, QString> elements;
    for (const QString &name : DesignFile::elementNames(seriesName)) {
        if (file.contains(name))
            elements.insert(name, file.value(name));
    }
    prompter.answerYes = false; // opening starts from the factory state itself
    prompter.echo = &report.err;
    document.setPrompter(&prompter);
    document.open(elements); // from the factory state, as Open does
    prompter.echo = nullptr;
    ClockRules::Findings findings = DesignFile::readDifferences(file, document.record(), seriesName);
    findings += document.verdict().findings;
    return findings;
}

bool saveDesign(const QByteArray &bytes, const QString &path)
{
    QString reason;
    if (!bytes.isEmpty() && saveFileSafely(path, bytes, &reason))
        return true;
    errLine(QStringLiteral("error: ") + QCoreApplication::translate("QXMCUPLL", "Save file failed!") +
            QStringLiteral(" (") + (reason.isEmpty() ? path : reason) + QLatin1Char(')'));
    return false;
}

} // namespace CliTool

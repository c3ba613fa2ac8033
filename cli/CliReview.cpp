#include "CliCommands.h"
#include "CliDesign.h"

#include "DesignDiff.h"
#include "DesignReport.h"
#include "ReportExport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTranslator>

// Reviewing designs: report (a page per design) and diff (what changed
// between two, in clocks). Both need nothing beyond QtCore.

using namespace CliOut;

namespace {

// The catalogue of the language asked for, above the English one while it lives.
class LanguageScope {
public:
    bool install(const QString &language)
    {
        if (language == QLatin1String("en"))
            return true;
        if (language != QLatin1String("zh") || !m_translator.load(QStringLiteral(":/image/tr_zh.qm")))
            return false;
        m_installed = QCoreApplication::installTranslator(&m_translator);
        return m_installed;
    }
    ~LanguageScope()
    {
        if (m_installed)
            QCoreApplication::removeTranslator(&m_translator);
    }

private:
    QTranslator m_translator;
    bool m_installed = false;
};

} // namespace

int commandReport(const CommandLine &line)
{
    const QString language = line.values.value(QStringLiteral("--lang"), QStringLiteral("en"));
    LanguageScope scope;
    if (!scope.install(language)) {
        errLine(QStringLiteral("tickforge-cli: --lang takes en or zh, not \"%1\"").arg(language));
        return CliUsage;
    }
    const bool toFile = line.values.contains(QStringLiteral("-o"));
    ReportExport::Request request;
    request.page = line.values.value(QStringLiteral("-o"));
    request.designFile = line.positionals.first();
    request.language = language;
    DesignReport::Format format = DesignReport::Format::Markdown;
    if (toFile && !DesignReport::formatOf(request.page, &format)) {
        errLine(QStringLiteral("tickforge-cli: report writes a .html or .md file: ") + request.page);
        return CliUsage;
    }
    const QString drawing = ReportExport::drawingFile(request.page);
    if (toFile && !line.flags.contains(QStringLiteral("--overwrite"))) {
        for (const QString &path : {request.page, drawing}) {
            if (!path.isEmpty() && QFileInfo::exists(path)) {
                errLine(QStringLiteral("%1 exists (use --overwrite to replace it)").arg(path));
                return CliExists;
            }
        }
    }
    CliPrompter prompter;
    OpenDesign design;
    const int status = openPrinted(request.designFile, prompter, design);
    if (status != CliDone)
        return status;
    request.findings = design.findings;
    if (!toFile) {
        DesignReport::Input input;
        input.fileName = request.designFile;
        input.language = language;
        input.document = design.document.get();
        input.findings = design.findings;
        out(DesignReport::write(input, DesignReport::Format::Markdown));
        return CliDone;
    }
    QString error;
    if (ReportExport::write(*design.document, request, &error) != ReportExport::Outcome::Written) {
        errLine(QStringLiteral("report failed: ") + error);
        return CliGenFailed;
    }
    if (!drawing.isEmpty())
        outLine(drawing);
    outLine(request.page);
    return CliDone;
}

int commandDiff(const CommandLine &line)
{
    // As diff(1): 0 same, 1 different, 2 trouble.
    constexpr int kSame = 0;
    constexpr int kDifferent = 1;
    constexpr int kTrouble = 2;
    CliPrompter prompter;
    OpenDesign before;
    OpenDesign after;
    if (openPrinted(line.positionals.at(0), prompter, before) != CliDone ||
        openPrinted(line.positionals.at(1), prompter, after) != CliDone)
        return kTrouble;
    const QString series = before.series->seriesName();
    if (before.series != after.series) {
        errLine(QStringLiteral("tickforge-cli: %1 is a %2 design, %3 a %4 design: only designs of one series "
                               "compare")
                    .arg(line.positionals.at(0), series, line.positionals.at(1), after.series->seriesName()));
        return kTrouble;
    }
    const DesignDiff::Result result = DesignDiff::compare(before.document->record(), after.document->record(), series);
    if (line.flags.contains(QStringLiteral("--json")))
        out(DesignDiff::json(result, series));
    else
        for (const QString &text : DesignDiff::lines(result))
            outLine(text);
    return result.same() ? kSame : kDifferent;
}

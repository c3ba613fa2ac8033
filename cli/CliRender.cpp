#include "CliCommands.h"
#include "CliDesign.h"
#include "DrawingSvg.h"
#include "SafeSave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

// render: painting needs the GUI libraries, so PNG and PDF come from a program
// of their own, tickforge-render, which the desktop package installs beside
// this one. SVG is written here, from the layout data and the document.

using namespace CliOut;

QString renderProgram()
{
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tickforge-render"));
    const QFileInfo info(beside);
    if (info.isFile() && info.isExecutable())
        return beside;
    return QStandardPaths::findExecutable(QStringLiteral("tickforge-render"));
}

namespace {

int renderSvg(const QString &fileName, const QString &target, bool overwrite)
{
    if (QFileInfo::exists(target) && !overwrite) {
        errLine(QStringLiteral("exists: ") + target);
        return CliExists;
    }
    CliPrompter prompter;
    OpenDesign design;
    const int status = openPrinted(fileName, prompter, design);
    if (status != CliDone)
        return status;
    QString error;
    if (!saveFileSafely(target, DrawingSvg::of(*design.document).toUtf8(), &error)) {
        errLine(QStringLiteral("render failed: ") + error);
        return CliGenFailed;
    }
    outLine(target);
    return CliDone;
}

} // namespace

int commandRender(const CommandLine &line)
{
    if (QFileInfo(line.positionals.at(1)).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0)
        return renderSvg(line.positionals.at(0), line.positionals.at(1), line.flags.contains(QStringLiteral("--overwrite")));
    const QString program = renderProgram();
    if (program.isEmpty()) {
        errLine(QStringLiteral("tickforge-cli: rendering needs the desktop package \"tickforge\" "
                               "(its program tickforge-render was not found)"));
        return CliUsage;
    }
    QStringList arguments = line.positionals;
    if (line.flags.contains(QStringLiteral("--overwrite")))
        arguments << QStringLiteral("--overwrite");
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start(program, arguments);
    if (!process.waitForStarted(-1)) {
        errLine(QStringLiteral("tickforge-cli: cannot start %1: %2").arg(program, process.errorString()));
        return CliGenFailed;
    }
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit) {
        errLine(QStringLiteral("tickforge-cli: %1 crashed").arg(program));
        return CliGenFailed;
    }
    return process.exitCode();
}

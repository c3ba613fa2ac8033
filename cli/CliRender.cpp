#include "CliShared.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

// render: painting needs the GUI libraries, so it lives in its own program,
// tickforge-render, which the desktop package installs beside this one.

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

int commandRender(const CommandLine &line)
{
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

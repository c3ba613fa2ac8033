#include "CommandLine.h"

#include "tf_version.h"

#include <QFileInfo>
#include <QUrl>

namespace {

CommandLineRequest::Action informationAction(const QString &argument)
{
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
        return CommandLineRequest::Action::Help;
    if (argument == QLatin1String("--version") || argument == QLatin1String("-v"))
        return CommandLineRequest::Action::Version;
    return CommandLineRequest::Action::Run;
}

CommandLineRequest failure(const QString &error)
{
    CommandLineRequest request;
    request.action = CommandLineRequest::Action::Fail;
    request.error = error;
    return request;
}

// Some launchers hand over file:// addresses even for %f.
QString localPath(const QString &argument)
{
    const QString path =
        argument.startsWith(QLatin1String("file:")) ? QUrl(argument).toLocalFile() : argument;
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

} // namespace

CommandLineRequest parseCommandLine(const QStringList &arguments)
{
    CommandLineRequest request;
    bool options = true;
    for (const QString &argument : arguments) {
        if (options && argument == QLatin1String("--")) {
            options = false;
            continue;
        }
        if (options && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            const CommandLineRequest::Action action = informationAction(argument);
            if (action == CommandLineRequest::Action::Run)
                return failure(QStringLiteral("unknown option %1").arg(argument));
            CommandLineRequest information;
            information.action = action;
            return information;
        }
        if (!request.designFile.isEmpty())
            return failure(QStringLiteral("only one design file can be opened"));
        request.designFile = localPath(argument);
        if (request.designFile.isEmpty())
            return failure(QStringLiteral("not a local file: %1").arg(argument));
    }
    return request;
}

CommandLineRequest::Action earlyCommandLineAction(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QLatin1String("--"))
            break;
        const CommandLineRequest::Action action = informationAction(argument);
        if (action != CommandLineRequest::Action::Run)
            return action;
    }
    return CommandLineRequest::Action::Run;
}

QString commandLineHelp()
{
    return QStringLiteral("Usage: tickforge [OPTION] [FILE.TFCC]\n"
                          "\n"
                          "Designs the clock tree of a QX microcontroller series over a drawing of it,\n"
                          "saves the design as a .TFCC file and generates C source for the maker's\n"
                          "firmware library.\n"
                          "\n"
                          "With FILE.TFCC the program opens that design at start-up, as Project > Open\n"
                          "does; a file that names no supported series (or cannot be read) is reported\n"
                          "and the program starts without a configuration.\n"
                          "\n"
                          "The interface language follows the system locale: Chinese locales start in\n"
                          "Chinese, all others in English. tickforge-cli does the same work without a\n"
                          "window.\n"
                          "\n"
                          "Options:\n"
                          "  -h, --help     show this help and exit\n"
                          "  -v, --version  show the version and exit\n"
                          "Qt's own options (for example -platform or -style) are accepted as well.\n");
}

QString commandLineVersion()
{
    return QStringLiteral("tickforge " TF_VERSION_TEXT "\n");
}

#include "CliCommands.h"
#include "tf_version.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTranslator>

#include <cstdio>
#include <memory>

namespace {

// Qt's own chatter would mix with the command's output; only real failures
// are passed on.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("TICKFORGE_CLI_DEBUG"))
        qInstallMessageHandler(quietMessages);
    // The update service still builds its transfers on widget classes; every
    // other command runs on a bare QCoreApplication.
    const bool update = argc > 1 && qstrcmp(argv[1], "update") == 0;
    if (update)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app(update ? new QApplication(argc, argv)
                                                 : new QCoreApplication(argc, argv));

    // The program's texts, as its English catalogue shows them.
    QTranslator translator;
    if (translator.load(QStringLiteral(":/image/tr_en.qm")))
        QCoreApplication::installTranslator(&translator);

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments == QStringList{QStringLiteral("--version")})
        return std::fputs("tickforge-cli " TF_VERSION_TEXT "\n", stdout) < 0 ? 1 : 0;
    return runCli(arguments);
}

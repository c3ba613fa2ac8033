#include "CliCommands.h"
#include "tf_version.h"

#include <QCoreApplication>
#include <QTranslator>

#include <cstdio>

namespace {

// The program's English catalogue, read when a text is first translated:
// many commands print none, and reading it (with the locale lookups of the
// resource system) costs every one of them.
class EnglishCatalogue final : public QTranslator {
public:
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        if (!m_read) {
            m_read = true;
            m_catalogue.load(QStringLiteral(":/image/tr_en.qm"));
        }
        return m_catalogue.translate(context, sourceText, disambiguation, n);
    }
    bool isEmpty() const override { return false; }

private:
    mutable QTranslator m_catalogue;
    mutable bool m_read = false;
};

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
    // The generator matches each of its patterns a few times on a few
    // kilobytes: compiling them to machine code costs more than it saves.
    if (!qEnvironmentVariableIsSet("QT_ENABLE_REGEXP_JIT"))
        qputenv("QT_ENABLE_REGEXP_JIT", "0");
    // No command but render needs more than QtCore; render runs a tool of its own.
    QCoreApplication app(argc, argv);

    // The program's texts, as its English catalogue shows them.
    EnglishCatalogue translator;
    QCoreApplication::installTranslator(&translator);

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments == QStringList{QStringLiteral("--version")})
        return std::fputs("tickforge-cli " TF_VERSION_TEXT "\n", stdout) < 0 ? 1 : 0;
    return runCli(arguments);
}

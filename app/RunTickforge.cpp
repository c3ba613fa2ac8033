#include "RunTickforge.h"

#include "CommandLine.h"
#include "FormConfiguration.h"
#include "LanguageCatalogues.h"
#include "RecoveryStore.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <QTranslator>
#include <QtPlugin>

#include <cstdio>

// PNG pictures are read without loading every image-format plugin (PngFormat.cpp).
Q_IMPORT_PLUGIN(PngFormatPlugin)

namespace {

int print(FILE *stream, const QString &text, int status)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    return status;
}

} // namespace

int runTickforge(int &argc, char *argv[], const StartupHooks &hooks)
{
    // --help and --version need no display.
    switch (earlyCommandLineAction(argc, argv)) {
    case CommandLineRequest::Action::Help:
        return print(stdout, commandLineHelp(), 0);
    case CommandLineRequest::Action::Version:
        return print(stdout, commandLineVersion(), 0);
    default:
        break;
    }

    // Must come before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    // Nothing here draws with OpenGL. Without the X platform's GL integration
    // the program starts without loading a GL driver, which costs tens of
    // megabytes and much of the start-up time. A choice of the user's stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");

    QTranslator translator;
    const LanguageChoice choice = chooseLanguage(QLocale());
    const bool loaded = translator.load(choice.catalogue);

    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const CommandLineRequest request = parseCommandLine(arguments);
    if (request.action == CommandLineRequest::Action::Fail)
        return print(stderr, QStringLiteral("tickforge: %1\nTry \"tickforge --help\".\n").arg(request.error),
                     1);

    QApplication::setWindowIcon(QIcon(QStringLiteral(":/image/VelornIcon.ico")));
    if (loaded)
        QApplication::installTranslator(&translator);
    QTranslator qtTranslator;
    applyQtCatalogue(qtTranslator, choice.language);

    FormConfiguration window;
    window.setLanguage(choice.language);
    window.setTranslator(&translator);
    window.setQtTranslator(&qtTranslator);
    window.show();
    // From here on unsaved edits are copied; what a crash left is offered first.
    window.keepRecoveryCopies(RecoveryStore::defaultFolder());
    if (hooks.windowShown)
        hooks.windowShown(window);
    // Once the window is up, so a question or a refusal appears over it.
    QTimer::singleShot(0, &window, [&window, &request, &hooks] {
        window.startUp(request.designFile);
        if (hooks.startedUp)
            hooks.startedUp(window);
    });
    return app.exec();
}

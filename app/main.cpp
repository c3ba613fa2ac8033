#include "FormConfiguration.h"
#include "Startup.h"

#include <QApplication>
#include <QIcon>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // Must come before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);

    QTranslator translator;
    const LanguageChoice choice = chooseLanguage(QLocale());
    const bool loaded = translator.load(choice.catalogue);

    QApplication app(argc, argv);
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
    return app.exec();
}

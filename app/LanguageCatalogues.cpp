#include "LanguageCatalogues.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QString catalogueFor(int language)
{
    return language == 0 ? QStringLiteral(":/image/tr_en.qm") : QStringLiteral(":/image/tr_zh.qm");
}

LanguageChoice chooseLanguage(const QLocale &locale)
{
    // Only the language counts: any Chinese locale, whatever its country or
    // script, starts in Chinese; everything else in English.
    LanguageChoice choice;
    choice.language = locale.language() == QLocale::Chinese ? 1 : 0;
    choice.catalogue = catalogueFor(choice.language);
    return choice;
}

bool applyQtCatalogue(QTranslator &translator, int language)
{
    QCoreApplication::removeTranslator(&translator);
    // Qt's English texts are its source texts: nothing to load.
    if (language == 0 || !translator.load(QStringLiteral("qtbase_zh_CN"),
                                          QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

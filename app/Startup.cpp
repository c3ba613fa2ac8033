#include "Startup.h"

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

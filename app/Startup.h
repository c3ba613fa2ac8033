#pragma once

#include <QLocale>
#include <QString>

// The interface language chosen at start-up from the system locale.
struct LanguageChoice {
    int language = 0;  // 0 English, 1 Chinese
    QString catalogue; // resource path of the translation catalogue
};

LanguageChoice chooseLanguage(const QLocale &locale);

// Resource path of the catalogue of a language (0 English, other Chinese).
QString catalogueFor(int language);

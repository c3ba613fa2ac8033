#pragma once

#include <QLocale>
#include <QString>

class QTranslator;

// The interface language chosen at start-up from the system locale.
struct LanguageChoice {
    int language = 0;  // 0 English, 1 Chinese
    QString catalogue; // resource path of the translation catalogue
};

LanguageChoice chooseLanguage(const QLocale &locale);

// Resource path of the catalogue of a language (0 English, other Chinese).
QString catalogueFor(int language);

// Qt's own catalogue (standard buttons, file dialogs) beside ours: for Chinese
// loads qtbase_zh_CN from Qt's translations folder into the translator and
// installs it; for English removes it. Returns whether it is installed.
bool applyQtCatalogue(QTranslator &translator, int language);

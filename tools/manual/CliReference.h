#pragma once

#include <QString>

// Puts the reference of tickforge-cli into a manual source, from the same
// table its --help is made of, in the language of the installed catalogue
// (option names and usage lines stay as the program takes them):
//     <!-- tickforge-cli commands -->
// becomes each command's usage lines and description;
//     <!-- tickforge-cli exit statuses: Status | Meaning -->
// becomes the table of exit statuses with those column titles.
QString expandCliReference(const QString &source);

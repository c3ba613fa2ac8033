#pragma once

#include <QString>

// Reading the maker's update list and comparing versions.

// Text of the first element named field that stands at or after an element
// whose text is key, within one entry of the section element of the list's
// root. Empty when the file cannot be read or parsed, or nothing matches.
QString readListValue(const QString &fileName, const QString &section, const QString &key,
                      const QString &field);

// "major.minor.patch" with hexadecimal parts packed one byte-sized step per
// part: (major * 256 + minor) * 256 + patch. "3.1" counts as 3.1.1. Anything
// that does not parse gives 0.
int versionNumber(const QString &version);

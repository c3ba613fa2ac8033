#pragma once

#include <QByteArray>
#include <QString>

// Reading the maker's update list and comparing versions.

// The entry of the product key in the section element of the list's root,
// parsed once. Each field is the text of the first element of that name that
// stands at or after the element whose text is key within one entry, without
// surrounding white space; empty when nothing matches.
struct UpdateListEntry {
    bool parsed = false; // the bytes are well-formed XML
    QString version;
    QString url;   // package for the Chinese interface
    QString urlEn; // package for the English interface
    QString sha256;
};
UpdateListEntry readUpdateList(const QByteArray &xml, const QString &section, const QString &key);

// "major.minor.patch" with hexadecimal parts packed one byte-sized step per
// part: (major * 256 + minor) * 256 + patch. "3.1" counts as 3.1.1. Anything
// that does not parse gives 0, and *ok false when ok is given.
int versionNumber(const QString &version, bool *ok = nullptr);

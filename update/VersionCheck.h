#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

// Reading the maker's update list and comparing versions.

// The product's entry in the section element of the list's root. Each field
// is the text of the element of that name that stands at or after the
// element whose text is the product key within the entry, without
// surrounding white space; empty when the entry has none.
//
// The list is read with a streaming reader and never nests deeper than
// MaxListDepth, so no list can exhaust the stack. It must name the product
// in exactly one entry of one section, and that entry must not repeat a
// field: otherwise two entries could lend the version, the address and the
// checksum to each other.
struct UpdateListEntry {
    bool parsed = false; // a well-formed list with one entry for the product
    QString version;
    QString url;     // package for the Chinese interface
    QString urlEn;   // package for the English interface
    QString sha256;  // of the package, hex
    QString expires; // "YYYY-MM-DD": from that day (UTC) on the list is refused
};
constexpr int MaxListDepth = 16;
UpdateListEntry readUpdateList(const QByteArray &xml, const QString &section, const QString &key);

// The list's verdict, from its bytes and its detached signature file (the
// base64 signature of the list's exact bytes). With a key the signature is
// checked before a byte of the list is parsed, and the list must carry the
// package's checksum and an expiry date after today; without a key the
// signature is not looked at. An expiry more than MaxListLifeDays ahead is
// refused with or without a key: a signed list that lives for ever could be
// sent again long after its package was withdrawn.
enum class ListVerdict { Good, Unreadable, BadSignature, Expired, ExpiresTooLate };
constexpr int MaxListLifeDays = 400;
struct CheckedList {
    ListVerdict verdict = ListVerdict::Unreadable;
    UpdateListEntry entry;
};
CheckedList checkUpdateList(const QByteArray &list, const QByteArray &signatureFile,
                            const QByteArray &publicKey, const QDate &today);

// "major.minor.patch" with hexadecimal parts packed one byte-sized step per
// part: (major * 256 + minor) * 256 + patch. "3.1" counts as 3.1.1. Anything
// that does not parse gives 0, and *ok false when ok is given.
int versionNumber(const QString &version, bool *ok = nullptr);

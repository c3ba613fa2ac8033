#pragma once

#include "tf_version.h"

#include <QByteArray>
#include <QDate>
#include <QString>

class DownloadTransfer;

namespace UpdateCheck {

// Where the maker's list lives, how transfers are bounded and what is
// trusted. The defaults come from the build configuration; tests and the
// command-line tool set their own.
struct Settings {
    QString englishBase; // base address ending in "/download/"
    QString chineseBase;
    QString tempRoot;                   // directory in which the list's temporary folder is made
    int inactivityTimeoutMs = 0;        // 0: the downloader's default
    qint64 minimumProgress = 0;         // bytes per inactivity period; 0: the downloader's default
    int listDeadlineMs = 60 * 1000;     // the list and its signature, each
    qint64 listSizeLimit = 1024 * 1024; // the list is small; it is read whole
    qint64 packageSizeLimit = 0;        // 0: the downloader's default
    QByteArray publicKey;               // raw Ed25519 key: set, the list must be signed
    QDate today;                        // for the list's expiry; null: today (UTC)
    bool httpsOnly = false;             // every address must be https
    bool certificatePrompt = true;      // off: a certificate error fails, nobody is asked
    QString expectedSha256;             // the package must match this too (hex)
};

// The program's own addresses and key: https only, and no way past a
// certificate error unless the build allows one for testing.
Settings defaultSettings();

enum class Outcome {
    Busy,            // another check was running; nothing was done
    ListFailed,      // the list could not be downloaded (or the user cancelled)
    ListUnreadable,  // not XML, no version, or a signed list without the package's checksum
    SignatureFailed, // the list's signature is missing or wrong
    ListExpired,     // a signed list past its expiry date: perhaps an old one sent again
    UpToDate,        // the list names no newer version
    Declined,        // the user said no to the question or to the directory
    NotReplaced,     // the package's name exists and was not replaced
    PackageFailed,
    NotSaved, // the list or the package could not be saved whole (a full disk, say)
    Downloaded,
};

struct Result {
    Outcome outcome = Outcome::ListFailed;
    bool signatureChecked = false; // the build has a key, so the list was checked against it
    QString version;               // the list's version, once read
    QString packagePath;           // the saved package
};

// The list file's name on the server; its signature is beside it, with ".sig" added.
inline const char *listFileName()
{
    return "VelornDownloadResource.xml";
}

// The program's own version, packed like versionNumber() packs one, and as text.
constexpr int programVersion = TF_VERSION_PACKED;
inline const char *programVersionText()
{
    return TF_VERSION_TEXT;
}

// "New version download": fetches the maker's list with downloader,
// compares versions, asks through the downloader's prompts, and downloads
// the newer package. language: 0 English, 1 Chinese. Only one check runs at
// a time: a request while one runs returns Busy at once.
Result runCheck(DownloadTransfer &downloader, int language, const Settings &settings);

// Stops the running check as the progress dialog's Cancel would (for a
// signal handler's notifier); its files are removed as on any failure.
void cancelRunningCheck();

// The list's temporary folders are named "tickforge-update-<pid>-XXXXXX" in
// the temporary root. Removes those of ours whose process is gone (a crash
// or a kill), so that each run cleans up after an earlier one.
void removeStaleFolders(const QString &tempRoot);

} // namespace UpdateCheck

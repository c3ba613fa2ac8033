#pragma once

#include "tf_version.h"

#include <QString>

class QWidget;

namespace UpdateCheck {

// Where the maker's list lives and how transfers are bounded. The defaults
// come from the build configuration; tests point them at local servers.
struct Settings {
    QString englishBase; // base address ending in "/download/"
    QString chineseBase;
    QString tempRoot;            // directory in which the list's temporary folder is made
    int inactivityTimeoutMs = 0; // 0: the downloader's default
};

Settings defaultSettings();

enum class Outcome {
    ListFailed, // the list could not be downloaded (or the user cancelled)
    UpToDate,   // the list names no newer version
    Declined,   // the user said no to the question or to the directory
    PackageFailed,
    Downloaded,
};

// The list file's name on the server.
inline const char *listFileName()
{
    return "VelornDownloadResource.xml";
}

// The program's own version, packed like versionNumber() packs one.
constexpr int programVersion = TF_VERSION_PACKED;

// "New version download": fetches the maker's list, compares versions, asks,
// and downloads the newer package. language: 0 English, 1 Chinese.
void checkForNewVersion(QWidget *mainWindow, int language);
Outcome checkForNewVersion(QWidget *mainWindow, int language, const Settings &settings);

} // namespace UpdateCheck

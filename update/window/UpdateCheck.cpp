#include "UpdateCheck.h"

#include "HttpsDownload.h"

namespace UpdateCheck {

void checkForNewVersion(QWidget *mainWindow, int language)
{
    checkForNewVersion(mainWindow, language, defaultSettings());
}

Result checkForNewVersion(QWidget *mainWindow, int language, const Settings &settings)
{
    // The progress dialogs have no parent, as the downloader's always had.
    HttpsDownload downloader(nullptr, mainWindow);
    return runCheck(downloader.transfer(), language, settings);
}

} // namespace UpdateCheck

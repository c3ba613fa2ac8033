#include "UpdateLoader.h"

#include "DialogService.h"
#include "UpdateModuleLoader.h"

#include <QCoreApplication>

namespace UpdateLoader {

namespace {

using Entry = void (*)(QWidget *, int, DialogService *);

} // namespace

QString modulePath(const QString &programDir)
{
    return UpdateModuleLoader::modulePath(programDir, QStringLiteral("tickforge-update.so"),
                                          "TICKFORGE_UPDATE_MODULE");
}

bool checkForNewVersion(QWidget *mainWindow, int language, QString *error)
{
    const auto entry = reinterpret_cast<Entry>(UpdateModuleLoader::entry(
        modulePath(QCoreApplication::applicationDirPath()), "tickforgeCheckForNewVersion", error));
    if (!entry)
        return false;
    entry(mainWindow, language, &DialogService::instance());
    return true;
}

} // namespace UpdateLoader

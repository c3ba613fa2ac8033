#include "UpdateLoader.h"

#include "DialogService.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace UpdateLoader {

namespace {

using Entry = void (*)(QWidget *, int, DialogService *);

} // namespace

QString modulePath(const QString &programDir)
{
    const QString chosen = qEnvironmentVariable("TICKFORGE_UPDATE_MODULE");
    if (!chosen.isEmpty())
        return chosen;
    return QDir::cleanPath(
        QDir(programDir).filePath(QStringLiteral(TF_UPDATE_MODULE_DIR "/tickforge-update.so")));
}

bool checkForNewVersion(QWidget *mainWindow, int language, QString *error)
{
    // Loaded once and kept: its dialogs and transfers may still be unwinding
    // when a check returns.
    static QLibrary module;
    if (!module.isLoaded()) {
        module.setFileName(modulePath(QCoreApplication::applicationDirPath()));
        if (!module.load()) {
            *error = module.errorString();
            return false;
        }
    }
    const auto entry = reinterpret_cast<Entry>(module.resolve("tickforgeCheckForNewVersion"));
    if (!entry) {
        *error = module.errorString();
        module.unload(); // not ours: the next request looks again
        return false;
    }
    entry(mainWindow, language, &DialogService::instance());
    return true;
}

} // namespace UpdateLoader

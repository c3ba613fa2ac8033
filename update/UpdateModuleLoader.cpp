#include "UpdateModuleLoader.h"

#include <QDir>
#include <QLibrary>

namespace UpdateModuleLoader {

QString modulePath(const QString &programDir, const QString &fileName, const char *overrideVariable)
{
    const QString chosen = qEnvironmentVariable(overrideVariable);
    if (!chosen.isEmpty())
        return chosen;
    return QDir::cleanPath(QDir(programDir).filePath(QStringLiteral(TF_UPDATE_MODULE_DIR "/") + fileName));
}

QFunctionPointer entry(const QString &path, const char *entryName, QString *error)
{
    // QLibrary leaves a module loaded when it goes away.
    QLibrary module(path);
    if (!module.load()) {
        *error = module.errorString();
        return nullptr;
    }
    const QFunctionPointer found = module.resolve(entryName);
    if (!found) {
        *error = module.errorString();
        module.unload(); // not ours: the next request looks again
    }
    return found;
}

} // namespace UpdateModuleLoader

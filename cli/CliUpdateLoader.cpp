#include "CliUpdate.h"

#include "UpdateModuleLoader.h"

#include <QCoreApplication>

#include <cstdio>

int commandUpdate(const QStringList &arguments)
{
    using Entry = int (*)(const QStringList *);
    QString error;
    const QString path = UpdateModuleLoader::modulePath(QCoreApplication::applicationDirPath(),
                                                        QStringLiteral("tickforge-cli-update.so"),
                                                        "TICKFORGE_CLI_UPDATE_MODULE");
    const auto entry = reinterpret_cast<Entry>(UpdateModuleLoader::entry(path, "tickforgeCliUpdate", &error));
    if (!entry) {
        std::fprintf(stderr, "tickforge-cli: update: the update module cannot be loaded: %s\n",
                     qPrintable(error));
        return CliUpdateFailed;
    }
    return entry(&arguments);
}

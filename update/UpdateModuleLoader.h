#pragma once

#include <QString>

// The update service lives in modules loaded on first use: the window's
// (tickforge-update.so, with its dialogs) and the command line's
// (tickforge-cli-update.so). The programs themselves start without QtNetwork
// and OpenSSL; most runs never check for a new version. QtCore only.
namespace UpdateModuleLoader {

// Where a module is: the file the environment variable overrideVariable
// names when it is set; otherwise in the library folder beside the
// program's folder, as it is installed (and laid out in the build tree).
QString modulePath(const QString &programDir, const QString &fileName, const char *overrideVariable);

// The entry of the module at path, loading the module first. A loaded
// module stays loaded: what it started may still be unwinding when its
// entry returns. Null, with the reason in *error, when the module cannot
// be loaded or lacks the entry.
QFunctionPointer entry(const QString &path, const char *entryName, QString *error);

} // namespace UpdateModuleLoader

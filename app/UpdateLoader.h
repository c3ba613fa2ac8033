#pragma once

#include <QString>

class QWidget;

// Runs "New version download" from the update module (update/UpdateModule.cpp),
// loading it on first use.
namespace UpdateLoader {

// Where the module is: TICKFORGE_UPDATE_MODULE when set; otherwise in the
// library folder beside the program's folder, as it is installed (and laid
// out in the build tree).
QString modulePath(const QString &programDir);

// False, with the reason in *error, when the module cannot be loaded or lacks
// its entry; the check itself reports its own outcome to the user.
bool checkForNewVersion(QWidget *mainWindow, int language, QString *error);

} // namespace UpdateLoader

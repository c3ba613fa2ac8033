#pragma once

#include "UpdateService.h"

class QWidget;

namespace UpdateCheck {

// The window's "New version download": the check of UpdateService with its
// questions as message boxes over mainWindow and a progress dialog per transfer.
void checkForNewVersion(QWidget *mainWindow, int language);
Result checkForNewVersion(QWidget *mainWindow, int language, const Settings &settings);

} // namespace UpdateCheck

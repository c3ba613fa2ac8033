// The update service as a module of its own. The window loads it the first
// time the user asks for a new version (app/UpdateLoader), so the program
// starts without the network and crypto libraries; they cost memory and
// start-up time in every session, and most sessions never check.
#include "DialogService.h"
#include "UpdateCheck.h"

extern "C" Q_DECL_EXPORT void tickforgeCheckForNewVersion(QWidget *mainWindow, int language,
                                                          DialogService *dialogs)
{
    // The module holds its own copy of the dialog seam: it asks through the
    // program's, so a test's scripted answers reach it too.
    DialogService::setInstance(dialogs);
    UpdateCheck::checkForNewVersion(mainWindow, language);
    DialogService::setInstance(nullptr);
}

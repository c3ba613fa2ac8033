#include "UpdateCheck.h"

namespace UpdateCheck {

void checkForNewVersion(QWidget *mainWindow, int language)
{
    // Filled in with the update service.
    (void)mainWindow;
    (void)language;
}

} // namespace UpdateCheck

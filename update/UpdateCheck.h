#pragma once

class QWidget;

namespace UpdateCheck {

// "New version download": fetches the maker's list, compares versions, asks,
// and downloads the newer package. language: 0 English, 1 Chinese.
void checkForNewVersion(QWidget *mainWindow, int language);

} // namespace UpdateCheck

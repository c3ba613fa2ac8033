#pragma once

#include "CliShared.h"

#include <memory>

class CliDialogs;
class QXMCUPLL;

// The series a design file names, as the program's Open finds it; nullptr
// (with the reason in report) when the file cannot be opened as a design.
const SeriesParams *seriesOfFile(const QString &fileName, CliReport &report);

struct OpenDesign {
    std::unique_ptr<QXMCUPLL> widget;
    const SeriesParams *series = nullptr;
    ClockRules::Findings findings; // what opening changed, then the checks
};

// Opens fileName as Open does: the MCU element chooses the series widget,
// whose loadConfig restores the design. Boxes raised while loading are
// reported on standard error; their questions are answered "Cancel".
int openDesign(const QString &fileName, CliDialogs &dialogs, OpenDesign &design, CliReport &report);
// openDesign with its report printed at once.
int openPrinted(const QString &fileName, CliDialogs &dialogs, OpenDesign &design);

#pragma once

#include "CliOutput.h"
#include "DesignDocument.h"

#include <memory>

// The series a design file names, as the program's Open finds it; nullptr
// (with the reason in report) when the file cannot be opened as a design.
const SeriesParams *seriesOfFile(const QString &fileName, CliReport &report);

// Answers a document's questions as the command line says, nobody being
// there to ask: "Cancel" unless told otherwise. While `echo` is set, every
// box is added to it as "Title: text", as the window would show it.
class CliPrompter final : public DesignPrompter {
public:
    bool answerYes = false;
    QStringList *echo = nullptr;

    void showError(const QString &text) override;
    bool askYes(const QString &text) override;
};

struct OpenDesign {
    std::unique_ptr<DesignDocument> document;
    const SeriesParams *series = nullptr;
    ClockRules::Findings findings; // what opening changed, then the checks
};

// Opens fileName as Open does: the MCU element chooses the series, whose
// document restores the design. Boxes raised while opening are reported on
// standard error; their questions are answered "Cancel".
int openDesign(const QString &fileName, CliPrompter &prompter, OpenDesign &design, CliReport &report);
// openDesign with its report printed at once.
int openPrinted(const QString &fileName, CliPrompter &prompter, OpenDesign &design);

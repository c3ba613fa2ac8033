#pragma once

#include "ClockRules.h"

#include <QString>
#include <QStringList>
#include <functional>

// Turns a clock record into the four C files of a firmware project.
//
// Typical use from a series widget (the GUI supplies the conflict question):
//
//   const Codegen::Result result = Codegen::generate(config, dir + "/inc", dir + "/src", stem,
//       [](const QString &name) {
//           const OverwriteReply r = DialogService::instance().askOverwrite(name);
//           return Codegen::ConflictAnswer{r.replace, r.replaceAll};
//       });
//
// The generator never trusts the derived values it is handed: it recomputes
// a copy of the record from its inputs and refuses one that breaks a rule of
// the chip, so the written constants always agree with each other.
namespace Codegen {

// The answer to "<name> file already exists. Do you want to replace it ?".
struct ConflictAnswer {
    bool replace = false;
    bool replaceAll = false; // replace the remaining files of this run without asking
};
using ConflictHandler = std::function<ConflictAnswer(const QString &fileName)>;

// The four generated texts, line ends as "\n".
struct Files {
    QString clockSource; // src/<stem>_clock.c
    QString clockHeader; // inc/<stem>_clock.h
    QString mainSource;  // src/main.c
    QString confHeader;  // inc/<stem>_conf.h
};

// Optional additions to the generated files; the defaults give the plain output.
struct Options {
    // The clock source fails to compile when the build's HEXT_VALUE is not the
    // design's crystal (only where the tree uses HEXT).
    bool hextGuard = false;
};

// The compile-time crystal check appended to the clock source under
// Options::hextGuard; empty when the tree does not use HEXT.
QString hextGuard(const ClockConfig &config);

enum class Status {
    Done,
    Invalid,     // the recomputed record breaks a rule: `findings` says which; nothing written
    Template,    // a template is missing or does not match; nothing written
    NotReplaced, // an existing file was not to be replaced
    WriteFailed, // writing a file failed
    NoFolder     // inc or src could not be made (a file has its name): `error` says which, translated
};
struct Result {
    Status status = Status::Done;
    QString error;
    ClockRules::Findings findings;

    bool done() const { return status == Status::Done; }
};

// The four output files of a stem relative to the chosen folder, in the order
// the result message lists them.
QStringList outputFiles(const QString &stem);

// The recomputed copy of config that the files are made from; `findings`
// lists the refusals that forbid making any (empty when it may be used).
ClockConfig checkedCopy(const ClockConfig &config, ClockRules::Findings *findings);

// Renders all four files from the templates of stem (":/image/" + stem +
// "_clock.c" and so on). Nothing is written. False, with a reason in *error,
// when a template is missing or one of its required anchors does not match.
// The record is taken as given: callers that write files go through generate().
bool render(const ClockConfig &config, const QString &stem, Files *files, QString *error = nullptr,
            const Options &options = {});

// Checks and recomputes a copy of the record, renders the files from it, then
// writes src/<stem>_clock.c, inc/<stem>_clock.h, src/main.c and
// inc/<stem>_conf.h in this order. An existing file is only replaced after
// askOverwrite agreed (or an earlier answer said "replace all"); every
// question is asked before anything is written, and a refusal ends the run
// with the files before it written. What is written is written all or none:
// a failed write leaves every file as it was. inc and src must exist.
Result generate(const ClockConfig &config, const QString &inc, const QString &src, const QString &stem,
                const ConflictHandler &askOverwrite, const Options &options = {});

// The generation of a project folder, as the window and the command-line tool
// run it: makes dir/inc and dir/src where missing (inc first, stopping at the
// first that fails), then generate()s the four files into them.
Result generateProject(const ClockConfig &config, const QString &dir, const QString &stem,
                       const ConflictHandler &askOverwrite, const Options &options = {});

// The edit sequences on template texts (exposed for tests and tools). Each
// returns false at the first required anchor that does not match; the text is
// then partly edited and must be dropped.
bool editClockSource(QString &text, const ClockConfig &config, QString *failedStep = nullptr);
bool editMainSource(QString &text, const ClockConfig &config, QString *failedStep = nullptr);
bool editConfHeader(QString &text, const ClockConfig &config, QString *failedStep = nullptr);

} // namespace Codegen

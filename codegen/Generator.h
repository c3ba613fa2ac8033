#pragma once

#include <QString>
#include <functional>

class ClockConfig;

// Turns a clock record into the four C files of a firmware project.
//
// Typical use from a series widget (the GUI supplies the conflict question):
//
//   const bool ok = Codegen::generate(config, dir + "/inc", dir + "/src", stem,
//       [](const QString &name) {
//           const OverwriteReply r = DialogService::instance().askOverwrite(name);
//           return Codegen::ConflictAnswer{r.replace, r.replaceAll};
//       });
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

// Renders all four files from the templates of stem (":/image/" + stem +
// "_clock.c" and so on). Nothing is written. False, with a reason in *error,
// when a template is missing or one of its required anchors does not match.
bool render(const ClockConfig &config, const QString &stem, Files *files, QString *error = nullptr);

// Renders the files, then writes src/<stem>_clock.c, inc/<stem>_clock.h,
// src/main.c and inc/<stem>_conf.h in this order. An existing file is only
// replaced after askOverwrite agreed (or an earlier answer said "replace
// all"); a refusal ends the run with false, files written before it stay.
// Every file is written whole or not at all. inc and src must exist.
bool generate(const ClockConfig &config, const QString &inc, const QString &src, const QString &stem,
              const ConflictHandler &askOverwrite, QString *error = nullptr);

// The edit sequences on template texts (exposed for tests and tools). Each
// returns false at the first required anchor that does not match; the text is
// then partly edited and must be dropped.
bool editClockSource(QString &text, const ClockConfig &config, QString *failedStep = nullptr);
bool editMainSource(QString &text, const ClockConfig &config, QString *failedStep = nullptr);
bool editConfHeader(QString &text, const ClockConfig &config, QString *failedStep = nullptr);

} // namespace Codegen

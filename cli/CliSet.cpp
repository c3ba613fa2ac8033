#include "CliCommands.h"
#include "CliDesign.h"

#include "ClockConfig.h"
#include "DesignFile.h"
#include "EditArguments.h"
#include "SeriesTable.h"

#include <QFileInfo>

// set: a design changed the way a user changes it in the window, control by
// control, then saved through the checks.

using namespace CliOut;

namespace {

// "name value" of each field an edit changed, as show prints them.
QString changedText(const EditOutcome &outcome)
{
    const Fields after = outcome.after.fieldValues();
    QStringList parts;
    for (const QString &name : outcome.changedFields) {
        for (const auto &field : after) {
            if (field.first == name)
                parts << name + QLatin1Char(' ') + numberText(field.second);
        }
    }
    return parts.join(QStringLiteral(", "));
}

// Why an error refused the edit, when the window would have changed the crystal.
QString crystalReason(const DesignMessage &message)
{
    if (message.refusedCrystalMHz <= 0.0)
        return QString();
    return QStringLiteral(" (hext would become %1; the board's crystal cannot be changed)")
        .arg(numberText(message.refusedCrystalMHz));
}

// Whether an edit types a crystal.
bool setsCrystal(const QVector<QVector<DesignEdit>> &edits)
{
    for (const QVector<DesignEdit> &these : edits) {
        for (const DesignEdit &edit : these) {
            if (edit.control == ControlTable::Control::Hext && edit.action == DesignEdit::Action::Commit)
                return true;
        }
    }
    return false;
}

// CliRefused, with the reasons printed, when opening changed the crystal.
int refuseChangedCrystal(const ClockRules::Findings &findings)
{
    ClockRules::Findings refusals;
    for (const ClockRules::Finding &finding : findings) {
        if (finding.kind == ClockRules::Finding::Kind::Load &&
            finding.severity == ClockRules::Finding::Severity::Refusal)
            refusals << finding;
    }
    if (refusals.isEmpty())
        return CliDone;
    for (const QString &text : findingLines(refusals))
        errLine(text);
    errLine(QStringLiteral("nothing written"));
    return CliRefused;
}

// Whether two paths name the same file (OUT may be FILE itself).
bool sameFile(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

int commandSet(const CommandLine &line)
{
    const QString fileName = line.positionals.first();
    const QString target = line.values.value(QStringLiteral("-o"), fileName);
    if (target.isEmpty()) {
        errLine(QStringLiteral("tickforge-cli: -o names no file"));
        return CliUsage;
    }
    CliReport opened;
    const SeriesParams *series = seriesOfFile(fileName, opened);
    if (!series) {
        print(opened);
        return CliUsage;
    }
    // Every argument is read before anything is changed.
    QVector<QVector<DesignEdit>> edits;
    for (const QString &argument : line.positionals.mid(1)) {
        QVector<DesignEdit> these;
        QString error;
        if (!EditArguments::parse(*series, argument, &these, &error)) {
            errLine(QStringLiteral("tickforge-cli: ") + error);
            return CliUsage;
        }
        edits << these;
    }
    if (!sameFile(target, fileName) && QFileInfo::exists(target) &&
        !line.flags.contains(QStringLiteral("--overwrite"))) {
        errLine(QStringLiteral("%1 exists (use --overwrite to replace it)").arg(target));
        return CliExists;
    }

    DesignDocument document(series->id);
    CliPrompter prompter;
    const ClockRules::Findings findings = CliTool::openInto(document, fileName, prompter, opened);
    print(opened);
    // Opening may have had to change the crystal; saving would keep that
    // change, unless an edit names the crystal itself.
    if (const int refused = setsCrystal(edits) ? CliDone : refuseChangedCrystal(findings))
        return refused;
    document.setCrystalKept(true);
    prompter.answerYes = line.flags.contains(QStringLiteral("--yes"));
    for (int i = 0; i < edits.size(); ++i) {
        const QString argument = line.positionals.at(i + 1);
        for (const DesignEdit &edit : edits.at(i)) {
            const EditOutcome outcome = document.apply(edit);
            for (const DesignMessage &message : outcome.messages) {
                if (message.kind == DesignMessage::Kind::Error)
                    outLine(argument + QStringLiteral(": error: ") + message.text + crystalReason(message));
                else
                    outLine(argument + QStringLiteral(": question: ") + message.text +
                            (message.yes ? QStringLiteral(" -> Yes") : QStringLiteral(" -> Cancel")));
            }
            if (outcome.status != EditOutcome::Status::Applied) {
                errLine(argument +
                        (outcome.status == EditOutcome::Status::Refused ? QStringLiteral(": refused")
                                                                        : QStringLiteral(": cancelled")) +
                        QStringLiteral("; nothing written"));
                return CliRefused;
            }
            if (outcome.changed())
                outLine(argument + QStringLiteral(": changed ") + changedText(outcome));
        }
    }
    // Saved as the window saves: a refusal ends it, each warning is asked.
    const GateOutcome gate = document.passGate();
    if (!gate.passed()) {
        for (const QString &text : findingLines(gate.findings))
            errLine(text);
        errLine(QStringLiteral("nothing written"));
        return gate.status == GateOutcome::Status::Refused ? CliRefused : CliWarning;
    }
    if (!CliTool::saveDesign(DesignFile::write(gate.record, series->seriesName()),
                             QFileInfo(target).absoluteFilePath()))
        return CliGenFailed;
    outLine(QStringLiteral("saved ") + target);
    return CliDone;
}

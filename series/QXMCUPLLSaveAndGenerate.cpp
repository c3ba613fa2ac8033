#include "QXMCUPLL.h"

#include "DesignFile.h"
#include "DialogService.h"
#include "Generator.h"
#include "SafeSave.h"
#include "SeriesTable.h"

#include <QCoreApplication>
#include <QUrl>

// Saving a design and generating its code, the same for every series widget:
// the gate's questions, the file and folder choosers and the message boxes
// around the steps the command-line tool shares (DesignFile, the generator).

namespace {

void errorBox(const QString &text, const QString &button)
{
    DialogService::instance().message(
        MessageRequest::make(QMessageBox::Critical, QCoreApplication::translate("QXMCUPLL", "Error"), text)
            .withButton(QMessageBox::Ok, button));
}

} // namespace

ActionOutcome QXMCUPLL::saveConfig(const QString &seriesName)
{
    ClockConfig checked(seriesId());
    ActionOutcome outcome = passGate(checked);
    return outcome.done() ? writeDesign(checked, seriesName) : outcome;
}

ActionOutcome QXMCUPLL::generateCode()
{
    ClockConfig checked(seriesId());
    ActionOutcome outcome = passGate(checked);
    return outcome.done() ? runGeneration(checked) : outcome;
}

ActionOutcome QXMCUPLL::passGate(ClockConfig &checked)
{
    m_document->setPrompter(&prompter());
    const GateOutcome gate = m_document->passGate();
    m_document->setPrompter(nullptr);
    ActionOutcome outcome;
    outcome.findings = gate.findings;
    if (gate.passed())
        checked = gate.record;
    else if (gate.status == GateOutcome::Status::Refused)
        outcome.status = ActionOutcome::Status::Refused;
    else
        outcome.status = ActionOutcome::Status::Cancelled;
    return outcome;
}

ActionOutcome QXMCUPLL::writeDesign(const ClockConfig &record, const QString &seriesName)
{
    ActionOutcome outcome;
    outcome.status = ActionOutcome::Status::Cancelled;
    if (seriesName.isEmpty())
        return outcome;
    const QString path = DialogService::instance().saveFileName(
        this, tr("Save"), seriesName + QStringLiteral("_Clock"), tr("Config file (*.TFCC)"));
    if (path.isNull())
        return outcome;

    // Written through the safe-save helper: on any failure the previous file
    // stays exactly as it was instead of being truncated first.
    const QByteArray document = DesignFile::write(record, seriesName);
    QString reason;
    if (document.isEmpty() || !saveFileSafely(path, document, &reason)) {
        errorBox(tr("Save file failed!"), tr("Ok"));
        outcome.status = ActionOutcome::Status::Failed;
        outcome.reason = tr("Save file failed!") + QStringLiteral(" (") + (reason.isEmpty() ? path : reason) +
                         QLatin1Char(')');
        return outcome;
    }
    DialogService::instance().message(
        MessageRequest::make(QMessageBox::Information, tr("Information"), tr("Save file succeed!"))
            .withButton(QMessageBox::Ok, tr("Ok")));
    outcome.status = ActionOutcome::Status::Done;
    outcome.files = QStringList{path};
    return outcome;
}

ActionOutcome QXMCUPLL::runGeneration(const ClockConfig &record)
{
    ActionOutcome outcome;
    outcome.status = ActionOutcome::Status::Cancelled;
    const SeriesParams *series = SeriesTable::byId(seriesId());
    if (!series)
        return outcome;
    const QString dir = DialogService::instance().existingDirectory(this, tr("Select directory"), QString());
    if (dir.isNull())
        return outcome;

    const QString stem = series->templateStem();
    const Codegen::Result result = Codegen::generateProject(record, dir, stem, [](const QString &fileName) {
        const OverwriteReply reply = DialogService::instance().askOverwrite(fileName);
        return Codegen::ConflictAnswer{reply.replace, reply.replaceAll};
    });
    if (!result.done()) {
        const bool noFolder = result.status == Codegen::Status::NoFolder; // said as such, as saving does
        errorBox(noFolder ? result.error : tr("Generate code failed!"), noFolder ? tr("Ok") : tr("OK"));
        outcome.status = result.status == Codegen::Status::Invalid       ? ActionOutcome::Status::Refused
                         : result.status == Codegen::Status::NotReplaced ? ActionOutcome::Status::Cancelled
                                                                         : ActionOutcome::Status::Failed;
        outcome.findings = result.findings;
        outcome.reason = result.error;
        return outcome;
    }

    outcome.status = ActionOutcome::Status::Done;
    outcome.files = Codegen::outputFiles(stem);
    const MessageReply reply = DialogService::instance().message(
        MessageRequest::make(QMessageBox::Information, tr("Information"),
                             tr("Generate code finished!  Files:") + QStringLiteral("\n\n") +
                                 outcome.files.join(QLatin1Char('\n')) + QLatin1Char('\n'))
            .withExtraButton(tr(" Open Folder  "))
            .withButton(QMessageBox::Ok, tr("OK")));
    if (reply.isExtra(0))
        DialogService::instance().openUrl(QUrl::fromLocalFile(dir));
    return outcome;
}

QString QXMCUPLL::readElement(const QString &fileName, const QString &elementName)
{
    return DesignFile::readElement(fileName, elementName);
}

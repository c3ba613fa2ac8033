#include "DialogPrompts.h"

#include "DialogService.h"
#include "ProgressDialog.h"

namespace {

QMessageBox::Icon iconOf(UpdatePrompt::Kind kind)
{
    switch (kind) {
    case UpdatePrompt::Kind::Error:
        return QMessageBox::Critical;
    case UpdatePrompt::Kind::Question:
        return QMessageBox::Question;
    case UpdatePrompt::Kind::Warning:
        return QMessageBox::Warning;
    case UpdatePrompt::Kind::Information:
        break;
    }
    return QMessageBox::Information;
}

// The prompt's buttons and the box's standard buttons, side by side.
constexpr struct {
    UpdatePrompt::Button button;
    QMessageBox::StandardButton standard;
} ButtonPairs[] = {
    {UpdatePrompt::Button::None, QMessageBox::NoButton}, {UpdatePrompt::Button::Ok, QMessageBox::Ok},
    {UpdatePrompt::Button::Cancel, QMessageBox::Cancel}, {UpdatePrompt::Button::Ignore, QMessageBox::Ignore},
    {UpdatePrompt::Button::Abort, QMessageBox::Abort},
};

QMessageBox::StandardButton standardOf(UpdatePrompt::Button button)
{
    for (const auto &pair : ButtonPairs) {
        if (pair.button == button)
            return pair.standard;
    }
    return QMessageBox::NoButton;
}

UpdatePrompt::Button buttonOf(QMessageBox::StandardButton standard)
{
    for (const auto &pair : ButtonPairs) {
        if (pair.standard == standard)
            return pair.button;
    }
    return UpdatePrompt::Button::None;
}

} // namespace

DialogPrompts::DialogPrompts(QWidget *progressParent, QWidget *dialogParent)
    : m_progressParent(progressParent), m_dialogParent(dialogParent)
{}

DialogPrompts::~DialogPrompts()
{
    delete m_progress.data();
}

UpdateAnswer DialogPrompts::message(const UpdatePrompt &prompt)
{
    MessageRequest request = MessageRequest::make(iconOf(prompt.kind), prompt.title, prompt.text);
    for (const auto &button : prompt.buttons)
        request.withButton(standardOf(button.first), button.second);
    for (const QString &label : prompt.extraButtons)
        request.withExtraButton(label);
    request.defaultButton = standardOf(prompt.defaultButton);
    const MessageReply reply = DialogService::instance().message(request);
    UpdateAnswer answer;
    answer.button = buttonOf(reply.button);
    answer.extraIndex = reply.extraIndex;
    return answer;
}

QString DialogPrompts::existingDirectory(const QString &caption)
{
    return DialogService::instance().existingDirectory(m_dialogParent, caption, QString());
}

void DialogPrompts::openFolder(const QString &path)
{
    DialogService::instance().openUrl(QUrl::fromLocalFile(path));
}

void DialogPrompts::transferStarted(const QUrl &url, const std::function<void()> &cancel)
{
    transferEnded();
    m_progress = new ProgressDialog(url, m_progressParent);
    m_progress->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(m_progress.data(), &QProgressDialog::canceled, m_progress.data(), cancel);
    m_progress->show();
}

void DialogPrompts::transferProgress(qint64 received, qint64 total)
{
    if (m_progress)
        m_progress->networkReplyProgress(received, total);
}

void DialogPrompts::transferEnded()
{
    if (!m_progress)
        return;
    m_progress->hide();
    m_progress->deleteLater();
    m_progress = nullptr;
}

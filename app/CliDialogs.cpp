#include "CliDialogs.h"

#include <QDialog>

CliDialogs::CliDialogs()
{
    DialogService::setInstance(this);
}

CliDialogs::~CliDialogs()
{
    DialogService::setInstance(nullptr);
}

MessageReply CliDialogs::message(const MessageRequest &request)
{
    if (echo)
        echo->append(request.title + QStringLiteral(": ") + request.text);
    MessageReply reply;
    for (QMessageBox::StandardButton button : {QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Yes}) {
        if (reply.button == QMessageBox::NoButton && request.buttons.testFlag(button))
            reply.button = button;
    }
    return reply;
}

int CliDialogs::exec(QDialog &)
{
    return QDialog::Rejected;
}

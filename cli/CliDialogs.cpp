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
    shown.append({request.icon, request.title, request.text});
    if (echo)
        echo->append(request.title + QStringLiteral(": ") + request.text);

    MessageReply reply;
    if (answerYes && request.buttons.testFlag(QMessageBox::Yes))
        reply.button = QMessageBox::Yes;
    else if (request.buttons.testFlag(QMessageBox::Cancel))
        reply.button = QMessageBox::Cancel;
    else if (request.buttons.testFlag(QMessageBox::Ok))
        reply.button = QMessageBox::Ok;
    else if (request.buttons.testFlag(QMessageBox::Yes))
        reply.button = QMessageBox::Yes;
    return reply;
}

QString CliDialogs::openFileName(QWidget *, const QString &, const QString &, const QString &)
{
    return QString();
}

QString CliDialogs::saveFileName(QWidget *, const QString &, const QString &, const QString &)
{
    ++saveRequests;
    return savePath;
}

QString CliDialogs::existingDirectory(QWidget *, const QString &, const QString &)
{
    ++directoryRequests;
    return directory;
}

bool CliDialogs::openUrl(const QUrl &)
{
    // Never start a desktop program from a script.
    return false;
}

OverwriteReply CliDialogs::askOverwrite(const QString &)
{
    return {overwrite, overwrite};
}

int CliDialogs::exec(QDialog &)
{
    return QDialog::Rejected;
}

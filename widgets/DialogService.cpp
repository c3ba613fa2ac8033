#include "DialogService.h"

#include "OverwriteDialog.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QPushButton>

MessageRequest MessageRequest::make(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    MessageRequest request;
    request.icon = icon;
    request.title = title;
    request.text = text;
    return request;
}

MessageRequest &MessageRequest::withButton(QMessageBox::StandardButton button, const QString &label)
{
    buttons |= button;
    labels.append({button, label});
    return *this;
}

MessageRequest &MessageRequest::withExtraButton(const QString &label)
{
    extraButtons.append(label);
    return *this;
}

namespace {
DialogService *installedService = nullptr;
} // namespace

DialogService &DialogService::instance()
{
    static QtDialogService qtService;
    return installedService ? *installedService : qtService;
}

void DialogService::setInstance(DialogService *service)
{
    installedService = service;
}

MessageReply QtDialogService::message(const MessageRequest &request)
{
    QMessageBox box(request.icon, request.title, request.text, request.buttons);
    for (const auto &label : request.labels) {
        if (QAbstractButton *button = box.button(label.first))
            button->setText(label.second);
    }
    QList<QAbstractButton *> extras;
    for (const QString &text : request.extraButtons)
        extras.append(box.addButton(text, QMessageBox::ActionRole));
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);

    const int result = box.exec();
    MessageReply reply;
    reply.extraIndex = int(extras.indexOf(box.clickedButton()));
    if (reply.extraIndex < 0)
        reply.button = static_cast<QMessageBox::StandardButton>(result);
    return reply;
}

QString QtDialogService::openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                      const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString QtDialogService::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                      const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString QtDialogService::existingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    return QFileDialog::getExistingDirectory(parent, caption, dir, QFileDialog::ShowDirsOnly);
}

bool QtDialogService::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

OverwriteReply QtDialogService::askOverwrite(const QString &fileName)
{
    // "Yes" replaces (and, with the box ticked, replaces the rest silently);
    // "Cancel", Escape and closing refuse.
    OverwriteDialog dialog(fileName);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    return {accepted, accepted && dialog.replaceAll()};
}

int QtDialogService::exec(QDialog &dialog)
{
    return dialog.exec();
}

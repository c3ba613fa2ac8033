#pragma once

#include "DialogService.h"

#include <QList>
#include <QString>
#include <QStringList>

// The command-line tool's dialog seam: nobody is there to answer, so every
// question gets a fixed answer and every box is recorded for the command to
// report. Installs itself for its lifetime.
class CliDialogs final : public DialogService {
public:
    struct Shown {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title;
        QString text;
    };

    CliDialogs();
    ~CliDialogs() override;
    Q_DISABLE_COPY(CliDialogs)

    // Answer of the save and directory dialogs (null: cancelled).
    QString savePath;
    QString directory;
    // Questions with a "Yes" are answered "Yes" when set, "Cancel" otherwise.
    bool answerYes = false;
    // Whether an existing output file may be replaced.
    bool overwrite = false;
    // While set, every box is added to it as "Title: text".
    QStringList *echo = nullptr;

    QList<Shown> shown;
    // How often the save and directory dialogs were asked for.
    int saveRequests = 0;
    int directoryRequests = 0;

    MessageReply message(const MessageRequest &request) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir) override;
    bool openUrl(const QUrl &url) override;
    OverwriteReply askOverwrite(const QString &fileName) override;
    int exec(QDialog &dialog) override;
};

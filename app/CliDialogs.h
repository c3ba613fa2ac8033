#pragma once

#include "DialogService.h"

#include <QString>
#include <QStringList>

// The renderer's dialog seam while it opens a design: nobody is there to
// answer, so questions get "Cancel" (or the box's only button), no file or
// folder is chosen, nothing is replaced and no desktop program is started.
// Installs itself for its lifetime.
class CliDialogs final : public DialogService {
public:
    CliDialogs();
    ~CliDialogs() override;
    Q_DISABLE_COPY(CliDialogs)

    // While set, every box is added to it as "Title: text".
    QStringList *echo = nullptr;

    MessageReply message(const MessageRequest &request) override;
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString existingDirectory(QWidget *, const QString &, const QString &) override { return {}; }
    bool openUrl(const QUrl &) override { return false; }
    OverwriteReply askOverwrite(const QString &) override { return {}; }
    int exec(QDialog &dialog) override;
};

#pragma once

#include "UpdatePrompts.h"

#include <QPointer>

class ProgressDialog;
class QWidget;

// The update service's prompts as the window shows them: message boxes and
// the folder dialog through the dialog seam, a progress dialog per transfer.
class DialogPrompts final : public UpdatePrompts {
public:
    // progressParent: parent of the progress dialogs; dialogParent: of the folder dialog.
    DialogPrompts(QWidget *progressParent, QWidget *dialogParent);
    ~DialogPrompts() override;
    Q_DISABLE_COPY(DialogPrompts)

    UpdateAnswer message(const UpdatePrompt &prompt) override;
    QString existingDirectory(const QString &caption) override;
    void openFolder(const QString &path) override;
    void transferStarted(const QUrl &url, const std::function<void()> &cancel) override;
    void transferProgress(qint64 received, qint64 total) override;
    void transferEnded() override;

private:
    QWidget *m_progressParent;
    QWidget *m_dialogParent;
    QPointer<ProgressDialog> m_progress;
};

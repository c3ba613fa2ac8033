#pragma once

#include "DialogPrompts.h"
#include "DownloadTransfer.h"

#include <QDialog>

// The window's downloader: a DownloadTransfer whose problems and questions
// are message boxes and whose progress is a dialog the user can cancel. The
// dialog itself is never shown; it owns the transfer and its prompts.
class HttpsDownload : public QDialog {
    Q_OBJECT

public:
    using Result = DownloadTransfer::Result;

    // progressParent: parent of the progress dialogs; dialogParent: of the folder dialog.
    explicit HttpsDownload(QWidget *progressParent, QWidget *dialogParent = nullptr);

    // See DownloadTransfer::download().
    bool download(QString url, QString &path, QString versionSuffix)
    {
        return m_transfer.download(url, path, versionSuffix);
    }
    Result result() const { return m_transfer.result(); }
    QString failureText() const { return m_transfer.failureText(); }
    // Limits, checks and cancelling.
    DownloadTransfer &transfer() { return m_transfer; }

private:
    DialogPrompts m_prompts;
    DownloadTransfer m_transfer;
};

#pragma once

#include <QProgressDialog>

class QUrl;

// Shows how far one transfer has come; its Cancel ends the transfer.
class ProgressDialog : public QProgressDialog {
    Q_OBJECT

public:
    ProgressDialog(const QUrl &url, QWidget *parent);

public slots:
    void networkReplyProgress(qint64 bytesRead, qint64 totalBytes);
};

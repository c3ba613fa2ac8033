#include "ProgressDialog.h"

#include <QUrl>

ProgressDialog::ProgressDialog(const QUrl &url, QWidget *parent) : QProgressDialog(parent)
{
    setWindowTitle(tr("Download Progress"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setLabelText(tr("Downloading ") + tr("%1.").arg(url.toDisplayString()));
    setMinimum(0);
    setValue(0);
    setMinimumDuration(0);
}

void ProgressDialog::networkReplyProgress(qint64 bytesRead, qint64 totalBytes)
{
    // The downloader caps transfers far below 2 GiB, so both fit an int; -1
    // (size not announced yet) turns the bar into a busy indicator.
    setMaximum(int(totalBytes));
    setValue(int(bytesRead));
}

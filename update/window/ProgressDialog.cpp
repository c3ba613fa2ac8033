#include "ProgressDialog.h"

#include <QUrl>

ProgressDialog::ProgressDialog(const QUrl &url, QWidget *parent) : QProgressDialog(parent)
{
    setWindowTitle(tr("Download Progress"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setLabelText(tr("Downloading ") + tr("%1.").arg(url.toDisplayString()));
    setMinimum(0);
    setValue(0);
    setMaximum(0); // a busy indicator until the size is known
    setMinimumDuration(0);
    // The downloader hides the dialog when the transfer ends; reaching the
    // maximum (0 of an unknown size, say) must not hide it earlier.
    setAutoReset(false);
    setAutoClose(false);
}

void ProgressDialog::networkReplyProgress(qint64 bytesRead, qint64 totalBytes)
{
    // An unknown size (-1) shows a busy indicator. The downloader caps
    // transfers far below 2 GiB, so known sizes fit an int.
    if (totalBytes < 0) {
        setRange(0, 0);
        return;
    }
    setMaximum(int(totalBytes));
    setValue(int(bytesRead));
}

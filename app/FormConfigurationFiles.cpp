// Opening design files that come from the desktop rather than from the Open
// dialog: a file named on the command line and a file dropped on the window.
#include "FormConfiguration.h"

#include "QXPLLConfig.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

void FormConfiguration::openDesignFile(const QString &fileName)
{
    QString name;
    // A file naming no supported series leaves the open configuration, and so
    // its name in the title, as they were.
    if (!m_workspace->openDesign(fileName, name))
        return;
    m_seriesName = name;
    updateTitle();
}

QString FormConfiguration::designFileIn(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return QString();
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile() &&
            QFileInfo(url.toLocalFile()).suffix().compare(QLatin1String("tfcc"), Qt::CaseInsensitive) == 0)
            return url.toLocalFile();
    }
    return QString();
}

void FormConfiguration::dragEnterEvent(QDragEnterEvent *event)
{
    if (!designFileIn(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FormConfiguration::dropEvent(QDropEvent *event)
{
    const QString fileName = designFileIn(event->mimeData());
    if (fileName.isEmpty())
        return;
    event->acceptProposedAction();
    // Asked after the drop has finished, so the program the file came from is
    // not kept waiting for the answer. The same question as Open.
    QMetaObject::invokeMethod(
        this,
        [this, fileName] {
            if (confirmCloseForOpen())
                openDesignFile(fileName);
        },
        Qt::QueuedConnection);
}

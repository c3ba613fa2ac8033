// Opening design files that come from the desktop rather than from the Open
// dialog: a file named on the command line and a file dropped on the window.
#include "FormConfiguration.h"

#include "DesignFile.h"
#include "DialogService.h"
#include "DrawingExport.h"
#include "ReportExport.h"
#include "QXMCUPLL.h"
#include "QXPLLConfig.h"
#include "RecentDesigns.h"

#include <QAction>
#include <QDir>
#include <QMenu>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

bool FormConfiguration::openDesignFile(const QString &fileName)
{
    QString name;
    // A file naming no supported series leaves the open configuration, and so
    // its name in the title, as they were.
    if (!m_workspace->openDesign(fileName, name))
        return false;
    m_seriesName = name;
    updateTitle();
    noteDesignFile(fileName);
    RecentDesigns::add(fileName);
    fillRecentMenu();
    return true;
}

bool FormConfiguration::openDesktopFile(const QString &fileName)
{
    // Unlike a file picked in the Open dialog, a name from the command line
    // or a drop may point anywhere: say so when there is nothing to read,
    // rather than blaming the series.
    if (DesignFile::read(fileName).isEmpty()) {
        DialogService::instance().message(MessageRequest::make(QMessageBox::Warning, tr("Warning"),
                                                               tr("The design file could not be read:") +
                                                                   QLatin1Char('\n') +
                                                                   QDir::toNativeSeparators(fileName))
                                              .withButton(QMessageBox::Ok, tr("Ok")));
        return false;
    }
    return openDesignFile(fileName);
}

// Additions to the Project menu and the window title (beyond the nine
// actions of the menu table): recent designs, the drawing export, and the
// unsaved-changes marker.
void FormConfiguration::createExtensions()
{
    QMenu *project = m_menus[ProjectMenu];
    m_recentMenu = new QMenu(project);
    m_recentMenu->setFont(m_actions[OpenAction]->font());
    m_recentMenu->menuAction()->setFont(m_actions[OpenAction]->font());
    m_recentMenu->setPalette(project->palette());
    // The full path of each entry shows as its tooltip.
    m_recentMenu->setToolTipsVisible(true);
    project->insertMenu(m_actions[SaveAction], m_recentMenu);
    m_exportAction = new QAction(this);
    m_exportAction->setFont(m_actions[SaveAction]->font());
    project->addAction(m_exportAction);
    connect(m_exportAction, &QAction::triggered, this, &FormConfiguration::exportDrawing);
    m_exportReportAction = new QAction(this);
    m_exportReportAction->setFont(m_actions[SaveAction]->font());
    project->addAction(m_exportReportAction);
    connect(m_exportReportAction, &QAction::triggered, this, &FormConfiguration::exportReport);
    connect(m_workspace, &QXPLLConfig::modifiedChanged, this, &QWidget::setWindowModified);
    updateWindowTitle();
    retranslateExtensions();
    fillRecentMenu();
}

void FormConfiguration::retranslateExtensions()
{
    m_recentMenu->setTitle(tr("Recent designs"));
    m_exportAction->setText(tr("Export drawing..."));
    m_exportReportAction->setText(tr("Export report..."));
}

void FormConfiguration::updateWindowTitle()
{
    // "[*]" becomes "*" while the design differs from the file.
    setWindowTitle(QStringLiteral("Tickforge[*]"));
}

void FormConfiguration::fillRecentMenu()
{
    m_recentMenu->clear();
    const QStringList files = RecentDesigns::load();
    const QStringList names = RecentDesigns::displayNames(files);
    for (int i = 0; i < files.size(); ++i) {
        const QString file = files.at(i);
        QString name = names.at(i);
        QAction *entry = m_recentMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(name.replace(QLatin1Char('&'), QLatin1String("&&"))));
        entry->setFont(m_actions[OpenAction]->font());
        entry->setToolTip(file);
        entry->setStatusTip(file);
        connect(entry, &QAction::triggered, this, [this, file] { openRecentDesign(file); });
    }
    m_recentMenu->setEnabled(!files.isEmpty());
}

void FormConfiguration::openRecentDesign(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile()) {
        RecentDesigns::remove(fileName);
        fillRecentMenu();
        DialogService::instance().message(
            MessageRequest::make(QMessageBox::Warning, tr("Warning"),
                                 tr("The design file no longer exists and is removed from the list:") +
                                     QLatin1Char('\n') + fileName)
                .withButton(QMessageBox::Ok, tr("Ok")));
        return;
    }
    if (confirmCloseForOpen())
        openDesignFile(fileName);
}

void FormConfiguration::exportDrawing()
{
    QXMCUPLL *widget = m_workspace->currentWidget();
    if (!widget) {
        warnNoConfiguration();
        return;
    }
    const QString fileName = DialogService::instance().saveFileName(
        this, tr("Export drawing..."), m_seriesName + QStringLiteral("_Clock.png"),
        tr("PNG image (*.png);;PDF document (*.pdf);;SVG drawing (*.svg)"));
    if (fileName.isNull())
        return;
    // The export's own reasons are the command-line tool's (English); the
    // window names the case in its language.
    QString why;
    if (!DrawingExport::supportedFile(fileName))
        why = tr("The file name must end in .png, .pdf or .svg.");
    else if (widget->drawingSize().isEmpty())
        why = tr("This series has no drawing.");
    else if (DrawingExport::exportDrawing(*widget, fileName))
        return;
    else
        why = tr("The file could not be written:") + QLatin1Char('\n') + QDir::toNativeSeparators(fileName);
    DialogService::instance().message(MessageRequest::make(QMessageBox::Critical, tr("Error"),
                                                           tr("Export failed!") + QLatin1Char('\n') + why)
                                          .withButton(QMessageBox::Ok, tr("Ok")));
}

void FormConfiguration::exportReport()
{
    QXMCUPLL *widget = m_workspace->currentWidget();
    if (!widget) {
        warnNoConfiguration();
        return;
    }
    const QString fileName = DialogService::instance().saveFileName(
        this, tr("Export report..."), m_seriesName + QStringLiteral("_Clock.html"),
        tr("HTML page (*.html);;Markdown (*.md)"));
    if (fileName.isNull())
        return;
    const ReportExport::Outcome outcome =
        ReportExport::write(widget->document(), fileName, m_language == 0 ? QStringLiteral("en") : QStringLiteral("zh"));
    if (outcome == ReportExport::Outcome::Written)
        return;
    const QString why = outcome == ReportExport::Outcome::UnknownFormat
                            ? tr("The file name must end in .html or .md.")
                            : tr("The file could not be written:") + QLatin1Char('\n') + QDir::toNativeSeparators(fileName);
    DialogService::instance().message(MessageRequest::make(QMessageBox::Critical, tr("Error"),
                                                           tr("Export failed!") + QLatin1Char('\n') + why)
                                          .withButton(QMessageBox::Ok, tr("Ok")));
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
                openDesktopFile(fileName);
        },
        Qt::QueuedConnection);
}

// Crash recovery in the window: the copy of the unsaved design follows the
// workspace's history (RecoveryStore), and start-up offers the copies that
// programs killed or crashed left behind.
#include "FormConfiguration.h"

#include "ClockConfig.h"
#include "DesignFile.h"
#include "DialogService.h"
#include "QXMCUPLL.h"
#include "QXPLLConfig.h"
#include "RecoveryStore.h"
#include "SafeSave.h"
#include "SeriesTable.h"

#include <QDir>
#include <QTemporaryFile>
#include <QUndoStack>

void FormConfiguration::keepRecoveryCopies(const QString &folder)
{
    if (m_recovery)
        return;
    m_recovery = new RecoveryStore(folder, this);
    m_recovery->setSnapshot([this] {
        const QXMCUPLL *widget = m_workspace->currentWidget();
        const SeriesParams *series = SeriesTable::byId(m_workspace->seriesId());
        return widget && series ? DesignFile::write(*widget->config(), series->seriesName()) : QByteArray();
    });
    // Saved, opened, new or undone back to the file: the copy goes.
    connect(m_workspace, &QXPLLConfig::modifiedChanged, m_recovery, &RecoveryStore::setModified);
    // Every edit, undo and redo moves the history.
    connect(m_workspace->undoStack(), &QUndoStack::indexChanged, m_recovery, &RecoveryStore::designEdited);
}

void FormConfiguration::noteDesignFile(const QString &fileName)
{
    if (m_recovery)
        m_recovery->setSourceFile(fileName);
}

bool FormConfiguration::offerRecovery()
{
    if (!m_recovery)
        return false;
    bool restored = false;
    for (const RecoveryStore::Copy &copy : m_recovery->orphans()) {
        const MessageReply reply = DialogService::instance().message(
            MessageRequest::make(QMessageBox::Question, RecoveryStore::offerTitle(),
                                 RecoveryStore::offerText(copy))
                .withButton(QMessageBox::Yes, RecoveryStore::restoreLabel())
                .withButton(QMessageBox::No, RecoveryStore::discardLabel())
                .withButton(QMessageBox::Cancel, RecoveryStore::laterLabel()));
        if (reply.is(QMessageBox::No)) {
            m_recovery->discard(copy);
            continue;
        }
        // Escape or a box closed otherwise never throws the work away: the
        // copy is offered again at the next start.
        if (!reply.is(QMessageBox::Yes))
            continue;
        // One design at a time: the copies not offered yet wait for the next start.
        if (restoreDesign(copy.design)) {
            m_recovery->adopt(copy);
            restored = true;
            break;
        }
    }
    m_recovery->releaseOrphans();
    return restored;
}

bool FormConfiguration::restoreDesign(const QByteArray &design)
{
    // Opened as Open opens a file, from a temporary one that goes right after.
    QTemporaryFile file(QDir::temp().filePath(QStringLiteral("tickforge-XXXXXX.TFCC")));
    if (!file.open() || !writeFully(file, design))
        return false;
    QString name;
    if (!m_workspace->openDesign(file.fileName(), name))
        return false;
    m_seriesName = name;
    updateTitle();
    // It differs from every file: the title shows "*" until it is saved.
    m_workspace->undoStack()->resetClean();
    return true;
}

void FormConfiguration::startUp(const QString &designFile)
{
    const bool restored = offerRecovery();
    if (!designFile.isEmpty() && (!restored || confirmCloseForOpen()))
        openDesktopFile(designFile);
}

#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>
#include <functional>
#include <memory>

class QLockFile;

// Crash recovery (QtCore only): while the open design differs from its file,
// a copy of it is kept in a folder of the user's data, rewritten a short
// while after the edits. A clean end removes it; after a crash or a kill it
// stays, and the next start offers it.
//
// One copy per running program (`<id>.tfrecovery`, a JSON envelope around the
// design exactly as the design-file writer writes it), each guarded by a lock
// file of its program (`<id>.lock`), so two programs never touch each other's
// copy and a copy is offered only once its program is gone.
class RecoveryStore final : public QObject {
    Q_OBJECT
public:
    struct Copy {
        QString file;       // the copy itself
        QString seriesName; // from the design's MCU element
        QByteArray design;  // the design file's bytes
        QDateTime edited;   // the last edit, UTC
        QString source;     // the design file it came from; empty for a new design
    };

    // Copies are written by DesignFile's writer; this hands over the document
    // of the design as it stands (empty when none is open).
    using Snapshot = std::function<QByteArray()>;

    // <AppDataLocation>/recovery
    static QString defaultFolder();

    explicit RecoveryStore(const QString &folder, QObject *parent = nullptr);
    // A clean end: this program's copy goes.
    ~RecoveryStore() override;
    Q_DISABLE_COPY(RecoveryStore)

    void setSnapshot(Snapshot snapshot) { m_snapshot = std::move(snapshot); }
    // How long after an edit the copy is written (at most; edits in between
    // are taken along).
    void setDelay(int milliseconds) { m_timer.setInterval(milliseconds); }
    // The design file the open design came from or was saved to; empty for
    // a new design.
    void setSourceFile(const QString &fileName) { m_source = fileName; }

    QString folder() const { return m_folder; }
    // Where this program keeps its copy (it exists only while there are
    // unsaved edits).
    QString copyFile() const;

    // Copies left by programs that are gone, newest edit first. Each stays
    // reserved to this program (no other start offers it) until discard(),
    // adopt() or releaseOrphans(). Copies that can't be read are left alone.
    QVector<Copy> orphans();
    // Removes an orphan (declined).
    bool discard(const Copy &copy);
    // The open design is now that orphan, restored: it becomes this program's
    // copy, keeping its edit time and source, and the orphan goes.
    bool adopt(const Copy &copy);
    // Gives up the reservations still held (copies kept for a later start).
    void releaseOrphans();

    // Writes the copy now; false with a reason when it could not be written.
    bool flush(QString *error = nullptr);

    // The envelope of a copy, and back; read() gives a copy with an empty
    // design for anything that is not a readable copy of a design.
    static QByteArray encode(const Copy &copy);
    static Copy decode(const QByteArray &data);
    static Copy read(const QString &fileName);

    // The offer made at start-up.
    static QString offerTitle();
    static QString offerText(const Copy &copy);
    static QString restoreLabel();
    static QString discardLabel();
    static QString laterLabel();

public slots:
    // The design differs from its file, or no longer does (saved, opened,
    // undone back, a new design): then the copy goes.
    void setModified(bool modified);
    // An edit, an undo or a redo of the design.
    void designEdited();

private:
    QString pathOf(const QString &id, const char *suffix) const;
    bool lockOwnCopy();
    void removeOwnCopy();
    void releaseReservation(const QString &file);

    QString m_folder;
    QString m_id;
    Snapshot m_snapshot;
    QString m_source;
    QDateTime m_edited;
    bool m_modified = false;
    QTimer m_timer;
    std::unique_ptr<QLockFile> m_lock;
    // Orphans reserved by this program, by copy file.
    QHash<QString, std::shared_ptr<QLockFile>> m_reserved;
};

#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// The one way this program writes a user's file: into a QSaveFile, every write
// checked, flushed and checked, synced to the disk and checked, then committed.
// Any failure leaves the old file byte for byte as it was. Returns false with
// a reason in *error (a full disk said as such).
bool saveFileSafely(const QString &path, const QByteArray &data, QString *error = nullptr);

// Writes all of data to device; false on any short or failed write, or when
// the final flush fails.
bool writeFully(QIODevice &device, const QByteArray &data);

// True for the system's error numbers of a disk (or a quota) that is full.
bool isDiskFull(int errorNumber);
// "The disk is full." for those, the system's own text for any other.
QString saveErrorText(int errorNumber);

// A file that takes its target's place only once all of it is on the disk,
// for a file that arrives piece by piece (a download). It is written into a
// private folder beside the target, ".tickforge-<pid>-XXXXXX", and put in
// place by one rename, which replaces a symbolic link itself, never the file
// it points to. A run killed midway leaves that folder behind; the next one
// removes it (removeStale). Any failure leaves the target as it was.
class StagedFile final {
public:
    explicit StagedFile(const QString &target);
    ~StagedFile(); // removes what was written unless it was put in place
    Q_DISABLE_COPY(StagedFile)

    bool open();
    bool write(const char *data, qint64 size);
    // Everything written is on the disk, or false.
    bool sync();
    // The length of the file on the disk; -1 when it cannot be had.
    qint64 sizeOnDisk();
    // Reads the file back from the start, handing each block to take.
    bool readBack(const std::function<void(const char *, qint64)> &take);
    // Replaces the target (keeping an old regular file's permissions).
    bool commit();
    void discard();

    QString target() const { return m_target; }
    // The system's error number of the last failure (0: none, or none known).
    int errorNumber() const { return m_errno; }

    // Removes the folders that runs which ended without cleaning up (killed)
    // left in directory; a live run's folder stays.
    static void removeStale(const QString &directory);

private:
    bool failed();

    QString m_target;
    QByteArray m_folder; // the private folder, empty until open()
    QByteArray m_path;   // the file in it
    int m_fd = -1;
    int m_errno = 0;
};

// Removes the folders "<prefix><pid>-<anything>" in directory that belong to
// this user and to a process that no longer exists.
void removeEndedRunFolders(const QString &directory, const QString &prefix);

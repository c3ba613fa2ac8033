#include "SafeSave.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QRegExp>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char *const StagingPrefix = ".tickforge-";
// A folder of an earlier version has no process id in its name; one left
// untouched this long belongs to no running download (they time out in 30 s).
constexpr qint64 LegacyIdleSeconds = 60 * 60;

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// errno after a failed call, or EIO when the call failed without one.
int lastError()
{
    return errno != 0 ? errno : EIO;
}

bool syncFile(QFileDevice &file, int &errorNumber)
{
    errno = 0;
    if (!file.flush()) {
        errorNumber = lastError();
        return false;
    }
    if (::fsync(file.handle()) != 0) {
        errorNumber = lastError();
        return false;
    }
    return true;
}

// Makes a rename in directory last through a crash; not every file system can.
void syncDirectory(const QByteArray &directory)
{
    const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool processGone(qint64 pid)
{
    return pid > 0 && pid != ::getpid() && pid <= std::numeric_limits<pid_t>::max() &&
           ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

// The newest change to folder or anything directly in it.
QDateTime lastTouched(const QFileInfo &folder)
{
    QDateTime newest = folder.lastModified();
    for (const QFileInfo &entry :
         QDir(folder.filePath()).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        newest = qMax(newest, entry.lastModified());
    return newest;
}

} // namespace

bool isDiskFull(int errorNumber)
{
    return errorNumber == ENOSPC || errorNumber == EDQUOT;
}

QString saveErrorText(int errorNumber)
{
    if (isDiskFull(errorNumber))
        return QCoreApplication::translate("SafeSave", "The disk is full.");
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

bool writeFully(QIODevice &device, const QByteArray &data)
{
    qint64 done = 0;
    while (done < data.size()) {
        const qint64 n = device.write(data.constData() + done, data.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    // Qt 5's commit() can miss a failed final flush (full disk), so flush here.
    if (auto *file = qobject_cast<QFileDevice *>(&device))
        return file->flush();
    return true;
}

bool saveFileSafely(const QString &path, const QByteArray &data, QString *error)
{
    QSaveFile file(path);
    const auto fail = [&](int errorNumber) {
        if (error)
            *error = isDiskFull(errorNumber) ? saveErrorText(errorNumber) : file.errorString();
        file.cancelWriting();
        return false;
    };
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail(lastError());
    errno = 0;
    if (!writeFully(file, data))
        return fail(lastError());
    // commit() ignores a failed sync: what the disk could not take must not
    // replace the old file.
    int errorNumber = 0;
    if (!syncFile(file, errorNumber))
        return fail(errorNumber);
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

StagedFile::StagedFile(const QString &target) : m_target(target)
{}

StagedFile::~StagedFile()
{
    discard();
}

bool StagedFile::failed()
{
    m_errno = lastError();
    return false;
}

bool StagedFile::open()
{
    discard();
    m_errno = 0;
    const QFileInfo target(m_target);
    QByteArray folder = encoded(target.absolutePath() + QLatin1Char('/') + QLatin1String(StagingPrefix) +
                                QString::number(qint64(::getpid())) + QLatin1String("-XXXXXX"));
    errno = 0;
    if (!::mkdtemp(folder.data()))
        return failed();
    m_folder = folder;
    m_path = folder + '/' + encoded(target.fileName());
    errno = 0;
    m_fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd < 0) {
        failed();
        const int saved = m_errno;
        discard();
        m_errno = saved;
        return false;
    }
    return true;
}

bool StagedFile::write(const char *data, qint64 size)
{
    if (m_fd < 0)
        return false;
    while (size > 0) {
        errno = 0;
        const ssize_t n = ::write(m_fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return failed();
        data += n;
        size -= n;
    }
    return true;
}

bool StagedFile::sync()
{
    errno = 0;
    return m_fd >= 0 && (::fsync(m_fd) == 0 || failed());
}

qint64 StagedFile::sizeOnDisk()
{
    struct stat status {};
    errno = 0;
    if (m_fd < 0 || ::fstat(m_fd, &status) != 0) {
        failed();
        return -1;
    }
    return qint64(status.st_size);
}

bool StagedFile::readBack(const std::function<void(const char *, qint64)> &take)
{
    if (m_fd < 0)
        return false;
    QByteArray block(256 * 1024, Qt::Uninitialized);
    for (off_t offset = 0;;) {
        errno = 0;
        const ssize_t n = ::pread(m_fd, block.data(), size_t(block.size()), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failed();
        if (n == 0)
            return true;
        take(block.constData(), qint64(n));
        offset += n;
    }
}

bool StagedFile::commit()
{
    if (m_fd < 0)
        return false;
    const QByteArray target = encoded(m_target);
    struct stat old {};
    if (::lstat(target.constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(m_fd, old.st_mode & 0777);
    errno = 0;
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0 || ::rename(m_path.constData(), target.constData()) != 0) {
        failed();
        const int saved = m_errno;
        discard();
        m_errno = saved;
        return false;
    }
    m_path.clear();
    syncDirectory(encoded(QFileInfo(m_target).absolutePath()));
    discard();
    return true;
}

void StagedFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_path.isEmpty())
        ::unlink(m_path.constData());
    m_path.clear();
    if (!m_folder.isEmpty())
        ::rmdir(m_folder.constData());
    m_folder.clear();
}

void StagedFile::removeStale(const QString &directory)
{
    removeEndedRunFolders(directory, QLatin1String(StagingPrefix));
    // An earlier version named its folders without the process id.
    static const QRegExp legacy(QRegExp::escape(QLatin1String(StagingPrefix)) +
                                QStringLiteral("[A-Za-z0-9]{6}"));
    const QDateTime idleSince = QDateTime::currentDateTimeUtc().addSecs(-LegacyIdleSeconds);
    for (const QFileInfo &folder :
         QDir(directory).entryInfoList({QLatin1String(StagingPrefix) + QLatin1Char('*')},
                                       QDir::Dirs | QDir::Hidden | QDir::NoSymLinks)) {
        if (legacy.exactMatch(folder.fileName()) && folder.ownerId() == uint(::getuid()) &&
            lastTouched(folder) < idleSince)
            QDir(folder.filePath()).removeRecursively();
    }
}

void removeEndedRunFolders(const QString &directory, const QString &prefix)
{
    const QRegExp name(QRegExp::escape(prefix) + QStringLiteral("(\\d+)-[^/]+"));
    const QFileInfoList folders = QDir(directory).entryInfoList({prefix + QLatin1Char('*')},
                                                                QDir::Dirs | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo &folder : folders) {
        if (!name.exactMatch(folder.fileName()) || folder.ownerId() != uint(::getuid()))
            continue;
        bool ok = false;
        const qint64 pid = name.cap(1).toLongLong(&ok);
        // Only a process that is surely gone: a live one (or one of another user) keeps its folder.
        if (ok && processGone(pid))
            QDir(folder.filePath()).removeRecursively();
    }
}

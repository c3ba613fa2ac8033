#include "OutputFiles.h"

#include "SafeSave.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Codegen {

namespace {

bool fail(QString *error, const QString &path, const QString &reason)
{
    if (error)
        *error = QStringLiteral("%1: %2").arg(path, reason);
    return false;
}

// Moves from over to, replacing it.
bool replaceFile(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// A name beside path that nothing uses yet.
QString freeNameBeside(const QString &path)
{
    QTemporaryFile probe(path + QStringLiteral(".old-XXXXXX"));
    return probe.open() ? probe.fileName() : QString();
}

// Permissions a new file gets, as plain creation would give them.
QFileDevice::Permissions newFilePermissions()
{
    QFileDevice::Permissions all = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                                   QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                   QFileDevice::ReadOther | QFileDevice::WriteOther;
#ifdef Q_OS_UNIX
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (mask & S_IWGRP)
        all &= ~QFileDevice::WriteGroup;
    if (mask & S_IWOTH)
        all &= ~QFileDevice::WriteOther;
    if (mask & S_IRGRP)
        all &= ~QFileDevice::ReadGroup;
    if (mask & S_IROTH)
        all &= ~QFileDevice::ReadOther;
#endif
    return all;
}

struct Staged {
    QString target;
    std::unique_ptr<QTemporaryFile> file; // removed unless moved in place
    QString backup;                       // the old target, while the run may still fail
    bool existed = false;
    bool placed = false;
};

bool stage(const OutputFile &output, Staged &staged, QString *error)
{
    const QFileInfo target(output.path);
    staged.target = output.path;
    staged.existed = target.exists() || target.isSymLink();
    if (staged.existed && !target.isFile())
        return fail(error, output.path, QStringLiteral("not a regular file"));
    staged.file = std::make_unique<QTemporaryFile>(output.path + QStringLiteral(".new-XXXXXX"));
    QTemporaryFile &file = *staged.file;
    if (!file.open())
        return fail(error, output.path, file.errorString());
    errno = 0;
    bool synced = writeFully(file, output.bytes);
#ifdef Q_OS_UNIX
    synced = synced && ::fsync(file.handle()) == 0;
#endif
    if (!synced) // a full disk said as such
        return fail(error, output.path, isDiskFull(errno) ? saveErrorText(errno) : file.errorString());
    file.setPermissions(staged.existed ? target.permissions() : newFilePermissions());
    file.close();
    return true;
}

// Keeps the old contents under another name without moving the target away.
bool keepOld(Staged &staged)
{
    staged.backup = freeNameBeside(staged.target);
    if (staged.backup.isEmpty())
        return false;
    QFile::remove(staged.backup);
#ifdef Q_OS_UNIX
    if (::link(QFile::encodeName(staged.target).constData(), QFile::encodeName(staged.backup).constData()) ==
        0)
        return true;
#endif
    return QFile::copy(staged.target, staged.backup);
}

void putBack(std::vector<Staged> &all)
{
    for (Staged &staged : all) {
        if (staged.placed && staged.existed)
            replaceFile(staged.backup, staged.target);
        else if (staged.placed)
            QFile::remove(staged.target);
        else if (!staged.backup.isEmpty())
            QFile::remove(staged.backup);
    }
}

} // namespace

bool writeAllOrNone(const QVector<OutputFile> &files, QString *error)
{
    std::vector<Staged> all(size_t(files.size()));
    for (int i = 0; i < files.size(); ++i) {
        if (!stage(files.at(i), all.at(size_t(i)), error))
            return false;
    }
    for (Staged &staged : all) {
        if (staged.existed && !keepOld(staged)) {
            putBack(all);
            return fail(error, staged.target, QStringLiteral("cannot keep the old file"));
        }
        if (!replaceFile(staged.file->fileName(), staged.target)) {
            putBack(all);
            return fail(error, staged.target, QString::fromLocal8Bit(std::strerror(errno)));
        }
        staged.file->setAutoRemove(false);
        staged.placed = true;
    }
    for (const Staged &staged : all) {
        if (!staged.backup.isEmpty())
            QFile::remove(staged.backup);
    }
    return true;
}

} // namespace Codegen

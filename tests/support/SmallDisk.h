#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

// A small tmpfs mounted on an empty folder, for a full disk that fails a
// write with ENOSPC as a real one does. Mounting needs root (or the
// capability to mount); otherwise isMounted() is false and reason() says why,
// for the test to skip. Unmounted when it goes.
class SmallDisk final {
public:
    SmallDisk(const QString &folder, qint64 bytes) : m_folder(folder)
    {
        const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
        if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    options.constData()) == 0)
            m_mounted = true;
        else
            m_reason = QStringLiteral("cannot mount a small tmpfs for a full disk: %1 (needs root)")
                           .arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    Q_DISABLE_COPY(SmallDisk)

    bool isMounted() const { return m_mounted; }
    QString reason() const { return m_reason; }

    // Takes every free byte with a file but for pages free pages (of 4 KiB);
    // true once the disk refused more.
    bool fill(int pages = 0)
    {
        QFile reserve(QDir(m_folder).filePath(QStringLiteral("reserve")));
        if (!reserve.open(QIODevice::WriteOnly) ||
            reserve.write(QByteArray(pages * 4096, 'r')) != pages * 4096 || !reserve.flush())
            return false;
        QFile filler(fillerName());
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        return filler.error() != QFileDevice::NoError && reserve.remove();
    }
    // Gives the space back, so that only what a test wrote is left.
    void empty() { QFile::remove(fillerName()); }

private:
    QString fillerName() const { return QDir(m_folder).filePath(QStringLiteral("filler")); }

    QString m_folder;
    QString m_reason;
    bool m_mounted = false;
};

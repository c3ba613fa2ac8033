#include "RecoveryStore.h"

#include "DesignFile.h"
#include "SafeSave.h"
#include "SeriesTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>

namespace {

const char *const CopySuffix = ".tfrecovery";
const char *const LockSuffix = ".lock";
const char *const Format = "tickforge-recovery";
const int Version = 1;
// Written a second after the first edit since the last copy: a crash loses at
// most that much, and a burst of edits costs one write.
const int DefaultDelay = 1000;
// The envelope escapes the design's quotes: twice a design at most, plus a path.
constexpr qint64 MaxCopySize = 2 * DesignFile::MaxFileSize + 64 * 1024;

std::unique_ptr<QLockFile> makeLock(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // A lock is held for as long as its program runs: judged by its process
    // only, never by its age.
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

QString RecoveryStore::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

RecoveryStore::RecoveryStore(const QString &folder, QObject *parent)
    : QObject(parent), m_folder(folder), m_id(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(DefaultDelay);
    connect(&m_timer, &QTimer::timeout, this, [this] { flush(); });
}

RecoveryStore::~RecoveryStore()
{
    removeOwnCopy();
    releaseOrphans();
}

QString RecoveryStore::pathOf(const QString &id, const char *suffix) const
{
    return QDir(m_folder).filePath(id + QLatin1String(suffix));
}

QString RecoveryStore::copyFile() const
{
    return pathOf(m_id, CopySuffix);
}

void RecoveryStore::setModified(bool modified)
{
    m_modified = modified;
    if (modified) {
        designEdited();
        return;
    }
    m_timer.stop();
    removeOwnCopy();
}

void RecoveryStore::designEdited()
{
    if (!m_modified)
        return;
    m_edited = QDateTime::currentDateTimeUtc();
    // Not restarted by later edits: a long run of edits is still copied.
    if (!m_timer.isActive())
        m_timer.start();
}

bool RecoveryStore::lockOwnCopy()
{
    if (m_lock && m_lock->isLocked())
        return true;
    m_lock = makeLock(pathOf(m_id, LockSuffix));
    return m_lock->tryLock(0);
}

bool RecoveryStore::flush(QString *error)
{
    m_timer.stop();
    const auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (!m_modified)
        return fail(QStringLiteral("no unsaved edits"));
    Copy copy;
    copy.design = m_snapshot ? m_snapshot() : QByteArray();
    if (copy.design.isEmpty())
        return fail(QStringLiteral("no design open"));
    copy.edited = m_edited.isValid() ? m_edited : QDateTime::currentDateTimeUtc();
    copy.source = m_source;
    if (!QDir().mkpath(m_folder))
        return fail(QStringLiteral("cannot create ") + m_folder);
    if (!lockOwnCopy())
        return fail(QStringLiteral("cannot lock ") + pathOf(m_id, LockSuffix));
    return saveFileSafely(copyFile(), encode(copy), error);
}

void RecoveryStore::removeOwnCopy()
{
    QFile::remove(copyFile());
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
}

QVector<RecoveryStore::Copy> RecoveryStore::orphans()
{
    QVector<Copy> found;
    const QFileInfoList files = QDir(m_folder).entryInfoList(
        {QStringLiteral("*") + QLatin1String(CopySuffix)}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo &info : files) {
        const QString file = info.absoluteFilePath();
        if (file == QFileInfo(copyFile()).absoluteFilePath())
            continue;
        std::shared_ptr<QLockFile> lock = m_reserved.value(file);
        if (!lock) {
            // Taken only when its program is gone (a killed program leaves a
            // lock naming a dead process; a live one holds its lock).
            lock = makeLock(pathOf(info.completeBaseName(), LockSuffix));
            if (!lock->tryLock(0))
                continue;
        }
        // Read once reserved: its program may have removed it just before.
        Copy copy = read(file);
        if (copy.design.isEmpty()) {
            lock->unlock();
            m_reserved.remove(file);
            continue;
        }
        m_reserved.insert(file, lock);
        found << copy;
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Copy &a, const Copy &b) { return a.edited > b.edited; });
    return found;
}

void RecoveryStore::releaseReservation(const QString &file)
{
    if (std::shared_ptr<QLockFile> lock = m_reserved.take(file))
        lock->unlock();
}

bool RecoveryStore::discard(const Copy &copy)
{
    const bool removed = QFile::remove(copy.file) || !QFileInfo::exists(copy.file);
    releaseReservation(copy.file);
    return removed;
}

bool RecoveryStore::adopt(const Copy &copy)
{
    m_modified = true;
    m_edited = copy.edited;
    m_source = copy.source;
    // The orphan goes only once this program's copy holds the design.
    if (!flush())
        return false;
    return discard(copy);
}

void RecoveryStore::releaseOrphans()
{
    for (const std::shared_ptr<QLockFile> &lock : qAsConst(m_reserved))
        lock->unlock();
    m_reserved.clear();
}

QByteArray RecoveryStore::encode(const Copy &copy)
{
    QJsonObject object;
    object.insert(QStringLiteral("format"), QLatin1String(Format));
    object.insert(QStringLiteral("version"), Version);
    object.insert(QStringLiteral("edited"), copy.edited.toUTC().toString(Qt::ISODateWithMs));
    object.insert(QStringLiteral("source"), copy.source);
    object.insert(QStringLiteral("design"), QString::fromUtf8(copy.design));
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

RecoveryStore::Copy RecoveryStore::decode(const QByteArray &data)
{
    Copy copy;
    if (data.size() > MaxCopySize)
        return copy;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    const QJsonObject object = document.object();
    if (error.error != QJsonParseError::NoError || !document.isObject() ||
        object.value(QStringLiteral("format")).toString() != QLatin1String(Format) ||
        object.value(QStringLiteral("version")).toInt() != Version)
        return copy;
    const QDateTime edited =
        QDateTime::fromString(object.value(QStringLiteral("edited")).toString(), Qt::ISODateWithMs);
    const QByteArray design = object.value(QStringLiteral("design")).toString().toUtf8();
    const QString series = DesignFile::parse(design).value(QStringLiteral("MCU"));
    // Only what Open would take: a design of a known series.
    if (!edited.isValid() || !SeriesTable::byName(series))
        return copy;
    copy.seriesName = series;
    copy.design = design;
    copy.edited = edited.toUTC();
    copy.source = object.value(QStringLiteral("source")).toString();
    return copy;
}

RecoveryStore::Copy RecoveryStore::read(const QString &fileName)
{
    QFile file(fileName);
    Copy copy;
    if (file.size() <= MaxCopySize && file.open(QIODevice::ReadOnly))
        copy = decode(file.read(MaxCopySize + 1));
    copy.file = fileName;
    return copy;
}

QString RecoveryStore::offerTitle()
{
    return tr("Restore design");
}

QString RecoveryStore::offerText(const Copy &copy)
{
    const QString source =
        copy.source.isEmpty() ? tr("none (a new design)") : QDir::toNativeSeparators(copy.source);
    return tr("Tickforge did not close properly, and a design had unsaved edits. Restore it?\n\n"
              "Series: %1\nDesign file: %2\nLast edited: %3")
        .arg(copy.seriesName, source,
             copy.edited.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

QString RecoveryStore::restoreLabel()
{
    return tr("Restore");
}

QString RecoveryStore::discardLabel()
{
    return tr("Discard");
}

QString RecoveryStore::laterLabel()
{
    return tr("Later");
}

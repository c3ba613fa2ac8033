#include "RecentDesigns.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const char *const Key = "recentDesigns";

QSettings settings()
{
    return QSettings(QStringLiteral("Tickforge"), QStringLiteral("Tickforge"));
}

QString normalised(const QString &fileName)
{
    return QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
}

} // namespace

QStringList RecentDesigns::pushed(const QStringList &files, const QString &fileName)
{
    const QString path = normalised(fileName);
    QStringList out{path};
    for (const QString &file : files) {
        if (out.size() == kMaxFiles)
            break;
        if (normalised(file) != path)
            out << file;
    }
    return out;
}

QStringList RecentDesigns::load()
{
    QStringList files = settings().value(QLatin1String(Key)).toStringList();
    // Settings edited by hand may hold more, or blanks.
    files.removeAll(QString());
    return files.mid(0, kMaxFiles);
}

void RecentDesigns::store(const QStringList &files)
{
    settings().setValue(QLatin1String(Key), files);
}

void RecentDesigns::add(const QString &fileName)
{
    store(pushed(load(), fileName));
}

void RecentDesigns::remove(const QString &fileName)
{
    QStringList files = load();
    files.removeAll(fileName);
    store(files);
}

#include "RecentDesigns.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QVector>

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

QStringList RecentDesigns::displayNames(const QStringList &files)
{
    QVector<QStringList> parts; // path components, file name first
    for (const QString &file : files) {
        QStringList reversed;
        const QStringList components =
            QDir::fromNativeSeparators(file).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        for (auto it = components.crbegin(); it != components.crend(); ++it)
            reversed << *it;
        parts << reversed;
    }
    QStringList names;
    for (int i = 0; i < files.size(); ++i) {
        // As many trailing components as tell this entry from every other.
        int depth = 1;
        for (int j = 0; j < files.size(); ++j) {
            if (j == i)
                continue;
            int same = 0;
            while (same < parts[i].size() && same < parts[j].size() && parts[i][same] == parts[j][same])
                ++same;
            depth = qMax(depth, qMin(same + 1, int(parts[i].size())));
        }
        const QString name = parts[i].value(0);
        QStringList folders;
        for (int k = depth - 1; k >= 1; --k)
            folders << parts[i][k];
        names << (folders.isEmpty() ? name
                                    : name + QStringLiteral(" \u2014 ") + folders.join(QLatin1Char('/')));
    }
    return names;
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

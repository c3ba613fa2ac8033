#include "RecentDesigns.h"

#include "SafeSave.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QVector>

namespace {

const char *const Key = "recentDesigns";

// Where earlier versions kept the list (read once, when the new file lacks it).
QSettings oldSettings()
{
    return QSettings(QStringLiteral("Tickforge"), QStringLiteral("Tickforge"));
}

bool readJson(QIODevice &device, QSettings::SettingsMap &map)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(device.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    map = document.object().toVariantMap();
    return true;
}

// QSettings saves through a QSaveFile whose commit() misses a failed final
// flush (Qt 5): on a full disk its own formats would replace the settings
// with a cut file. This writer checks every write and the flush, and a
// failure keeps the old file.
bool writeJson(QIODevice &device, const QSettings::SettingsMap &map)
{
    return writeFully(device, QJsonDocument(QJsonObject::fromVariantMap(map)).toJson());
}

// The settings file, "Tickforge.json" beside the one earlier versions wrote.
QSettings settings()
{
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("json"), readJson, writeJson);
    const QFileInfo old(oldSettings().fileName());
    return QSettings(old.absolutePath() + QLatin1Char('/') + old.completeBaseName() + QStringLiteral(".json"),
                     format);
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
    const QSettings current = settings();
    QStringList files = current.contains(QLatin1String(Key))
                            ? current.value(QLatin1String(Key)).toStringList()
                            : oldSettings().value(QLatin1String(Key)).toStringList();
    // Settings edited by hand may hold more, or blanks.
    files.removeAll(QString());
    return files.mid(0, kMaxFiles);
}

bool RecentDesigns::store(const QStringList &files)
{
    QSettings current = settings();
    current.setValue(QLatin1String(Key), files);
    current.sync();
    return current.status() == QSettings::NoError;
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

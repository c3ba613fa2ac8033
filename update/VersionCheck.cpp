#include "VersionCheck.h"

#include <QDomDocument>
#include <QDomElement>
#include <QFile>

#include <limits>

QString readListValue(const QString &fileName, const QString &section, const QString &key,
                      const QString &field)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QDomDocument document;
    if (!document.setContent(&file))
        return QString();

    const QDomElement sectionElement = document.documentElement().firstChildElement(section);
    if (sectionElement.isNull())
        return QString();
    for (QDomElement entry = sectionElement.firstChildElement(); !entry.isNull();
         entry = entry.nextSiblingElement()) {
        bool found = false;
        for (QDomElement element = entry.firstChildElement(); !element.isNull();
             element = element.nextSiblingElement()) {
            if (element.text() == key)
                found = true;
            if (found && element.tagName() == field)
                return element.text();
        }
    }
    return QString();
}

int versionNumber(const QString &version)
{
    const int firstDot = version.indexOf(QLatin1Char('.'));
    if (firstDot < 0)
        return 0;
    const QString majorText = version.left(firstDot);
    const QString rest = version.mid(firstDot + 1);
    const int secondDot = rest.indexOf(QLatin1Char('.'));
    const QString minorText = secondDot < 0 ? rest : rest.left(secondDot);
    const QString patchText = secondDot < 0 ? rest : rest.mid(secondDot + 1);

    bool okMajor = false;
    bool okMinor = false;
    bool okPatch = false;
    const qint64 major = majorText.toInt(&okMajor, 16);
    const qint64 minor = minorText.toInt(&okMinor, 16);
    const qint64 patch = patchText.toInt(&okPatch, 16);
    if (!okMajor || !okMinor || !okPatch)
        return 0;
    // Packed in 64 bits so that an absurd version from the server cannot
    // overflow; such a value is held at the ends of the int range.
    const qint64 value = (major * 256 + minor) * 256 + patch;
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(value);
}

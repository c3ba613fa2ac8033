#include "VersionCheck.h"

#include <QDomDocument>
#include <QDomElement>

#include <limits>

namespace {

QString entryValue(const QDomDocument &document, const QString &section, const QString &key,
                   const QString &field)
{
    const QDomElement sectionElement = document.documentElement().firstChildElement(section);
    for (QDomElement entry = sectionElement.firstChildElement(); !entry.isNull();
         entry = entry.nextSiblingElement()) {
        bool found = false;
        for (QDomElement element = entry.firstChildElement(); !element.isNull();
             element = element.nextSiblingElement()) {
            // A pretty-printed list puts blanks and line breaks around texts.
            const QString text = element.text().trimmed();
            if (text == key)
                found = true;
            if (found && element.tagName() == field)
                return text;
        }
    }
    return QString();
}

} // namespace

UpdateListEntry readUpdateList(const QByteArray &xml, const QString &section, const QString &key)
{
    UpdateListEntry entry;
    QDomDocument document;
    entry.parsed = document.setContent(xml);
    if (!entry.parsed)
        return entry;
    entry.version = entryValue(document, section, key, QStringLiteral("Version"));
    entry.url = entryValue(document, section, key, QStringLiteral("URL"));
    entry.urlEn = entryValue(document, section, key, QStringLiteral("URLEN"));
    entry.sha256 = entryValue(document, section, key, QStringLiteral("SHA256"));
    return entry;
}

int versionNumber(const QString &version, bool *ok)
{
    if (ok)
        *ok = false;
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
    if (ok)
        *ok = true;
    // Packed in 64 bits so that an absurd version from the server cannot
    // overflow; such a value is held at the ends of the int range.
    const qint64 value = (major * 256 + minor) * 256 + patch;
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(value);
}

#include "VersionCheck.h"

#include "Crypto.h"

#include <QRegExp>
#include <QXmlStreamReader>

#include <limits>

namespace {

// The fields read from the product's entry, in UpdateListEntry's order.
const char *const kFields[] = {"Version", "URL", "URLEN", "SHA256", "Expires"};
constexpr int FieldCount = int(sizeof kFields / sizeof *kFields);

int fieldIndex(const QString &name)
{
    for (int i = 0; i < FieldCount; ++i) {
        if (name == QLatin1String(kFields[i]))
            return i;
    }
    return -1;
}

// One entry while it is read.
struct EntryFields {
    bool hasKey = false;
    int counts[FieldCount] = {};
    QString values[FieldCount];
};

bool isSha256(const QString &hex)
{
    static const QRegExp pattern(QStringLiteral("[0-9a-fA-F]{64}"));
    return pattern.exactMatch(hex);
}

// A strict "YYYY-MM-DD"; null for anything else.
QDate expiryDate(const QString &text)
{
    static const QRegExp pattern(QStringLiteral("\\d{4}-\\d{2}-\\d{2}"));
    return pattern.exactMatch(text) ? QDate::fromString(text, Qt::ISODate) : QDate();
}

} // namespace

UpdateListEntry readUpdateList(const QByteArray &xml, const QString &section, const QString &key)
{
    UpdateListEntry refused;
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);
    int depth = 0;
    int sections = 0;
    int products = 0;
    bool inSection = false;
    EntryFields entry, product;
    QString fieldName;
    QString fieldText;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD: // entity declarations serve only to blow up a reader
        case QXmlStreamReader::EntityReference:
            return refused;
        case QXmlStreamReader::StartElement:
            if (++depth > MaxListDepth)
                return refused;
            if (depth == 2) {
                inSection = reader.name() == section;
                if (inSection && ++sections > 1)
                    return refused;
            } else if (depth == 3 && inSection) {
                entry = EntryFields();
            } else if (depth == 4 && inSection) {
                fieldName = reader.name().toString();
                fieldText.clear();
            }
            break;
        case QXmlStreamReader::Characters:
            // A field's text is all text inside it, nested or not.
            if (depth >= 4 && inSection)
                fieldText += reader.text();
            break;
        case QXmlStreamReader::EndElement:
            if (depth == 4 && inSection) {
                // A pretty-printed list puts blanks and line breaks around texts.
                const QString text = fieldText.trimmed();
                if (text == key)
                    entry.hasKey = true;
                const int field = fieldIndex(fieldName);
                if (field >= 0 && ++entry.counts[field] == 1 && entry.hasKey)
                    entry.values[field] = text;
            } else if (depth == 3 && inSection && entry.hasKey) {
                if (++products > 1)
                    return refused;
                for (const int count : entry.counts) {
                    if (count > 1)
                        return refused;
                }
                product = entry;
            }
            --depth;
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        return refused;
    UpdateListEntry result;
    result.parsed = true;
    result.version = product.values[0];
    result.url = product.values[1];
    result.urlEn = product.values[2];
    result.sha256 = product.values[3];
    result.expires = product.values[4];
    return result;
}

CheckedList checkUpdateList(const QByteArray &list, const QByteArray &signatureFile,
                            const QByteArray &publicKey, const QDate &today)
{
    CheckedList checked;
    const bool keyed = !publicKey.isEmpty();
    if (keyed) {
        const QByteArray::FromBase64Result signature =
            QByteArray::fromBase64Encoding(signatureFile.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
        if (!signature || !verifyEd25519(publicKey, list, *signature)) {
            checked.verdict = ListVerdict::BadSignature;
            return checked;
        }
    }
    checked.entry = readUpdateList(list, QStringLiteral("VelornTool"), QStringLiteral("Tickforge"));
    const UpdateListEntry &entry = checked.entry;
    bool versionRead = false;
    versionNumber(entry.version, &versionRead);
    const QDate expiry = expiryDate(entry.expires);
    // A signed list vouches for the package through its checksum, and for
    // its own freshness through its expiry date.
    const bool expiryReadable = expiry.isValid() || (!keyed && entry.expires.isEmpty());
    if (!entry.parsed || !versionRead || !expiryReadable || (keyed && !isSha256(entry.sha256))) {
        checked.verdict = ListVerdict::Unreadable;
        return checked;
    }
    checked.verdict = !expiry.isValid()                         ? ListVerdict::Good
                      : today >= expiry                         ? ListVerdict::Expired
                      : expiry > today.addDays(MaxListLifeDays) ? ListVerdict::ExpiresTooLate
                                                                : ListVerdict::Good;
    return checked;
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

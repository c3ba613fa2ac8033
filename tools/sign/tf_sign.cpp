// tf_sign keypair PRIVATE.pem   make a key; prints the public key for -DTF_UPDATE_PUBLIC_KEY
// tf_sign public PRIVATE.pem    print that public key again
// tf_sign sign PRIVATE.pem LIST write LIST.sig, once LIST reads as the program would take it
#include "Crypto.h"
#include "SafeSave.h"
#include "VersionCheck.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QStringList>

#include <openssl/evp.h>
#include <openssl/pem.h>

#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace {

using Key = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;

int fail(const QString &text)
{
    std::fprintf(stderr, "tf_sign: %s\n", qPrintable(text));
    return 1;
}

Key readPrivateKey(const QString &path)
{
    Key key(nullptr, &EVP_PKEY_free);
    if (FILE *file = std::fopen(QFile::encodeName(path).constData(), "rb")) {
        key.reset(PEM_read_PrivateKey(file, nullptr, nullptr, nullptr));
        std::fclose(file);
    }
    if (key && EVP_PKEY_id(key.get()) != EVP_PKEY_ED25519)
        key.reset();
    return key;
}

QByteArray publicKey(EVP_PKEY *key)
{
    QByteArray raw(32, '\0');
    size_t size = 32;
    if (EVP_PKEY_get_raw_public_key(key, reinterpret_cast<unsigned char *>(raw.data()), &size) != 1 ||
        size != 32)
        return QByteArray();
    return raw;
}

// A key whose secret is all zero is no secret, and a public key of small
// order lets forged signatures verify: neither signs a list.
bool isSafe(EVP_PKEY *key)
{
    QByteArray secret(32, '\0');
    size_t size = 32;
    const bool secretSafe =
        EVP_PKEY_get_raw_private_key(key, reinterpret_cast<unsigned char *>(secret.data()), &size) == 1 &&
        size == 32 && secret != QByteArray(32, '\0');
    const QByteArray open = publicKey(key);
    return secretSafe && open.size() == 32 && !isUnsafeEd25519Key(open);
}

int unsafeKey(const QString &path)
{
    return fail(QStringLiteral("%1 holds a key that cannot be trusted (all zero, or a point of small order); "
                               "make another with 'tf_sign keypair'")
                    .arg(path));
}

int keypair(const QString &path)
{
    if (QFile::exists(path))
        return fail(QStringLiteral("%1 exists; a key is never overwritten").arg(path));
    Key key(nullptr, &EVP_PKEY_free);
    EVP_PKEY *made = nullptr;
    std::unique_ptr<EVP_PKEY_CTX, decltype(&EVP_PKEY_CTX_free)> context(
        EVP_PKEY_CTX_new_id(EVP_PKEY_ED25519, nullptr), &EVP_PKEY_CTX_free);
    if (!context || EVP_PKEY_keygen_init(context.get()) != 1 || EVP_PKEY_keygen(context.get(), &made) != 1)
        return fail(QStringLiteral("could not make a key"));
    key.reset(made);
    if (!isSafe(key.get()))
        return unsafeKey(path);
    // Readable by its owner only, from the moment it exists.
    const mode_t old = umask(077);
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "wx");
    umask(old);
    if (!file)
        return fail(QStringLiteral("cannot write %1").arg(path));
    const bool written = PEM_write_PrivateKey(file, key.get(), nullptr, nullptr, 0, nullptr, nullptr) == 1;
    if (std::fclose(file) != 0 || !written) {
        QFile::remove(path);
        return fail(QStringLiteral("cannot write %1").arg(path));
    }
    std::printf("%s\n", publicKey(key.get()).toBase64().constData());
    return 0;
}

int printPublic(const QString &path)
{
    const Key key = readPrivateKey(path);
    if (!key)
        return fail(QStringLiteral("%1 is not an Ed25519 private key").arg(path));
    if (!isSafe(key.get()))
        return unsafeKey(path);
    std::printf("%s\n", publicKey(key.get()).toBase64().constData());
    return 0;
}

int sign(const QString &keyPath, const QString &listPath)
{
    const Key key = readPrivateKey(keyPath);
    if (!key)
        return fail(QStringLiteral("%1 is not an Ed25519 private key").arg(keyPath));
    if (!isSafe(key.get()))
        return unsafeKey(keyPath);
    QFile listFile(listPath);
    if (!listFile.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(listPath));
    const QByteArray list = listFile.readAll();

    QByteArray signature(64, '\0');
    size_t size = 64;
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    if (!context || EVP_DigestSignInit(context.get(), nullptr, nullptr, nullptr, key.get()) != 1 ||
        EVP_DigestSign(context.get(), reinterpret_cast<unsigned char *>(signature.data()), &size,
                       reinterpret_cast<const unsigned char *>(list.constData()), size_t(list.size())) != 1)
        return fail(QStringLiteral("could not sign %1").arg(listPath));
    const QByteArray signatureFile = signature.toBase64() + '\n';

    // Judged exactly as a build with this key would judge it today.
    const CheckedList checked =
        checkUpdateList(list, signatureFile, publicKey(key.get()), QDateTime::currentDateTimeUtc().date());
    switch (checked.verdict) {
    case ListVerdict::Good:
        break;
    case ListVerdict::Expired:
        return fail(QStringLiteral("%1 expired on %2; give it a later <Expires> date")
                        .arg(listPath, checked.entry.expires));
    case ListVerdict::ExpiresTooLate:
        return fail(QStringLiteral("%1 expires on %2, more than %3 days from today; give it an earlier "
                                   "<Expires> date")
                        .arg(listPath, checked.entry.expires)
                        .arg(MaxListLifeDays));
    case ListVerdict::BadSignature:
        return fail(QStringLiteral("the signature does not verify"));
    case ListVerdict::Unreadable:
        return fail(QStringLiteral("the program would not read %1: it needs one Tickforge entry under "
                                   "VelornTool with Version, URL, URLEN, SHA256 (64 hex digits) and "
                                   "Expires (YYYY-MM-DD), none of them twice")
                        .arg(listPath));
    }
    QString reason;
    if (!saveFileSafely(listPath + QLatin1String(".sig"), signatureFile, &reason))
        return fail(QStringLiteral("cannot write %1.sig: %2").arg(listPath, reason));
    std::printf("signed %s: version %s, expires %s\n", qPrintable(listPath),
                qPrintable(checked.entry.version), qPrintable(checked.entry.expires));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    const QString command = arguments.value(0);
    if (command == QLatin1String("keypair") && arguments.size() == 2)
        return keypair(arguments.at(1));
    if (command == QLatin1String("public") && arguments.size() == 2)
        return printPublic(arguments.at(1));
    if (command == QLatin1String("sign") && arguments.size() == 3)
        return sign(arguments.at(1), arguments.at(2));
    std::fprintf(stderr, "usage: tf_sign keypair PRIVATE.pem | public PRIVATE.pem | sign PRIVATE.pem LIST\n");
    return 2;
}

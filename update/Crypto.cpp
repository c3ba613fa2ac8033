#include "Crypto.h"

#include <openssl/evp.h>

#include <memory>

Sha256::Sha256() : m_context(EVP_MD_CTX_new())
{
    reset();
}

Sha256::~Sha256()
{
    EVP_MD_CTX_free(m_context);
}

void Sha256::reset()
{
    EVP_DigestInit_ex(m_context, EVP_sha256(), nullptr);
}

void Sha256::addData(const char *data, qint64 size)
{
    EVP_DigestUpdate(m_context, data, size_t(size));
}

QByteArray Sha256::hexResult()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (EVP_DigestFinal_ex(m_context, digest, &size) != 1)
        return QByteArray();
    reset();
    return QByteArray(reinterpret_cast<const char *>(digest), int(size)).toHex();
}

bool isUnsafeEd25519Key(const QByteArray &publicKey)
{
    if (publicKey.size() != 32)
        return false;
    // The y coordinates of the points of small order (0, 1, -1 and the two of
    // order 8) and y + p for 0 and 1, little-endian, the sign bit of x aside.
    static const char *const SmallOrderY[] = {
        "0000000000000000000000000000000000000000000000000000000000000000",
        "0100000000000000000000000000000000000000000000000000000000000000",
        "ecffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff7f",
        "26e8958fc2b227b045c3f489f2ef98f0d5dfac05d3c63339b13802886d53fc05",
        "c7176a703d4dd84fba3c0b760d10670f2a2053fa2c39ccc64ec7fd7792ac037a",
        "edffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff7f",
        "eeffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff7f",
    };
    QByteArray y = publicKey;
    y[31] = char(y.at(31) & 0x7f);
    for (const char *hex : SmallOrderY) {
        if (y == QByteArray::fromHex(hex))
            return true;
    }
    return false;
}

bool verifyEd25519(const QByteArray &publicKey, const QByteArray &message, const QByteArray &signature)
{
    if (publicKey.size() != 32 || signature.size() != 64 || isUnsafeEd25519Key(publicKey))
        return false;
    const std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key(
        EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr,
                                    reinterpret_cast<const unsigned char *>(publicKey.constData()),
                                    size_t(publicKey.size())),
        &EVP_PKEY_free);
    const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    if (!key || !context || EVP_DigestVerifyInit(context.get(), nullptr, nullptr, nullptr, key.get()) != 1)
        return false;
    // Ed25519 signs the message itself in one pass, hence no update calls.
    return EVP_DigestVerify(context.get(), reinterpret_cast<const unsigned char *>(signature.constData()),
                            size_t(signature.size()),
                            reinterpret_cast<const unsigned char *>(message.constData()),
                            size_t(message.size())) == 1;
}

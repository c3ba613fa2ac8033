#pragma once

#include <QByteArray>

struct evp_md_ctx_st;

// SHA-256 and Ed25519 from OpenSSL's libcrypto: its SHA-256 uses the
// processor's hash instructions, several times faster than Qt's own.
class Sha256 final {
public:
    Sha256();
    ~Sha256();
    Q_DISABLE_COPY(Sha256)

    void reset();
    void addData(const char *data, qint64 size);
    void addData(const QByteArray &data) { addData(data.constData(), data.size()); }
    QByteArray hexResult(); // lower-case hex digest of everything added since reset()

private:
    evp_md_ctx_st *m_context = nullptr;
};

// True for a raw Ed25519 public key no one may trust: all zero, or any
// encoding of a point of small order, for which forged signatures verify.
bool isUnsafeEd25519Key(const QByteArray &publicKey);

// True when signature (64 bytes) is the Ed25519 signature of message under
// publicKey (32 raw bytes). Any malformed input, or an unsafe key, gives false.
bool verifyEd25519(const QByteArray &publicKey, const QByteArray &message, const QByteArray &signature);

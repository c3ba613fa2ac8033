// The update list's reader and signature check on any bytes. The input is
// the list, optionally followed by "\n.sig\n" and the signature file. It is
// judged with no key (so the parser sees everything) and with a key (so the
// signature's decoding and check run; nothing unsigned reaches the parser).
#include "VersionCheck.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), int(size));
    const int cut = input.lastIndexOf("\n.sig\n");
    const QByteArray list = cut < 0 ? input : input.left(cut);
    const QByteArray signature = cut < 0 ? QByteArray() : input.mid(cut + 6);
    const QDate today(2026, 12, 6);
    static const QByteArray key = QByteArray::fromBase64("HgccjW7NfSmyl/B2FGAMCRTZUyiFInwXwJ28ZW0em6E=");

    const CheckedList open = checkUpdateList(list, signature, QByteArray(), today);
    if (open.verdict == ListVerdict::BadSignature)
        std::abort(); // without a key the signature is not looked at
    // The private key of this public key was thrown away when it was made,
    // so nothing the fuzzer makes can pass the signature check.
    if (checkUpdateList(list, signature, key, today).verdict != ListVerdict::BadSignature)
        std::abort();
    return 0;
}

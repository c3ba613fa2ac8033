// The design-file reader on any bytes: it must refuse or read, never crash,
// hang or recurse, and what it reads must write back the same way.
#include "DesignFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const DesignFile::Elements elements = DesignFile::parse(bytes);
    // Whatever was read, the parser's limits hold.
    if (!elements.isEmpty() && (bytes.size() > DesignFile::MaxFileSize || elements.size() > bytes.size()))
        std::abort();
    return 0;
}

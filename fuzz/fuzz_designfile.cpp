// The design-file reader on any bytes: it must refuse or read, never crash,
// hang or recurse, and what it reads must write back the same way. A file of
// a known series is opened as Open does: whatever numbers it holds ("nan",
// "1e400", digits past a double), the record it gives holds no NaN or
// infinity, so no clock derived from it can show one.
#include "DesignDocument.h"
#include "DesignFile.h"
#include "SeriesTable.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const DesignFile::Elements elements = DesignFile::parse(bytes);
    // Whatever was read, the parser's limits hold.
    if (!elements.isEmpty() && (bytes.size() > DesignFile::MaxFileSize || elements.size() > bytes.size()))
        std::abort();
    const SeriesParams *series = SeriesTable::byName(elements.value(QStringLiteral("MCU")));
    if (!series)
        return 0;
    DesignDocument document(series->id);
    document.open(elements.values());
    for (const auto &field : document.record().fieldValues()) {
        if (field.second.type() == QVariant::Double && !std::isfinite(field.second.toDouble()))
            std::abort();
    }
    return 0;
}

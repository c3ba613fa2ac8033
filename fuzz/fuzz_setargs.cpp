// The arguments of `tickforge-cli set` and the edits they make: the first
// byte picks the series and whether the crystal is kept, each further line is
// one NAME=VALUE argument. Any
// argument is parsed or refused, every edit it makes runs on the design, and
// an edit that is not applied leaves the record exactly as it was.
#include "DesignDocument.h"
#include "EditArguments.h"
#include "SeriesTable.h"

#include <QStringList>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QVector<SeriesParams> &all = SeriesTable::all();
    const SeriesParams &series = all.at(data[0] % all.size());
    DesignDocument document(series.id); // no prompter: every question is answered Cancel
    // As the window corrects a crystal, or as set refuses to.
    document.setCrystalKept((data[0] / all.size()) % 2 == 1);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), int(size - 1));
    const QStringList arguments = text.split(QLatin1Char('\n'));
    for (int i = 0; i < arguments.size() && i < 32; ++i) {
        QVector<DesignEdit> edits;
        QString error;
        if (!EditArguments::parse(series, arguments.at(i), &edits, &error)) {
            if (error.isEmpty())
                std::abort(); // a refusal always says why
            continue;
        }
        for (const DesignEdit &edit : edits) {
            const ClockConfig before = document.record();
            const EditOutcome outcome = document.apply(edit);
            if (!outcome.applied() && !DesignDocument::sameRecord(before, document.record()))
                std::abort();
        }
    }
    document.passGate();
    return 0;
}

#pragma once

#include <QFileInfo>
#include <QImage>
#include <QString>

#include <cstring>

// Pictures checked in under tests/reference as last looked at. Compares an
// image with its reference; returns what differs, empty when nothing does.
// With TF_UPDATE_REFERENCES set it first takes the image as the reference:
// do that only after looking at the new pictures.
inline QString differenceFromReference(const QImage &image, const QString &name)
{
    const QString path = QStringLiteral(TF_REFERENCE_DIR "/") + name;
    const QImage shown = image.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("TF_UPDATE_REFERENCES") && !shown.save(path))
        return QStringLiteral("cannot write ") + path;
    const QImage reviewed = QImage(path).convertToFormat(QImage::Format_RGB32);
    if (shown.size() != reviewed.size())
        return QStringLiteral("%1 is not the size of %2").arg(name, path);
    int rows = 0;
    for (int y = 0; y < shown.height(); ++y)
        rows += std::memcmp(shown.constScanLine(y), reviewed.constScanLine(y), size_t(shown.bytesPerLine()))
                    ? 1
                    : 0;
    return rows ? QStringLiteral("%1 rows differ from %2").arg(rows).arg(path) : QString();
}

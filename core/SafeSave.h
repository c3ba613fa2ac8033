#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// The one way this program writes a user's file: into a QSaveFile, every write
// checked, flushed and checked, then committed. Any failure leaves the old
// file byte for byte as it was. Returns false with a reason in *error.
bool saveFileSafely(const QString &path, const QByteArray &data, QString *error = nullptr);

// Writes all of data to device; false on any short or failed write, or when
// the final flush fails.
bool writeFully(QIODevice &device, const QByteArray &data);

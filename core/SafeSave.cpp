#include "SafeSave.h"

#include <QFileDevice>
#include <QSaveFile>

bool writeFully(QIODevice &device, const QByteArray &data)
{
    qint64 done = 0;
    while (done < data.size()) {
        const qint64 n = device.write(data.constData() + done, data.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    // Qt 5's commit() can miss a failed final flush (full disk), so flush here.
    if (auto *file = qobject_cast<QFileDevice *>(&device))
        return file->flush();
    return true;
}

bool saveFileSafely(const QString &path, const QByteArray &data, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!writeFully(file, data)) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

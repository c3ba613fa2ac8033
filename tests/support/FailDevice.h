#pragma once

#include <QBuffer>

// A device that accepts a given number of bytes, then fails every write.
class FailDevice final : public QBuffer {
public:
    explicit FailDevice(qint64 failAfter, QObject *parent = nullptr) : QBuffer(parent), m_failAfter(failAfter)
    {}

protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        const qint64 room = m_failAfter - size();
        if (room <= 0) {
            setErrorString(QStringLiteral("device full"));
            return -1;
        }
        return QBuffer::writeData(data, qMin(len, room));
    }

private:
    qint64 m_failAfter;
};

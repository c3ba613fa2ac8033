#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>

class QTcpSocket;

// One HTTP/1.1 GET over its own connection, as a QNetworkReply.
//
// Qt's own HTTP reader takes any number of header lines and then files them
// on the main thread in time that grows with the square of their number, so
// a server could freeze the program with a flood of header lines. This
// reader refuses more than MaxHeaderLines lines or MaxHeadSize bytes of
// head, reads the body as its length or its chunks say, and hands bytes
// over only as fast as they are read (the socket's read buffer bounds
// memory). No proxy, no authentication, no cookies, one request per
// connection: what a download of one file needs.
class HttpGet final : public QNetworkReply {
    Q_OBJECT

public:
    // The request's address, SSL configuration and raw headers are used.
    HttpGet(const QNetworkRequest &request, QObject *parent);
    ~HttpGet() override;

    void abort() override;
    void setReadBufferSize(qint64 size) override;
    qint64 bytesAvailable() const override;
    bool isSequential() const override { return true; }

    static constexpr int MaxHeaderLines = 200;
    static constexpr int MaxHeadSize = 64 * 1024;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    void ignoreSslErrorsImplementation(const QList<QSslError> &errors) override;

private:
    enum class State { Head, Body, ChunkSize, ChunkEnd, Trailer, Done };

    void sendRequest();
    void process();
    bool readHead();
    bool readChunkFraming();
    bool takeLine(QByteArray &line, int limit);
    qint64 bodyAvailable() const;
    void onDisconnected();
    void onSocketError();
    void complete();
    void failWith(NetworkError code, const QString &text);
    void finishOnce();

    QTcpSocket *m_socket = nullptr;
    QByteArray m_in; // bytes taken from the socket, not yet consumed
    State m_state = State::Head;
    bool m_chunked = false;
    bool m_closed = false;
    bool m_finished = false;
    bool m_processing = false;
    qint64 m_left = -1; // of the body or the current chunk; -1: to the end of the connection
    qint64 m_total = -1;
    qint64 m_delivered = 0;
    int m_headLines = 0;
    int m_headSize = 0;
};

#include "TestServer.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTimer>

#include <sys/socket.h>

namespace {

QSslCertificate testCertificate;
QSslKey testKey;

// Serves one request on one socket, then closes it.
class Connection : public QObject {
public:
    Connection(QTcpSocket *socket, TestServer *server) : QObject(socket), m_socket(socket), m_server(server)
    {
        connect(socket, &QTcpSocket::readyRead, this, &Connection::start);
        connect(socket, &QTcpSocket::bytesWritten, this, &Connection::pump);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(&m_delay, &QTimer::timeout, this, &Connection::pump);
        m_delay.setSingleShot(true);
    }

private:
    void start()
    {
        m_request += m_socket->readAll();
        if (m_started || !m_request.contains("\r\n\r\n"))
            return;
        m_started = true;
        const QByteArray path = m_request.left(m_request.indexOf("\r\n")).split(' ').value(1);
        m_server->requestedPaths.append(path);
        const int host = m_request.indexOf("\r\nHost: ") + 8;
        m_server->requestedHosts.append(host < 8 ? QByteArray()
                                                 : m_request.mid(host, m_request.indexOf('\r', host) - host));
        // The program must never let Qt ask for a compressed body (which Qt
        // would inflate beyond any size check); such a request is refused.
        const bool compressing = m_request.toLower().contains("\r\naccept-encoding: gzip");
        m_route = compressing ? TestServer::file("compression asked for", 406) : m_server->route(path);
        m_total = m_route.generated >= 0 ? m_route.generated : m_route.body.size();
        QByteArray head =
            "HTTP/1.1 " + QByteArray::number(m_route.status) + " Status\r\nConnection: close\r\n";
        if (m_route.chunked)
            head += "Transfer-Encoding: chunked\r\n";
        else if (m_route.announceLength)
            head += "Content-Length: " + QByteArray::number(m_total) + "\r\n";
        for (const auto &header : m_route.headers)
            head += header.first + ": " + header.second + "\r\n";
        for (int i = 0; i < m_route.headerLines; ++i)
            head += "X-Filler-" + QByteArray::number(i) + ": " + QByteArray(16, 'x') + "\r\n";
        m_socket->write(head + "\r\n");
        pump();
    }

    void pump()
    {
        if (!m_started || m_delay.isActive())
            return;
        // A stalled body keeps the line open and silent.
        qint64 end = m_route.stallAfter >= 0 ? qMin(m_total, m_route.stallAfter) : m_total;
        if (m_route.cutAfter >= 0)
            end = qMin(end, m_route.cutAfter);
        while (m_sent < end && m_socket->bytesToWrite() < 256 * 1024) {
            const qint64 n = qMin<qint64>(m_route.chunkBytes, end - m_sent);
            const QByteArray piece = m_route.generated >= 0 ? TestServer::pattern(m_sent, n)
                                                            : m_route.body.mid(int(m_sent), int(n));
            m_socket->write(m_route.chunked ? QByteArray::number(n, 16) + "\r\n" + piece + "\r\n" : piece);
            m_sent += n;
            if (m_route.chunkDelayMs > 0)
                return m_delay.start(m_route.chunkDelayMs);
        }
        if (m_sent >= m_total && !m_ended) {
            m_ended = true;
            if (m_route.chunked) {
                QByteArray trailers;
                for (int i = 0; i < m_route.trailerLines; ++i)
                    trailers += "X-Trailer-" + QByteArray::number(i) + ": x\r\n";
                m_socket->write("0\r\n" + trailers + "\r\n");
            }
            m_socket->disconnectFromHost();
        } else if (m_sent >= end && m_route.cutAfter >= 0 && !m_ended) {
            m_ended = true;
            if (!m_route.reset)
                return m_socket->disconnectFromHost();
            // What was written goes out first; then a reset instead of a close.
            m_socket->flush();
            m_socket->waitForBytesWritten(1000);
            const struct linger hard = {1, 0};
            setsockopt(int(m_socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
            m_socket->abort();
        }
    }

    QTcpSocket *m_socket;
    TestServer *m_server;
    QByteArray m_request;
    TestServer::Route m_route;
    QTimer m_delay;
    bool m_started = false;
    bool m_ended = false;
    qint64 m_total = 0;
    qint64 m_sent = 0;
};

bool loadTestCertificate()
{
    QFile cert(QStringLiteral(TF_UPDATE_TEST_DATA "/localhost-cert.pem"));
    QFile key(QStringLiteral(TF_UPDATE_TEST_DATA "/localhost-key.pem"));
    if (testCertificate.isNull() && cert.open(QIODevice::ReadOnly) && key.open(QIODevice::ReadOnly)) {
        testCertificate = QSslCertificate(cert.readAll(), QSsl::Pem);
        testKey = QSslKey(key.readAll(), QSsl::Rsa, QSsl::Pem);
    }
    return !testCertificate.isNull() && !testKey.isNull();
}

} // namespace

bool TestServer::start()
{
    return (!m_tls || loadTestCertificate()) && listen(QHostAddress::LocalHost, 0);
}

QString TestServer::base() const
{
    return QStringLiteral("%1://127.0.0.1:%2").arg(m_tls ? "https" : "http").arg(serverPort());
}

TestServer::Route TestServer::route(const QByteArray &path) const
{
    return m_routes.value(path, file("not found", 404));
}

TestServer::Route TestServer::file(const QByteArray &body, int status)
{
    Route route;
    route.status = status;
    route.body = body;
    return route;
}

TestServer::Route TestServer::redirect(const QByteArray &location, int status)
{
    Route route = file("moved", status);
    route.headers.append({"Location", location});
    return route;
}

QByteArray TestServer::pattern(qint64 offset, qint64 size)
{
    // A prime period, so that the bytes do not line up with any buffer size.
    constexpr int Period = 65521;
    static const QByteArray cycle = [] {
        QByteArray bytes(2 * Period, Qt::Uninitialized);
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(((i % Period) * 7 + (i % Period) / 251) & 0xff);
        return bytes;
    }();
    QByteArray bytes(int(size), Qt::Uninitialized);
    for (int done = 0; done < size;) {
        const int n = int(qMin<qint64>(Period, size - done));
        memcpy(bytes.data() + done, cycle.constData() + (offset + done) % Period, size_t(n));
        done += n;
    }
    return bytes;
}

void TestServer::incomingConnection(qintptr descriptor)
{
    QTcpSocket *socket = m_tls ? new QSslSocket(this) : new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    if (auto *ssl = qobject_cast<QSslSocket *>(socket)) {
        ssl->setLocalCertificate(testCertificate);
        ssl->setPrivateKey(testKey);
        ssl->setProtocol(QSsl::TlsV1_2OrLater);
        ssl->startServerEncryption();
    }
    connect(socket, &QAbstractSocket::errorOccurred, socket, &QObject::deleteLater);
    new Connection(socket, this);
}

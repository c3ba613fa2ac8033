#include "TestServer.h"

#include <QFile>
#include <QPointer>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTimer>

#include <functional>

namespace {

QSslCertificate testCertificate;
QSslKey testKey;

constexpr qint64 ChunkSize = 64 * 1024;
constexpr qint64 WriteHighWater = 256 * 1024;

// Serves one request on one socket, then closes it.
class Connection : public QObject {
public:
    Connection(QTcpSocket *socket, TestServer *server,
               std::function<TestServer::Route(const QByteArray &)> lookup)
        : QObject(socket), m_socket(socket), m_server(server), m_lookup(std::move(lookup))
    {
        connect(socket, &QTcpSocket::readyRead, this, [this] { onReadyRead(); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this] { pump(); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(&m_delay, &QTimer::timeout, this, [this] { pump(); });
        m_delay.setSingleShot(true);
    }

private:
    void onReadyRead()
    {
        m_request += m_socket->readAll();
        if (m_started || !m_request.contains("\r\n\r\n"))
            return;
        m_started = true;
        const QList<QByteArray> line = m_request.left(m_request.indexOf("\r\n")).split(' ');
        const QByteArray path = line.size() > 1 ? line.at(1) : QByteArray("/");
        m_server->requestedPaths.append(path);
        m_route = m_lookup(path);
        m_total = m_route.generated >= 0 ? m_route.generated : m_route.body.size();

        QByteArray head = "HTTP/1.1 " + QByteArray::number(m_route.status) +
                          (m_route.status == 200 ? " OK" : " Status") + "\r\nConnection: close\r\n";
        if (m_route.announceLength)
            head += "Content-Length: " + QByteArray::number(m_total) + "\r\n";
        for (const auto &header : m_route.headers)
            head += header.first + ": " + header.second + "\r\n";
        head += "\r\n";
        m_socket->write(head);
        pump();
    }

    void pump()
    {
        if (!m_started || m_done || m_delay.isActive())
            return;
        while (m_sent < m_total && m_socket->bytesToWrite() < WriteHighWater) {
            if (m_route.stallAfter >= 0 && m_sent >= m_route.stallAfter)
                return; // keep the connection open and silent
            qint64 n = qMin(ChunkSize, m_total - m_sent);
            if (m_route.stallAfter >= 0)
                n = qMin(n, m_route.stallAfter - m_sent);
            const QByteArray chunk = m_route.generated >= 0 ? TestServer::pattern(m_sent, n)
                                                            : m_route.body.mid(int(m_sent), int(n));
            m_socket->write(chunk);
            m_sent += n;
            if (m_route.chunkDelayMs > 0) {
                m_delay.start(m_route.chunkDelayMs);
                return;
            }
        }
        if (m_sent >= m_total) {
            m_done = true;
            m_socket->disconnectFromHost();
        }
    }

    QTcpSocket *m_socket;
    QPointer<TestServer> m_server;
    std::function<TestServer::Route(const QByteArray &)> m_lookup;
    QByteArray m_request;
    TestServer::Route m_route;
    QTimer m_delay;
    bool m_started = false;
    bool m_done = false;
    qint64 m_total = 0;
    qint64 m_sent = 0;
};

} // namespace

TestServer::TestServer(bool tls, QObject *parent) : QTcpServer(parent), m_tls(tls)
{}

bool TestServer::start()
{
    if (m_tls && !loadTestCertificate())
        return false;
    return listen(QHostAddress::LocalHost, 0);
}

QString TestServer::base() const
{
    return QStringLiteral("%1://127.0.0.1:%2").arg(m_tls ? "https" : "http").arg(serverPort());
}

void TestServer::setRoute(const QByteArray &path, const Route &route)
{
    m_routes.insert(path, route);
}

TestServer::Route TestServer::file(const QByteArray &body)
{
    Route route;
    route.body = body;
    return route;
}

TestServer::Route TestServer::redirect(const QByteArray &location, int status)
{
    Route route;
    route.status = status;
    route.headers.append({"Location", location});
    route.body = "moved";
    return route;
}

QByteArray TestServer::pattern(qint64 offset, qint64 size)
{
    QByteArray bytes(int(size), Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        bytes[int(i)] = char(((offset + i) * 7 + (offset + i) / 251) & 0xff);
    return bytes;
}

bool TestServer::loadTestCertificate()
{
    if (!testCertificate.isNull())
        return true;
    QFile cert(QStringLiteral(TF_UPDATE_TEST_DATA "/localhost-cert.pem"));
    QFile key(QStringLiteral(TF_UPDATE_TEST_DATA "/localhost-key.pem"));
    if (!cert.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
        return false;
    testCertificate = QSslCertificate(cert.readAll(), QSsl::Pem);
    testKey = QSslKey(key.readAll(), QSsl::Rsa, QSsl::Pem);
    return !testCertificate.isNull() && !testKey.isNull();
}

TestServer::Route TestServer::routeFor(const QByteArray &path) const
{
    if (m_routes.contains(path))
        return m_routes.value(path);
    Route route;
    route.status = 404;
    route.body = "not found";
    return route;
}

void TestServer::incomingConnection(qintptr descriptor)
{
    QTcpSocket *socket = nullptr;
    if (m_tls) {
        auto *ssl = new QSslSocket(this);
        if (!ssl->setSocketDescriptor(descriptor)) {
            delete ssl;
            return;
        }
        ssl->setLocalCertificate(testCertificate);
        ssl->setPrivateKey(testKey);
        ssl->setProtocol(QSsl::TlsV1_2OrLater);
        // A client that refuses the certificate just drops the line.
        connect(ssl, QOverload<const QList<QSslError> &>::of(&QSslSocket::sslErrors), ssl,
                [ssl](const QList<QSslError> &) { ssl->ignoreSslErrors(); });
        ssl->startServerEncryption();
        socket = ssl;
    } else {
        socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
    }
    connect(socket, &QAbstractSocket::errorOccurred, socket, &QObject::deleteLater);
    new Connection(socket, this, [this](const QByteArray &path) { return routeFor(path); });
}

#include "TestServer.h"

#include <QFile>
#include <QHash>
#include <QSslCertificate>
#include <QSslSocket>
#include <QTimer>

#include <sys/socket.h>

namespace {

// The self-signed certificate for 127.0.0.1 and its key.
const QString CertificatePath = QStringLiteral(TF_UPDATE_TEST_DATA "/localhost-cert.pem");
const QString KeyPath = QStringLiteral(TF_UPDATE_TEST_DATA "/localhost-key.pem");

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
        // would inflate beyond any size check); such a request is refused, as
        // is any method but GET.
        const bool compressing = m_request.toLower().contains("\r\naccept-encoding: gzip");
        m_route = compressing                     ? TestServer::file("compression asked for", 406)
                  : !m_request.startsWith("GET ") ? TestServer::file("GET only", 405)
                                                  : m_server->route(path);
        m_total = m_route.body.size() + m_route.generated;
        QByteArray head =
            "HTTP/1.1 " + QByteArray::number(m_route.status) + " Status\r\nConnection: close\r\n";
        if (m_route.chunked)
            head += "Transfer-Encoding: chunked\r\n";
        else if (m_route.announceLength)
            head += "Content-Length: " + QByteArray::number(m_total) + "\r\n";
        for (const auto &header : m_route.headers)
            head += header.first + ": " + header.second + "\r\n";
        for (int i = 0; i < m_route.headerLines; ++i)
            head +=
                "X-Filler-" + QByteArray::number(i) + ": " + QByteArray(m_route.headerBytes, 'x') + "\r\n";
        m_socket->write(head + "\r\n");
        pump();
    }

    void pump()
    {
        if (!m_started || m_delay.isActive())
            return;
        const qint64 end = m_route.cutAfter >= 0 ? qMin(m_total, m_route.cutAfter) : m_total;
        while (m_sent < end && m_socket->bytesToWrite() < 256 * 1024) {
            const qint64 text = m_route.body.size(), most = qMin<qint64>(m_route.chunkBytes, end - m_sent);
            const QByteArray piece = m_sent < text ? m_route.body.mid(int(m_sent), int(most))
                                                   : TestServer::pattern(m_sent - text, most);
            const qint64 n = piece.size();
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

} // namespace

bool TestServer::start()
{
    const bool ready =
        !m_tls || (!QSslCertificate::fromPath(CertificatePath).isEmpty() && QFile::exists(KeyPath));
    return ready && listen(QHostAddress::LocalHost, 0);
}

QString TestServer::base() const
{
    return QStringLiteral("%1://127.0.0.1:%2").arg(m_tls ? "https" : "http").arg(serverPort());
}

bool TestServer::setRoutes(const QString &table, TestServer &http, TestServer &https)
{
    QFile rows(table);
    if (!rows.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    for (const QString &line : QString::fromUtf8(rows.readAll()).split('\n')) {
        const QStringList cell = line.split('\t');
        if (!line.startsWith('/'))
            continue; // comments and the column names
        if (cell.size() != 6)
            return false;
        Route route = file(cell[3].toUtf8().replace("\\n", "\n"), cell[2].toInt());
        if (!cell[4].isEmpty())
            route.headers.append({cell[4].section(": ", 0, 0).toUtf8(),
                                  cell[4].section(": ", 1).replace("HTTP/", http.base() + '/').toUtf8()});
        QHash<QString, qint64> options; // name=value, Route's fields
        for (const QString &field : cell[5].split(' ', Qt::SkipEmptyParts))
            options.insert(field.section('=', 0, 0), field.section('=', 1).toLongLong());
        const auto set = [&options](auto &field, const char *name) {
            field = std::remove_reference_t<decltype(field)>(options.value(name, qint64(field)));
            options.remove(name);
        };
        set(route.generated, "generated"), set(route.announceLength, "announceLength"),
            set(route.cutAfter, "cutAfter"), set(route.reset, "reset"), set(route.chunked, "chunked"),
            set(route.chunkBytes, "chunkBytes"), set(route.chunkDelayMs, "chunkDelayMs"),
            set(route.headerLines, "headerLines"), set(route.headerBytes, "headerBytes"),
            set(route.trailerLines, "trailerLines");
        if (!options.isEmpty())
            return false; // a misspelt field
        if (cell[1] != "https")
            http.setRoute(cell[0].toUtf8(), route);
        if (cell[1] != "http")
            https.setRoute(cell[0].toUtf8(), route);
    }
    return true;
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
        ssl->setLocalCertificate(CertificatePath);
        ssl->setPrivateKey(KeyPath);
        ssl->setProtocol(QSsl::TlsV1_2OrLater);
        ssl->startServerEncryption();
    }
    connect(socket, &QAbstractSocket::errorOccurred, socket, &QObject::deleteLater);
    new Connection(socket, this);
}

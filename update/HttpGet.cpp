#include "HttpGet.h"

#include <QMetaObject>
#include <QScopedValueRollback>
#include <QSslSocket>
#include <QTcpSocket>

namespace {

// How much is taken from the socket at a time while looking for a line.
constexpr qint64 PullSize = 16 * 1024;

bool hasNoBody(int status)
{
    return status == 204 || status == 304;
}

} // namespace

HttpGet::HttpGet(const QNetworkRequest &request, QObject *parent) : QNetworkReply(parent)
{
    setRequest(request);
    setOperation(QNetworkAccessManager::GetOperation);
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);

    const QUrl address = request.url();
    const bool tls = address.scheme() == QLatin1String("https");
    const quint16 port = quint16(address.port(tls ? 443 : 80));
    if (tls) {
        auto *ssl = new QSslSocket(this);
        ssl->setSslConfiguration(request.sslConfiguration());
        connect(ssl, &QSslSocket::encrypted, this, &HttpGet::sendRequest);
        connect(ssl, qOverload<const QList<QSslError> &>(&QSslSocket::sslErrors), this,
                [this](const QList<QSslError> &errors) { emit sslErrors(errors); });
        m_socket = ssl;
    } else {
        m_socket = new QTcpSocket(this);
        connect(m_socket, &QTcpSocket::connected, this, &HttpGet::sendRequest);
    }
    connect(m_socket, &QIODevice::readyRead, this, &HttpGet::process);
    connect(m_socket, &QAbstractSocket::disconnected, this, &HttpGet::onDisconnected);
    connect(m_socket, &QAbstractSocket::errorOccurred, this, &HttpGet::onSocketError);
    if (tls)
        static_cast<QSslSocket *>(m_socket)->connectToHostEncrypted(address.host(), port);
    else
        m_socket->connectToHost(address.host(), port);
}

HttpGet::~HttpGet()
{
    if (m_socket)
        m_socket->disconnect(this);
}

void HttpGet::sendRequest()
{
    const QUrl address = request().url();
    QByteArray target = address.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty())
        target = "/";
    if (address.hasQuery())
        target += '?' + address.query(QUrl::FullyEncoded).toLatin1();
    QByteArray host = address.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    if (address.port() >= 0)
        host += ':' + QByteArray::number(address.port());
    QByteArray head = "GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\nUser-Agent: Tickforge\r\n";
    for (const QByteArray &name : request().rawHeaderList())
        head += name + ": " + request().rawHeader(name) + "\r\n";
    m_socket->write(head + "Connection: close\r\n\r\n");
}

void HttpGet::setReadBufferSize(qint64 size)
{
    QNetworkReply::setReadBufferSize(size);
    // The socket stops reading when its buffer is full, so the server is
    // held back instead of memory growing.
    if (m_socket)
        m_socket->setReadBufferSize(size);
}

qint64 HttpGet::bodyAvailable() const
{
    if (m_state != State::Body || m_finished)
        return 0;
    const qint64 buffered = m_in.size() + (m_socket ? m_socket->bytesAvailable() : 0);
    return m_left >= 0 ? qMin(buffered, m_left) : buffered;
}

qint64 HttpGet::bytesAvailable() const
{
    return QNetworkReply::bytesAvailable() + bodyAvailable();
}

qint64 HttpGet::readData(char *data, qint64 maxSize)
{
    qint64 done = 0;
    while (done < maxSize && m_state == State::Body && !m_finished) {
        const qint64 want = m_left >= 0 ? qMin(maxSize - done, m_left) : maxSize - done;
        qint64 got = 0;
        if (!m_in.isEmpty()) {
            got = qMin<qint64>(want, m_in.size());
            memcpy(data + done, m_in.constData(), size_t(got));
            m_in.remove(0, int(got));
        } else if (m_socket) {
            got = qMax<qint64>(0, m_socket->read(data + done, want));
        }
        if (got == 0)
            break;
        done += got;
        m_delivered += got;
        if (m_left > 0 && (m_left -= got) == 0) {
            m_state = m_chunked ? State::ChunkEnd : State::Done;
            if (m_chunked)
                readChunkFraming();
        }
    }
    if (m_state == State::Done && !m_finished)
        QMetaObject::invokeMethod(this, &HttpGet::complete, Qt::QueuedConnection);
    return done;
}

void HttpGet::process()
{
    if (m_finished || m_processing)
        return;
    const QScopedValueRollback<bool> guard(m_processing, true);
    if (m_state == State::Head && !readHead())
        return;
    if ((m_state == State::ChunkSize || m_state == State::ChunkEnd || m_state == State::Trailer) &&
        !readChunkFraming())
        return;
    if (bodyAvailable() > 0) {
        emit readyRead();
        if (!m_finished)
            emit downloadProgress(m_delivered, m_total);
    }
    if (m_state == State::Done)
        complete();
}

// A line without its end, taken from what was read; false while it is not
// all there (or when it is longer than limit, which fails the transfer).
bool HttpGet::takeLine(QByteArray &line, int limit)
{
    for (;;) {
        const int end = m_in.indexOf('\n');
        if (end > limit || (end < 0 && m_in.size() > limit)) {
            failWith(ProtocolFailure, tr("The server sent too long a line."));
            return false;
        }
        if (end >= 0) {
            line = m_in.left(end);
            m_in.remove(0, end + 1);
            if (line.endsWith('\r'))
                line.chop(1);
            return true;
        }
        const QByteArray more =
            m_socket ? m_socket->read(qMin<qint64>(PullSize, limit + 2 - m_in.size())) : QByteArray();
        if (more.isEmpty())
            return false;
        m_in += more;
    }
}

// The status line and the header lines, within their limits; true once
// they are all there.
bool HttpGet::readHead()
{
    QByteArray line;
    while (!m_finished && takeLine(line, MaxHeadSize - m_headSize)) {
        m_headSize += line.size() + 2;
        if (m_headLines++ == 0) {
            bool ok = false;
            const int status = line.mid(9, 3).toInt(&ok);
            if (!line.startsWith("HTTP/1.") || line.size() < 12 || line.at(8) != ' ' || !ok || status < 100) {
                failWith(ProtocolFailure, tr("The server's answer is not HTTP."));
                return false;
            }
            setAttribute(QNetworkRequest::HttpStatusCodeAttribute, status);
            continue;
        }
        if (!line.isEmpty()) {
            const int colon = line.indexOf(':');
            if (m_headLines > MaxHeaderLines + 1 || colon <= 0) {
                failWith(ProtocolFailure, m_headLines > MaxHeaderLines + 1
                                              ? tr("The server sent too many header lines.")
                                              : tr("The server sent a malformed header line."));
                return false;
            }
            const QByteArray name = line.left(colon).trimmed();
            const QByteArray value = line.mid(colon + 1).trimmed();
            const QByteArray earlier = rawHeader(name);
            setRawHeader(name, earlier.isEmpty() ? value : earlier + ", " + value);
            continue;
        }
        const int status = attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status < 200) { // an interim answer: the real one follows
            m_headLines = 0;
            m_headSize = 0;
            continue;
        }
        m_chunked = rawHeader("Transfer-Encoding").toLower().contains("chunked");
        const QByteArray length = rawHeader("Content-Length");
        if (!m_chunked && !length.isEmpty()) {
            bool ok = false;
            m_total = length.toLongLong(&ok);
            if (!ok || m_total < 0 || length.contains('+') || length.contains(',')) {
                failWith(ProtocolFailure, tr("The server sent a malformed header line."));
                return false;
            }
            setHeader(QNetworkRequest::ContentLengthHeader, m_total);
        }
        const QByteArray location = rawHeader("Location");
        if (status >= 300 && status < 400 && !location.isEmpty())
            setAttribute(QNetworkRequest::RedirectionTargetAttribute, QUrl::fromEncoded(location));
        if (hasNoBody(status) || (!m_chunked && m_total == 0)) {
            m_state = State::Done;
        } else if (m_chunked) {
            m_state = State::ChunkSize;
        } else {
            m_state = State::Body;
            m_left = m_total;
        }
        emit metaDataChanged();
        return !m_finished;
    }
    return false;
}

// The lines around a chunk's data; true when a chunk's data or the end is
// reached, false while more is needed (or the framing was wrong).
bool HttpGet::readChunkFraming()
{
    QByteArray line;
    for (;;) {
        switch (m_state) {
        case State::ChunkEnd:
            if (!takeLine(line, 2))
                return false;
            if (!line.isEmpty()) {
                failWith(ProtocolFailure, tr("The server sent a malformed chunk."));
                return false;
            }
            m_state = State::ChunkSize;
            break;
        case State::ChunkSize: {
            if (!takeLine(line, 1024))
                return false;
            const int extension = line.indexOf(';');
            const QByteArray digits = (extension < 0 ? line : line.left(extension)).trimmed();
            bool ok = false;
            const qint64 size = digits.toLongLong(&ok, 16);
            if (!ok || size < 0 || digits.size() > 15 || digits.startsWith('+') || digits.startsWith('-')) {
                failWith(ProtocolFailure, tr("The server sent a malformed chunk."));
                return false;
            }
            m_left = size;
            m_state = size == 0 ? State::Trailer : State::Body;
            if (size > 0)
                return true;
            break;
        }
        case State::Trailer:
            if (!takeLine(line, MaxHeadSize))
                return false;
            if (line.isEmpty()) {
                m_state = State::Done;
                return true;
            }
            if (++m_headLines > 2 * MaxHeaderLines + 2) {
                failWith(ProtocolFailure, tr("The server sent too many header lines."));
                return false;
            }
            break;
        default:
            return true;
        }
    }
}

void HttpGet::onDisconnected()
{
    if (m_finished || m_closed)
        return;
    m_closed = true;
    // What arrived before the close is still delivered.
    process();
    if (m_finished)
        return;
    if (m_state == State::Body && m_left < 0) { // the close marks the end
        if (!m_in.isEmpty())
            emit readyRead();
        m_state = State::Done;
    }
    if (m_state == State::Done)
        complete();
    else
        failWith(RemoteHostClosedError, tr("Connection closed"));
}

void HttpGet::onSocketError()
{
    const QAbstractSocket::SocketError error = m_socket->error();
    if (error == QAbstractSocket::RemoteHostClosedError)
        return onDisconnected();
    const NetworkError code = error == QAbstractSocket::ConnectionRefusedError    ? ConnectionRefusedError
                              : error == QAbstractSocket::HostNotFoundError       ? HostNotFoundError
                              : error == QAbstractSocket::SocketTimeoutError      ? TimeoutError
                              : error == QAbstractSocket::SslHandshakeFailedError ? SslHandshakeFailedError
                                                                                  : UnknownNetworkError;
    failWith(code, m_socket->errorString());
}

void HttpGet::ignoreSslErrorsImplementation(const QList<QSslError> &errors)
{
    if (auto *ssl = qobject_cast<QSslSocket *>(m_socket))
        ssl->ignoreSslErrors(errors);
}

void HttpGet::complete()
{
    if (m_finished)
        return;
    m_finished = true;
    // Queued, so that a reader inside readyRead() is not finished under its feet.
    QMetaObject::invokeMethod(this, &HttpGet::finishOnce, Qt::QueuedConnection);
}

void HttpGet::failWith(NetworkError code, const QString &text)
{
    if (m_finished)
        return;
    m_finished = true;
    setError(code, text);
    QMetaObject::invokeMethod(this, &HttpGet::finishOnce, Qt::QueuedConnection);
}

void HttpGet::finishOnce()
{
    if (isFinished())
        return;
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
    setFinished(true);
    if (error() != NoError)
        emit errorOccurred(error());
    emit finished();
}

void HttpGet::abort()
{
    if (isFinished())
        return;
    m_finished = true;
    setError(OperationCanceledError, tr("Operation canceled"));
    finishOnce();
}

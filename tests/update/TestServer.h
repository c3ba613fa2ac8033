#pragma once

#include <QByteArray>
#include <QHash>
#include <QTcpServer>

// A small HTTP/1.1 server on 127.0.0.1 for the update tests and benchmark;
// with TLS it speaks HTTPS with the self-signed test certificate. Each
// connection serves one request and is then closed.
class TestServer : public QTcpServer {
    Q_OBJECT

public:
    struct Route {
        explicit Route(const QByteArray &body = {}, int status = 200) : status(status), body(body) {}
        int status;
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;      // sent first
        qint64 generated = 0; // then this many pattern bytes, made on the fly
        bool announceLength = true;
        qint64 cutAfter = -1; // >= 0: end the connection after this many body bytes
        bool reset = false;   // ... with a TCP reset instead of a normal close
        bool chunked = false; // chunked transfer coding (no Content-Length)
        int chunkBytes = 64 * 1024;
        int chunkDelayMs = 0; // pause between chunks of a body
        int headerLines = 0;  // filler header lines before the body
        int headerBytes = 16; // ... each with a value this long
        int trailerLines = 0; // chunked: filler trailer lines after the last chunk
    };

    explicit TestServer(bool tls = false, QObject *parent = nullptr) : QTcpServer(parent), m_tls(tls) {}

    bool start();
    QString base() const; // "http://127.0.0.1:<port>" or "https://..."

    void setRoute(const QByteArray &path, const Route &route) { m_routes.insert(path, route); }
    Route route(const QByteArray &path) const { return m_routes.value(path, file("not found", 404)); }
    // The routes of a table (update_routes.tsv), each on the servers its row names.
    static bool setRoutes(const QString &table, TestServer &http, TestServer &https);

    static Route file(const QByteArray &body, int status = 200) { return Route(body, status); }
    static QByteArray pattern(qint64 offset, qint64 size); // bytes of a generated body, not all zero

    QList<QByteArray> requestedPaths;
    QList<QByteArray> requestedHosts; // the Host headers, in the same order

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    bool m_tls = false;
    QHash<QByteArray, Route> m_routes;
};

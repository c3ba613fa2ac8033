// Downloads 200 MB from a server on 127.0.0.1 that makes the body on the fly,
// and checks that the download streams to disk: the peak resident memory of
// the process may grow by less than 20 MB. Prints the throughput.

#include "HttpsDownload.h"
#include "ScriptedDialogs.h"
#include "TestServer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr qint64 BodySize = 200LL * 1000 * 1000;
constexpr qint64 AllowedGrowth = 20LL * 1024 * 1024;

// Peak resident set size in bytes, from /proc/self/status.
qint64 peakResident()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    TestServer server;
    if (!server.start()) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1\n");
        return 2;
    }
    TestServer::Route small;
    small.generated = 64 * 1024;
    server.setRoute("/warmup.bin", small);
    TestServer::Route big;
    big.generated = BodySize;
    server.setRoute("/big.bin", big);

    QTemporaryDir dir;
    ScriptedDialogs dialogs; // any message box would be a failure; record it instead
    HttpsDownload download(nullptr);

    // A first small transfer loads and initialises everything the network
    // stack needs, so the measurement sees only the streaming itself.
    QString warm = dir.path();
    if (!download.download(server.base() + QStringLiteral("/warmup.bin"), warm, QString())) {
        std::fprintf(stderr, "warm-up download failed\n");
        return 2;
    }

    const qint64 before = peakResident();
    QElapsedTimer timer;
    timer.start();
    QString path = dir.path();
    const bool ok = download.download(server.base() + QStringLiteral("/big.bin"), path, QString());
    const double seconds = timer.nsecsElapsed() / 1e9;
    const qint64 after = peakResident();
    const qint64 size = QFileInfo(path).size();

    const double mb = BodySize / 1e6;
    std::printf("download of %.0f MB: %s, %lld bytes on disk\n", mb, ok ? "ok" : "FAILED",
                static_cast<long long>(size));
    std::printf("time %.2f s, throughput %.1f MB/s\n", seconds, mb / seconds);
    std::printf("peak resident before %.1f MB, after %.1f MB, growth %.1f MB (limit %.0f MB)\n",
                before / 1048576.0, after / 1048576.0, (after - before) / 1048576.0,
                AllowedGrowth / 1048576.0);
    if (!dialogs.requests.isEmpty())
        std::printf("unexpected message: %s\n", qPrintable(dialogs.requests.first().text));

    const bool pass = ok && size == BodySize && after - before < AllowedGrowth && dialogs.requests.isEmpty();
    std::printf("%s\n", pass ? "PASS" : "FAIL");
    return pass ? 0 : 1;
}

// Downloads 200 MB over HTTP and HTTPS from a local server that runs in a
// process of its own, and has curl fetch the same from the same server in the
// same run, five times each, keeping the best. Passes when each plain
// download reaches at least half of curl's throughput and the peak resident
// memory of this process grows by at most 20 MB. Also shows what checking a
// SHA-256 sum costs, and times Qt's and OpenSSL's SHA-256.
//
//   bench_download            run the benchmark
//   bench_download --serve    (internal) the server process

#include "Crypto.h"
#include "HttpsDownload.h"
#include "ScriptedDialogs.h"
#include "TestServer.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr qint64 BodySize = 200LL * 1000 * 1000;
constexpr qint64 AllowedGrowth = 20LL * 1024 * 1024;
constexpr double MinimumShareOfCurl = 0.5;
constexpr int Rounds = 5;

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

int serve(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestServer http, https(true);
    if (!http.start() || !https.start())
        return 2;
    TestServer::Route big, small;
    big.generated = BodySize;
    small.generated = 64 * 1024;
    for (TestServer *server : {&http, &https}) {
        server->setRoute("/big.bin", big);
        server->setRoute("/warmup.bin", small);
    }
    std::printf("%s %s\n", qPrintable(http.base()), qPrintable(https.base()));
    std::fflush(stdout);
    return app.exec();
}

// Seconds for curl to fetch address into path, or -1.
double curlSeconds(const QString &address, const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    const int status =
        QProcess::execute(QStringLiteral("curl"), {QStringLiteral("-sS"), QStringLiteral("--cacert"),
                                                   QStringLiteral(TF_UPDATE_TEST_DATA "/localhost-cert.pem"),
                                                   QStringLiteral("-o"), path, address});
    const double seconds = timer.nsecsElapsed() / 1e9;
    const bool ok = status == 0 && QFileInfo(path).size() == BodySize;
    QFile::remove(path);
    return ok ? seconds : -1;
}

// Seconds for HttpsDownload to fetch address into dir, or -1.
double ourSeconds(HttpsDownload &download, const QString &address, const QString &dir, const QString &sha256)
{
    ScriptedDialogs dialogs; // any box but the certificate question is a failure
    dialogs.answerButton(QMessageBox::Ignore);
    download.transfer().setExpectedSha256(sha256);
    QString path = dir;
    QElapsedTimer timer;
    timer.start();
    const bool ok = download.download(address, path, QString());
    const double seconds = timer.nsecsElapsed() / 1e9;
    const bool sized = QFileInfo(path).size() == BodySize;
    QFile::remove(path);
    for (const ScriptedDialogs::Request &request : qAsConst(dialogs.requests)) {
        if (request.title != QLatin1String("SSL Errors"))
            std::printf("  unexpected message: %s\n", qPrintable(request.text));
    }
    return ok && sized ? seconds : -1;
}

// MB/s of one SHA-256 implementation over a 64 MiB buffer.
template <typename Hash> double hashRate(Hash &&addAndFinish)
{
    const QByteArray buffer = TestServer::pattern(0, 64 << 20);
    QElapsedTimer timer;
    timer.start();
    addAndFinish(buffer);
    return buffer.size() / 1e6 / (timer.nsecsElapsed() / 1e9);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--serve") == 0)
        return serve(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QProcess server;
    server.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--serve")});
    if (!server.waitForReadyRead(10000)) {
        std::fprintf(stderr, "the server process did not start\n");
        return 2;
    }
    const QStringList bases = QString::fromLatin1(server.readLine()).simplified().split(QLatin1Char(' '));

    QTemporaryDir dir;
    HttpsDownload download(nullptr);
    // A first small transfer of each kind loads and initialises everything
    // the network stack needs, so that only the streaming is measured.
    for (const QString &base : bases)
        ourSeconds(download, base + QStringLiteral("/warmup.bin"), dir.path(), QString());

    const qint64 before = peakResident();
    const double mb = BodySize / 1e6;
    bool pass = bases.size() == 2;
    struct Run {
        const char *label;
        int base;
        bool checksum; // hashed on the way; shown for its cost, not held against curl, which does not hash
    };
    for (const Run &run :
         {Run{"HTTP", 0, false}, Run{"HTTP with SHA-256", 0, true}, Run{"HTTPS", 1, false}}) {
        const QString address = bases.value(run.base) + QStringLiteral("/big.bin");
        QString expected;
        if (run.checksum) {
            Sha256 hash;
            for (qint64 done = 0; done < BodySize; done += 1 << 20)
                hash.addData(TestServer::pattern(done, qMin<qint64>(1 << 20, BodySize - done)));
            expected = QString::fromLatin1(hash.hexResult());
        }
        // The machine is shared: alternate the two and keep the best of each.
        double ours = -1, curl = -1;
        for (int round = 0; round < Rounds; ++round) {
            const double mine = ourSeconds(download, address, dir.path(), expected);
            const double theirs = curlSeconds(address, dir.filePath(QStringLiteral("curl.bin")));
            ours = mine > 0 && (ours < 0 || mine < ours) ? mine : ours;
            curl = theirs > 0 && (curl < 0 || theirs < curl) ? theirs : curl;
        }
        const bool ok = ours > 0 && curl > 0 && (run.checksum || curl / ours >= MinimumShareOfCurl);
        pass = pass && ok;
        std::printf(
            "%-18s ours %6.1f MB/s (%.2f s), curl %6.1f MB/s (%.2f s): %3.0f%% of curl (at least %.0f%%) %s;"
            " peak memory +%.1f MB\n",
            run.label, mb / ours, ours, mb / curl, curl, 100 * curl / ours, 100 * MinimumShareOfCurl,
            ok ? (run.checksum ? "not held" : "ok") : "FAILED", (peakResident() - before) / 1048576.0);
    }
    const qint64 growth = peakResident() - before;
    std::printf("peak resident before %.1f MB, growth %.1f MB (limit %.0f MB)\n", before / 1048576.0,
                growth / 1048576.0, AllowedGrowth / 1048576.0);
    pass = pass && growth <= AllowedGrowth;

    // Last: its 64 MiB buffer would hide any growth above.
    const double qtHash = hashRate([](const QByteArray &data) {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        hash.addData(data);
        return hash.result();
    });
    const double sslHash = hashRate([](const QByteArray &data) {
        Sha256 hash;
        hash.addData(data);
        return hash.hexResult();
    });
    std::printf("SHA-256 of 64 MiB in memory: Qt %.0f MB/s, OpenSSL %.0f MB/s\n", qtHash, sslHash);

    server.kill(); // our own child, by its handle
    server.waitForFinished(5000);
    std::printf("%s\n", pass ? "PASS" : "FAIL");
    return pass ? 0 : 1;
}

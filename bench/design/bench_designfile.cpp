#include "ClockConfig.h"
#include "DesignFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// Prints how long the design file takes to write and read, and how quickly
// the reader turns hostile input away.

namespace {

// Median microseconds of one call over rounds of batch calls.
double medianMicros(const std::function<void()> &call, int batch, int rounds = 15)
{
    std::vector<double> samples;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < batch; ++i)
            call();
        samples.push_back(double(timer.nsecsElapsed()) / 1000.0 / batch);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

QString store(const QTemporaryDir &dir, const char *name, const QByteArray &data)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
    return path;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    ClockConfig config(13);
    config.resetDefaults();
    const QString series = QStringLiteral("QXC330");
    const QByteArray document = DesignFile::write(config, series);
    const QStringList names = DesignFile::elementNames(series);
    QTemporaryDir dir;
    const QString path = store(dir, "design.TFCC", document);

    volatile int sink = 0;
    std::printf("design file of %d bytes, %d elements\n", int(document.size()), int(names.size()));
    std::printf("write document:               %8.1f us\n",
                medianMicros([&] { sink = sink + DesignFile::write(config, series).size(); }, 200));
    std::printf("parse document:               %8.1f us\n",
                medianMicros([&] { sink = sink + DesignFile::parse(document).size(); }, 200));
    std::printf("read file once:               %8.1f us\n",
                medianMicros([&] { sink = sink + DesignFile::read(path).size(); }, 200));
    std::printf("read file once per element:   %8.1f us\n",
                medianMicros(
                    [&] {
                        for (const QString &name : names)
                            sink = sink + DesignFile::readElement(path, name).size();
                    },
                    20));

    QByteArray huge = document;
    huge.replace("</Configuration>",
                 "<pad>" + QByteArray(int(DesignFile::MaxFileSize), 'x') + "</pad></Configuration>");
    const QString hugePath = store(dir, "huge.TFCC", huge);
    QByteArray almost = document;
    almost.replace("</Configuration>",
                   "<pad>" + QByteArray(int(DesignFile::MaxFileSize) - document.size() - 20, 'x') +
                       "</pad></Configuration>");
    QByteArray deep = "<Configuration>";
    while (deep.size() < DesignFile::MaxFileSize - 10)
        deep += "<a>";
    QByteArray laughs = "<!DOCTYPE C [<!ENTITY l0 \"lol\">";
    for (int i = 1; i < 10; ++i)
        laughs += QStringLiteral("<!ENTITY l%1 \"&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;\">")
                      .arg(i)
                      .arg(i - 1)
                      .toLatin1();
    laughs += "]><C><MCU>&l9;</MCU></C>";

    std::printf("refuse a file over 1 MiB:     %8.1f us\n",
                medianMicros([&] { sink = sink + DesignFile::read(hugePath).size(); }, 20));
    std::printf("parse a design just under 1 MiB: %5.1f us\n",
                medianMicros([&] { sink = sink + DesignFile::parse(almost).size(); }, 3, 7));
    std::printf("refuse deep nesting (1 MiB):  %8.1f us\n",
                medianMicros([&] { sink = sink + DesignFile::parse(deep).size(); }, 3, 7));
    std::printf("refuse exponential entities:  %8.1f us\n",
                medianMicros([&] { sink = sink + DesignFile::parse(laughs).size(); }, 200));
    return sink == -1;
}

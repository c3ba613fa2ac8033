// Times the code generator: one design's four files (rendered and written,
// each through the safe-save helper, which syncs the file to disk before
// renaming it), the same design rendered only, and the sweep's designs per
// second (rendered only).

#include "ClockConfig.h"
#include "Generator.h"
#include "Records.h"
#include "SeriesTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QDir root(dir.path());
    if (!dir.isValid() || !root.mkpath("inc") || !root.mkpath("src")) {
        std::fprintf(stderr, "cannot create a scratch folder\n");
        return 1;
    }
    const QString inc = dir.filePath("inc");
    const QString src = dir.filePath("src");
    const auto replaceAll = [](const QString &) {
        return Codegen::ConflictAnswer{true, true};
    };

    // One design: the factory-like QXC330 PLL design, 200 runs into the same folder.
    const ClockConfig design = Records::pllDesign(13);
    std::vector<double> runs;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer t;
        t.start();
        if (!Codegen::generate(design, inc, src, "qxc330_335", replaceAll).done()) {
            std::fprintf(stderr, "generation failed\n");
            return 1;
        }
        runs.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("one design, four files written: median %.3f ms, first %.3f ms (target < 10 ms)\n",
                median(runs), runs.front());

    // The same design rendered only: the share that does not wait for the disk.
    std::vector<double> renders;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer t;
        t.start();
        Codegen::Files files;
        Codegen::render(design, "qxc330_335", &files);
        renders.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("one design, four texts rendered: median %.3f ms\n", median(renders));

    // The sweep: seeded designs of every series, rendered in memory.
    QRandomGenerator rng(20261206);
    std::vector<std::pair<ClockConfig, QString>> designs;
    for (int round = 0; round < 40; ++round) {
        for (int id : Records::allSeries())
            designs.emplace_back(Records::randomDesign(id, rng), SeriesTable::byId(id)->templateStem());
    }
    QElapsedTimer t;
    t.start();
    for (const auto &d : designs) {
        Codegen::Files files;
        if (!Codegen::render(d.first, d.second, &files)) {
            std::fprintf(stderr, "render failed\n");
            return 1;
        }
    }
    const double seconds = t.nsecsElapsed() / 1e9;
    std::printf("sweep: %zu designs rendered in %.3f s = %.0f designs/s\n", designs.size(), seconds,
                designs.size() / seconds);
    return 0;
}

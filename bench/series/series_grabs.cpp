// Saves grabs of every series widget in each PLL mode, for comparing the
// drawing of two builds pixel by pixel.
//   series_grabs OUTDIR [zoom steps]
// Writes OUTDIR/<series>-<mode>.png: the whole widget, sized to show the
// drawing unscrolled, factory state.
#include "PinGraphicsView.h"
#include "QXMCUPLL.h"
#include "SeriesFactory.h"
#include "SeriesTable.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        err << "usage: series_grabs OUTDIR [zoom steps]\n";
        return 2;
    }
    const QDir out(args.at(1));
    const int zoomSteps = args.value(2, QStringLiteral("0")).toInt();
    int failures = 0;
    for (const SeriesParams &series : SeriesTable::all()) {
        for (int mode = 0; mode < 2; ++mode) {
            QXMCUPLL *w = createSeriesWidget(series.id, nullptr);
            if (!w)
                break;
            auto *pllMode = w->findControl<QComboBox>(QStringLiteral("pllmode"));
            if (mode == 1 && !pllMode) {
                delete w;
                break;
            }
            if (pllMode)
                pllMode->setCurrentIndex(mode);
            w->resize(w->drawingSize() + QSize(16, 16));
            w->show();
            for (int i = 0; i < zoomSteps; ++i)
                w->graphicsView()->zoomIn();
            QApplication::processEvents();
            const QString name = QStringLiteral("%1-%2.png").arg(QLatin1String(series.name)).arg(mode);
            if (!w->grab().save(out.filePath(name))) {
                err << "cannot write " << out.filePath(name) << "\n";
                ++failures;
            }
            delete w;
        }
    }
    return failures ? 1 : 0;
}

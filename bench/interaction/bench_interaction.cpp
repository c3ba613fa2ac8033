// Times what the user does on a shown drawing, from the action to the end of
// the view's paint event, against a bare scene with the same drawing and as
// many plain proxied widgets of the controls' sizes:
//   bench_interaction [SERIES] [repeats]
// a scroll step and a zoom step at the largest zoom, opening a combo box's
// list, and an edit (a divider chosen). Prints median and 95th percentile in
// milliseconds of CPU time of the process; run it on X (Xvfb with openbox).
#include "ClockTreeItem.h"
#include "PinGraphicsView.h"
#include "QXMCUPLL.h"
#include "SeriesFactory.h"
#include "SeriesTable.h"

#include <QApplication>
#include <QComboBox>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QScrollBar>
#include <QTextStream>
#include <QVBoxLayout>

#include <algorithm>
#include <ctime>
#include <functional>

namespace {

double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Counts the view's finished paint events.
class PaintWatch final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

struct Figures {
    double median = 0, p95 = 0;
};

// The CPU an action costs until the view has painted what it changed.
Figures timeAction(QGraphicsView *view, PaintWatch &watch, int repeats,
                   const std::function<void(int)> &action)
{
    QVector<double> times;
    for (int i = 0; i < repeats; ++i) {
        const int before = watch.paints;
        const double start = cpuMs();
        action(i);
        for (int spin = 0; spin < 50 && watch.paints == before; ++spin)
            QApplication::processEvents();
        QApplication::processEvents();
        times << cpuMs() - start;
    }
    std::sort(times.begin(), times.end());
    Q_UNUSED(view)
    return {times.at(times.size() / 2),
            times.at(std::min(int(times.size()) - 1, int(times.size() * 95 / 100)))};
}

void toLargestZoom(PinGraphicsView *view)
{
    for (int i = 0; i < 200 && view->scaleValue() < PinGraphicsView::MaxScale / 1.04; ++i)
        view->zoomIn();
}

Figures scrollSteps(PinGraphicsView *view, PaintWatch &watch, int repeats)
{
    QScrollBar *bar = view->verticalScrollBar();
    bar->setValue(bar->minimum());
    return timeAction(view, watch, repeats, [bar](int i) {
        const int step = bar->singleStep() * 3;
        bar->setValue(bar->value() + ((i / 20) % 2 ? -step : step));
    });
}

Figures zoomSteps(PinGraphicsView *view, PaintWatch &watch, int repeats)
{
    return timeAction(view, watch, repeats, [view](int i) {
        if (i % 2)
            view->zoomIn();
        else
            view->zoomOut();
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    const SeriesParams *series = SeriesTable::byName(args.value(1, QStringLiteral("QXC330")));
    const int repeats = args.value(2, QStringLiteral("60")).toInt();
    if (!series) {
        out << "no such series\n";
        return 2;
    }
    // The series as the user sees it.
    QXMCUPLL *widget = createSeriesWidget(series->id, nullptr);
    widget->resize(1200, 700);
    widget->show();
    QApplication::processEvents();
    QVector<QRectF> rects;
    for (QGraphicsItem *item : widget->scene()->items())
        if (QXMCUPLL::controlOf(qgraphicsitem_cast<QGraphicsProxyWidget *>(item)))
            rects << item->sceneBoundingRect();
    PaintWatch watch;
    PinGraphicsView *view = widget->graphicsView();
    view->viewport()->installEventFilter(&watch);
    toLargestZoom(view);
    QApplication::processEvents();
    const Figures scroll = scrollSteps(view, watch, repeats);
    const Figures zoom = zoomSteps(view, watch, repeats);
    view->zoomReset();
    auto *ahb = widget->findControl<QComboBox>(QStringLiteral("ahbdiv"));
    view->ensureVisible(QXMCUPLL::proxyOf(ahb));
    widget->makeLive(ahb);
    const Figures list = timeAction(view, watch, repeats, [ahb](int i) {
        if (i % 2)
            ahb->hidePopup();
        else
            ahb->showPopup();
    });
    ahb->hidePopup();
    const Figures edit = timeAction(view, watch, repeats, [ahb](int i) { ahb->setCurrentIndex(i % 2); });

    // The bare scene: the same drawing, as many plain widgets of the same sizes.
    QWidget bare;
    auto *layout = new QVBoxLayout(&bare);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *scene = new QGraphicsScene(&bare);
    auto *bareView = new PinGraphicsView(&bare);
    bareView->setScene(scene);
    layout->addWidget(bareView);
    QXMCUPLL::addDrawingItem(scene, *series)->setTexts(widget->drawingItem()->texts());
    for (const QRectF &rect : rects) {
        auto *plain = new QWidget;
        plain->setFixedSize(rect.size().toSize());
        scene->addWidget(plain)->setPos(rect.topLeft());
    }
    bare.resize(1200, 700);
    bare.show();
    QApplication::processEvents();
    PaintWatch bareWatch;
    bareView->viewport()->installEventFilter(&bareWatch);
    toLargestZoom(bareView);
    QApplication::processEvents();
    const Figures bareScroll = scrollSteps(bareView, bareWatch, repeats);
    const Figures bareZoom = zoomSteps(bareView, bareWatch, repeats);

    const auto line = [&out](const char *what, const Figures &f, const Figures *base) {
        out << QString::asprintf("  %-28s median %6.2f ms  p95 %6.2f ms", what, f.median, f.p95);
        if (base)
            out << QString::asprintf("  (bare %5.2f ms, %4.2fx)", base->median, f.median / base->median);
        out << "\n";
    };
    out << series->name << ", " << rects.size() << " controls, CPU per action, " << repeats << " repeats\n";
    line("scroll step, largest zoom", scroll, &bareScroll);
    line("zoom step, largest zoom", zoom, &bareZoom);
    line("open or close a list", list, nullptr);
    line("edit (AHB divider)", edit, nullptr);
    delete widget;
    return 0;
}

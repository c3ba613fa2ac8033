// Times what the user does on a shown drawing, from the action to the end of
// the view's paint event, against a bare scene with the same drawing and as
// many plain proxied widgets of the controls' sizes:
//   bench_interaction [SERIES] [repeats]
// a scroll step and a zoom step at the largest zoom, opening each kind of
// list (a combo box's, the PLL multiplier's long one, a fold-out bus list),
// an edit (a divider chosen), its undo or redo, and the PLL mode switch of a
// mode-selectable series (QXC315); and the first build in a fresh process
// (a child process per sample, CPU from its start to the drawing first
// painted) against a bare child showing the same drawing with every control
// a painted box of its size and text (bench/series/PaintedBoxes.h). Prints
// median and 95th percentile in milliseconds of CPU time of the process; run
// it on X (Xvfb with openbox).
#include "../series/PaintedBoxes.h"
#include "ClockTreeItem.h"
#include "PinGraphicsView.h"
#include "QXMCUPLL.h"
#include "SeriesFactory.h"
#include "SeriesTable.h"

#include <QApplication>
#include <QComboBox>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryFile>
#include <QTextStream>
#include <QVBoxLayout>

#include <algorithm>
#include <ctime>
#include <functional>
#include <memory>

// A drawing text, for a bare child (found by argument lookup in Qt's streams).
static QDataStream &operator<<(QDataStream &stream, const ClockTreeItem::Text &text)
{
    return stream << text.rect << text.text << text.font;
}

static QDataStream &operator>>(QDataStream &stream, ClockTreeItem::Text &text)
{
    return stream >> text.rect >> text.text >> text.font;
}

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
    int unpainted = 0; // actions after which the view painted nothing
};

// Processes events until `watch` has counted a paint past `before` or a
// second has gone by; whether it did.
bool waitForPaint(const PaintWatch &watch, int before)
{
    QElapsedTimer waited;
    waited.start();
    while (watch.paints == before && waited.elapsed() < 1000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    QApplication::processEvents();
    return watch.paints != before;
}

// Shows `window` and waits until its view has painted: a window the window
// manager maps late paints nothing, and actions timed meanwhile cost nothing.
void showPainted(QWidget *window, QGraphicsView *view, PaintWatch &watch)
{
    view->viewport()->installEventFilter(&watch);
    window->show();
    waitForPaint(watch, 0);
}

// The CPU an action costs until the view has painted what it changed.
Figures timeAction(PaintWatch &watch, int repeats, const std::function<void(int)> &action)
{
    QVector<double> times;
    int unpainted = 0;
    for (int i = 0; i < repeats; ++i) {
        const int before = watch.paints;
        const double start = cpuMs();
        action(i);
        unpainted += waitForPaint(watch, before) ? 0 : 1;
        times << cpuMs() - start;
    }
    std::sort(times.begin(), times.end());
    return {times.at(times.size() / 2),
            times.at(std::min(int(times.size()) - 1, int(times.size() * 95 / 100))), unpainted};
}

void toLargestZoom(PinGraphicsView *view, const PaintWatch &watch)
{
    const int before = watch.paints;
    for (int i = 0; i < 200 && view->scaleValue() < PinGraphicsView::MaxScale / 1.04; ++i)
        view->zoomIn();
    waitForPaint(watch, before);
}

Figures scrollSteps(PinGraphicsView *view, PaintWatch &watch, int repeats)
{
    QScrollBar *bar = view->verticalScrollBar();
    bar->setValue(bar->minimum());
    return timeAction(watch, repeats, [bar](int i) {
        const int step = bar->singleStep() * 3;
        bar->setValue(bar->value() + ((i / 20) % 2 ? -step : step));
    });
}

Figures zoomSteps(PinGraphicsView *view, PaintWatch &watch, int repeats)
{
    return timeAction(watch, repeats, [view](int i) {
        if (i % 2)
            view->zoomIn();
        else
            view->zoomOut();
    });
}

// Opens and closes, in turn, the list of `box` on its drawing.
Figures listSteps(QXMCUPLL *widget, QComboBox *box, PaintWatch &watch, int repeats)
{
    widget->graphicsView()->ensureVisible(QXMCUPLL::proxyOf(box));
    widget->makeLive(box);
    const Figures figures = timeAction(watch, repeats, [box](int i) {
        if (i % 2)
            box->hidePopup();
        else
            box->showPopup();
    });
    box->hidePopup();
    return figures;
}

// The mode switch of a mode-selectable series and the multiplier's long list.
struct PllFigures {
    Figures modeSwitch, longList;
};

// `series` shown as the user sees it, its view's paints counted by `watch`.
std::unique_ptr<QXMCUPLL> shownSeries(const char *series, PaintWatch &watch)
{
    std::unique_ptr<QXMCUPLL> widget(
        createSeriesWidget(SeriesTable::byName(QLatin1String(series))->id, nullptr));
    widget->resize(1200, 700);
    showPainted(widget.get(), widget->graphicsView(), watch);
    return widget;
}

PllFigures pllSteps(int repeats)
{
    PllFigures figures;
    PaintWatch multiplierWatch, modeWatch;
    const auto multiplier = shownSeries("QXC300", multiplierWatch);
    figures.longList =
        listSteps(multiplier.get(), multiplier->findControl<QComboBox>(QStringLiteral("pllmult")),
                  multiplierWatch, repeats);
    const auto selectable = shownSeries("QXC315", modeWatch);
    auto *mode = selectable->findControl<QComboBox>(QStringLiteral("pllmode"));
    figures.modeSwitch =
        timeAction(modeWatch, repeats, [mode](int i) { mode->setCurrentIndex((i + 1) % 2); });
    return figures;
}

// What a bare child builds: the controls' places and the drawing's texts.
struct BareLayout {
    QVector<QRectF> rects;
    QVector<ClockTreeItem::Text> texts;
};

// The bare scene: the same drawing, as many plain proxied widgets of the same sizes.
std::unique_ptr<QWidget> bareWindow(const SeriesParams &series, const BareLayout &layout,
                                    PinGraphicsView **view)
{
    auto bare = std::make_unique<QWidget>();
    auto *box = new QVBoxLayout(bare.get());
    box->setContentsMargins(0, 0, 0, 0);
    auto *scene = new QGraphicsScene(bare.get());
    *view = new PinGraphicsView(bare.get());
    (*view)->setScene(scene);
    box->addWidget(*view);
    QXMCUPLL::addDrawingItem(scene, series)->setTexts(layout.texts);
    for (const QRectF &rect : layout.rects) {
        auto *plain = new QWidget;
        plain->setFixedSize(rect.size().toSize());
        scene->addWidget(plain)->setPos(rect.topLeft());
    }
    bare->resize(1200, 700);
    return bare;
}

// A child's work: builds and shows the series (or, with a layout file, the
// painted boxes) and prints its CPU from the process's start to the first paint.
int firstBuildChild(const SeriesParams &series, const QString &layoutFile)
{
    PaintWatch watch;
    std::unique_ptr<QWidget> shown;
    PinGraphicsView *view = nullptr;
    if (layoutFile.isEmpty()) {
        auto *widget = createSeriesWidget(series.id, nullptr);
        widget->resize(1200, 700);
        view = widget->graphicsView();
        shown.reset(widget);
    } else {
        QFile file(layoutFile);
        if (!file.open(QIODevice::ReadOnly))
            return 2;
        QDataStream stream(&file);
        QVector<ClockTreeItem::Text> texts;
        QVector<bench::Box> boxes;
        stream >> texts >> boxes;
        shown = bench::boxWindow(series, texts, boxes, &view);
        shown->resize(1200, 700);
    }
    view->viewport()->installEventFilter(&watch);
    shown->show();
    while (watch.paints == 0)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QTextStream(stdout) << QString::number(cpuMs(), 'f', 3) << "\n";
    return 0;
}

// First builds in fresh processes, real and bare interleaved: the medians.
QPair<double, double> firstBuilds(const SeriesParams &series, const QVector<ClockTreeItem::Text> &texts,
                                  const QVector<bench::Box> &boxes, int samples)
{
    QTemporaryFile file;
    if (!file.open())
        return {0, 0};
    QDataStream stream(&file);
    stream << texts << boxes;
    file.flush();
    const auto sample = [&series](const QStringList &extra) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    QStringList{QStringLiteral("--first-build"), series.name} + extra);
        child.waitForFinished(60000);
        return child.readAllStandardOutput().trimmed().toDouble();
    };
    QVector<double> real, bare;
    for (int i = 0; i < samples; ++i) {
        real << sample({});
        bare << sample({file.fileName()});
    }
    std::sort(real.begin(), real.end());
    std::sort(bare.begin(), bare.end());
    return {real.at(real.size() / 2), bare.at(bare.size() / 2)};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--first-build")) {
        const SeriesParams *child = SeriesTable::byName(args.value(2));
        return child ? firstBuildChild(*child, args.value(3)) : 2;
    }
    const SeriesParams *series = SeriesTable::byName(args.value(1, QStringLiteral("QXC330")));
    const int repeats = args.value(2, QStringLiteral("60")).toInt();
    if (!series) {
        out << "no such series\n";
        return 2;
    }
    // The series as the user sees it.
    QXMCUPLL *widget = createSeriesWidget(series->id, nullptr);
    widget->resize(1200, 700);
    PaintWatch watch;
    PinGraphicsView *view = widget->graphicsView();
    showPainted(widget, view, watch);
    QVector<QRectF> rects;
    for (QGraphicsItem *item : widget->scene()->items())
        if (QXMCUPLL::controlOf(qgraphicsitem_cast<QGraphicsProxyWidget *>(item)))
            rects << item->sceneBoundingRect();
    const QVector<bench::Box> boxes = bench::boxesOf(*widget);
    toLargestZoom(view, watch);
    const Figures scroll = scrollSteps(view, watch, repeats);
    const Figures zoom = zoomSteps(view, watch, repeats);
    view->zoomReset();
    auto *ahb = widget->findControl<QComboBox>(QStringLiteral("ahbdiv"));
    const Figures list = listSteps(widget, ahb, watch, repeats);
    auto *foldOut = widget->findControl<QPushButton>(QStringLiteral("apb1p.list"));
    view->ensureVisible(QXMCUPLL::proxyOf(foldOut));
    const Figures busList = timeAction(watch, repeats, [foldOut](int) { foldOut->click(); });
    const Figures edit =
        timeAction(watch, repeats, [ahb](int) { ahb->setCurrentIndex(ahb->currentIndex() ? 0 : 1); });
    // Undo and redo put a state of the history in place.
    ahb->setCurrentIndex(0);
    const DesignState undone = widget->document().state();
    ahb->setCurrentIndex(1);
    const DesignState redone = widget->document().state();
    const Figures undoRedo =
        timeAction(watch, repeats, [&](int i) { widget->restoreState(i % 2 ? redone : undone); });
    const PllFigures pll = pllSteps(repeats);

    const BareLayout layout{rects, widget->drawingItem()->texts()};
    PinGraphicsView *bareView = nullptr;
    const std::unique_ptr<QWidget> bare = bareWindow(*series, layout, &bareView);
    // Its drawing painted straight, without the program's kept pixels: for a
    // scroll or zoom step that is the cheaper (by 17 % of the instructions of
    // a scroll step at the largest zoom), so the bare scene is the cheapest.
    for (QGraphicsItem *item : bareView->scene()->items())
        item->setCacheMode(QGraphicsItem::NoCache);
    PaintWatch bareWatch;
    showPainted(bare.get(), bareView, bareWatch);
    toLargestZoom(bareView, bareWatch);
    const Figures bareScroll = scrollSteps(bareView, bareWatch, repeats);
    const Figures bareZoom = zoomSteps(bareView, bareWatch, repeats);

    const auto line = [&out](const char *what, const Figures &f, const Figures *base) {
        out << QString::asprintf("  %-28s median %6.2f ms  p95 %6.2f ms", what, f.median, f.p95);
        if (base)
            out << QString::asprintf("  (bare %5.2f ms, p95 %5.2f ms, %4.2fx)", base->median, base->p95,
                                     f.median / base->median);
        if (f.unpainted || (base && base->unpainted))
            out << QString::asprintf("  UNPAINTED %d/%d", f.unpainted, base ? base->unpainted : 0);
        out << "\n";
    };
    out << series->name << ", " << rects.size() << " controls, CPU per action, " << repeats << " repeats\n";
    line("scroll step, largest zoom", scroll, &bareScroll);
    line("zoom step, largest zoom", zoom, &bareZoom);
    line("open or close a list", list, nullptr);
    line("fold out or in a bus list", busList, nullptr);
    line("edit (AHB divider)", edit, nullptr);
    line("undo or redo the edit", undoRedo, nullptr);
    line("QXC315 PLL mode switch", pll.modeSwitch, nullptr);
    line("QXC300 multiplier list", pll.longList, nullptr);
    const QPair<double, double> first = firstBuilds(*series, layout.texts, boxes, std::max(5, repeats / 4));
    out << QString::asprintf("  %-28s median %6.2f ms  (%d painted boxes %5.2f ms, %4.2fx)\n",
                             "first build, fresh process", first.first, int(boxes.size()), first.second,
                             first.first / first.second);
    delete widget;
    return 0;
}

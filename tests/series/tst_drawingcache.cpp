// The view keeps pixels (the drawing's always, the controls' while zoomed):
// after every change the user makes, what is on screen is what a repaint
// without any kept pixels shows. A kept picture not refreshed after an edit,
// or one scaled from another zoom, shows here.

#include "PinGraphicsView.h"
#include "QXMCUPLL.h"
#include "ScriptedDialogs.h"
#include "SeriesFactory.h"
#include "SeriesTable.h"

#include <QComboBox>
#include <QGraphicsItem>
#include <QGraphicsProxyWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

#include <cstdlib>
#include <functional>
#include <memory>

namespace {

// The view's pixels on screen (the window's backing store), once the changes
// pending have been painted.
QImage onScreen(const QXMCUPLL &widget)
{
    QCoreApplication::processEvents();
    QWidget *viewport = widget.graphicsView()->viewport();
    const QPoint at = viewport->mapTo(viewport->window(), QPoint());
    return viewport->screen()
        ->grabWindow(viewport->window()->winId(), at.x(), at.y(), viewport->width(), viewport->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// The view repainted whole with nothing kept, as on screen.
QImage paintedAfresh(const QXMCUPLL &widget)
{
    QHash<QGraphicsItem *, QGraphicsItem::CacheMode> kept;
    for (QGraphicsItem *item : widget.scene()->items()) {
        kept.insert(item, item->cacheMode());
        item->setCacheMode(QGraphicsItem::NoCache);
    }
    widget.graphicsView()->viewport()->repaint();
    const QImage image = onScreen(widget);
    for (auto it = kept.cbegin(); it != kept.cend(); ++it)
        it.key()->setCacheMode(it.value());
    return image;
}

// Pixels of `a` and `b` that differ by more than `tolerance` in a channel.
int differingPixels(const QImage &a, const QImage &b, int tolerance)
{
    if (a.size() != b.size())
        return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *lineA = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *lineB = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = lineA[x], q = lineB[x];
            if (std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                std::abs(qBlue(p) - qBlue(q)) > tolerance)
                ++count;
        }
    }
    return count;
}

// Kept in a transparent pixmap, a control's antialiased edges blend a few
// levels apart from those painted straight (premultiplied rounding, twice);
// a stale or scaled picture differs by far more.
constexpr int kZoomedTolerance = 4;

class TestDrawingCache : public QObject {
    Q_OBJECT

    std::unique_ptr<QXMCUPLL> show(const char *series, int zoomSteps)
    {
        std::unique_ptr<QXMCUPLL> widget(createSeriesWidget(SeriesTable::byName(series)->id, nullptr));
        widget->resize(900, 600);
        widget->show();
        if (!QTest::qWaitForWindowExposed(widget.get()))
            return nullptr;
        for (int i = 0; i < zoomSteps; ++i)
            widget->graphicsView()->zoomIn();
        onScreen(*widget); // every kept picture filled
        return widget;
    }

    void compareWithAfresh(const QXMCUPLL &widget, int tolerance)
    {
        const QImage shown = onScreen(widget);
        const QImage afresh = paintedAfresh(widget);
        const int stale = differingPixels(shown, afresh, tolerance);
        if (stale != 0)
            shown.save(QDir::temp().filePath(
                QStringLiteral("tst_drawingcache-%1.png").arg(QTest::currentDataTag())));
        QVERIFY2(stale == 0, qPrintable(QStringLiteral("%1 pixels stale").arg(stale)));
    }

private slots:
    void staysCurrent_data()
    {
        QTest::addColumn<int>("zoomSteps");
        QTest::addColumn<QString>("change");
        for (const int zoomSteps : {0, 20}) {
            for (const char *change :
                 {"edit", "undo", "redo", "mode switch", "bus list", "focus", "hover", "scroll"})
                QTest::addRow("%s at %d zoom steps", change, zoomSteps) << zoomSteps << QString(change);
        }
    }
    // Each change repaints what it changed over the kept pixels, and the
    // kept pixels themselves where they changed.
    void staysCurrent()
    {
        QFETCH(int, zoomSteps);
        QFETCH(QString, change);
        ScriptedDialogs dialogs; // every question answered "Cancel"
        const auto widget = show("QXC315", zoomSteps);
        QVERIFY(widget);
        PinGraphicsView *view = widget->graphicsView();
        auto *ahb = widget->findControl<QComboBox>(QStringLiteral("ahbdiv"));
        view->ensureVisible(QXMCUPLL::proxyOf(ahb));
        onScreen(*widget);
        const DesignState before = widget->document().state();
        const int ahbBefore = ahb->currentIndex();
        const auto edit = [&] {
            ahb->setCurrentIndex(ahb->currentIndex() ? 0 : 1);
        };
        if (change == "edit") {
            edit();
        } else if (change == "undo" || change == "redo") {
            edit();
            const DesignState after = widget->document().state();
            onScreen(*widget);
            widget->restoreState(before);
            if (change == "redo") {
                onScreen(*widget);
                widget->restoreState(after);
            }
        } else if (change == "mode switch") {
            auto *mode = widget->findControl<QComboBox>(QStringLiteral("pllmode"));
            mode->setCurrentIndex(mode->currentIndex() ? 0 : 1);
        } else if (change == "bus list") {
            auto *foldOut = widget->findControl<QPushButton>(QStringLiteral("apb1p.list"));
            view->ensureVisible(QXMCUPLL::proxyOf(foldOut));
            onScreen(*widget);
            foldOut->click();
        } else if (change == "focus") {
            view->setFocus();
            widget->scene()->setFocusItem(QXMCUPLL::proxyOf(ahb));
        } else if (change == "hover") {
            const QPoint over = view->mapFromScene(QXMCUPLL::proxyOf(ahb)->sceneBoundingRect().center());
            QTest::mouseMove(view->viewport(), over);
        } else if (change == "scroll") {
            view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + 60);
        }
        QVERIFY(change != "edit" || ahb->currentIndex() != ahbBefore);
        compareWithAfresh(*widget, zoomSteps ? kZoomedTolerance : 0);
    }

    void followsZoom_data()
    {
        QTest::addColumn<int>("zoomSteps");
        QTest::addColumn<int>("steps"); // positive zooms in, negative out
        QTest::addColumn<bool>("reset");
        QTest::newRow("one step in from 1:1") << 0 << 1 << false;
        QTest::newRow("one step out from 1:1") << 0 << -1 << false;
        QTest::newRow("ten steps in") << 0 << 10 << false;
        QTest::newRow("one step in, zoomed") << 30 << 1 << false;
        QTest::newRow("back to 1:1") << 30 << 0 << true;
    }
    // After a zoom step everything kept is painted again at the new scale:
    // a picture scaled from the last one (blurred, or off by the step) shows.
    void followsZoom()
    {
        QFETCH(int, zoomSteps);
        QFETCH(int, steps);
        QFETCH(bool, reset);
        const auto widget = show("QXC330", zoomSteps);
        QVERIFY(widget);
        PinGraphicsView *view = widget->graphicsView();
        for (int i = 0; i < std::abs(steps); ++i)
            steps > 0 ? view->zoomIn() : view->zoomOut();
        if (reset)
            view->zoomReset();
        compareWithAfresh(*widget, reset ? 0 : kZoomedTolerance);
    }
};

} // namespace

QTEST_MAIN(TestDrawingCache)
#include "tst_drawingcache.moc"

// Shows a series widget in a window, for looking at the drawing and controls.
//   series_viewer [series id] [zoom steps] [open list 0..3]
//   series_viewer --grab FILE [series id] [flexible]   saves the factory widget
//   (switched to the flexible PLL mode with "flexible") and quits
#include "PinGraphicsView.h"
#include "QXMCUPLL.h"
#include "SeriesFactory.h"

#include <QApplication>
#include <QComboBox>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--grab")) {
        QXMCUPLL *w = createSeriesWidget(args.value(3, QStringLiteral("13")).toInt(), nullptr);
        if (!w)
            return 1;
        if (args.value(4) == QLatin1String("flexible")) {
            if (auto *mode = w->findControl<QComboBox>(QStringLiteral("pllmode")))
                mode->setCurrentIndex(1);
        }
        w->resize(1440, 860);
        w->show();
        QApplication::processEvents();
        return w->grab().save(args.value(2)) ? 0 : 1;
    }
    const int id = args.value(1, QStringLiteral("13")).toInt();
    const int zoomSteps = args.value(2, QStringLiteral("0")).toInt();
    const int openList = args.value(3, QStringLiteral("-1")).toInt();
    QXMCUPLL *w = createSeriesWidget(id, nullptr);
    if (!w)
        return 1;
    w->resize(1440, 860);
    w->show();
    for (int i = 0; i < zoomSteps; ++i)
        w->graphicsView()->zoomIn();
    if (openList >= 0) {
        QTimer::singleShot(200, w, [w, openList] {
            // Controls are top-level widgets inside their proxies: find the
            // list buttons through the scene, top to bottom.
            QList<QPair<qreal, QPushButton *>> buttons;
            for (QGraphicsItem *item : w->scene()->items()) {
                auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(item);
                if (auto *b = proxy ? qobject_cast<QPushButton *>(QXMCUPLL::controlOf(proxy)) : nullptr)
                    buttons.append({proxy->pos().y(), b});
            }
            std::sort(buttons.begin(), buttons.end(),
                      [](const auto &a, const auto &b) { return a.first < b.first; });
            if (openList < buttons.size())
                buttons.at(openList).second->click();
        });
    }
    return app.exec();
}

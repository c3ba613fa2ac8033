#include "Pictures.h"

#include "FormConfiguration.h"
#include "MCUSelect_Form.h"
#include "QXMCUPLL.h"
#include "SeriesFactory.h"
#include "SeriesTable.h"
#include "VersionAbout.h"

#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QPainter>
#include <QPushButton>
#include <QUrlQuery>

#include <algorithm>
#include <memory>

namespace {

// Lets pending layouts and polish run before a widget is grabbed.
QImage grabShown(QWidget &widget, const QSize &size)
{
    widget.resize(size);
    widget.show();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    return widget.grab().toImage();
}

// The fold-out list buttons of a series, top to bottom.
QList<QPushButton *> listButtons(QGraphicsScene *scene)
{
    QList<QPair<qreal, QPushButton *>> found;
    for (QGraphicsItem *item : scene->items()) {
        auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(item);
        if (!proxy || !proxy->widget())
            continue;
        QList<QPushButton *> buttons = proxy->widget()->findChildren<QPushButton *>();
        if (auto *button = qobject_cast<QPushButton *>(proxy->widget()))
            buttons << button;
        for (QPushButton *button : buttons)
            found.append({proxy->scenePos().y(), button});
    }
    std::sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<QPushButton *> buttons;
    for (const auto &entry : found)
        buttons << entry.second;
    return buttons;
}

QRectF cropOf(const QString &text, const QRectF &whole)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return whole;
    return QRectF(parts[0].toDouble(), parts[1].toDouble(), parts[2].toDouble(), parts[3].toDouble()) & whole;
}

QImage seriesPicture(const QString &name, const QUrlQuery &query, const QDir &sourceDir)
{
    const SeriesParams *row = SeriesTable::byName(name);
    std::unique_ptr<QXMCUPLL> widget(row ? createSeriesWidget(row->id, nullptr) : nullptr);
    if (!widget)
        return QImage();
    if (query.hasQueryItem(QStringLiteral("design")))
        widget->loadConfig(sourceDir.filePath(query.queryItemValue(QStringLiteral("design"))));
    if (query.hasQueryItem(QStringLiteral("list"))) {
        const QList<QPushButton *> buttons = listButtons(widget->scene());
        const int list = query.queryItemValue(QStringLiteral("list")).toInt();
        if (list >= 0 && list < buttons.size())
            buttons.at(list)->click();
    }
    // The shown list lays itself out on the next turns of the event loop.
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    QGraphicsScene *scene = widget->scene();
    const QRectF source = cropOf(query.queryItemValue(QStringLiteral("crop")), scene->sceneRect());
    const qreal scale = qBound(1.0, query.queryItemValue(QStringLiteral("scale")).toDouble(), 4.0);
    QImage image((source.size() * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    scene->render(&painter, QRectF(QPointF(0, 0), image.size()), source);
    return image;
}

QImage windowPicture(const QUrlQuery &query, const QDir &sourceDir)
{
    FormConfiguration window;
    if (query.hasQueryItem(QStringLiteral("design")))
        window.openDesignFile(sourceDir.filePath(query.queryItemValue(QStringLiteral("design"))));
    window.setWindowState(Qt::WindowNoState);
    // Large enough for the whole drawing at 1:1 (1404 x 828) below the
    // header, title and toolbar, with no scroll bar and nothing cut off.
    return grabShown(window, QSize(1432, 1018));
}

} // namespace

QImage programPicture(const QUrl &url, const QDir &sourceDir)
{
    if (url.scheme() != QLatin1String("tickforge"))
        return QImage();
    const QString path = url.path();
    const QUrlQuery query(url);
    if (path.startsWith(QLatin1String("series/")))
        return seriesPicture(path.mid(7), query, sourceDir);
    if (path == QLatin1String("window"))
        return windowPicture(query, sourceDir);
    if (path == QLatin1String("mcu-select")) {
        // At the size the dialog opens with, not a default window size.
        MCUSelect_Form dialog;
        return grabShown(dialog, dialog.sizeHint());
    }
    if (path == QLatin1String("about")) {
        VersionAbout about;
        return grabShown(about, about.sizeHint().expandedTo(about.size()));
    }
    return QImage();
}

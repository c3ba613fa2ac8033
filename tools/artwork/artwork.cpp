// Paints every icon and logo of the resource bundle and the desktop icons, so
// no binary picture is kept in the repository. Usage: tf_artwork <output directory>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>
#include <functional>

namespace {

// The palette: the title button's blue, the scroll handle's teal, the menu's navy.
const QColor Blue(57, 169, 220);
const QColor Teal(36, 183, 181);
const QColor Navy(0, 32, 82);
const QColor Pale(217, 233, 246);

QLinearGradient brandGradient(const QRectF &rect)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomRight());
    gradient.setColorAt(0.0, Blue);
    gradient.setColorAt(1.0, Teal);
    return gradient;
}

// The emblem's marks, in a tile of side s at the origin: one period of a clock
// signal and, under it, a row of ticks (the "tick" of the name). One path
// serves the painted pictures and the scalable icon.
QPainterPath emblemWave(qreal s)
{
    QPainterPath wave;
    const qreal left = s * 0.16, right = s - s * 0.16;
    const qreal high = s * 0.34, low = s * 0.66;
    const qreal step = (right - left) / 4;
    wave.moveTo(left, low);
    wave.lineTo(left + step, low);
    wave.lineTo(left + step, high);
    wave.lineTo(left + 2 * step, high);
    wave.lineTo(left + 2 * step, low);
    wave.lineTo(left + 3 * step, low);
    wave.lineTo(left + 3 * step, high);
    wave.lineTo(right, high);
    return wave;
}

QPainterPath emblemTicks(qreal s)
{
    QPainterPath ticks;
    const qreal left = s * 0.16, step = (s - 2 * left) / 4, y = s * 0.80;
    for (int i = 0; i < 5; ++i) {
        const qreal x = left + i * step;
        ticks.moveTo(x, y - (i % 2 ? s * 0.02 : s * 0.05));
        ticks.lineTo(x, y + s * 0.02);
    }
    return ticks;
}

qreal waveWidth(qreal s)
{
    return qMax<qreal>(1.5, s * 0.08);
}

qreal tickWidth(qreal s)
{
    return qMax<qreal>(1.0, s * 0.05);
}

// The emblem: a rounded tile with the marks in white. Below 24 px the ticks
// would only blur the wave, so they are left out.
void paintEmblem(QPainter &p, const QRectF &rect)
{
    const qreal s = rect.width();
    p.setPen(Qt::NoPen);
    p.setBrush(brandGradient(rect));
    p.drawRoundedRect(rect, s * 0.22, s * 0.22);

    p.save();
    p.translate(rect.topLeft());
    QPen pen(Qt::white, waveWidth(s), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(emblemWave(s));
    if (s >= 24) {
        pen.setWidthF(tickWidth(s));
        p.setPen(pen);
        p.drawPath(emblemTicks(s));
    }
    p.restore();
}

void paintIcon(QPainter &p, const QSize &size)
{
    paintEmblem(p, QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1, 1, -1, -1));
}

void paintHeaderLogo(QPainter &p, const QSize &size)
{
    const qreal h = size.height();
    paintEmblem(p, QRectF(8, h * 0.12, h * 0.76, h * 0.76));
    QFont name(QStringLiteral("Arial"));
    name.setPixelSize(qRound(h * 0.46));
    name.setBold(true);
    p.setFont(name);
    p.setPen(Navy);
    const qreal textLeft = 8 + h * 0.76 + 12;
    p.drawText(QRectF(textLeft, 0, size.width() - textLeft, h * 0.70), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("Tickforge"));
    QFont tag(QStringLiteral("Arial"));
    tag.setPixelSize(qRound(h * 0.18));
    tag.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    p.setFont(tag);
    p.setPen(Blue);
    p.drawText(QRectF(textLeft + 2, h * 0.70, size.width() - textLeft, h * 0.30),
               Qt::AlignLeft | Qt::AlignTop, QStringLiteral("CLOCK TREE DESIGNER"));
}

void paintAboutLogo(QPainter &p, const QSize &size)
{
    const qreal w = size.width();
    paintEmblem(p, QRectF(w * 0.18, w * 0.06, w * 0.64, w * 0.64));
    QFont name(QStringLiteral("Arial"));
    name.setPixelSize(qRound(w * 0.15));
    name.setBold(true);
    p.setFont(name);
    p.setPen(Navy);
    p.drawText(QRectF(0, w * 0.74, w, w * 0.24), Qt::AlignCenter, QStringLiteral("Tickforge"));
}

// A magnifier; the inner mark tells zoom in, out and reset apart.
void paintMagnifier(QPainter &p, const QSize &size, const std::function<void(QPainter &, QRectF)> &mark)
{
    const qreal s = size.width();
    const QRectF lens(s * 0.08, s * 0.08, s * 0.62, s * 0.62);
    QPen handle(Navy, s * 0.14, Qt::SolidLine, Qt::RoundCap);
    p.setPen(handle);
    p.drawLine(QPointF(s * 0.62, s * 0.62), QPointF(s * 0.88, s * 0.88));
    p.setPen(QPen(Blue, s * 0.08));
    p.setBrush(Pale);
    p.drawEllipse(lens);
    p.setPen(QPen(Navy, s * 0.08, Qt::SolidLine, Qt::RoundCap));
    mark(p, lens);
}

void paintZoomIn(QPainter &p, const QSize &size)
{
    paintMagnifier(p, size, [](QPainter &painter, QRectF lens) {
        const QPointF c = lens.center();
        const qreal r = lens.width() * 0.26;
        painter.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
        painter.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
    });
}

void paintZoomOut(QPainter &p, const QSize &size)
{
    paintMagnifier(p, size, [](QPainter &painter, QRectF lens) {
        const QPointF c = lens.center();
        const qreal r = lens.width() * 0.26;
        painter.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    });
}

void paintZoomReset(QPainter &p, const QSize &size)
{
    paintMagnifier(p, size, [](QPainter &painter, QRectF lens) {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(qRound(lens.height() * 0.42));
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(lens, Qt::AlignCenter, QStringLiteral("1:1"));
    });
}

void paintUndo(QPainter &p, const QSize &size)
{
    const qreal s = size.width();
    QPainterPath arc;
    arc.moveTo(s * 0.26, s * 0.42);
    arc.cubicTo(s * 0.40, s * 0.20, s * 0.86, s * 0.24, s * 0.84, s * 0.56);
    arc.cubicTo(s * 0.82, s * 0.78, s * 0.58, s * 0.86, s * 0.42, s * 0.80);
    p.setPen(QPen(Blue, s * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    QPolygonF head;
    head << QPointF(s * 0.08, s * 0.34) << QPointF(s * 0.40, s * 0.20) << QPointF(s * 0.36, s * 0.56);
    p.setPen(QPen(Teal, s * 0.04, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Teal);
    p.drawPolygon(head);
}

// One step back: a hooked arrow pointing left; a step forward is its mirror.
void paintStepBack(QPainter &p, const QSize &size)
{
    const qreal s = size.width();
    QPainterPath hook;
    hook.moveTo(s * 0.30, s * 0.40);
    hook.lineTo(s * 0.62, s * 0.40);
    hook.cubicTo(s * 0.90, s * 0.40, s * 0.90, s * 0.80, s * 0.62, s * 0.80);
    hook.lineTo(s * 0.40, s * 0.80);
    p.setPen(QPen(Blue, s * 0.11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    QPolygonF head;
    head << QPointF(s * 0.08, s * 0.40) << QPointF(s * 0.34, s * 0.20) << QPointF(s * 0.34, s * 0.60);
    p.setPen(QPen(Teal, s * 0.04, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Teal);
    p.drawPolygon(head);
}

void paintStepForward(QPainter &p, const QSize &size)
{
    p.translate(size.width(), 0);
    p.scale(-1, 1);
    paintStepBack(p, size);
}

void paintTriangle(QPainter &p, const QPolygonF &triangle, const QColor &colour)
{
    p.setPen(QPen(colour, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPolygon(triangle);
}

void paintDownArrow(QPainter &p, const QSize &size)
{
    const qreal w = size.width(), h = size.height();
    paintTriangle(p,
                  QPolygonF() << QPointF(w * 0.05, h * 0.38) << QPointF(w * 0.95, h * 0.38)
                              << QPointF(w * 0.5, h * 0.64),
                  QColor(0, 176, 240));
}

void paintRightSlider(QPainter &p, const QSize &size)
{
    const qreal s = size.width();
    paintTriangle(p,
                  QPolygonF() << QPointF(s * 0.3, s * 0.2) << QPointF(s * 0.78, s * 0.5)
                              << QPointF(s * 0.3, s * 0.8),
                  Teal);
}

void paintDownSlider(QPainter &p, const QSize &size)
{
    const qreal s = size.width();
    paintTriangle(p,
                  QPolygonF() << QPointF(s * 0.2, s * 0.3) << QPointF(s * 0.8, s * 0.3)
                              << QPointF(s * 0.5, s * 0.78),
                  Teal);
}

// The icon of a design file: a sheet with a folded corner carrying the emblem.
void paintDesignIcon(QPainter &p, const QSize &size)
{
    const qreal s = size.width();
    const qreal left = s * 0.14, right = s * 0.86, top = s * 0.04, bottom = s * 0.96, fold = s * 0.24;
    QPainterPath sheet;
    sheet.moveTo(left, top);
    sheet.lineTo(right - fold, top);
    sheet.lineTo(right, top + fold);
    sheet.lineTo(right, bottom);
    sheet.lineTo(left, bottom);
    sheet.closeSubpath();
    p.setPen(QPen(Navy, qMax<qreal>(1.0, s / 32)));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(right - fold, top);
    corner.lineTo(right - fold, top + fold);
    corner.lineTo(right, top + fold);
    p.setBrush(Pale);
    p.drawPath(corner);
    const qreal tile = (right - left) * 0.78;
    paintEmblem(p, QRectF(s / 2 - tile / 2, bottom - tile - s * 0.08, tile, tile));
}

struct Artwork {
    const char *fileName;
    QSize size;
    void (*paint)(QPainter &, const QSize &);
};

// clang-format off
const Artwork Pictures[] = {
    {"VelornIcon.ico",             {64, 64},   paintIcon},
    {"Logo_1.png",                 {300, 60},  paintHeaderLogo},
    {"Velorn_log.png",             {300, 300}, paintAboutLogo},
    {"downArrow4.png",             {10, 20},   paintDownArrow},
    {"zoomin.png",                 {48, 48},   paintZoomIn},
    {"zoomout.png",                {48, 48},   paintZoomOut},
    {"zoomreset.png",              {48, 48},   paintZoomReset},
    {"editundo.png",               {48, 48},   paintUndo},
    {"stepback.png",               {48, 48},   paintStepBack},
    {"stepforward.png",            {48, 48},   paintStepForward},
    {"btn_right_slider_hover.png", {12, 12},   paintRightSlider},
    {"btn_down_slider_hover.png",  {12, 12},   paintDownSlider},
};
// clang-format on

bool writePicture(const QDir &dir, const Artwork &art, const QString &fileName)
{
    QImage image(art.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        art.paint(painter, art.size);
    }
    const QString path = dir.filePath(fileName);
    if (!QDir().mkpath(QFileInfo(path).path()) || !image.save(path)) {
        std::fprintf(stderr, "tf_artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// Sizes of the desktop icons in the hicolor theme.
const int IconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QString svgPath(const QPainterPath &path)
{
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        d += QStringLiteral("%1%2 %3 ").arg(e.isMoveTo() ? 'M' : 'L').arg(e.x, 0, 'f', 2).arg(e.y, 0, 'f', 2);
    }
    return d.trimmed();
}

// The scalable application icon: the emblem written as SVG from the same paths.
QByteArray emblemSvg()
{
    const qreal s = 256, r = s * 0.22;
    return QStringLiteral(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 "
               "256\">\n"
               "  <defs><linearGradient id=\"g\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\">"
               "<stop offset=\"0\" stop-color=\"%1\"/><stop offset=\"1\" stop-color=\"%2\"/>"
               "</linearGradient></defs>\n"
               "  <rect x=\"1\" y=\"1\" width=\"254\" height=\"254\" rx=\"%3\" fill=\"url(#g)\"/>\n"
               "  <g fill=\"none\" stroke=\"#ffffff\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n"
               "    <path stroke-width=\"%4\" d=\"%5\"/>\n"
               "    <path stroke-width=\"%6\" d=\"%7\"/>\n"
               "  </g>\n"
               "</svg>\n")
        .arg(Blue.name(), Teal.name())
        .arg(r)
        .arg(waveWidth(s))
        .arg(svgPath(emblemWave(s)))
        .arg(tickWidth(s))
        .arg(svgPath(emblemTicks(s)))
        .toUtf8();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly) ||
        file.write(data) != data.size()) {
        std::fprintf(stderr, "tf_artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The application and design-file icons of the desktop, under
// <dir>/hicolor/<size>x<size>/{apps,mimetypes}/ and hicolor/scalable/apps/.
bool writeDesktopIcons(const QDir &dir)
{
    for (const int size : IconSizes) {
        const QString folder = QStringLiteral("hicolor/%1x%1/").arg(size);
        const Artwork app{nullptr, {size, size}, paintIcon};
        const Artwork design{nullptr, {size, size}, paintDesignIcon};
        if (!writePicture(dir, app, folder + QStringLiteral("apps/tickforge.png")) ||
            !writePicture(dir, design,
                          folder + QStringLiteral("mimetypes/application-x-tickforge-design.png")))
            return false;
    }
    return writeFile(dir.filePath(QStringLiteral("hicolor/scalable/apps/tickforge.svg")), emblemSvg());
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tf_artwork <output directory>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "tf_artwork: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const Artwork &art : Pictures) {
        if (!writePicture(dir, art, QString::fromLatin1(art.fileName)))
            return 1;
    }
    return writeDesktopIcons(dir) ? 0 : 1;
}

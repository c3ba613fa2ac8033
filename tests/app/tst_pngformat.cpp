// PNG pictures read without loading any image-format plugin (app/PngFormat.cpp):
// Qt's readers otherwise load all ten of them and their codecs for every PNG.
#include "TableRows.h"

#include <QComboBox>
#include <QIcon>
#include <QImageReader>
#include <QMenuBar>
#include <QPixmap>
#include <QtPlugin>
#include <QtTest>

Q_IMPORT_PLUGIN(PngFormatPlugin)

namespace {

// Image-format plugins this process has mapped, by file name.
QStringList imageFormatPlugins()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("(maps unreadable)")};
    const QRegularExpression plugin(QStringLiteral("/imageformats/([^/\\s]+)$"),
                                    QRegularExpression::MultilineOption);
    QStringList found;
    for (auto it = plugin.globalMatch(QString::fromLocal8Bit(maps.readAll())); it.hasNext();)
        found << it.next().captured(1);
    found.removeDuplicates();
    return found;
}

// A box whose down arrow is `arrow` (empty: the style's own), as painted.
QImage boxWithArrow(const QString &arrow)
{
    QComboBox box;
    if (!arrow.isEmpty())
        box.setStyleSheet(QStringLiteral("QComboBox::down-arrow { image: url(%1); }").arg(arrow));
    box.addItem(QStringLiteral("/2"));
    box.resize(80, 24);
    return box.grab().toImage();
}

// The picture read one way; its size as read. A style sheet's image counts
// as read when the box painted with it differs from the plain one.
QSize readSize(const QString &way, const QString &picture)
{
    if (way == QLatin1String("icon"))
        return QIcon(picture).availableSizes().value(0);
    if (way == QLatin1String("pixmap"))
        return QPixmap(picture).size();
    if (way == QLatin1String("image"))
        return QImage(picture).size();
    if (way == QLatin1String("size"))
        return QImageReader(picture).size();
    return boxWithArrow(picture) != boxWithArrow(QString()) ? QImage(picture).size() : QSize();
}

} // namespace

class TestPngFormat : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(imageFormatPlugins().isEmpty(), qPrintable(imageFormatPlugins().join(' ')));
    }

    void readWithoutPlugins_data() { addTableRows("png_reads.tsv"); }
    void readWithoutPlugins()
    {
        QFETCH(QString, way);
        QFETCH(QString, picture);
        QFETCH(int, width);
        QFETCH(int, height);
        QCOMPARE(readSize(way, picture), QSize(width, height));
        QVERIFY2(imageFormatPlugins().isEmpty(), qPrintable(imageFormatPlugins().join(' ')));
    }

    // Qt's own standard icons are PNG files too: a menu bar makes its
    // extension button's icon as it is built.
    void standardIconsWithoutPlugins()
    {
        QMenuBar bar;
        bar.addMenu(QStringLiteral("Project"));
        bar.resize(20, 30);
        QVERIFY(!bar.grab().isNull());
        QVERIFY2(imageFormatPlugins().isEmpty(), qPrintable(imageFormatPlugins().join(' ')));
    }

    // Decoded by QtGui's own PNG reader: the pixels are the file's.
    void pixelsAsPainted()
    {
        const QImage arrow =
            QImage(QStringLiteral(":/image/downArrow4.png")).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(arrow.size(), QSize(10, 20));
        QCOMPARE(qAlpha(arrow.pixel(0, 0)), 0); // the corners are clear
        int opaque = 0;
        for (int y = 0; y < arrow.height(); ++y) {
            for (int x = 0; x < arrow.width(); ++x)
                opaque += qAlpha(arrow.pixel(x, y)) == 255;
        }
        QVERIFY(opaque > 10);
    }

    // Writing is left to QtGui: a PNG written reads back the same.
    void writtenByQtGui()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("written.png"));
        QImage image(3, 2, QImage::Format_ARGB32);
        image.fill(QColor(200, 30, 40, 128));
        QVERIFY(image.save(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
        QCOMPARE(QImage(path).convertToFormat(QImage::Format_ARGB32), image);
    }

    // Anything else is still read by content, plugins and all.
    void otherPicturesByContent()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("mislabelled.png"));
        QImage gray(7, 5, QImage::Format_RGB32);
        gray.fill(Qt::gray);
        QVERIFY(gray.save(path, "BMP"));
        QCOMPARE(QImage(path).size(), QSize(7, 5));
    }
};

QTEST_MAIN(TestPngFormat)
#include "tst_pngformat.moc"

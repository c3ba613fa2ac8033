#include "ClockTreeLayout.h"
#include "DesignDocument.h"
#include "DesignFile.h"
#include "DrawingSvg.h"
#include "SeriesTable.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Two renderers place the antialiased edge of a glyph or a line differently by
// a fraction of a pixel: a pixel differs when no pixel within one pixel of it
// in the other picture has its colour within this many levels per channel.
constexpr int kChannelTolerance = 64;

int distance(QRgb a, QRgb b)
{
    return qMax(qAbs(qRed(a) - qRed(b)), qMax(qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))));
}

int differingPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb colour = a.pixel(x, y);
            bool matched = false;
            for (int dy = -1; dy <= 1 && !matched; ++dy) {
                for (int dx = -1; dx <= 1 && !matched; ++dx) {
                    const QPoint at(x + dx, y + dy);
                    matched = b.rect().contains(at) && distance(colour, b.pixel(at)) <= kChannelTolerance;
                }
            }
            if (!matched)
                ++count;
        }
    }
    return count;
}

QString run(const QString &program, const QStringList &arguments, int *status)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120000);
    *status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

// The factory design of a series, as New and Save write it.
QString factoryDesign(const QTemporaryDir &dir, const SeriesParams &series)
{
    const QString path = dir.filePath(series.seriesName() + QStringLiteral(".TFCC"));
    int status = 0;
    run(QStringLiteral(TICKFORGE_CLI), {QStringLiteral("new"), series.seriesName(), QStringLiteral("-o"), path},
        &status);
    return status == 0 ? path : QString();
}

} // namespace

// The vector drawings against the window's 1:1 picture, for every series.
class TestReviewDrawing : public QObject {
    Q_OBJECT

private slots:
    void svgMatchesTheGrab_data()
    {
        QTest::addColumn<int>("seriesId");
        QTest::addColumn<QStringList>("edits"); // set arguments applied to the factory design
        for (const SeriesParams &series : SeriesTable::all())
            QTest::newRow(series.name) << series.id << QStringList();
        // Red values, a live clock output, the RTC on, a crystal text wider than its entry.
        QTest::newRow("QXC330 edited") << 13
                                       << QStringList{"tousbswitch=0", "usbdiv=5.0", "clkout1pinselect=1",
                                                      "clkout1=3", "rtcswitch=1", "hext=8.000000"};
        QTest::newRow("QXC300A edited") << 7 << QStringList{"clkoutpinselect=1", "clkout=5", "adcswitch=1"};
    }
    void svgMatchesTheGrab()
    {
        QFETCH(int, seriesId);
        QFETCH(QStringList, edits);
        const QString rsvg = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
        if (rsvg.isEmpty())
            QSKIP("rsvg-convert is not installed (tools/bootstrap.sh installs librsvg2-bin)");
        QTemporaryDir dir;
        const QString design = factoryDesign(dir, *SeriesTable::byId(seriesId));
        QVERIFY(!design.isEmpty());
        int status = 0;
        if (!edits.isEmpty()) {
            const QString said = run(QStringLiteral(TICKFORGE_CLI),
                                     QStringList{QStringLiteral("set"), design} + edits + QStringList{"--yes"}, &status);
            QVERIFY2(status == 0, qPrintable(said));
        }
        const QString svg = dir.filePath(QStringLiteral("tree.svg"));
        const QString drawn = dir.filePath(QStringLiteral("drawn.png"));
        const QString grabbed = dir.filePath(QStringLiteral("grab.png"));
        QString said = run(QStringLiteral(TICKFORGE_CLI), {QStringLiteral("render"), design, svg}, &status);
        QVERIFY2(status == 0, qPrintable(said));
        said = run(QStringLiteral(TICKFORGE_RENDER), {design, grabbed}, &status);
        QVERIFY2(status == 0, qPrintable(said));
        said = run(QStringLiteral("xmllint"), {QStringLiteral("--noout"), svg}, &status);
        QVERIFY2(status == 0, qPrintable(said));
        said = run(rsvg, {QStringLiteral("-o"), drawn, svg}, &status);
        QVERIFY2(status == 0, qPrintable(said));
        const QImage fromSvg = QImage(drawn).convertToFormat(QImage::Format_RGB32);
        const QImage shown = QImage(grabbed).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(fromSvg.size(), shown.size());
        const int differing = qMax(differingPixels(fromSvg, shown), differingPixels(shown, fromSvg));
        const int allowed = shown.width() * shown.height() * 2 / 1000;
        qInfo("%s: %d pixels differ (%.2f per 1000)", SeriesTable::byId(seriesId)->name, differing,
              differing * 1000.0 / (shown.width() * shown.height()));
        QVERIFY2(differing <= allowed,
                 qPrintable(QStringLiteral("%1 pixels differ, %2 allowed").arg(differing).arg(allowed)));
    }

    void pdfHoldsEveryCaption_data()
    {
        QTest::addColumn<int>("seriesId");
        for (const SeriesParams &series : SeriesTable::all())
            QTest::newRow(series.name) << series.id;
    }
    void pdfHoldsEveryCaption()
    {
        QFETCH(int, seriesId);
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed (poppler-utils)");
        const SeriesParams &series = *SeriesTable::byId(seriesId);
        QTemporaryDir dir;
        const QString design = factoryDesign(dir, series);
        const QString pdf = dir.filePath(QStringLiteral("tree.pdf"));
        int status = 0;
        const QString said = run(QStringLiteral(TICKFORGE_RENDER), {design, pdf}, &status);
        QVERIFY2(status == 0, qPrintable(said));
        QVERIFY2(QFileInfo(pdf).size() < 200 * 1024, qPrintable(QString::number(QFileInfo(pdf).size())));
        const QString text = dir.filePath(QStringLiteral("tree.txt"));
        run(pdftotext, {QStringLiteral("-raw"), pdf, text}, &status);
        QCOMPARE(status, 0);
        QFile file(text);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString words = QString::fromUtf8(file.readAll()).simplified();
        // Every caption of the tree: the blocks' titles, the series' name and
        // every text shown over the drawing.
        DesignDocument document(seriesId);
        document.open(DesignFile::read(design).values());
        const ClockTree::Layout layout = ClockTree::layoutFor(series);
        QStringList captions{layout.caption};
        for (const ClockTree::Node &node : layout.nodes)
            captions << node.title;
        for (const SvgDrawing::Control &control : DrawingSvg::controls(document))
            captions << control.text;
        int found = 0;
        for (const QString &caption : captions) {
            const QString wanted = caption.simplified();
            if (wanted.isEmpty())
                continue;
            if (!words.contains(wanted))
                QFAIL(qPrintable(QStringLiteral("\"%1\" is not in the PDF's text").arg(wanted)));
            ++found;
        }
        QVERIFY(found > 50);
    }
};

QTEST_GUILESS_MAIN(TestReviewDrawing)
#include "tst_reviewdrawing.moc"

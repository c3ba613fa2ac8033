// Renders the clock-tree bitmap of one series from its layout description.
//   clocktree <series name> <output .bmp>
#include "ClockTreeLayout.h"
#include "ClockTreePainter.h"
#include "SeriesTable.h"

#include <QGuiApplication>
#include <QImageWriter>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err << "usage: clocktree <series name> <output.bmp>\n";
        return 2;
    }
    const SeriesParams *series = SeriesTable::byName(args.at(1));
    const ClockTree::Layout layout = series ? ClockTree::layoutFor(*series) : ClockTree::Layout{};
    if (layout.nodes.isEmpty()) {
        err << "clocktree: no drawing for series " << args.at(1) << "\n";
        return 2;
    }
    const QImage image = ClockTree::renderClockTree(layout).convertToFormat(QImage::Format_RGB888);

    QImageWriter writer(args.at(2), "bmp");
    if (!writer.write(image)) {
        err << "clocktree: cannot write " << args.at(2) << ": " << writer.errorString() << "\n";
        return 1;
    }
    return 0;
}

#include "SeriesTable.h"

#include <QStringList>

namespace {

QVector<SeriesParams> buildTable()
{
    // clang-format off
    // id, name, widget class, bitmap, stem, PLL kind
    return {
        {2,  "QXC300",  "QXC300PLL",  ":/image/C300PLL.bmp",  "qxc300",      PllKind::Multiplier},
        {4,  "QXC310",  "QXC310PLL",  ":/image/C310PLL.bmp",  "qxc310",      PllKind::Multiplier},
        {5,  "QXC315",  "QXC315PLL",  ":/image/C315PLL.bmp",  "qxc315",      PllKind::Selectable},
        {7,  "QXC300A", "QXC300APLL", ":/image/C300APLL.bmp", "qxc300a_305", PllKind::Multiplier},
        {8,  "QXC305",  "QXC305PLL",  ":/image/C305PLL.bmp",  "qxc300a_305", PllKind::Multiplier},
        {9,  "QXC320",  "QXC320PLL",  ":/image/C320PLL.bmp",  "qxc320",      PllKind::Selectable},
        {13, "QXC330",  "QXC330PLL",  ":/image/C330PLL.bmp",  "qxc330_335",  PllKind::Flexible},
        {14, "QXC335",  "QXC335PLL",  ":/image/C335PLL.bmp",  "qxc330_335",  PllKind::Flexible},
        {15, "QXC325",  "QXC325PLL",  ":/image/C325PLL.bmp",  "qxc325",      PllKind::Selectable},
        {17, "QXW315",  "QXW315PLL",  ":/image/W315PLL.bmp",  "qxw315",      PllKind::Selectable},
        {16, "QXE020",  "QXE020PLL",  ":/image/E020PLL.bmp",  "qxe020",      PllKind::Selectable},
    };
    // clang-format on
}

} // namespace

namespace SeriesTable {

const QVector<SeriesParams> &all()
{
    static const QVector<SeriesParams> table = buildTable();
    return table;
}

const SeriesParams *byId(int id)
{
    for (const SeriesParams &row : all()) {
        if (row.id == id)
            return &row;
    }
    return nullptr;
}

const SeriesParams *byName(const QString &name)
{
    for (const SeriesParams &row : all()) {
        if (name == QLatin1String(row.name))
            return &row;
    }
    return nullptr;
}

const QStringList &newLookupOrder()
{
    static const QStringList order{
        QStringLiteral("QXC330"), QStringLiteral("QXC335"), QStringLiteral("QXC300A"),
        QStringLiteral("QXC305"), QStringLiteral("QXC320"), QStringLiteral("QXC325"),
        QStringLiteral("QXC315"), QStringLiteral("QXW315"), QStringLiteral("QXC310"),
        QStringLiteral("QXC300"), QStringLiteral("QXE020")};
    return order;
}

const QStringList &openLookupOrder()
{
    static const QStringList order{
        QStringLiteral("QXC330"), QStringLiteral("QXC335"), QStringLiteral("QXC300A"),
        QStringLiteral("QXC305"), QStringLiteral("QXC320"), QStringLiteral("QXC325"),
        QStringLiteral("QXC310"), QStringLiteral("QXC315"), QStringLiteral("QXW315"),
        QStringLiteral("QXC300"), QStringLiteral("QXE020")};
    return order;
}

} // namespace SeriesTable

#include "SeriesBlocks.h"

#include "SeriesFactory.h"
#include "SeriesTable.h"

#include <QHash>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QStringList>

#include "QXMCUPLL.h"

namespace {

// A fact of a series: the text put in and the index that picks an alternative.
struct Fact {
    QString text;
    int index = 0;
};

Fact number(double value)
{
    return {QString::number(value), value != 0.0 ? 1 : 0};
}

Fact flag(bool value)
{
    return {value ? QStringLiteral("1") : QStringLiteral("0"), value ? 1 : 0};
}

bool hasEditor(int seriesId)
{
    QScopedPointer<QXMCUPLL> widget(createSeriesWidget(seriesId, nullptr));
    return !widget.isNull();
}

QString factoryPll(const SeriesParams &row)
{
    QStringList parts;
    if (row.factoryPllMult > 0)
        parts << QStringLiteral("\u00d7 %1").arg(row.factoryPllMult);
    if (row.factoryPllMs > 0)
        parts << QStringLiteral("ms %1, ns %2, fr %3")
                     .arg(row.factoryPllMs)
                     .arg(row.factoryPllNs)
                     .arg(row.factoryPllFr);
    return parts.join(QStringLiteral(" / "));
}

QHash<QString, Fact> factsOf(const SeriesParams &row)
{
    QHash<QString, Fact> facts;
    facts.insert(QStringLiteral("name"), {row.seriesName(), 0});
    facts.insert(QStringLiteral("id"), number(row.id));
    facts.insert(QStringLiteral("stem"), {row.templateStem(), 0});
    facts.insert(QStringLiteral("class"), {QString::fromLatin1(row.widgetClass), 0});
    facts.insert(QStringLiteral("sclk"), number(row.sclkLimitMHz));
    facts.insert(QStringLiteral("apb"), number(row.apbLimitMHz));
    facts.insert(QStringLiteral("adc"), number(row.adcLimitMHz));
    facts.insert(QStringLiteral("pllmin"), number(row.pllMinMHz));
    facts.insert(QStringLiteral("hick"), number(row.hickMHz));
    facts.insert(QStringLiteral("usbdiv"), number(row.usbDivMax));
    facts.insert(QStringLiteral("hickpll"), number(row.hickMHz / row.hickToPllDiv));
    QStringList dividers;
    for (const int divider : row.hextPllDivs)
        dividers << QString::number(divider);
    facts.insert(QStringLiteral("hextdivs"),
                 {dividers.join(QStringLiteral(", ")), dividers.isEmpty() ? 0 : 1});
    facts.insert(QStringLiteral("rtcdiv"), number(row.rtcHextDiv));
    facts.insert(QStringLiteral("usb"), flag(row.hasUsb()));
    facts.insert(QStringLiteral("halving"), flag(row.apbHalving));
    facts.insert(QStringLiteral("outputs"), number(row.clockOutputs.size()));
    QStringList pins;
    for (const ClockOutputParams &output : row.clockOutputs)
        pins << output.pins.mid(1); // index 0 is "none"
    facts.insert(QStringLiteral("pins"), {pins.join(QStringLiteral(", ")), 0});
    facts.insert(QStringLiteral("pll"), {QString(), int(row.pllKind)});
    facts.insert(QStringLiteral("factory"), {factoryPll(row), 0});
    facts.insert(QStringLiteral("editor"), flag(hasEditor(row.id)));
    return facts;
}

// Replaces innermost placeholders until none is left, so alternatives may
// hold placeholders themselves. Unknown keys stay as they are.
QString fillIn(QString text, const QHash<QString, Fact> &facts)
{
    static const QRegularExpression placeholder(QStringLiteral("\\{([a-z]+)((?:\\|[^{}|]*)*)\\}"));
    for (int from = 0;;) {
        const QRegularExpressionMatch match = placeholder.match(text, from);
        if (!match.hasMatch())
            return text;
        const auto fact = facts.constFind(match.captured(1));
        if (fact == facts.constEnd()) {
            from = match.capturedEnd();
            continue;
        }
        QString value = fact->text;
        const QStringList choices = match.captured(2).split(QLatin1Char('|')).mid(1);
        if (!choices.isEmpty()) {
            // One alternative only: it stands for index 0, the value for the rest.
            const int index = choices.size() == 1 ? (fact->index == 0 ? 0 : -1) : fact->index;
            if (index >= 0)
                value = QString(choices.value(index)).replace(QLatin1Char('#'), fact->text);
        }
        text.replace(match.capturedStart(), match.capturedLength(), value);
        from = 0;
    }
}

} // namespace

QString expandSeriesBlocks(const QString &source)
{
    static const QRegularExpression block(QStringLiteral("^<!-- for each series -->\\n(.*?)^<!-- end -->\\n"),
                                          QRegularExpression::DotMatchesEverythingOption |
                                              QRegularExpression::MultilineOption);
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->\\n?"),
                                            QRegularExpression::DotMatchesEverythingOption);
    QString text = source;
    for (QRegularExpressionMatch match = block.match(text); match.hasMatch(); match = block.match(text)) {
        QString expanded;
        for (const SeriesParams &row : SeriesTable::all())
            expanded += fillIn(match.captured(1), factsOf(row));
        text.replace(match.capturedStart(), match.capturedLength(), expanded);
    }
    return text.remove(comment);
}

#include "ClockConfig.h"
#include "ClockTreeLayout.h"
#include "ControlTable.h"
#include "SeriesTable.h"
#include "TableRows.h"

#include <QtTest>

namespace {

template <typename T> QString joined(const QVector<T> &values, QChar separator = ' ')
{
    QStringList out;
    for (const T &v : values)
        out << QString::number(v);
    return out.join(separator);
}

QString text(const char *s)
{
    return s ? QString::fromLatin1(s) : QStringLiteral("-");
}

QString yesNo(bool b)
{
    return b ? QStringLiteral("yes") : QStringLiteral("no");
}

QString output(const SeriesParams &p, int index, int part)
{
    if (index >= p.clockOutputs.size())
        return QStringLiteral("none");
    const ClockOutputParams &out = p.clockOutputs.at(index);
    QStringList sources;
    for (const ClockSourceItem &item : out.sources)
        sources << QStringLiteral("%1 %2").arg(QString::fromLatin1(item.text)).arg(item.code);
    const QString texts[] = {sources.join('|'), out.pins.join(' '),
                             joined(out.div1) + '|' + joined(out.div2)};
    return texts[part];
}

QString selector(const SeriesParams &p, const char *name)
{
    const ControlTable::Row *row = ControlTable::rowByName(QString::fromLatin1(name));
    if (!row || !ControlTable::has(p, row->id))
        return QStringLiteral("-");
    return QStringList{row->caption, ControlTable::labels(p, row->id).join('|'),
                       joined(ControlTable::values(p, row->id))}
        .join('|');
}

double hickPllInput(const SeriesParams &p)
{
    ClockConfig c(p.id);
    c.pllSourceHick = 1;
    return c.pllInputMHz();
}

QString ahbCaptions(const SeriesParams &p)
{
    QStringList captions;
    for (const QString &box : p.ahbBoxes)
        captions << SeriesParams::ahbBoxCaption(box);
    return captions.join('|');
}

QString pllKind(const SeriesParams &p)
{
    if (p.hasMultiplierPll() && p.hasFlexiblePll())
        return "normal or flexible";
    return p.hasFlexiblePll() ? "flexible only" : "multiplier";
}

QString usbSources(const SeriesParams &p)
{
    if (!p.hasUsb())
        return "none";
    return p.usbHickRadios && !p.usbHickIgnored ? "pll hick48" : "pll";
}

// Every subject of a series, as the table file writes it.
QMap<QString, QString> describe(const SeriesParams &p)
{
    const QSize drawing = ClockTree::layoutFor(p).size;
    const QString flexible =
        p.factoryPllMs
            ? QStringLiteral("%1 %2 %3").arg(p.factoryPllMs).arg(p.factoryPllNs).arg(p.factoryPllFr)
            : "";
    const QString notes = p.usageNotes.isEmpty()
                              ? QString()
                              : p.usageNotes.join('|') + '|' + QString::number(p.usageNotesAboveMHz);
    return {
        {"id", SeriesTable::byId(p.id) == &p ? QString::number(p.id) : "-"},
        {"widget class", text(p.widgetClass)},
        {"bitmap", p.bitmapPath()},
        {"template stem", p.templateStem()},
        {"pll kind", pllKind(p)},
        {"drawing", QStringLiteral("%1x%2").arg(drawing.width()).arg(drawing.height())},
        {"pll minimum", QString::number(p.pllMinMHz)},
        {"sclk limit", QString::number(p.sclkLimitMHz)},
        {"apb limit", QString::number(p.apbLimitMHz)},
        {"apb halving", yesNo(p.apbHalving)},
        {"pll input from hick", QString::number(hickPllInput(p))},
        {"adc limit", p.hasAdc() ? QString::number(p.adcLimitMHz) : "no adc"},
        {"adc red at 28 / 28.001", yesNo(p.adcRed(28.0)) + ' ' + yesNo(p.adcRed(28.001))},
        {"usb", yesNo(p.hasUsb())},
        {"usb warning", text(p.usbWarning)},
        {"hick", QString::number(p.hickMHz)},
        {"sclk from full hick", yesNo(p.hickSclkUndivided)},
        {"hext pll dividers", joined(p.hextPllDivs)},
        {"rtc hext divider", QString::number(p.rtcHextDiv)},
        {"rtc captions", text(p.rtcSelCaption) + '|' + text(p.rtcCaption)},
        {"usb sources", usbSources(p)},
        {"usb dividers", joined(p.usbDivItems())},
        {"adc dividers", joined(p.adcDivs)},
        {"outputs", QString::number(p.multiOutput() ? 2 : p.clockOutputs.size())},
        {"output 1 sources", output(p, 0, 0)},
        {"output 1 pins", output(p, 0, 1)},
        {"output 1 dividers", output(p, 0, 2)},
        {"output 2 sources", output(p, 1, 0)},
        {"output 2 pins", output(p, 1, 1)},
        {"output 2 dividers", output(p, 1, 2)},
        {"factory multiplier", QString::number(p.factoryPllMult)},
        {"factory ms ns fr", flexible},
        {"factory mode", p.factoryPllFlexible ? "flexible" : "normal"},
        {"factory sclk", QString::number(p.factorySclkMHz)},
        {"factory usb divider", QString::number(p.factoryUsbDiv)},
        {"ahb captions", ahbCaptions(p)},
        {"apb1 peripherals", p.apb1Peripherals.join(' ')},
        {"apb1 timers", p.apb1Timers.join(' ')},
        {"apb2 peripherals", p.apb2Peripherals.join(' ')},
        {"apb2 timers", p.apb2Timers.join(' ')},
        {"pll input message", p.pllInputRangeCheck ? text(p.pllInputRangeMessage) : "-"},
        {"pll less message", text(p.pllLessMessage)},
        {"adc warning", text(p.adcWarning)},
        {"usage notes", notes},
        {"restore order", p.restoreOrder.join(' ')},
        {"usart1clocksel", selector(p, "usart1clocksel")},
        {"usart2clocksel", selector(p, "usart2clocksel")},
        {"i2c1clocksel", selector(p, "i2c1clocksel")},
    };
}

} // namespace

// Every number and text of the series table, pinned by tests/tables/series.tsv:
// one written-out line per series and subject.
class TestSeriesTable : public QObject {
    Q_OBJECT

private slots:
    void subject_data() { addTableRows("series.tsv", 2); }
    void subject()
    {
        QFETCH(QString, series);
        QFETCH(QString, subject);
        QFETCH(QString, expected);
        const SeriesParams *p = SeriesTable::byName(series);
        QVERIFY(p);
        const QMap<QString, QString> subjects = describe(*p);
        QVERIFY2(subjects.contains(subject), qPrintable(subject));
        QCOMPARE(subjects.value(subject), expected);
    }
};

QTEST_GUILESS_MAIN(TestSeriesTable)
#include "tst_seriestable.moc"

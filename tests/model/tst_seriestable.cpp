#include "ClockTreeLayout.h"
#include "ControlTable.h"
#include "SeriesTable.h"
#include "TableRows.h"

#include <QtTest>

#include <functional>

// Every number and text of the series table, pinned by tests/tables/series.tsv:
// one written-out line per series and subject.
class TestSeriesTable : public QObject {
    Q_OBJECT

private slots:
    void subject_data() { addTableRows("series.tsv", 2); }
    void subject();
};

namespace {

using Describe = std::function<QString(const SeriesParams &)>;

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

Describe output(int index, int part)
{
    return [=](const SeriesParams &p) -> QString {
        if (index >= p.clockOutputs.size())
            return QStringLiteral("none");
        const ClockOutputParams &out = p.clockOutputs.at(index);
        QStringList sources;
        for (const ClockSourceItem &item : out.sources)
            sources << QStringLiteral("%1 %2").arg(QString::fromLatin1(item.text)).arg(item.code);
        return part == 0   ? sources.join('|')
               : part == 1 ? out.pins.join(' ')
                           : joined(out.div1) + '|' + joined(out.div2);
    };
}

Describe selector(const char *name)
{
    return [=](const SeriesParams &p) -> QString {
        const ControlTable::Row *row = ControlTable::rowByName(QString::fromLatin1(name));
        if (!row || !ControlTable::has(p, row->id))
            return QStringLiteral("-");
        return QStringList{row->caption, ControlTable::labels(p, row->id).join('|'),
                           joined(ControlTable::values(p, row->id))}
            .join('|');
    };
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

QString describe(const QString &subject, const SeriesParams &p)
{
    static const QMap<QString, Describe> describers{
        {"id",
         [](auto &p) -> QString {
             return SeriesTable::byId(p.id) == &p ? QString::number(p.id) : "-";
         }},
        {"widget class",
         [](auto &p) -> QString {
             return text(p.widgetClass);
         }},
        {"bitmap",
         [](auto &p) -> QString {
             return p.bitmapPath();
         }},
        {"template stem",
         [](auto &p) -> QString {
             return p.templateStem();
         }},
        {"pll kind", pllKind},
        {"drawing",
         [](auto &p) -> QString {
             const QSize size = ClockTree::layoutFor(p).size;
             return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
         }},
        {"pll minimum",
         [](auto &p) -> QString {
             return QString::number(p.pllMinMHz);
         }},
        {"adc limit",
         [](auto &p) -> QString {
             return p.hasAdc() ? QString::number(p.adcLimitMHz) : "no adc";
         }},
        {"adc red at 28 / 28.001",
         [](auto &p) -> QString {
             return yesNo(p.adcRed(28.0)) + ' ' + yesNo(p.adcRed(28.001));
         }},
        {"usb",
         [](auto &p) -> QString {
             return yesNo(p.hasUsb());
         }},
        {"usb warning",
         [](auto &p) -> QString {
             return text(p.usbWarning);
         }},
        {"hick",
         [](auto &p) -> QString {
             return QString::number(p.hickMHz);
         }},
        {"sclk from full hick",
         [](auto &p) -> QString {
             return yesNo(p.hickSclkUndivided);
         }},
        {"hext pll dividers",
         [](auto &p) -> QString {
             return joined(p.hextPllDivs);
         }},
        {"rtc hext divider",
         [](auto &p) -> QString {
             return QString::number(p.rtcHextDiv);
         }},
        {"rtc captions",
         [](auto &p) -> QString {
             return text(p.rtcSelCaption) + '|' + text(p.rtcCaption);
         }},
        {"usb sources", usbSources},
        {"usb dividers",
         [](auto &p) -> QString {
             return joined(p.usbDivItems());
         }},
        {"adc dividers",
         [](auto &p) -> QString {
             return joined(p.adcDivs);
         }},
        {"outputs",
         [](auto &p) -> QString {
             return QString::number(p.multiOutput() ? 2 : p.clockOutputs.size());
         }},
        {"output 1 sources", output(0, 0)},
        {"output 1 pins", output(0, 1)},
        {"output 1 dividers", output(0, 2)},
        {"output 2 sources", output(1, 0)},
        {"output 2 pins", output(1, 1)},
        {"output 2 dividers", output(1, 2)},
        {"factory multiplier",
         [](auto &p) -> QString {
             return QString::number(p.factoryPllMult);
         }},
        {"factory ms ns fr",
         [](auto &p) -> QString {
             return p.factoryPllMs ? QStringLiteral("%1 %2 %3")
                                         .arg(p.factoryPllMs)
                                         .arg(p.factoryPllNs)
                                         .arg(p.factoryPllFr)
                                   : QString("");
         }},
        {"factory mode",
         [](auto &p) -> QString {
             return p.factoryPllFlexible ? "flexible" : "normal";
         }},
        {"factory sclk",
         [](auto &p) -> QString {
             return QString::number(p.factorySclkMHz);
         }},
        {"factory usb divider",
         [](auto &p) -> QString {
             return QString::number(p.factoryUsbDiv);
         }},
        {"ahb captions", ahbCaptions},
        {"apb1 peripherals",
         [](auto &p) -> QString {
             return p.apb1Peripherals.join(' ');
         }},
        {"apb1 timers",
         [](auto &p) -> QString {
             return p.apb1Timers.join(' ');
         }},
        {"apb2 peripherals",
         [](auto &p) -> QString {
             return p.apb2Peripherals.join(' ');
         }},
        {"apb2 timers",
         [](auto &p) -> QString {
             return p.apb2Timers.join(' ');
         }},
        {"pll input message",
         [](auto &p) -> QString {
             return p.pllInputRangeCheck ? text(p.pllInputRangeMessage) : QString("-");
         }},
        {"pll less message",
         [](auto &p) -> QString {
             return text(p.pllLessMessage);
         }},
        {"adc warning",
         [](auto &p) -> QString {
             return text(p.adcWarning);
         }},
        {"usage notes",
         [](auto &p) -> QString {
             return p.usageNotes.isEmpty()
                        ? QString("")
                        : p.usageNotes.join('|') + '|' + QString::number(p.usageNotesAboveMHz);
         }},
        {"restore order",
         [](auto &p) -> QString {
             return p.restoreOrder.join(' ');
         }},
        {"usart1clocksel", selector("usart1clocksel")},
        {"usart2clocksel", selector("usart2clocksel")},
        {"i2c1clocksel", selector("i2c1clocksel")},
    };
    const Describe describer = describers.value(subject);
    if (!describer)
        qFatal("no subject %s", qPrintable(subject));
    return describer(p);
}

} // namespace

void TestSeriesTable::subject()
{
    QFETCH(QString, series);
    QFETCH(QString, subject);
    QFETCH(QString, expected);
    const SeriesParams *p = SeriesTable::byName(series);
    QVERIFY(p);
    QCOMPARE(describe(subject, *p), expected);
}

QTEST_GUILESS_MAIN(TestSeriesTable)
#include "tst_seriestable.moc"

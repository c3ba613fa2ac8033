#include "ClockConfig.h"
#include "SeriesTable.h"

#include <QtTest>

Q_DECLARE_METATYPE(QVector<int>)

// One series' numbers as the program should act on them.
struct SeriesRow {
    int id;
    int sclkLimit;
    int apbLimit;
    bool halving;
    int pllMin;
    int mult;            // factory multiplier; 0: no multiplier mode
    QVector<int> msNsFr; // factory factors; empty: no flexible mode
    double sclk;         // factory
    double usbDiv;       // factory
    double hick;
    double pllFromHick;
    QVector<int> hextDivs;
    int rtcDiv;
    bool rangeCheck;
    double usbClamp; // 0: no USB
    bool hickToUsb;
};
Q_DECLARE_METATYPE(SeriesRow)

class TestSeriesTable : public QObject {
    Q_OBJECT

private slots:
    void lookups();
    void numbers_data();
    void numbers();
};

namespace {

QString sorted(QStringList list)
{
    list.sort();
    return list.join(' ');
}

} // namespace

void TestSeriesTable::lookups()
{
    QStringList all;
    for (const SeriesParams &row : SeriesTable::all()) {
        QCOMPARE(SeriesTable::byId(row.id), &row);
        QCOMPARE(SeriesTable::byName(row.seriesName()), &row);
        all << row.seriesName();
    }
    QCOMPARE(all.size(), 11);
    QCOMPARE(sorted(SeriesTable::newLookupOrder()), sorted(all));
    QCOMPARE(sorted(SeriesTable::openLookupOrder()), sorted(all));
    QVERIFY(!SeriesTable::byId(3) && !SeriesTable::byName("qxc330"));
}

void TestSeriesTable::numbers_data()
{
    QTest::addColumn<SeriesRow>("row");
    auto add = [](const char *name, const SeriesRow &row) {
        QTest::newRow(name) << row;
    };
    add("QXC300", {2, 200, 100, true, 0, 24, {}, 192, 4, 8, 4, {2}, 128, true, 4, false});
    add("QXC310", {4, 200, 100, true, 0, 25, {}, 200, 4, 48, 4, {2}, 128, true, 4, true});
    add("QXC300A", {7, 240, 120, true, 0, 30, {}, 240, 4, 48, 4, {2, 3, 4, 5}, 128, true, 4, true});
    add("QXC305", {8, 240, 120, true, 0, 30, {}, 240, 4, 48, 4, {2, 3, 4, 5}, 128, true, 4, true});
    add("QXC315", {5, 150, 75, true, 16, 18, {1, 72, 4}, 144, 3, 48, 4, {2}, 128, false, 4, false});
    add("QXW315", {17, 150, 75, true, 16, 18, {1, 72, 4}, 144, 3, 48, 4, {2}, 128, false, 4, false});
    add("QXC320", {9, 120, 120, false, 16, 15, {1, 120, 8}, 120, 0, 48, 4, {2}, 32, false, 0, false});
    add("QXC325", {15, 96, 96, false, 16, 12, {1, 96, 8}, 96, 2, 48, 4, {2}, 128, false, 4, true});
    add("QXE020", {16, 96, 96, false, 16, 12, {1, 96, 8}, 96, 0, 48, 4, {2}, 32, false, 0, false});
    add("QXC330", {13, 288, 144, true, 0, 0, {1, 72, 2}, 288, 6, 48, 8, {}, 0, false, 7, true});
    add("QXC335", {14, 288, 144, true, 0, 0, {1, 72, 2}, 288, 6, 48, 8, {}, 0, false, 7, true});
}

// The SCLK limit is the entry bound, the hint and the red threshold; APB /1 is
// raised to /2 just above the APB limit where the series halves; the factory
// PLL settings give the factory SCLK from HEXT 8 MHz in every mode; 480 MHz
// asks for usbdiv /10 and the clamp decides.
void TestSeriesTable::numbers()
{
    QFETCH(SeriesRow, row);
    const SeriesParams *p = SeriesTable::byId(row.id);
    QVERIFY(p->sclkEntryAccepted(4.0) && p->sclkEntryAccepted(row.sclkLimit));
    QVERIFY(!p->sclkEntryAccepted(3.999) && !p->sclkEntryAccepted(row.sclkLimit + 0.001));
    QCOMPARE(p->sclkHint(), QString("(4 - %1)").arg(row.sclkLimit));
    QVERIFY(!p->sclkRed(row.sclkLimit) && p->sclkRed(row.sclkLimit + 0.001));
    QVERIFY(!p->apbRed(row.apbLimit) && p->apbRed(row.apbLimit + 0.001));
    QCOMPARE(p->pllMinMHz, row.pllMin);
    QCOMPARE(p->pllLessMessage != nullptr, row.pllMin > 0);
    for (double mhz : {double(row.apbLimit), row.apbLimit + 0.001}) {
        ClockConfig c(row.id);
        c.sclkSource = ClockConfig::SclkHext;
        c.hextMHz = mhz;
        c.recompute();
        QCOMPARE(c.apb1Div, row.halving && mhz > row.apbLimit ? 2 : 1);
        QCOMPARE(c.apb2Div, c.apb1Div);
    }

    QCOMPARE(p->hasMultiplierPll(), row.mult > 0);
    QCOMPARE(p->hasFlexiblePll(), !row.msNsFr.isEmpty());
    QCOMPARE(p->factoryPllFlexible, row.mult == 0 ? 1 : 0);
    QCOMPARE(p->factorySclkMHz, row.sclk);
    QCOMPARE(p->factoryUsbDiv, row.usbDiv);
    QCOMPARE(p->factoryPllMult, row.mult);
    if (!row.msNsFr.isEmpty())
        QCOMPARE((QVector<int>{p->factoryPllMs, p->factoryPllNs, p->factoryPllFr}), row.msNsFr);
    ClockConfig c(row.id);
    c.sclkSource = ClockConfig::SclkPll;
    c.pllMult = p->factoryPllMult;
    c.pllMs = p->factoryPllMs;
    c.pllNs = p->factoryPllNs;
    c.pllFr = p->factoryPllFr;
    for (int flexible : {0, 1}) {
        c.pllFlexible = flexible;
        c.recompute();
        if (flexible ? p->hasFlexiblePll() : p->hasMultiplierPll())
            QCOMPARE(c.sclkMHz, row.sclk);
    }

    QCOMPARE(c.hickMHz, row.hick);
    c.pllSourceHick = 1;
    QCOMPARE(c.pllInputMHz(), row.pllFromHick);
    QCOMPARE(p->hextPllDivs, row.hextDivs);
    QCOMPARE(p->rtcHextDiv, row.rtcDiv);
    QCOMPARE(QString(p->rtcCaption), row.rangeCheck ? "to rtc(kHz)" : "to ertc(kHz)");
    QCOMPARE(p->pllInputRangeCheck, row.rangeCheck);
    QCOMPARE(p->pllInputRangeMessage != nullptr, row.rangeCheck);
    QCOMPARE(p->hasUsb(), row.usbClamp > 0);
    QCOMPARE(p->usbWarning != nullptr, row.usbClamp > 0);
    QCOMPARE(p->usbDivItems().size(), row.usbClamp > 0 ? int(row.usbClamp * 2) - 1 : 0);
    QCOMPARE(p->usbHickRadios, row.hickToUsb);
    c.pllSourceHick = 0;
    c.pllFlexible = 0;
    c.usbDiv = 2.0;
    c.sclkMHz = 480.0;
    c.applyTypedSclk();
    QCOMPARE(c.sclkMHz, 480.0);
    QCOMPARE(c.usbDiv, row.usbClamp > 0 ? row.usbClamp : 2.0);
}

QTEST_GUILESS_MAIN(TestSeriesTable)
#include "tst_seriestable.moc"

#include "ClockConfig.h"
#include "SeriesTable.h"

#include <QtTest>

// What the record computes from each series' numbers: entry bounds and red
// thresholds, the automatic APB division, the factory system clock in every
// PLL mode, the PLL input from HICK and the clamp of the automatic USB divider.
class TestSeriesTable : public QObject {
    Q_OBJECT

private slots:
    void lookups();
    void numbers_data();
    void numbers();
};

void TestSeriesTable::lookups()
{
    QStringList all;
    for (const SeriesParams &row : SeriesTable::all()) {
        QCOMPARE(SeriesTable::byId(row.id), &row);
        QCOMPARE(SeriesTable::byName(row.seriesName()), &row);
        all << row.seriesName();
    }
    QCOMPARE(all.join(' '),
             QString("QXC300 QXC310 QXC315 QXC300A QXC305 QXC320 QXC330 QXC335 QXC325 QXW315 QXE020"));
    QVERIFY(!SeriesTable::byId(3) && !SeriesTable::byName("qxc330"));
}

void TestSeriesTable::numbers_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("sclkLimit");
    QTest::addColumn<int>("apbLimit");
    QTest::addColumn<bool>("halving");
    QTest::addColumn<double>("factorySclk");
    QTest::addColumn<double>("pllFromHick");
    QTest::addColumn<double>("usbClamp"); // 0: no USB
    QTest::newRow("QXC300") << 2 << 200 << 100 << true << 192.0 << 4.0 << 4.0;
    QTest::newRow("QXC310") << 4 << 200 << 100 << true << 200.0 << 4.0 << 4.0;
    QTest::newRow("QXC300A") << 7 << 240 << 120 << true << 240.0 << 4.0 << 4.0;
    QTest::newRow("QXC305") << 8 << 240 << 120 << true << 240.0 << 4.0 << 4.0;
    QTest::newRow("QXC315") << 5 << 150 << 75 << true << 144.0 << 4.0 << 4.0;
    QTest::newRow("QXW315") << 17 << 150 << 75 << true << 144.0 << 4.0 << 4.0;
    QTest::newRow("QXC320") << 9 << 120 << 120 << false << 120.0 << 4.0 << 0.0;
    QTest::newRow("QXC325") << 15 << 96 << 96 << false << 96.0 << 4.0 << 4.0;
    QTest::newRow("QXE020") << 16 << 96 << 96 << false << 96.0 << 4.0 << 0.0;
    QTest::newRow("QXC330") << 13 << 288 << 144 << true << 288.0 << 8.0 << 7.0;
    QTest::newRow("QXC335") << 14 << 288 << 144 << true << 288.0 << 8.0 << 7.0;
}

void TestSeriesTable::numbers()
{
    QFETCH(int, id);
    QFETCH(int, sclkLimit);
    QFETCH(int, apbLimit);
    QFETCH(bool, halving);
    QFETCH(double, factorySclk);
    QFETCH(double, pllFromHick);
    QFETCH(double, usbClamp);
    const SeriesParams *p = SeriesTable::byId(id);
    QVERIFY(p->sclkEntryAccepted(4.0) && p->sclkEntryAccepted(sclkLimit));
    QVERIFY(!p->sclkEntryAccepted(3.999) && !p->sclkEntryAccepted(sclkLimit + 0.001));
    QCOMPARE(p->sclkHint(), QString("(4 - %1)").arg(sclkLimit));
    QVERIFY(!p->sclkRed(sclkLimit) && p->sclkRed(sclkLimit + 0.001));
    QVERIFY(!p->apbRed(apbLimit) && p->apbRed(apbLimit + 0.001));
    for (double mhz : {double(apbLimit), apbLimit + 0.001}) {
        ClockConfig c(id);
        c.sclkSource = ClockConfig::SclkHext;
        c.hextMHz = mhz;
        c.recompute();
        QCOMPARE(c.apb1Div, halving && mhz > apbLimit ? 2 : 1);
        QCOMPARE(c.apb2Div, c.apb1Div);
    }

    // The factory PLL gives the factory system clock from HEXT 8 MHz in every mode it has.
    ClockConfig c(id);
    c.sclkSource = ClockConfig::SclkPll;
    c.pllMult = p->factoryPllMult;
    c.pllMs = p->factoryPllMs;
    c.pllNs = p->factoryPllNs;
    c.pllFr = p->factoryPllFr;
    for (int flexible : {0, 1}) {
        c.pllFlexible = flexible;
        c.recompute();
        if (flexible ? p->hasFlexiblePll() : p->hasMultiplierPll())
            QCOMPARE(c.sclkMHz, factorySclk);
    }
    c.pllSourceHick = 1;
    QCOMPARE(c.pllInputMHz(), pllFromHick);

    // 480 MHz asks for usbdiv /10: the clamp decides.
    c.pllSourceHick = 0;
    c.pllFlexible = 0;
    c.usbDisabled = 0;
    c.usbDiv = 2.0;
    c.sclkMHz = 480.0;
    c.applyTypedSclk();
    QCOMPARE(c.usbDiv, usbClamp > 0 ? usbClamp : 2.0);
}

QTEST_GUILESS_MAIN(TestSeriesTable)
#include "tst_seriestable.moc"

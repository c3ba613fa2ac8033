#include "ClockConfig.h"
#include "SeriesTable.h"

#include <QtTest>

Q_DECLARE_METATYPE(QVector<int>)

// The series parameter table, one test per column group, each checked
// through the behaviour it drives rather than cell by cell.
class TestSeriesTable : public QObject {
    Q_OBJECT

private slots:
    void lookups();
    void limits_data();
    void limits();
    void oscillatorsAndUsb_data();
    void oscillatorsAndUsb();
    void outputsAndAdc_data();
    void outputsAndAdc();
    void factory_data();
    void factory();
    void designElementsFollowControls();
};

namespace {

QString names(const QStringList &list)
{
    QStringList sorted = list;
    sorted.sort();
    return sorted.join(' ');
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
    QCOMPARE(names(SeriesTable::newLookupOrder()), names(all));
    QCOMPARE(names(SeriesTable::openLookupOrder()), names(all));
    QCOMPARE(SeriesTable::byId(3), nullptr);
    QCOMPARE(SeriesTable::byName("qxc330"), nullptr);
}

void TestSeriesTable::limits_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("sclkLimit");
    QTest::addColumn<int>("apbLimit");
    QTest::addColumn<bool>("halving");
    QTest::addColumn<int>("pllMin");
    QTest::newRow("QXC300") << 2 << 200 << 100 << true << 0;
    QTest::newRow("QXC310") << 4 << 200 << 100 << true << 0;
    QTest::newRow("QXC300A") << 7 << 240 << 120 << true << 0;
    QTest::newRow("QXC305") << 8 << 240 << 120 << true << 0;
    QTest::newRow("QXC315") << 5 << 150 << 75 << true << 16;
    QTest::newRow("QXW315") << 17 << 150 << 75 << true << 16;
    QTest::newRow("QXC320") << 9 << 120 << 120 << false << 16;
    QTest::newRow("QXC325") << 15 << 96 << 96 << false << 16;
    QTest::newRow("QXE020") << 16 << 96 << 96 << false << 16;
    QTest::newRow("QXC330") << 13 << 288 << 144 << true << 0;
    QTest::newRow("QXC335") << 14 << 288 << 144 << true << 0;
}

void TestSeriesTable::limits()
{
    QFETCH(int, series);
    QFETCH(int, sclkLimit);
    QFETCH(int, apbLimit);
    QFETCH(bool, halving);
    QFETCH(int, pllMin);
    const SeriesParams *p = SeriesTable::byId(series);
    // The SCLK limit is the entry bound, the hint and the red threshold.
    QVERIFY(p->sclkEntryAccepted(4.0) && p->sclkEntryAccepted(sclkLimit));
    QVERIFY(!p->sclkEntryAccepted(3.999) && !p->sclkEntryAccepted(sclkLimit + 0.001));
    QCOMPARE(p->sclkHint(), QString("(4 - %1)").arg(sclkLimit));
    QVERIFY(!p->sclkRed(sclkLimit) && p->sclkRed(sclkLimit + 0.001));
    QVERIFY(!p->apbRed(apbLimit) && p->apbRed(apbLimit + 0.001));
    QCOMPARE(SeriesParams::limitText("Can not support sclk greater than", p->sclkLimitMHz),
             QString("Can not support sclk greater than %1MHz").arg(sclkLimit));
    QCOMPARE(p->pllMinMHz, pllMin);
    QCOMPARE(p->pllLessMessage != nullptr, pllMin > 0);
    // APB /1 is raised to /2 just above the APB limit where the series halves.
    for (double sclk : {double(apbLimit), apbLimit + 0.001}) {
        ClockConfig c(series);
        c.sclkSource = ClockConfig::SclkHext;
        c.hextMHz = sclk;
        c.recompute();
        QCOMPARE(c.apb1Div, halving && sclk > apbLimit ? 2 : 1);
        QCOMPARE(c.apb2Div, c.apb1Div);
    }
}

void TestSeriesTable::oscillatorsAndUsb_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<double>("hick");
    QTest::addColumn<double>("pllFromHick");
    QTest::addColumn<QVector<int>>("hextDivs");
    QTest::addColumn<int>("rtcDiv");
    QTest::addColumn<bool>("rangeCheck");
    QTest::addColumn<double>("usbClamp"); // 0: no USB
    QTest::addColumn<bool>("hickToUsb");

    const QVector<int> two{2};
    const QVector<int> upTo5{2, 3, 4, 5};
    QTest::newRow("QXC300") << 2 << 8.0 << 4.0 << two << 128 << true << 4.0 << false;
    QTest::newRow("QXC310") << 4 << 48.0 << 4.0 << two << 128 << true << 4.0 << true;
    QTest::newRow("QXC300A") << 7 << 48.0 << 4.0 << upTo5 << 128 << true << 4.0 << true;
    QTest::newRow("QXC305") << 8 << 48.0 << 4.0 << upTo5 << 128 << true << 4.0 << true;
    QTest::newRow("QXC315") << 5 << 48.0 << 4.0 << two << 128 << false << 4.0 << false;
    QTest::newRow("QXW315") << 17 << 48.0 << 4.0 << two << 128 << false << 4.0 << false;
    QTest::newRow("QXC320") << 9 << 48.0 << 4.0 << two << 32 << false << 0.0 << false;
    QTest::newRow("QXC325") << 15 << 48.0 << 4.0 << two << 128 << false << 4.0 << true;
    QTest::newRow("QXE020") << 16 << 48.0 << 4.0 << two << 32 << false << 0.0 << false;
    QTest::newRow("QXC330") << 13 << 48.0 << 8.0 << QVector<int>{} << 0 << false << 7.0 << true;
    QTest::newRow("QXC335") << 14 << 48.0 << 8.0 << QVector<int>{} << 0 << false << 7.0 << true;
}

void TestSeriesTable::oscillatorsAndUsb()
{
    QFETCH(int, series);
    QFETCH(double, hick);
    QFETCH(double, pllFromHick);
    QFETCH(QVector<int>, hextDivs);
    QFETCH(int, rtcDiv);
    QFETCH(bool, rangeCheck);
    QFETCH(double, usbClamp);
    QFETCH(bool, hickToUsb);
    const SeriesParams *p = SeriesTable::byId(series);
    ClockConfig c(series);
    QCOMPARE(c.hickMHz, hick);
    c.pllSourceHick = 1;
    QCOMPARE(c.pllInputMHz(), pllFromHick);
    QCOMPARE(p->hextPllDivs, hextDivs);
    QCOMPARE(p->rtcHextDiv, rtcDiv);
    QCOMPARE(QString(p->rtcCaption), rangeCheck ? "to rtc(kHz)" : "to ertc(kHz)");
    QCOMPARE(p->pllInputRangeCheck, rangeCheck);
    QCOMPARE(p->pllInputRangeMessage != nullptr, rangeCheck);

    // usbdiv items run from 1 to the clamp in halves; 480 MHz asks for /10
    // and the clamp decides.
    QCOMPARE(p->hasUsb(), usbClamp > 0);
    QCOMPARE(p->usbWarning != nullptr, usbClamp > 0);
    QCOMPARE(p->usbDivItems().size(), usbClamp > 0 ? int(usbClamp * 2) - 1 : 0);
    QCOMPARE(p->usbHickRadios, hickToUsb);
    c.pllSourceHick = 0;
    c.sclkSource = ClockConfig::SclkPll;
    c.pllFlexible = 0;
    c.usbDiv = 2.0;
    c.sclkMHz = 480.0;
    c.applyTypedSclk();
    QCOMPARE(c.sclkMHz, 480.0);
    QCOMPARE(c.usbDiv, usbClamp > 0 ? usbClamp : 2.0);
}

void TestSeriesTable::outputsAndAdc_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QVector<int>>("codes"); // source codes of every output, in order
    QTest::addColumn<QStringList>("pins1");
    QTest::addColumn<QVector<int>>("divItems"); // div1 and div2 of the first output
    QTest::addColumn<QVector<int>>("adcDivs");
    QTest::addColumn<QString>("adcWarningTail");

    const QVector<int> ten{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const QVector<int> noUsb{0, 1, 2, 3, 4, 5, 7, 8, 9};
    const QVector<int> two{0, 1, 2, 3, 0, 1, 2, 3, 4, 5, 6, 7};
    const QStringList pa8{"none", "PA8"};
    const QVector<int> wide{9, 0};
    const QVector<int> six{2, 4, 6, 8, 12, 16};
    const QString dot = "wrong.  please confirm whether to continue?";
    const QString comma = "wrong, please confirm whether to continue?";
    QTest::newRow("QXC300") << 2 << QVector<int>{0, 3, 4, 5, 6, 7, 8, 9} << pa8 << QVector<int>{0, 0} << six
                            << dot;
    QTest::newRow("QXC310") << 4 << ten << pa8 << wide << six << comma;
    QTest::newRow("QXC300A") << 7 << ten << pa8 << wide << six << dot;
    QTest::newRow("QXC315") << 5 << ten << pa8 << wide << six << comma;
    QTest::newRow("QXC320") << 9 << noUsb << pa8 << wide << six << comma;
    QTest::newRow("QXE020") << 16 << noUsb << QStringList{"none", "PA8", "PA9", "PB13"} << wide
                            << QVector<int>{2, 3, 4, 5, 6, 8, 12, 16} << comma;
    QTest::newRow("QXC330") << 13 << two << QStringList{"none", "PA8", "PE4"} << QVector<int>{5, 9}
                            << QVector<int>{} << QString();
}

void TestSeriesTable::outputsAndAdc()
{
    QFETCH(int, series);
    QFETCH(QVector<int>, codes);
    QFETCH(QStringList, pins1);
    QFETCH(QVector<int>, divItems);
    QFETCH(QVector<int>, adcDivs);
    QFETCH(QString, adcWarningTail);
    const SeriesParams *p = SeriesTable::byId(series);
    QVector<int> actual;
    bool usbSource = false;
    for (const ClockOutputParams &out : p->clockOutputs) {
        for (const ClockSourceItem &item : out.sources) {
            actual << item.code;
            usbSource = usbSource || item.kind == ClockSourceKind::Usb;
            QCOMPARE(out.sourceByCode(item.code), &item);
        }
        QCOMPARE(out.sourceByCode(42), nullptr);
    }
    QCOMPARE(actual, codes);
    QCOMPARE(usbSource, p->hasUsb());
    QCOMPARE(p->clockOutputs.first().pins, pins1);
    QCOMPARE((QVector<int>{p->clockOutputs.first().div1.size(), p->clockOutputs.first().div2.size()}),
             divItems);
    if (p->multiOutput())
        QCOMPARE(p->clockOutputs.at(1).pins, (QStringList{"none", "PC9"}));

    QCOMPARE(p->adcDivs, adcDivs);
    QCOMPARE(p->hasAdc(), !adcWarningTail.isEmpty());
    QCOMPARE(p->adcRed(28.001), p->hasAdc());
    QVERIFY(!p->adcRed(28.0));
    if (p->hasAdc())
        QVERIFY(QString(p->adcWarning).endsWith(adcWarningTail));
}

void TestSeriesTable::factory_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("mult");            // 0: no multiplier mode
    QTest::addColumn<QVector<int>>("msNsFr"); // empty: no flexible mode
    QTest::addColumn<double>("sclk");
    QTest::addColumn<double>("usbDiv");
    QTest::newRow("QXC300") << 2 << 24 << QVector<int>{} << 192.0 << 4.0;
    QTest::newRow("QXC310") << 4 << 25 << QVector<int>{} << 200.0 << 4.0;
    QTest::newRow("QXC300A") << 7 << 30 << QVector<int>{} << 240.0 << 4.0;
    QTest::newRow("QXC305") << 8 << 30 << QVector<int>{} << 240.0 << 4.0;
    QTest::newRow("QXC315") << 5 << 18 << QVector<int>{1, 72, 4} << 144.0 << 3.0;
    QTest::newRow("QXW315") << 17 << 18 << QVector<int>{1, 72, 4} << 144.0 << 3.0;
    QTest::newRow("QXC320") << 9 << 15 << QVector<int>{1, 120, 8} << 120.0 << 0.0;
    QTest::newRow("QXC325") << 15 << 12 << QVector<int>{1, 96, 8} << 96.0 << 2.0;
    QTest::newRow("QXE020") << 16 << 12 << QVector<int>{1, 96, 8} << 96.0 << 0.0;
    QTest::newRow("QXC330") << 13 << 0 << QVector<int>{1, 72, 2} << 288.0 << 6.0;
    QTest::newRow("QXC335") << 14 << 0 << QVector<int>{1, 72, 2} << 288.0 << 6.0;
}

// The factory PLL settings give the factory SCLK from HEXT 8 MHz, in every
// mode the series has.
void TestSeriesTable::factory()
{
    QFETCH(int, series);
    QFETCH(int, mult);
    QFETCH(QVector<int>, msNsFr);
    QFETCH(double, sclk);
    QFETCH(double, usbDiv);
    const SeriesParams *p = SeriesTable::byId(series);
    QCOMPARE(p->hasMultiplierPll(), mult > 0);
    QCOMPARE(p->hasFlexiblePll(), !msNsFr.isEmpty());
    QCOMPARE(p->factoryUsbDiv, usbDiv);
    QCOMPARE(p->factorySclkMHz, sclk);
    QCOMPARE(p->factoryPllFlexible, mult == 0 ? 1 : 0);
    ClockConfig c(series);
    c.sclkSource = ClockConfig::SclkPll;
    c.pllMult = p->factoryPllMult;
    c.pllMs = p->factoryPllMs;
    c.pllNs = p->factoryPllNs;
    c.pllFr = p->factoryPllFr;
    for (int flexible : {0, 1}) {
        c.pllFlexible = flexible;
        c.recompute();
        if (flexible ? p->hasFlexiblePll() : p->hasMultiplierPll())
            QCOMPARE(c.sclkMHz, sclk);
    }
    QCOMPARE(c.pllMult, mult);
    if (!msNsFr.isEmpty())
        QCOMPARE((QVector<int>{c.pllMs, c.pllNs, c.pllFr}), msNsFr);
}

// Each design-file element belongs to a control the series has.
void TestSeriesTable::designElementsFollowControls()
{
    QVector<int> counts;
    for (const SeriesParams &p : SeriesTable::all()) {
        const QStringList &e = p.designElements;
        counts << e.size();
        QCOMPARE(e.mid(0, 4), (QStringList{"MCU", "lextbypass", "rtcsel", "rtcswitch"}));
        QCOMPARE(QStringList(e).removeDuplicates(), 0);
        const QVector<QPair<const char *, bool>> expected = {
            {"rtcdiv", p.rtcHextDiv == 0},
            {"hextdiv", p.hextPllDivs.size() > 1},
            {"pllhextdiv", p.hasHextPllDivPath()},
            {"pllmode", p.pllKind == PllKind::Selectable},
            {"pllmult", p.hasMultiplierPll()},
            {"pllms", p.hasFlexiblePll()},
            {"usbdiv", p.hasUsb()},
            {"tousbswitch", p.hasUsb()},
            {"hicktousb", p.usbHickRadios},
            {"hicktosclk", !p.hickSclkUndivided},
            {"adcswitch", p.hasAdc()},
            {"clkoutdiv", !p.multiOutput() && !p.clockOutputs.first().div1.isEmpty()},
            {"clkout1div2", p.multiOutput()},
            {"usart1clocksel", p.id == 16},
        };
        for (const auto &item : expected)
            QVERIFY2(e.contains(item.first) == item.second, qPrintable(p.seriesName() + " " + item.first));
    }
    QCOMPARE(counts, (QVector<int>{19, 22, 25, 23, 23, 23, 27, 27, 26, 25, 26}));
}

QTEST_GUILESS_MAIN(TestSeriesTable)
#include "tst_seriestable.moc"

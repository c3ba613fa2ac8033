#include "ClockConfig.h"
#include "SeriesTable.h"

#include <QtTest>

Q_DECLARE_METATYPE(QVector<int>)

namespace {

// A record of `series` running SCLK at `sclk` from the PLL, buses at /1.
ClockConfig runningAt(int series, double sclk)
{
    ClockConfig c(series);
    c.sclkSource = ClockConfig::SclkPll;
    c.pllFlexible = 0;
    c.hextMHz = 8.0;
    c.sclkMHz = sclk;
    c.usbDisabled = 1;
    c.applyTypedSclk();
    return c;
}

QVector<int> codes(const ClockOutputSpec &out)
{
    QVector<int> list;
    for (const ClockSourceItem &item : out.sources)
        list.append(item.code);
    return list;
}

} // namespace

class TestSeriesTable : public QObject {
    Q_OBJECT

private slots:
    void identity();
    void limits_data();
    void limits();
    void oscillators_data();
    void oscillators();
    void usb_data();
    void usb();
    void clockOutputs_data();
    void clockOutputs();
    void adc_data();
    void adc();
    void factory_data();
    void factory();
    void panel_data();
    void panel();
    void messages_data();
    void messages();
    void designElements_data();
    void designElements();
};

void TestSeriesTable::identity()
{
    const auto &rows = SeriesTable::all();
    QCOMPARE(rows.size(), 11);
    QStringList names;
    for (const SeriesParams &row : rows) {
        QCOMPARE(SeriesTable::byId(row.id), &row);
        QCOMPARE(SeriesTable::byName(row.seriesName()), &row);
        QCOMPARE(QString::fromLatin1(row.widgetClass), row.seriesName() + QStringLiteral("PLL"));
        QVERIFY(row.bitmapPath().startsWith(QStringLiteral(":/image/")));
        names << row.seriesName();
    }
    QStringList sorted = names;
    sorted.sort();
    QStringList newOrder = SeriesTable::newLookupOrder();
    newOrder.sort();
    QStringList openOrder = SeriesTable::openLookupOrder();
    openOrder.sort();
    QCOMPARE(newOrder, sorted);
    QCOMPARE(openOrder, sorted);
    QCOMPARE(SeriesTable::byId(3), nullptr);
    QCOMPARE(SeriesTable::byName(QStringLiteral("qxc330")), nullptr);
    QCOMPARE(SeriesTable::byId(13)->templateStem(), SeriesTable::byId(14)->templateStem());
    QCOMPARE(SeriesTable::byId(7)->templateStem(), SeriesTable::byId(8)->templateStem());
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
    QVERIFY(p);
    // The SCLK limit is the entry bound, the hint and the red threshold.
    QVERIFY(p->sclkEntryAccepted(sclkLimit));
    QVERIFY(!p->sclkEntryAccepted(sclkLimit + 0.001));
    QVERIFY(p->sclkEntryAccepted(4.0));
    QVERIFY(!p->sclkEntryAccepted(3.999));
    QCOMPARE(p->sclkHint(), QStringLiteral("(4 - %1)").arg(sclkLimit));
    QVERIFY(!p->sclkRed(sclkLimit));
    QVERIFY(p->sclkRed(sclkLimit + 0.001));
    QVERIFY(!p->apbRed(apbLimit));
    QVERIFY(p->apbRed(apbLimit + 0.001));
    QCOMPARE(SeriesParams::limitText("Can not support sclk greater than", p->sclkLimitMHz),
             QStringLiteral("Can not support sclk greater than %1MHz").arg(sclkLimit));
    QCOMPARE(p->pllMinMHz, pllMin);

    // AHB at the SCLK limit with APB /1: halved where the series halves.
    ClockConfig c(series);
    c.sclkSource = ClockConfig::SclkPll;
    c.pllFlexible = 1;
    c.hextMHz = 8.0;
    c.sclkMHz = sclkLimit;
    c.applyTypedSclk();
    if (c.sclkMHz != sclkLimit) { // multiplier-only series
        c = runningAt(series, sclkLimit);
    }
    QCOMPARE(c.ahbMHz, double(sclkLimit));
    QCOMPARE(c.apb1Div, halving && sclkLimit > apbLimit ? 2 : 1);
    QCOMPARE(c.apb1MHz, halving ? double(apbLimit) : double(sclkLimit));
    QCOMPARE(c.apb2MHz, c.apb1MHz);
    // The halving starts just above the APB limit (SCLK taken from HEXT).
    for (double sclk : {double(apbLimit), apbLimit + 0.001}) {
        ClockConfig h(series);
        h.sclkSource = ClockConfig::SclkHext;
        h.hextMHz = sclk;
        h.usbDisabled = 1;
        h.recompute();
        QCOMPARE(h.apb1Div, halving && sclk > apbLimit ? 2 : 1);
        QCOMPARE(h.apb2Div, h.apb1Div);
    }
}

void TestSeriesTable::oscillators_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<double>("hick");
    QTest::addColumn<double>("pllFromHick");
    QTest::addColumn<double>("sclkFromHick"); // hickSclk48 = 0
    QTest::addColumn<QVector<int>>("hextDivs");
    QTest::addColumn<int>("rtcDiv");
    QTest::addColumn<QString>("rtcCaption");
    QTest::addColumn<bool>("rangeCheck");

    const QVector<int> two{2};
    QTest::newRow("QXC300") << 2 << 8.0 << 4.0 << 8.0 << two << 128 << "to rtc(kHz)" << true;
    QTest::newRow("QXC310") << 4 << 48.0 << 4.0 << 8.0 << two << 128 << "to rtc(kHz)" << true;
    QTest::newRow("QXC300A") << 7 << 48.0 << 4.0 << 8.0 << QVector<int>{2, 3, 4, 5} << 128 << "to rtc(kHz)"
                             << true;
    QTest::newRow("QXC305") << 8 << 48.0 << 4.0 << 8.0 << QVector<int>{2, 3, 4, 5} << 128 << "to rtc(kHz)"
                            << true;
    QTest::newRow("QXC315") << 5 << 48.0 << 4.0 << 8.0 << two << 128 << "to ertc(kHz)" << false;
    QTest::newRow("QXW315") << 17 << 48.0 << 4.0 << 8.0 << two << 128 << "to ertc(kHz)" << false;
    QTest::newRow("QXC320") << 9 << 48.0 << 4.0 << 8.0 << two << 32 << "to ertc(kHz)" << false;
    QTest::newRow("QXC325") << 15 << 48.0 << 4.0 << 8.0 << two << 128 << "to ertc(kHz)" << false;
    QTest::newRow("QXE020") << 16 << 48.0 << 4.0 << 8.0 << two << 32 << "to ertc(kHz)" << false;
    QTest::newRow("QXC330") << 13 << 48.0 << 8.0 << 8.0 << QVector<int>{} << 0 << "to ertc(kHz)" << false;
    QTest::newRow("QXC335") << 14 << 48.0 << 8.0 << 8.0 << QVector<int>{} << 0 << "to ertc(kHz)" << false;
}

void TestSeriesTable::oscillators()
{
    QFETCH(int, series);
    QFETCH(double, hick);
    QFETCH(double, pllFromHick);
    QFETCH(double, sclkFromHick);
    QFETCH(QVector<int>, hextDivs);
    QFETCH(int, rtcDiv);
    QFETCH(QString, rtcCaption);
    QFETCH(bool, rangeCheck);
    const SeriesParams *p = SeriesTable::byId(series);
    ClockConfig c(series);
    QCOMPARE(c.hickMHz, hick);
    c.pllSourceHick = 1;
    QCOMPARE(c.pllInputMHz(), pllFromHick);
    c.sclkSource = ClockConfig::SclkHick;
    c.recompute();
    QCOMPARE(c.sclkMHz, sclkFromHick);
    QCOMPARE(p->hextPllDivs, hextDivs);
    // The divided path halves HEXT wherever it exists.
    c.pllSourceHick = 0;
    c.hextDivEnabled = 1;
    c.hextDivValue = hextDivs.isEmpty() ? 2 : hextDivs.first();
    QCOMPARE(c.pllInputMHz(), hextDivs.isEmpty() ? 8.0 : 4.0);
    QCOMPARE(p->rtcHextDiv, rtcDiv);
    QCOMPARE(QString::fromLatin1(p->rtcCaption), rtcCaption);
    QCOMPARE(QString::fromLatin1(p->rtcSelCaption), rtcCaption.startsWith(QLatin1String("to e"))
                                                        ? QStringLiteral("ertcsel")
                                                        : QStringLiteral("rtcsel"));
    QCOMPARE(p->pllInputRangeCheck, rangeCheck);
    QCOMPARE(p->pllInputRangeMessage != nullptr, rangeCheck);
}

void TestSeriesTable::usb_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("items"); // usbdiv items; 0: no USB
    QTest::addColumn<double>("clamp");
    QTest::addColumn<bool>("hickRadios");

    QTest::newRow("QXC300") << 2 << 7 << 4.0 << false;
    QTest::newRow("QXC310") << 4 << 7 << 4.0 << true;
    QTest::newRow("QXC300A") << 7 << 7 << 4.0 << true;
    QTest::newRow("QXC305") << 8 << 7 << 4.0 << true;
    QTest::newRow("QXC315") << 5 << 7 << 4.0 << false;
    QTest::newRow("QXW315") << 17 << 7 << 4.0 << false;
    QTest::newRow("QXC320") << 9 << 0 << 0.0 << false;
    QTest::newRow("QXC325") << 15 << 7 << 4.0 << true;
    QTest::newRow("QXE020") << 16 << 0 << 0.0 << false;
    QTest::newRow("QXC330") << 13 << 13 << 7.0 << true;
    QTest::newRow("QXC335") << 14 << 13 << 7.0 << true;
}

void TestSeriesTable::usb()
{
    QFETCH(int, series);
    QFETCH(int, items);
    QFETCH(double, clamp);
    QFETCH(bool, hickRadios);
    const SeriesParams *p = SeriesTable::byId(series);
    QCOMPARE(p->hasUsb(), items > 0);
    QCOMPARE(p->usbWarning != nullptr, items > 0);
    const QVector<double> list = p->usbDivItems();
    QCOMPARE(list.size(), items);
    if (items > 0) {
        QCOMPARE(list.first(), 1.0);
        QCOMPARE(list.last(), clamp);
    }
    QCOMPARE(p->usbHickRadios, hickRadios);

    // 480 MHz is a multiple of 24: the automatic divider asks for 10 and
    // the clamp decides.
    ClockConfig c(series);
    c.sclkSource = ClockConfig::SclkPll;
    c.pllFlexible = 0;
    c.hextMHz = 8.0;
    c.usbDiv = 2.0;
    c.sclkMHz = 480.0;
    c.applyTypedSclk();
    QCOMPARE(c.sclkMHz, 480.0);
    QCOMPARE(c.usbDiv, items > 0 ? clamp : 2.0);
}

void TestSeriesTable::clockOutputs_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QVector<int>>("codes1");
    QTest::addColumn<QVector<int>>("codes2");
    QTest::addColumn<QStringList>("pins1");
    QTest::addColumn<int>("div1Items");
    QTest::addColumn<int>("div2Items");

    const QVector<int> ten{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const QVector<int> noUsb{0, 1, 2, 3, 4, 5, 7, 8, 9};
    const QStringList pa8{"none", "PA8"};
    QTest::newRow("QXC300") << 2 << QVector<int>{0, 3, 4, 5, 6, 7, 8, 9} << QVector<int>{} << pa8 << 0 << 0;
    QTest::newRow("QXC310") << 4 << ten << QVector<int>{} << pa8 << 9 << 0;
    QTest::newRow("QXC300A") << 7 << ten << QVector<int>{} << pa8 << 9 << 0;
    QTest::newRow("QXC305") << 8 << ten << QVector<int>{} << pa8 << 9 << 0;
    QTest::newRow("QXC315") << 5 << ten << QVector<int>{} << pa8 << 9 << 0;
    QTest::newRow("QXW315") << 17 << ten << QVector<int>{} << pa8 << 9 << 0;
    QTest::newRow("QXC325") << 15 << ten << QVector<int>{} << pa8 << 9 << 0;
    QTest::newRow("QXC320") << 9 << noUsb << QVector<int>{} << pa8 << 9 << 0;
    QTest::newRow("QXE020") << 16 << noUsb << QVector<int>{} << QStringList{"none", "PA8", "PA9", "PB13"} << 9
                            << 0;
    QTest::newRow("QXC330") << 13 << QVector<int>{0, 1, 2, 3} << QVector<int>{0, 1, 2, 3, 4, 5, 6, 7}
                            << QStringList{"none", "PA8", "PE4"} << 5 << 9;
    QTest::newRow("QXC335") << 14 << QVector<int>{0, 1, 2, 3} << QVector<int>{0, 1, 2, 3, 4, 5, 6, 7}
                            << QStringList{"none", "PA8", "PE4"} << 5 << 9;
}

void TestSeriesTable::clockOutputs()
{
    QFETCH(int, series);
    QFETCH(QVector<int>, codes1);
    QFETCH(QVector<int>, codes2);
    QFETCH(QStringList, pins1);
    QFETCH(int, div1Items);
    QFETCH(int, div2Items);
    const SeriesParams *p = SeriesTable::byId(series);
    QCOMPARE(p->clockOutputs.size(), codes2.isEmpty() ? 1 : 2);
    QCOMPARE(codes(p->clockOutputs.at(0)), codes1);
    if (!codes2.isEmpty()) {
        QCOMPARE(codes(p->clockOutputs.at(1)), codes2);
        QCOMPARE(p->clockOutputs.at(1).pins, (QStringList{"none", "PC9"}));
    }
    QCOMPARE(p->clockOutputs.at(0).pins, pins1);
    QCOMPARE(p->clockOutputs.at(0).div1.size(), div1Items);
    QCOMPARE(p->clockOutputs.at(0).div2.size(), div2Items);
    // The USB source exists exactly where the series has USB.
    bool usbSource = false;
    for (const ClockOutputSpec &out : p->clockOutputs) {
        for (const ClockSourceItem &item : out.sources)
            usbSource = usbSource || item.kind == ClockSourceKind::Usb;
    }
    QCOMPARE(usbSource, p->hasUsb());
    // E020 shows HICK as "hick48" and keeps the code 3.
    if (series == 16)
        QCOMPARE(QString::fromLatin1(p->clockOutputs.at(0).sourceByCode(3)->text), QStringLiteral("hick48"));
    QCOMPARE(p->clockOutputs.at(0).sourceByCode(42), nullptr);
}

void TestSeriesTable::adc_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QVector<int>>("divs");
    QTest::addColumn<QString>("warningTail"); // empty: no ADC

    const QVector<int> six{2, 4, 6, 8, 12, 16};
    const QString dot = QStringLiteral("wrong.  please confirm whether to continue?");
    const QString comma = QStringLiteral("wrong, please confirm whether to continue?");
    QTest::newRow("QXC300") << 2 << six << dot;
    QTest::newRow("QXC300A") << 7 << six << dot;
    QTest::newRow("QXC305") << 8 << six << dot;
    QTest::newRow("QXC310") << 4 << six << comma;
    QTest::newRow("QXC315") << 5 << six << comma;
    QTest::newRow("QXW315") << 17 << six << comma;
    QTest::newRow("QXC320") << 9 << six << comma;
    QTest::newRow("QXC325") << 15 << six << comma;
    QTest::newRow("QXE020") << 16 << QVector<int>{2, 3, 4, 5, 6, 8, 12, 16} << comma;
    QTest::newRow("QXC330") << 13 << QVector<int>{} << QString();
    QTest::newRow("QXC335") << 14 << QVector<int>{} << QString();
}

void TestSeriesTable::adc()
{
    QFETCH(int, series);
    QFETCH(QVector<int>, divs);
    QFETCH(QString, warningTail);
    const SeriesParams *p = SeriesTable::byId(series);
    QCOMPARE(p->adcDivs, divs);
    QCOMPARE(p->hasAdc(), !warningTail.isEmpty());
    if (warningTail.isEmpty()) {
        QCOMPARE(p->adcWarning, nullptr);
        QVERIFY(!p->adcRed(1000.0));
        return;
    }
    QVERIFY(
        QString::fromLatin1(p->adcWarning).startsWith(QStringLiteral("The maximum ADC clock is 28 MHz.")));
    QVERIFY(QString::fromLatin1(p->adcWarning).endsWith(warningTail));
    QVERIFY(!p->adcRed(28.0));
    QVERIFY(p->adcRed(28.001));
}

void TestSeriesTable::factory_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("mult");
    QTest::addColumn<QVector<int>>("flex"); // ms, ns, fr
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

void TestSeriesTable::factory()
{
    QFETCH(int, series);
    QFETCH(int, mult);
    QFETCH(QVector<int>, flex);
    QFETCH(double, sclk);
    QFETCH(double, usbDiv);
    const SeriesParams *p = SeriesTable::byId(series);
    QCOMPARE(p->factoryPllMult, mult);
    QCOMPARE(p->factoryUsbDiv, usbDiv);
    QCOMPARE(p->factorySclkMHz, sclk);
    QCOMPARE(p->factoryPllFlexible, mult == 0 ? 1 : 0);
    QCOMPARE(p->hasMultiplierPll(), mult > 0);
    QCOMPARE(p->hasFlexiblePll(), !flex.isEmpty());

    // Both factory PLL settings give the factory SCLK from HEXT 8 MHz.
    ClockConfig c(series);
    c.sclkSource = ClockConfig::SclkPll;
    c.hextMHz = 8.0;
    c.pllFlexible = p->factoryPllFlexible;
    c.pllMult = p->factoryPllMult;
    c.pllMs = p->factoryPllMs;
    c.pllNs = p->factoryPllNs;
    c.pllFr = p->factoryPllFr;
    c.recompute();
    QCOMPARE(c.sclkMHz, sclk);
    if (!flex.isEmpty()) {
        QCOMPARE((QVector<int>{p->factoryPllMs, p->factoryPllNs, p->factoryPllFr}), flex);
        c.pllFlexible = 1;
        c.recompute();
        QCOMPARE(c.sclkMHz, sclk);
    }
}

void TestSeriesTable::panel_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<QStringList>("ahb");
    QTest::addColumn<int>("apb1");
    QTest::addColumn<QStringList>("apb1Timers");
    QTest::addColumn<QStringList>("apb2");
    QTest::addColumn<QStringList>("apb2Timers");

    const QStringList big{"TMR2", "TMR3", "TMR4", "TMR5", "TMR6", "TMR7", "TMR12", "TMR13", "TMR14"};
    QTest::newRow("QXC300") << 2 << QStringList{"systick", "sdio", "dma", "xmc"} << 12 << big
                            << QStringList{"GPIOA", "GPIOB", "GPIOC", "GPIOD", "GPIOE",
                                           "GPIOF", "GPIOG", "SPI1",  "USART1"}
                            << QStringList{"TMR1", "TMR8", "TMR9", "TMR10", "TMR11", "TMR15"};
    QTest::newRow("QXC310") << 4 << QStringList{"systick", "sdio", "dma", "gpio"} << 9
                            << QStringList{"TMR2", "TMR3", "TMR4", "TMR5"} << QStringList{"SPI1", "USART1"}
                            << QStringList{"TMR1", "TMR8", "TMR9", "TMR10", "TMR11"};
    QTest::newRow("QXC305") << 8 << QStringList{"systick", "sdio", "dma", "xmc", "emac", "gpio"} << 12 << big
                            << QStringList{"SPI1", "USART1", "USART6", "UART7", "UART8"}
                            << QStringList{"TMR1", "TMR8", "TMR9", "TMR10", "TMR11"};
    QTest::newRow("QXW315") << 17 << QStringList{"systick", "dma", "gpio"} << 7
                            << QStringList{"TMR2", "TMR3", "TMR4", "TMR5"} << QStringList{"USART1"}
                            << QStringList{"TMR1", "TMR9", "TMR10", "TMR11"};
    QTest::newRow("QXC325") << 15 << QStringList{"systick", "dma", "gpio"} << 8
                            << QStringList{"TMR2", "TMR3", "TMR6", "TMR7", "TMR13", "TMR14"}
                            << QStringList{"SPI1", "USART1", "SCFG"}
                            << QStringList{"TMR1", "TMR15", "TMR16", "TMR17"};
    QTest::newRow("QXE020") << 16 << QStringList{"systick", "dma", "gpio"} << 5
                            << QStringList{"TMR3", "TMR6", "TMR14"} << QStringList{"SCFG", "ADC1", "SPI1"}
                            << QStringList{"TMR1", "TMR15", "TMR16", "TMR17"};
    QTest::newRow("QXC330") << 13
                            << QStringList{"systick", "sdio", "dma", "xmc", "gpio", "dvp", "qspi", "adc"}
                            << 14 << big << QStringList{"SPI1", "SPI4", "USART1", "USART6", "SCFG"}
                            << QStringList{"TMR1", "TMR8", "TMR9", "TMR10", "TMR11", "TMR20"};
    QTest::newRow("QXC335") << 14 << QStringList{"systick", "sdio", "dma", "xmc", "gpio",
                                                 "dvp",     "qspi", "adc", "emac"}
                            << 14 << big << QStringList{"SPI1", "SPI4", "USART1", "USART6", "SCFG"}
                            << QStringList{"TMR1", "TMR8", "TMR9", "TMR10", "TMR11", "TMR20"};
}

void TestSeriesTable::panel()
{
    QFETCH(int, series);
    QFETCH(QStringList, ahb);
    QFETCH(int, apb1);
    QFETCH(QStringList, apb1Timers);
    QFETCH(QStringList, apb2);
    QFETCH(QStringList, apb2Timers);
    const SeriesParams *p = SeriesTable::byId(series);
    QCOMPARE(p->ahbBoxes, ahb);
    QCOMPARE(p->apb1Peripherals.size(), apb1);
    QCOMPARE(p->apb1Timers, apb1Timers);
    QCOMPARE(p->apb2Peripherals, apb2);
    QCOMPARE(p->apb2Timers, apb2Timers);
    QCOMPARE(SeriesParams::ahbBoxCaption(ahb.first()), QStringLiteral("systick(MHz)"));
    QCOMPARE(SeriesParams::ahbBoxCaption(ahb.last()), ahb.last() + QStringLiteral(" (MHz)"));
}

void TestSeriesTable::messages_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<bool>("rangeMessage");
    QTest::addColumn<bool>("lessMessage");
    QTest::addColumn<bool>("factorMessages");
    QTest::addColumn<bool>("usageNotes");

    QTest::newRow("QXC300") << 2 << true << false << false << false;
    QTest::newRow("QXC310") << 4 << true << false << false << false;
    QTest::newRow("QXC300A") << 7 << true << false << false << false;
    QTest::newRow("QXC305") << 8 << true << false << false << false;
    QTest::newRow("QXC315") << 5 << false << true << true << false;
    QTest::newRow("QXW315") << 17 << false << true << true << false;
    QTest::newRow("QXC320") << 9 << false << true << true << false;
    QTest::newRow("QXC325") << 15 << false << true << true << false;
    QTest::newRow("QXE020") << 16 << false << true << true << false;
    QTest::newRow("QXC330") << 13 << false << false << true << true;
    QTest::newRow("QXC335") << 14 << false << false << true << true;
}

void TestSeriesTable::messages()
{
    QFETCH(int, series);
    QFETCH(bool, rangeMessage);
    QFETCH(bool, lessMessage);
    QFETCH(bool, factorMessages);
    QFETCH(bool, usageNotes);
    const SeriesParams *p = SeriesTable::byId(series);
    QCOMPARE(p->pllInputRangeMessage ? QString::fromLatin1(p->pllInputRangeMessage) : QString(),
             rangeMessage ? QStringLiteral("pll input clock source range 2-16MHz!") : QString());
    QCOMPARE(p->pllLessMessage ? QString::fromLatin1(p->pllLessMessage) : QString(),
             lessMessage ? QStringLiteral("Can not support pll clock less than") : QString());
    QCOMPARE(lessMessage, p->pllMinMHz == 16);
    QCOMPARE(p->pllFactorMessages.size(), factorMessages ? 4 : 0);
    if (factorMessages)
        QVERIFY(p->pllFactorMessages.contains(
            QStringLiteral("pll_ns input error, is it adjusted automatically?")));
    QCOMPARE(p->usageNotes.size(), usageNotes ? 3 : 0);
    QCOMPARE(p->usageNotesAboveMHz, usageNotes ? 240 : 0);
    if (usageNotes)
        QCOMPARE(p->usageNotes.at(1), QStringLiteral("Temperature range - 40~85 degree. "));
    if (p->hasUsb())
        QVERIFY(QString::fromLatin1(p->usbWarning).contains(QStringLiteral("wrong.  please confirm")));
}

void TestSeriesTable::designElements_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("last");

    QTest::newRow("QXC300") << 2 << 19 << "adcdiv";
    QTest::newRow("QXC310") << 4 << 22 << "adcdiv";
    QTest::newRow("QXC300A") << 7 << 23 << "adcdiv";
    QTest::newRow("QXC305") << 8 << 23 << "adcdiv";
    QTest::newRow("QXC315") << 5 << 25 << "adcdiv";
    QTest::newRow("QXW315") << 17 << 25 << "adcdiv";
    QTest::newRow("QXC320") << 9 << 23 << "adcdiv";
    QTest::newRow("QXC325") << 15 << 26 << "adcdiv";
    QTest::newRow("QXE020") << 16 << 26 << "i2c1clocksel";
    QTest::newRow("QXC330") << 13 << 27 << "clkout2pinselect";
    QTest::newRow("QXC335") << 14 << 27 << "clkout2pinselect";
}

// Each element belongs to a control the series has, so the list follows
// from the other columns; the counts pin down the rest.
void TestSeriesTable::designElements()
{
    QFETCH(int, series);
    QFETCH(int, count);
    QFETCH(QString, last);
    const SeriesParams *p = SeriesTable::byId(series);
    const QStringList &e = p->designElements;
    QCOMPARE(e.size(), count);
    QCOMPARE(e.mid(0, 4), (QStringList{"MCU", "lextbypass", "rtcsel", "rtcswitch"}));
    QCOMPARE(e.last(), last);
    QCOMPARE(QStringList(e).removeDuplicates(), 0);
    QCOMPARE(e.contains(QStringLiteral("rtcdiv")), p->rtcHextDiv == 0);
    QCOMPARE(e.contains(QStringLiteral("hextdiv")), p->hextPllDivs.size() > 1);
    QCOMPARE(e.contains(QStringLiteral("pllhextdiv")), p->hasHextPllDivPath());
    QCOMPARE(e.contains(QStringLiteral("pllmode")), p->pllKind == PllKind::Selectable);
    QCOMPARE(e.contains(QStringLiteral("pllmult")), p->hasMultiplierPll());
    QCOMPARE(e.contains(QStringLiteral("pllms")), p->hasFlexiblePll());
    QCOMPARE(e.contains(QStringLiteral("usbdiv")), p->hasUsb());
    QCOMPARE(e.contains(QStringLiteral("tousbswitch")), p->hasUsb());
    QCOMPARE(e.contains(QStringLiteral("hicktousb")), p->usbHickRadios);
    QCOMPARE(e.contains(QStringLiteral("hicktosclk")), !p->hickSclkUndivided);
    QCOMPARE(e.contains(QStringLiteral("adcswitch")), p->hasAdc());
    QCOMPARE(e.contains(QStringLiteral("clkoutdiv")),
             !p->multiOutput() && !p->clockOutputs.at(0).div1.isEmpty());
    QCOMPARE(e.contains(QStringLiteral("clkout1")), p->multiOutput());
    QCOMPARE(e.contains(QStringLiteral("usart1clocksel")), series == 16);
    // The file never stores derived frequencies, and every element is known.
    static const QStringList known{"MCU",
                                   "lextbypass",
                                   "rtcsel",
                                   "rtcswitch",
                                   "rtcdiv",
                                   "hext",
                                   "hextbypass",
                                   "hextdiv",
                                   "pllhextdiv",
                                   "pllrcs",
                                   "pllmode",
                                   "pllmult",
                                   "pllms",
                                   "pllns",
                                   "pllfr",
                                   "sclkselect",
                                   "ahbdiv",
                                   "apb1div",
                                   "apb2div",
                                   "usbdiv",
                                   "hicktousb",
                                   "tousbswitch",
                                   "hicktosclk",
                                   "clkout",
                                   "clkoutdiv",
                                   "clkoutpinselect",
                                   "adcswitch",
                                   "adcdiv",
                                   "clkout1",
                                   "clkout1div1",
                                   "clkout1div2",
                                   "clkout1pinselect",
                                   "clkout2",
                                   "clkout2div1",
                                   "clkout2div2",
                                   "clkout2pinselect",
                                   "usart1clocksel",
                                   "usart2clocksel",
                                   "i2c1clocksel"};
    for (const QString &name : e)
        QVERIFY2(known.contains(name), qPrintable(name));
}

QTEST_GUILESS_MAIN(TestSeriesTable)
#include "tst_seriestable.moc"

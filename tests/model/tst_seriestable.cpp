#include "ClockTreeLayout.h"
#include "SeriesTable.h"

#include <QtTest>

// Every number and text of the series table, one written-out row per series
// and subject. Lists are compared as one text ("a b c") so that a row reads
// like the table it was copied from.
class TestSeriesTable : public QObject {
    Q_OBJECT

private slots:
    void identity_data();
    void identity();
    void limits_data();
    void limits();
    void paths_data();
    void paths();
    void clockOutputs_data();
    void clockOutputs();
    void factory_data();
    void factory();
    void panel_data();
    void panel();
    void messages_data();
    void messages();
    void restoreOrder_data();
    void restoreOrder();
};

namespace {

const SeriesParams &series()
{
    const SeriesParams *p =
        SeriesTable::byName(QString::fromLatin1(QTest::currentDataTag()).section(' ', 0, 0));
    if (!p)
        qFatal("no series %s", QTest::currentDataTag());
    return *p;
}

template <typename T> QString joined(const QVector<T> &values)
{
    QStringList out;
    for (const T &v : values)
        out << QString::number(v);
    return out.join(' ');
}

QString text(const char *s)
{
    return s ? QString::fromLatin1(s) : QStringLiteral("-");
}

const char *const kUsb =
    "USB clock must be 48MHz. But the USB clock of current config is wrong.  please confirm "
    "whether to continue?";
const char *const kAdcDot = "The maximum ADC clock is 28 MHz. The currently configured ADC clock is wrong.  "
                            "please confirm whether to continue?";
const char *const kAdcComma = "The maximum ADC clock is 28 MHz. The currently configured ADC clock is wrong, "
                              "please confirm whether to continue?";
const char *const kRange = "pll input clock source range 2-16MHz!";
const char *const kLess = "Can not support pll clock less than";

} // namespace

void TestSeriesTable::identity_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("widgetClass");
    QTest::addColumn<QString>("bitmap");
    QTest::addColumn<QString>("stem");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QSize>("drawing");
    const QSize small(1404, 828), large(1408, 830);
    QTest::newRow("QXC300") << 2 << "QXC300PLL"
                            << ":/image/C300PLL.bmp"
                            << "qxc300"
                            << "multiplier" << large;
    QTest::newRow("QXC310") << 4 << "QXC310PLL"
                            << ":/image/C310PLL.bmp"
                            << "qxc310"
                            << "multiplier" << large;
    QTest::newRow("QXC315") << 5 << "QXC315PLL"
                            << ":/image/C315PLL.bmp"
                            << "qxc315"
                            << "normal or flexible" << small;
    QTest::newRow("QXC300A") << 7 << "QXC300APLL"
                             << ":/image/C300APLL.bmp"
                             << "qxc300a_305"
                             << "multiplier" << large;
    QTest::newRow("QXC305") << 8 << "QXC305PLL"
                            << ":/image/C305PLL.bmp"
                            << "qxc300a_305"
                            << "multiplier" << large;
    QTest::newRow("QXC320") << 9 << "QXC320PLL"
                            << ":/image/C320PLL.bmp"
                            << "qxc320"
                            << "normal or flexible" << small;
    QTest::newRow("QXC330") << 13 << "QXC330PLL"
                            << ":/image/C330PLL.bmp"
                            << "qxc330_335"
                            << "flexible only" << small;
    QTest::newRow("QXC335") << 14 << "QXC335PLL"
                            << ":/image/C335PLL.bmp"
                            << "qxc330_335"
                            << "flexible only" << small;
    QTest::newRow("QXC325") << 15 << "QXC325PLL"
                            << ":/image/C325PLL.bmp"
                            << "qxc325"
                            << "normal or flexible" << large;
    QTest::newRow("QXE020") << 16 << "QXE020PLL"
                            << ":/image/E020PLL.bmp"
                            << "qxe020"
                            << "normal or flexible" << large;
    QTest::newRow("QXW315") << 17 << "QXW315PLL"
                            << ":/image/W315PLL.bmp"
                            << "qxw315"
                            << "normal or flexible" << small;
}

void TestSeriesTable::identity()
{
    QFETCH(int, id);
    QFETCH(QString, widgetClass);
    QFETCH(QString, bitmap);
    QFETCH(QString, stem);
    QFETCH(QString, kind);
    QFETCH(QSize, drawing);
    const SeriesParams &p = series();
    QCOMPARE(p.id, id);
    QCOMPARE(SeriesTable::byId(id), &p);
    QCOMPARE(text(p.widgetClass), widgetClass);
    QCOMPARE(p.bitmapPath(), bitmap);
    QCOMPARE(p.templateStem(), stem);
    QCOMPARE(QString(p.hasMultiplierPll() && p.hasFlexiblePll() ? "normal or flexible"
                     : p.hasFlexiblePll()                       ? "flexible only"
                                                                : "multiplier"),
             kind);
    QCOMPARE(ClockTree::layoutFor(p).size, drawing);
}

void TestSeriesTable::limits_data()
{
    QTest::addColumn<int>("pllMin");   // 0: no lower bound
    QTest::addColumn<int>("adcLimit"); // 0: no ADC controls
    QTest::addColumn<bool>("usb");
    // SCLK, APB and the halving are pinned by the model test's series rows.
    QTest::newRow("QXC300") << 0 << 28 << true;
    QTest::newRow("QXC310") << 0 << 28 << true;
    QTest::newRow("QXC300A") << 0 << 28 << true;
    QTest::newRow("QXC305") << 0 << 28 << true;
    QTest::newRow("QXC315") << 16 << 28 << true;
    QTest::newRow("QXW315") << 16 << 28 << true;
    QTest::newRow("QXC320") << 16 << 28 << false;
    QTest::newRow("QXC325") << 16 << 28 << true;
    QTest::newRow("QXE020") << 16 << 28 << false;
    QTest::newRow("QXC330") << 0 << 0 << true;
    QTest::newRow("QXC335") << 0 << 0 << true;
}

void TestSeriesTable::limits()
{
    QFETCH(int, pllMin);
    QFETCH(int, adcLimit);
    QFETCH(bool, usb);
    const SeriesParams &p = series();
    QCOMPARE(p.pllMinMHz, pllMin);
    QCOMPARE(p.hasAdc(), adcLimit > 0);
    QCOMPARE(p.adcLimitMHz, adcLimit);
    QCOMPARE(p.adcRed(28.0), false);
    QCOMPARE(p.adcRed(28.001), adcLimit > 0);
    QCOMPARE(p.hasUsb(), usb);
    QCOMPARE(text(p.usbWarning), usb ? QString(kUsb) : QString("-"));
}

void TestSeriesTable::paths_data()
{
    QTest::addColumn<double>("hick");
    QTest::addColumn<bool>("sclkFromFullHick"); // "SCLK from HICK 8 MHz": no 8/48 choice
    QTest::addColumn<QString>("hextPllDivs");
    QTest::addColumn<int>("rtcHextDiv"); // 0: "ertcdiv" 2..31
    QTest::addColumn<QString>("rtcCaptions");
    QTest::addColumn<QString>("usbSources"); // "pll", "pll hick48" or "none"
    QTest::addColumn<QString>("usbDivs");
    QTest::addColumn<QString>("adcDivs");
    const char *rtc = "rtcsel|to rtc(kHz)", *ertc = "ertcsel|to ertc(kHz)";
    const char *to4 = "1 1.5 2 2.5 3 3.5 4", *adc = "2 4 6 8 12 16";
    QTest::newRow("QXC300") << 8.0 << true << "2" << 128 << rtc << "pll" << to4 << adc;
    QTest::newRow("QXC310") << 48.0 << false << "2" << 128 << rtc << "pll hick48" << to4 << adc;
    QTest::newRow("QXC300A") << 48.0 << false << "2 3 4 5" << 128 << rtc << "pll hick48" << to4 << adc;
    QTest::newRow("QXC305") << 48.0 << false << "2 3 4 5" << 128 << rtc << "pll hick48" << to4 << adc;
    QTest::newRow("QXC315") << 48.0 << false << "2" << 128 << ertc << "pll" << to4 << adc;
    QTest::newRow("QXW315") << 48.0 << false << "2" << 128 << ertc << "pll" << to4 << adc;
    QTest::newRow("QXC320") << 48.0 << false << "2" << 32 << ertc << "none"
                            << "" << adc;
    QTest::newRow("QXC325") << 48.0 << false << "2" << 128 << ertc << "pll hick48" << to4 << adc;
    QTest::newRow("QXE020") << 48.0 << false << "2" << 32 << ertc << "none"
                            << ""
                            << "2 3 4 5 6 8 12 16";
    QTest::newRow("QXC330") << 48.0 << false << "" << 0 << ertc << "pll hick48"
                            << "1 1.5 2 2.5 3 3.5 4 4.5 5 5.5 6 6.5 7"
                            << "";
    QTest::newRow("QXC335") << 48.0 << false << "" << 0 << ertc << "pll hick48"
                            << "1 1.5 2 2.5 3 3.5 4 4.5 5 5.5 6 6.5 7"
                            << "";
}

// The PLL input from HICK and the input range check are pinned by the model test.
void TestSeriesTable::paths()
{
    QFETCH(double, hick);
    QFETCH(bool, sclkFromFullHick);
    QFETCH(QString, hextPllDivs);
    QFETCH(int, rtcHextDiv);
    QFETCH(QString, rtcCaptions);
    QFETCH(QString, usbSources);
    QFETCH(QString, usbDivs);
    QFETCH(QString, adcDivs);
    const SeriesParams &p = series();
    QCOMPARE(p.hickMHz, hick);
    QCOMPARE(p.hickSclkUndivided, sclkFromFullHick);
    QCOMPARE(joined(p.hextPllDivs), hextPllDivs);
    QCOMPARE(p.rtcHextDiv, rtcHextDiv);
    QCOMPARE(QString(text(p.rtcSelCaption) + '|' + text(p.rtcCaption)), rtcCaptions);
    QCOMPARE(QString(!p.hasUsb()                            ? "none"
                     : p.usbHickRadios && !p.usbHickIgnored ? "pll hick48"
                                                            : "pll"),
             usbSources);
    QCOMPARE(joined(p.usbDivItems()), usbDivs);
    QCOMPARE(joined(p.adcDivs), adcDivs);
}

void TestSeriesTable::clockOutputs_data()
{
    QTest::addColumn<int>("output");      // index into the series' outputs
    QTest::addColumn<QString>("sources"); // "text code" in radio order
    QTest::addColumn<QString>("pins");
    QTest::addColumn<QString>("dividers"); // first stage | second stage
    const QString all = "no clk 0|lick 1|lext 2|hick 3|hext 4|sclk 5|usb 6|adcclk 7|pll/2 8|pll/4 9";
    const QString noUsb = "no clk 0|lick 1|lext 2|hick 3|hext 4|sclk 5|adcclk 7|pll/2 8|pll/4 9";
    const QString pa8 = "none PA8", div = "1 2 4 8 16 64 128 256 512|";
    QTest::newRow("QXC300") << 0 << "no clk 0|hick 3|hext 4|sclk 5|usb 6|adcclk 7|pll/2 8|pll/4 9" << pa8
                            << "|";
    QTest::newRow("QXC310") << 0 << all << pa8 << div;
    QTest::newRow("QXC300A") << 0 << all << pa8 << div;
    QTest::newRow("QXC305") << 0 << all << pa8 << div;
    QTest::newRow("QXC315") << 0 << all << pa8 << div;
    QTest::newRow("QXW315") << 0 << all << pa8 << div;
    QTest::newRow("QXC325") << 0 << all << pa8 << div;
    QTest::newRow("QXC320") << 0 << noUsb << pa8 << div;
    QTest::newRow("QXE020") << 0 << "no clk 0|lick 1|lext 2|hick48 3|hext 4|sclk 5|adcclk 7|pll/2 8|pll/4 9"
                            << "none PA8 PA9 PB13" << div;
    const QString out1 = "hick 0|lext 1|hext 2|pll 3";
    const QString out2 = "sclk 0|hext 1|pll 2|usb 3|hick 4|adcclk 5|lick 6|lext 7";
    const QString stages = "1 2 3 4 5|1 2 4 8 16 64 128 256 512";
    QTest::newRow("QXC330 output 1") << 0 << out1 << "none PA8 PE4" << stages;
    QTest::newRow("QXC330 output 2") << 1 << out2 << "none PC9" << stages;
    QTest::newRow("QXC335 output 1") << 0 << out1 << "none PA8 PE4" << stages;
    QTest::newRow("QXC335 output 2") << 1 << out2 << "none PC9" << stages;
}

void TestSeriesTable::clockOutputs()
{
    QFETCH(int, output);
    QFETCH(QString, sources);
    QFETCH(QString, pins);
    QFETCH(QString, dividers);
    const SeriesParams &p = series();
    QCOMPARE(p.multiOutput(), p.id == 13 || p.id == 14);
    const ClockOutputParams &out = p.clockOutputs.at(output);
    QStringList items;
    for (const ClockSourceItem &item : out.sources)
        items << QStringLiteral("%1 %2").arg(QString::fromLatin1(item.text)).arg(item.code);
    QCOMPARE(items.join('|'), sources);
    QCOMPARE(out.pins.join(' '), pins);
    QCOMPARE(QString(joined(out.div1) + '|' + joined(out.div2)), dividers);
}

void TestSeriesTable::factory_data()
{
    QTest::addColumn<int>("mult");         // 0: no multiplier mode
    QTest::addColumn<QString>("flexible"); // ms ns fr, empty: no flexible mode
    QTest::addColumn<double>("sclk");
    QTest::addColumn<double>("usbDiv"); // 0: no USB
    QTest::newRow("QXC300") << 24 << "" << 192.0 << 4.0;
    QTest::newRow("QXC310") << 25 << "" << 200.0 << 4.0;
    QTest::newRow("QXC300A") << 30 << "" << 240.0 << 4.0;
    QTest::newRow("QXC305") << 30 << "" << 240.0 << 4.0;
    QTest::newRow("QXC315") << 18 << "1 72 4" << 144.0 << 3.0;
    QTest::newRow("QXW315") << 18 << "1 72 4" << 144.0 << 3.0;
    QTest::newRow("QXC320") << 15 << "1 120 8" << 120.0 << 0.0;
    QTest::newRow("QXC325") << 12 << "1 96 8" << 96.0 << 2.0;
    QTest::newRow("QXE020") << 12 << "1 96 8" << 96.0 << 0.0;
    QTest::newRow("QXC330") << 0 << "1 72 2" << 288.0 << 6.0;
    QTest::newRow("QXC335") << 0 << "1 72 2" << 288.0 << 6.0;
}

// The mode-selectable series start in normal mode, the flexible-only ones in flexible mode.
void TestSeriesTable::factory()
{
    QFETCH(int, mult);
    QFETCH(QString, flexible);
    QFETCH(double, sclk);
    QFETCH(double, usbDiv);
    const SeriesParams &p = series();
    QCOMPARE(p.factoryPllMult, mult);
    QCOMPARE(p.factoryPllMs
                 ? QStringLiteral("%1 %2 %3").arg(p.factoryPllMs).arg(p.factoryPllNs).arg(p.factoryPllFr)
                 : QString(""),
             flexible);
    QCOMPARE(p.factoryPllFlexible, mult ? 0 : 1);
    QCOMPARE(p.factorySclkMHz, sclk);
    QCOMPARE(p.factoryUsbDiv, usbDiv);
}

void TestSeriesTable::panel_data()
{
    QTest::addColumn<QString>("ahb"); // captions, "|"-separated
    QTest::addColumn<QString>("apb1");
    QTest::addColumn<QString>("apb1Timers");
    QTest::addColumn<QString>("apb2");
    QTest::addColumn<QString>("apb2Timers");
    const char *a300 = "SPI2 SPI3 SPI4 USART2 USART3 UART4 UART5 I2C1 I2C2 CAN1 CAN2 DAC";
    const char *t300 = "TMR2 TMR3 TMR4 TMR5 TMR6 TMR7 TMR12 TMR13 TMR14";
    const char *b300 = "SPI1 USART1 USART6 UART7 UART8", *bt300 = "TMR1 TMR8 TMR9 TMR10 TMR11";
    const char *c330 =
        "systick(MHz)|sdio (MHz)|dma (MHz)|xmc (MHz)|gpio (MHz)|dvp (MHz)|qspi (MHz)|adc (MHz)";
    const char *a330 = "SPI2 SPI3 USART2 USART3 UART4 UART5 UART7 UART8 I2C1 I2C2 I2C3 CAN1 CAN2 DAC";
    const char *b330 = "SPI1 SPI4 USART1 USART6 SCFG", *bt330 = "TMR1 TMR8 TMR9 TMR10 TMR11 TMR20";
    QTest::newRow("QXC300") << "systick(MHz)|sdio (MHz)|dma (MHz)|xmc (MHz)"
                            << "SPI2 SPI3 SPI4 USART2 USART3 UART4 UART5 I2C1 I2C2 I2C3 CAN1 DAC" << t300
                            << "GPIOA GPIOB GPIOC GPIOD GPIOE GPIOF GPIOG SPI1 USART1"
                            << "TMR1 TMR8 TMR9 TMR10 TMR11 TMR15";
    QTest::newRow("QXC310") << "systick(MHz)|sdio (MHz)|dma (MHz)|gpio (MHz)"
                            << "SPI2 USART2 USART3 UART4 UART5 I2C1 I2C2 CAN1 CAN2"
                            << "TMR2 TMR3 TMR4 TMR5"
                            << "SPI1 USART1" << bt300;
    QTest::newRow("QXC300A") << "systick(MHz)|sdio (MHz)|dma (MHz)|xmc (MHz)|gpio (MHz)" << a300 << t300
                             << b300 << bt300;
    QTest::newRow("QXC305") << "systick(MHz)|sdio (MHz)|dma (MHz)|xmc (MHz)|emac (MHz)|gpio (MHz)" << a300
                            << t300 << b300 << bt300;
    QTest::newRow("QXC315") << "systick(MHz)|sdio (MHz)|dma (MHz)|gpio (MHz)"
                            << "SPI2 USART2 USART3 UART4 UART5 I2C1 I2C2 CAN1 CMP"
                            << "TMR2 TMR3 TMR4 TMR5"
                            << "SPI1 USART1"
                            << "TMR1 TMR9 TMR10 TMR11";
    QTest::newRow("QXW315") << "systick(MHz)|dma (MHz)|gpio (MHz)"
                            << "SPI2 USART2 USART3 UART5 I2C1 CAN1 CMP"
                            << "TMR2 TMR3 TMR4 TMR5"
                            << "USART1"
                            << "TMR1 TMR9 TMR10 TMR11";
    QTest::newRow("QXC320") << "systick(MHz)|dma (MHz)|gpio (MHz)"
                            << "SPI2 USART2 I2C1 I2C2"
                            << "TMR3 TMR6 TMR14"
                            << "SPI1 USART1 SCFG CMP"
                            << "TMR1 TMR15 TMR16 TMR17";
    QTest::newRow("QXC325") << "systick(MHz)|dma (MHz)|gpio (MHz)"
                            << "SPI2 SPI3 USART2 USART3 USART4 I2C1 I2C2 CAN1"
                            << "TMR2 TMR3 TMR6 TMR7 TMR13 TMR14"
                            << "SPI1 USART1 SCFG"
                            << "TMR1 TMR15 TMR16 TMR17";
    QTest::newRow("QXE020") << "systick(MHz)|dma (MHz)|gpio (MHz)"
                            << "SPI2 USART3 USART4 I2C2 CAN1"
                            << "TMR3 TMR6 TMR14"
                            << "SCFG ADC1 SPI1"
                            << "TMR1 TMR15 TMR16 TMR17";
    QTest::newRow("QXC330") << c330 << a330 << t300 << b330 << bt330;
    QTest::newRow("QXC335") << QString(c330) + "|emac (MHz)" << a330 << t300 << b330 << bt330;
}

void TestSeriesTable::panel()
{
    QFETCH(QString, ahb);
    QFETCH(QString, apb1);
    QFETCH(QString, apb1Timers);
    QFETCH(QString, apb2);
    QFETCH(QString, apb2Timers);
    const SeriesParams &p = series();
    QStringList captions;
    for (const QString &box : p.ahbBoxes)
        captions << SeriesParams::ahbBoxCaption(box);
    QCOMPARE(captions.join('|'), ahb);
    QCOMPARE(p.apb1Peripherals.join(' '), apb1);
    QCOMPARE(p.apb1Timers.join(' '), apb1Timers);
    QCOMPARE(p.apb2Peripherals.join(' '), apb2);
    QCOMPARE(p.apb2Timers.join(' '), apb2Timers);
}

void TestSeriesTable::messages_data()
{
    QTest::addColumn<QString>("pllInput"); // "-": the series does not show it
    QTest::addColumn<QString>("pllLess");
    QTest::addColumn<QString>("adc");
    QTest::addColumn<QString>("notes"); // the notes and the SCLK above which they show
    const char *none = "-";
    QTest::newRow("QXC300") << kRange << none << kAdcDot << "";
    QTest::newRow("QXC310") << kRange << none << kAdcComma << "";
    QTest::newRow("QXC300A") << kRange << none << kAdcDot << "";
    QTest::newRow("QXC305") << kRange << none << kAdcDot << "";
    QTest::newRow("QXC315") << none << kLess << kAdcComma << "";
    QTest::newRow("QXW315") << none << kLess << kAdcComma << "";
    QTest::newRow("QXC320") << none << kLess << kAdcComma << "";
    QTest::newRow("QXC325") << none << kLess << kAdcComma << "";
    QTest::newRow("QXE020") << none << kLess << kAdcComma << "";
    const char *notes = "Useage limited:|Temperature range - 40~85 degree. |VDD must over 3.0V. |240";
    QTest::newRow("QXC330") << none << none << none << notes;
    QTest::newRow("QXC335") << none << none << none << notes;
}

void TestSeriesTable::messages()
{
    QFETCH(QString, pllInput);
    QFETCH(QString, pllLess);
    QFETCH(QString, adc);
    QFETCH(QString, notes);
    const SeriesParams &p = series();
    QCOMPARE(text(p.pllInputRangeMessage), pllInput);
    QCOMPARE(p.pllInputRangeCheck, pllInput != "-");
    QCOMPARE(text(p.pllLessMessage), pllLess);
    QCOMPARE(text(p.adcWarning), adc);
    const QString shown = p.usageNotes.join('|') + '|' + QString::number(p.usageNotesAboveMHz);
    QCOMPARE(p.usageNotes.isEmpty() ? QString("") : shown, notes);
}

void TestSeriesTable::restoreOrder_data()
{
    QTest::addColumn<QString>("order"); // after lextbypass rtcsel rtcswitch
    const char *a300 =
        "hext hextbypass hextdiv pllhextdiv pllrcs pllmult sclkselect ahbdiv apb1div apb2div "
        "hicktousb usbdiv tousbswitch hicktosclk adcswitch adcdiv clkoutpinselect clkoutdiv clkout";
    const char *c315 =
        "hext hextbypass pllhextdiv pllrcs pllmode pllmult pllms pllns pllfr sclkselect ahbdiv "
        "apb1div apb2div usbdiv tousbswitch hicktosclk adcswitch adcdiv clkoutpinselect clkoutdiv "
        "clkout";
    const char *c320 =
        "hext hextbypass pllhextdiv pllrcs pllmode pllmult pllms pllns pllfr sclkselect ahbdiv "
        "apb1div apb2div hicktosclk adcswitch adcdiv clkoutpinselect clkoutdiv clkout";
    const char *c330 =
        "rtcdiv hext hextbypass pllrcs pllms pllns pllfr sclkselect ahbdiv apb1div apb2div usbdiv "
        "hicktosclk hicktousb tousbswitch clkout1pinselect clkout1 clkout1div1 clkout1div2 "
        "clkout2pinselect clkout2 clkout2div1 clkout2div2";
    QTest::newRow("QXC300")
        << "hext hextbypass pllhextdiv pllrcs pllmult sclkselect ahbdiv apb1div apb2div usbdiv "
           "tousbswitch adcswitch adcdiv clkoutpinselect clkout";
    QTest::newRow("QXC310")
        << "hext hextbypass pllhextdiv pllrcs pllmult sclkselect ahbdiv apb1div apb2div "
           "hicktousb usbdiv tousbswitch hicktosclk adcswitch adcdiv clkoutpinselect clkoutdiv "
           "clkout";
    QTest::newRow("QXC300A") << a300;
    QTest::newRow("QXC305") << a300;
    QTest::newRow("QXC315") << c315;
    QTest::newRow("QXW315") << c315;
    QTest::newRow("QXC325")
        << "hext hextbypass pllhextdiv pllrcs pllmode pllmult pllms pllns pllfr sclkselect "
           "ahbdiv apb1div apb2div hicktousb usbdiv tousbswitch hicktosclk adcswitch adcdiv "
           "clkoutpinselect clkoutdiv clkout";
    QTest::newRow("QXC320") << c320;
    QTest::newRow("QXE020") << QString(c320) + " usart1clocksel usart2clocksel i2c1clocksel";
    QTest::newRow("QXC330") << c330;
    QTest::newRow("QXC335") << c330;
}

// The order opening a design sets the controls in; the order Save writes is
// pinned by the series widgets' own rows.
void TestSeriesTable::restoreOrder()
{
    QFETCH(QString, order);
    QCOMPARE(series().restoreOrder.join(QLatin1Char(' ')), QString("lextbypass rtcsel rtcswitch " + order));
}

QTEST_GUILESS_MAIN(TestSeriesTable)
#include "tst_seriestable.moc"

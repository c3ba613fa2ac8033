#include "ClockTreeLayout.h"
#include "ControlTable.h"
#include "LiteralRows.h"
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
    void selectors_data();
    void selectors();
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

// Identity: id, widget class, bitmap, template stem, PLL kind, drawing size.
const struct {
    const char *tag;
    int id;
    const char *widgetClass, *bitmap, *stem, *kind;
    QSize drawing;
} kIdentity[] = {
    {"QXC300", 2, "QXC300PLL", ":/image/C300PLL.bmp", "qxc300", "multiplier", {1408, 830}},
    {"QXC310", 4, "QXC310PLL", ":/image/C310PLL.bmp", "qxc310", "multiplier", {1408, 830}},
    {"QXC315", 5, "QXC315PLL", ":/image/C315PLL.bmp", "qxc315", "normal or flexible", {1404, 828}},
    {"QXC300A", 7, "QXC300APLL", ":/image/C300APLL.bmp", "qxc300a_305", "multiplier", {1408, 830}},
    {"QXC305", 8, "QXC305PLL", ":/image/C305PLL.bmp", "qxc300a_305", "multiplier", {1408, 830}},
    {"QXC320", 9, "QXC320PLL", ":/image/C320PLL.bmp", "qxc320", "normal or flexible", {1404, 828}},
    {"QXC330", 13, "QXC330PLL", ":/image/C330PLL.bmp", "qxc330_335", "flexible only", {1404, 828}},
    {"QXC335", 14, "QXC335PLL", ":/image/C335PLL.bmp", "qxc330_335", "flexible only", {1404, 828}},
    {"QXC325", 15, "QXC325PLL", ":/image/C325PLL.bmp", "qxc325", "normal or flexible", {1408, 830}},
    {"QXE020", 16, "QXE020PLL", ":/image/E020PLL.bmp", "qxe020", "normal or flexible", {1408, 830}},
    {"QXW315", 17, "QXW315PLL", ":/image/W315PLL.bmp", "qxw315", "normal or flexible", {1404, 828}},
};

void TestSeriesTable::identity_data()
{
    addRows(kIdentity);
}

void TestSeriesTable::identity()
{
    const auto &r = fetchRow(kIdentity);
    const SeriesParams &p = series();
    QCOMPARE(p.id, r.id);
    QCOMPARE(SeriesTable::byId(r.id), &p);
    QCOMPARE(text(p.widgetClass), QString(r.widgetClass));
    QCOMPARE(p.bitmapPath(), QString(r.bitmap));
    QCOMPARE(p.templateStem(), QString(r.stem));
    QCOMPARE(QString(p.hasMultiplierPll() && p.hasFlexiblePll() ? "normal or flexible"
                     : p.hasFlexiblePll()                       ? "flexible only"
                                                                : "multiplier"),
             QString(r.kind));
    QCOMPARE(ClockTree::layoutFor(p).size, r.drawing);
}

// SCLK, APB and the halving are pinned by the model test's series rows.
const struct {
    const char *tag;
    int pllMin;   // 0: no lower bound
    int adcLimit; // 0: no ADC controls
    bool usb;
} kLimits[] = {{"QXC300", 0, 28, true},   {"QXC310", 0, 28, true},  {"QXC300A", 0, 28, true},
               {"QXC305", 0, 28, true},   {"QXC315", 16, 28, true}, {"QXW315", 16, 28, true},
               {"QXC320", 16, 28, false}, {"QXC325", 16, 28, true}, {"QXE020", 16, 28, false},
               {"QXC330", 0, 0, true},    {"QXC335", 0, 0, true}};

void TestSeriesTable::limits_data()
{
    addRows(kLimits);
}

void TestSeriesTable::limits()
{
    const auto &r = fetchRow(kLimits);
    const SeriesParams &p = series();
    QCOMPARE(p.pllMinMHz, r.pllMin);
    QCOMPARE(p.hasAdc(), r.adcLimit > 0);
    QCOMPARE(p.adcLimitMHz, r.adcLimit);
    QCOMPARE(p.adcRed(28.0), false);
    QCOMPARE(p.adcRed(28.001), r.adcLimit > 0);
    QCOMPARE(p.hasUsb(), r.usb);
    QCOMPARE(text(p.usbWarning), r.usb ? QString(kUsb) : QString("-"));
}

// HICK, "SCLK from HICK 8 MHz" (no 8/48 choice), the HEXT pre-dividers of the
// PLL, the RTC's HEXT divider (0: "ertcdiv" 2..31), the RTC captions, the USB
// sources ("pll", "pll hick48" or "none"), the USB and ADC dividers. The PLL
// input from HICK and the input range check are pinned by the model test.
const char *const kTo4 = "1 1.5 2 2.5 3 3.5 4", *const kAdc = "2 4 6 8 12 16",
                  *const kTo7 = "1 1.5 2 2.5 3 3.5 4 4.5 5 5.5 6 6.5 7";
const char *const kRtc = "rtcsel|to rtc(kHz)", *const kErtc = "ertcsel|to ertc(kHz)";
const struct {
    const char *tag;
    double hick;
    bool sclkFromFullHick;
    const char *hextPllDivs;
    int rtcHextDiv;
    const char *rtcCaptions, *usbSources, *usbDivs, *adcDivs;
} kPaths[] = {
    {"QXC300", 8.0, true, "2", 128, kRtc, "pll", kTo4, kAdc},
    {"QXC310", 48.0, false, "2", 128, kRtc, "pll hick48", kTo4, kAdc},
    {"QXC300A", 48.0, false, "2 3 4 5", 128, kRtc, "pll hick48", kTo4, kAdc},
    {"QXC305", 48.0, false, "2 3 4 5", 128, kRtc, "pll hick48", kTo4, kAdc},
    {"QXC315", 48.0, false, "2", 128, kErtc, "pll", kTo4, kAdc},
    {"QXW315", 48.0, false, "2", 128, kErtc, "pll", kTo4, kAdc},
    {"QXC320", 48.0, false, "2", 32, kErtc, "none", "", kAdc},
    {"QXC325", 48.0, false, "2", 128, kErtc, "pll hick48", kTo4, kAdc},
    {"QXE020", 48.0, false, "2", 32, kErtc, "none", "", "2 3 4 5 6 8 12 16"},
    {"QXC330", 48.0, false, "", 0, kErtc, "pll hick48", kTo7, ""},
    {"QXC335", 48.0, false, "", 0, kErtc, "pll hick48", kTo7, ""},
};

void TestSeriesTable::paths_data()
{
    addRows(kPaths);
}

void TestSeriesTable::paths()
{
    const auto &r = fetchRow(kPaths);
    const SeriesParams &p = series();
    QCOMPARE(p.hickMHz, r.hick);
    QCOMPARE(p.hickSclkUndivided, r.sclkFromFullHick);
    QCOMPARE(joined(p.hextPllDivs), QString(r.hextPllDivs));
    QCOMPARE(p.rtcHextDiv, r.rtcHextDiv);
    QCOMPARE(QString(text(p.rtcSelCaption) + '|' + text(p.rtcCaption)), QString(r.rtcCaptions));
    QCOMPARE(QString(!p.hasUsb()                            ? "none"
                     : p.usbHickRadios && !p.usbHickIgnored ? "pll hick48"
                                                            : "pll"),
             QString(r.usbSources));
    QCOMPARE(joined(p.usbDivItems()), QString(r.usbDivs));
    QCOMPARE(joined(p.adcDivs), QString(r.adcDivs));
}

// Each clock output: its sources ("text code" in radio order), pins and
// dividers (first stage | second stage).
const char *const kAllOut = "no clk 0|lick 1|lext 2|hick 3|hext 4|sclk 5|usb 6|adcclk 7|pll/2 8|pll/4 9";
const char *const kDiv = "1 2 4 8 16 64 128 256 512|", *const kPa8 = "none PA8";
const char *const kOut1 = "hick 0|lext 1|hext 2|pll 3";
const char *const kOut2 = "sclk 0|hext 1|pll 2|usb 3|hick 4|adcclk 5|lick 6|lext 7";
const char *const kStages = "1 2 3 4 5|1 2 4 8 16 64 128 256 512";
const struct {
    const char *tag;
    int output; // index into the series' outputs
    const char *sources, *pins, *dividers;
} kClockOutputs[] = {
    {"QXC300", 0, "no clk 0|hick 3|hext 4|sclk 5|usb 6|adcclk 7|pll/2 8|pll/4 9", kPa8, "|"},
    {"QXC310", 0, kAllOut, kPa8, kDiv},
    {"QXC300A", 0, kAllOut, kPa8, kDiv},
    {"QXC305", 0, kAllOut, kPa8, kDiv},
    {"QXC315", 0, kAllOut, kPa8, kDiv},
    {"QXW315", 0, kAllOut, kPa8, kDiv},
    {"QXC325", 0, kAllOut, kPa8, kDiv},
    {"QXC320", 0, "no clk 0|lick 1|lext 2|hick 3|hext 4|sclk 5|adcclk 7|pll/2 8|pll/4 9", kPa8, kDiv},
    {"QXE020", 0, "no clk 0|lick 1|lext 2|hick48 3|hext 4|sclk 5|adcclk 7|pll/2 8|pll/4 9",
     "none PA8 PA9 PB13", kDiv},
    {"QXC330 output 1", 0, kOut1, "none PA8 PE4", kStages},
    {"QXC330 output 2", 1, kOut2, "none PC9", kStages},
    {"QXC335 output 1", 0, kOut1, "none PA8 PE4", kStages},
    {"QXC335 output 2", 1, kOut2, "none PC9", kStages},
};

void TestSeriesTable::clockOutputs_data()
{
    addRows(kClockOutputs);
}

void TestSeriesTable::clockOutputs()
{
    const auto &r = fetchRow(kClockOutputs);
    const SeriesParams &p = series();
    QCOMPARE(p.multiOutput(), p.id == 13 || p.id == 14);
    const ClockOutputParams &out = p.clockOutputs.at(r.output);
    QStringList items;
    for (const ClockSourceItem &item : out.sources)
        items << QStringLiteral("%1 %2").arg(QString::fromLatin1(item.text)).arg(item.code);
    QCOMPARE(items.join('|'), QString(r.sources));
    QCOMPARE(out.pins.join(' '), QString(r.pins));
    QCOMPARE(QString(joined(out.div1) + '|' + joined(out.div2)), QString(r.dividers));
}

// The factory PLL (multiplier, 0: no multiplier mode; "ms ns fr", empty: no
// flexible mode), system clock and USB divider (0: no USB). The
// mode-selectable series start in normal mode, the flexible-only ones in
// flexible mode.
const struct {
    const char *tag;
    int mult;
    const char *flexible;
    double sclk, usbDiv;
} kFactory[] = {{"QXC300", 24, "", 192.0, 4.0},       {"QXC310", 25, "", 200.0, 4.0},
                {"QXC300A", 30, "", 240.0, 4.0},      {"QXC305", 30, "", 240.0, 4.0},
                {"QXC315", 18, "1 72 4", 144.0, 3.0}, {"QXW315", 18, "1 72 4", 144.0, 3.0},
                {"QXC320", 15, "1 120 8", 120.0, 0},  {"QXC325", 12, "1 96 8", 96.0, 2.0},
                {"QXE020", 12, "1 96 8", 96.0, 0},    {"QXC330", 0, "1 72 2", 288.0, 6.0},
                {"QXC335", 0, "1 72 2", 288.0, 6.0}};

void TestSeriesTable::factory_data()
{
    addRows(kFactory);
}

void TestSeriesTable::factory()
{
    const auto &r = fetchRow(kFactory);
    const SeriesParams &p = series();
    QCOMPARE(p.factoryPllMult, r.mult);
    QCOMPARE(p.factoryPllMs
                 ? QStringLiteral("%1 %2 %3").arg(p.factoryPllMs).arg(p.factoryPllNs).arg(p.factoryPllFr)
                 : QString(""),
             QString(r.flexible));
    QCOMPARE(p.factoryPllFlexible, r.mult ? 0 : 1);
    QCOMPARE(p.factorySclkMHz, r.sclk);
    QCOMPARE(p.factoryUsbDiv, r.usbDiv);
}

// The captions of the AHB boxes ("|"-separated) and the APB1 and APB2
// peripherals and timers.
const char *const kA300 = "SPI2 SPI3 SPI4 USART2 USART3 UART4 UART5 I2C1 I2C2 CAN1 CAN2 DAC";
const char *const kT300 = "TMR2 TMR3 TMR4 TMR5 TMR6 TMR7 TMR12 TMR13 TMR14";
const char *const kB300 = "SPI1 USART1 USART6 UART7 UART8", *const kBt300 = "TMR1 TMR8 TMR9 TMR10 TMR11";
const char *const kC330 =
    "systick(MHz)|sdio (MHz)|dma (MHz)|xmc (MHz)|gpio (MHz)|dvp (MHz)|qspi (MHz)|adc (MHz)";
const char *const kA330 = "SPI2 SPI3 USART2 USART3 UART4 UART5 UART7 UART8 I2C1 I2C2 I2C3 CAN1 CAN2 DAC";
const char *const kB330 = "SPI1 SPI4 USART1 USART6 SCFG", *const kBt330 = "TMR1 TMR8 TMR9 TMR10 TMR11 TMR20";
const char *const kSmallAhb = "systick(MHz)|dma (MHz)|gpio (MHz)", *const kT4 = "TMR2 TMR3 TMR4 TMR5";
const char *const kT1 = "TMR1 TMR9 TMR10 TMR11", *const kT15 = "TMR1 TMR15 TMR16 TMR17";
const struct {
    const char *tag;
    const char *ahb, *apb1, *apb1Timers, *apb2, *apb2Timers;
} kPanel[] = {
    {"QXC300", "systick(MHz)|sdio (MHz)|dma (MHz)|xmc (MHz)",
     "SPI2 SPI3 SPI4 USART2 USART3 UART4 UART5 I2C1 I2C2 I2C3 CAN1 DAC", kT300,
     "GPIOA GPIOB GPIOC GPIOD GPIOE GPIOF GPIOG SPI1 USART1", "TMR1 TMR8 TMR9 TMR10 TMR11 TMR15"},
    {"QXC310", "systick(MHz)|sdio (MHz)|dma (MHz)|gpio (MHz)",
     "SPI2 USART2 USART3 UART4 UART5 I2C1 I2C2 CAN1 CAN2", kT4, "SPI1 USART1", kBt300},
    {"QXC300A", "systick(MHz)|sdio (MHz)|dma (MHz)|xmc (MHz)|gpio (MHz)", kA300, kT300, kB300, kBt300},
    {"QXC305", "systick(MHz)|sdio (MHz)|dma (MHz)|xmc (MHz)|emac (MHz)|gpio (MHz)", kA300, kT300, kB300,
     kBt300},
    {"QXC315", "systick(MHz)|sdio (MHz)|dma (MHz)|gpio (MHz)",
     "SPI2 USART2 USART3 UART4 UART5 I2C1 I2C2 CAN1 CMP", kT4, "SPI1 USART1", kT1},
    {"QXW315", kSmallAhb, "SPI2 USART2 USART3 UART5 I2C1 CAN1 CMP", kT4, "USART1", kT1},
    {"QXC320", kSmallAhb, "SPI2 USART2 I2C1 I2C2", "TMR3 TMR6 TMR14", "SPI1 USART1 SCFG CMP", kT15},
    {"QXC325", kSmallAhb, "SPI2 SPI3 USART2 USART3 USART4 I2C1 I2C2 CAN1", "TMR2 TMR3 TMR6 TMR7 TMR13 TMR14",
     "SPI1 USART1 SCFG", kT15},
    {"QXE020", kSmallAhb, "SPI2 USART3 USART4 I2C2 CAN1", "TMR3 TMR6 TMR14", "SCFG ADC1 SPI1", kT15},
    {"QXC330", kC330, kA330, kT300, kB330, kBt330},
    {"QXC335",
     "systick(MHz)|sdio (MHz)|dma (MHz)|xmc (MHz)|gpio (MHz)|dvp (MHz)|qspi (MHz)|adc (MHz)|emac (MHz)",
     kA330, kT300, kB330, kBt330},
};

void TestSeriesTable::panel_data()
{
    addRows(kPanel);
}

void TestSeriesTable::panel()
{
    const auto &r = fetchRow(kPanel);
    const SeriesParams &p = series();
    QStringList captions;
    for (const QString &box : p.ahbBoxes)
        captions << SeriesParams::ahbBoxCaption(box);
    QCOMPARE(captions.join('|'), QString(r.ahb));
    QCOMPARE(p.apb1Peripherals.join(' '), QString(r.apb1));
    QCOMPARE(p.apb1Timers.join(' '), QString(r.apb1Timers));
    QCOMPARE(p.apb2Peripherals.join(' '), QString(r.apb2));
    QCOMPARE(p.apb2Timers.join(' '), QString(r.apb2Timers));
}

// The PLL input and "less than" messages ("-": the series does not show it),
// the ADC warning, and the usage notes with the SCLK above which they show.
const char *const kNotes = "Useage limited:|Temperature range - 40~85 degree. |VDD must over 3.0V. |240";
const struct {
    const char *tag;
    const char *pllInput, *pllLess, *adc, *notes;
} kMessages[] = {{"QXC300", kRange, "-", kAdcDot, ""},  {"QXC310", kRange, "-", kAdcComma, ""},
                 {"QXC300A", kRange, "-", kAdcDot, ""}, {"QXC305", kRange, "-", kAdcDot, ""},
                 {"QXC315", "-", kLess, kAdcComma, ""}, {"QXW315", "-", kLess, kAdcComma, ""},
                 {"QXC320", "-", kLess, kAdcComma, ""}, {"QXC325", "-", kLess, kAdcComma, ""},
                 {"QXE020", "-", kLess, kAdcComma, ""}, {"QXC330", "-", "-", "-", kNotes},
                 {"QXC335", "-", "-", "-", kNotes}};

void TestSeriesTable::messages_data()
{
    addRows(kMessages);
}

void TestSeriesTable::messages()
{
    const auto &r = fetchRow(kMessages);
    const SeriesParams &p = series();
    QCOMPARE(text(p.pllInputRangeMessage), QString(r.pllInput));
    QCOMPARE(p.pllInputRangeCheck, QString(r.pllInput) != "-");
    QCOMPARE(text(p.pllLessMessage), QString(r.pllLess));
    QCOMPARE(text(p.adcWarning), QString(r.adc));
    const QString shown = p.usageNotes.join('|') + '|' + QString::number(p.usageNotesAboveMHz);
    QCOMPARE(p.usageNotes.isEmpty() ? QString("") : shown, QString(r.notes));
}

// The order opening a design sets the controls in, after lextbypass rtcsel
// rtcswitch; the order Save writes is pinned by the series widgets' own rows.
const char *const kOrderA300 =
    "hext hextbypass hextdiv pllhextdiv pllrcs pllmult sclkselect ahbdiv apb1div apb2div "
    "hicktousb usbdiv tousbswitch hicktosclk adcswitch adcdiv clkoutpinselect clkoutdiv "
    "clkout";
const char *const kOrderC315 =
    "hext hextbypass pllhextdiv pllrcs pllmode pllmult pllms pllns pllfr sclkselect "
    "ahbdiv apb1div apb2div usbdiv tousbswitch hicktosclk adcswitch adcdiv "
    "clkoutpinselect clkoutdiv clkout";
const char *const kOrderC320 =
    "hext hextbypass pllhextdiv pllrcs pllmode pllmult pllms pllns pllfr sclkselect "
    "ahbdiv apb1div apb2div hicktosclk adcswitch adcdiv clkoutpinselect clkoutdiv clkout";
const char *const kOrderC330 =
    "rtcdiv hext hextbypass pllrcs pllms pllns pllfr sclkselect ahbdiv apb1div apb2div "
    "usbdiv hicktosclk hicktousb tousbswitch clkout1pinselect clkout1 clkout1div1 "
    "clkout1div2 clkout2pinselect clkout2 clkout2div1 clkout2div2";
const struct {
    const char *tag;
    const char *order, *more;
} kRestoreOrder[] = {
    {"QXC300",
     "hext hextbypass pllhextdiv pllrcs pllmult sclkselect ahbdiv apb1div apb2div usbdiv tousbswitch "
     "adcswitch "
     "adcdiv clkoutpinselect clkout",
     ""},
    {"QXC310",
     "hext hextbypass pllhextdiv pllrcs pllmult sclkselect ahbdiv apb1div apb2div hicktousb usbdiv "
     "tousbswitch "
     "hicktosclk adcswitch adcdiv clkoutpinselect clkoutdiv clkout",
     ""},
    {"QXC300A", kOrderA300, ""},
    {"QXC305", kOrderA300, ""},
    {"QXC315", kOrderC315, ""},
    {"QXW315", kOrderC315, ""},
    {"QXC325",
     "hext hextbypass pllhextdiv pllrcs pllmode pllmult pllms pllns pllfr sclkselect ahbdiv apb1div apb2div "
     "hicktousb usbdiv tousbswitch hicktosclk adcswitch adcdiv clkoutpinselect clkoutdiv clkout",
     ""},
    {"QXC320", kOrderC320, ""},
    {"QXE020", kOrderC320, " usart1clocksel usart2clocksel i2c1clocksel"},
    {"QXC330", kOrderC330, ""},
    {"QXC335", kOrderC330, ""},
};

void TestSeriesTable::restoreOrder_data()
{
    addRows(kRestoreOrder);
}

void TestSeriesTable::restoreOrder()
{
    const auto &r = fetchRow(kRestoreOrder);
    QCOMPARE(series().restoreOrder.join(QLatin1Char(' ')),
             QString("lextbypass rtcsel rtcswitch ") + r.order + r.more);
}

// QXE020's peripheral clock selectors: caption, options, the values they give.
const struct {
    const char *tag;
    const char *caption, *labels, *values;
} kSelectors[] = {
    {"QXE020 usart1clocksel", "usart1 clock sel", "pclk|sclk|hick48|lext", "0 1 2 3"},
    {"QXE020 usart2clocksel", "usart2 clock sel", "pclk|sclk|hick48|lext", "0 1 2 3"},
    {"QXE020 i2c1clocksel", "i2c1 clock sel", "pclk|sclk|hick48", "0 1 2"},
};

void TestSeriesTable::selectors_data()
{
    addRows(kSelectors);
}

void TestSeriesTable::selectors()
{
    const auto &r = fetchRow(kSelectors);
    const ControlTable::Row *row = ControlTable::rowByName(QString(r.tag).section(' ', 1));
    QVERIFY(row && ControlTable::has(series(), row->id));
    QCOMPARE(QString(row->caption), QString(r.caption));
    QCOMPARE(ControlTable::labels(series(), row->id).join('|'), QString(r.labels));
    QCOMPARE(joined(ControlTable::values(series(), row->id)), QString(r.values));
}

QTEST_GUILESS_MAIN(TestSeriesTable)
#include "tst_seriestable.moc"

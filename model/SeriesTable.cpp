#include "SeriesTable.h"

#include "ClockConfig.h"

namespace {

using K = ClockSourceKind;

const QVector<int> kAdcDivs{2, 4, 6, 8, 12, 16};

const char *const kUsbWarning =
    QT_TRANSLATE_NOOP("Model", "USB clock must be 48MHz. But the USB clock of current config is wrong.  "
                               "please confirm whether to continue?");
const char *const kAdcWarningDot = QT_TRANSLATE_NOOP(
    "Model", "The maximum ADC clock is 28 MHz. The currently configured ADC clock is wrong.  "
             "please confirm whether to continue?");
const char *const kAdcWarningComma = QT_TRANSLATE_NOOP(
    "Model", "The maximum ADC clock is 28 MHz. The currently configured ADC clock is wrong, "
             "please confirm whether to continue?");
const char *const kPllRangeMessage = QT_TRANSLATE_NOOP("Model", "pll input clock source range 2-16MHz!");
const char *const kPllLessMessage = QT_TRANSLATE_NOOP("Model", "Can not support pll clock less than");

// Further texts the series widgets show from this table, in the model's
// translation context: captions, sources, pins, panel lines and notes.
[[maybe_unused]] const char *const kShownTexts[] = {
    QT_TRANSLATE_NOOP("Model", "rtcsel"),
    QT_TRANSLATE_NOOP("Model", "to rtc(kHz)"),
    QT_TRANSLATE_NOOP("Model", "ertcsel"),
    QT_TRANSLATE_NOOP("Model", "to ertc(kHz)"),
    QT_TRANSLATE_NOOP("Model", "no clk"),
    QT_TRANSLATE_NOOP("Model", "lick"),
    QT_TRANSLATE_NOOP("Model", "lext"),
    QT_TRANSLATE_NOOP("Model", "hick"),
    QT_TRANSLATE_NOOP("Model", "hick48"),
    QT_TRANSLATE_NOOP("Model", "hext"),
    QT_TRANSLATE_NOOP("Model", "sclk"),
    QT_TRANSLATE_NOOP("Model", "usb"),
    QT_TRANSLATE_NOOP("Model", "adcclk"),
    QT_TRANSLATE_NOOP("Model", "pll"),
    QT_TRANSLATE_NOOP("Model", "pll/2"),
    QT_TRANSLATE_NOOP("Model", "pll/4"),
    QT_TRANSLATE_NOOP("Model", "none"),
    QT_TRANSLATE_NOOP("Model", "PA8"),
    QT_TRANSLATE_NOOP("Model", "PA9"),
    QT_TRANSLATE_NOOP("Model", "PB13"),
    QT_TRANSLATE_NOOP("Model", "PE4"),
    QT_TRANSLATE_NOOP("Model", "PC9"),
    QT_TRANSLATE_NOOP("Model", "systick(MHz)"),
    QT_TRANSLATE_NOOP("Model", "sdio (MHz)"),
    QT_TRANSLATE_NOOP("Model", "dma (MHz)"),
    QT_TRANSLATE_NOOP("Model", "xmc (MHz)"),
    QT_TRANSLATE_NOOP("Model", "gpio (MHz)"),
    QT_TRANSLATE_NOOP("Model", "dvp (MHz)"),
    QT_TRANSLATE_NOOP("Model", "qspi (MHz)"),
    QT_TRANSLATE_NOOP("Model", "adc (MHz)"),
    QT_TRANSLATE_NOOP("Model", "emac (MHz)"),
    QT_TRANSLATE_NOOP("Model", "Useage limited:"),
    QT_TRANSLATE_NOOP("Model", "Temperature range - 40~85 degree. "),
    QT_TRANSLATE_NOOP("Model", "VDD must over 3.0V. "),
    // Drawn by the review's picture as the window draws them.
    QT_TRANSLATE_NOOP("Model", "lext(kHz)"),
    QT_TRANSLATE_NOOP("Model", "to wdt(kHz)"),
    QT_TRANSLATE_NOOP("Model", "List"),
};

QStringList timers(std::initializer_list<int> numbers)
{
    QStringList out;
    for (int n : numbers)
        out << QStringLiteral("TMR%1").arg(n);
    return out;
}

QStringList elements(const QStringList &afterRtcSwitch)
{
    return QStringList{QStringLiteral("MCU"), QStringLiteral("lextbypass"), QStringLiteral("rtcsel"),
                       QStringLiteral("rtcswitch")} +
           afterRtcSwitch;
}

// Sources of the single clock output, all ten; series drop what they lack.
QVector<ClockSourceItem> singleSources(bool lickLext, bool usb, const char *hickText)
{
    QVector<ClockSourceItem> s{{"no clk", 0, K::None}};
    if (lickLext)
        s += {{"lick", 1, K::Lick}, {"lext", 2, K::Lext}};
    s += {{hickText, 3, K::Hick}, {"hext", 4, K::Hext}, {"sclk", 5, K::Sclk}};
    if (usb)
        s += {"usb", 6, K::Usb};
    s += {{"adcclk", 7, K::Adc}, {"pll/2", 8, K::PllDiv2}, {"pll/4", 9, K::PllDiv4}};
    return s;
}

void identity(SeriesParams &p, int id, const char *name, const char *cls, const char *bitmap,
              const char *stem, TemplateFamily family, PllKind kind)
{
    p.id = id;
    p.name = name;
    p.widgetClass = cls;
    p.bitmap = bitmap;
    p.stem = stem;
    p.family = family;
    p.pllKind = kind;
}

void limits(SeriesParams &p, int sclk, int apb, bool halving, int pllMin, int adc)
{
    p.sclkLimitMHz = sclk;
    p.apbLimitMHz = apb;
    p.apbHalving = halving;
    p.pllMinMHz = pllMin;
    p.adcLimitMHz = adc;
}

void factory(SeriesParams &p, int flexible, int mult, int ms, int ns, int fr, double sclk, double usbDiv)
{
    p.factoryPllFlexible = flexible;
    p.factoryPllMult = mult;
    p.factoryPllMs = ms;
    p.factoryPllNs = ns;
    p.factoryPllFr = fr;
    p.factorySclkMHz = sclk;
    p.factoryUsbDiv = usbDiv;
}

void panel(SeriesParams &p, const QStringList &ahb, const QStringList &apb1, const QStringList &apb1Tmr,
           const QStringList &apb2, const QStringList &apb2Tmr)
{
    p.ahbBoxes = ahb;
    p.apb1Peripherals = apb1;
    p.apb1Timers = apb1Tmr;
    p.apb2Peripherals = apb2;
    p.apb2Timers = apb2Tmr;
}

// What every series but QXC330/QXC335 shares: one clock output, HICK 48 MHz
// feeding the PLL at 4 MHz, HEXT / 2 as the divided PLL path, HEXT / 128 for the RTC.
SeriesParams singleOutputBase(bool lickLext, bool usb, const char *hickText, bool outDivider)
{
    SeriesParams p;
    p.hickMHz = 48.0;
    p.hickToPllDiv = 12;
    p.hextPllDivs = {2};
    p.rtcHextDiv = 128;
    p.rtcSelCaption = "ertcsel";
    p.rtcCaption = "to ertc(kHz)";
    ClockOutputParams out;
    out.sources = singleSources(lickLext, usb, hickText);
    out.pins = QStringList{QStringLiteral("none"), QStringLiteral("PA8")};
    if (outDivider)
        out.div1 = ClockConfig::ahbDivValues();
    p.clockOutputs = {out};
    p.adcDivs = kAdcDivs;
    if (usb) {
        p.usbDivMax = 4.0;
        p.usbWarning = kUsbWarning;
    }
    return p;
}

// Multiplier-PLL series (QXC300, QXC310, QXC300A, QXC305).
SeriesParams multiplierBase(bool lickLext, bool outDivider)
{
    SeriesParams p = singleOutputBase(lickLext, true, "hick", outDivider);
    p.pllInputRangeCheck = true;
    p.pllInputRangeMessage = kPllRangeMessage;
    p.rtcSelCaption = "rtcsel";
    p.rtcCaption = "to rtc(kHz)";
    return p;
}

// Mode-selectable series (QXC315, QXW315, QXC320, QXC325, QXE020).
SeriesParams selectableBase(bool usb, const char *hickText)
{
    SeriesParams p = singleOutputBase(true, usb, hickText, true);
    p.pllLessMessage = kPllLessMessage;
    p.adcWarning = kAdcWarningComma;
    return p;
}

const QStringList kMultiplierElements{
    QStringLiteral("hext"),        QStringLiteral("hextbypass"),      QStringLiteral("hextdiv"),
    QStringLiteral("pllhextdiv"),  QStringLiteral("pllrcs"),          QStringLiteral("pllmult"),
    QStringLiteral("sclkselect"),  QStringLiteral("ahbdiv"),          QStringLiteral("apb1div"),
    QStringLiteral("apb2div"),     QStringLiteral("usbdiv"),          QStringLiteral("hicktousb"),
    QStringLiteral("tousbswitch"), QStringLiteral("hicktosclk"),      QStringLiteral("clkout"),
    QStringLiteral("clkoutdiv"),   QStringLiteral("clkoutpinselect"), QStringLiteral("adcswitch"),
    QStringLiteral("adcdiv")};

const QStringList kSelectableElements{
    QStringLiteral("hext"),        QStringLiteral("hextbypass"),      QStringLiteral("pllhextdiv"),
    QStringLiteral("pllrcs"),      QStringLiteral("pllmode"),         QStringLiteral("pllmult"),
    QStringLiteral("pllms"),       QStringLiteral("pllns"),           QStringLiteral("pllfr"),
    QStringLiteral("sclkselect"),  QStringLiteral("ahbdiv"),          QStringLiteral("apb1div"),
    QStringLiteral("apb2div"),     QStringLiteral("usbdiv"),          QStringLiteral("hicktousb"),
    QStringLiteral("tousbswitch"), QStringLiteral("hicktosclk"),      QStringLiteral("clkout"),
    QStringLiteral("clkoutdiv"),   QStringLiteral("clkoutpinselect"), QStringLiteral("adcswitch"),
    QStringLiteral("adcdiv")};

QStringList without(QStringList list, const QStringList &drop)
{
    for (const QString &name : drop)
        list.removeAll(name);
    return list;
}

SeriesParams qxc300()
{
    SeriesParams p = multiplierBase(false, false);
    identity(p, 2, "QXC300", "QXC300PLL", ":/image/C300PLL.bmp", "qxc300", TemplateFamily::C300,
             PllKind::Multiplier);
    limits(p, 200, 100, true, 0, 28);
    p.hickMHz = 8.0;
    p.hickSclkUndivided = true;
    p.hickToPllDiv = 2;
    p.usbHickIgnored = true;
    p.adcWarning = kAdcWarningDot;
    factory(p, 0, 24, 0, 0, 0, 192.0, 4.0);
    panel(
        p, {"systick", "sdio", "dma", "xmc"},
        {"SPI2", "SPI3", "SPI4", "USART2", "USART3", "UART4", "UART5", "I2C1", "I2C2", "I2C3", "CAN1", "DAC"},
        timers({2, 3, 4, 5, 6, 7, 12, 13, 14}),
        {"GPIOA", "GPIOB", "GPIOC", "GPIOD", "GPIOE", "GPIOF", "GPIOG", "SPI1", "USART1"},
        timers({1, 8, 9, 10, 11, 15}));
    p.designElements =
        elements(without(kMultiplierElements, {QStringLiteral("hextdiv"), QStringLiteral("hicktousb"),
                                               QStringLiteral("hicktosclk"), QStringLiteral("clkoutdiv")}));
    return p;
}

SeriesParams qxc310()
{
    SeriesParams p = multiplierBase(true, true);
    identity(p, 4, "QXC310", "QXC310PLL", ":/image/C310PLL.bmp", "qxc310", TemplateFamily::C310,
             PllKind::Multiplier);
    limits(p, 200, 100, true, 0, 28);
    p.usbHickRadios = true;
    p.adcWarning = kAdcWarningComma;
    factory(p, 0, 25, 0, 0, 0, 200.0, 4.0);
    panel(p, {"systick", "sdio", "dma", "gpio"},
          {"SPI2", "USART2", "USART3", "UART4", "UART5", "I2C1", "I2C2", "CAN1", "CAN2"},
          timers({2, 3, 4, 5}), {"SPI1", "USART1"}, timers({1, 8, 9, 10, 11}));
    p.designElements = elements(without(kMultiplierElements, {QStringLiteral("hextdiv")}));
    return p;
}

SeriesParams qxc300a(int id, const char *name, const char *cls, const char *bitmap, const QStringList &ahb)
{
    SeriesParams p = multiplierBase(true, true);
    identity(p, id, name, cls, bitmap, "qxc300a_305", TemplateFamily::C300A, PllKind::Multiplier);
    limits(p, 240, 120, true, 0, 28);
    p.hextPllDivs = {2, 3, 4, 5};
    p.usbHickRadios = true;
    p.adcWarning = kAdcWarningDot;
    factory(p, 0, 30, 0, 0, 0, 240.0, 4.0);
    panel(
        p, ahb,
        {"SPI2", "SPI3", "SPI4", "USART2", "USART3", "UART4", "UART5", "I2C1", "I2C2", "CAN1", "CAN2", "DAC"},
        timers({2, 3, 4, 5, 6, 7, 12, 13, 14}), {"SPI1", "USART1", "USART6", "UART7", "UART8"},
        timers({1, 8, 9, 10, 11}));
    p.designElements = elements(kMultiplierElements);
    return p;
}

SeriesParams qxc315(int id, const char *name, const char *cls, const char *bitmap, const char *stem)
{
    SeriesParams p = selectableBase(true, "hick");
    identity(p, id, name, cls, bitmap, stem, TemplateFamily::C315, PllKind::Selectable);
    p.bitmapWidth = 1404;
    p.bitmapHeight = 828;
    limits(p, 150, 75, true, 16, 28);
    factory(p, 0, 18, 1, 72, 4, 144.0, 3.0);
    p.designElements = elements(without(kSelectableElements, {QStringLiteral("hicktousb")}));
    return p;
}

SeriesParams qxc320()
{
    SeriesParams p = selectableBase(false, "hick");
    identity(p, 9, "QXC320", "QXC320PLL", ":/image/C320PLL.bmp", "qxc320", TemplateFamily::C320,
             PllKind::Selectable);
    p.bitmapWidth = 1404;
    p.bitmapHeight = 828;
    limits(p, 120, 120, false, 16, 28);
    p.rtcHextDiv = 32;
    factory(p, 0, 15, 1, 120, 8, 120.0, 0.0);
    panel(p, {"systick", "dma", "gpio"}, {"SPI2", "USART2", "I2C1", "I2C2"}, timers({3, 6, 14}),
          {"SPI1", "USART1", "SCFG", "CMP"}, timers({1, 15, 16, 17}));
    p.designElements =
        elements(without(kSelectableElements, {QStringLiteral("usbdiv"), QStringLiteral("hicktousb"),
                                               QStringLiteral("tousbswitch")}));
    return p;
}

SeriesParams qxc325()
{
    SeriesParams p = selectableBase(true, "hick");
    identity(p, 15, "QXC325", "QXC325PLL", ":/image/C325PLL.bmp", "qxc325", TemplateFamily::C315,
             PllKind::Selectable);
    limits(p, 96, 96, false, 16, 28);
    p.usbHickRadios = true;
    factory(p, 0, 12, 1, 96, 8, 96.0, 2.0);
    panel(p, {"systick", "dma", "gpio"},
          {"SPI2", "SPI3", "USART2", "USART3", "USART4", "I2C1", "I2C2", "CAN1"},
          timers({2, 3, 6, 7, 13, 14}), {"SPI1", "USART1", "SCFG"}, timers({1, 15, 16, 17}));
    p.designElements = elements(kSelectableElements);
    return p;
}

SeriesParams qxe020()
{
    SeriesParams p = selectableBase(false, "hick48");
    p.hickOutputUndivided = true;
    identity(p, 16, "QXE020", "QXE020PLL", ":/image/E020PLL.bmp", "qxe020", TemplateFamily::E020,
             PllKind::Selectable);
    limits(p, 96, 96, false, 16, 28);
    p.rtcHextDiv = 32;
    p.clockOutputs[0].pins << QStringLiteral("PA9") << QStringLiteral("PB13");
    p.adcDivs = {2, 3, 4, 5, 6, 8, 12, 16};
    factory(p, 0, 12, 1, 96, 8, 96.0, 0.0);
    panel(p, {"systick", "dma", "gpio"}, {"SPI2", "USART3", "USART4", "I2C2", "CAN1"}, timers({3, 6, 14}),
          {"SCFG", "ADC1", "SPI1"}, timers({1, 15, 16, 17}));
    p.designElements =
        elements(without(kSelectableElements, {QStringLiteral("usbdiv"), QStringLiteral("hicktousb"),
                                               QStringLiteral("tousbswitch")})
                 << QStringLiteral("usart1clocksel") << QStringLiteral("usart2clocksel")
                 << QStringLiteral("i2c1clocksel"));
    return p;
}

SeriesParams qxc330(int id, const char *name, const char *cls, const char *bitmap, bool emac)
{
    SeriesParams p;
    identity(p, id, name, cls, bitmap, "qxc330_335", TemplateFamily::C330, PllKind::Flexible);
    limits(p, 288, 144, true, 0, 0);
    p.hickMHz = 48.0;
    p.hickToPllDiv = 6;
    p.rtcHextDiv = 0;
    p.rtcSelCaption = "ertcsel";
    p.rtcCaption = "to ertc(kHz)";
    p.usbDivMax = 7.0;
    p.usbHickRadios = true;
    p.usbWarning = kUsbWarning;

    ClockOutputParams out1;
    out1.sources = {{"hick", 0, K::Hick}, {"lext", 1, K::Lext}, {"hext", 2, K::Hext}, {"pll", 3, K::Pll}};
    out1.pins = QStringList{QStringLiteral("none"), QStringLiteral("PA8"), QStringLiteral("PE4")};
    out1.div1 = {1, 2, 3, 4, 5};
    out1.div2 = ClockConfig::ahbDivValues();
    ClockOutputParams out2;
    out2.sources = {{"sclk", 0, K::Sclk}, {"hext", 1, K::Hext},  {"pll", 2, K::Pll},   {"usb", 3, K::Usb},
                    {"hick", 4, K::Hick}, {"adcclk", 5, K::Adc}, {"lick", 6, K::Lick}, {"lext", 7, K::Lext}};
    out2.pins = QStringList{QStringLiteral("none"), QStringLiteral("PC9")};
    out2.div1 = out1.div1;
    out2.div2 = ClockConfig::ahbDivValues();
    p.clockOutputs = {out1, out2};

    factory(p, 1, 0, 1, 72, 2, 288.0, 6.0);
    QStringList ahb{"systick", "sdio", "dma", "xmc", "gpio", "dvp", "qspi", "adc"};
    if (emac)
        ahb << QStringLiteral("emac");
    panel(p, ahb,
          {"SPI2", "SPI3", "USART2", "USART3", "UART4", "UART5", "UART7", "UART8", "I2C1", "I2C2", "I2C3",
           "CAN1", "CAN2", "DAC"},
          timers({2, 3, 4, 5, 6, 7, 12, 13, 14}), {"SPI1", "SPI4", "USART1", "USART6", "SCFG"},
          timers({1, 8, 9, 10, 11, 20}));
    p.usageNotes =
        QStringList{QStringLiteral("Useage limited:"), QStringLiteral("Temperature range - 40~85 degree. "),
                    QStringLiteral("VDD must over 3.0V. ")};
    p.usageNotesAboveMHz = 240;
    p.designElements =
        elements({"rtcdiv",      "hext",        "hextbypass",      "pllrcs",           "pllms",
                  "pllns",       "pllfr",       "sclkselect",      "ahbdiv",           "apb1div",
                  "apb2div",     "usbdiv",      "hicktousb",       "tousbswitch",      "hicktosclk",
                  "clkout1",     "clkout1div1", "clkout1div2",     "clkout1pinselect", "clkout2",
                  "clkout2div1", "clkout2div2", "clkout2pinselect"});
    return p;
}

// The order in which opening a design sets the controls of each PLL kind;
// a series restores those of its elements that appear here.
QStringList restoreOrder(const SeriesParams &p)
{
    static const QStringList common{QStringLiteral("lextbypass"), QStringLiteral("rtcsel"),
                                    QStringLiteral("rtcswitch")};
    static const QStringList flexible =
        QStringLiteral(
            "rtcdiv hext hextbypass pllrcs pllms pllns pllfr sclkselect ahbdiv apb1div apb2div usbdiv "
            "hicktosclk "
            "hicktousb tousbswitch clkout1pinselect clkout1 clkout1div1 clkout1div2 clkout2pinselect clkout2 "
            "clkout2div1 clkout2div2")
            .split(QLatin1Char(' '));
    static const QStringList others = QStringLiteral("hext hextbypass hextdiv pllhextdiv pllrcs pllmode "
                                                     "pllmult pllms pllns pllfr sclkselect ahbdiv apb1div "
                                                     "apb2div hicktousb usbdiv tousbswitch hicktosclk "
                                                     "adcswitch adcdiv clkoutpinselect clkoutdiv clkout "
                                                     "usart1clocksel usart2clocksel i2c1clocksel")
                                          .split(QLatin1Char(' '));
    QStringList order;
    for (const QString &element : common + (p.pllKind == PllKind::Flexible ? flexible : others)) {
        if (p.designElements.contains(element))
            order << element;
    }
    return order;
}

QVector<SeriesParams> buildTable()
{
    SeriesParams c315 = qxc315(5, "QXC315", "QXC315PLL", ":/image/C315PLL.bmp", "qxc315");
    panel(c315, {"systick", "sdio", "dma", "gpio"},
          {"SPI2", "USART2", "USART3", "UART4", "UART5", "I2C1", "I2C2", "CAN1", "CMP"}, timers({2, 3, 4, 5}),
          {"SPI1", "USART1"}, timers({1, 9, 10, 11}));
    SeriesParams w315 = qxc315(17, "QXW315", "QXW315PLL", ":/image/W315PLL.bmp", "qxw315");
    panel(w315, {"systick", "dma", "gpio"}, {"SPI2", "USART2", "USART3", "UART5", "I2C1", "CAN1", "CMP"},
          timers({2, 3, 4, 5}), {"USART1"}, timers({1, 9, 10, 11}));

    // Rows in the order of the MCU selection dialog.
    QVector<SeriesParams> rows{
        qxc300(),
        qxc310(),
        c315,
        qxc300a(7, "QXC300A", "QXC300APLL", ":/image/C300APLL.bmp",
                {"systick", "sdio", "dma", "xmc", "gpio"}),
        qxc300a(8, "QXC305", "QXC305PLL", ":/image/C305PLL.bmp",
                {"systick", "sdio", "dma", "xmc", "emac", "gpio"}),
        qxc320(),
        qxc330(13, "QXC330", "QXC330PLL", ":/image/C330PLL.bmp", false),
        qxc330(14, "QXC335", "QXC335PLL", ":/image/C335PLL.bmp", true),
        qxc325(),
        w315,
        qxe020(),
    };
    for (SeriesParams &row : rows)
        row.restoreOrder = restoreOrder(row);
    return rows;
}

} // namespace

const ClockSourceItem *ClockOutputParams::sourceByCode(int code) const
{
    for (const ClockSourceItem &item : sources) {
        if (item.code == code)
            return &item;
    }
    return nullptr;
}

bool SeriesParams::sclkEntryAccepted(double mhz) const
{
    return mhz >= kSclkEntryMinMHz && mhz <= sclkLimitMHz;
}

QString SeriesParams::sclkHint() const
{
    return QStringLiteral("(%1 - %2)").arg(kSclkEntryMinMHz).arg(sclkLimitMHz);
}

QString SeriesParams::limitText(const char *phrase, int limitMHz)
{
    return QString::fromLatin1(phrase) + QLatin1Char(' ') + QString::number(limitMHz) + QStringLiteral("MHz");
}

QVector<double> SeriesParams::usbDivItems() const
{
    QVector<double> items;
    for (double d = 1.0; d <= usbDivMax; d += 0.5)
        items.append(d);
    return items;
}

QString SeriesParams::ahbBoxCaption(const QString &box)
{
    if (box == QLatin1String("systick"))
        return QStringLiteral("systick(MHz)");
    return box + QStringLiteral(" (MHz)");
}

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

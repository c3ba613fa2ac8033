#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Kind of PLL a series has.
enum class PllKind {
    Multiplier, // integer multiplier only
    Selectable, // normal (multiplier) or flexible (ms/ns/fr), switched by the user
    Flexible    // ms/ns/fr only
};

// Which set of generator templates, and so which edit sequence, a series
// uses. Series sharing a family share their template layout.
enum class TemplateFamily {
    None,  // no templates
    C300,  // QXC300
    C300A, // QXC300A, QXC305
    C310,  // QXC310
    C315,  // QXC315, QXC325, QXW315
    C320,  // QXC320
    E020,  // QXE020
    C330   // QXC330, QXC335
};

// What a clock-output source radio feeds the output with.
enum class ClockSourceKind { None, Lick, Lext, Hick, Hext, Sclk, Usb, Adc, Pll, PllDiv2, PllDiv4 };

// One source radio of a clock output: its caption, the code stored in the
// record (and the design file) and what it selects.
struct ClockSourceItem {
    const char *text;
    int code;
    ClockSourceKind kind;
};

// One clock output: its sources in radio order, pin choices (index 0 is
// "none") and divider stages (empty list: the stage does not exist).
struct ClockOutputParams {
    QVector<ClockSourceItem> sources;
    QStringList pins;
    QVector<int> div1;
    QVector<int> div2;

    // Source with the stored code, nullptr when the code is not offered.
    const ClockSourceItem *sourceByCode(int code) const;
};

// Every per-series number and text of the program lives in one row of this
// table. No other file writes a per-series number.
struct SeriesParams {
    // Identity.
    int id = 0;
    const char *name = "";        // "QXC330": MCU dialog, design file, title
    const char *widgetClass = ""; // "QXC330PLL"
    const char *bitmap = "";      // ":/image/C330PLL.bmp"
    const char *stem = "";        // generator template stem, "qxc330_335"
    int bitmapWidth = 1408;       // drawing size of the multiplier and selectable series
    int bitmapHeight = 830;
    TemplateFamily family = TemplateFamily::None;
    PllKind pllKind = PllKind::Flexible;

    // Limits, MHz. The SCLK limit also bounds AHB, the APB timer clocks and the PLL.
    int sclkLimitMHz = 0;
    int apbLimitMHz = 0;
    bool apbHalving = false; // recompute raises an APB divider /1 to /2 above apbLimitMHz
    int pllMinMHz = 0;       // lower PLL bound in multiplier (normal) mode of selectable PLLs; 0: none
    int adcLimitMHz = 0;     // 0: the series has no ADC controls

    // Oscillators and PLL input paths.
    double hickMHz = 48.0;
    bool hickSclkUndivided = false;   // SCLK from HICK is HICK itself, no "hick to sclk" choice
    bool hickOutputUndivided = false; // the clock outputs take HICK undivided ("hick48"), whatever else runs
    int hickToPllDiv = 12;            // PLL reference from HICK = hickMHz / hickToPllDiv
    QVector<int> hextPllDivs;         // HEXT pre-dividers of the divided PLL path; empty: no such path
    bool pllInputRangeCheck = false;  // multiplier PLLs correct a PLL input outside 2..16 MHz

    // RTC.
    int rtcHextDiv = 0; // fixed HEXT divider of the RTC; 0: chosen by the user in 2..31
    const char *rtcSelCaption = "";
    const char *rtcCaption = "";

    // USB. usbDivMax == 0: the series has no USB clock.
    double usbDivMax = 0.0;      // last usbdiv item and the clamp of the automatic divider
    bool usbHickRadios = false;  // "hick to usb" radios offered
    bool usbHickIgnored = false; // usbSourceHick48 has no meaning: USB always comes from the PLL

    // Clock outputs (one or two) and the ADC divider items.
    QVector<ClockOutputParams> clockOutputs;
    QVector<int> adcDivs; // empty: no ADC divider or switch

    // Factory state of the series widget (HEXT 8 MHz, SCLK on the PLL).
    int factoryPllFlexible = 0;
    int factoryPllMult = 0; // 0: no multiplier mode
    int factoryPllMs = 0;   // 0: no flexible mode
    int factoryPllNs = 0;
    int factoryPllFr = 0;
    double factorySclkMHz = 0.0;
    double factoryUsbDiv = 0.0; // 0: no USB

    // Peripheral panel, names in display order.
    QStringList ahbBoxes; // besides "i2s (MHz)", which every series shows
    QStringList apb1Peripherals;
    QStringList apb1Timers;
    QStringList apb2Peripherals;
    QStringList apb2Timers;

    // Series-specific messages; nullptr (or empty) where the series does not show them.
    const char *pllInputRangeMessage = nullptr;
    const char *pllLessMessage = nullptr; // with pllMinMHz, normal mode only
    const char *adcWarning = nullptr;
    const char *usbWarning = nullptr;
    QStringList usageNotes; // shown while SCLK is above usageNotesAboveMHz
    int usageNotesAboveMHz = 0;

    // Elements of the design file, in file order.
    QStringList designElements;
    // Elements in the order opening a design sets their controls.
    QStringList restoreOrder;

    QString seriesName() const { return QString::fromLatin1(name); }
    QString bitmapPath() const { return QString::fromLatin1(bitmap); }
    QString templateStem() const { return QString::fromLatin1(stem); }

    bool hasUsb() const { return usbDivMax > 0.0; }
    bool hasAdc() const { return adcLimitMHz > 0; }
    bool hasFlexiblePll() const { return pllKind != PllKind::Multiplier; }
    bool hasMultiplierPll() const { return pllKind != PllKind::Flexible; }
    bool multiOutput() const { return clockOutputs.size() > 1; }
    bool hasHextPllDivPath() const { return !hextPllDivs.isEmpty(); }

    // The SCLK entry: accepted range, hint, and the red threshold of SCLK, AHB,
    // timers and PLL.
    static constexpr int kSclkEntryMinMHz = 4;
    bool sclkEntryAccepted(double mhz) const;
    QString sclkHint() const; // "(4 - " + limit + ")"
    bool sclkRed(double mhz) const { return mhz > sclkLimitMHz; }
    bool apbRed(double mhz) const { return mhz > apbLimitMHz; }
    bool adcRed(double mhz) const { return hasAdc() && mhz > adcLimitMHz; }

    // Refusal text: the phrase, a blank, the limit and "MHz" ("... than 288MHz").
    static QString limitText(const char *phrase, int limitMHz);

    // usbdiv items from 1.0 in steps of 0.5 up to usbDivMax; empty without USB.
    QVector<double> usbDivItems() const;
    // AHB box caption: name + " (MHz)", but "systick(MHz)".
    static QString ahbBoxCaption(const QString &box);
};

namespace SeriesTable {

// Rows in the order of the MCU selection dialog.
const QVector<SeriesParams> &all();

// nullptr for an id or name that names no series.
const SeriesParams *byId(int id);
const SeriesParams *byName(const QString &name);

// Order in which New compares a chosen name, and Open the file's MCU element.
const QStringList &newLookupOrder();
const QStringList &openLookupOrder();

} // namespace SeriesTable

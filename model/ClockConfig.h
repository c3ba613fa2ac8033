#pragma once

#include <QPair>
#include <QString>
#include <QVariant>
#include <QVector>

struct SeriesParams;

// The clock configuration of one series: a plain record that the series
// widgets, the design file and the code generator read and write directly.
// Frequencies are MHz, except LICK and LEXT which are kHz.
class ClockConfig {
public:
    explicit ClockConfig(int seriesId);

    // Fields, in their fixed order (the design file and the field reflection
    // below rely on it).
    int seriesId = 0;
    double lickKHz = 0.0;
    double lextKHz = 0.0;
    bool lextBypass = false;
    double hextMHz = 0.0;
    double hickMHz = 0.0;
    bool hextBypass = false;
    int rtcSource = 0; // 0 LICK, 1 LEXT, 2 HEXT divided
    bool rtcEnabled = false;
    int rtcHextDiv = 0;
    int hextDivValue = 0;
    int hextDivEnabled = 0;
    int pllSourceHick = 0; // 0 HEXT, 1 HICK
    int pllMs = 0;
    int pllNs = 0;
    int pllFr = 0;
    int sclkSource = 0; // 0 HEXT, 1 PLL, 2 HICK
    int ahbDiv = 0;
    int apb1Div = 0;
    int apb2Div = 0;
    double pllMHz = 0.0;
    double sclkMHz = 0.0;
    double ahbMHz = 0.0;
    double apb1MHz = 0.0;
    int apb1TimerMul = 0;
    double apb1TimerMHz = 0.0;
    double apb2MHz = 0.0;
    int apb2TimerMul = 0;
    double apb2TimerMHz = 0.0;
    bool adcEnabled = false;
    int adcDiv = 0;
    double adcMHz = 0.0;
    double usbDiv = 0.0;
    int usbDisabled = 0;
    double usbMHz = 0.0;
    int usbSourceHick48 = 0;
    int hickSclk48 = 0;
    int clkout1Div1 = 0;
    int clkout1Div2 = 0;
    int clkout1Pin = 0;
    int clkout2Div1 = 0;
    int clkout2Div2 = 0;
    int clkout2Pin = 0;
    int clkout1Source = 0; // 0 HICK, 1 LEXT, 2 HEXT, 3 PLL
    int clkout2Source = 0; // 0 SCLK, 1 HEXT, 2 PLL, 3 USB, 4 HICK, 5 ADCCLK, 6 LICK, 7 LEXT
    int clkoutDiv = 0;
    int clkoutPin = 0;
    int clkoutSource = 0;
    int pllFlexible = 0; // 1 ms/ns/fr, 0 integer multiplier
    int pllMult = 0;
    int usart1Source = 0;
    int usart2Source = 0;
    int i2c1Source = 0;

    // Sources of sclkSource.
    enum SclkSource { SclkHext = 0, SclkPll = 1, SclkHick = 2 };

    // Fixed rules of the flexible PLL (all bounds inclusive).
    static constexpr int kMsMin = 1;
    static constexpr int kMsMax = 15;
    static constexpr int kNsMin = 31;
    static constexpr int kNsMax = 500;
    static constexpr double kRefMinMHz = 2.0;
    static constexpr double kRefMaxMHz = 16.0;
    static constexpr double kVcoMinMHz = 500.0;
    static constexpr double kVcoMaxMHz = 1000.0;
    static constexpr int kPllMultMin = 2;
    static constexpr int kPllMultMax = 64;
    static constexpr int kRtcDivMin = 2;
    static constexpr int kRtcDivMax = 31;
    // Two PLL outputs whose errors to a target differ by no more than this
    // are equally near: the difference is rounding noise of the division,
    // and the search's order decides between them. Distinct outputs of valid
    // factor sets lie far further apart (MHz).
    static constexpr double kTieToleranceMHz = 1e-9;
    // Whether an error to the target is nearer than the best so far, by more
    // than rounding noise.
    static bool nearer(double errorMHz, double bestErrorMHz)
    {
        return errorMHz < bestErrorMHz - kTieToleranceMHz;
    }

    // Values the divider fields take, in the order the controls offer them.
    static const QVector<int> &ahbDivValues(); // also clock-output second stages
    static const QVector<int> &apbDivValues();
    static const QVector<int> &pllFrValues();

    // The row of the series parameter table; nullptr for an unknown id.
    const SeriesParams *params() const;

    void resetDefaults();
    // Whether the PLL runs on ms/ns/fr: always for flexible-only series, never
    // for multiplier-only series, else as pllFlexible says.
    bool flexiblePllActive() const;
    double pllInputMHz() const;
    void computePllFromFactors();
    bool pllInUse() const;
    void recompute();
    void applyTypedSclk();
    void retunePllForUsb();

    // PLL factor rules.
    void msRangeFor(double refMHz, int &msMin, int &msMax) const;
    bool suggestMs(int ms, int &suggestion) const;
    bool suggestNs(int ns, int ms, int &suggestion) const;
    void searchPllFactors(double refMHz, bool forUsb);

    // The CRM_PLLCFG register word and its display text ("0x" + 8 hex digits).
    quint32 pllcfgWord() const;
    QString pllcfgText() const;

    // Whether the generated code must start the HEXT / HICK oscillator.
    bool hextNeeded() const;
    bool hickNeeded() const;

    // Field reflection: every field in field order, named exactly as the
    // member, valued as int, double or bool.
    QVector<QPair<QString, QVariant>> fieldValues() const;
    // One field of fieldValues(); invalid for a name it does not have.
    QVariant fieldValue(QLatin1String name) const;
    // Sets one field by name; false for an unknown name or an unconvertible value.
    bool setFieldValue(const QString &name, const QVariant &value);
};

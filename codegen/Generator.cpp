#include "Generator.h"

#include "ClockConfig.h"
#include "Markers.h"
#include "NameTables.h"
#include "OutputFiles.h"
#include "SeriesRules.h"
#include "Summary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <vector>

namespace Codegen {

namespace {

const SeriesParams &series(const ClockConfig &c)
{
    return SeriesRules::of(c.seriesId);
}

QString str(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

// ---- argument values ------------------------------------------------------

bool hextDivKept(const ClockConfig &c)
{
    return c.pllInUse() && !c.pllSourceHick && series(c).hasHextPllDivPath() && c.hextDivEnabled;
}

QString pllSource(const ClockConfig &c)
{
    if (c.pllInUse() && c.pllSourceHick)
        return str("CRM_PLL_SOURCE_HICK");
    if (c.pllInUse() && series(c).hasHextPllDivPath() && c.hextDivEnabled)
        return str("CRM_PLL_SOURCE_HEXT_DIV");
    return str("CRM_PLL_SOURCE_HEXT");
}

bool flexibleFactors(const ClockConfig &c)
{
    return c.pllInUse() && c.flexiblePllActive();
}
QString pllNs(const ClockConfig &c)
{
    return flexibleFactors(c) ? QString::number(c.pllNs) : str("31");
}
QString pllMs(const ClockConfig &c)
{
    return flexibleFactors(c) ? QString::number(c.pllMs) : str("1");
}
QString pllFr(const ClockConfig &c)
{
    return NameTables::pllFr(flexibleFactors(c) ? c.pllFr : 1);
}

QString pllMult(const ClockConfig &c)
{
    return c.pllInUse() && !c.flexiblePllActive()
               ? QStringLiteral("CRM_PLL_MULT_") + QString::number(c.pllMult)
               : QString();
}

QString pllRange(const ClockConfig &c)
{
    return c.pllInUse() ? NameTables::pllRange(c.pllMHz) : QString();
}

QString usbDivider(const ClockConfig &c)
{
    if (c.usbDisabled == 0 && c.usbSourceHick48 == 0 && series(c).hasUsb())
        return NameTables::usbDiv(c.usbDiv);
    return str("CRM_USB_DIV_1");
}

// ---- call patterns --------------------------------------------------------

const char *const kLdoCall = "pwc_ldo_output_voltage_set\\((\\s*\\w+)\\);{,1}";
const char *const kFlashDivCall = "flash_clock_divider_set\\((\\s*\\w+)\\);{,1}";
const char *const kAhbCall = "crm_ahb_div_set\\((\\s*\\w+)\\);{,1}";
const char *const kApb1Call = "crm_apb1_div_set\\((\\s*\\w+)\\);{,1}";
const char *const kApb2Call = "crm_apb2_div_set\\((\\s*\\w+)\\);{,1}";
const char *const kHextDivCall = "crm_hext_clock_div_set\\((\\w+)\\);{,1}";
const char *const kPllNsMsFrCall = "crm_pll_config\\((\\w+, \\s*\\d+, \\s*\\d+,\\s*\\w+)\\);{,1}";
const char *const kPll2Call = "crm_pll_config2\\((\\w+, \\s*\\d+, \\s*\\d+,\\s*\\w+)\\);{,1}";
const char *const kPllRangeCall = "crm_pll_config\\((\\w+, \\s*\\w+, \\s*\\w+)\\);{,1}";
const char *const kPllMultCall = "crm_pll_config\\((\\w+, \\s*\\w+)\\);{,1}";
const char *const kUsbCall = "crm_usb_clock_div_set\\((\\s*\\w+)\\);{,1}";
const char *const kFlashPsrCall = "flash_psr_set\\((\\s*\\w+)\\);{,1}";
const char *const kHextDefine = "(#define\\s*HEXT_VALUE\\s*)(\\(\\(uint32_t\\)8000000\\))";
// Only the port clock: the PWC clock enable of a clock-out lext block stays as written.
const char *const kPortClockCall = "crm_periph_clock_enable\\((CRM_GPIO\\w+,\\s*\\w+)\\);{,1}";
const char *const kPinsAssign = "gpio_init_struct.gpio_pins\\s*=\\s*\\w+;{,1}";
const char *const kGpioInitCall = "gpio_init\\((\\w+,\\s*\\&\\w+)\\);{,1}";
const char *const kPinMuxCall = "gpio_pin_mux_config\\((\\w+,\\s*\\w+,\\s*\\w+)\\);{,1}";
const char *const kClockOut1Call = "crm_clock_out1_set\\((\\w+)\\);{,1}";
const char *const kClockOut2Call = "crm_clock_out2_set\\((\\w+)\\);{,1}";
const char *const kClockOutCall = "crm_clock_out_set\\((\\w+)\\);{,1}";
const char *const kClkoutDiv3Call = "crm_clkout_div_set\\((\\w+,\\s*\\w+,\\s*\\w+)\\);{,1}";
const char *const kClkoutDivCall = "crm_clkout_div_set\\((\\w+)\\);{,1}";
const char *const kErtcCall = "crm_ertc_clock_select\\((\\w+)\\);{,1}";
const char *const kErtcSourceTest = "crm_ertc_clock_source_get\\(\\) != \\w+";
const char *const kAdcCall = "crm_adc_clock_div_set\\((\\w+)\\);{,1}";
const char *const kI2c1Call = "crm_i2c1_clock_source_set\\((\\w+)\\);{,1}";
const char *const kUsart1Call = "crm_usart1_clock_source_set\\((\\w+)\\);{,1}";
const char *const kUsart2Call = "crm_usart2_clock_source_set\\((\\w+)\\);{,1}";

bool rewrite(QString &target, const char *pattern, const char *function, const QStringList &args)
{
    return Markers::rewriteCall(target, str(pattern), str(function), args);
}

bool present(const QString &text, const char *pattern)
{
    return Markers::classic(str(pattern)).match(text).hasMatch();
}

// ---- clock source operations ---------------------------------------------

bool ldo(QString &t, const ClockConfig &c)
{
    return rewrite(t, kLdoCall, "pwc_ldo_output_voltage_set", {NameTables::ldoVoltage(c.sclkMHz)});
}

bool flashClockDivider(QString &t, const ClockConfig &c)
{
    if (!series(c).multiOutput())
        return true;
    return rewrite(t, kFlashDivCall, "flash_clock_divider_set", {NameTables::flashClockDivider(c.sclkMHz)});
}

bool enableHext(QString &t, const ClockConfig &c)
{
    return Markers::decide(t, str("enable hext"), c.hextNeeded());
}

bool hextBypass(QString &t, const ClockConfig &c)
{
    return Markers::decide(t, str("hext bypass"), c.hextNeeded() && c.hextBypass);
}

bool enableHick(QString &t, const ClockConfig &c)
{
    return Markers::decide(t, str("enable hick"), c.hickNeeded());
}

bool enableHextDiv(QString &t, const ClockConfig &c)
{
    const bool keep = hextDivKept(c);
    if (!Markers::decide(t, str("enable hextdiv"), keep))
        return false;
    return !keep || rewrite(t, kHextDivCall, "crm_hext_clock_div_set",
                            {QStringLiteral("CRM_HEXT_DIV_") + QString::number(c.hextDivValue)});
}

// A child block of a lifted body: kept with its call rewritten, or removed.
// Its result is not checked by the callers.
bool editPllChild(QString &body, const char *name, bool keep, const char *pattern, const char *function,
                  const QStringList &args)
{
    if (!keep)
        return Markers::remove(body, str(name));
    QString child;
    if (!Markers::find(body, str(name), &child))
        return false;
    rewrite(child, pattern, function, args);
    return Markers::replaceBody(body, str(name), child);
}

void editPllBody(QString &body, const ClockConfig &c)
{
    switch (series(c).pllKind) {
    case PllKind::Flexible:
        rewrite(body, kPllNsMsFrCall, "crm_pll_config", {pllSource(c), pllNs(c), pllMs(c), pllFr(c)});
        break;
    case PllKind::Multiplier:
        rewrite(body, kPllRangeCall, "crm_pll_config", {pllSource(c), pllMult(c), pllRange(c)});
        break;
    case PllKind::Selectable:
        editPllChild(body, "pll normal", !c.flexiblePllActive(), kPllMultCall, "crm_pll_config",
                     {pllSource(c), pllMult(c)});
        editPllChild(body, "pll flexible", c.flexiblePllActive(), kPll2Call, "crm_pll_config2",
                     {pllSource(c), pllNs(c), pllMs(c), pllFr(c)});
        break;
    }
}

bool enablePll(QString &t, const ClockConfig &c)
{
    if (!c.pllInUse())
        return Markers::remove(t, str("enable pll"));
    QString body;
    if (!Markers::find(t, str("enable pll"), &body))
        return false;
    editPllBody(body, c);
    return Markers::replaceBody(t, str("enable pll"), body);
}

bool autoStepMode(QString &t, const ClockConfig &c)
{
    const bool keep = c.sclkMHz > 108.0;
    return Markers::decide(t, str("enable auto step mode"), keep) &&
           Markers::decide(t, str("disable auto step mode"), keep);
}

bool pllSysclock(QString &t, const ClockConfig &c)
{
    const bool keep = c.sclkSource == ClockConfig::SclkPll;
    if (!Markers::decide(t, str("pll sysclock"), keep))
        return false;
    if (!keep || series(c).family != TemplateFamily::C300)
        return true;
    return Markers::decide(t, str("sysclock < 168"), c.sclkMHz < 168.0) &&
           Markers::decide(t, str("sysclock >= 168"), c.sclkMHz >= 168.0);
}

bool hextSysclock(QString &t, const ClockConfig &c)
{
    return Markers::decide(t, str("hext sysclock"), c.sclkSource == ClockConfig::SclkHext);
}

bool hickSysclock(QString &t, const ClockConfig &c)
{
    const bool keep = c.sclkSource == ClockConfig::SclkHick;
    if (!Markers::decide(t, str("hick sysclock"), keep))
        return false;
    // Without a "hick to sclk" choice the template has no hick48 block.
    if (!keep || series(c).hickSclkUndivided)
        return true;
    return Markers::decide(t, str("hick48"), c.hickSclk48 == 1);
}

bool pllUsbclock(QString &t, const ClockConfig &c)
{
    const bool keep = c.usbDisabled == 0 && (series(c).usbHickIgnored || c.usbSourceHick48 == 0);
    if (!Markers::decide(t, str("pll usbclock"), keep))
        return false;
    return !keep || rewrite(t, kUsbCall, "crm_usb_clock_div_set", {usbDivider(c)});
}

bool hickUsbclock(QString &t, const ClockConfig &c)
{
    return Markers::decide(t, str("hick usbclock"), c.usbDisabled == 0 && c.usbSourceHick48 == 1);
}

bool ahb(QString &t, const ClockConfig &c)
{
    // Earlier calls step the divider during a fast switch; only the last is
    // the configured value.
    return Markers::rewriteLastCall(t, str(kAhbCall), str("crm_ahb_div_set"), {NameTables::ahbDiv(c.ahbDiv)});
}

bool apb1(QString &t, const ClockConfig &c)
{
    return rewrite(t, kApb1Call, "crm_apb1_div_set", {NameTables::apb1Div(c.apb1Div)});
}

bool apb2(QString &t, const ClockConfig &c)
{
    return rewrite(t, kApb2Call, "crm_apb2_div_set", {NameTables::apb2Div(c.apb2Div)});
}

bool flashPsr(QString &t, const ClockConfig &c)
{
    return Markers::keep(t, str("flash psr")) &&
           rewrite(t, kFlashPsrCall, "flash_psr_set", {NameTables::flashWaitCycle(c.sclkMHz)});
}

bool summary(QString &t, const ClockConfig &c)
{
    return Summary::apply(t, c);
}

// ---- main file operations -------------------------------------------------

struct BodyRewrite {
    const char *pattern;
    QString replacement; // literal text
};

// ---- oscillators the clock outputs take --------------------------------------

bool outputTakes(const ClockConfig &c, int output, ClockSourceKind kind)
{
    return ClockRules::clockOutputSource(c, output) == kind;
}

bool anyOutputTakes(const ClockConfig &c, ClockSourceKind kind)
{
    for (int i = 0; i < series(c).clockOutputs.size(); ++i) {
        if (outputTakes(c, i, kind))
            return true;
    }
    return false;
}

bool rtcRunsOn(const ClockConfig &c, int source)
{
    return c.rtcEnabled && c.rtcSource == source;
}

// The USART routine, called last, starts LEXT for a USART.
bool usartStartsLext(const ClockConfig &c)
{
    return series(c).family == TemplateFamily::E020 && (c.usart1Source == 3 || c.usart2Source == 3);
}

// Who starts LEXT for a clock output: the RTC routine when the RTC is on
// (it may reset the battery powered domain, which stops LEXT, so it starts
// LEXT after that), the USART routine where a USART takes LEXT, else the
// first clock-out routine that takes it.
bool clockOutStartsLext(const ClockConfig &c, int output)
{
    if (!outputTakes(c, output, ClockSourceKind::Lext) || c.rtcEnabled || usartStartsLext(c))
        return false;
    for (int i = 0; i < output; ++i) {
        if (outputTakes(c, i, ClockSourceKind::Lext))
            return false;
    }
    return true;
}

bool rtcStartsLextForOutput(const ClockConfig &c)
{
    return c.rtcEnabled && c.rtcSource != 1 && anyOutputTakes(c, ClockSourceKind::Lext) &&
           !usartStartsLext(c);
}

// LICK is outside the battery powered domain: only the RTC on LICK starts it too.
bool clockOutStartsLick(const ClockConfig &c, int output)
{
    return outputTakes(c, output, ClockSourceKind::Lick) && !rtcRunsOn(c, 0);
}

// The oscillator starts inside a clock-out routine; templates whose outputs
// offer no LICK or LEXT have none, so the results are not checked.
void clockOutOscillators(QString &body, const ClockConfig &c, int output)
{
    Markers::decide(body, str("clkout lick"), clockOutStartsLick(c, output), true);
    QString lext;
    if (!clockOutStartsLext(c, output) || !Markers::find(body, str("clkout lext"), &lext)) {
        Markers::remove(body, str("clkout lext"));
        return;
    }
    if (Markers::decide(lext, str("lext bypass"), c.lextBypass))
        Markers::replaceBody(body, str("clkout lext"), lext, true);
}

// Keeps a clock-out routine with its calls rewritten. Each call must be in
// the file; it is rewritten only inside this routine's block.
bool clockOutBlock(QString &t, const char *name, bool keep, const std::vector<BodyRewrite> &rewrites,
                   const std::function<void(QString &)> &editBody)
{
    if (!keep)
        return Markers::remove(t, str(name));
    QString body;
    if (!Markers::find(t, str(name), &body))
        return false;
    editBody(body);
    for (const BodyRewrite &r : rewrites) {
        if (!present(t, r.pattern))
            return false;
        const QString replacement = r.replacement;
        Markers::replaceEach(body, Markers::classic(str(r.pattern)),
                             [&](const QRegularExpressionMatch &) -> QString { return replacement; });
    }
    return Markers::replaceBody(t, str(name), body);
}

QString call(const char *function, const QStringList &args)
{
    return str(function) + QLatin1Char('(') + args.join(QLatin1String(", ")) + QLatin1String(");");
}

std::vector<BodyRewrite> gpioRewrites(const NameTables::PinRow &pin, bool withMux)
{
    std::vector<BodyRewrite> out = {
        {kPortClockCall, call("crm_periph_clock_enable", {str(pin.portClock), str("TRUE")})},
        {kPinsAssign, QStringLiteral("gpio_init_struct.gpio_pins = ") + str(pin.pins) + QLatin1Char(';')},
        {kGpioInitCall, call("gpio_init", {str(pin.port), str("&gpio_init_struct")})},
    };
    if (withMux)
        out.push_back(
            {kPinMuxCall, call("gpio_pin_mux_config", {str(pin.port), str(pin.pinSource), str(pin.mux)})});
    return out;
}

bool clkoutFunction(QString &t, const ClockConfig &c)
{
    const SeriesParams &p = series(c);
    std::vector<BodyRewrite> rw =
        gpioRewrites(NameTables::clkoutPin(c.clkoutPin), p.family == TemplateFamily::E020);
    rw.push_back({kClockOutCall, call("crm_clock_out_set", {NameTables::clkoutSource(c.clkoutSource)})});
    if (!p.clockOutputs.isEmpty() && !p.clockOutputs.first().div1.isEmpty())
        rw.push_back({kClkoutDivCall, call("crm_clkout_div_set", {NameTables::clkoutDiv(c.clkoutDiv)})});
    return clockOutBlock(t, "clkout function", c.clkoutPin != 0, rw,
                         [&c](QString &body) { clockOutOscillators(body, c, 0); });
}

bool clkout1Function(QString &t, const ClockConfig &c)
{
    std::vector<BodyRewrite> rw = gpioRewrites(NameTables::clkout1Pin(c.clkout1Pin), true);
    rw.push_back({kClockOut1Call, call("crm_clock_out1_set", {NameTables::clkout1Source(c.clkout1Source)})});
    rw.push_back({kClkoutDiv3Call, call("crm_clkout_div_set",
                                        {NameTables::clkoutIndex(1), NameTables::clkoutDiv1(c.clkout1Div1),
                                         NameTables::clkoutDiv2(c.clkout1Div2)})});
    return clockOutBlock(t, "clkout1 function", c.clkout1Pin != 0, rw,
                         [&c](QString &body) { clockOutOscillators(body, c, 0); });
}

bool clkout2Function(QString &t, const ClockConfig &c)
{
    // The second output's pin is fixed: its GPIO lines stay as written.
    const std::vector<BodyRewrite> rw = {
        {kClockOut2Call, call("crm_clock_out2_set", {NameTables::clkout2Source(c.clkout2Source)})},
        {kClkoutDiv3Call,
         call("crm_clkout_div_set", {NameTables::clkoutIndex(2), NameTables::clkoutDiv1(c.clkout2Div1),
                                     NameTables::clkoutDiv2(c.clkout2Div2)})},
    };
    return clockOutBlock(t, "clkout2 function", c.clkout2Pin != 0, rw,
                         [&c](QString &body) { clockOutOscillators(body, c, 1); });
}

bool initCallRemoval(QString &t, const ClockConfig &c)
{
    struct Removal {
        const char *pattern;
        bool remove;
    };
    const SeriesParams &p = series(c);
    std::vector<Removal> removals;
    if (p.multiOutput()) {
        removals.push_back({"mx_clkout1_init\\(\\s*\\);\\n+\\s*", c.clkout1Pin == 0});
        removals.push_back({"mx_clkout2_init\\(\\s*\\);\\n+\\s*", c.clkout2Pin == 0});
    } else {
        removals.push_back({"mx_clkout_init\\(\\s*\\);\\n+\\s*", c.clkoutPin == 0});
    }
    removals.push_back({"mx_rtc_clock_init\\(\\s*\\);\\n+\\s*", !c.rtcEnabled});
    if (p.hasAdc())
        removals.push_back({"mx_adc_clock_init\\(\\s*\\);\\n+\\s*", !c.adcEnabled});
    for (const Removal &r : removals) {
        if (!present(t, r.pattern))
            return false;
        if (r.remove)
            Markers::replaceEach(t, Markers::classic(str(r.pattern)),
                                 [](const QRegularExpressionMatch &) -> QString { return QString(); });
    }
    return true;
}

// An oscillator source block that carries a bypass child: the child is
// decided inside the lifted body first. A missing child leaves the parent
// as it is and reports failure.
bool sourceWithBypass(QString &t, const char *name, bool keep, const char *child, bool bypass,
                      const std::function<void(QString &)> &editBody = {})
{
    if (!keep)
        return Markers::remove(t, str(name));
    QString body;
    if (!Markers::find(t, str(name), &body))
        return false;
    if (!Markers::decide(body, str(child), bypass))
        return false;
    if (editBody)
        editBody(body);
    return Markers::replaceBody(t, str(name), body, true);
}

bool rtcFunction(QString &t, const ClockConfig &c)
{
    if (!Markers::decide(t, str("rtc function"), c.rtcEnabled))
        return false;
    if (!c.rtcEnabled)
        return true;
    // The source blocks' results are not checked: a template without them
    // simply keeps what it has.
    Markers::decide(t, str("rtc lick"), c.rtcSource == 0, true);
    sourceWithBypass(t, "rtc lext", c.rtcSource == 1, "lext bypass", c.lextBypass);
    sourceWithBypass(t, "rtc hext", c.rtcSource == 2, "hext bypass", c.hextBypass, [&](QString &body) {
        // A fixed RTC divider is written in the template already.
        if (series(c).rtcHextDiv != 0)
            return;
        const QString divided = NameTables::ertcHextDiv(c.rtcHextDiv);
        rewrite(body, kErtcCall, "crm_ertc_clock_select", {divided});
        // The running RTC is kept only when it runs from the same divided HEXT.
        Markers::replaceEach(body, Markers::classic(str(kErtcSourceTest)),
                             [&](const QRegularExpressionMatch &) -> QString {
                                 return QStringLiteral("crm_ertc_clock_source_get() != ") + divided;
                             });
    });
    sourceWithBypass(t, "rtc clkout lext", rtcStartsLextForOutput(c), "lext bypass", c.lextBypass);
    return true;
}

// An always-kept routine whose calls are rewritten inside its body.
bool routineBlock(QString &t, const char *name, const std::function<bool(QString &)> &editBody)
{
    QString body;
    if (!Markers::find(t, str(name), &body) || !editBody(body))
        return false;
    return Markers::replaceBody(t, str(name), body);
}

bool adcFunction(QString &t, const ClockConfig &c)
{
    if (!c.adcEnabled)
        return Markers::remove(t, str("adc function"));
    if (!present(t, kAdcCall))
        return false;
    return routineBlock(t, "adc function", [&](QString &body) {
        rewrite(body, kAdcCall, "crm_adc_clock_div_set", {NameTables::adcDiv(c.adcDiv)});
        return true;
    });
}

bool i2cFunction(QString &t, const ClockConfig &c)
{
    return routineBlock(t, "i2c function", [&](QString &body) {
        return rewrite(body, kI2c1Call, "crm_i2c1_clock_source_set", {NameTables::i2c1Source(c.i2c1Source)});
    });
}

bool usartFunction(QString &t, const ClockConfig &c)
{
    return routineBlock(t, "usart function", [&](QString &body) {
        sourceWithBypass(body, "usart lext", c.usart1Source == 3 || c.usart2Source == 3, "lext bypass",
                         c.lextBypass);
        return rewrite(body, kUsart1Call, "crm_usart1_clock_source_set",
                       {NameTables::usartSource(c.usart1Source)}) &&
               rewrite(body, kUsart2Call, "crm_usart2_clock_source_set",
                       {NameTables::usartSource(c.usart2Source)});
    });
}

// ---- sequences ------------------------------------------------------------

using Operation = bool (*)(QString &, const ClockConfig &);
struct Step {
    const char *name;
    Operation run;
};
using Sequence = std::vector<Step>;

const Step kLdo{"LDO", ldo};
const Step kEnableHext{"enable hext", enableHext};
const Step kHextBypass{"hext bypass", hextBypass};
const Step kEnableHick{"enable hick", enableHick};
const Step kEnableHextDiv{"enable hextdiv", enableHextDiv};
const Step kEnablePll{"enable pll", enablePll};
const Step kAutoStep{"auto step mode", autoStepMode};
const Step kPllSysclock{"pll sysclock", pllSysclock};
const Step kHextSysclock{"hext sysclock", hextSysclock};
const Step kHickSysclock{"hick sysclock", hickSysclock};
const Step kPllUsbclock{"pll usbclock", pllUsbclock};
const Step kHickUsbclock{"hick usbclock", hickUsbclock};
const Step kAhb{"AHB", ahb};
const Step kApb1{"APB1", apb1};
const Step kApb2{"APB2", apb2};
const Step kFlashClockDivider{"flash clock divider", flashClockDivider};
const Step kFlashPsr{"flash psr", flashPsr};
const Step kSummary{"summary", summary};
const Step kClkout{"clkout function", clkoutFunction};
const Step kClkout1{"clkout1 function", clkout1Function};
const Step kClkout2{"clkout2 function", clkout2Function};
const Step kInitCalls{"init-call removal", initCallRemoval};
const Step kRtc{"rtc function", rtcFunction};
const Step kAdc{"adc function", adcFunction};
const Step kI2c{"i2c function", i2cFunction};
const Step kUsart{"usart function", usartFunction};

Sequence clockSequence(TemplateFamily family)
{
    switch (family) {
    case TemplateFamily::C330:
        return {kLdo,         kEnableHext,   kHextBypass,        kEnableHick,  kEnablePll,    kAutoStep,
                kPllSysclock, kHextSysclock, kHickSysclock,      kPllUsbclock, kHickUsbclock, kAhb,
                kApb1,        kApb2,         kFlashClockDivider, kSummary};
    case TemplateFamily::C300A:
        return {kEnableHext,   kHextBypass,  kEnableHick,   kEnableHextDiv, kEnablePll,
                kAutoStep,     kPllSysclock, kHextSysclock, kHickSysclock,  kPllUsbclock,
                kHickUsbclock, kAhb,         kApb1,         kApb2,          kSummary};
    case TemplateFamily::C310:
        return {kEnableHext,  kHextBypass,   kEnableHick,   kEnablePll,   kAutoStep,
                kPllSysclock, kHextSysclock, kHickSysclock, kPllUsbclock, kHickUsbclock,
                kAhb,         kApb1,         kApb2,         kSummary};
    case TemplateFamily::C300:
        return {kEnableHext,   kHextBypass,  kEnableHick, kEnablePll, kPllSysclock, kHextSysclock,
                kHickSysclock, kPllUsbclock, kAhb,        kApb1,      kApb2,        kSummary};
    case TemplateFamily::C315:
        return {kFlashPsr,     kHextBypass,  kEnableHext,   kEnableHick,   kEnablePll,
                kAutoStep,     kPllSysclock, kHextSysclock, kHickSysclock, kPllUsbclock,
                kHickUsbclock, kAhb,         kApb1,         kApb2,         kSummary};
    case TemplateFamily::C320:
        return {kFlashPsr,     kHextBypass,   kEnableHext, kEnableHick, kEnablePll, kAutoStep, kPllSysclock,
                kHextSysclock, kHickSysclock, kAhb,        kApb1,       kApb2,      kSummary};
    case TemplateFamily::E020:
        return {kFlashPsr,     kHextBypass,   kEnableHext, kEnableHick, kEnablePll, kPllSysclock,
                kHextSysclock, kHickSysclock, kAhb,        kApb1,       kApb2,      kSummary};
    case TemplateFamily::None:
        break;
    }
    return {};
}

Sequence mainSequence(TemplateFamily family)
{
    switch (family) {
    case TemplateFamily::C330:
        return {kClkout1, kClkout2, kInitCalls, kRtc};
    case TemplateFamily::E020:
        return {kClkout, kInitCalls, kRtc, kAdc, kI2c, kUsart};
    case TemplateFamily::None:
        return {};
    default:
        return {kClkout, kInitCalls, kRtc, kAdc};
    }
}

bool runSequence(QString &text, const ClockConfig &c, const Sequence &steps, QString *failedStep)
{
    if (steps.empty()) {
        if (failedStep)
            *failedStep = QStringLiteral("series %1 has no templates").arg(c.seriesId);
        return false;
    }
    for (const Step &step : steps) {
        if (!step.run(text, c)) {
            if (failedStep)
                *failedStep = str(step.name);
            return false;
        }
    }
    return true;
}

bool readTemplate(const QString &stem, const QString &suffix, QString *text, QString *error)
{
    QFile file(QStringLiteral(":/image/") + stem + suffix);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = QStringLiteral("template %1%2 not found").arg(stem, suffix);
        return false;
    }
    *text = QString::fromUtf8(file.readAll());
    return true;
}

bool renderOne(const QString &stem, const QString &suffix, QString *text, QString *error,
               const std::function<bool(QString &, QString *)> &edit)
{
    if (!readTemplate(stem, suffix, text, error))
        return false;
    QString failed;
    if (edit && !edit(*text, &failed)) {
        if (error)
            *error = QStringLiteral("%1%2: \"%3\" does not match").arg(stem, suffix, failed);
        return false;
    }
    return true;
}

QByteArray encoded(const QString &text)
{
#ifdef Q_OS_WIN
    QString native = text;
    native.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return native.toUtf8();
#else
    return text.toUtf8();
#endif
}

} // namespace

bool editClockSource(QString &text, const ClockConfig &config, QString *failedStep)
{
    return runSequence(text, config, clockSequence(series(config).family), failedStep);
}

bool editMainSource(QString &text, const ClockConfig &config, QString *failedStep)
{
    return runSequence(text, config, mainSequence(series(config).family), failedStep);
}

bool editConfHeader(QString &text, const ClockConfig &config, QString *failedStep)
{
    const QString value = QStringLiteral("((uint32_t)") +
                          QString::number(Summary::hextHertz(config.hextMHz)) + QLatin1Char(')');
    const bool ok = Markers::replaceEach(text, Markers::classic(str(kHextDefine)),
                                         [&](const QRegularExpressionMatch &m) -> QString {
                                             return m.captured(1) + value;
                                         }) > 0;
    if (!ok && failedStep)
        *failedStep = QStringLiteral("HEXT_VALUE");
    return ok;
}

QString hextGuard(const ClockConfig &config)
{
    if (!ClockRules::hextInUse(config))
        return QString();
    // The define carries a cast, which #if cannot evaluate: the check is made
    // by the compiler proper. C11 names the reason itself; before C11 a
    // negative array size does, through the typedef's name.
    const QString hertz = QString::number(Summary::hextHertz(config.hextMHz));
    return QStringLiteral(
               "\n/* the crystal this clock code was generated for */\n"
               "#if defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L\n"
               "_Static_assert(HEXT_VALUE == %1U, \"HEXT_VALUE differs from the %1 Hz crystal of the "
               "clock design\");\n"
               "#else\n"
               "typedef char HEXT_VALUE_differs_from_the_crystal_of_the_clock_design[(HEXT_VALUE == "
               "%1U) ? 1 : -1];\n"
               "#endif\n")
        .arg(hertz);
}

bool render(const ClockConfig &config, const QString &stem, Files *files, QString *error,
            const Options &options)
{
    auto with = [&config](bool (*edit)(QString &, const ClockConfig &, QString *)) {
        return [&config, edit](QString &text, QString *failed) {
            return edit(text, config, failed);
        };
    };
    const bool rendered =
        renderOne(stem, QStringLiteral("_clock.c"), &files->clockSource, error, with(editClockSource)) &&
        renderOne(stem, QStringLiteral("_clock.h"), &files->clockHeader, error, {}) &&
        renderOne(stem, QStringLiteral("_main.c"), &files->mainSource, error, with(editMainSource)) &&
        renderOne(stem, QStringLiteral("_conf.h"), &files->confHeader, error, with(editConfHeader));
    if (rendered && options.hextGuard)
        files->clockSource += hextGuard(config);
    return rendered;
}

QStringList outputFiles(const QString &stem)
{
    return {QStringLiteral("src/main.c"), QStringLiteral("src/") + stem + QStringLiteral("_clock.c"),
            QStringLiteral("inc/") + stem + QStringLiteral("_clock.h"),
            QStringLiteral("inc/") + stem + QStringLiteral("_conf.h")};
}

ClockConfig checkedCopy(const ClockConfig &config, ClockRules::Findings *findings)
{
    const ClockRules::Verdict verdict = ClockRules::judge(config);
    findings->clear();
    for (const ClockRules::Finding &finding : verdict.findings) {
        if (finding.isRefusal())
            findings->append(finding);
    }
    return verdict.record;
}

Result generate(const ClockConfig &config, const QString &inc, const QString &src, const QString &stem,
                const ConflictHandler &askOverwrite, const Options &options)
{
    Result result;
    const ClockConfig checked = checkedCopy(config, &result.findings);
    if (!result.findings.isEmpty()) {
        result.status = Status::Invalid;
        result.error = result.findings.first().text();
        return result;
    }
    Files files;
    if (!render(checked, stem, &files, &result.error, options)) {
        result.status = Status::Template;
        return result;
    }

    struct Output {
        QString name;
        QString path;
        const QString *text;
    };
    const Output outputs[] = {
        {stem + QStringLiteral("_clock.c"), src + QLatin1Char('/') + stem + QStringLiteral("_clock.c"),
         &files.clockSource},
        {stem + QStringLiteral("_clock.h"), inc + QLatin1Char('/') + stem + QStringLiteral("_clock.h"),
         &files.clockHeader},
        {QStringLiteral("main.c"), src + QStringLiteral("/main.c"), &files.mainSource},
        {stem + QStringLiteral("_conf.h"), inc + QLatin1Char('/') + stem + QStringLiteral("_conf.h"),
         &files.confHeader},
    };
    // Every question first, then the files agreed to are written all or none:
    // a "Cancel" keeps the files before it, as the question's order promises.
    bool replaceAll = false;
    QVector<OutputFile> writes;
    for (const Output &out : outputs) {
        if (QFileInfo::exists(out.path) && !replaceAll) {
            const ConflictAnswer answer = askOverwrite ? askOverwrite(out.name) : ConflictAnswer{};
            if (!answer.replace) {
                result.status = Status::NotReplaced;
                result.error = QStringLiteral("%1 was not replaced").arg(out.name);
                break;
            }
            replaceAll = answer.replaceAll;
        }
        writes.append({out.path, encoded(*out.text)});
    }
    if (!writeAllOrNone(writes, result.done() ? &result.error : nullptr))
        result.status = Status::WriteFailed;
    return result;
}

Result generateProject(const ClockConfig &config, const QString &dir, const QString &stem,
                       const ConflictHandler &askOverwrite, const Options &options)
{
    const QString inc = QDir(dir).filePath(QStringLiteral("inc"));
    const QString src = QDir(dir).filePath(QStringLiteral("src"));
    for (const QString &folder : {inc, src}) {
        if (!QDir().mkpath(folder)) // true for a folder already there, false for a file
            return {Status::NoFolder,
                    QCoreApplication::translate(
                        "Codegen", folder == inc
                                       ? QT_TRANSLATE_NOOP("Codegen", "Creating \"inc\" folder error!")
                                       : QT_TRANSLATE_NOOP("Codegen", "Creating \"src\" folder error!")),
                    {}};
    }
    return generate(config, inc, src, stem, askOverwrite, options);
}

} // namespace Codegen

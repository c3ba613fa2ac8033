/* The simulated clock unit. Every firmware-library call the generated files
   make is carried out on the register state below, logged in order, and
   checked against the chip's rules (kRules); a breach is a finding that names
   the call that made it. */

#define QX_PLL_NSMSFR
#define QX_CLKOUT_DUAL
#include "qx_crm.h"
#include "qx_flash.h"
#include "qx_gpio.h"
#include "qx_pwc.h"

#include "clocksim.h"

#include <stdarg.h>
#include <string.h>

/* the single-output calls, declared by the other families' headers */
void crm_clock_out_set(crm_clkout_select_type source);

/* A status read repeated this often in a row, or a loop turning this often,
   is a wait that never ends. Above every start-up timeout of the templates. */
#define TF_SIM_POLL_BOUND (1L << 26)
#define TF_SIM_CALLS 768
#define TF_SIM_FINDINGS 32
#define TF_SIM_NEVER (-1L)

/* ---- the chip's rules, each stated once ---------------------------------- */

enum
{
  RULE_SCLK_NOT_READY,
  RULE_CONSUMER_NOT_READY,
  RULE_UNSTARTED,
  RULE_WAIT_STATES,
  RULE_PLL_RUNNING,
  RULE_DIVIDER,
  RULE_ENDLESS_WAIT,
  RULE_RTC_RESET,
  RULE_RTC_SOURCE_FIXED,
  RULE_BYPASS_RUNNING,
  RULE_DOMAIN_LOCKED,
  RULE_DOMAIN_LEFT_OPEN,
  RULE_NO_BUS_CLOCK,
  RULE_COUNT
};

static const char *const kRules[RULE_COUNT] = {
  "system clock switched to a source that is not ready",
  "usb clock or pll fed from a clock that is not ready",
  "clock output or rtc takes a clock that was never started",
  "system clock above what the flash wait states, flash divider or ldo voltage allow",
  "pll factors, source or hext divider written while the pll runs",
  "divider or selection outside the series' list",
  "wait that never ends",
  "battery domain reset although the rtc already ran from the chosen source",
  "rtc source changed without a battery domain reset",
  "oscillator bypass written while the oscillator runs",
  "battery domain written without write access",
  "battery domain write access left open",
  "peripheral used while its bus clock is off"};

/* ---- the chip data of each series ---------------------------------------- */

typedef struct
{
  int id;
  double sclkMax;       /* MHz */
  double pllHickIn;     /* pll reference from hick, MHz */
  int hick48;           /* hick may run the system clock at 48 MHz */
  int hextDivSelect;    /* the pll's hext divider is chosen (2..5); else fixed at 2 */
  int rtcHextDiv;       /* hext divider of the rtc; 0: chosen by the ertc code */
  int waitStates;       /* the flash wait states must follow the system clock */
  int ldo;              /* ldo voltage and flash clock divider must follow it */
  int usbMaxHalves;     /* largest usb divider in halves; 0: no usb */
  int usbHick;          /* usb may run from hick 48 MHz */
  int adcDivs;          /* bit n: adc divider code n allowed */
  int clkoutHick48;     /* clock-out code 3 is hick at 48 MHz */
} chip_t;

/* adc divider codes: 2, 3, 4, 5, 6, 8, 12, 16 */
#define ADC_COMMON 0xf5
#define ADC_ALL 0xff

static const chip_t kChips[] = {
  /*  id  sclk   hickIn h48 hdiv rtc  ws ldo usb uh  adc        co48 */
  {2, 200.0, 4.0, 0, 0, 128, 0, 0, 8, 0, ADC_COMMON, 0},
  {4, 200.0, 4.0, 1, 0, 128, 0, 0, 8, 1, ADC_COMMON, 0},
  {5, 150.0, 4.0, 1, 0, 128, 1, 0, 8, 0, ADC_COMMON, 0},
  {7, 240.0, 4.0, 1, 1, 128, 0, 0, 8, 1, ADC_COMMON, 0},
  {8, 240.0, 4.0, 1, 1, 128, 0, 0, 8, 1, ADC_COMMON, 0},
  {9, 120.0, 4.0, 1, 0, 32, 1, 0, 0, 0, ADC_COMMON, 0},
  {13, 288.0, 8.0, 1, 0, 0, 0, 1, 14, 1, 0, 0},
  {14, 288.0, 8.0, 1, 0, 0, 0, 1, 14, 1, 0, 0},
  {15, 96.0, 4.0, 1, 0, 128, 1, 0, 8, 1, ADC_COMMON, 0},
  {16, 96.0, 4.0, 1, 0, 32, 1, 0, 0, 0, ADC_ALL, 1},
  {17, 150.0, 4.0, 1, 0, 128, 1, 0, 8, 0, ADC_COMMON, 0},
};

static const int kAhbDivs[] = {1, 2, 4, 8, 16, 64, 128, 256, 512};
static const int kApbDivs[] = {1, 2, 4, 8, 16};
static const int kFrDivs[] = {1, 2, 4, 8, 16, 32};
static const int kAdcDivs[] = {2, 3, 4, 5, 6, 8, 12, 16};

/* ---- the register state --------------------------------------------------- */

enum
{
  OSC_HICK = CRM_CLOCK_SOURCE_HICK,
  OSC_HEXT = CRM_CLOCK_SOURCE_HEXT,
  OSC_PLL = CRM_CLOCK_SOURCE_PLL,
  OSC_LEXT = CRM_CLOCK_SOURCE_LEXT,
  OSC_LICK = CRM_CLOCK_SOURCE_LICK,
  OSC_COUNT
};

typedef struct
{
  int port, pin, mux; /* -1: not configured */
  int sel, div1, div2, selected, divided;
  int oscillator, selectedBy; /* what the selection needs, and the call that made it */
} clkout_t;

typedef struct
{
  const chip_t *chip;
  tf_sim_setup setup;
  int on[OSC_COUNT], ready[OSC_COUNT], everOn[OSC_COUNT];
  long polls[OSC_COUNT], startAfter[OSC_COUNT];
  int hextBypass, lextBypass, hick48;
  int sclkStatus;
  double bootPllMHz; /* the bootloader's pll until it is configured again */
  int pllKind, pllSource, pllMult, pllNs, pllMs, pllFr, hextDiv;
  int ahbDiv, apb1Div, apb2Div, usbHalves, usbSource;
  int flashWait, flashDiv3, ldo;
  unsigned periph; /* bit per crm_periph_clock_type */
  int domainOpen, domainOpenedBy, rtcSource, rtcOn, resetFrom, resetCall;
  int adcDiv, i2cSource, usart1, usart2, usartSet;
  clkout_t out[2];
  int gpioPort, gpioPin; /* the last gpio_init of a mux pin */
  unsigned failures;     /* bit per crm_clock_source_type reported to the application */
  char calls[TF_SIM_CALLS][72];
  long repeats[TF_SIM_CALLS];
  int callCount;
  long samePolls;
  int pollKey, pollCall;
  const char *loopCondition;
  long loopTurns;
  int findingRule[TF_SIM_FINDINGS], findingCall[TF_SIM_FINDINGS], findingCount;
} sim_t;

static sim_t s;
jmp_buf tf_sim_exit;
uint32_t system_core_clock;
gpio_type qx_gpioa, qx_gpiob, qx_gpioc, qx_gpiod, qx_gpioe, qx_gpiof, qx_gpiog, qx_gpioh;

/* ---- log and findings ----------------------------------------------------- */

static void logCall(const char *format, ...)
{
  char text[72];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof text, format, args);
  va_end(args);
  if(s.callCount > 0 && s.callCount <= TF_SIM_CALLS && strcmp(s.calls[s.callCount - 1], text) == 0)
  {
    s.repeats[s.callCount - 1]++;
    return;
  }
  s.samePolls = 0;
  if(s.callCount < TF_SIM_CALLS)
  {
    strcpy(s.calls[s.callCount], text);
    s.repeats[s.callCount] = 1;
  }
  s.callCount++;
}

static int lastCall(void) { return s.callCount - 1; }

static void findingAt(int rule, int call)
{
  int i;
  for(i = 0; i < s.findingCount; i++)
  {
    if(s.findingRule[i] == rule && s.findingCall[i] == call)
      return;
  }
  if(s.findingCount < TF_SIM_FINDINGS)
  {
    s.findingRule[s.findingCount] = rule;
    s.findingCall[s.findingCount] = call;
    s.findingCount++;
  }
}

static void finding(int rule) { findingAt(rule, lastCall()); }

/* A status read: repeated past the bound without any other call, the wait never ends. */
static void poll(void)
{
  if(++s.samePolls > TF_SIM_POLL_BOUND)
  {
    finding(RULE_ENDLESS_WAIT);
    longjmp(tf_sim_exit, TF_SIM_ENDED_ABORTED);
  }
}

/* ---- clocks ---------------------------------------------------------------- */

static double hickSclkMHz(void) { return s.hick48 ? 48.0 : 8.0; }

static double pllMHz(void)
{
  double in;
  if(s.bootPllMHz > 0.0)
    return s.bootPllMHz;
  if(s.pllSource == CRM_PLL_SOURCE_HICK)
    in = s.chip->pllHickIn;
  else if(s.pllSource == CRM_PLL_SOURCE_HEXT_DIV)
    in = s.setup.hextHz / 1e6 / (s.chip->hextDivSelect ? s.hextDiv : 2);
  else
    in = s.setup.hextHz / 1e6;
  if(s.pllKind == TF_PLL_MULT)
    return in * s.pllMult;
  return in * s.pllNs / (s.pllMs * s.pllFr);
}

static double sclkMHz(void)
{
  if(s.sclkStatus == CRM_SCLK_PLL)
    return pllMHz();
  if(s.sclkStatus == CRM_SCLK_HEXT)
    return s.setup.hextHz / 1e6;
  return hickSclkMHz();
}

static int neededWaitStates(double mhz)
{
  return mhz <= 32.0 ? 0 : mhz <= 64.0 ? 1 : mhz <= 96.0 ? 2 : mhz <= 128.0 ? 3 : 4;
}

static int neededLdo(double mhz) { return mhz > 240.0 ? 3 : mhz > 192.0 ? 2 : mhz > 144.0 ? 1 : 0; }

/* After every call that may raise the system clock or lower what it needs. */
static void checkFlashAndPower(void)
{
  const double mhz = sclkMHz() + 1e-9;
  if(s.chip->waitStates && s.flashWait < neededWaitStates(mhz - 2e-9))
    finding(RULE_WAIT_STATES);
  if(s.chip->ldo && (s.ldo < neededLdo(mhz - 2e-9) || (mhz - 2e-9 > 240.0 && !s.flashDiv3)))
    finding(RULE_WAIT_STATES);
}

static void oscillatorOn(int osc, int on)
{
  s.on[osc] = on;
  if(on)
    s.everOn[osc] = 1;
  if(!on || s.polls[osc] >= 0)
  {
    s.ready[osc] = on && s.startAfter[osc] == 0;
    s.polls[osc] = 0;
  }
}

static int oscillatorReady(int osc)
{
  if(s.on[osc] && !s.ready[osc] && s.startAfter[osc] != TF_SIM_NEVER && ++s.polls[osc] >= s.startAfter[osc])
    s.ready[osc] = 1;
  return s.ready[osc];
}

static int domainWritable(void)
{
  if(!s.domainOpen)
    finding(RULE_DOMAIN_LOCKED);
  return s.domainOpen;
}

static int divByCode(int code, const int *list, int count)
{
  if(code < 0 || code >= count)
  {
    finding(RULE_DIVIDER);
    return 0;
  }
  return list[code];
}

/* ---- run control ------------------------------------------------------------ */

static const chip_t *chipOf(int id)
{
  size_t i;
  for(i = 0; i < sizeof kChips / sizeof kChips[0]; i++)
  {
    if(kChips[i].id == id)
      return &kChips[i];
  }
  return &kChips[0];
}

void tf_sim_begin(const tf_sim_setup *setup)
{
  memset(&s, 0, sizeof s);
  s.setup = *setup;
  s.chip = chipOf(setup->series);
  s.startAfter[OSC_HICK] = 0;
  s.startAfter[OSC_HEXT] = setup->flags & TF_SIM_HEXT_DEAD ? TF_SIM_NEVER : 40;
  s.startAfter[OSC_PLL] = setup->flags & TF_SIM_PLL_DEAD ? TF_SIM_NEVER : 8;
  s.startAfter[OSC_LEXT] = setup->flags & TF_SIM_LEXT_DEAD ? TF_SIM_NEVER : 2000;
  s.startAfter[OSC_LICK] = 5;
  s.on[OSC_HICK] = s.ready[OSC_HICK] = s.everOn[OSC_HICK] = 1;
  s.sclkStatus = CRM_SCLK_HICK;
  s.pllKind = TF_PLL_MULT;
  s.pllMult = 2;
  s.pllNs = 31;
  s.pllMs = s.pllFr = 1;
  s.hextDiv = 2;
  s.ahbDiv = s.apb1Div = s.apb2Div = 1;
  s.usbHalves = 2;
  s.usbSource = CRM_USB_CLOCK_SOURCE_PLL;
  s.adcDiv = s.i2cSource = s.usart1 = s.usart2 = -1;
  s.out[0].port = s.out[1].port = -1;
  s.out[0].sel = s.out[1].sel = -1;
  s.gpioPort = -1;
  s.rtcSource = CRM_ERTC_CLOCK_NOCLK;
  s.resetFrom = -1;
  s.domainOpenedBy = -1;
  if(setup->flags & TF_SIM_BOOTLOADER)
  {
    /* the bootloader's pll runs from hick at the series' highest clock */
    s.on[OSC_PLL] = s.ready[OSC_PLL] = s.everOn[OSC_PLL] = 1;
    s.pllSource = CRM_PLL_SOURCE_HICK;
    s.bootPllMHz = s.chip->sclkMax;
    s.sclkStatus = CRM_SCLK_PLL;
    s.apb1Div = s.apb2Div = 2;
    s.flashWait = 4;
    s.flashDiv3 = 1;
    s.ldo = 3;
    s.hick48 = 0;
  }
  if(setup->flags & TF_SIM_LEXT_RUNS)
  {
    s.on[OSC_LEXT] = s.everOn[OSC_LEXT] = s.ready[OSC_LEXT] = 1;
    s.lextBypass = setup->lextBypass;
  }
  if(setup->flags & TF_SIM_RTC_RUNS)
  {
    s.rtcSource = setup->rtcSource;
    s.rtcOn = 1;
    if(setup->rtcSource == CRM_ERTC_CLOCK_LEXT)
    {
      s.on[OSC_LEXT] = s.everOn[OSC_LEXT] = 1;
      s.ready[OSC_LEXT] = !(setup->flags & TF_SIM_LEXT_DEAD);
      s.lextBypass = setup->lextBypass;
    }
  }
}

int tf_sim_loop(const char *function, const char *condition)
{
  const size_t n = strlen(function);
  if(strcmp(condition, "1") == 0 && n >= 4 && strcmp(function + n - 4, "main") == 0)
    longjmp(tf_sim_exit, TF_SIM_ENDED_IN_MAIN_LOOP);
  if(condition != s.loopCondition)
  {
    s.loopCondition = condition;
    s.loopTurns = 0;
  }
  if(++s.loopTurns > TF_SIM_POLL_BOUND)
  {
    finding(RULE_ENDLESS_WAIT);
    longjmp(tf_sim_exit, TF_SIM_ENDED_ABORTED);
  }
  return 1;
}

void tf_sim_failure_reported(int source)
{
  logCall("clock_failure_handler(%d)", source);
  s.failures |= 1u << source;
}

static double busMHz(int div) { return sclkMHz() / s.ahbDiv / div; }

/* The oscillator a clock output selection needs (-1: none to start). Dual
   outputs: output 1 hick, lext, hext, pll; output 2 sclk, hext, pll, usb, hick,
   adc, lick, lext. Single: none, lick, lext, hick, hext, sclk, usb, adc, pll/2, pll/4. */
static int outputOscillator(int index, int code)
{
  static const int out1[] = {OSC_HICK, OSC_LEXT, OSC_HEXT, OSC_PLL};
  static const int out2[] = {-1, OSC_HEXT, OSC_PLL, -1, OSC_HICK, -1, OSC_LICK, OSC_LEXT};
  static const int single[] = {-1, OSC_LICK, OSC_LEXT, OSC_HICK, OSC_HEXT, -1, -1, -1, OSC_PLL, OSC_PLL};
  if(s.chip->ldo)
    return index == 0 ? out1[code & 3] : out2[code & 7];
  return code >= 0 && code < 10 ? single[code] : -1;
}

void tf_sim_finish(int ended, FILE *out)
{
  int i;
  const double ahb = sclkMHz() / s.ahbDiv;
  const double apb1 = busMHz(s.apb1Div), apb2 = busMHz(s.apb2Div);
  double usb = 0.0;
  if(ended == TF_SIM_ENDED_IN_MAIN_LOOP && s.domainOpen)
    findingAt(RULE_DOMAIN_LEFT_OPEN, s.domainOpenedBy);
  /* an output routed from a clock that does not run, unless the application was told */
  for(i = 0; i < 2 && ended == TF_SIM_ENDED_IN_MAIN_LOOP && !s.failures; i++)
  {
    if(s.out[i].selected && s.out[i].oscillator >= 0 && !s.ready[s.out[i].oscillator])
      findingAt(RULE_UNSTARTED, s.out[i].selectedBy);
  }
  if(s.chip->usbMaxHalves)
    usb = s.usbSource == CRM_USB_CLOCK_SOURCE_HICK ? 48.0 : pllMHz() * 2.0 / s.usbHalves;
  fprintf(out, "ended %d\n", ended);
  fprintf(out, "sclk %d %.6f\n", s.sclkStatus, sclkMHz());
  fprintf(out, "bus %.6f %.6f %.6f %.6f %.6f\n", ahb, apb1, apb1 * (s.apb1Div == 1 ? 1 : 2), apb2,
          apb2 * (s.apb2Div == 1 ? 1 : 2));
  fprintf(out, "usb %.6f %d\n", usb, s.usbSource);
  fprintf(out, "adc %.6f\n", s.adcDiv > 0 ? apb2 / s.adcDiv : 0.0);
  fprintf(out, "rtc %d %d\n", s.rtcOn ? s.rtcSource : -1,
          s.rtcOn && s.rtcSource != CRM_ERTC_CLOCK_NOCLK);
  for(i = 0; i < 2; i++)
  {
    fprintf(out, "clkout %d %d %d %d %d %d %d\n", i, s.out[i].port, s.out[i].pin, s.out[i].mux,
            s.out[i].selected ? s.out[i].sel : -1, s.out[i].divided ? s.out[i].div1 : 0,
            s.out[i].divided ? s.out[i].div2 : 0);
  }
  fprintf(out, "i2c %d usart %d %d\n", s.i2cSource, s.usart1, s.usart2);
  fprintf(out, "failures %u\n", s.failures);
  fprintf(out, "core %u\n", (unsigned)system_core_clock);
  for(i = 0; i < s.findingCount; i++)
  {
    const int call = s.findingCall[i];
    fprintf(out, "finding %d %d %s: %s\n", s.findingRule[i], call, kRules[s.findingRule[i]],
            call >= 0 && call < TF_SIM_CALLS ? s.calls[call] : "(start)");
  }
  fprintf(out, "calls %d\n", s.callCount);
  for(i = 0; i < s.callCount && i < TF_SIM_CALLS; i++)
    fprintf(out, "call %d %s x%ld\n", i, s.calls[i], s.repeats[i]);
  fprintf(out, "end\n");
}

/* ---- the firmware library: clock unit -------------------------------------- */

void crm_reset(void)
{
  logCall("crm_reset()");
  s.on[OSC_HICK] = s.ready[OSC_HICK] = 1;
  s.sclkStatus = CRM_SCLK_HICK;
  s.hick48 = 0;
  oscillatorOn(OSC_PLL, 0);
  oscillatorOn(OSC_HEXT, 0);
  s.hextBypass = 0;
  s.bootPllMHz = 0.0;
  s.pllKind = TF_PLL_MULT;
  s.pllSource = CRM_PLL_SOURCE_HICK;
  s.pllMult = 2;
  s.ahbDiv = s.apb1Div = s.apb2Div = 1;
  s.usbHalves = 2;
  s.usbSource = CRM_USB_CLOCK_SOURCE_PLL;
  s.out[0].sel = s.out[1].sel = -1;
  s.out[0].selected = s.out[1].selected = 0;
  checkFlashAndPower();
}

void crm_hext_bypass(confirm_state new_state)
{
  logCall("crm_hext_bypass(%d)", new_state);
  if(s.on[OSC_HEXT])
    finding(RULE_BYPASS_RUNNING);
  else
    s.hextBypass = new_state;
}

void crm_lext_bypass(confirm_state new_state)
{
  logCall("crm_lext_bypass(%d)", new_state);
  if(!domainWritable())
    return;
  if(s.on[OSC_LEXT])
    finding(RULE_BYPASS_RUNNING);
  else
    s.lextBypass = new_state;
}

void crm_clock_source_enable(crm_clock_source_type source, confirm_state new_state)
{
  const int osc = (int)source;
  logCall("crm_clock_source_enable(%d, %d)", source, new_state);
  if(osc < 0 || osc >= OSC_COUNT)
  {
    finding(RULE_DIVIDER);
    return;
  }
  if(osc == OSC_LEXT && !domainWritable())
    return;
  if(osc == OSC_PLL && new_state && !s.on[OSC_PLL])
  {
    const int ref = s.pllSource == CRM_PLL_SOURCE_HICK ? OSC_HICK : OSC_HEXT;
    if(!s.ready[ref] && !(s.everOn[ref] && s.startAfter[ref] == TF_SIM_NEVER))
      finding(RULE_CONSUMER_NOT_READY);
  }
  if(s.on[osc] == (int)new_state)
    return; /* already so: nothing changes */
  oscillatorOn(osc, new_state);
}

/* A poll repeating the last call only counts: no formatting in long waits. */
static int repeatedPoll(int key)
{
  if(s.pollKey == key + 1 && s.pollCall == s.callCount && s.callCount > 0)
  {
    if(s.callCount <= TF_SIM_CALLS)
      s.repeats[s.callCount - 1]++;
    return 1;
  }
  return 0;
}

static void pollLogged(int key)
{
  s.pollKey = key + 1;
  s.pollCall = s.callCount;
}

flag_status crm_flag_get(crm_flag_type flag)
{
  if(!repeatedPoll(flag))
  {
    logCall("crm_flag_get(%d)", flag);
    pollLogged(flag);
  }
  poll();
  if(flag < 0 || (int)flag >= OSC_COUNT)
    return RESET;
  return oscillatorReady(flag) ? SET : RESET;
}

error_status crm_hext_stable_wait(void)
{
  uint32_t n;
  logCall("crm_hext_stable_wait()");
  for(n = 0; n < s.setup.hextTimeout; n++)
  {
    poll();
    if(oscillatorReady(OSC_HEXT))
      return SUCCESS;
  }
  return ERROR;
}

void crm_hick_sclk_frequency_select(crm_hick_sclk_frequency_type value)
{
  logCall("crm_hick_sclk_frequency_select(%d)", value);
  if(!s.chip->hick48 && value != CRM_HICK_SCLK_8MHZ)
    finding(RULE_DIVIDER);
  else
    s.hick48 = value == CRM_HICK_SCLK_48MHZ;
  checkFlashAndPower();
}

void crm_hext_clock_div_set(crm_hext_div_type div)
{
  logCall("crm_hext_clock_div_set(%d)", div);
  if(!s.chip->hextDivSelect || div < CRM_HEXT_DIV_2 || div > CRM_HEXT_DIV_5)
    finding(RULE_DIVIDER);
  else if(s.on[OSC_PLL])
    finding(RULE_PLL_RUNNING);
  else
    s.hextDiv = 2 + (int)div;
}

void crm_ahb_div_set(crm_ahb_div_type div)
{
  logCall("crm_ahb_div_set(%d)", div);
  const int value = divByCode(div, kAhbDivs, 9);
  if(value)
    s.ahbDiv = value;
}

void crm_apb1_div_set(crm_apb1_div_type div)
{
  logCall("crm_apb1_div_set(%d)", div);
  const int value = divByCode(div, kApbDivs, 5);
  if(value)
    s.apb1Div = value;
}

void crm_apb2_div_set(crm_apb2_div_type div)
{
  logCall("crm_apb2_div_set(%d)", div);
  const int value = divByCode(div, kApbDivs, 5);
  if(value)
    s.apb2Div = value;
}

void crm_auto_step_mode_enable(confirm_state new_state) { logCall("crm_auto_step_mode_enable(%d)", new_state); }

void crm_sysclk_switch(crm_sclk_type value)
{
  static const int osc[] = {OSC_HICK, OSC_HEXT, OSC_PLL};
  logCall("crm_sysclk_switch(%d)", value);
  if(value < 0 || value > CRM_SCLK_PLL)
  {
    finding(RULE_DIVIDER);
    return;
  }
  if(!s.ready[osc[value]])
  {
    finding(RULE_SCLK_NOT_READY);
    return;
  }
  s.sclkStatus = value;
  checkFlashAndPower();
}

crm_sclk_type crm_sysclk_switch_status_get(void)
{
  logCall("crm_sysclk_switch_status_get()");
  poll();
  return (crm_sclk_type)s.sclkStatus;
}

void crm_usb_clock_div_set(crm_usb_div_type div)
{
  logCall("crm_usb_clock_div_set(%d)", div);
  if(div < 0 || (int)div + 2 > s.chip->usbMaxHalves)
    finding(RULE_DIVIDER);
  else
    s.usbHalves = (int)div + 2;
}

void crm_usb_clock_source_select(crm_usb_clock_source_type source)
{
  logCall("crm_usb_clock_source_select(%d)", source);
  if(source == CRM_USB_CLOCK_SOURCE_HICK && !s.chip->usbHick)
  {
    finding(RULE_DIVIDER);
    return;
  }
  if(!s.ready[source == CRM_USB_CLOCK_SOURCE_HICK ? OSC_HICK : OSC_PLL])
    finding(RULE_CONSUMER_NOT_READY);
  s.usbSource = source;
}

void crm_periph_clock_enable(crm_periph_clock_type value, confirm_state new_state)
{
  logCall("crm_periph_clock_enable(%d, %d)", value, new_state);
  if(new_state)
    s.periph |= 1u << value;
  else
    s.periph &= ~(1u << value);
}

void crm_battery_powered_domain_reset(confirm_state new_state)
{
  logCall("crm_battery_powered_domain_reset(%d)", new_state);
  if(!domainWritable() || !new_state)
    return;
  if(s.rtcOn && s.rtcSource != CRM_ERTC_CLOCK_NOCLK && s.resetFrom < 0)
  {
    s.resetFrom = s.rtcSource;
    s.resetCall = lastCall();
  }
  s.rtcOn = 0;
  s.rtcSource = CRM_ERTC_CLOCK_NOCLK;
  oscillatorOn(OSC_LEXT, 0);
  s.lextBypass = 0;
}

void crm_ertc_clock_select(crm_ertc_clock_type value)
{
  logCall("crm_ertc_clock_select(%d)", value);
  if(!domainWritable())
    return;
  if(value == CRM_ERTC_CLOCK_HEXT_DIV ? s.chip->rtcHextDiv == 0
                                      : value >= CRM_ERTC_CLOCK_HEXT_DIV_2 && s.chip->rtcHextDiv != 0)
  {
    finding(RULE_DIVIDER);
    return;
  }
  if((int)value == s.resetFrom)
    findingAt(RULE_RTC_RESET, s.resetCall);
  s.resetFrom = -1;
  if(s.rtcSource != CRM_ERTC_CLOCK_NOCLK && s.rtcSource != (int)value)
  {
    finding(RULE_RTC_SOURCE_FIXED);
    return;
  }
  s.rtcSource = value;
}

crm_ertc_clock_type crm_ertc_clock_source_get(void)
{
  logCall("crm_ertc_clock_source_get()");
  return s.rtcOn ? (crm_ertc_clock_type)s.rtcSource : CRM_ERTC_CLOCK_NOCLK;
}

void crm_ertc_clock_enable(confirm_state new_state)
{
  int osc;
  logCall("crm_ertc_clock_enable(%d)", new_state);
  if(!domainWritable())
    return;
  osc = s.rtcSource == CRM_ERTC_CLOCK_LEXT ? OSC_LEXT : s.rtcSource == CRM_ERTC_CLOCK_LICK ? OSC_LICK : OSC_HEXT;
  if(new_state && !s.failures && (s.rtcSource == CRM_ERTC_CLOCK_NOCLK || !s.everOn[osc]))
    finding(RULE_UNSTARTED);
  s.rtcOn = new_state;
}

void crm_adc_clock_div_set(crm_adc_div_type div)
{
  logCall("crm_adc_clock_div_set(%d)", div);
  if(div < 0 || div > CRM_ADC_DIV_16 || !(s.chip->adcDivs & (1 << div)))
    finding(RULE_DIVIDER);
  else
    s.adcDiv = kAdcDivs[div];
}

void crm_i2c1_clock_source_set(crm_i2c_clock_source_type value)
{
  logCall("crm_i2c1_clock_source_set(%d)", value);
  s.i2cSource = value;
}

static void usartSource(int *field, int value)
{
  if(value == CRM_USART_CLOCK_SOURCE_LEXT && !s.failures && !s.everOn[OSC_LEXT])
    finding(RULE_UNSTARTED);
  *field = value;
}

void crm_usart1_clock_source_set(crm_usart_clock_source_type value)
{
  logCall("crm_usart1_clock_source_set(%d)", value);
  usartSource(&s.usart1, value);
}

void crm_usart2_clock_source_set(crm_usart_clock_source_type value)
{
  logCall("crm_usart2_clock_source_set(%d)", value);
  usartSource(&s.usart2, value);
}

void tf_sim_pll_config(const char *call, int kind, int source, int mult, int range, int ns, int ms, int fr)
{
  logCall("%s(%d, %d, %d, %d, %d, %d)", call, source, mult, range, ns, ms, fr);
  (void)range;
  if(s.on[OSC_PLL])
  {
    finding(RULE_PLL_RUNNING);
    return;
  }
  if(source < CRM_PLL_SOURCE_HICK || source > CRM_PLL_SOURCE_HEXT_DIV ||
     (kind == TF_PLL_MULT && (mult < 0 || mult > CRM_PLL_MULT_64)) ||
     (kind == TF_PLL_NSMSFR && (fr < 0 || fr > CRM_PLL_FR_32 || ms < 1 || ms > 15 || ns < 31 || ns > 500)))
  {
    finding(RULE_DIVIDER);
    return;
  }
  s.bootPllMHz = 0.0;
  s.pllKind = kind;
  s.pllSource = source;
  s.pllMult = mult + 2;
  s.pllNs = ns;
  s.pllMs = ms;
  s.pllFr = kind == TF_PLL_NSMSFR ? kFrDivs[fr] : 1;
}

void tf_sim_clkout_select(const char *call, int index, int code)
{
  const int osc = outputOscillator(index, code);
  logCall("%s(%d)", call, code);
  if(code < 0 || code > (s.chip->ldo ? (index == 0 ? 3 : 7) : 9))
  {
    finding(RULE_DIVIDER);
    return;
  }
  s.out[index].oscillator = osc;
  s.out[index].selectedBy = lastCall();
  s.out[index].sel = code;
  s.out[index].selected = 1;
}

void tf_sim_clkout_div(const char *call, int index, int div1, int div2)
{
  logCall("%s(%d, %d, %d)", call, index, div1, div2);
  if(index < 0 || index > 1 || div1 < 0 || div1 > 4 || div2 < 0 || div2 > 8)
  {
    finding(RULE_DIVIDER);
    return;
  }
  s.out[index].div1 = div1 + 1;
  s.out[index].div2 = kAhbDivs[div2];
  s.out[index].divided = 1;
}

void crm_clock_out1_set(crm_clkout1_select_type source) { tf_sim_clkout_select("crm_clock_out1_set", 0, source); }
void crm_clock_out2_set(crm_clkout2_select_type source) { tf_sim_clkout_select("crm_clock_out2_set", 1, source); }
void crm_clock_out_set(crm_clkout_select_type source) { tf_sim_clkout_select("crm_clock_out_set", 0, source); }

/* ---- flash, power, gpio ------------------------------------------------------ */

void flash_psr_set(flash_wait_cycle_type cycle)
{
  logCall("flash_psr_set(%d)", cycle);
  if(!s.chip->waitStates || cycle < FLASH_WAIT_CYCLE_0 || cycle > FLASH_WAIT_CYCLE_4)
  {
    finding(RULE_DIVIDER);
    return;
  }
  s.flashWait = cycle;
  checkFlashAndPower();
}

void flash_clock_divider_set(flash_clock_divider_type div)
{
  logCall("flash_clock_divider_set(%d)", div);
  if(!s.chip->ldo)
    finding(RULE_DIVIDER);
  s.flashDiv3 = div == FLASH_CLOCK_DIV_3;
  checkFlashAndPower();
}

void pwc_ldo_output_voltage_set(pwc_ldo_output_voltage_type voltage)
{
  logCall("pwc_ldo_output_voltage_set(%d)", voltage);
  if(!(s.periph & (1u << CRM_PWC_PERIPH_CLOCK)))
  {
    finding(RULE_NO_BUS_CLOCK);
    return;
  }
  if(!s.chip->ldo)
    finding(RULE_DIVIDER);
  s.ldo = voltage;
  checkFlashAndPower();
}

void pwc_battery_powered_domain_access(confirm_state new_state)
{
  logCall("pwc_battery_powered_domain_access(%d)", new_state);
  if(!(s.periph & (1u << CRM_PWC_PERIPH_CLOCK)))
  {
    finding(RULE_NO_BUS_CLOCK);
    return;
  }
  if(new_state && !s.domainOpen)
    s.domainOpenedBy = lastCall();
  s.domainOpen = new_state;
}

void system_core_clock_update(void)
{
  logCall("system_core_clock_update()");
  system_core_clock = (uint32_t)(sclkMHz() / s.ahbDiv * 1e6 + 0.5);
}

static int portIndex(const gpio_type *port)
{
  const gpio_type *const ports[] = {&qx_gpioa, &qx_gpiob, &qx_gpioc, &qx_gpiod,
                                    &qx_gpioe, &qx_gpiof, &qx_gpiog, &qx_gpioh};
  int i;
  for(i = 0; i < 8; i++)
  {
    if(ports[i] == port)
      return i;
  }
  return -1;
}

static int pinIndex(uint32_t pins)
{
  int i;
  for(i = 0; i < 16; i++)
  {
    if(pins == (1u << i))
      return i;
  }
  return -1;
}

void gpio_default_para_init(gpio_init_type *gpio_init_struct)
{
  logCall("gpio_default_para_init()");
  memset(gpio_init_struct, 0, sizeof *gpio_init_struct);
  gpio_init_struct->gpio_pins = GPIO_PINS_ALL;
  gpio_init_struct->gpio_mode = GPIO_MODE_INPUT;
}

/* A mux pin of the clock output: output 2 (C330/C335) is on port C. */
static clkout_t *outputOfPin(int port)
{
  return s.chip->ldo && port == 2 ? &s.out[1] : &s.out[0];
}

void gpio_init(gpio_type *gpio_x, gpio_init_type *gpio_init_struct)
{
  const int port = portIndex(gpio_x);
  const int pin = pinIndex(gpio_init_struct->gpio_pins);
  logCall("gpio_init(%d, %d, %d)", port, pin, gpio_init_struct->gpio_mode);
  if(port < 0 || !(s.periph & (1u << port)))
  {
    finding(RULE_NO_BUS_CLOCK);
    return;
  }
  if(gpio_init_struct->gpio_mode == GPIO_MODE_MUX && pin >= 0)
  {
    clkout_t *o = outputOfPin(port);
    o->port = port;
    o->pin = pin;
    o->mux = 0;
  }
}

void gpio_pin_mux_config(gpio_type *gpio_x, gpio_pins_source_type gpio_pin_source, gpio_mux_sel_type gpio_mux)
{
  const int port = portIndex(gpio_x);
  clkout_t *o = outputOfPin(port);
  logCall("gpio_pin_mux_config(%d, %d, %d)", port, gpio_pin_source, gpio_mux);
  if(port < 0 || !(s.periph & (1u << port)))
  {
    finding(RULE_NO_BUS_CLOCK);
    return;
  }
  if(o->port == port && o->pin == (int)gpio_pin_source)
    o->mux = gpio_mux;
}

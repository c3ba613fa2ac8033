/* The simulated clock unit: the firmware-library calls of the generated clock
   set-up, carried out on a register state that checks the chip's rules.
   Plain C, compiled once with the host compiler and linked with generated
   projects (see SimRunner). */

#ifndef TF_CLOCKSIM_H
#define TF_CLOCKSIM_H

#include <setjmp.h>
#include <stdint.h>
#include <stdio.h>

/* What a run starts from and which oscillator is dead. */
enum
{
  TF_SIM_BOOTLOADER = 1,  /* a bootloader left the chip at its highest clock */
  TF_SIM_RTC_RUNS = 2,    /* the battery domain kept an rtc running from the design's source */
  TF_SIM_HEXT_DEAD = 4,   /* hext never becomes ready */
  TF_SIM_LEXT_DEAD = 8,   /* lext never becomes ready */
  TF_SIM_PLL_DEAD = 16,   /* the pll never locks */
  TF_SIM_LEXT_RUNS = 32   /* the battery domain kept lext running (an earlier firmware's) */
};

/* How one run ended. */
enum
{
  TF_SIM_ENDED_IN_MAIN_LOOP = 1, /* main reached its endless loop: the start-up is done */
  TF_SIM_ENDED_RETURNED,         /* the start-up routine returned (no main loop) */
  TF_SIM_ENDED_ABORTED           /* cut short: a wait that never ends */
};

typedef struct
{
  int series;          /* series id */
  int flags;           /* TF_SIM_* */
  uint32_t hextHz;     /* the crystal of the board, the design's HEXT_VALUE */
  uint32_t hextTimeout;/* HEXT_STARTUP_TIMEOUT of the conf header: polls of crm_hext_stable_wait */
  double lextKHz;
  double lickKHz;
  int rtcSource;       /* with TF_SIM_RTC_RUNS: the ertc clock code it runs from */
  int lextBypass;      /* with TF_SIM_RTC_RUNS on lext: the bypass the domain kept */
} tf_sim_setup;

/* Where a run leaves the generated code for good (main's loop, an endless wait). */
extern jmp_buf tf_sim_exit;

void tf_sim_begin(const tf_sim_setup *setup);
/* Guard of every loop of the generated code: counts the turns of the same loop
   and ends the run at main's endless loop or at a wait that never ends. */
int tf_sim_loop(const char *function, const char *condition);
/* Called after the start-up: end-of-run checks, then the state, the hook calls
   and the findings as lines on out. */
void tf_sim_finish(int ended, FILE *out);

/* The pll and clock-out calls differ between device families: each family's
   adapter (clocksim_family.h) forwards to these. */
enum
{
  TF_PLL_NSMSFR,
  TF_PLL_MULT
};
void tf_sim_pll_config(const char *call, int kind, int source, int mult, int range, int ns, int ms, int fr);
void tf_sim_clkout_div(const char *call, int index, int div1, int div2);
void tf_sim_clkout_select(const char *call, int index, int code);

/* the application's side of the hook the generated code calls when a clock
   does not start */
void tf_sim_failure_reported(int source);

#endif

/**
  **************************************************************************
  * @file     qxc300a_305_clock.c
  * @brief    system clock configuration of the QXC300A and QXC305
  **************************************************************************
  */

/* includes ------------------------------------------------------------------*/
#include "qxc300a_305_clock.h"

/**
  * @brief  the application's hook for a clock that did not start in time: the
  *         clock set-up then leaves the system clock on hick, where crm_reset
  *         put it, and the functions that start lext, lick or hext for the rtc
  *         or a clock output return without them. weak, so that the application
  *         may define its own (log the failure, retry, or take a safe state).
  * @param  source: the clock that did not become ready
  * @retval none
  */
CLOCK_WEAK void clock_failure_handler(crm_clock_source_type source)
{
  (void)source;
}

/**
  * @brief  waits for a ready flag, but no longer than the given count of polls:
  *         a crystal that never starts is reported instead of hanging the chip
  * @param  flag: the ready flag
  * @param  polls: the start-up timeout, in polls
  * @retval SET when the clock became ready, RESET when it did not in time
  */
flag_status clock_ready_wait(crm_flag_type flag, uint32_t polls)
{
  while(crm_flag_get(flag) != SET)
  {
    if(polls == 0)
    {
      return RESET;
    }
    polls--;
  }
  return SET;
}

/**
  * @brief  system clock config program
  * @note   the system clock is configured as follow:
  *         - system clock        = hick
  *         - system clock source = hick
  * @param  none
  * @retval none
  */
void system_clock_config(void)
{
  /* reset crm */
  crm_reset();

[#hext bypass]
  /* hext is driven by an external clock signal */
  crm_hext_bypass(TRUE);
[/#hext bypass]

[#enable hext]
  /* enable hext */
  crm_clock_source_enable(CRM_CLOCK_SOURCE_HEXT, TRUE);

  /* wait till hext is ready: crm_hext_stable_wait gives up after
     HEXT_STARTUP_TIMEOUT polls */
  if(crm_hext_stable_wait() == ERROR)
  {
    crm_clock_source_enable(CRM_CLOCK_SOURCE_HEXT, FALSE);
    system_core_clock_update();
    clock_failure_handler(CRM_CLOCK_SOURCE_HEXT);
    return;
  }
[/#enable hext]

[#enable hick]
  /* enable hick */
  crm_clock_source_enable(CRM_CLOCK_SOURCE_HICK, TRUE);

  /* wait till hick is ready */
  if(clock_ready_wait(CRM_HICK_STABLE_FLAG, HEXT_STARTUP_TIMEOUT) != SET)
  {
    system_core_clock_update();
    clock_failure_handler(CRM_CLOCK_SOURCE_HICK);
    return;
  }
[/#enable hick]

[#enable pll]
  /* config pll clock resource */
[#enable hextdiv]
  crm_hext_clock_div_set(CRM_HEXT_DIV_2);
[/#enable hextdiv]

  crm_pll_config(CRM_PLL_SOURCE_HEXT, CRM_PLL_MULT_30, CRM_PLL_OUTPUT_RANGE_GT72MHZ);

  /* enable pll */
  crm_clock_source_enable(CRM_CLOCK_SOURCE_PLL, TRUE);

  /* wait till pll is ready */
  if(clock_ready_wait(CRM_PLL_STABLE_FLAG, HEXT_STARTUP_TIMEOUT) != SET)
  {
    crm_clock_source_enable(CRM_CLOCK_SOURCE_PLL, FALSE);
    system_core_clock_update();
    clock_failure_handler(CRM_CLOCK_SOURCE_PLL);
    return;
  }
[/#enable pll]

  /* config ahbclk */
  crm_ahb_div_set(CRM_AHB_DIV_1);

  /* config apb2clk */
  crm_apb2_div_set(CRM_APB2_DIV_2);

  /* config apb1clk */
  crm_apb1_div_set(CRM_APB1_DIV_2);

[#enable auto step mode]
  /* enable auto step mode */
  crm_auto_step_mode_enable(TRUE);
[/#enable auto step mode]

[#pll sysclock]
  /* select pll as system clock source */
  crm_sysclk_switch(CRM_SCLK_PLL);

  /* wait till pll is used as system clock source */
  while(crm_sysclk_switch_status_get() != CRM_SCLK_PLL)
  {
  }
[/#pll sysclock]

[#hext sysclock]
  /* select hext as system clock source */
  crm_sysclk_switch(CRM_SCLK_HEXT);

  /* wait till hext is used as system clock source */
  while(crm_sysclk_switch_status_get() != CRM_SCLK_HEXT)
  {
  }
[/#hext sysclock]

[#hick sysclock]
[#hick48]
  /* hick runs the system clock at 48 mhz */
  crm_hick_sclk_frequency_select(CRM_HICK_SCLK_48MHZ);
[/#hick48]

  /* select hick as system clock source */
  crm_sysclk_switch(CRM_SCLK_HICK);

  /* wait till hick is used as system clock source */
  while(crm_sysclk_switch_status_get() != CRM_SCLK_HICK)
  {
  }
[/#hick sysclock]

[#disable auto step mode]
  /* disable auto step mode */
  crm_auto_step_mode_enable(FALSE);
[/#disable auto step mode]

[#pll usbclock]
  /* config usbclk from pll */
  crm_usb_clock_div_set(CRM_USB_DIV_4);
  crm_usb_clock_source_select(CRM_USB_CLOCK_SOURCE_PLL);
[/#pll usbclock]

[#hick usbclock]
  /* config usbclk from hick48 */
  crm_usb_clock_source_select(CRM_USB_CLOCK_SOURCE_HICK);
[/#hick usbclock]

  /* update system_core_clock global variable */
  system_core_clock_update();
}

/**
  **************************************************************************
  * @file     qxe020_clock.c
  * @brief    system clock configuration of the QXE020
  **************************************************************************
  */

/* includes ------------------------------------------------------------------*/
#include "qxe020_clock.h"

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
[#flash psr]
  /* config flash psr register */
  flash_psr_set(FLASH_WAIT_CYCLE_4);
[/#flash psr]

  /* reset crm */
  crm_reset();

[#hext bypass]
  /* hext is driven by an external clock signal */
  crm_hext_bypass(TRUE);
[/#hext bypass]

[#enable hext]
  /* enable hext */
  crm_clock_source_enable(CRM_CLOCK_SOURCE_HEXT, TRUE);

  /* wait till hext is ready */
  while(crm_hext_stable_wait() == ERROR)
  {
  }
[/#enable hext]

[#enable hick]
  /* enable hick */
  crm_clock_source_enable(CRM_CLOCK_SOURCE_HICK, TRUE);

  /* wait till hick is ready */
  while(crm_flag_get(CRM_HICK_STABLE_FLAG) != SET)
  {
  }
[/#enable hick]

[#enable pll]
  /* config pll clock resource */
[#pll normal]
  crm_pll_config(CRM_PLL_SOURCE_HEXT, CRM_PLL_MULT_18);
[/#pll normal]

[#pll flexible]
  crm_pll_config2(CRM_PLL_SOURCE_HEXT, 72, 1, CRM_PLL_FR_4);
[/#pll flexible]

  /* enable pll */
  crm_clock_source_enable(CRM_CLOCK_SOURCE_PLL, TRUE);

  /* wait till pll is ready */
  while(crm_flag_get(CRM_PLL_STABLE_FLAG) != SET)
  {
  }
[/#enable pll]

  /* config ahbclk */
  crm_ahb_div_set(CRM_AHB_DIV_1);

  /* config apb2clk */
  crm_apb2_div_set(CRM_APB2_DIV_2);

  /* config apb1clk */
  crm_apb1_div_set(CRM_APB1_DIV_2);

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

  /* update system_core_clock global variable */
  system_core_clock_update();
}

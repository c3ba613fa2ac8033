/**
  **************************************************************************
  * @file     main.c
  * @brief    main program of the QXC315 clock project
  **************************************************************************
  */

/* includes ------------------------------------------------------------------*/
#include "qxc315_clock.h"

[#clkout function]
/**
  * @brief  clock output init
  * @param  none
  * @retval none
  */
void mx_clkout_init(void)
{
  gpio_init_type gpio_init_struct;

  /* enable the clock of the pin's port */
  crm_periph_clock_enable(CRM_GPIOA_PERIPH_CLOCK, TRUE);

  gpio_default_para_init(&gpio_init_struct);
  gpio_init_struct.gpio_drive_strength = GPIO_DRIVE_STRENGTH_STRONGER;
  gpio_init_struct.gpio_out_type = GPIO_OUTPUT_PUSH_PULL;
  gpio_init_struct.gpio_mode = GPIO_MODE_MUX;
  gpio_init_struct.gpio_pins = GPIO_PINS_8;
  gpio_init_struct.gpio_pull = GPIO_PULL_NONE;
  gpio_init(GPIOA, &gpio_init_struct);

[#clkout lick]
  /* the pin takes lick, which nothing else starts */
  crm_clock_source_enable(CRM_CLOCK_SOURCE_LICK, TRUE);
  if(clock_ready_wait(CRM_LICK_STABLE_FLAG, HEXT_STARTUP_TIMEOUT) != SET)
  {
   crm_clock_source_enable(CRM_CLOCK_SOURCE_LICK, FALSE);
   clock_failure_handler(CRM_CLOCK_SOURCE_LICK);
    return;
  }

[/#clkout lick]
[#clkout lext]
  /* the pin takes lext, which nothing else starts; it lives in the battery
     powered domain and may run already */
  crm_periph_clock_enable(CRM_PWC_PERIPH_CLOCK, TRUE);
  pwc_battery_powered_domain_access(TRUE);
  if(crm_flag_get(CRM_LEXT_STABLE_FLAG) != SET)
  {
[#lext bypass]
    crm_lext_bypass(TRUE);
[/#lext bypass]
    crm_clock_source_enable(CRM_CLOCK_SOURCE_LEXT, TRUE);
    if(clock_ready_wait(CRM_LEXT_STABLE_FLAG, LEXT_STARTUP_TIMEOUT) != SET)
    {
      crm_clock_source_enable(CRM_CLOCK_SOURCE_LEXT, FALSE);
  pwc_battery_powered_domain_access(FALSE);
      clock_failure_handler(CRM_CLOCK_SOURCE_LEXT);
      return;
    }
  }
  pwc_battery_powered_domain_access(FALSE);

[/#clkout lext]
  /* select the output clock */
  crm_clock_out_set(CRM_CLKOUT_SCLK);
  crm_clkout_div_set(CRM_CLKOUT_DIV_1);
}
[/#clkout function]

[#rtc function]
/**
  * @brief  rtc clock init
  * @param  none
  * @retval none
  */
void mx_rtc_clock_init(void)
{
  /* the rtc clock lives in the battery powered domain */
  crm_periph_clock_enable(CRM_PWC_PERIPH_CLOCK, TRUE);
  pwc_battery_powered_domain_access(TRUE);

  /* the domain keeps the rtc running through a reset: it is reset (which
     erases the rtc time and the backup registers) only to change the source */
[#rtc lick]
  if(crm_ertc_clock_source_get() != CRM_ERTC_CLOCK_LICK)
  {
    crm_battery_powered_domain_reset(TRUE);
    crm_battery_powered_domain_reset(FALSE);
    crm_ertc_clock_select(CRM_ERTC_CLOCK_LICK);
  }

  /* lick clocks the rtc */
  crm_clock_source_enable(CRM_CLOCK_SOURCE_LICK, TRUE);
  if(clock_ready_wait(CRM_LICK_STABLE_FLAG, HEXT_STARTUP_TIMEOUT) != SET)
  {
    crm_clock_source_enable(CRM_CLOCK_SOURCE_LICK, FALSE);
  pwc_battery_powered_domain_access(FALSE);
    clock_failure_handler(CRM_CLOCK_SOURCE_LICK);
    return;
  }

[/#rtc lick]
[#rtc lext]
  if(crm_ertc_clock_source_get() != CRM_ERTC_CLOCK_LEXT)
  {
    crm_battery_powered_domain_reset(TRUE);
    crm_battery_powered_domain_reset(FALSE);
[#lext bypass]
    crm_lext_bypass(TRUE);
[/#lext bypass]
    crm_ertc_clock_select(CRM_ERTC_CLOCK_LEXT);
  }

  /* lext clocks the rtc */
  crm_clock_source_enable(CRM_CLOCK_SOURCE_LEXT, TRUE);
  if(clock_ready_wait(CRM_LEXT_STABLE_FLAG, LEXT_STARTUP_TIMEOUT) != SET)
  {
    crm_clock_source_enable(CRM_CLOCK_SOURCE_LEXT, FALSE);
  pwc_battery_powered_domain_access(FALSE);
    clock_failure_handler(CRM_CLOCK_SOURCE_LEXT);
    return;
  }

[/#rtc lext]
[#rtc hext]
  if(crm_ertc_clock_source_get() != CRM_ERTC_CLOCK_HEXT_DIV)
  {
    crm_battery_powered_domain_reset(TRUE);
    crm_battery_powered_domain_reset(FALSE);
    crm_ertc_clock_select(CRM_ERTC_CLOCK_HEXT_DIV);
  }

  /* divided hext clocks the rtc; the system clock may run it already */
  if(crm_flag_get(CRM_HEXT_STABLE_FLAG) != SET)
  {
[#hext bypass]
    crm_hext_bypass(TRUE);
[/#hext bypass]
    crm_clock_source_enable(CRM_CLOCK_SOURCE_HEXT, TRUE);
    if(crm_hext_stable_wait() == ERROR)
    {
      crm_clock_source_enable(CRM_CLOCK_SOURCE_HEXT, FALSE);
      pwc_battery_powered_domain_access(FALSE);
      clock_failure_handler(CRM_CLOCK_SOURCE_HEXT);
      return;
    }
  }

[/#rtc hext]
[#rtc clkout lext]
  /* a clock output takes lext: started after the domain was settled above */
  if(crm_flag_get(CRM_LEXT_STABLE_FLAG) != SET)
  {
[#lext bypass]
    crm_lext_bypass(TRUE);
[/#lext bypass]
    crm_clock_source_enable(CRM_CLOCK_SOURCE_LEXT, TRUE);
    if(clock_ready_wait(CRM_LEXT_STABLE_FLAG, LEXT_STARTUP_TIMEOUT) != SET)
    {
      crm_clock_source_enable(CRM_CLOCK_SOURCE_LEXT, FALSE);
  pwc_battery_powered_domain_access(FALSE);
      clock_failure_handler(CRM_CLOCK_SOURCE_LEXT);
      return;
    }
  }

[/#rtc clkout lext]
  /* enable the rtc clock */
  crm_ertc_clock_enable(TRUE);

  /* close the battery powered domain again against stray writes */
  pwc_battery_powered_domain_access(FALSE);
}
[/#rtc function]

[#adc function]
/**
  * @brief  adc clock init
  * @param  none
  * @retval none
  */
void mx_adc_clock_init(void)
{
  /* adcclk is apb2clk divided by this value */
  crm_adc_clock_div_set(CRM_ADC_DIV_2);
}
[/#adc function]

/**
  * @brief  main program
  * @param  none
  * @retval none
  */
int main(void)
{
  /* the system clock first, then the clocks of the selected functions */
  system_clock_config();
  mx_clkout_init();
  mx_rtc_clock_init();
  mx_adc_clock_init();
  while(1)
  {
  }
}

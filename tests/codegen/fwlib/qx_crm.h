/* Test stand-in for the firmware library: declarations only. */

#ifndef QX_CRM_H
#define QX_CRM_H

#include "qx_types.h"

typedef enum
{
  CRM_CLOCK_SOURCE_HICK,
  CRM_CLOCK_SOURCE_HEXT,
  CRM_CLOCK_SOURCE_PLL,
  CRM_CLOCK_SOURCE_LEXT,
  CRM_CLOCK_SOURCE_LICK
} crm_clock_source_type;

typedef enum
{
  CRM_HICK_STABLE_FLAG,
  CRM_HEXT_STABLE_FLAG,
  CRM_PLL_STABLE_FLAG,
  CRM_LEXT_STABLE_FLAG,
  CRM_LICK_STABLE_FLAG
} crm_flag_type;

typedef enum
{
  CRM_PLL_SOURCE_HICK,
  CRM_PLL_SOURCE_HEXT,
  CRM_PLL_SOURCE_HEXT_DIV
} crm_pll_clock_source_type;

typedef enum
{
  CRM_PLL_FR_1,
  CRM_PLL_FR_2,
  CRM_PLL_FR_4,
  CRM_PLL_FR_8,
  CRM_PLL_FR_16,
  CRM_PLL_FR_32
} crm_pll_fr_type;

typedef enum
{
  CRM_PLL_MULT_2,
  CRM_PLL_MULT_3,
  CRM_PLL_MULT_4,
  CRM_PLL_MULT_5,
  CRM_PLL_MULT_6,
  CRM_PLL_MULT_7,
  CRM_PLL_MULT_8,
  CRM_PLL_MULT_9,
  CRM_PLL_MULT_10,
  CRM_PLL_MULT_11,
  CRM_PLL_MULT_12,
  CRM_PLL_MULT_13,
  CRM_PLL_MULT_14,
  CRM_PLL_MULT_15,
  CRM_PLL_MULT_16,
  CRM_PLL_MULT_17,
  CRM_PLL_MULT_18,
  CRM_PLL_MULT_19,
  CRM_PLL_MULT_20,
  CRM_PLL_MULT_21,
  CRM_PLL_MULT_22,
  CRM_PLL_MULT_23,
  CRM_PLL_MULT_24,
  CRM_PLL_MULT_25,
  CRM_PLL_MULT_26,
  CRM_PLL_MULT_27,
  CRM_PLL_MULT_28,
  CRM_PLL_MULT_29,
  CRM_PLL_MULT_30,
  CRM_PLL_MULT_31,
  CRM_PLL_MULT_32,
  CRM_PLL_MULT_33,
  CRM_PLL_MULT_34,
  CRM_PLL_MULT_35,
  CRM_PLL_MULT_36,
  CRM_PLL_MULT_37,
  CRM_PLL_MULT_38,
  CRM_PLL_MULT_39,
  CRM_PLL_MULT_40,
  CRM_PLL_MULT_41,
  CRM_PLL_MULT_42,
  CRM_PLL_MULT_43,
  CRM_PLL_MULT_44,
  CRM_PLL_MULT_45,
  CRM_PLL_MULT_46,
  CRM_PLL_MULT_47,
  CRM_PLL_MULT_48,
  CRM_PLL_MULT_49,
  CRM_PLL_MULT_50,
  CRM_PLL_MULT_51,
  CRM_PLL_MULT_52,
  CRM_PLL_MULT_53,
  CRM_PLL_MULT_54,
  CRM_PLL_MULT_55,
  CRM_PLL_MULT_56,
  CRM_PLL_MULT_57,
  CRM_PLL_MULT_58,
  CRM_PLL_MULT_59,
  CRM_PLL_MULT_60,
  CRM_PLL_MULT_61,
  CRM_PLL_MULT_62,
  CRM_PLL_MULT_63,
  CRM_PLL_MULT_64
} crm_pll_mult_type;

typedef enum
{
  CRM_PLL_OUTPUT_RANGE_LE72MHZ,
  CRM_PLL_OUTPUT_RANGE_GT72MHZ
} crm_pll_output_range_type;

typedef enum
{
  CRM_HEXT_DIV_2,
  CRM_HEXT_DIV_3,
  CRM_HEXT_DIV_4,
  CRM_HEXT_DIV_5
} crm_hext_div_type;

typedef enum
{
  CRM_SCLK_HICK,
  CRM_SCLK_HEXT,
  CRM_SCLK_PLL
} crm_sclk_type;

typedef enum
{
  CRM_AHB_DIV_1,
  CRM_AHB_DIV_2,
  CRM_AHB_DIV_4,
  CRM_AHB_DIV_8,
  CRM_AHB_DIV_16,
  CRM_AHB_DIV_64,
  CRM_AHB_DIV_128,
  CRM_AHB_DIV_256,
  CRM_AHB_DIV_512
} crm_ahb_div_type;

typedef enum
{
  CRM_APB1_DIV_1,
  CRM_APB1_DIV_2,
  CRM_APB1_DIV_4,
  CRM_APB1_DIV_8,
  CRM_APB1_DIV_16
} crm_apb1_div_type;

typedef enum
{
  CRM_APB2_DIV_1,
  CRM_APB2_DIV_2,
  CRM_APB2_DIV_4,
  CRM_APB2_DIV_8,
  CRM_APB2_DIV_16
} crm_apb2_div_type;

typedef enum
{
  CRM_USB_DIV_1,
  CRM_USB_DIV_1_5,
  CRM_USB_DIV_2,
  CRM_USB_DIV_2_5,
  CRM_USB_DIV_3,
  CRM_USB_DIV_3_5,
  CRM_USB_DIV_4,
  CRM_USB_DIV_4_5,
  CRM_USB_DIV_5,
  CRM_USB_DIV_5_5,
  CRM_USB_DIV_6,
  CRM_USB_DIV_6_5,
  CRM_USB_DIV_7
} crm_usb_div_type;

typedef enum
{
  CRM_USB_CLOCK_SOURCE_PLL,
  CRM_USB_CLOCK_SOURCE_HICK
} crm_usb_clock_source_type;

typedef enum
{
  CRM_HICK_SCLK_8MHZ,
  CRM_HICK_SCLK_48MHZ
} crm_hick_sclk_frequency_type;

typedef enum
{
  CRM_GPIOA_PERIPH_CLOCK,
  CRM_GPIOB_PERIPH_CLOCK,
  CRM_GPIOC_PERIPH_CLOCK,
  CRM_GPIOD_PERIPH_CLOCK,
  CRM_GPIOE_PERIPH_CLOCK,
  CRM_GPIOF_PERIPH_CLOCK,
  CRM_GPIOG_PERIPH_CLOCK,
  CRM_GPIOH_PERIPH_CLOCK,
  CRM_PWC_PERIPH_CLOCK
} crm_periph_clock_type;

typedef enum
{
  CRM_ERTC_CLOCK_NOCLK,
  CRM_ERTC_CLOCK_LEXT,
  CRM_ERTC_CLOCK_LICK,
  CRM_ERTC_CLOCK_HEXT_DIV,
  CRM_ERTC_CLOCK_HEXT_DIV_2,
  CRM_ERTC_CLOCK_HEXT_DIV_3,
  CRM_ERTC_CLOCK_HEXT_DIV_4,
  CRM_ERTC_CLOCK_HEXT_DIV_5,
  CRM_ERTC_CLOCK_HEXT_DIV_6,
  CRM_ERTC_CLOCK_HEXT_DIV_7,
  CRM_ERTC_CLOCK_HEXT_DIV_8,
  CRM_ERTC_CLOCK_HEXT_DIV_9,
  CRM_ERTC_CLOCK_HEXT_DIV_10,
  CRM_ERTC_CLOCK_HEXT_DIV_11,
  CRM_ERTC_CLOCK_HEXT_DIV_12,
  CRM_ERTC_CLOCK_HEXT_DIV_13,
  CRM_ERTC_CLOCK_HEXT_DIV_14,
  CRM_ERTC_CLOCK_HEXT_DIV_15,
  CRM_ERTC_CLOCK_HEXT_DIV_16,
  CRM_ERTC_CLOCK_HEXT_DIV_17,
  CRM_ERTC_CLOCK_HEXT_DIV_18,
  CRM_ERTC_CLOCK_HEXT_DIV_19,
  CRM_ERTC_CLOCK_HEXT_DIV_20,
  CRM_ERTC_CLOCK_HEXT_DIV_21,
  CRM_ERTC_CLOCK_HEXT_DIV_22,
  CRM_ERTC_CLOCK_HEXT_DIV_23,
  CRM_ERTC_CLOCK_HEXT_DIV_24,
  CRM_ERTC_CLOCK_HEXT_DIV_25,
  CRM_ERTC_CLOCK_HEXT_DIV_26,
  CRM_ERTC_CLOCK_HEXT_DIV_27,
  CRM_ERTC_CLOCK_HEXT_DIV_28,
  CRM_ERTC_CLOCK_HEXT_DIV_29,
  CRM_ERTC_CLOCK_HEXT_DIV_30,
  CRM_ERTC_CLOCK_HEXT_DIV_31
} crm_ertc_clock_type;

typedef enum
{
  CRM_ADC_DIV_2,
  CRM_ADC_DIV_3,
  CRM_ADC_DIV_4,
  CRM_ADC_DIV_5,
  CRM_ADC_DIV_6,
  CRM_ADC_DIV_8,
  CRM_ADC_DIV_12,
  CRM_ADC_DIV_16
} crm_adc_div_type;

typedef enum
{
  CRM_CLKOUT_NOCLK,
  CRM_CLKOUT_LICK,
  CRM_CLKOUT_LEXT,
  CRM_CLKOUT_HICK,
  CRM_CLKOUT_HEXT,
  CRM_CLKOUT_SCLK,
  CRM_CLKOUT_USB,
  CRM_CLKOUT_ADC,
  CRM_CLKOUT_PLL_DIV_2,
  CRM_CLKOUT_PLL_DIV_4
} crm_clkout_select_type;

typedef enum
{
  CRM_CLKOUT_DIV_1,
  CRM_CLKOUT_DIV_2,
  CRM_CLKOUT_DIV_4,
  CRM_CLKOUT_DIV_8,
  CRM_CLKOUT_DIV_16,
  CRM_CLKOUT_DIV_64,
  CRM_CLKOUT_DIV_128,
  CRM_CLKOUT_DIV_256,
  CRM_CLKOUT_DIV_512
} crm_clkout_div_type;

typedef enum
{
  CRM_CLKOUT1_HICK,
  CRM_CLKOUT1_LEXT,
  CRM_CLKOUT1_HEXT,
  CRM_CLKOUT1_PLL
} crm_clkout1_select_type;

typedef enum
{
  CRM_CLKOUT2_SCLK,
  CRM_CLKOUT2_HEXT,
  CRM_CLKOUT2_PLL,
  CRM_CLKOUT2_USB,
  CRM_CLKOUT2_HICK,
  CRM_CLKOUT2_ADCCLK,
  CRM_CLKOUT2_LICK,
  CRM_CLKOUT2_LEXT
} crm_clkout2_select_type;

typedef enum
{
  CRM_CLKOUT_INDEX_1,
  CRM_CLKOUT_INDEX_2
} crm_clkout_index_type;

typedef enum
{
  CRM_CLKOUT_DIV1_1,
  CRM_CLKOUT_DIV1_2,
  CRM_CLKOUT_DIV1_3,
  CRM_CLKOUT_DIV1_4,
  CRM_CLKOUT_DIV1_5
} crm_clkout_div1_type;

typedef enum
{
  CRM_CLKOUT_DIV2_1,
  CRM_CLKOUT_DIV2_2,
  CRM_CLKOUT_DIV2_4,
  CRM_CLKOUT_DIV2_8,
  CRM_CLKOUT_DIV2_16,
  CRM_CLKOUT_DIV2_64,
  CRM_CLKOUT_DIV2_128,
  CRM_CLKOUT_DIV2_256,
  CRM_CLKOUT_DIV2_512
} crm_clkout_div2_type;

typedef enum
{
  CRM_I2C1_CLOCK_SOURCE_PCLK,
  CRM_I2C1_CLOCK_SOURCE_SCLK,
  CRM_I2C1_CLOCK_SOURCE_HICK48
} crm_i2c_clock_source_type;

typedef enum
{
  CRM_USART_CLOCK_SOURCE_PCLK,
  CRM_USART_CLOCK_SOURCE_SCLK,
  CRM_USART_CLOCK_SOURCE_HICK48,
  CRM_USART_CLOCK_SOURCE_LEXT
} crm_usart_clock_source_type;

void crm_reset(void);
void crm_hext_bypass(confirm_state new_state);
void crm_lext_bypass(confirm_state new_state);
void crm_clock_source_enable(crm_clock_source_type source, confirm_state new_state);
flag_status crm_flag_get(crm_flag_type flag);
error_status crm_hext_stable_wait(void);
void crm_hick_sclk_frequency_select(crm_hick_sclk_frequency_type value);
void crm_hext_clock_div_set(crm_hext_div_type div);
void crm_ahb_div_set(crm_ahb_div_type div);
void crm_apb1_div_set(crm_apb1_div_type div);
void crm_apb2_div_set(crm_apb2_div_type div);
void crm_auto_step_mode_enable(confirm_state new_state);
void crm_sysclk_switch(crm_sclk_type value);
crm_sclk_type crm_sysclk_switch_status_get(void);
void crm_usb_clock_div_set(crm_usb_div_type div);
void crm_usb_clock_source_select(crm_usb_clock_source_type source);
void crm_periph_clock_enable(crm_periph_clock_type value, confirm_state new_state);
void crm_battery_powered_domain_reset(confirm_state new_state);
void crm_ertc_clock_select(crm_ertc_clock_type value);
/* the source the rtc runs from (the HEXT divider included where the series
   chooses it), CRM_ERTC_CLOCK_NOCLK while the rtc clock is off */
crm_ertc_clock_type crm_ertc_clock_source_get(void);
void crm_ertc_clock_enable(confirm_state new_state);
void crm_adc_clock_div_set(crm_adc_div_type div);
void crm_i2c1_clock_source_set(crm_i2c_clock_source_type value);
void crm_usart1_clock_source_set(crm_usart_clock_source_type value);
void crm_usart2_clock_source_set(crm_usart_clock_source_type value);

/* the pll set-up and the clock output differ between the device families */
#if defined(QX_PLL_NSMSFR)
void crm_pll_config(crm_pll_clock_source_type source, uint16_t pll_ns, uint16_t pll_ms, crm_pll_fr_type pll_fr);
#elif defined(QX_PLL_MULT_RANGE)
void crm_pll_config(crm_pll_clock_source_type source, crm_pll_mult_type mult, crm_pll_output_range_type range);
#elif defined(QX_PLL_SELECTABLE)
void crm_pll_config(crm_pll_clock_source_type source, crm_pll_mult_type mult);
void crm_pll_config2(crm_pll_clock_source_type source, uint16_t pll_ns, uint16_t pll_ms, crm_pll_fr_type pll_fr);
#else
#error "no device family selected"
#endif

#if defined(QX_CLKOUT_DUAL)
void crm_clock_out1_set(crm_clkout1_select_type source);
void crm_clock_out2_set(crm_clkout2_select_type source);
void crm_clkout_div_set(crm_clkout_index_type index, crm_clkout_div1_type div1, crm_clkout_div2_type div2);
#else
void crm_clock_out_set(crm_clkout_select_type source);
#if defined(QX_CLKOUT_DIV)
void crm_clkout_div_set(crm_clkout_div_type div);
#endif
#endif

#endif

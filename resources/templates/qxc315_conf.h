/**
  **************************************************************************
  * @file     qxc315_conf.h
  * @brief    firmware library configuration of the QXC315
  **************************************************************************
  */

/* define to prevent recursive inclusion -------------------------------------*/
#ifndef QXC315_CONF_H
#define QXC315_CONF_H

#ifdef __cplusplus
extern "C" {
#endif

/* external crystal frequency in hz; a build option may define its own */
#if !defined HEXT_VALUE
#define HEXT_VALUE               ((uint32_t)8000000)
#endif

/* loop count after which a hext that did not start counts as failed */
#define HEXT_STARTUP_TIMEOUT     ((uint16_t)0x3000)

/* loop count after which lext, which takes far longer to start, counts as
   failed; a build option may define its own */
#if !defined LEXT_STARTUP_TIMEOUT
#define LEXT_STARTUP_TIMEOUT     ((uint32_t)0x1000000)
#endif

/* internal high speed clock frequency in hz */
#define HICK_VALUE               ((uint32_t)48000000)

/* peripheral drivers: comment a switch out to leave its driver out */
#define CRM_MODULE_ENABLED
#ifdef CRM_MODULE_ENABLED
#include "qx_crm.h"
#endif

#define FLASH_MODULE_ENABLED
#ifdef FLASH_MODULE_ENABLED
#include "qx_flash.h"
#endif

#define GPIO_MODULE_ENABLED
#ifdef GPIO_MODULE_ENABLED
#include "qx_gpio.h"
#endif

#define PWC_MODULE_ENABLED
#ifdef PWC_MODULE_ENABLED
#include "qx_pwc.h"
#endif

#define MISC_MODULE_ENABLED
#ifdef MISC_MODULE_ENABLED
#include "qx_misc.h"
#endif

#define ERTC_MODULE_ENABLED
#ifdef ERTC_MODULE_ENABLED
#include "qx_ertc.h"
#endif

#define ADC_MODULE_ENABLED
#ifdef ADC_MODULE_ENABLED
#include "qx_adc.h"
#endif

#ifdef __cplusplus
}
#endif

#endif

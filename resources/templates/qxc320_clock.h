/**
  **************************************************************************
  * @file     qxc320_clock.h
  * @brief    header of the system clock configuration of the QXC320
  **************************************************************************
  */

/* define to prevent recursive inclusion -------------------------------------*/
#ifndef QXC320_CLOCK_H
#define QXC320_CLOCK_H

#ifdef __cplusplus
extern "C" {
#endif

/* includes ------------------------------------------------------------------*/
#include "qxc320.h"

/* the hook of a clock that does not start is weak where the compiler says so */
#if defined(__GNUC__) || defined(__clang__) || defined(__ARMCC_VERSION) || defined(__CC_ARM)
#define CLOCK_WEAK __attribute__((weak))
#elif defined(__ICCARM__)
#define CLOCK_WEAK __weak
#else
#define CLOCK_WEAK
#endif

/* exported functions ------------------------------------------------------- */
void system_clock_config(void);
void clock_failure_handler(crm_clock_source_type source);
flag_status clock_ready_wait(crm_flag_type flag, uint32_t polls);

#ifdef __cplusplus
}
#endif

#endif

/**
  **************************************************************************
  * @file     qxc300a_305_clock.h
  * @brief    header of the system clock configuration of the QXC300A and QXC305
  **************************************************************************
  */

/* define to prevent recursive inclusion -------------------------------------*/
#ifndef QXC300A_305_CLOCK_H
#define QXC300A_305_CLOCK_H

#ifdef __cplusplus
extern "C" {
#endif

/* includes ------------------------------------------------------------------*/
#include "qxc300a_305.h"

/* exported functions ------------------------------------------------------- */
void system_clock_config(void);

#ifdef __cplusplus
}
#endif

#endif

/**
  **************************************************************************
  * @file     qxc330_335_clock.h
  * @brief    header of the system clock configuration of the QXC330 and QXC335
  **************************************************************************
  */

/* define to prevent recursive inclusion -------------------------------------*/
#ifndef QXC330_335_CLOCK_H
#define QXC330_335_CLOCK_H

#ifdef __cplusplus
extern "C" {
#endif

/* includes ------------------------------------------------------------------*/
#include "qxc330_335.h"

/* exported functions ------------------------------------------------------- */
void system_clock_config(void);

#ifdef __cplusplus
}
#endif

#endif

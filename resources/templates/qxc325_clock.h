/**
  **************************************************************************
  * @file     qxc325_clock.h
  * @brief    header of the system clock configuration of the QXC325
  **************************************************************************
  */

/* define to prevent recursive inclusion -------------------------------------*/
#ifndef QXC325_CLOCK_H
#define QXC325_CLOCK_H

#ifdef __cplusplus
extern "C" {
#endif

/* includes ------------------------------------------------------------------*/
#include "qxc325.h"

/* exported functions ------------------------------------------------------- */
void system_clock_config(void);

#ifdef __cplusplus
}
#endif

#endif

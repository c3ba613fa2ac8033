/**
  **************************************************************************
  * @file     qxw315_clock.h
  * @brief    header of the system clock configuration of the QXW315
  **************************************************************************
  */

/* define to prevent recursive inclusion -------------------------------------*/
#ifndef QXW315_CLOCK_H
#define QXW315_CLOCK_H

#ifdef __cplusplus
extern "C" {
#endif

/* includes ------------------------------------------------------------------*/
#include "qxw315.h"

/* exported functions ------------------------------------------------------- */
void system_clock_config(void);

#ifdef __cplusplus
}
#endif

#endif

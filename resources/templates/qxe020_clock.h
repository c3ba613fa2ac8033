/**
  **************************************************************************
  * @file     qxe020_clock.h
  * @brief    header of the system clock configuration of the QXE020
  **************************************************************************
  */

/* define to prevent recursive inclusion -------------------------------------*/
#ifndef QXE020_CLOCK_H
#define QXE020_CLOCK_H

#ifdef __cplusplus
extern "C" {
#endif

/* includes ------------------------------------------------------------------*/
#include "qxe020.h"

/* exported functions ------------------------------------------------------- */
void system_clock_config(void);

#ifdef __cplusplus
}
#endif

#endif

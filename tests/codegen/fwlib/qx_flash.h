/* Test stand-in for the firmware library: declarations only. */

#ifndef QX_FLASH_H
#define QX_FLASH_H

#include "qx_types.h"

typedef enum
{
  FLASH_WAIT_CYCLE_0,
  FLASH_WAIT_CYCLE_1,
  FLASH_WAIT_CYCLE_2,
  FLASH_WAIT_CYCLE_3,
  FLASH_WAIT_CYCLE_4
} flash_wait_cycle_type;

typedef enum
{
  FLASH_CLOCK_DIV_2,
  FLASH_CLOCK_DIV_3
} flash_clock_divider_type;

void flash_psr_set(flash_wait_cycle_type cycle);
void flash_clock_divider_set(flash_clock_divider_type div);

#endif

/* Test stand-in for the firmware library: declarations only. */

#ifndef QX_TYPES_H
#define QX_TYPES_H

#include <stdint.h>

typedef enum
{
  FALSE = 0,
  TRUE = !FALSE
} confirm_state;

typedef enum
{
  RESET = 0,
  SET = !RESET
} flag_status;

typedef enum
{
  ERROR = 0,
  SUCCESS = !ERROR
} error_status;

extern uint32_t system_core_clock;
void system_core_clock_update(void);

#endif

/* Test stand-in for the firmware library: declarations only. */

#ifndef QXC300A_305_H
#define QXC300A_305_H

#define QX_PLL_MULT_RANGE
#define QX_CLKOUT_DIV

#include "qx_types.h"
#include "qxc300a_305_conf.h"

#endif

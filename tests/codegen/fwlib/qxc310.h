/* Test stand-in for the firmware library: declarations only. */

#ifndef QXC310_H
#define QXC310_H

#define QX_PLL_MULT_RANGE
#define QX_CLKOUT_DIV

#include "qx_types.h"
#include "qxc310_conf.h"

#endif

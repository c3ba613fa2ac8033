/* Test stand-in for the firmware library: declarations only. */

#ifndef QXC325_H
#define QXC325_H

#define QX_PLL_SELECTABLE
#define QX_CLKOUT_DIV

#include "qx_types.h"
#include "qxc325_conf.h"

#endif

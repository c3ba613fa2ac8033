/* Test stand-in for the firmware library: declarations only. */

#ifndef QXC320_H
#define QXC320_H

#define QX_PLL_SELECTABLE
#define QX_CLKOUT_DIV

#include "qx_types.h"
#include "qxc320_conf.h"

#endif

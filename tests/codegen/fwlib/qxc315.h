/* Test stand-in for the firmware library: declarations only. */

#ifndef QXC315_H
#define QXC315_H

#define QX_PLL_SELECTABLE
#define QX_CLKOUT_DIV

#include "qx_types.h"
#include "qxc315_conf.h"

#endif

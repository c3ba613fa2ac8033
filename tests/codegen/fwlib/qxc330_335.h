/* Test stand-in for the firmware library: declarations only. */

#ifndef QXC330_335_H
#define QXC330_335_H

#define QX_PLL_NSMSFR
#define QX_CLKOUT_DUAL

#include "qx_types.h"
#include "qxc330_335_conf.h"

#endif

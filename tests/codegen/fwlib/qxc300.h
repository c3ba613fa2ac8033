/* Test stand-in for the firmware library: declarations only. */

#ifndef QXC300_H
#define QXC300_H

#define QX_PLL_MULT_RANGE

#include "qx_types.h"
#include "qxc300_conf.h"

#endif

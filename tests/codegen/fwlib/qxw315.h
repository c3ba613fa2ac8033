/* Test stand-in for the firmware library: declarations only. */

#ifndef QXW315_H
#define QXW315_H

#define QX_PLL_SELECTABLE
#define QX_CLKOUT_DIV

#include "qx_types.h"
#include "qxw315_conf.h"

#endif

/* Test stand-in for the firmware library: declarations only. */

#ifndef QXE020_H
#define QXE020_H

#define QX_PLL_SELECTABLE
#define QX_CLKOUT_DIV

#include "qx_types.h"
#include "qxe020_conf.h"

#endif

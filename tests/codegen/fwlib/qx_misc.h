/* Test stand-in for the firmware library: declarations only. */

#ifndef QX_MISC_H
#define QX_MISC_H

#include "qx_types.h"

#endif

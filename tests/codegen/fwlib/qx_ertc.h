/* Test stand-in for the firmware library: declarations only. */

#ifndef QX_ERTC_H
#define QX_ERTC_H

#include "qx_types.h"

#endif

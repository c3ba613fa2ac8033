/* Test stand-in for the firmware library: declarations only. */

#ifndef QX_I2C_H
#define QX_I2C_H

#include "qx_types.h"

#endif

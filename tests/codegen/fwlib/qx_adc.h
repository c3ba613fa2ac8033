/* Test stand-in for the firmware library: declarations only. */

#ifndef QX_ADC_H
#define QX_ADC_H

#include "qx_types.h"

#endif

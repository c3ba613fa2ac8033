/* Test stand-in for the firmware library: declarations only. */

#ifndef QX_USART_H
#define QX_USART_H

#include "qx_types.h"

#endif

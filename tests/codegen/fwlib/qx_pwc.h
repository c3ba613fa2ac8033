/* Test stand-in for the firmware library: declarations only. */

#ifndef QX_PWC_H
#define QX_PWC_H

#include "qx_types.h"

typedef enum
{
  PWC_LDO_OUTPUT_1V0,
  PWC_LDO_OUTPUT_1V1,
  PWC_LDO_OUTPUT_1V2,
  PWC_LDO_OUTPUT_1V3
} pwc_ldo_output_voltage_type;

void pwc_ldo_output_voltage_set(pwc_ldo_output_voltage_type voltage);
void pwc_battery_powered_domain_access(confirm_state new_state);

#endif

/* The pll and clock-out divider calls of the device family the generated
   project includes, forwarded to the simulated clock unit. Included once per
   generated project, after its sources. */

#ifndef TF_CLOCKSIM_FAMILY_H
#define TF_CLOCKSIM_FAMILY_H

#include "clocksim.h"

#if defined(QX_PLL_NSMSFR)
void crm_pll_config(crm_pll_clock_source_type source, uint16_t pll_ns, uint16_t pll_ms, crm_pll_fr_type pll_fr)
{
  tf_sim_pll_config("crm_pll_config", TF_PLL_NSMSFR, source, 0, 0, pll_ns, pll_ms, pll_fr);
}
#elif defined(QX_PLL_MULT_RANGE)
void crm_pll_config(crm_pll_clock_source_type source, crm_pll_mult_type mult, crm_pll_output_range_type range)
{
  tf_sim_pll_config("crm_pll_config", TF_PLL_MULT, source, mult, range, 0, 0, 0);
}
#elif defined(QX_PLL_SELECTABLE)
void crm_pll_config(crm_pll_clock_source_type source, crm_pll_mult_type mult)
{
  tf_sim_pll_config("crm_pll_config", TF_PLL_MULT, source, mult, 0, 0, 0, 0);
}
void crm_pll_config2(crm_pll_clock_source_type source, uint16_t pll_ns, uint16_t pll_ms, crm_pll_fr_type pll_fr)
{
  tf_sim_pll_config("crm_pll_config2", TF_PLL_NSMSFR, source, 0, 0, pll_ns, pll_ms, pll_fr);
}
#endif

#if defined(QX_CLKOUT_DUAL)
void crm_clkout_div_set(crm_clkout_index_type index, crm_clkout_div1_type div1, crm_clkout_div2_type div2)
{
  tf_sim_clkout_div("crm_clkout_div_set", index, div1, div2);
}
#elif defined(QX_CLKOUT_DIV)
void crm_clkout_div_set(crm_clkout_div_type div)
{
  tf_sim_clkout_div("crm_clkout_div_set", 0, 0, div);
}
#endif

#endif

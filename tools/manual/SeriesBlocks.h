#pragma once

#include <QString>

// Repeats every block of a manual source between the lines
//     <!-- for each series -->
//     <!-- end -->
// once per row of the series table, in its order, with the row's facts put in
// for placeholders. A placeholder is {key}, or {key|a|b|...} to choose a text
// by the fact's index (false/true, the PLL kind, zero/non-zero) where "#" in
// the chosen text stands for the fact's value. Keys:
//   name id stem class sclk apb adc pllmin hick usbdiv outputs pins
//   hickpll (PLL input from HICK, MHz) hextdivs (HEXT pre-dividers of the
//   PLL, "2, 3, 4, 5"; index 0 when there are none) rtcdiv (fixed HEXT
//   divider of the RTC; 0 when the user chooses it)
//   pll (0 multiplier, 1 normal or flexible, 2 flexible only)
//   halving usb editor (0/1; editor: the program can build the series' widget)
//   factory (the factory PLL, e.g. "x 30" or "ms 1, ns 72, fr 2")
// Other HTML comments are dropped.
QString expandSeriesBlocks(const QString &source);

#pragma once

#include <QString>

class ClockConfig;

// The documentation comment of the generated clock routine: how the system
// clock is derived and what the resulting clocks and dividers are.
namespace Summary {

// Frequencies in MHz written in hertz. hextHertz keeps six decimals of the
// MHz value (rounded), busHertz whole kilohertz; both are exact decimal
// conversions of the rounded text.
qint64 hextHertz(double mhz);
qint64 busHertz(double mhz);

// The comment from "* @brief  system clock config program" to
// "  * @retval none" (no line feed after it).
QString text(const ClockConfig &config);

// Replaces the template's comment, from the first "* @brief  system clock
// config program" to the last "* @retval none". False when there is none.
bool apply(QString &clockSource, const ClockConfig &config);

} // namespace Summary

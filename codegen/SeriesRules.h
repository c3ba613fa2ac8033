#pragma once

// Which template family a series belongs to. The generator's edit sequences
// and summary wording differ by family; these are the only series switches of
// the code generator.
namespace SeriesRules {

inline bool isC300(int id)
{
    return id == 2;
}
// Two clock outputs, ns/ms/fr PLL, LDO and flash clock divider.
inline bool isDualOutput(int id)
{
    return id == 13 || id == 14;
}
// Multiplier PLL written with source, multiplier and output range.
inline bool hasRangePll(int id)
{
    return id == 2 || id == 4 || id == 7 || id == 8;
}
// PLL selectable between multiplier and ns/ms/fr, flash wait cycles set in code.
inline bool isModeSelectable(int id)
{
    return id == 5 || id == 9 || id == 15 || id == 16 || id == 17;
}
inline bool hasHextDivBlock(int id)
{
    return id == 7 || id == 8;
}
inline bool hasUsb(int id)
{
    return id != 9 && id != 16;
}
inline bool isE020(int id)
{
    return id == 16;
}
inline bool hasAutoStep(int id)
{
    return id != 2 && id != 16;
}
inline bool hasHickUsb(int id)
{
    return hasUsb(id) && id != 2;
}
// Single clock output with its own divider call.
inline bool hasClkoutDiv(int id)
{
    return !isC300(id) && !isDualOutput(id);
}
// Divisor of the HICK in front of the PLL, as the summary comment names it.
inline int summaryHickDivisor(int id)
{
    return isC300(id) ? 2 : isDualOutput(id) ? 6 : 12;
}
inline bool isKnown(int id)
{
    return id == 2 || id == 4 || id == 5 || id == 7 || id == 8 || id == 9 || id == 13 || id == 14 ||
           id == 15 || id == 16 || id == 17;
}

} // namespace SeriesRules

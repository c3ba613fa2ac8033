#pragma once

#include "SeriesTable.h"

// The generator asks the series parameter table everything it needs to know
// about a series; an unknown id reads as a blank row (no templates, no USB,
// one undivided PLL path).
namespace SeriesRules {

inline const SeriesParams &of(int id)
{
    static const SeriesParams blank;
    const SeriesParams *p = SeriesTable::byId(id);
    return p ? *p : blank;
}

} // namespace SeriesRules

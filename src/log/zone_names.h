// Display names of zones and the short names of their vector map files.
#pragma once

#include <string>

namespace tolvik {

struct ZoneNameRow {
    const char* displayName;
    const char* shortName;
};

// The 148 rows in table order.
const ZoneNameRow* ZoneNameTable(int& rowCount);

// Copies the short name of `displayName` (first row equal without regard to
// case) into `out` and returns true; returns false with `out` unchanged.
bool LookupShortZoneName(const std::string& displayName, std::string& out);

}  // namespace tolvik

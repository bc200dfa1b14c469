#include "base/zone_file_name.h"

#include <cctype>
#include <cstring>

namespace tolvik {
namespace {

// Longest name of one path component, and the extension the zone's files add.
constexpr std::size_t kMaxComponentChars = 255;
constexpr std::size_t kExtensionChars = 4;  // ".jpg", ".ini"

bool IsForbiddenChar(unsigned char c) {
    return c < 0x20 || c == 0x7F || std::strchr("<>:\"/\\|?*", c) != nullptr;
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Windows opens a device, not a file, for these names, whatever extension
// follows them: "Zones\NUL.jpg" is the null device.
bool IsDeviceName(const std::string& zone) {
    std::string stem = zone.substr(0, zone.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    stem = Upper(stem);
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || stem == "CONIN$" || stem == "CONOUT$") {
        return true;
    }
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

bool IsPlainZoneFileName(const std::string& zone) {
    if (zone.empty() || zone.size() + kExtensionChars > kMaxComponentChars) return false;
    for (char c : zone) {
        if (IsForbiddenChar(static_cast<unsigned char>(c))) return false;
    }
    // Windows drops a trailing dot or blank; this also refuses "." and "..".
    if (zone.back() == '.' || zone.back() == ' ') return false;
    return !IsDeviceName(zone);
}

bool IsSafeZoneProfileKey(const std::string& zone) {
    if (!IsPlainZoneFileName(zone)) return false;
    if (zone.find('=') != std::string::npos) return false;
    return zone.front() != '[' && zone.front() != ';' && zone.front() != ' ';
}

}  // namespace tolvik

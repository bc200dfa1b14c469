// The game's logs folder from its installation record in the registry.
#include <windows.h>

#include "log/discovery.h"

namespace tolvik {

void FindGameLogFolder(std::string& out) {
    out.clear();
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\EverQuest.exe", 0,
                      KEY_READ, &key) != ERROR_SUCCESS) {
        return;
    }
    // At most 260 bytes; the value's type is not examined.
    BYTE value[260] = {};
    DWORD size = sizeof value;
    const LONG status = RegQueryValueExA(key, "Path", nullptr, nullptr, value, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return;

    std::string folder(reinterpret_cast<const char*>(value), size);
    folder.resize(folder.find('\0') == std::string::npos ? folder.size() : folder.find('\0'));
    // An empty record names no installation.
    if (folder.empty()) return;
    if (!IsSeparator(folder.back())) folder += '\\';
    out = folder + "logs\\";
}

}  // namespace tolvik

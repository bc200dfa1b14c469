#include "app/marks_win.h"

#include <cstring>
#include <map>
#include <string>

#include "app/settings_win.h"
#include "base/profile_win.h"
#include "base/zone_file_name.h"
#include "raster/marks_win.h"

namespace tolvik {
namespace {

constexpr const char* kWaypoints = "Waypoints";
constexpr const char* kCorpses = "Corpses";
constexpr const char* kClearedCorpses = "ClearedCorpses";

// Zone names come from the log, which carries what other players type too;
// only names that are safe as profile keys are written or read back.
bool KeyAllowed(const std::string& zone) { return IsSafeZoneProfileKey(zone); }

// The keys of one section of the settings file.
std::vector<std::string> SectionKeys(const std::string& section, const std::string& file) {
    std::vector<char> names(8192);
    for (;;) {
        const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", names.data(),
                                                      static_cast<DWORD>(names.size()), file.c_str());
        if (length + 2 < names.size() || names.size() >= (std::size_t{1} << 24)) break;
        names.resize(names.size() * 4);
    }
    std::vector<std::string> keys;
    for (const char* name = names.data(); *name; name += std::strlen(name) + 1) keys.emplace_back(name);
    return keys;
}

template <typename Parse>
void LoadSection(const char* section, const std::string& file, Parse parse, std::map<std::string, Position>& into) {
    for (const std::string& zone : SectionKeys(section, file)) {
        Position mark;
        if (KeyAllowed(zone) && parse(ReadProfileText(section, zone, "", file, 127), mark)) into[zone] = mark;
    }
}

void Store(const Program& program, const char* section, const std::string& zone, const std::string& value) {
    if (!KeyAllowed(zone)) return;
    WritePrivateProfileStringA(section, zone.c_str(), value.c_str(), SettingsFilePath(program.app).c_str());
}

void Remove(const Program& program, const char* section, const std::string& zone) {
    if (!KeyAllowed(zone)) return;
    WritePrivateProfileStringA(section, zone.c_str(), nullptr, SettingsFilePath(program.app).c_str());
}

void MarkCorpse(Program& program, const Death& death) {
    ZoneMarks& marks = program.app.marks;
    marks.corpses[death.zone] = death.where;
    Store(program, kCorpses, death.zone, FormatCorpseValue(death.where));
    if (marks.clearedCorpses.erase(death.zone)) Remove(program, kClearedCorpses, death.zone);
}

void FlashUnlessForeground(HWND window) {
    if (GetForegroundWindow() == window) return;
    FLASHWINFO flash{};
    flash.cbSize = sizeof flash;
    flash.hwnd = window;
    flash.dwFlags = FLASHW_ALL;
    flash.uCount = 3;
    flash.dwTimeout = 0;
    FlashWindowEx(&flash);
}

}  // namespace

void LoadZoneMarks(Program& program) {
    ZoneMarks& marks = program.app.marks;
    const std::string file = SettingsFilePath(program.app);
    LoadSection(kWaypoints, file, ParseWaypointValue, marks.waypoints);
    LoadSection(kCorpses, file, ParseCorpseValue, marks.corpses);
    LoadSection(kClearedCorpses, file, ParseCorpseValue, marks.clearedCorpses);
    // A zone has a corpse or a cleared one, not both.
    for (const auto& [zone, corpse] : marks.corpses) marks.clearedCorpses.erase(zone);
}

void SetWaypoint(Program& program, float x, float y) {
    const std::string& zone = program.app.map.zoneName;
    if (zone.empty()) return;
    const Position waypoint{x, y, 0.0f};
    program.app.marks.waypoints[zone] = waypoint;
    Store(program, kWaypoints, zone, FormatWaypointValue(waypoint));
}

bool SetWaypointAtClick(HWND window, Program& program, WPARAM keys, LPARAM position) {
    if (!(keys & MK_CONTROL)) return false;
    Position game;
    if (!MapPointUnder(window, program.app, position, game)) return false;
    SetWaypoint(program, game.x, game.y);
    return true;
}

void SetWaypointAtMenuPoint(Program& program) {
    const ZoneMarks& marks = program.app.marks;
    if (marks.menuPointValid) SetWaypoint(program, marks.menuX, marks.menuY);
}

void ClearWaypoint(Program& program) {
    const std::string& zone = program.app.map.zoneName;
    if (program.app.marks.waypoints.erase(zone)) Remove(program, kWaypoints, zone);
}

void ClearCorpse(Program& program) {
    const std::string& zone = program.app.map.zoneName;
    ZoneMarks& marks = program.app.marks;
    const auto corpse = marks.corpses.find(zone);
    if (corpse == marks.corpses.end()) return;
    // The cleared corpse is remembered so that reading the log again from
    // its start does not bring it back.
    marks.clearedCorpses[zone] = corpse->second;
    Store(program, kClearedCorpses, zone, FormatCorpseValue(corpse->second));
    marks.corpses.erase(corpse);
    Remove(program, kCorpses, zone);
}

void TakeDeaths(Program& program, const std::vector<Death>& deaths, bool wholeLog) {
    if (deaths.empty()) return;
    if (!wholeLog) {
        for (const Death& death : deaths) MarkCorpse(program, death);
        return;
    }
    std::map<std::string, Position> known = program.app.marks.clearedCorpses;
    for (const auto& [zone, corpse] : program.app.marks.corpses) known[zone] = corpse;
    for (const Death& death : NewDeaths(deaths, known)) MarkCorpse(program, death);
}

void CheckWaypointReached(HWND window, Program& program) {
    Position player{}, waypoint{};
    if (!ShownZoneWaypoint(program.app, player, waypoint) || !WaypointReached(player, waypoint)) return;
    ClearWaypoint(program);
    FlashUnlessForeground(window);
}

}  // namespace tolvik

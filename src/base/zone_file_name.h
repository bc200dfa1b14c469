// Whether a zone name from the log may become part of a file name or of a
// key in a profile file. The log is written by the game but carries other
// players' text too, so a "zone" can be anything a player typed.
#pragma once

#include <string>

namespace tolvik {

// True when `zone` names a plain file inside a folder: not empty, no path
// separator or drive colon, none of the characters Windows forbids in file
// names (< > : " / \ | ? *), no control characters, not "." or "..", no
// trailing dot or blank, not a device name (CON, NUL, COM1, ...), and short
// enough that the zone's file names (".jpg", ".ini" appended) fit one path
// component.
bool IsPlainZoneFileName(const std::string& zone);

// True when `zone` may be a key of a profile file: a plain zone file name
// that has no "=", and does not begin with "[", ";" or a blank (the profile
// reader would take those for a section, a comment or trim the blank).
bool IsSafeZoneProfileKey(const std::string& zone);

}  // namespace tolvik

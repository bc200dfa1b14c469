// Search addresses of the two web lookups of the viewed zone.
#pragma once

#include <string>

namespace tolvik {

// Search prefixes (plain HTTP) of the item database and of the wiki.
inline constexpr const char* kItemDatabaseSearchPrefix = "http://everquest.allakhazam.com/db/searchdb.html?iname=";
inline constexpr const char* kWikiSearchPrefix = "http://wiki.project1999.com/index.php?search=";

// Longest zone text each lookup takes from the zone list.
inline constexpr std::size_t kItemDatabaseTextLimit = 255;
inline constexpr std::size_t kWikiTextLimit = 258;

// Item database address: the text cut to 255 characters, blanks turned into
// '+', nothing else escaped, then "#Zones".
std::string ItemDatabaseSearchAddress(const std::string& text);

// Wiki address: the text cut to 258 characters, unchanged.
std::string WikiSearchAddress(const std::string& text);

}  // namespace tolvik

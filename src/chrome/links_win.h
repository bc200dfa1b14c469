// Opening the viewed zone on the web.
#pragma once

#include <windows.h>

namespace tolvik {

// Looks the zone of the "Viewing:" list up in the item database.
void OpenItemDatabaseSearch(HWND window);

// Looks the zone of the "Viewing:" list up in the wiki.
void OpenWikiSearch(HWND window);

}  // namespace tolvik

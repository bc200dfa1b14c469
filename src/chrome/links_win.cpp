#include "chrome/links_win.h"

#include <shellapi.h>

#include "base/window_text_win.h"
#include "chrome/links.h"
#include "res/resource.h"

namespace tolvik {
namespace {

// Text of the "Viewing:" list, whole; the lookups cut it.
std::string ViewedZoneText(HWND window) { return WholeWindowText(GetDlgItem(window, IDC_ZONE_LIST)); }

void OpenInShell(const std::string& address) {
    ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

void OpenItemDatabaseSearch(HWND window) { OpenInShell(ItemDatabaseSearchAddress(ViewedZoneText(window))); }

void OpenWikiSearch(HWND window) { OpenInShell(WikiSearchAddress(ViewedZoneText(window))); }

}  // namespace tolvik

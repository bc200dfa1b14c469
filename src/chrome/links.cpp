#include "chrome/links.h"

namespace tolvik {

std::string ItemDatabaseSearchAddress(const std::string& text) {
    std::string query = text.substr(0, kItemDatabaseTextLimit);
    for (char& c : query) {
        if (c == ' ') c = '+';
    }
    return std::string(kItemDatabaseSearchPrefix) + query + "#Zones";
}

std::string WikiSearchAddress(const std::string& text) {
    return std::string(kWikiSearchPrefix) + text.substr(0, kWikiTextLimit);
}

}  // namespace tolvik

#include "log/zone_names.h"

#include <cstddef>

namespace tolvik {
namespace {

// Display names as the game prints them after "You have entered ", and the
// short names of the vector map files. Looked up in this order; a later row
// with a name equal to an earlier one (ignoring case) never matches.
constexpr ZoneNameRow kZoneNames[] = {
    {"Ak'Anon", "akanon"},
    {"Aviak Village", "aviak"},
    {"Befallen", "befallen"},
    {"BlackBurrow", "blackburrow"},
    {"Butcherblock Mountains", "butcher"},
    {"Cabilis East", "cabeast"},
    {"Cabilis West", "cabwest"},
    {"Castle Mistmoore", "mistmoore"},
    {"Chardok", "chardok"},
    {"City of Thurgadin", "thurgadina"},
    {"Cobalt Scar", "cobaltscar"},
    {"Commonlands", "commonlands"},
    {"Crushbone", "crushbone"},
    {"Crystal Caverns", "crystal"},
    {"Dagnor's Cauldron", "cauldron"},
    {"Dalnir", "dalnir"},
    {"Dragon Necropolis", "necropolis"},
    {"Dreadlands", "dreadlands"},
    {"East Commonlands", "ecommons"},
    {"East Freeport", "freporte"},
    {"East Freeport", "freeporteast"},                  // never matches: the row above wins
    {"Eastern Plains of Karana", "eastkarana"},
    {"Eastern Wastelands", "eastwastes"},
    {"Erudin Palace", "erudnint"},
    {"Erudin", "erudnext"},
    {"Erud's Crossing", "erudsxing"},
    {"Estate of Unrest", "unrest"},
    {"Everfrost", "everfrost"},
    {"Field of Bone", "fieldofbone"},
    {"Firiona Vie", "firiona"},
    {"Freeport Sewers", "freeportsewers"},
    {"Frontier Mountains", "frontiermtns"},
    {"Gorge of King Xorbb", "beholder"},
    {"Grand Guild Hall", "guildhalllrg"},
    {"Great Divide", "greatdivide"},
    {"Greater Faydark", "gfaydark"},
    {"Grobb", "grobb"},
    {"Guild Hall", "guildhall"},
    {"Guk", "guktop"},
    {"Halas", "halas"},
    {"High Keep", "highkeep"},
    {"Highpass Hold", "highpass"},
    {"The Howling Stones", "charasis"},
    {"Iceclad Ocean", "iceclad"},
    {"Icewell Keep", "thurgadinb"},
    {"Infected Paw", "paw"},
    {"Innothule Swamp", "innothule"},
    {"Kael Drakkel", "kael"},
    {"Kaesora", "kaesora"},
    {"Karnor's Castle", "karnor"},
    {"Kedge Keep", "kedge"},
    {"Kerra Isle", "kerraridge"},
    {"Kithicor Woods", "kithicor"},
    {"Kurn's Tower", "kurn"},
    {"Lake of Ill Omen", "lakeofillomen"},
    {"Lake Rathetear", "lakerathe"},
    {"Lavastorm Mountains", "lavastorm"},
    {"Lesser Faydark", "lfaydark"},
    {"Lost Temple of Cazic-Thule", "cazicthule"},
    {"Marauder's Mire", "erudsxing2"},
    {"Mines of Nurga", "nurga"},
    {"Misty Thicket", "misty"},
    {"Nagafen's Lair", "soldungb"},
    {"Najena", "najena"},
    {"Nedaria's Landing", "nedaria"},
    {"Nektropos", "nektropos"},
    {"The Nektulos Forest", "nektulos"},
    {"Neriak Commons", "neriakb"},
    {"Neriak Foreign Quarter", "neriaka"},
    {"Neriak Palace", "neriakd"},
    {"Neriak Third Gate", "neriakc"},
    {"North Freeport", "freportn"},
    {"North Kaladim", "kaladimb"},
    {"North Qeynos", "qeynos2"},
    {"Northern Desert of Ro", "nro"},
    {"Northern Felwithe", "felwitheb"},
    {"Northern Plains of Karana", "northkarana"},
    {"Oasis of Marr", "oasis"},
    {"Ocean of Tears", "oot"},
    {"Ocean Of Tears", "oceanoftears"},                 // never matches: the row above wins
    {"Oggok", "oggok"},
    {"Paineel", "paineel"},
    {"Permafrost Caverns", "permafrost"},
    {"Plane of Fear", "fearplane"},
    {"Plane of Growth", "growthplane"},
    {"Plane of Knowledge", "poknowledge"},
    {"Plane of Mischief", "mischiefplane"},
    {"Plane of Air", "airplane"},
    {"Plane of Sky", "airplane"},
    {"Qeynos Aqueduct System", "qcat"},
    {"Qeynos Hills", "qeytoqrg"},
    {"Rathe Mountains", "rathemtn"},
    {"Rivervale", "rivervale"},
    {"Ruins of Old Guk", "gukbottom"},
    {"Ruins of Takish-Hiz", "takishruins"},
    {"Runnyeye Citadel", "runnyeye"},
    {"Old Sebilis", "sebilis"},
    {"Shadowrest", "shadowrest"},
    {"Sirens Grotto", "sirens"},
    {"Skyfire Mountains", "skyfire"},
    {"Skyshrine", "skyshrine"},
    {"Sleepers Tomb", "sleeper"},
    {"Solusek's Eye", "soldunga"},
    {"South Kaladim", "kaladima"},
    {"South Qeynos", "qeynos"},
    {"Southern Desert of Ro", "sro"},
    {"Southern Felwithe", "felwithea"},
    {"Southern Plains of Karana", "southkarana"},
    {"Steamfont Mountains", "steamfont"},
    {"Steamfont Mountains", "steamfontmts"},            // never matches: the row above wins
    {"The Stonebrunt Mountains", "stonebrunt"},
    {"Sunset Home", "cshome"},
    {"Surefall Glade", "qrg"},
    {"Swamp of No Hope", "swampofnohope"},
    {"Temple of Droga", "droga"},
    {"Temple of Solusek Ro", "soltemple"},
    {"Temple of Veeshan", "templeveeshan"},
    {"The Arena", "arena"},
    {"The Bazaar", "bazaar"},
    {"The Burning Wood", "burningwood"},
    {"The Caverns of Exile", "soldungc"},
    {"The City of Mist", "citymist"},
    {"The Emerald Jungle", "emeraldjungle"},
    {"The Feerrott", "feerrott"},
    {"The Forgotten Halls", "fhalls"},
    {"The Hole", "hole"},
    {"The Overthere", "overthere"},
    {"Plane of Hate", "hateplane"},
    {"Plane of Hate", "hateplaneb"},                    // never matches: the row above wins
    {"The Wakening Lands", "wakening"},
    {"The Warrens", "warrens"},
    {"Timorous Deep", "timorous"},
    {"Tower of Frozen Shadow", "frozenshadow"},
    {"Toxxulia Forest", "tox"},
    {"Toxxulia Forest", "toxxulia"},                    // never matches: the row above wins
    {"Trakanon's Teeth", "trakanon"},
    {"Tutorial Zone", "tutorial"},
    {"Veeshan's Peak", "veeshan"},
    {"Veksar", "veksar"},
    {"Velketor's Labyrinth", "velketor"},
    {"Warsliks Woods", "warslikswood"},
    {"Wedding Chapel", "weddingchapel"},
    {"Wedding Chapel", "weddingchapeldark"},            // never matches: the row above wins
    {"West Commonlands", "commons"},
    {"West Freeport", "freportw"},
    {"West Freeport", "freeportwest"},                  // never matches: the row above wins
    {"Western Plains of Karana", "qey2hh1"},
    {"Western Wastelands", "westwastes"},
};

constexpr int kZoneNameRows = static_cast<int>(sizeof kZoneNames / sizeof kZoneNames[0]);
static_assert(kZoneNameRows == 148, "the zone name table has 148 rows");

// The names are plain ASCII: letters compare without regard to case, every
// other byte exactly.
char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size(); ++i) {
        if (b[i] == '\0' || FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return b[i] == '\0';
}

}  // namespace

const ZoneNameRow* ZoneNameTable(int& rowCount) {
    rowCount = kZoneNameRows;
    return kZoneNames;
}

bool LookupShortZoneName(const std::string& displayName, std::string& out) {
    for (const ZoneNameRow& row : kZoneNames) {
        if (EqualIgnoringCase(displayName, row.displayName)) {
            out = row.shortName;
            return true;
        }
    }
    return false;
}

}  // namespace tolvik

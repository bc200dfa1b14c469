// A seeded generator of realistic chat logs: chat, combat, /loc answers,
// zone changes, return notices, arena notices, deaths, and chat that quotes
// the phrases the tracker looks for. The same seed gives the same bytes on every
// system (own random numbers and formatting, no library distributions).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "log/zone_names.h"

namespace tolvik::loggen {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {  // splitmix64
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1
    std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>((Next() >> 32) * n >> 32); }
    bool Chance(std::uint32_t perTenThousand) { return Below(10000) < perTenThousand; }

private:
    std::uint64_t state_;
};

// Shares of the line kinds, per ten thousand lines.
struct Mix {
    std::uint32_t location = 400;     // "Your Location is Y, X, Z"
    std::uint32_t zoneChange = 8;     // "You have entered Zone."
    std::uint32_t returnNotice = 3;   // "Returning to ..."
    std::uint32_t arena = 2;          // "You have entered an Arena (PvP) area."
    std::uint32_t death = 2;          // "You have been slain by ...", then back at the bind point
    std::uint32_t quotedPhrase = 30;  // chat quoting one of the phrases
    std::uint32_t chat = 3000;        // the rest is combat and system text
};

class Generator {
public:
    explicit Generator(std::uint64_t seed, Mix mix = {}) : random_(seed), mix_(mix) {
        zones_ = ZoneNameTable(zoneCount_);
        zone_ = zones_[random_.Below(static_cast<std::uint32_t>(zoneCount_))].displayName;
    }

    // Appends one line, ending with a carriage return and a line feed.
    void AppendLine(std::string& out) {
        AdvanceClock();
        out += stamp_;
        std::uint32_t roll = random_.Below(10000);
        if (roll < mix_.location) return Location(out);
        roll -= mix_.location;
        if (roll < mix_.zoneChange) return ZoneChange(out);
        roll -= mix_.zoneChange;
        if (roll < mix_.returnNotice) return ReturnNotice(out);
        roll -= mix_.returnNotice;
        if (roll < mix_.arena) return Arena(out);
        roll -= mix_.arena;
        if (roll < mix_.death) return Death(out);
        roll -= mix_.death;
        if (roll < mix_.quotedPhrase) return QuotedPhrase(out);
        roll -= mix_.quotedPhrase;
        if (roll < mix_.chat) return Chat(out);
        return Combat(out);
    }

    const char* Zone() const { return zone_; }

private:
    static constexpr const char* kNames[] = {"Aldrik", "Brenna", "Corvus", "Dagny", "Elowen", "Fenwick",
                                             "Gorath", "Halvard", "Isolde", "Joran", "Kestrel", "Lirael"};
    static constexpr const char* kMobs[] = {"a gnoll", "a decaying skeleton", "an orc pawn", "a fire beetle",
                                            "a large rat", "Lord Vexmar", "a kobold runt", "a sand giant",
                                            "a spectre", "a young kodiak"};
    static constexpr const char* kWords[] = {"anyone", "selling", "need", "group", "for", "the", "camp",
                                             "LFG", "pst", "thanks", "inc", "heal", "pls", "where", "is",
                                             "bank", "lol", "ok", "brb", "wts", "wtb", "plat", "Crafted",
                                             "Fine", "Steel", "Long", "Sword", "at", "zone", "in", "near"};

    template <std::size_t N>
    const char* Pick(const char* const (&list)[N]) { return list[random_.Below(N)]; }

    void AdvanceClock() {
        if (stamp_.empty() || random_.Chance(3500)) {
            seconds_ += 1 + random_.Below(3);
            FormatStamp();
        }
    }

    // "[Mon Jan 01 12:34:56 2024] " from seconds since 2024-01-01 00:00:00.
    void FormatStamp() {
        static constexpr const char* kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
        static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        const std::uint64_t days = seconds_ / 86400;
        const unsigned secondOfDay = static_cast<unsigned>(seconds_ % 86400);
        // Civil date from days since 1970-01-01 (2024-01-01 is day 19723).
        const long long z = static_cast<long long>(days) + 19723 + 719468;
        const long long era = z / 146097;
        const unsigned doe = static_cast<unsigned>(z - era * 146097);
        const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
        const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
        const unsigned mp = (5 * doy + 2) / 153;
        const unsigned day = doy - (153 * mp + 2) / 5 + 1;
        const unsigned month = mp < 10 ? mp + 3 : mp - 9;
        const long long year = static_cast<long long>(yoe) + era * 400 + (month <= 2 ? 1 : 0);
        char text[64];
        std::snprintf(text, sizeof text, "[%s %s %02u %02u:%02u:%02u %lld] ", kDays[days % 7], kMonths[month - 1], day,
                      secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60, year);
        stamp_ = text;
    }

    static void AppendNumber(std::string& out, long long hundredths) {
        char text[32];
        const char* sign = hundredths < 0 ? "-" : "";
        const unsigned long long v = static_cast<unsigned long long>(hundredths < 0 ? -hundredths : hundredths);
        std::snprintf(text, sizeof text, "%s%llu.%02llu", sign, v / 100, v % 100);
        out += text;
    }

    void AppendLocation(std::string& out) {
        // A random walk; the game prints Y, X, Z.
        x_ += static_cast<long long>(random_.Below(4001)) - 2000;
        y_ += static_cast<long long>(random_.Below(4001)) - 2000;
        z_ += static_cast<long long>(random_.Below(201)) - 100;
        out += "Your Location is ";
        AppendNumber(out, y_);
        out += ", ";
        AppendNumber(out, x_);
        out += ", ";
        AppendNumber(out, z_);
    }

    void Location(std::string& out) {
        AppendLocation(out);
        out += "\r\n";
    }

    void ZoneChange(std::string& out) {
        zone_ = zones_[random_.Below(static_cast<std::uint32_t>(zoneCount_))].displayName;
        x_ = static_cast<long long>(random_.Below(400001)) - 200000;
        y_ = static_cast<long long>(random_.Below(400001)) - 200000;
        z_ = static_cast<long long>(random_.Below(20001)) - 10000;
        out += "LOADING, PLEASE WAIT...\r\n";
        out += stamp_;
        out += "You have entered ";
        out += zone_;
        out += ".\r\n";
    }

    void Death(std::string& out) {
        out += "You have been slain by ";
        out += Pick(kMobs);
        out += "!\r\n";
        out += stamp_;
        ZoneChange(out);
    }

    void ReturnNotice(std::string& out) {
        out += random_.Chance(5000) ? "Returning to home point, please wait...\r\n" : "Returning to your bind point.\r\n";
    }

    void Arena(std::string& out) {
        out += random_.Chance(5000) ? "You have entered an Arena (PvP) area.\r\n" : "You have left an Arena (PvP) area.\r\n";
    }

    void QuotedPhrase(std::string& out) {
        out += Pick(kNames);
        switch (random_.Below(5)) {
            case 0:
                out += " tells the group, 'type /loc, it says ";
                AppendLocation(out);
                out += " for me'\r\n";
                break;
            case 1:
                out += " says, 'when it says You have entered ";
                out += zones_[random_.Below(static_cast<std::uint32_t>(zoneCount_))].displayName;
                out += " you are there'\r\n";
                break;
            case 2:
                out += " shouts, 'Returning to the bank, brb'\r\n";
                break;
            case 3:
                out += " tells the guild, 'You have been slain by ";
                out += Pick(kMobs);
                out += " was the last thing I read'\r\n";
                break;
            default:
                out += " tells you, 'You have entered an Arena (PvP) area. is what it said'\r\n";
                break;
        }
    }

    void Chat(std::string& out) {
        static constexpr const char* kVerbs[] = {" says, '", " tells the group, '", " shouts, '", " auctions, '",
                                                 " tells you, '", " tells General:1, '"};
        if (random_.Chance(1500)) {
            out += "You say, '";
        } else {
            out += Pick(kNames);
            out += Pick(kVerbs);
        }
        const std::uint32_t words = 2 + random_.Below(10);
        for (std::uint32_t i = 0; i < words; ++i) {
            if (i) out += ' ';
            out += Pick(kWords);
        }
        out += "'\r\n";
    }

    void Combat(std::string& out) {
        static constexpr const char* kHits[] = {"hit", "slash", "pierce", "crush", "kick", "bash"};
        char text[160];
        switch (random_.Below(8)) {
            case 0:
            case 1:
                std::snprintf(text, sizeof text, "You %s %s for %u points of damage.\r\n", Pick(kHits), Pick(kMobs),
                              1 + random_.Below(60));
                break;
            case 2:
            case 3:
                std::snprintf(text, sizeof text, "%s hits YOU for %u points of damage.\r\n", Pick(kMobs),
                              1 + random_.Below(40));
                if (text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
                break;
            case 4:
                std::snprintf(text, sizeof text, "You try to %s %s, but miss!\r\n", Pick(kHits), Pick(kMobs));
                break;
            case 5:
                std::snprintf(text, sizeof text, "You have slain %s!\r\n", Pick(kMobs));
                break;
            case 6:
                std::snprintf(text, sizeof text, "You have become better at %s! (%u)\r\n",
                              random_.Chance(5000) ? "Offense" : "Defense", 1 + random_.Below(200));
                break;
            default:
                std::snprintf(text, sizeof text, "%s", "You gain experience!!\r\n");
                break;
        }
        out += text;
    }

    Random random_;
    Mix mix_;
    const ZoneNameRow* zones_ = nullptr;
    int zoneCount_ = 0;
    const char* zone_ = "";
    std::string stamp_;
    std::uint64_t seconds_ = 12 * 3600;
    long long x_ = 0, y_ = 0, z_ = 0;
};

}  // namespace tolvik::loggen

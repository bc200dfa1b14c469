// Where the reading of a log stands between two reads.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tolvik {

// Which file a log path names: the volume and the file's number on it.
struct LogIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    friend bool operator==(const LogIdentity&, const LogIdentity&) = default;
};

// The first bytes of a log, as far as they exist: a log that only grows
// keeps them; another file in its place almost never has them.
inline constexpr std::size_t kFingerprintBytes = 64;

// The Log Read Offset and what tells whether the next read continues the
// same file. A default cursor reads a log from its start.
struct LogCursor {
    std::uint64_t offset = 0;  // bytes of the file consumed
    bool identityKnown = false;
    LogIdentity identity;
    std::size_t fingerprintLength = 0;
    std::array<char, kFingerprintBytes> fingerprint{};
    // The bytes from the offset up to here hold no line feed: the line that
    // the game is still writing was searched that far.
    std::uint64_t searchedTo = 0;
};

}  // namespace tolvik

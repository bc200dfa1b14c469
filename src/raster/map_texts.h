// The texts written onto the stand-by map picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tolvik {

// Longest missing-map text kept.
constexpr std::size_t kMaxMissingMapTextChars = 1023;

// How to calibrate a map of one's own (also the "Instructions" box).
const std::string& CalibrationInstructionsText();

// How to get started, shown while no zone is known.
const std::string& GettingStartedText();

// "No map presently exists for <zone>." with the instructions, cut at 1,023 characters.
std::string MissingMapText(const std::string& zone);

// Why the picture of `zone` (width x height pixels) is not shown, and what
// to do; cut at 1,023 characters.
std::string TooBigMapText(const std::string& zone, std::int64_t width, std::int64_t height);

// "Loading the map of <zone>...", shown while a big picture is decoded.
std::string LoadingMapText(const std::string& zone);

}  // namespace tolvik

// What the vector map settings window shows on its buttons, which setting
// each toggle button flips, and how it reads its number fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/vector_settings.h"

namespace tolvik {

// Ranges of the window's trackbars.
constexpr int kMinMapResolution = 400;
constexpr int kMaxMapResolution = 1600;
constexpr int kMinFontAdjust = 2;
constexpr int kMaxFontAdjust = 10;
constexpr int kMinLabelSpacing = 0;
constexpr int kMaxLabelSpacing = 16;

// Brings values read from the settings file into what the window can set:
// the trackbars' ranges, and height filter values of at least 0.
void ClampVectorSettings(VectorMapSettings& settings);

// Longest caption a plain button of the window shows.
constexpr std::size_t kMaxButtonCaptionChars = 126;

// The flag a toggle button of the window flips: ShowBase (1038), ShowLayer1
// to ShowLayer3 (1040 to 1042), ShowLabels (1039) or UseHeightFilter (1058);
// null for any other control.
int* VectorToggleFlag(VectorMapSettings& settings, int id);
const int* VectorToggleFlag(const VectorMapSettings& settings, int id);

// The text drawn on button `id`. The layer buttons show their layer's name,
// in brackets while the layer is shown; the labels and height filter buttons
// name the action a click takes; any other button shows `ownCaption`, cut to
// 126 characters.
std::string VectorSettingsButtonText(int id, const VectorMapSettings& settings, const std::string& ownCaption);

// A height filter field's text as a value: true with `value` set for a plain
// decimal number from 0 to 2147483647 (digits only); false for an empty
// text, any other character or a larger number.
bool ParseFilterField(const std::string& text, int& value);

// True when `now` is past `deadline` on a wrapping 32-bit millisecond tick
// counter (deadlines lie less than 24 days ahead).
bool TickPastDeadline(std::uint32_t now, std::uint32_t deadline);

}  // namespace tolvik

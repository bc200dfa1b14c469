// Colours: 32-bit values with red in the low byte, green in the second and
// blue in the third, as the window system and the settings file keep them.
#pragma once

#include <cstdint>

namespace tolvik {

using Colour = std::uint32_t;

constexpr Colour MakeColour(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}

constexpr unsigned RedOf(Colour c) { return c & 0xFFu; }
constexpr unsigned GreenOf(Colour c) { return (c >> 8) & 0xFFu; }
constexpr unsigned BlueOf(Colour c) { return (c >> 16) & 0xFFu; }

}  // namespace tolvik

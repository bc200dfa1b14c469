// The look of a skinned push button: the shading of its face and the texts
// drawn on the main window's buttons.
#pragma once

#include <cstdint>
#include <string>

namespace tolvik {

// Bytes per row of a 24-bit pixel buffer: rows are padded to 4 bytes.
int Dib24Stride(int width);

// Shades a button face in place and returns its highlight colour
// (red + 256 * green + 65536 * blue).
//
// `pixels` holds `height` rows of `width` 24-bit pixels (blue, green, red),
// bottom row first, each row padded to 4 bytes. Pixels within `bevel` of an
// edge are darkened in proportion to their distance from it (the left column
// and bottom row turn black); then every pixel moves `lighten` percent of the
// way to white. The highlight colour is the average colour lifted until its
// strongest channel is 255. An empty face gives white.
std::uint32_t ShadeButtonFace(std::uint8_t* pixels, int width, int height, int bevel, int lighten);

// Grey of the bottom and right border lines for a highlight colour: its red
// channel halved, in all three channels.
std::uint32_t BevelShadowColor(std::uint32_t highlight);

// The text drawn on the main window's owner-drawn button `id`, following the
// two toggles; empty for a control that is not drawn by the program.
std::string MainButtonText(int id, int onTop, int autoDetect);

}  // namespace tolvik

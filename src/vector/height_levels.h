// The height filter of vector maps, and what a render keeps of it so that a
// new player height can be judged without drawing anything.
//
// A line with end heights z1 and z2 has the middle height m = (z1 + z2) / 2
// and passes the filter for the player height h when
//
//     m + high > h   and   h > m − low        (both strict, in single precision)
//
// Both sides only grow with m, so over the middle heights in ascending order
// the first holds for a tail and the second for a head: the lines that pass
// are always one run of that order. Two heights pass the same lines exactly
// when they give the same run, or both give none.
#pragma once

#include "base/vector_settings.h"

namespace tolvik {

inline float LineMiddleHeight(float z1, float z2) { return (z1 + z2) * 0.5f; }

// The player stands less than `high` above the line's middle height.
inline bool BelowBandTop(float middle, int high, float h) { return middle + static_cast<float>(high) > h; }

// The player stands less than `low` below the line's middle height.
inline bool AboveBandFloor(float middle, int low, float h) { return h > middle - static_cast<float>(low); }

inline bool WithinHeightBand(float middle, int low, int high, float h) {
    return BelowBandTop(middle, high, h) && AboveBandFloor(middle, low, h);
}

// Forgets the lines of the last render; `renderHeight` is the new one's.
void ResetHeightLevels(HeightLevels& levels, float renderHeight);

// A line the render could draw (shown layer, on the bitmap). A middle height
// that is not a number never passes the filter and is not kept.
void AddLineHeight(HeightLevels& levels, float middle);

// Puts the middle heights in order; call after the last line.
void SealHeightLevels(HeightLevels& levels);

// Whether the filter with distances `low` and `high` passes other lines of
// `levels` for the player height `to` than for `from`.
bool FilterPassesOtherLines(const HeightLevels& levels, int low, int high, float from, float to);

}  // namespace tolvik

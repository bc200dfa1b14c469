// Vector map options and the working state of the last render.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/colour.h"
#include "base/current_map.h"

namespace tolvik {

// The middle heights of the lines the last render could draw, in ascending
// order, and the player height it was drawn for; vector/height_levels.h
// judges new heights by them.
struct HeightLevels {
    std::vector<float> middles;
    float renderHeight = 0.0f;
};

struct VectorMapSettings {
    std::string SearchFilter;
    int ShowBase = 1;
    int ShowLayer1 = 1;
    int ShowLayer2 = 1;
    int ShowLayer3 = 1;
    int ShowLabels = 1;
    int UseHeightFilter = 0;
    int FilterLow = 20;
    int FilterHigh = 20;
    Colour Color = MakeColour(128, 128, 128);
    CalibrationPoints working;  // bounds during a render, calibration after it
    int MapResolution = 1000;
    int BitmapWidth = 0;
    int BitmapHeight = 0;
    int FontAdjust = 5;
    int LabelSpacing = 2;
    int FollowHeight = 1;     // render again when the player's height changes what the filter passes
    int FadeOtherLevels = 0;  // draw what the filter hides, faded toward Color
    HeightLevels levels;      // of the last render, for following the player's height
};

}  // namespace tolvik

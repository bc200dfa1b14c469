#include "chrome/button_face.h"

#include <algorithm>

#include "base/colour.h"
#include "res/resource.h"

namespace tolvik {

int Dib24Stride(int width) { return ((width * 3) + 3) & ~3; }

std::uint32_t ShadeButtonFace(std::uint8_t* pixels, int width, int height, int bevel, int lighten) {
    if (!pixels || width < 1 || height < 1) return MakeColour(255, 255, 255);
    const int stride = Dib24Stride(width);
    std::uint64_t sum[3] = {0, 0, 0};  // blue, green, red
    for (int y = 0; y < height; ++y) {  // y counts rows upward from the bottom row
        std::uint8_t* row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
        for (int x = 0; x < width; ++x) {
            const int d = std::min({x, y, width - x, height - y});
            for (int c = 0; c < 3; ++c) {
                int value = row[x * 3 + c];
                if (d < bevel) value = value * d / bevel;
                value = (value * (100 - lighten) + 255 * lighten) / 100;
                value = std::clamp(value, 0, 255);
                row[x * 3 + c] = static_cast<std::uint8_t>(value);
                sum[c] += static_cast<std::uint64_t>(value);
            }
        }
    }
    const std::uint64_t count = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    const unsigned blue = static_cast<unsigned>(sum[0] / count);
    const unsigned green = static_cast<unsigned>(sum[1] / count);
    const unsigned red = static_cast<unsigned>(sum[2] / count);
    const unsigned lift = 255 - std::max({red, green, blue});
    return MakeColour(red + lift, green + lift, blue + lift);
}

std::uint32_t BevelShadowColor(std::uint32_t highlight) {
    const unsigned g = (highlight & 0xFF) / 2;
    return MakeColour(g, g, g);
}

std::string MainButtonText(int id, int onTop, int autoDetect) {
    switch (id) {
    case IDC_ABOUT: return "About...";
    case IDC_ITEM_DB: return "Allakhazam";
    case IDC_CALIBRATE: return "Calibrate";
    case IDC_CHOOSE_MAP: return "Select Map Image...";
    case IDC_SET_LOG: return "Select...";
    case IDC_INSTRUCTIONS: return "Instructions";
    case IDC_KEEP_ON_TOP: return onTop ? "Allow underneath" : "Keep on top";
    case IDC_WIKI: return "P1999 Wiki";
    case IDC_EXIT: return "Exit";
    case IDC_AUTO_SELECT: return autoDetect ? "Disable Auto-Select" : "Enable Auto-Select";
    case IDC_SAVE_CAL: return "Save Calibration";
    default: return {};
    }
}

}  // namespace tolvik

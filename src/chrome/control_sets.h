// The groups of main window controls that are coloured, shown and hidden together.
#pragma once

#include <array>

#include "res/resource.h"

namespace tolvik {

// Log path, position fields, zone list and "You are in" field.
inline constexpr std::array<int, 6> kInfoFields = {
    IDC_LOG_FILE, IDC_POS_X, IDC_POS_Y, IDC_POS_Z, IDC_ZONE_LIST, IDC_ZONE_FIELD,
};

// Shown only in Calibration Mode.
inline constexpr std::array<int, 19> kCalibrationPanel = {
    IDC_CHOOSE_MAP, IDC_SAVE_CAL, IDC_INSTRUCTIONS,
    IDC_PHYS1_X, IDC_PHYS1_Y, IDC_LOG1_X, IDC_LOG1_Y,
    IDC_PHYS2_X, IDC_PHYS2_Y, IDC_LOG2_X, IDC_LOG2_Y,
    IDC_P1_Y_LABEL, IDC_P1_X_LABEL, IDC_PHYS1_LABEL, IDC_LOG1_LABEL,
    IDC_PHYS2_LABEL, IDC_LOG2_LABEL, IDC_P2_X_LABEL, IDC_P2_Y_LABEL,
};

// Buttons and labels hidden in map-only view.
inline constexpr std::array<int, 15> kWindowControls = {
    IDC_EXIT, IDC_ABOUT, IDC_KEEP_ON_TOP, IDC_SET_LOG, IDC_AUTO_SELECT, IDC_ITEM_DB, IDC_WIKI, IDC_CALIBRATE,
    IDC_VIEWING_LABEL, IDC_LOG_FILE_LABEL, IDC_YOU_ARE_IN_LABEL, IDC_X_LABEL, IDC_Y_LABEL, IDC_Z_LABEL,
    IDC_AT_LABEL,
};

template <std::size_t N>
constexpr bool InSet(const std::array<int, N>& set, int id) {
    for (int member : set) {
        if (member == id) return true;
    }
    return false;
}

}  // namespace tolvik

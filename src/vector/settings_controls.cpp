#include "vector/settings_controls.h"

#include <algorithm>
#include <climits>

#include "res/resource.h"

namespace tolvik {

int* VectorToggleFlag(VectorMapSettings& settings, int id) {
    switch (id) {
    case IDC_VM_BASE: return &settings.ShowBase;
    case IDC_VM_LAYER1: return &settings.ShowLayer1;
    case IDC_VM_LAYER2: return &settings.ShowLayer2;
    case IDC_VM_LAYER3: return &settings.ShowLayer3;
    case IDC_VM_LABELS: return &settings.ShowLabels;
    case IDC_VM_FILTER_ENABLE: return &settings.UseHeightFilter;
    default: return nullptr;
    }
}

const int* VectorToggleFlag(const VectorMapSettings& settings, int id) {
    return VectorToggleFlag(const_cast<VectorMapSettings&>(settings), id);
}

std::string VectorSettingsButtonText(int id, const VectorMapSettings& settings, const std::string& ownCaption) {
    const int* flag = VectorToggleFlag(settings, id);
    if (!flag) return ownCaption.substr(0, kMaxButtonCaptionChars);
    const bool on = *flag != 0;
    switch (id) {
    case IDC_VM_BASE: return on ? "[Base]" : "Base";
    case IDC_VM_LAYER1: return on ? "[1]" : "1";
    case IDC_VM_LAYER2: return on ? "[2]" : "2";
    case IDC_VM_LAYER3: return on ? "[3]" : "3";
    case IDC_VM_LABELS: return on ? "Hide" : "Show";
    default: return on ? "Disable" : "Enable";  // IDC_VM_FILTER_ENABLE
    }
}

void ClampVectorSettings(VectorMapSettings& settings) {
    settings.MapResolution = std::clamp(settings.MapResolution, kMinMapResolution, kMaxMapResolution);
    settings.FontAdjust = std::clamp(settings.FontAdjust, kMinFontAdjust, kMaxFontAdjust);
    settings.LabelSpacing = std::clamp(settings.LabelSpacing, kMinLabelSpacing, kMaxLabelSpacing);
    settings.FilterLow = std::max(settings.FilterLow, 0);
    settings.FilterHigh = std::max(settings.FilterHigh, 0);
}

bool ParseFilterField(const std::string& text, int& value) {
    if (text.empty()) return false;
    long long number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
        if (number > INT_MAX) return false;
    }
    value = static_cast<int>(number);
    return true;
}

bool TickPastDeadline(std::uint32_t now, std::uint32_t deadline) {
    const std::uint32_t ahead = now - deadline;
    return ahead != 0 && ahead < 0x80000000u;
}

}  // namespace tolvik

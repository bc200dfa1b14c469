#include "base/window_text_win.h"

#include <vector>

namespace tolvik {

std::string WindowText(HWND control, std::size_t maxChars) {
    std::vector<char> text(maxChars + 1, '\0');
    if (control) GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    return std::string(text.data());
}

std::string WholeWindowText(HWND control) {
    const int length = control ? GetWindowTextLengthA(control) : 0;
    return WindowText(control, static_cast<std::size_t>(length > 0 ? length : 0));
}

HWND RememberedItem(HWND window, int id, HWND& slot) {
    if (!slot || GetParent(slot) != window) slot = GetDlgItem(window, id);
    return slot;
}

}  // namespace tolvik

#include "vector/settings_window_win.h"

#include "res/resource.h"

namespace tolvik {

INT_PTR CALLBACK VectorSettingsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_VM_CLOSE || LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(window);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

HWND OpenVectorSettingsWindow(HWND owner, Program& program) {
    const HWND window = CreateDialogParamA(GetModuleHandleA(nullptr), "EQVMAPSETTINGS", owner, VectorSettingsProc,
                                           reinterpret_cast<LPARAM>(&program));
    if (window) ShowWindow(window, SW_SHOW);
    return window;
}

}  // namespace tolvik

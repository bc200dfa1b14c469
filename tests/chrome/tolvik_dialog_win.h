// The real "Tolvik" dialog template with a bare procedure that only attaches
// a Program, so that the chrome functions can be driven one by one.
#pragma once

#include <windows.h>

#include <memory>

#include "app/program_win.h"

namespace tolvik::test {

inline INT_PTR CALLBACK BareDialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) AttachProgram(window, reinterpret_cast<Program*>(lParam));
    return message == WM_INITDIALOG;
}

class TolvikDialog {
public:
    TolvikDialog() : program_(std::make_unique<Program>()) {
        window_ = CreateDialogParamA(GetModuleHandleA(nullptr), "Tolvik", nullptr, BareDialogProc,
                                     reinterpret_cast<LPARAM>(program_.get()));
    }
    ~TolvikDialog() {
        if (window_) DestroyWindow(window_);
    }
    TolvikDialog(const TolvikDialog&) = delete;
    TolvikDialog& operator=(const TolvikDialog&) = delete;

    HWND get() const { return window_; }
    Program& program() { return *program_; }
    HWND item(int id) const { return GetDlgItem(window_, id); }
    bool visible(int id) const { return (GetWindowLongA(item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    // A control's window rectangle in the dialog's client coordinates.
    RECT clientRectOf(int id) const {
        RECT r = {};
        GetWindowRect(item(id), &r);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    SIZE clientSize() const {
        RECT r = {};
        GetClientRect(window_, &r);
        return {r.right, r.bottom};
    }

private:
    std::unique_ptr<Program> program_;
    HWND window_ = nullptr;
};

}  // namespace tolvik::test

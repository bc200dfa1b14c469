// End-to-end helpers: the real Tolvik.exe started in a staged folder, driven from outside.
#pragma once

#include <windows.h>

#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>

#include "base/gdi_win.h"
#include "res/resource.h"
#include "support/temp_files.h"

namespace tolvik::e2e {

using test::AppendFile;
using test::WriteFile;

inline std::string DataFile(const std::string& relative) { return std::string(TOLVIK_DATA_DIR) + "\\" + relative; }

// A program folder laid out like the shipped one, with a logs\ folder beside.
class StagedProgram {
public:
    explicit StagedProgram(const std::string& name) : folder_("e2e-" + name) {
        for (const char* sub : {"Textures", "Zones", "VURavaZiro", "logs"}) test::MakeFolder(folder_ / sub);
        char exe[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        *std::strrchr(exe, '\\') = '\0';
        Copy(std::string(exe) + "\\Tolvik.exe", "Tolvik.exe");
        for (const char* file : {"Textures\\BackgroundDialog.jpg", "Textures\\BackgroundButton.jpg", "Textures\\BackgroundMap.jpg",
                                 "Zones\\MissingMap.jpg"})
            Copy(DataFile(file), file);
    }
    void Copy(const std::string& from, const std::string& to) const { CopyFileA(from.c_str(), (folder_ / to).c_str(), FALSE); }
    // Starts the log with `text` and makes it the program's log file.
    void StartLog(const std::string& text) const { WriteFile(log(), text), Set("Settings", "Log File", log()); }
    void Set(const char* section, const char* key, const std::string& value) const {
        WritePrivateProfileStringA(section, key, value.c_str(), ini().c_str());
    }
    std::string Get(const char* section, const char* key) const {  // or "<missing>"
        char text[300] = {};
        GetPrivateProfileStringA(section, key, "<missing>", text, sizeof text, ini().c_str());
        return text;
    }
    const std::string& folder() const { return folder_.path(); }
    std::string log() const { return folder_ / "logs\\eqlog_Tester_P1999.txt"; }
    std::string ini() const { return folder_ / "Tolvik.ini"; }

private:
    test::TempFolder folder_;
};

// A pixel of the screen, as the user sees it.
inline COLORREF ScreenPixel(POINT p) { return GetPixel(WindowDc(nullptr).get(), p.x, p.y); }

inline bool WaitFor(const std::function<bool()>& condition, int milliseconds = 3000) {
    for (const ULONGLONG end = GetTickCount64() + milliseconds; GetTickCount64() < end; Sleep(50))
        if (condition()) return true;
    return condition();
}

inline bool PixelBecomes(POINT screen, COLORREF colour, int milliseconds = 3000) {
    return WaitFor([&] { return ScreenPixel(screen) == colour; }, milliseconds);
}

// The text of another process's window (empty when it does not answer).
inline std::string TextOf(HWND window) {
    char text[1024] = {};  // zeroed: the answer may come without its end
    DWORD_PTR result = 0;
    if (window)
        SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &result);
    return text;
}

// Tolvik.exe running; the constructor waits for its window, visible and filled (else window() is null).
class RunningTolvik {
public:
    explicit RunningTolvik(const StagedProgram& staged) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + staged.folder() + "Tolvik.exe\"";
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, staged.folder().c_str(),
                            &startup, &process_))
            return;
        CloseHandle(process_.hThread);
        // The process's window whose title starts with "Tolvik", visible and filled.
        const auto found = [this](HWND window) {
            DWORD pid = 0;
            char title[64] = {};
            GetWindowThreadProcessId(window, &pid);
            return pid == process_.dwProcessId && GetWindowTextA(window, title, sizeof title) &&
                   std::strncmp(title, "Tolvik", 6) == 0 && IsWindowVisible(window) && !TextOf(GetDlgItem(window, IDC_POS_X)).empty();
        };
        WaitFor([&] {
            while ((window_ = FindWindowExA(nullptr, window_, nullptr, nullptr)) && !found(window_)) {}
            return window_ != nullptr;
        }, 20000);
    }
    ~RunningTolvik() {
        if (!process_.hProcess) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT && Close(5000) == STILL_ACTIVE) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
    }
    RunningTolvik(const RunningTolvik&) = delete;
    RunningTolvik& operator=(const RunningTolvik&) = delete;

    HWND window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    std::string Text(int id) const { return TextOf(Item(id)); }
    bool TextBecomes(int id, const std::string& text, int milliseconds = 3000) const {
        return WaitFor([&] { return Text(id) == text; }, milliseconds);
    }
    RECT View() const {  // the Map View's client rectangle
        RECT r{};
        return GetClientRect(Item(IDC_MAP_VIEW), &r), r;
    }
    POINT ViewToScreen(POINT p) const { return ClientToScreen(Item(IDC_MAP_VIEW), &p), p; }
    // A drag with the left button from view point `from` by (dx, dy), as the window receives it.
    void Drag(POINT from, int dx, int dy, WPARAM keys = 0) const {
        MapWindowPoints(Item(IDC_MAP_VIEW), window_, &from, 1);
        const auto at = [&](int part) {
            return MAKELPARAM(static_cast<WORD>(static_cast<short>(from.x + dx * part / 2)),
                              static_cast<WORD>(static_cast<short>(from.y + dy * part / 2)));
        };
        for (int part : {0, 1, 2}) SendMessageA(window_, part ? WM_MOUSEMOVE : WM_LBUTTONDOWN, MK_LBUTTON | keys, at(part));
        SendMessageA(window_, WM_LBUTTONUP, keys, at(2));
    }
    // Asks the window to close and returns the exit code (STILL_ACTIVE if still running).
    DWORD Close(int milliseconds = 15000) {
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        if (!process_.hProcess) return 1000;
        WaitForSingleObject(process_.hProcess, static_cast<DWORD>(milliseconds));
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace tolvik::e2e

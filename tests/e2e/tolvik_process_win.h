// End-to-end helpers: a staged program folder, the real Tolvik.exe started
// in it, and its window read from outside the process.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "res/resource.h"
#include "support/temp_files.h"

namespace tolvik::e2e {

using test::AppendFile;
using test::WriteFile;

inline std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// A program folder laid out like the shipped one: Tolvik.exe, Textures\,
// Zones\MissingMap.jpg and an empty VURavaZiro\.
class StagedProgram {
public:
    explicit StagedProgram(const std::string& name) : folder_("e2e-" + name) {
        for (const char* sub : {"Textures", "Zones", "VURavaZiro", "logs"}) test::MakeFolder(folder_ / sub);
        CopyFileA((ExeFolder() + "Tolvik.exe").c_str(), (folder_ / "Tolvik.exe").c_str(), FALSE);
        const std::string data = std::string(TOLVIK_DATA_DIR) + "\\";
        for (const char* texture : {"BackgroundDialog.jpg", "BackgroundButton.jpg", "BackgroundMap.jpg"}) {
            CopyFileA((data + "Textures\\" + texture).c_str(), (folder_ / "Textures\\" + texture).c_str(), FALSE);
        }
        CopyFileA((data + "Zones\\MissingMap.jpg").c_str(), (folder_ / "Zones\\MissingMap.jpg").c_str(), FALSE);
    }

    const std::string& folder() const { return folder_.path(); }
    std::string operator/(const std::string& name) const { return folder_ / name; }

private:
    test::TempFolder folder_;
};

// A value of a profile file, or "<missing>".
inline std::string Profile(const std::string& file, const char* section, const char* key) {
    char text[300] = {};
    GetPrivateProfileStringA(section, key, "<missing>", text, sizeof text, file.c_str());
    return text;
}

// A pixel of the screen, as the user sees it.
inline COLORREF ScreenPixel(POINT p) {
    const HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

inline bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

// Tolvik.exe running in a staged folder.
class RunningTolvik {
public:
    explicit RunningTolvik(const StagedProgram& staged) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + staged.folder() + "Tolvik.exe\"";
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, staged.folder().c_str(),
                           &startup, &process_)) {
            CloseHandle(process_.hThread);
            process_.hThread = nullptr;
        }
    }
    ~RunningTolvik() {
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
                if (WaitForSingleObject(process_.hProcess, 5000) == WAIT_TIMEOUT) {
                    TerminateProcess(process_.hProcess, 99);
                    WaitForSingleObject(process_.hProcess, 5000);
                }
            }
            CloseHandle(process_.hProcess);
        }
    }
    RunningTolvik(const RunningTolvik&) = delete;
    RunningTolvik& operator=(const RunningTolvik&) = delete;

    // Waits until the main window is visible and its controls exist.
    HWND WaitForWindow(int milliseconds = 20000) {
        WaitFor(
            [this] {
                window_ = FindMainWindow();
                return window_ && IsWindowVisible(window_) && GetDlgItem(window_, IDC_ZONE_FIELD) != nullptr &&
                       !Text(IDC_POS_X).empty();
            },
            milliseconds);
        return window_;
    }

    std::string Text(int id) const {
        char text[1024] = {};  // zeroed: the answer may come without its end
        const HWND control = window_ ? GetDlgItem(window_, id) : nullptr;
        if (!control) return {};
        DWORD_PTR result = 0;
        SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                            &result);
        return text;
    }

    // Asks the window to close and returns the exit code (or 259 if still running).
    DWORD Close(int milliseconds = 15000) {
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        if (!process_.hProcess) return 1000;
        WaitForSingleObject(process_.hProcess, static_cast<DWORD>(milliseconds));
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

    HWND window() const { return window_; }

private:
    HWND FindMainWindow() const {
        struct Search {
            DWORD pid;
            HWND found;
        } search{process_.dwProcessId, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD pid = 0;
                GetWindowThreadProcessId(window, &pid);
                char title[64] = {};
                GetWindowTextA(window, title, sizeof title);
                if (pid == s->pid && std::strncmp(title, "Tolvik", 6) == 0) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace tolvik::e2e

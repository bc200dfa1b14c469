// The system facilities behind the Program's seams.
#include "app/system_seams_win.h"

#include <array>

#include "base/shipped_art_win.h"
#include "chrome/choosers_win.h"
#include "log/discovery.h"

namespace tolvik {

Seams SystemSeams() {
    Seams seams;
    seams.tickCount = [] { return static_cast<std::uint32_t>(GetTickCount()); };
    seams.pickFileToOpen = [](HWND owner, std::string& path, FileFilter filter) {
        // A window without a Program still gets a chooser, starting in the
        // Windows folder.
        const ForeignLoop loop(owner);
        Program* program = TryProgramOf(owner);
        std::string spare;
        return PickFileToOpen(owner, program ? program->app.chooserStartFolder : spare, path, filter);
    };
    seams.gameLogFolder = [] {
        std::string folder;
        FindGameLogFolder(folder);
        return folder;
    };
    seams.messageBox = [](HWND owner, const std::string& text, const std::string& caption, UINT type) {
        const ForeignLoop loop(owner);
        return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
    };
    // The main window is modeless: its end destroys it and ends the message loop.
    seams.endDialog = [](HWND window, INT_PTR result) {
        DestroyWindow(window);
        PostQuitMessage(static_cast<int>(result));
    };
    seams.chooseColor = [](HWND owner, std::uint32_t& color) {
        // The custom colours are kept for the run in the Program of the
        // window that asks; a window without one keeps them for one choice.
        const ForeignLoop loop(owner);
        Program* program = TryProgramOf(owner);
        std::array<std::uint32_t, 16> spare{};
        return PickColour(owner, program ? program->app.customColors : spare, color);
    };
    seams.pickFolder = [](HWND window, int csidl, std::string& path, const std::string& title) {
        const ForeignLoop loop(window);
        return PickFolder(window, csidl, path, title);
    };
    seams.builtInPicture = BuiltInPictureBytes;
    return seams;
}

}  // namespace tolvik

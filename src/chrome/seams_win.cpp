// The system facilities behind the Program's seams, and the Program's home
// in its windows.
#include "app/program_win.h"
#include "chrome/links_win.h"
#include "log/discovery.h"

namespace tolvik {

Seams SystemSeams() {
    Seams seams;
    seams.tickCount = [] { return static_cast<std::uint32_t>(GetTickCount()); };
    seams.pickFileToOpen = [](HWND owner, std::string& path, FileFilter filter) {
        // A window without a Program still gets a chooser, starting in the
        // Windows folder.
        auto* program = reinterpret_cast<Program*>(owner ? GetWindowLongPtrA(owner, DWLP_USER) : 0);
        std::string spare;
        return PickFileToOpen(owner, program ? program->app.chooserStartFolder : spare, path, filter);
    };
    seams.gameLogFolder = [] {
        std::string folder;
        FindGameLogFolder(folder);
        return folder;
    };
    seams.messageBox = [](HWND owner, const std::string& text, const std::string& caption, UINT type) {
        return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
    };
    return seams;
}

Program& ProgramOf(HWND window) {
    return *reinterpret_cast<Program*>(GetWindowLongPtrA(window, DWLP_USER));
}

void AttachProgram(HWND window, Program* program) {
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(program));
}

}  // namespace tolvik

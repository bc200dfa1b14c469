// Program entry: prepares the Application State and runs the main window.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <new>

#include "app/folders_win.h"
#include "app/main_window_win.h"
#include "app/system_seams_win.h"
#include "base/image_win.h"
#include "base/program_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    InitCommonControls();
    const tolvik::GdiplusSession pictures;  // for the whole run (pictures are also decoded on other threads)
    std::unique_ptr<tolvik::Program> program;
    try {
        program = std::make_unique<tolvik::Program>();
    } catch (const std::bad_alloc&) {
        MessageBoxA(nullptr, "Tolvik could not start: not enough memory.", "Tolvik", MB_OK | MB_ICONERROR);
        return 0;
    }
    program->app.instance = instance;
    program->seams = tolvik::SystemSeams();
    tolvik::InitProgramFolders(program->app);
    // The main window runs modelessly, so that one message loop gives it and
    // the Vector Map Settings windows their keyboard handling.
    const HWND window = tolvik::CreateMainWindow(instance, *program);
    if (!window) return 0;
    ShowWindow(window, SW_SHOW);
    tolvik::RunMessageLoop(*program);
    return 0;
}

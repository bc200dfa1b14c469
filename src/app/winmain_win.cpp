// Program entry: prepares the Application State and runs the main window.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/folders_win.h"
#include "app/main_window_win.h"
#include "app/program_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    InitCommonControls();
    auto program = std::make_unique<tolvik::Program>();
    program->app.instance = instance;
    tolvik::InitProgramFolders(program->app);
    DialogBoxParamA(instance, "Tolvik", GetDesktopWindow(), tolvik::MainWindowProc,
                    reinterpret_cast<LPARAM>(program.get()));
    return 0;
}

// Keeps Wine's background services running for a whole test session: a
// process with one hidden window that exits when told to or when its ready
// file is removed.
#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    // Creating a window starts the display driver and Wine's services.
    const HWND window = CreateWindowExA(0, "STATIC", "tolvik-wine-keeper", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                        instance, nullptr);
    const char* readyFile = commandLine;
    if (readyFile && *readyFile) {
        if (FILE* f = std::fopen(readyFile, "w")) {
            std::fputs("ready\n", f);
            std::fclose(f);
        }
    }
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return 0;
            DispatchMessageA(&message);
        }
        if (readyFile && *readyFile && GetFileAttributesA(readyFile) == INVALID_FILE_ATTRIBUTES) break;
        Sleep(200);
    }
    if (window) DestroyWindow(window);
    return 0;
}

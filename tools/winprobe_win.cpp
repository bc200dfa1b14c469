// Looks at Tolvik's window from outside the process, as a user's tools would.
//
//   winprobe wait TITLE SECONDS   wait until a visible dialog titled TITLE... is up
//   winprobe text TITLE ID        print the text of control ID
//   winprobe close TITLE          ask the window to close
//   winprobe press TITLE ID       press button ID (without waiting for what it opens)
//   winprobe away TITLE           move the mouse pointer off the window (to a corner
//                                 of the screen the window does not cover)
//   winprobe ping TITLE SECONDS   send the window an empty message every 20 ms for
//                                 SECONDS and print the longest wait for its answer
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Search {
    const char* prefix;
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    char cls[64] = {};
    char title[256] = {};
    GetClassNameA(window, cls, sizeof cls);
    GetWindowTextA(window, title, sizeof title);
    if (std::strcmp(cls, "#32770") == 0 && std::strncmp(title, search->prefix, std::strlen(search->prefix)) == 0 &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindDialog(const char* prefix) {
    Search search{prefix, nullptr};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: winprobe wait|text|close|press TITLE [ARG]\n");
        return 2;
    }
    const std::string command = argv[1];
    const char* title = argv[2];
    if (command == "wait") {
        const int seconds = argc > 3 ? std::atoi(argv[3]) : 10;
        for (int i = 0; i < seconds * 10; ++i) {
            if (FindDialog(title)) return 0;
            Sleep(100);
        }
        return 1;
    }
    const HWND window = FindDialog(title);
    if (!window) {
        std::fprintf(stderr, "no window titled %s\n", title);
        return 1;
    }
    if (command == "text" && argc > 3) {
        char text[1024] = {};
        SendMessageTimeoutA(GetDlgItem(window, std::atoi(argv[3])), WM_GETTEXT, sizeof text,
                            reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
        std::printf("%s\n", text);
        return 0;
    }
    if (command == "press" && argc > 3) {
        const int id = std::atoi(argv[3]);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
        return 0;
    }
    if (command == "away") {
        RECT area{};
        GetWindowRect(window, &area);
        const int right = GetSystemMetrics(SM_CXSCREEN) - 1, bottom = GetSystemMetrics(SM_CYSCREEN) - 1;
        const POINT corners[] = {{0, 0}, {right, 0}, {0, bottom}, {right, bottom}};
        for (const POINT& corner : corners) {
            if (!PtInRect(&area, corner)) return SetCursorPos(corner.x, corner.y) ? 0 : 1;
        }
        return 1;
    }
    if (command == "ping" && argc > 3) {
        const DWORD span = static_cast<DWORD>(std::atoi(argv[3])) * 1000;
        const DWORD start = GetTickCount();
        DWORD longest = 0;
        int pings = 0;
        while (GetTickCount() - start < span) {
            const DWORD sent = GetTickCount();
            DWORD_PTR answer = 0;
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
            longest = std::max<DWORD>(longest, GetTickCount() - sent);
            ++pings;
            Sleep(20);
        }
        std::printf("longest answer %lu ms over %d messages\n", static_cast<unsigned long>(longest), pings);
        return 0;
    }
    if (command == "close") {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    }
    std::fprintf(stderr, "unknown command %s\n", command.c_str());
    return 2;
}

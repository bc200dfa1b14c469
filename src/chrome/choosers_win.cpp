#include "chrome/choosers_win.h"

#include <commdlg.h>
#include <ole2.h>
#include <shlobj.h>

namespace tolvik {
namespace {

// Filter pairs of the open-file dialog, each part ended by a zero and the
// whole by a second zero.
std::string FilterText(FileFilter filter) {
    static const char logFiles[] = "EQ Log Files (*.TXT)\0 *.TXT\0";
    static const char pictures[] = "Picture Files\0 *.jpg\0";
    if (filter == FileFilter::Pictures) return std::string(pictures, sizeof pictures);
    return std::string(logFiles, sizeof logFiles);
}

// Frees a shell item identifier with the shell's allocator.
void FreeItemList(IMalloc* allocator, LPITEMIDLIST list) {
    if (allocator && list) allocator->Free(list);
}

}  // namespace

bool PickFileToOpen(HWND owner, std::string& chooserStartFolder, std::string& path, FileFilter filter) {
    if (chooserStartFolder.empty()) {
        char windows[MAX_PATH] = {};
        UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
        if (length > 0 && length < MAX_PATH) chooserStartFolder.assign(windows, length);
    }

    char file[MAX_PATH] = {};
    path.copy(file, MAX_PATH - 1);
    const std::string filterText = FilterText(filter);

    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filterText.c_str();
    request.lpstrFile = file;
    request.nMaxFile = MAX_PATH;
    request.lpstrInitialDir = chooserStartFolder.empty() ? nullptr : chooserStartFolder.c_str();
    request.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_SHOWHELP;
    if (!GetOpenFileNameA(&request)) return false;
    path = file;
    return true;
}

bool PickColour(HWND owner, std::array<std::uint32_t, 16>& custom, std::uint32_t& color) {
    COLORREF colours[16] = {};
    for (std::size_t i = 0; i < 16; ++i) colours[i] = custom[i];
    CHOOSECOLORA chooser = {};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = owner;
    chooser.rgbResult = color;
    chooser.lpCustColors = colours;
    chooser.Flags = CC_RGBINIT;
    const bool chosen = ChooseColorA(&chooser) != FALSE;
    for (std::size_t i = 0; i < 16; ++i) custom[i] = colours[i];
    if (chosen) color = chooser.rgbResult;
    return chosen;
}

bool PickFolder(HWND window, int csidl, std::string& path, const std::string& title) {
    const HRESULT ole = OleInitialize(nullptr);
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator))) allocator = nullptr;

    bool chosen = false;
    LPITEMIDLIST root = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(window, csidl, &root)) && root) {
        char displayName[MAX_PATH] = {};
        BROWSEINFOA browse = {};
        browse.hwndOwner = nullptr;
        browse.pidlRoot = root;
        browse.pszDisplayName = displayName;
        browse.lpszTitle = title.c_str();
        browse.ulFlags = BIF_RETURNONLYFSDIRS;
        LPITEMIDLIST picked = SHBrowseForFolderA(&browse);
        if (picked) {
            char folder[MAX_PATH] = {};
            if (SHGetPathFromIDListA(picked, folder)) {
                path = folder;
                chosen = true;
            }
            FreeItemList(allocator, picked);
        }
        FreeItemList(allocator, root);
    }

    if (allocator) allocator->Release();
    if (SUCCEEDED(ole)) OleUninitialize();
    return chosen;
}

}  // namespace tolvik

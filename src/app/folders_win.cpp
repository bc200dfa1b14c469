#include "app/folders_win.h"

#include <windows.h>
#include <shlobj.h>

#include "app/folders.h"
#include "log/discovery.h"

namespace tolvik {

void InitProgramFolders(AppState& app) {
    char modulePath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
    char localAppData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, localAppData))) {
        localAppData[0] = '\0';
    }
    InitProgramFolders(app, modulePath, localAppData);
    if (app.programFolder != FolderOfPath(modulePath)) {
        // Our own per-user folder: make it, with the folders we write into.
        CreateDirectoryA(app.programFolder.c_str(), nullptr);
        CreateDirectoryA(app.zonesFolder.c_str(), nullptr);
    }
}

}  // namespace tolvik

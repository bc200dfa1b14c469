#include "app/folders.h"

#include "base/paths.h"
#include "log/discovery.h"

namespace tolvik {
std::string FallbackProgramFolder(const std::string& localAppData) {
    if (localAppData.empty()) return {};
    const std::string base = WithTrailingSeparator(localAppData);
    const char sep = SeparatorOf(base);
    return base + "Tolvik" + sep;
}

std::string ChooseProgramFolder(const std::string& moduleFolder, bool texturesBesideProgram,
                                const std::string& fallback) {
    return texturesBesideProgram || fallback.empty() ? moduleFolder : fallback;
}

void SetProgramFolders(AppState& app, const std::string& programFolder) {
    const std::string folder = WithTrailingSeparator(programFolder);
    const char sep = SeparatorOf(folder);
    app.programFolder = folder;
    app.texturesFolder = folder + "Textures" + sep;
    app.vectorMapFolder = folder + "VURavaZiro" + sep;
    app.zonesFolder = folder + "Zones" + sep;
}

void InitProgramFolders(AppState& app, const std::string& modulePath, const std::string& localAppData) {
    const std::string moduleFolder = FolderOfPath(modulePath);
    const char sep = SeparatorOf(moduleFolder);
    const std::string textures = moduleFolder + "Textures" + sep + "BackgroundDialog.jpg";
    SetProgramFolders(app, ChooseProgramFolder(moduleFolder, FileExists(textures),
                                               FallbackProgramFolder(localAppData)));
}

void DeriveLogFolder(AppState& app) { tolvik::DeriveLogFolder(app.logFile, app.logFolder); }

}  // namespace tolvik

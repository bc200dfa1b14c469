#include "base/shipped_art_win.h"

#include "base/image_win.h"

namespace tolvik {

std::string_view BuiltInPictureBytes(const std::string& fileName) {
    // The resource is named after the file, with '_' for the dot
    // ("BackgroundDialog_jpg"); resource names ignore case.
    std::string name = fileName;
    for (char& c : name) {
        if (c == '.') c = '_';
    }
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10));  // raw data (RT_RCDATA)
    if (!found) return {};
    const HGLOBAL loaded = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return {};
    return std::string_view(static_cast<const char*>(bytes), size);
}

HBITMAP LoadBuiltInPicture(const Program& program, const std::string& fileName) {
    const std::string_view bytes = program.seams.builtInPicture(fileName);
    return bytes.empty() ? nullptr : DecodeImageBytes(bytes.data(), bytes.size());
}

HBITMAP LoadShippedPicture(const Program& program, const std::string& folder, const std::string& fileName) {
    HBITMAP picture = LoadImageBitmap(folder + fileName);
    return picture ? picture : LoadBuiltInPicture(program, fileName);
}

}  // namespace tolvik

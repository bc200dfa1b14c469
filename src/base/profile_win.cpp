#include "base/profile_win.h"

#include <windows.h>

#include <vector>

#include "base/number_text.h"

namespace tolvik {

float ReadProfileReal(const std::string& section, const std::string& key, const std::string& file) {
    char text[42] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", text, sizeof text, file.c_str());
    if (text[0] == '\0') return 0.0f;
    return ParseLeadingReal(text);
}

void WriteProfileReal(const std::string& section, const std::string& key, float value, const std::string& file) {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), FormatFixed4(value).c_str(), file.c_str());
}

void WriteProfileInt(const std::string& section, const std::string& key, int value, const std::string& file) {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), std::to_string(value).c_str(), file.c_str());
}

int ReadProfileInt(const std::string& section, const std::string& key, int fallback, const std::string& file) {
    return static_cast<int>(GetPrivateProfileIntA(section.c_str(), key.c_str(), fallback, file.c_str()));
}

std::string ReadProfileText(const std::string& section, const std::string& key, const std::string& fallback,
                            const std::string& file, std::size_t maxChars) {
    std::vector<char> text(maxChars + 1, '\0');
    GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), text.data(),
                             static_cast<DWORD>(text.size()), file.c_str());
    return std::string(text.data());
}

void WriteProfileText(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& file) {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
}

}  // namespace tolvik

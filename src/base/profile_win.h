// Reading and writing single values of Windows profile files: the settings
// file and the per-zone calibration files. Reals are written "%.4f" and read
// with the program's own decimal parse.
#pragma once

#include <cstddef>
#include <string>

namespace tolvik {

float ReadProfileReal(const std::string& section, const std::string& key, const std::string& file);
void WriteProfileReal(const std::string& section, const std::string& key, float value, const std::string& file);
void WriteProfileInt(const std::string& section, const std::string& key, int value, const std::string& file);
int ReadProfileInt(const std::string& section, const std::string& key, int fallback, const std::string& file);
std::string ReadProfileText(const std::string& section, const std::string& key, const std::string& fallback,
                            const std::string& file, std::size_t maxChars = 259);
void WriteProfileText(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& file);

}  // namespace tolvik

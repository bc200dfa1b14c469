// Scratch folders and files for tests, natively and under Windows.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tolvik::test {

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}
inline void AppendFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::app) << bytes;
}
inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
inline void MakeFolder(const std::string& path) { std::error_code ec; std::filesystem::create_directory(path, ec); }
inline void RemoveFolder(const std::string& path) { std::error_code ec; std::filesystem::remove(path, ec); }

// Sets the last-write time of a file or folder to `minutes` minutes after a fixed moment in the past.
inline void SetWriteTime(const std::string& path, int minutes) {
    static const auto base = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::error_code ec;
    std::filesystem::last_write_time(path, base + std::chrono::minutes(minutes), ec);
}

// A fresh folder under the system's temporary folder, removed with everything in it when the object goes.
class TempFolder {
public:
    explicit TempFolder(const std::string& name = "test") {
        static std::atomic<int> serial{0};
        namespace fs = std::filesystem;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        const fs::path folder = fs::temp_directory_path() /
                                ("tolvik-" + name + "-" + std::to_string(stamp) + "-" + std::to_string(serial++));
        fs::create_directories(folder);
        path_ = folder.string() + static_cast<char>(fs::path::preferred_separator);
    }
    ~TempFolder() { std::error_code ec; std::filesystem::remove_all(path_, ec); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // The folder's path, ending with a separator, as the program keeps folders.
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }
    // Writes the file `name` inside the folder; returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const { return WriteFile(path_ + name, bytes), path_ + name; }

private:
    std::string path_;
};

}  // namespace tolvik::test

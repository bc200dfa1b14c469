#include "log/log_source_win.h"

#include <windows.h>

#include <algorithm>

namespace tolvik {
namespace {

class WinLogSource final : public LogSource {
public:
    explicit WinLogSource(HANDLE file) : file_(file) {}
    ~WinLogSource() override { CloseHandle(file_); }
    WinLogSource(const WinLogSource&) = delete;
    WinLogSource& operator=(const WinLogSource&) = delete;

    bool Size(std::uint64_t& size) override {
        LARGE_INTEGER value{};
        if (!GetFileSizeEx(file_, &value) || value.QuadPart < 0) return false;
        size = static_cast<std::uint64_t>(value.QuadPart);
        return true;
    }

    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t n) override {
        std::size_t total = 0;
        while (total < n) {
            const std::uint64_t at = offset + total;
            OVERLAPPED where{};
            where.Offset = static_cast<DWORD>(at & 0xFFFFFFFFu);
            where.OffsetHigh = static_cast<DWORD>(at >> 32);
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(n - total, DWORD{1} << 30));
            DWORD got = 0;
            if (!ReadFile(file_, buffer + total, want, &got, &where) || got == 0) break;
            total += got;
        }
        return total;
    }

private:
    HANDLE file_;
};

}  // namespace

std::unique_ptr<LogSource> OpenWinLogSource(const std::string& path) {
    if (path.empty()) return nullptr;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<WinLogSource>(file);
}

}  // namespace tolvik

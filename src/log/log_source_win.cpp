#include "log/log_source_win.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstdint>

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

    // Plain reads from the file pointer, moved only when a read does not
    // continue the previous one: a read that names its offset costs Wine a
    // call to its server every time.
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t n) override {
        if (offset != position_) {
            LARGE_INTEGER to{};
            to.QuadPart = static_cast<LONGLONG>(offset);
            position_ = kUnknown;
            if (offset > static_cast<std::uint64_t>(INT64_MAX) || !SetFilePointerEx(file_, to, nullptr, FILE_BEGIN))
                return 0;
            position_ = offset;
        }
        std::size_t total = 0;
        while (total < n) {
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(n - total, DWORD{1} << 30));
            DWORD got = 0;
            if (!ReadFile(file_, buffer + total, want, &got, nullptr) || got == 0) break;
            total += got;
        }
        position_ += total;
        return total;
    }

    // The file's index on its volume. The volume itself is left out: asking
    // for it costs Wine a round trip to its mount manager, another process,
    // at every poll, and a file put in the log's place on another volume
    // with the same index is still told by its first bytes.
    bool Identity(LogIdentity& identity) override {
        IO_STATUS_BLOCK status{};
        FILE_INTERNAL_INFORMATION info{};
        if (!NT_SUCCESS(NtQueryInformationFile(file_, &status, &info, sizeof info, FileInternalInformation)))
            return false;
        identity.volume = 0;
        identity.file = static_cast<std::uint64_t>(info.IndexNumber.QuadPart);
        return true;
    }

private:
    static constexpr std::uint64_t kUnknown = ~std::uint64_t{0};
    HANDLE file_;
    std::uint64_t position_ = 0;
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

// A log held in memory, read through the same interface as a log file.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "log/log_reader.h"

namespace tolvik::test {

class MemoryLogSource : public LogSource {
public:
    explicit MemoryLogSource(std::shared_ptr<const std::string> text) : text_(std::move(text)) {}
    bool Size(std::uint64_t& size) override { return size = text_->size(), true; }
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t n) override {
        if (offset >= text_->size()) return 0;
        const std::size_t count = std::min<std::size_t>(n, text_->size() - static_cast<std::size_t>(offset));
        std::memcpy(buffer, text_->data() + offset, count);
        if (bytesRead) *bytesRead += count;
        return count;
    }
    std::size_t* bytesRead = nullptr;  // counts what is read, when given

private:
    std::shared_ptr<const std::string> text_;
};

}  // namespace tolvik::test

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
    // Counts the bytes read in `*bytesRead`, when given.
    explicit MemoryLogSource(std::shared_ptr<const std::string> text, std::size_t* bytesRead = nullptr)
        : text_(std::move(text)), bytesRead_(bytesRead) {}
    bool Size(std::uint64_t& size) override { return size = text_->size(), true; }
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t n) override {
        const std::size_t count = offset >= text_->size() ? 0 : std::min<std::size_t>(n, text_->size() - offset);
        if (count) std::memcpy(buffer, text_->data() + offset, count);
        if (bytesRead_) *bytesRead_ += count;
        return count;
    }

private:
    std::shared_ptr<const std::string> text_;
    std::size_t* bytesRead_;
};

}  // namespace tolvik::test

// A scratch folder of map files for the vector map tests, and test doubles
// for text measuring and drawing.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "vector/vector_plan.h"

namespace tolvik::testing {

// A fresh folder removed with its files at the end of the test.
class MapFolder {
public:
    MapFolder() {
        static std::atomic<int> serial{0};
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("tolvik-vec-" + std::string(info ? info->name() : "x") + "-" +
                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" + std::to_string(serial++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~MapFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    MapFolder(const MapFolder&) = delete;
    MapFolder& operator=(const MapFolder&) = delete;

    // The folder with a final separator, as the program keeps folders.
    std::string Folder() const { return path_.string() + "/"; }
    std::string Base(const std::string& shortName) const { return Folder() + shortName + ".txt"; }

    void Write(const std::string& name, const std::string& text) const {
        std::ofstream out(path_ / name, std::ios::binary);
        out << text;
    }

private:
    std::filesystem::path path_;
};

// Every character 6 pixels wide, every text 10 pixels high (whatever the size).
class FixedMeasurer : public TextMeasurer {
public:
    explicit FixedMeasurer(int charWidth = 6, int height = 10) : charWidth_(charWidth), height_(height) {}
    TextExtent Measure(const std::string& text, int points) override {
        lastPoints = points;
        return TextExtent{static_cast<int>(text.size()) * charWidth_, height_};
    }
    int lastPoints = 0;

private:
    int charWidth_;
    int height_;
};

// Keeps every draw operation in order.
class RecordingSink : public VectorDrawSink {
public:
    void DrawLine(const VectorLineOp& line) override { lines.push_back(line); }
    void DrawLabel(const VectorLabelOp& label) override { labels.push_back(label); }
    std::vector<VectorLineOp> lines;
    std::vector<VectorLabelOp> labels;
};

}  // namespace tolvik::testing

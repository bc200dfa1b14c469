// A scratch folder of map files and a drawing double for the vector map tests.
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
        path_ = std::filesystem::temp_directory_path() /
                ("tolvik-vec-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
                 std::to_string(serial++));
        std::filesystem::create_directories(path_);
    }
    ~MapFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    MapFolder(const MapFolder&) = delete;
    MapFolder& operator=(const MapFolder&) = delete;

    std::string Folder() const { return path_.string() + "/"; }
    std::string Base(const std::string& shortName) const { return Folder() + shortName + ".txt"; }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(path_ / name, std::ios::binary) << text;
    }

private:
    std::filesystem::path path_;
};

// Every character 6 pixels wide and 10 high; keeps every draw operation in order.
struct RecordingSink : TextMeasurer, VectorDrawSink {
    TextExtent Measure(const std::string& text, int) override { return {static_cast<int>(text.size()) * 6, 10}; }
    bool BeginCanvas(int width, int height, std::uint32_t background) override {
        canvas = {width, height, static_cast<int>(background)};
        return true;
    }
    void DrawLine(const VectorLineOp& line) override { lines.push_back(line); }
    void DrawLabel(const VectorLabelOp& label) override { labels.push_back(label); }
    std::vector<int> canvas;  // width, height, background
    std::vector<VectorLineOp> lines;
    std::vector<VectorLabelOp> labels;
};

}  // namespace tolvik::testing

// A scratch folder of map files and a drawing double for the vector map tests.
#pragma once

#include <string>
#include <vector>

#include "support/temp_files.h"
#include "vector/vector_plan.h"

namespace tolvik::testing {

struct MapFolder : test::TempFolder {
    MapFolder() : test::TempFolder("vec") {}
    std::string Base(const std::string& shortName) const { return *this / (shortName + ".txt"); }
};

// Every character 6 pixels wide and 10 high; keeps every draw operation in order.
struct RecordingSink : TextMeasurer, VectorDrawSink {
    TextExtent Measure(const std::string& text, int) override { return {static_cast<int>(text.size()) * 6, 10}; }
    bool BeginCanvas(int width, int height, std::uint32_t background) override { return canvas = {width, height, static_cast<int>(background)}, true; }
    void DrawLine(const VectorLineOp& line) override { lines.push_back(line); }
    void DrawLabel(const VectorLabelOp& label) override { labels.push_back(label); }
    std::vector<int> canvas;  // width, height, background
    std::vector<VectorLineOp> lines;
    std::vector<VectorLabelOp> labels;
};

}  // namespace tolvik::testing

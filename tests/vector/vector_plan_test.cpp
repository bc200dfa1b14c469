#include <gtest/gtest.h>

#include <string>

#include "vector/vector_plan.h"
#include "vector_test_files.h"

namespace tolvik {
namespace {

using testing::FixedMeasurer;
using testing::MapFolder;
using testing::RecordingSink;

// A 2000 by 1000 unit map (x from −1000 to 1000, y from 0 to 1000).
const char* const kFrame = "L -1000, 0, 0, 1000, 1000, 0, 0, 0, 0\n";

struct Plan {
    bool made = false;
    VectorMapSettings settings;
    RecordingSink sink;
    FixedMeasurer measurer;
};

void RunPlan(Plan& plan, const std::string& base, float height = 0.0f) {
    plan.made = PlanVectorMap(plan.settings, base, height, plan.measurer, plan.sink);
}

TEST(VectorPlan, SizeAndCalibrationFromTheBounds) {
    MapFolder folder;
    folder.Write("zone.txt", kFrame);
    Plan plan;
    plan.settings.MapResolution = 800;
    RunPlan(plan, folder.Base("zone"));
    ASSERT_TRUE(plan.made);
    EXPECT_EQ(plan.settings.BitmapWidth, 800);
    EXPECT_EQ(plan.settings.BitmapHeight, 400);
    const CalibrationPoints& c = plan.settings.working;
    EXPECT_EQ(c.physicalX1, 0);
    EXPECT_EQ(c.physicalY1, 0);
    EXPECT_EQ(c.physicalX2, 800);
    EXPECT_EQ(c.physicalY2, 400);
    // Game X = −x, game Y = −y: (−min x, −min y) at (0, 0).
    EXPECT_EQ(c.logicalX1, 1000.0f);
    EXPECT_EQ(c.logicalY1, -0.0f);
    EXPECT_EQ(c.logicalX2, -1000.0f);
    EXPECT_EQ(c.logicalY2, -1000.0f);
    ASSERT_EQ(plan.sink.lines.size(), 1u);
    EXPECT_EQ(plan.sink.lines[0].x1, 0);
    EXPECT_EQ(plan.sink.lines[0].y1, 0);
    EXPECT_EQ(plan.sink.lines[0].x2, 800);
    EXPECT_EQ(plan.sink.lines[0].y2, 400);
}

TEST(VectorPlan, FileWithoutRecordsGivesTheSquareMap) {
    MapFolder folder;
    folder.Write("zone.txt", "just a comment\r\n");
    Plan plan;
    plan.settings.MapResolution = 800;
    RunPlan(plan, folder.Base("zone"));
    ASSERT_TRUE(plan.made);
    EXPECT_EQ(plan.settings.BitmapWidth, 800);
    EXPECT_EQ(plan.settings.BitmapHeight, 800);
    EXPECT_EQ(plan.settings.working.logicalX1, -1000000.0f);
    EXPECT_EQ(plan.settings.working.logicalY1, -1000000.0f);
    EXPECT_EQ(plan.settings.working.logicalX2, 1000000.0f);
    EXPECT_EQ(plan.settings.working.logicalY2, 1000000.0f);
    EXPECT_TRUE(plan.sink.lines.empty());
    EXPECT_TRUE(plan.sink.labels.empty());
}

TEST(VectorPlan, HeightFilterDrawsOnlyLinesNearThePlayer) {
    MapFolder folder;
    folder.Write("zone.txt", std::string(kFrame) +
                                 "L 0, 0, 20, 10, 10, 30, 1, 0, 0\n"     // m = 25: drawn
                                 "L 0, 0, 31, 10, 10, 31, 2, 0, 0\n"     // m = 31: not
                                 "L 0, 0, -10, 10, 10, -10, 3, 0, 0\n");  // m = −10: not
    Plan plan;
    plan.settings.UseHeightFilter = 1;
    RunPlan(plan, folder.Base("zone"), 10.0f);
    // The frame lies at height 0: 0 + 20 > 10 and 10 > −20.
    ASSERT_EQ(plan.sink.lines.size(), 2u);
    EXPECT_EQ(plan.sink.lines[1].colour, 1u);

    Plan off;
    RunPlan(off, folder.Base("zone"), 10.0f);
    EXPECT_EQ(off.sink.lines.size(), 4u);
}

TEST(VectorPlan, SearchFilterDrawsOnlyMatchingLabelsAndKeepsNoOtherAnchors) {
    MapFolder folder;
    // Map 2000 by 1000 at 1000 pixels: one pixel per two units. "Guard" sits
    // just below "First Bank", where its anchor box would cover the bank
    // label's first place (bh + 10 = 21 pixels below its anchor).
    folder.Write("zone.txt", std::string(kFrame) +
                                 "P 0, 550, 0, 0, 0, 0, 2, Guard\n"
                                 "P 0, 500, 0, 0, 0, 0, 2, First_Bank\n"
                                 "P 400, 500, 0, 0, 0, 0, 2, BANKER\n"
                                 "L -500, 500, 0, 500, 500, 0, 9, 9, 9\n");
    Plan plan;
    plan.settings.MapResolution = 1000;
    plan.settings.SearchFilter = "bank";
    RunPlan(plan, folder.Base("zone"));
    ASSERT_EQ(plan.sink.labels.size(), 2u);
    EXPECT_EQ(plan.sink.labels[0].text, "First Bank");
    EXPECT_EQ(plan.sink.labels[1].text, "BANKER");
    // Straight below its anchor: the absent "Guard" left no anchor box.
    EXPECT_EQ(plan.sink.labels[0].anchorX, 500);
    EXPECT_EQ(plan.sink.labels[0].anchorY, 250);
    EXPECT_EQ(plan.sink.labels[0].box, (PixelRect{500, 271, 561, 282}));
    EXPECT_EQ(plan.sink.lines.size(), 2u);

    // Without the filter "Guard"'s anchor box pushes the bank label away.
    Plan all;
    all.settings.MapResolution = 1000;
    RunPlan(all, folder.Base("zone"));
    ASSERT_EQ(all.sink.labels.size(), 3u);
    EXPECT_NE(all.sink.labels[1].box, (PixelRect{500, 271, 561, 282}));
}

TEST(VectorPlan, FirstLabelBelowItsAnchorWithColourAndSize) {
    MapFolder folder;
    folder.Write("zone.txt", std::string(kFrame) + "P 0, 500, 0, 300, 0, 1, 2, Gate\n");
    Plan plan;
    plan.settings.MapResolution = 800;
    plan.settings.FontAdjust = 5;
    RunPlan(plan, folder.Base("zone"));
    ASSERT_EQ(plan.sink.labels.size(), 1u);
    const VectorLabelOp& label = plan.sink.labels[0];
    EXPECT_EQ(label.anchorX, 400);
    EXPECT_EQ(label.anchorY, 200);
    // Box 4 × 6 + 1 by 10 + 1; top-left corner bh + 10 = 21 below the anchor.
    EXPECT_EQ(label.box, (PixelRect{400, 221, 425, 232}));
    EXPECT_EQ(label.colour, 44u + 65536u);
    EXPECT_EQ(label.points, 7);
}

TEST(VectorPlan, HiddenLayersKeepTheBounds) {
    MapFolder folder;
    folder.Write("zone.txt", "L 0, 0, 0, 100, 100, 0, 0, 0, 0\n");
    folder.Write("zone_1.txt", "L -1000, 0, 0, 0, 0, 0, 0, 0, 0\n");
    folder.Write("zone_3.txt", "P 0, 1000, 0, 0, 0, 0, 2, Far\n");
    Plan shown;
    RunPlan(shown, folder.Base("zone"));
    Plan hidden;
    hidden.settings.ShowBase = hidden.settings.ShowLayer1 = hidden.settings.ShowLayer2 = 0;
    hidden.settings.ShowLayer3 = 0;
    RunPlan(hidden, folder.Base("zone"));
    ASSERT_TRUE(hidden.made);
    EXPECT_EQ(hidden.settings.BitmapWidth, shown.settings.BitmapWidth);
    EXPECT_EQ(hidden.settings.BitmapHeight, shown.settings.BitmapHeight);
    EXPECT_EQ(hidden.settings.working.logicalX2, shown.settings.working.logicalX2);
    EXPECT_TRUE(hidden.sink.lines.empty());
    EXPECT_TRUE(hidden.sink.labels.empty());
    EXPECT_EQ(shown.sink.lines.size(), 2u);
    EXPECT_EQ(shown.sink.labels.size(), 1u);
}

TEST(VectorPlan, LayersInOrderAndLabelsOnlyWhenShown) {
    MapFolder folder;
    folder.Write("zone_2.txt", "L 0, 0, 0, 10, 10, 0, 2, 0, 0\n");
    folder.Write("zone.txt", "L 0, 0, 0, 10, 10, 0, 0, 0, 0\nP 5, 5, 0, 0, 0, 0, 2, L\n");
    folder.Write("zone_1.txt", "L 0, 0, 0, 10, 10, 0, 1, 0, 0\n");
    Plan plan;
    RunPlan(plan, folder.Base("zone"));
    ASSERT_EQ(plan.sink.lines.size(), 3u);
    EXPECT_EQ(plan.sink.lines[0].colour, 0u);
    EXPECT_EQ(plan.sink.lines[1].colour, 1u);
    EXPECT_EQ(plan.sink.lines[2].colour, 2u);
    EXPECT_EQ(plan.sink.labels.size(), 1u);
    Plan noLabels;
    noLabels.settings.ShowLabels = 0;
    noLabels.settings.ShowLayer2 = 0;
    RunPlan(noLabels, folder.Base("zone"));
    EXPECT_EQ(noLabels.sink.lines.size(), 2u);
    EXPECT_TRUE(noLabels.sink.labels.empty());
}

TEST(VectorPlan, DenseLabelsNeverOverlapWhileTheListHasRoom) {
    MapFolder folder;
    std::string text = kFrame;
    for (int i = 0; i < 200; ++i) {
        text += "P " + std::to_string((i * 37) % 1800 - 900) + ", " + std::to_string((i * 53) % 900 + 50) +
                ", 0, 0, 0, 0, 2, Label_" + std::to_string(i) + "\n";
    }
    folder.Write("zone.txt", text);
    Plan plan;
    plan.settings.MapResolution = 600;
    RunPlan(plan, folder.Base("zone"));
    const auto& labels = plan.sink.labels;
    EXPECT_GT(labels.size(), 20u);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const PixelRect& a = labels[i].box;
        EXPECT_GE(a.left, 0);
        EXPECT_GE(a.top, 0);
        EXPECT_LE(a.right, 600);
        EXPECT_LE(a.bottom, 300);
        for (std::size_t k = 0; k < i; ++k) {
            const PixelRect& b = labels[k].box;
            EXPECT_FALSE(std::max(a.left, b.left) < std::min(a.right, b.right) &&
                         std::max(a.top, b.top) < std::min(a.bottom, b.bottom))
                << labels[i].text << " over " << labels[k].text;
        }
    }
}

}  // namespace
}  // namespace tolvik

#include "vector/settings_controls.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "res/resource.h"

namespace tolvik {
namespace {

struct Toggle {
    int id;
    const char* on;
    const char* off;
};

const Toggle kToggles[] = {
    {IDC_VM_BASE, "[Base]", "Base"},     {IDC_VM_LAYER1, "[1]", "1"},    {IDC_VM_LAYER2, "[2]", "2"},
    {IDC_VM_LAYER3, "[3]", "3"},         {IDC_VM_LABELS, "Hide", "Show"}, {IDC_VM_FILTER_ENABLE, "Disable", "Enable"},
};

TEST(VectorSettingsControls, EachToggleButtonFlipsItsOwnFlagAndCaption) {
    for (const Toggle& t : kToggles) {
        VectorMapSettings v;
        v.UseHeightFilter = 1;  // every flag on
        int* flag = VectorToggleFlag(v, t.id);
        ASSERT_NE(flag, nullptr) << t.id;
        EXPECT_EQ(VectorSettingsButtonText(t.id, v, "ignored"), t.on);
        *flag = 0;
        EXPECT_EQ(VectorSettingsButtonText(t.id, v, "ignored"), t.off);
        // Only this button's flag changed.
        const int others = v.ShowBase + v.ShowLayer1 + v.ShowLayer2 + v.ShowLayer3 + v.ShowLabels + v.UseHeightFilter;
        EXPECT_EQ(others, 5) << t.id;
        *flag = -7;  // any non-zero value is on
        EXPECT_EQ(VectorSettingsButtonText(t.id, v, ""), t.on);
    }
}

TEST(VectorSettingsControls, OtherButtonsShowTheirOwnCaptionUpTo126Characters) {
    VectorMapSettings v;
    for (int id : {IDC_VM_CLOSE, IDC_VM_SELECT_FOLDER, IDC_VM_COLOR, IDC_VM_SWATCH}) {
        EXPECT_EQ(VectorToggleFlag(v, id), nullptr);
    }
    EXPECT_EQ(VectorSettingsButtonText(IDC_VM_CLOSE, v, "Close"), "Close");
    EXPECT_EQ(VectorSettingsButtonText(IDC_VM_COLOR, v, std::string(200, 'c')), std::string(126, 'c'));
}

TEST(VectorSettingsControls, FilterFieldsAcceptPlainNumbersThatFitAnInt) {
    int value = -1;
    EXPECT_TRUE(ParseFilterField("0", value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(ParseFilterField("0035", value));
    EXPECT_EQ(value, 35);
    EXPECT_TRUE(ParseFilterField("2147483647", value));
    EXPECT_EQ(value, 2147483647);
    EXPECT_TRUE(ParseFilterField(std::string(300, '0') + "9", value));
    EXPECT_EQ(value, 9);

    value = 77;
    for (const char* text : {"", "2147483648", "4294967291", "99999999999999999999", "-5", "+5", " 5", "5 ", "1a"}) {
        EXPECT_FALSE(ParseFilterField(text, value)) << text;
        EXPECT_EQ(value, 77) << text;
    }
}

TEST(VectorSettingsControls, DeadlineIsPassedOnlyAfterItsTickAcrossTheWrap) {
    EXPECT_FALSE(TickPastDeadline(1000, 1200));
    EXPECT_FALSE(TickPastDeadline(1200, 1200));
    EXPECT_TRUE(TickPastDeadline(1201, 1200));
    // Deadline set just before the counter wraps.
    EXPECT_FALSE(TickPastDeadline(0xFFFFFFF0u, 0x00000050u));
    EXPECT_TRUE(TickPastDeadline(0x00000051u, 0x00000050u));
    EXPECT_TRUE(TickPastDeadline(0x00000010u, 0xFFFFFFF0u));
}

}  // namespace
}  // namespace tolvik

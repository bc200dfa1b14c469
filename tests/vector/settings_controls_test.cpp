#include "vector/settings_controls.h"

#include <gtest/gtest.h>

#include "res/resource.h"

namespace tolvik {
namespace {

TEST(VectorSettingsControls, EachToggleFlipsItsOwnFlagAndNamesItsState) {
    VectorMapSettings s;
    s.ShowBase = 10, s.ShowLayer1 = 11, s.ShowLayer2 = 12, s.ShowLayer3 = 13, s.ShowLabels = 14, s.UseHeightFilter = 15;
    const struct {
        int id, flag;
        const char *on, *off;
    } toggles[] = {{IDC_VM_BASE, 10, "[Base]", "Base"}, {IDC_VM_LAYER1, 11, "[1]", "1"},   {IDC_VM_LAYER2, 12, "[2]", "2"},
                   {IDC_VM_LAYER3, 13, "[3]", "3"},     {IDC_VM_LABELS, 14, "Hide", "Show"},
                   {IDC_VM_FILTER_ENABLE, 15, "Disable", "Enable"}};
    for (const auto& t : toggles) {
        int* flag = VectorToggleFlag(s, t.id);
        ASSERT_NE(flag, nullptr) << t.id;
        EXPECT_EQ(*flag, t.flag) << t.id;
        EXPECT_EQ(VectorSettingsButtonText(t.id, s, "x"), t.on) << t.id;
        *flag = 0;
        EXPECT_EQ(VectorSettingsButtonText(t.id, s, "x"), t.off) << t.id;
    }
    EXPECT_EQ(VectorToggleFlag(s, IDC_VM_SEARCH), nullptr);
    EXPECT_EQ(VectorSettingsButtonText(IDC_VM_SEARCH, s, std::string(200, 'c')), std::string(126, 'c'));
}

TEST(VectorSettingsControls, FilterFieldsTakePlainNumbersUpToTheIntRange) {
    int value = -1;
    EXPECT_TRUE(ParseFilterField("2147483647", value));
    EXPECT_EQ(value, 2147483647);
    EXPECT_TRUE(ParseFilterField("0", value));
    EXPECT_EQ(value, 0);
    for (const char* refused : {"", "2147483648", "99999999999999999999", "-1", "+5", "12a", " 7"}) {
        EXPECT_FALSE(ParseFilterField(refused, value)) << refused;
        EXPECT_EQ(value, 0) << refused;
    }
}

}  // namespace
}  // namespace tolvik

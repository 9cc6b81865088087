#include <gtest/gtest.h>

#include <array>

#include "config/profile_rules.h"

namespace zrv {
namespace {

using Buttons = std::array<int32_t, 6>;

TEST(ProfileRules, SettingAButtonKeepsAPrimaryClick) {
    struct Case {
        Buttons before;
        int button;
        int32_t code;
        Buttons after;
    };
    const Case cases[] = {
        {{1, 2, 3, 5, 4, 6}, 0, 41, {41, 1, 3, 5, 4, 6}},  // next button takes the primary click
        {{1, 2, 3, 5, 4, 6}, 0, 1, {1, 2, 3, 5, 4, 6}},
        {{2, 1, 3, 5, 4, 6}, 1, 6, {2, 6, 1, 5, 4, 6}},
        {{2, 3, 3, 5, 1, 6}, 4, 0, {2, 3, 3, 5, 0, 1}},
        {{2, 3, 3, 5, 4, 1}, 5, 21, {2, 3, 3, 5, 4, 1}},   // button 5 gets it back itself
        {{1, 2, 3, 5, 1, 6}, 0, 41, {41, 2, 3, 5, 1, 6}},  // another button still has it
        {{0, 0, 0, 0, 0, 0}, 2, 3, {0, 0, 3, 1, 0, 0}},
        {{1, 2, 3, 5, 4, 6}, 6, 9, {1, 2, 3, 5, 4, 6}},    // no such button
        {{1, 2, 3, 5, 4, 6}, -1, 9, {1, 2, 3, 5, 4, 6}},
    };
    for (const Case& c : cases) {
        ProfileSettings p;
        p.K = c.before;
        SetButtonFunctionKeepingPrimary(p, c.button, c.code);
        EXPECT_EQ(p.K, c.after) << "button " << c.button << " code " << c.code;
    }
}

TEST(ProfileRules, WarningOnlyWhenNoOtherButtonHasThePrimaryClick) {
    struct Case {
        Buttons k;
        int button;
        bool warn;
    };
    const Case cases[] = {
        {{1, 2, 3, 5, 4, 6}, 0, true},  {{1, 2, 3, 5, 4, 6}, 1, false}, {{2, 2, 3, 5, 4, 1}, 5, true},
        {{1, 2, 3, 5, 4, 1}, 5, false}, {{0, 0, 0, 0, 0, 0}, 3, true},  {{0, 1, 0, 0, 0, 0}, 3, false},
    };
    for (const Case& c : cases) {
        ProfileSettings p;
        p.K = c.k;
        EXPECT_EQ(NeedsPrimaryClickWarning(p, c.button), c.warn) << c.button;
    }
}

using Flags = std::array<uint8_t, 4>;

TEST(ProfileRules, DpiEnableToggle) {
    struct Case {
        Flags enabled;
        int32_t current;
        int level;
        Flags enabledAfter;
        int32_t currentAfter;
    };
    const Case cases[] = {
        {{1, 0, 1, 1}, 0, 1, {1, 1, 1, 1}, 0},  // enabling only sets the flag
        {{1, 1, 1, 1}, 0, 2, {1, 1, 0, 1}, 0},  // not the current level
        {{1, 1, 1, 1}, 1, 1, {1, 0, 1, 1}, 2},  // current: next enabled one up
        {{1, 0, 0, 1}, 1, 3, {1, 0, 0, 0}, 1},  // level 3 is not current (1 names a disabled level)
        {{1, 1, 0, 1}, 3, 3, {1, 1, 0, 0}, 0},  // 3 wraps to 0
        {{0, 1, 0, 1}, 3, 3, {0, 1, 0, 0}, 1},
        {{1, 1, 0, 0}, 1, 1, {1, 0, 0, 0}, 0},
        {{0, 0, 1, 0}, 2, 2, {0, 0, 1, 0}, 2},  // the last one stays enabled and current
        {{1, 1, 1, 1}, 0, 4, {1, 1, 1, 1}, 0},  // no such level
    };
    for (const Case& c : cases) {
        ProfileSettings p;
        p.DPI_SET_EN = c.enabled;
        p.DPI_LEVEL = c.current;
        ToggleDpiLevelEnabled(p, c.level);
        EXPECT_EQ(p.DPI_SET_EN, c.enabledAfter) << "level " << c.level << " current " << c.current;
        EXPECT_EQ(p.DPI_LEVEL, c.currentAfter) << "level " << c.level << " current " << c.current;
    }
}

TEST(ProfileRules, DisablingEveryLevelInTurnLeavesOneEnabledAndCurrent) {
    for (int current = 0; current < 4; ++current) {
        ProfileSettings p;
        p.DPI_SET_EN = {1, 1, 1, 1};
        p.DPI_LEVEL = current;
        for (int round = 0; round < 8; ++round) {
            ToggleDpiLevelEnabled(p, p.DPI_LEVEL);
            int enabled = 0;
            for (uint8_t f : p.DPI_SET_EN) enabled += f;
            ASSERT_GE(enabled, 1);
            ASSERT_TRUE(p.DPI_SET_EN[p.DPI_LEVEL]);
        }
    }
}

TEST(ProfileRules, SelectingALevelOnlyAmongEnabledOnes) {
    ProfileSettings p;
    p.DPI_SET_EN = {1, 0, 1, 0};
    p.DPI_LEVEL = 0;
    EXPECT_FALSE(SelectDpiLevel(p, 1));
    EXPECT_EQ(p.DPI_LEVEL, 0);
    EXPECT_TRUE(SelectDpiLevel(p, 2));
    EXPECT_EQ(p.DPI_LEVEL, 2);
    EXPECT_FALSE(SelectDpiLevel(p, 4));
    EXPECT_FALSE(SelectDpiLevel(p, -1));
    EXPECT_EQ(p.DPI_LEVEL, 2);
}

TEST(ProfileRules, DpiGridCell) {
    struct Case {
        int cell;
        std::array<uint8_t, 4> after;
    };
    const Case cases[] = {
        {0, {0, 9, 9, 9}}, {11, {11, 9, 9, 9}}, {12, {9, 0, 9, 9}},   {30, {9, 9, 6, 9}},
        {47, {9, 9, 9, 11}}, {48, {9, 9, 9, 9}}, {-1, {9, 9, 9, 9}},
    };
    for (const Case& c : cases) {
        ProfileSettings p;
        p.DPI_SET = {9, 9, 9, 9};
        SetDpiFromGridCell(p, c.cell);
        EXPECT_EQ(p.DPI_SET, c.after) << c.cell;
    }
}

TEST(ProfileRules, FireTimeSlider) {
    struct Case {
        int32_t offset;
        int32_t width;
        int32_t fireTime;
    };
    const Case cases[] = {
        {0, 201, 0},    {1, 201, 1},     {100, 201, 149}, {67, 201, 100},
        {200, 201, 298},  // the right edge is outside the slider: never 300
        {150, 300, 150}, {299, 300, 299}, {1, 1000, 0},   {999, 1000, 299},
        {-5, 201, 0},     {500, 201, 298}, {10, 0, 0},     {10, -3, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(FireTimeFromSlider(c.offset, c.width), c.fireTime) << c.offset << '/' << c.width;
}

TEST(ProfileRules, FireTimeSteps) {
    struct Case {
        int32_t before;
        int step;
        int32_t after;
    };
    const Case cases[] = {
        {50, 1, 51}, {50, -1, 49}, {300, 1, 300}, {0, -1, 0}, {299, 1, 300}, {1, -1, 0},
        {1234, 1, 300}, {-7, -1, 0}, {INT32_MAX, 1, 300}, {INT32_MIN, -1, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(StepFireTime(c.before, c.step), c.after) << c.before << ' ' << c.step;
}

}  // namespace
}  // namespace zrv

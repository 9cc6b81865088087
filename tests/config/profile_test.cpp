#include "config/profile.h"

#include <gtest/gtest.h>

namespace zrv {
namespace {

TEST(Profile, FunctionCodeMapsToTheMouseFunctionAndTheFollowingFlags) {
    struct Case {
        int32_t code;
        uint8_t mouseFunction;
        bool followsDpi;
        bool cyclesRate;
    };
    const Case cases[] = {
        {0, 0, false, false},    {1, 1, false, false},    {5, 5, false, false},   {6, 6, true, false},
        {7, 0, false, false},    {10, 0, false, false},   {11, 7, false, false},  {13, 9, false, false},
        {14, 10, false, true},   {15, 11, true, false},   {16, 12, true, false},  {17, 13, false, false},
        {18, 0, false, false},   {20, 0, false, false},   {21, 0, false, false},  {39, 0, false, false},
        {41, 0, false, false},   {52, 0, false, false},   {53, 0, false, false},  {1000, 0, false, false},
        {-1, 0xFF, false, false}, {-256, 0x00, false, false}, {-250, 0x06, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MouseFunctionCode(c.code), c.mouseFunction) << c.code;
        EXPECT_EQ(FollowsDpiLevel(c.code), c.followsDpi) << c.code;
        EXPECT_EQ(CyclesReportRate(c.code), c.cyclesRate) << c.code;
    }
}

TEST(Profile, DpiCodesAndValues) {
    struct Case {
        uint8_t index;
        int dpi;
        uint8_t code;
    };
    const Case cases[] = {{0, 200, 0x01}, {4, 1000, 0x05}, {6, 1600, 0x07}, {7, 2000, 0x09},
                          {8, 2400, 0x0B}, {9, 3200, 0x0D}, {10, 4000, 0x0E}, {11, 4800, 0x0F}};
    for (const Case& c : cases) {
        EXPECT_EQ(DpiValue(c.index), c.dpi) << int(c.index);
        EXPECT_EQ(DpiCode(c.index), c.code) << int(c.index);
        EXPECT_EQ(DpiValueOfCode(c.code), c.dpi) << int(c.code);
    }
    // Codes never sent, and none applied yet, show as 200.
    for (uint8_t code : {0x00, 0x08, 0x0A, 0x0C, 0x10, 0xFF}) EXPECT_EQ(DpiValueOfCode(code), 200) << int(code);
}

TEST(Profile, OperatingSystemAndLightingTables) {
    const int speeds[] = {1, 2, 4, 6, 8, 10, 12, 14, 16, 18};
    for (uint8_t i = 0; i < 10; ++i) EXPECT_EQ(PointerSpeed(i), speeds[i]) << int(i);
    for (uint8_t i : {10, 100, 255}) EXPECT_EQ(PointerSpeed(i), 18) << int(i);
    EXPECT_EQ(ScrollLines(0), 1);
    EXPECT_EQ(ScrollLines(9), 10);
    EXPECT_EQ(ScrollLines(255), 0);  // computed in 8 bits
    EXPECT_EQ(LedCode(0), 0);
    EXPECT_EQ(LedCode(1), 3);
    EXPECT_EQ(LedCode(2), 6);
    EXPECT_EQ(LedCode(3), 7);
}

TEST(Profile, UiButtonsInTheMousesNumbering) {
    const uint8_t events[] = {0xF1, 0xF2, 0xF3, 0xF5, 0xF4, 0xF6};
    for (int i = 0; i < kButtonCount; ++i) EXPECT_EQ(ButtonEventCode(i), events[i]) << i;
}

}  // namespace
}  // namespace zrv

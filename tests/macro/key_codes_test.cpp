#include "macro/key_codes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zrv {
namespace {

TEST(KeyCodeMap, NamedCases) {
    struct Case {
        uint8_t virtualKey;
        uint8_t usage;       // VirtualKeyToUsage(virtualKey)
        uint8_t backToKey;   // UsageToVirtualKey(usage)
        std::string name;    // KeyName(usage)
    };
    const Case cases[] = {
        {65, 4, 65, "A"},
        {192, 50, 192, "`~"},
        {16, 16, 77, "M"},  // generic Shift is in no pair; as a usage 16 is the letter M
        {240, 240, 240, "L-KEY"},
        {241, 241, 241, "R-KEY"},
        {242, 242, 242, "M-KEY"},
        {220, 49, 220, "\\|"},
        {222, 52, 222, " ' "},
        {13, 40, 13, "RETURN"},
        {96, 98, 96, "NUMPAD0"},
        {135, 115, 135, "F24"},
        {165, 230, 165, "RMENU"},
        {108, 159, 108, "SEPARATOR"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VirtualKeyToUsage(c.virtualKey), c.usage) << int(c.virtualKey);
        EXPECT_EQ(UsageToVirtualKey(c.usage), c.backToKey) << int(c.virtualKey);
        EXPECT_EQ(KeyName(c.usage), c.name) << int(c.virtualKey);
    }
}

TEST(KeyCodeMap, UsagesOutsideThePairsPassUnchanged) {
    EXPECT_EQ(UsageToVirtualKey(53), 53);
    EXPECT_EQ(KeyName(53), "NON-AVAILABLE");
    EXPECT_EQ(UsageToVirtualKey(88), 88);  // keypad Enter
    EXPECT_EQ(KeyName(88), "NON-AVAILABLE");
    EXPECT_EQ(UsageToVirtualKey(118), 118);  // named, but no key converts to it
    EXPECT_EQ(KeyName(118), "MENU");
}

TEST(KeyCodeMap, EveryPairConvertsBothWaysAndEveryOtherCodeToItself) {
    std::set<int> keys, usages;
    for (const auto& p : KeyCodeMap) {
        EXPECT_EQ(VirtualKeyToUsage(p.virtualKey), p.usage);
        EXPECT_EQ(UsageToVirtualKey(p.usage), p.virtualKey);
        keys.insert(p.virtualKey);
        usages.insert(p.usage);
    }
    EXPECT_EQ(keys.size(), 120u);
    for (int c = 0; c < 256; ++c) {
        if (!keys.count(c)) {
            EXPECT_EQ(VirtualKeyToUsage(static_cast<uint8_t>(c)), c);
        }
        if (!usages.count(c)) {
            EXPECT_EQ(UsageToVirtualKey(static_cast<uint8_t>(c)), c);
        }
    }
}

TEST(KeyNameTable, ExactlyTheListedCodesHaveNoName) {
    std::set<int> unnamed;
    for (int c = 0; c < 256; ++c)
        if (KeyName(static_cast<uint8_t>(c)) == "NON-AVAILABLE") unnamed.insert(c);
    std::set<int> expected{53, 88, 100, 102, 103, 157, 158};
    auto addRange = [&](int a, int b) {
        for (int c = a; c <= b; ++c) expected.insert(c);
    };
    addRange(0, 3);
    addRange(120, 155);
    addRange(160, 223);
    addRange(232, 239);
    addRange(243, 255);
    EXPECT_EQ(unnamed, expected);
}

TEST(KeyNameTable, RangesFollowTheirPattern) {
    for (int c = 4; c <= 29; ++c) EXPECT_EQ(KeyName(static_cast<uint8_t>(c)), std::string(1, static_cast<char>(c + 61)));
    for (int c = 30; c <= 38; ++c) EXPECT_EQ(KeyName(static_cast<uint8_t>(c)), std::to_string(c - 29));
    for (int c = 58; c <= 69; ++c) EXPECT_EQ(KeyName(static_cast<uint8_t>(c)), "F" + std::to_string(c - 57));
    for (int c = 104; c <= 115; ++c) EXPECT_EQ(KeyName(static_cast<uint8_t>(c)), "F" + std::to_string(c - 91));
    for (int c = 89; c <= 97; ++c) EXPECT_EQ(KeyName(static_cast<uint8_t>(c)), "NUMPAD" + std::to_string(c - 88));
}

}  // namespace
}  // namespace zrv

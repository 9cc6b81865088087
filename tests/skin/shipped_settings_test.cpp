// The shipped config.ini: start-up keys, user profiles equal to their factory values, and
// factory profiles the program can live with (a primary click, an enabled current level).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "config/ini.h"
#include "config/profile.h"
#include "config/settings.h"

namespace zrv {
namespace {

const std::string kConfig = std::string(ZRV_SOURCE_DIR) + "/data/config.ini";

ProfileSettings Load(int n, bool factory, int language) {
    ProfileSettings p;
    LoadProfile(kConfig, n, factory, language, p);
    return p;
}

TEST(ShippedSettings, StartsInEnglishOnProfileOne) {
    EXPECT_EQ(ReadCurrentProfileNumber(kConfig), 1);
    EXPECT_EQ(ReadLanguage(kConfig), 1);
}

TEST(ShippedSettings, UserProfilesEqualTheirFactoryValues) {
    EXPECT_EQ(Load(1, false, 1), FactoryProfile);
    EXPECT_EQ(Load(6, false, 1), FactoryProfile);  // the last applied copy
    // The shipped language is English, so profile 5 comes from CfgReset_EN5.
    for (int n = 2; n <= 5; ++n) EXPECT_EQ(Load(n, false, 1), Load(n, true, 1)) << n;
}

TEST(ShippedSettings, FactoryProfilesAreDistinctAndUsable) {
    std::vector<ProfileSettings> all{FactoryProfile};
    for (int n = 2; n <= 5; ++n) all.push_back(Load(n, true, 1));
    all.push_back(Load(5, true, 0));
    for (size_t i = 0; i < all.size(); ++i) {
        const ProfileSettings& p = all[i];
        EXPECT_NE(std::find(p.K.begin(), p.K.end(), 1), p.K.end()) << "profile " << i << " has no primary click";
        ASSERT_GE(p.DPI_LEVEL, 0);
        ASSERT_LT(p.DPI_LEVEL, 4);
        EXPECT_EQ(p.DPI_SET_EN[p.DPI_LEVEL], 1) << "profile " << i;
        for (auto s : p.DPI_SET) EXPECT_LT(s, DpiTable.size());
        EXPECT_LT(p.LED_STATUS, 4);
        EXPECT_LT(p.DPI_SPEED, 10);
        EXPECT_LT(p.WHEEL_SPEED, 10);
        EXPECT_GE(p.FIRE_TIME, 0);
        EXPECT_LE(p.FIRE_TIME, 300);
    }
    for (size_t i = 0; i < 5; ++i)
        for (size_t j = i + 1; j < 5; ++j) EXPECT_NE(all[i], all[j]) << i << " " << j;
}

TEST(ShippedSettings, KeysFollowTheWriteOrder) {
    // Reading the file line by line: each profile section lists its 22 keys in save order.
    const char* order[] = {"K0", "K1", "K2", "K3", "K4", "K5", "DPI_LEVEL", "WHEEL_STATUS", "MACRO_MODE2",
                           "DPI_SET0", "DPI_SET_EN0", "DPI_SET1", "DPI_SET_EN1", "DPI_SET2", "DPI_SET_EN2",
                           "DPI_SET3", "DPI_SET_EN3", "LED_STATUS", "DPI_SPEED", "WHEEL_SPEED", "USB_SPEED", "FIRE_TIME"};
    std::ifstream in(kConfig);
    std::string line, section;
    size_t next = 0;
    int sections = 0;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        if (line.front() == '[') {
            if (!section.empty() && section != "[Init]") {
                EXPECT_EQ(next, std::size(order)) << section;
            }
            section = line;
            next = 0;
            sections += section != "[Init]";
            continue;
        }
        if (section == "[Init]") continue;
        ASSERT_LT(next, std::size(order)) << section;
        EXPECT_EQ(line.substr(0, line.find('=')), order[next]) << section;
        ++next;
    }
    EXPECT_EQ(next, std::size(order));
    EXPECT_EQ(sections, 11);  // Config1..6, CfgReset2..5, CfgReset_EN5
}

}  // namespace
}  // namespace zrv

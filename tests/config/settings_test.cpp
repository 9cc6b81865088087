#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/ini.h"
#include "config/settings.h"
#include "temp_folder.h"

namespace zrv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::Utf16File;
using test::WriteBytes;

ProfileSettings Sample() {
    ProfileSettings p;
    p.K = {41, 1, -1, 14, 0, 52};
    p.DPI_LEVEL = 2;
    p.WHEEL_STATUS = 1;
    p.MACRO_MODE2 = 1;
    p.DPI_SET = {0, 11, 255, 7};
    p.DPI_SET_EN = {1, 0, 1, 0};
    p.LED_STATUS = 3;
    p.DPI_SPEED = 9;
    p.WHEEL_SPEED = 255;
    p.USB_SPEED = 3;
    p.FIRE_TIME = 300;
    return p;
}

// The keys of a profile section in the order SaveProfile writes them.
std::string SectionText(int n, const ProfileSettings& p, const std::string& eol) {
    std::string s = "[Config" + std::to_string(n) + "]" + eol;
    auto line = [&](const std::string& k, long v) { s += k + "=" + std::to_string(v) + eol; };
    for (int i = 0; i < 6; ++i) line("K" + std::to_string(i), p.K[i]);
    line("DPI_LEVEL", p.DPI_LEVEL);
    line("WHEEL_STATUS", p.WHEEL_STATUS);
    line("MACRO_MODE2", p.MACRO_MODE2);
    for (int i = 0; i < 4; ++i) {
        line("DPI_SET" + std::to_string(i), p.DPI_SET[i]);
        line("DPI_SET_EN" + std::to_string(i), p.DPI_SET_EN[i] ? 1 : 0);
    }
    line("LED_STATUS", p.LED_STATUS);
    line("DPI_SPEED", p.DPI_SPEED);
    line("WHEEL_SPEED", p.WHEEL_SPEED);
    line("USB_SPEED", p.USB_SPEED);
    line("FIRE_TIME", p.FIRE_TIME);
    return s;
}

TEST(Settings, ExportToNewFileWritesOneSectionOfTwentyTwoKeysInOrder) {
    TempFolder folder;
    const std::string path = folder.File("export.ini");
    SaveProfile(path, 7, Sample());
    EXPECT_EQ(ReadBytes(path), SectionText(7, Sample(), "\r\n"));
    ProfileSettings back;
    LoadProfile(path, 7, false, 0, back);
    EXPECT_EQ(back, Sample());
}

TEST(Settings, SectionWithOnlyK0LoadsZerosElsewhere) {
    TempFolder folder;
    const std::string path = folder.File("config.ini");
    WriteBytes(path, "[Config1]\r\nK0=2\r\n");
    ProfileSettings p = Sample();
    LoadProfile(path, 1, false, 0, p);
    ProfileSettings expected;
    expected.K[0] = 2;
    EXPECT_EQ(p, expected);

    LoadProfile(path, 4, false, 0, p);  // no such section: everything 0
    EXPECT_EQ(p, ProfileSettings{});
}

struct LoadCase {
    const char* line;
    ProfileSettings expected;
};

ProfileSettings With(void (*change)(ProfileSettings&)) {
    ProfileSettings p;
    change(p);
    return p;
}

TEST(Settings, LoadConvertsEachKeyLikeTheRunTime) {
    const LoadCase cases[] = {
        {"DPI_SET0=12", With([](ProfileSettings& p) { p.DPI_SET[0] = 12; })},
        {"DPI_SET0=268", With([](ProfileSettings& p) { p.DPI_SET[0] = 12; })},
        {"DPI_SET1=1234567890", With([](ProfileSettings& p) { p.DPI_SET[1] = 123456789 & 0xFF; })},
        {"DPI_SET_EN0=7", With([](ProfileSettings& p) { p.DPI_SET_EN[0] = 1; })},
        {"DPI_SET_EN3=-1", With([](ProfileSettings& p) { p.DPI_SET_EN[3] = 1; })},
        {"DPI_SET_EN2=abc", ProfileSettings{}},
        {"FIRE_TIME=300", With([](ProfileSettings& p) { p.FIRE_TIME = 300; })},
        {"FIRE_TIME=12345", With([](ProfileSettings& p) { p.FIRE_TIME = 1234; })},
        {"K5=-100", With([](ProfileSettings& p) { p.K[5] = -100; })},
        {"K2=99999", With([](ProfileSettings& p) { p.K[2] = 9999; })},
        {"LED_STATUS=260", With([](ProfileSettings& p) { p.LED_STATUS = 4; })},
        {"WHEEL_SPEED=-1", With([](ProfileSettings& p) { p.WHEEL_SPEED = 255; })},
        {"USB_SPEED= 3 ", With([](ProfileSettings& p) { p.USB_SPEED = 3; })},
        {"dpi_level=3", With([](ProfileSettings& p) { p.DPI_LEVEL = 3; })},
        {"MACRO_MODE2=1x", With([](ProfileSettings& p) { p.MACRO_MODE2 = 1; })},
    };
    TempFolder folder;
    const std::string path = folder.File("config.ini");
    for (const LoadCase& c : cases) {
        WriteBytes(path, std::string("[Config2]\n") + c.line + "\n");
        ProfileSettings p = Sample();
        LoadProfile(path, 2, false, 0, p);
        EXPECT_EQ(p, c.expected) << c.line;
    }
}

TEST(Settings, FactorySectionDependsOnProfileAndLanguage) {
    struct Case {
        int n;
        int language;
        int32_t expectedK0;
    };
    const Case cases[] = {{5, 1, 51}, {5, 2, 5}, {5, 0, 5}, {3, 1, 3}, {2, 0, 2}};
    TempFolder folder;
    const std::string path = folder.File("config.ini");
    WriteBytes(path, "[CfgReset2]\nK0=2\n[CfgReset3]\nK0=3\n[CfgReset5]\nK0=5\n[CfgReset_EN5]\nK0=51\n[Config5]\nK0=9\n");
    for (const Case& c : cases) {
        ProfileSettings p;
        LoadProfile(path, c.n, true, c.language, p);
        EXPECT_EQ(p.K[0], c.expectedK0) << c.n << " lang " << c.language;
    }
}

TEST(Settings, SaveKeepsEveryOtherByteOfAHandWrittenFile) {
    const std::string eol = "\r\n";
    const std::string head = "; settings" + eol + "[Init]" + eol + "CurConfig=3" + eol + eol;
    const std::string tail = eol + "# factory" + eol + "[CfgReset2]" + eol + "K0 = 7  " + eol + "odd line";
    ProfileSettings old;
    old.K = {1, 2, 3, 4, 5, 6};
    const struct {
        const char* name;
        std::string before;
        std::string after;
    } cases[] = {
        {"UTF-8", head + SectionText(3, old, eol) + tail, head + SectionText(3, Sample(), eol) + tail},
        {"UTF-8 BOM", "\xEF\xBB\xBF" + head + SectionText(3, old, eol) + tail,
         "\xEF\xBB\xBF" + head + SectionText(3, Sample(), eol) + tail},
        {"new section at the end", head + tail, head + tail + eol + SectionText(3, Sample(), eol)},
    };
    TempFolder folder;
    const std::string path = folder.File("config.ini");
    for (const auto& c : cases) {
        WriteBytes(path, c.before);
        SaveProfile(path, 3, Sample());
        EXPECT_EQ(ReadBytes(path), c.after) << c.name;
    }
}

TEST(Settings, SaveKeepsUtf16File) {
    TempFolder folder;
    const std::string path = folder.File("config.ini");
    WriteBytes(path, Utf16File(u"; 设置\r\n[Config1]\r\nFIRE_TIME=1\r\n[中文]\r\n名=值\r\n"));
    ProfileSettings p;
    p.FIRE_TIME = 300;
    SaveDpiLevel(path, 1, p);
    SaveReportRate(path, 1, p);
    p.FIRE_TIME = 250;
    EXPECT_EQ(ReadBytes(path),
              Utf16File(u"; 设置\r\n[Config1]\r\nFIRE_TIME=1\r\nDPI_LEVEL=0\r\nUSB_SPEED=0\r\n[中文]\r\n名=值\r\n"));
    SaveProfile(path, 1, p);
    ProfileSettings back;
    LoadProfile(path, 1, false, 0, back);
    EXPECT_EQ(back, p);
    EXPECT_EQ(ReadIniString(path, "中文", "名", 10), "值");
}

TEST(Settings, SingleKeySavesTouchOnlyTheirKey) {
    TempFolder folder;
    const std::string path = folder.File("config.ini");
    SaveProfile(path, 2, Sample());
    ProfileSettings live = Sample();
    live.DPI_LEVEL = 0;
    live.USB_SPEED = 1;
    live.FIRE_TIME = 7;  // not written by either call
    SaveDpiLevel(path, 2, live);
    SaveReportRate(path, 2, live);
    ProfileSettings expected = Sample();
    expected.DPI_LEVEL = 0;
    expected.USB_SPEED = 1;
    ProfileSettings back;
    LoadProfile(path, 2, false, 0, back);
    EXPECT_EQ(back, expected);
}

TEST(Settings, CurrentProfileNumberAndLanguage) {
    TempFolder folder;
    const std::string path = folder.File("config.ini");
    EXPECT_EQ(ReadCurrentProfileNumber(path), 0);
    EXPECT_EQ(ReadLanguage(path), 0);
    WriteCurrentProfileNumber(path, 4);
    WriteLanguage(path, 1);
    EXPECT_EQ(ReadBytes(path), "[Init]\r\nCurConfig=4\r\nVER_SEL=1\r\n");
    EXPECT_EQ(ReadCurrentProfileNumber(path), 4);

    const struct {
        const char* text;
        int language;
    } cases[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"256", 0}, {"257", 1}, {"-1", 255}, {"x", 0}, {"12345", 1234 & 0xFF}};
    for (const auto& c : cases) {
        WriteIniString(path, "Init", "VER_SEL", c.text);
        EXPECT_EQ(ReadLanguage(path), c.language) << c.text;
    }
    WriteIniString(path, "Init", "CurConfig", "12345");
    EXPECT_EQ(ReadCurrentProfileNumber(path), 1234);
}

ProfileSettings Factory(int n) {
    ProfileSettings p;
    p.K = {1, n, 3, 5, 4, 6};
    p.DPI_LEVEL = n % 4;
    p.MACRO_MODE2 = n % 2;
    p.DPI_SET = {static_cast<uint8_t>(n), 2, 3, 4};
    p.DPI_SET_EN = {1, 1, 0, 1};
    p.FIRE_TIME = 10 * n;
    return p;
}

std::string FactorySection(const std::string& name, const ProfileSettings& p) {
    std::string s = SectionText(0, p, "\n");
    return "[" + name + s.substr(s.find(']'));
}

TEST(Settings, ResetWritesFactoryProfilesAndReloadsTheCurrentOne) {
    for (int language : {1, 2}) {
        TempFolder folder;
        const std::string path = folder.File("config.ini");
        std::string file = "[Init]\nCurConfig=3\n";
        for (int n = 1; n <= 5; ++n) file += SectionText(n, Sample(), "\n");
        for (int n = 2; n <= 5; ++n) file += FactorySection("CfgReset" + std::to_string(n), Factory(n));
        file += FactorySection("CfgReset_EN5", Factory(50));
        WriteBytes(path, file);

        ProfileSettings live = Sample();
        live.MACRO_MODE2 = 7;
        std::vector<std::string> calls;
        ResetHooks hooks{[&] { calls.push_back("macros"); },
                         [&] {
                             // Apply runs last, on the reloaded profile and the rewritten file.
                             ProfileSettings stored;
                             LoadProfile(path, 3, false, language, stored);
                             EXPECT_EQ(stored, live);
                             calls.push_back("apply");
                         }};
        ResetToFactory(path, 3, language, live, hooks);

        EXPECT_EQ(live, Factory(3));
        EXPECT_EQ(calls, (std::vector<std::string>{"macros", "apply"}));
        ProfileSettings one = FactoryProfile;
        one.MACRO_MODE2 = 7;
        const ProfileSettings expected[] = {one, Factory(2), Factory(3), Factory(4), language == 1 ? Factory(50) : Factory(5)};
        for (int n = 1; n <= 5; ++n) {
            ProfileSettings stored;
            LoadProfile(path, n, false, language, stored);
            EXPECT_EQ(stored, expected[n - 1]) << "profile " << n << " language " << language;
        }
    }
}

TEST(Settings, ResetWithoutFactorySectionsWritesZeroProfiles) {
    TempFolder folder;
    const std::string path = folder.File("config.ini");
    ProfileSettings live = Sample();
    ResetToFactory(path, 1, 0, live, {});
    ProfileSettings one = FactoryProfile;
    one.MACRO_MODE2 = Sample().MACRO_MODE2;
    EXPECT_EQ(live, one);
    for (int n = 2; n <= 5; ++n) {
        ProfileSettings stored = Sample();
        LoadProfile(path, n, false, 0, stored);
        EXPECT_EQ(stored, ProfileSettings{}) << n;
    }
}

TEST(Settings, MissingCurConfigWorksOnProfileZero) {
    TempFolder folder;
    const std::string path = folder.File("config.ini");
    SaveProfile(path, 0, Sample());
    EXPECT_EQ(ReadIniString(path, "Config0", "FIRE_TIME", 5), "300");
    ProfileSettings back;
    LoadProfile(path, ReadCurrentProfileNumber(path), false, 0, back);
    EXPECT_EQ(back, Sample());
}

}  // namespace
}  // namespace zrv

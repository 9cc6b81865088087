#include "macro/macro_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/ini.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;

class MacroFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zrv_macro_files_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    void Write(const std::string& name, const std::string& text) const { std::ofstream(Path(name)) << text; }
    MacroMessage Collect() {
        return [this](const std::string& text) { messages_.push_back(text); };
    }

    fs::path dir_;
    std::vector<std::string> messages_;
};

// A macro as recording and the context menu make them: keys, buttons, any delays.
Macro Sample(const std::string& name, int events, int seed) {
    Macro m;
    SetMacroName(m, name);
    m.repeatMode = static_cast<uint8_t>(seed % 2);
    m.repeatCount = static_cast<uint16_t>(1 + seed * 997);
    const uint8_t codes[] = {4, 29, 30, 39, 40, 50, 52, 57, 58, 69, 98, 104, 224, 229, 231, 240, 241, 242};
    for (int k = 0; k < events; ++k) {
        m.eventCount = static_cast<uint8_t>(k + 1);
        SetEvent(m, k, {codes[(k + seed) % std::size(codes)], static_cast<uint8_t>(k % 2 + 1),
                        static_cast<uint16_t>((k * 7919 + seed) % 65536)});
    }
    return m;
}

TEST_F(MacroFiles, FieldsAreThreeDigitsInFileOrder) {
    Macro m;
    SetMacroName(m, "A");
    m.repeatMode = 1;
    m.repeatCount = 300;  // 0x012C
    m.eventCount = 1;
    SetEvent(m, 0, {4, 1, 0x0107});
    const std::string value = EncodeMacro(m);
    ASSERT_EQ(value.size(), 3192u);
    EXPECT_EQ(value.substr(0, 9), "065000000");
    EXPECT_EQ(value.substr(40 * 3, 12), "001044001001");
    EXPECT_EQ(value.substr(44 * 3, 12), "065001007001");  // usage 4 is written as virtual key 65
    EXPECT_EQ(value.substr(48 * 3, 12), "000000000000");
    EXPECT_EQ(DecodeMacro(value), m);
}

TEST_F(MacroFiles, SaveAndLoadRestoreEverySlot) {
    MacroTable table;
    const std::string names[] = {"Fire", "连招", "", "1234567890123456789"};
    for (int i = 0; i < 4; ++i) table.slot[i] = Sample(names[i], i == 3 ? 254 : 3 * i, i);
    table.userCount = 4;
    SaveUserMacros(table, Path("Macro_CN.dat"));

    MacroTable loaded;
    LoadUserMacros(loaded, Path("Macro_CN.dat"), Collect());
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(loaded.userCount, 4);
    EXPECT_EQ(loaded.currentMacro, 3);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(loaded.slot[i], table.slot[i]) << i;

    // Export and import through another file give the same macros again.
    SaveUserMacros(loaded, Path("export.dat"));
    MacroTable imported;
    LoadUserMacros(imported, Path("export.dat"), Collect());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(imported.slot[i], table.slot[i]) << i;
}

TEST_F(MacroFiles, Usage53DoesNotSurviveTheRoundTrip) {
    Macro m;
    m.eventCount = 1;
    SetEvent(m, 0, {53, 1, 30});
    const std::string value = EncodeMacro(m);
    EXPECT_EQ(value.substr(44 * 3, 3), "053");
    EXPECT_EQ(GetEvent(DecodeMacro(value), 0).code, 34);  // virtual key 53 is the digit 5
}

TEST_F(MacroFiles, ShortAndDamagedValuesReadAsZero) {
    Macro expected;
    SetMacroName(expected, "A");
    struct Case {
        std::string value;
        Macro macro;
    };
    Macro firstEvent;
    firstEvent.eventCount = 1;
    SetEvent(firstEvent, 0, {4, 0, 0});
    std::vector<Case> cases = {
        {"", Macro{}},
        {std::string(3192, '0'), Macro{}},
        {"065", expected},
        {"06", [] { Macro m; m.name[0] = 6; return m; }()},           // a cut field reads its digits
        {"0x5065", [] { Macro m; m.name[1] = 65; return m; }()},       // "0x5" reads 0
        {"-01", [] { Macro m; m.name[0] = 255; return m; }()},         // low 8 bits of -1
        {"999", [] { Macro m; m.name[0] = 999 & 0xFF; return m; }()},
        // Fields count characters, not bytes: "Ã©" is one character.
        {"0\xC3\xA9" "0065", [] { Macro m; m.name[1] = 65; return m; }()},
        {"\xE5\xA4\x8D" "12065", [] { Macro m; m.name[1] = 65; return m; }()},  // "12" after a non-digit reads 0
        {std::string(43 * 3, '0') + "001065", firstEvent},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeMacro(c.value), c.macro) << c.value.substr(0, 20);
}

TEST_F(MacroFiles, MacroNumIsReadThroughATwoCharacterBuffer) {
    struct Case {
        std::string macroNum;
        int16_t userCount;
        int32_t currentMacro;
    };
    const Case cases[] = {
        {"0", 0, 0}, {"3", 3, 2}, {"123", 12, 11}, {"12", 12, 11},
        {"99", 12, 11},  // more than the region: the surplus is not read
        {"-5", 0, 0}, {"x1", 0, 0}, {"", 0, 0},
    };
    for (const auto& c : cases) {
        MacroTable table;
        table.slot[5] = Sample("old", 2, 5);
        const Macro old5 = table.slot[5];
        std::string text = "[Macros]\nmacroNum=" + c.macroNum + "\n";
        for (int i = 0; i < 3; ++i) text += std::to_string(i) + "=" + EncodeMacro(Sample("m" + std::to_string(i), 4, i)) + "\n";
        Write("m.dat", text);
        LoadUserMacros(table, Path("m.dat"), Collect());
        EXPECT_EQ(table.userCount, c.userCount) << c.macroNum;
        EXPECT_EQ(table.currentMacro, c.currentMacro) << c.macroNum;
        if (c.userCount >= 3) {
            EXPECT_EQ(MacroName(table.slot[2]), "m2");
        }
        if (c.userCount == 3) {
            EXPECT_EQ(table.slot[5], old5);  // slots past N keep their content
        }
        if (c.userCount == 12) {
            EXPECT_EQ(table.slot[5], Macro{});  // missing keys give zero slots
        }
        EXPECT_EQ(table.slot[kBlankSlot], Macro{}) << c.macroNum;          // never past the region
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MacroFiles, PresetMacrosFillAtMost13SlotsFrom13) {
    std::string text = "[Macros]\nmacroNum=20\n";
    for (int i = 0; i < 20; ++i) text += std::to_string(i) + "=" + EncodeMacro(Sample("p" + std::to_string(i), 2, i)) + "\n";
    Write("constMacro.dat", text);
    MacroTable table;
    table.currentMacro = 7;
    LoadPresetMacros(table, Path("constMacro.dat"), Collect());
    EXPECT_EQ(table.presetCount, 13);
    EXPECT_EQ(table.currentMacro, 7);
    for (int i = 0; i < 13; ++i) EXPECT_EQ(MacroName(table.slot[13 + i]), "p" + std::to_string(i));
    for (int i = 0; i <= kBlankSlot; ++i) EXPECT_EQ(table.slot[i], Macro{}) << i;
}

TEST_F(MacroFiles, MissingFileShowsTheMessageOnceAndLoadsNothing) {
    MacroTable table;
    table.userCount = 5;
    table.currentMacro = 4;
    LoadUserMacros(table, Path("nope.dat"), Collect());
    EXPECT_EQ(messages_, std::vector<std::string>{"找不到配置文件"});
    EXPECT_EQ(table.userCount, 0);
    EXPECT_EQ(table.currentMacro, 0);
}

TEST_F(MacroFiles, AShorterSaveLeavesSurplusKeysThatALoadIgnores) {
    MacroTable table;
    for (int i = 0; i < 3; ++i) table.slot[i] = Sample("m" + std::to_string(i), 2, i);
    table.userCount = 3;
    SaveUserMacros(table, Path("m.dat"));
    table.userCount = 1;
    SaveUserMacros(table, Path("m.dat"));
    EXPECT_EQ(ReadIniString(Path("m.dat"), "Macros", "macroNum", 3), "1");
    EXPECT_EQ(ReadIniString(Path("m.dat"), "Macros", "2", 3193).size(), 3192u);
    MacroTable loaded;
    LoadUserMacros(loaded, Path("m.dat"), Collect());
    EXPECT_EQ(loaded.userCount, 1);
    EXPECT_EQ(loaded.slot[1], Macro{});
}

TEST_F(MacroFiles, StartUpLoadsBothFilesAndSelectsTheLastEventRow) {
    struct Case {
        int uiLanguage;
        const char* file;
        int lastMacroEvents;
        int32_t row;
    };
    const Case cases[] = {{0, "Macro_CN.dat", 4, 6}, {1, "Macro_EN.dat", 1, 0}, {2, "Macro_EN.dat", 0, 0}};
    for (const auto& c : cases) {
        MacroTable source;
        source.slot[0] = Sample("first", 9, 1);
        source.slot[1] = Sample("last", c.lastMacroEvents, 2);
        source.userCount = 2;
        SaveUserMacros(source, Path(c.file));
        MacroTable presets;
        presets.slot[0] = Sample("preset", 2, 3);
        presets.userCount = 1;
        SaveUserMacros(presets, Path("constMacro.dat"));

        MacroTable table;
        std::string macroFilePath;
        const int32_t row = MacroStartUp(table, dir_.string(), c.uiLanguage, macroFilePath, Collect());
        EXPECT_EQ(macroFilePath, Path(c.file));
        EXPECT_EQ(row, c.row) << c.uiLanguage;
        EXPECT_EQ(table.currentMacro, 1);
        EXPECT_EQ(MacroName(table.slot[13]), "preset");
        EXPECT_EQ(table.presetCount, 1);
        fs::remove(Path(c.file));
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MacroFiles, ResetLoadsTheFactoryMacrosOfTheLanguageAndStoresThem) {
    fs::create_directories(dir_ / "skins" / "INI_EN");
    MacroTable factory;
    factory.slot[0] = Sample("Factory", 4, 1);
    factory.userCount = 1;
    SaveUserMacros(factory, Path("skins/INI_EN/defMacro.dat"));

    MacroTable table;
    for (int i = 0; i < 5; ++i) table.slot[i] = Sample("mine", 3, i);
    table.userCount = 5;
    int refreshed = 0;
    ResetUserMacros(table, Path("skins"), dir_.string(), 1, Collect(), [&] { ++refreshed; });
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(table.userCount, 1);
    EXPECT_EQ(table.slot[0], factory.slot[0]);
    MacroTable stored;
    LoadUserMacros(stored, Path("Macro_EN.dat"), Collect());
    EXPECT_EQ(stored.userCount, 1);
    EXPECT_EQ(stored.slot[0], factory.slot[0]);
    EXPECT_FALSE(fs::exists(Path("Macro_CN.dat")));

    // Without the Chinese factory file the message shows and the user macros are emptied.
    ResetUserMacros(table, Path("skins"), dir_.string(), 0, Collect());
    EXPECT_EQ(messages_, std::vector<std::string>{"找不到配置文件"});
    EXPECT_EQ(table.userCount, 0);
    EXPECT_EQ(ReadIniString(Path("Macro_CN.dat"), "Macros", "macroNum", 5), "0");
}

}  // namespace
}  // namespace zrv

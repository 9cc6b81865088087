// The macro files in data/ are what the generator in tools/macro_data writes.
#include <gtest/gtest.h>

#include <string>

#include "macro/macro_files.h"
#include "tools/macro_data/shipped_macros.h"

namespace zrv {
namespace {

const std::string kData = std::string(ZRV_SOURCE_DIR) + "/data";

void ExpectFile(const std::string& path, bool preset, const std::vector<Macro>& expected) {
    MacroTable table;
    std::vector<std::string> messages;
    auto message = [&](const std::string& t) { messages.push_back(t); };
    if (preset) LoadPresetMacros(table, path, message);
    else LoadUserMacros(table, path, message);
    EXPECT_TRUE(messages.empty()) << path;
    const int first = preset ? kPresetFirstSlot : 0;
    ASSERT_EQ(preset ? table.presetCount : table.userCount, static_cast<int>(expected.size())) << path;
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(table.slot[first + i], expected[i]) << path << " " << i;
}

TEST(ShippedMacros, FilesMatchTheGenerator) {
    ExpectFile(kData + "/constMacro.dat", true, shipped::PresetMacros());
    ExpectFile(kData + "/skins/INI_CN/defMacro.dat", false, shipped::FactoryUserMacros(0));
    ExpectFile(kData + "/skins/INI_EN/defMacro.dat", false, shipped::FactoryUserMacros(1));
    ExpectFile(kData + "/Macro_CN.dat", false, shipped::FactoryUserMacros(0));
    ExpectFile(kData + "/Macro_EN.dat", false, shipped::FactoryUserMacros(1));
}

TEST(ShippedMacros, PresetsAreControlChordsThatReleaseWhatTheyPress) {
    const auto presets = shipped::PresetMacros();
    ASSERT_EQ(presets.size(), 8u);
    const char* names[] = {"Copy", "Paste", "Cut", "Undo", "Redo", "Select All", "Save", "Find"};
    for (size_t i = 0; i < presets.size(); ++i) {
        const Macro& m = presets[i];
        EXPECT_EQ(MacroName(m), names[i]);
        ASSERT_EQ(m.eventCount, 4);
        EXPECT_EQ(GetEvent(m, 0).code, shipped::kLeftControl);
        EXPECT_EQ(GetEvent(m, 0).action, 1);
        EXPECT_EQ(GetEvent(m, 1).code, GetEvent(m, 2).code);
        EXPECT_EQ(GetEvent(m, 2).action, 2);
        EXPECT_EQ(GetEvent(m, 3).code, shipped::kLeftControl);
        EXPECT_EQ(GetEvent(m, 3).action, 2);
    }
}

}  // namespace
}  // namespace zrv

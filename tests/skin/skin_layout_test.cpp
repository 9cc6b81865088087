#include "skin/skin_layout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace zrv {
namespace {

namespace fs = std::filesystem;

struct Recorder {
    std::vector<std::string> messages;
    int exits = 0;
    SkinLoadActions Actions() {
        return {[this](std::string_view m) { messages.emplace_back(m); }, [this] { ++exits; }};
    }
};

class TempFolder {
public:
    TempFolder() {
        path_ = fs::temp_directory_path() / ("zrv_skin_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_ / "INI_CN");
        fs::create_directories(path_ / "INI_EN");
    }
    ~TempFolder() { fs::remove_all(path_); }
    std::string Str() const { return path_.string(); }
    void Write(const std::string& rel, const std::string& text) const {
        std::ofstream(path_ / rel, std::ios::binary) << text;
    }

private:
    fs::path path_;
};

TEST(SplitSkinValue, FieldsAndCommas) {
    struct Case {
        std::string value;
        SkinFields fields;
        bool tooMany;
    };
    const Case cases[] = {
        {"prof1,214,60,52,18,Profile 1,", {"prof1", "214", "60", "52", "18", "Profile 1", ""}, false},
        {"n,10,20,30,40,Go,", {"n", "10", "20", "30", "40", "Go", ""}, false},
        // No closing comma: the label is not closed and reads as empty.
        {"n,10,20,30,40,Go", {"n", "10", "20", "30", "40", "", ""}, false},
        {"Left Click", {"Left Click", "", "", "", "", "", ""}, false},
        {"a,b", {"a", "", "", "", "", "", ""}, false},
        {"", {"", "", "", "", "", "", ""}, false},
        {"n,1,2,3,4,Say, hi,x,", {"n", "1", "2", "3", "4", "Say", " hi,x,"}, true},
        {"n,1,2,3,4, two  words ,tail", {"n", "1", "2", "3", "4", " two  words ", "tail"}, false},
    };
    for (const auto& c : cases) {
        bool tooMany = !c.tooMany;
        EXPECT_EQ(SplitSkinValue(c.value, tooMany), c.fields) << c.value;
        EXPECT_EQ(tooMany, c.tooMany) << c.value;
    }
}

TEST(ParseSkinNumber, LikeTheRuntimeWithClamp) {
    struct Case {
        std::string text;
        int32_t value;
    };
    const Case cases[] = {
        {"214", 214},     {"  -7", -7},        {"+12px", 12},          {"abc", 0},
        {"", 0},          {"- 5", 0},          {"99999999999", INT32_MAX}, {"-99999999999", INT32_MIN},
        {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseSkinNumber(c.text), c.value) << c.text;
}

TEST(ReadSkinEntry, MissingFileReportsOnceAndGivesNothing) {
    TempFolder dir;
    Recorder r;
    auto actions = r.Actions();
    EXPECT_FALSE(ReadSkinEntry(dir.Str() + "/INI_CN/none.ini", "BUTTONPOS", 0, actions));
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], "找不到配置文件");
    EXPECT_EQ(r.exits, 1);
}

TEST(ReadSkinEntry, OverlongPathCountsAsMissing) {
    TempFolder dir;
    // An existing file reached through a path of 260 characters or more.
    std::string longPath = dir.Str();
    while (longPath.size() < 262) longPath += "/.";
    longPath += "/x.ini";
    dir.Write("x.ini", "[BUTTONPOS]\n0=a,1,2,3,4,A,\n");
    ASSERT_TRUE(fs::exists(longPath));
    Recorder r;
    EXPECT_FALSE(ReadSkinEntry(longPath, "BUTTONPOS", 0, r.Actions()));
    EXPECT_EQ(r.exits, 1);
}

TEST(ReadSkinEntry, TooManyCommasWarnsButKeepsTheEntry) {
    TempFolder dir;
    dir.Write("a.ini", "[BUTTONPOS]\n5 = n,1,2,3,4,Go,x,y  \n6=n,1,2,3,4,Ok,\n");
    Recorder r;
    auto f = ReadSkinEntry(dir.Str() + "/a.ini", "buttonpos", 5, r.Actions());
    ASSERT_TRUE(f);
    EXPECT_EQ((*f)[5], "Go");
    EXPECT_EQ((*f)[6], "x,y");
    EXPECT_EQ(r.messages, std::vector<std::string>{"加载ini错误！"});
    EXPECT_EQ(r.exits, 0);
    ASSERT_TRUE(ReadSkinEntry(dir.Str() + "/a.ini", "BUTTONPOS", 6, r.Actions()));
    EXPECT_EQ(r.messages.size(), 1u);
}

TEST(ReadSkinEntry, ValueIsCutAt259CharactersBeforeSplitting) {
    TempFolder dir;
    // The label closes at character 260, one past the cut, so it stays open and empty.
    const std::string head = "n,1,2,3,4,";
    const std::string label(259 - head.size(), 'L');
    dir.Write("a.ini", "[BUTTONPOS]\n0=" + head + label + ",\n1=" + head + label.substr(1) + ",\n");
    Recorder r;
    auto cut = ReadSkinEntry(dir.Str() + "/a.ini", "BUTTONPOS", 0, r.Actions());
    ASSERT_TRUE(cut);
    EXPECT_EQ((*cut)[4], "4");
    EXPECT_EQ((*cut)[5], "");
    auto whole = ReadSkinEntry(dir.Str() + "/a.ini", "BUTTONPOS", 1, r.Actions());
    ASSERT_TRUE(whole);
    EXPECT_EQ((*whole)[5], label.substr(1));
}

void WriteSkin(const TempFolder& dir, const std::string& sub, const std::string& suffix, const std::string& tag) {
    dir.Write(sub + "/skin_main" + suffix + ".ini",
              "[BUTTONPOS]\n0=save,10,20,30,40," + tag + "保存,\n123=last,1,2,3,4,End,\n"
              "[FUN_STRING]\n1=" + tag + "Left Click\n54=Last\n");
    dir.Write(sub + "/skin_color" + suffix + ".ini", "[BUTTONPOS]\n12=c,5,6,7,8," + tag + "C,\n");
    dir.Write(sub + "/skin_advance" + suffix + ".ini",
              "[BUTTONPOS]\n51=a,1,1,1,1," + tag + "A,\n"
              "[EDIT]\n3=r,100,200,50,20,\n4=n,10,20,30,40,\n"
              "[MACRODISPLAY]\n1=m,1,2,3,4,\n2=e,-5,6,7,8,\n");
    dir.Write(sub + "/LBWarning" + suffix + ".ini", "[BUTTONPOS]\n2=msg,1,2,300,20," + tag + "Sure?,\n");
}

TEST(LoadSkinLayout, FillsEveryTableOfTheLanguage) {
    TempFolder dir;
    WriteSkin(dir, "INI_CN", "", "cn");
    WriteSkin(dir, "INI_EN", "_en", "en");
    Recorder r;
    SkinLayout layout;
    ASSERT_TRUE(LoadSkinLayout(dir.Str(), 2, layout, r.Actions()));  // any nonzero value is English
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(layout.MainButtons[0], (SkinButton{10, 20, 30, 40, "en保存"}));
    EXPECT_EQ(layout.MainButtons[123], (SkinButton{1, 2, 3, 4, "End"}));
    EXPECT_EQ(layout.MainButtons[1], SkinButton{});
    EXPECT_EQ(layout.FunctionNames[0], "");
    EXPECT_EQ(layout.FunctionNames[1], "enLeft Click");
    EXPECT_EQ(layout.FunctionNames[54], "Last");
    EXPECT_EQ(layout.ColorButtons[12], (SkinButton{5, 6, 7, 8, "enC"}));
    EXPECT_EQ(layout.AdvancedButtons[51].label, "enA");
    EXPECT_EQ(layout.WarningButtons[2], (SkinButton{1, 2, 300, 20, "enSure?"}));
    EXPECT_EQ(layout.RepeatBoxRect, (SkinRect{100, 200, 150, 220}));
    EXPECT_EQ(layout.NameBoxRect, (SkinRect{10, 20, 40, 60}));
    EXPECT_EQ(layout.MacroListRect, (SkinRect{1, 2, 4, 6}));
    EXPECT_EQ(layout.EventListRect, (SkinRect{-5, 6, 2, 14}));
}

TEST(LoadSkinLayout, ASwitchLeavesNothingOfTheOtherLanguage) {
    TempFolder dir;
    WriteSkin(dir, "INI_CN", "", "cn");
    dir.Write("INI_EN/skin_main_en.ini", "[BUTTONPOS]\n5=p,1,1,9,9,P,\n");
    dir.Write("INI_EN/skin_color_en.ini", "");
    dir.Write("INI_EN/skin_advance_en.ini", "");
    dir.Write("INI_EN/LBWarning_en.ini", "");
    Recorder r;
    SkinLayout layout;
    ASSERT_TRUE(LoadSkinLayout(dir.Str(), 0, layout, r.Actions()));
    ASSERT_EQ(layout.MainButtons[0].label, "cn保存");
    ASSERT_TRUE(LoadSkinLayout(dir.Str(), 1, layout, r.Actions()));
    EXPECT_EQ(layout.MainButtons[0], SkinButton{});
    EXPECT_EQ(layout.MainButtons[5].label, "P");
    EXPECT_EQ(layout.FunctionNames[1], "");
    EXPECT_EQ(layout.WarningButtons[2], SkinButton{});
    EXPECT_EQ(layout.EventListRect, SkinRect{});
    EXPECT_TRUE(r.messages.empty());
}

TEST(LoadSkinLayout, MissingFileStopsTheLoadAfterOneMessage) {
    TempFolder dir;
    WriteSkin(dir, "INI_CN", "", "cn");
    fs::remove(fs::path(dir.Str()) / "INI_CN/skin_advance.ini");
    Recorder r;
    SkinLayout layout;
    EXPECT_FALSE(LoadSkinLayout(dir.Str(), 0, layout, r.Actions()));
    EXPECT_EQ(r.messages, std::vector<std::string>{"找不到配置文件"});
    EXPECT_EQ(r.exits, 1);
    EXPECT_EQ(layout.ColorButtons[12].label, "cnC");        // read before the missing file
    EXPECT_EQ(layout.WarningButtons[2], SkinButton{});      // never reached
}

}  // namespace
}  // namespace zrv

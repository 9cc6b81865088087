#include "app/program_paths.h"

#include <gtest/gtest.h>

#include "app/texts.h"

namespace zrv {
namespace {

TEST(ProgramPathsTest, FolderAndNameComeFromTheExecutablePath) {
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
    };
    const Case cases[] = {
        {"/opt/zrv/ZRV_Vantix", "/opt/zrv", "ZRV_Vantix"},
        {"/tmp/x/ZRV_Vantix-sim", "/tmp/x", "ZRV_Vantix-sim"},
        {"/a.b/ZRV_Vantix.bin", "/a.b", "ZRV_Vantix"},  // a dot in a folder is no extension
        {"/ZRV_Vantix", "", "ZRV_Vantix"},              // the root: no trailing slash kept
        {"ZRV_Vantix", "", "ZRV_Vantix"},               // no slash at all
        {"/home/u/.hidden", "/home/u", ".hidden"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ProgramFolderOf(c.path), c.folder);
        EXPECT_EQ(ProgramNameOf(c.path), c.name);
    }
    EXPECT_EQ(PathsOf("/opt/zrv").configPath, "/opt/zrv/config.ini");
    EXPECT_EQ(PathsOf("").configPath, "/config.ini");
}

TEST(ProgramPathsTest, LanguageZeroIsChineseEverythingElseEnglish) {
    EXPECT_STREQ(TextsFor(0).windowTitle, "Norvane.电竞游戏鼠标");
    EXPECT_STREQ(TextsFor(1).windowTitle, "Halvex Gaming Mouse");
    EXPECT_STREQ(TextsFor(7).windowTitle, "Halvex Gaming Mouse");
    EXPECT_EQ(WithProductName(TextsFor(1).plugInFormat), "Please plug-in【Norvane】USB Mouse");
}

}  // namespace
}  // namespace zrv

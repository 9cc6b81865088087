#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "config/file_io.h"
#include "config/ini.h"
#include "temp_folder.h"

namespace zrv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::Utf16File;
using test::WriteBytes;

namespace fs = std::filesystem;
using namespace std::string_literals;

struct WriteCase {
    const char* name;
    std::string before;  // "<none>" for no file
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

const std::string kNoFile = "<none>";

const WriteCase kWriteCases[] = {
    {"new file uses CRLF", kNoFile, "S", "k", "v", "[S]\r\nk=v\r\n"},
    {"empty file", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
    {"replace in place keeps CRLF and neighbours", "; top\r\n[S]\r\nk=1\r\nz=2\r\n", "S", "k", "9",
     "; top\r\n[S]\r\nk=9\r\nz=2\r\n"},
    {"replace keeps key spelling and spacing", "[s]\n  K0 = 1   \n", "S", "k0", "-5", "[s]\n  K0 = -5\n"},
    {"replace the last line without newline", "[S]\nk=1", "S", "k", "22", "[S]\nk=22"},
    {"new key after last non-blank line of section", "[A]\nx=1\n\n[B]\ny=2\n", "A", "k", "5",
     "[A]\nx=1\nk=5\n\n[B]\ny=2\n"},
    {"new key after a trailing comment", "[A]\nx=1\n; note\n\n\n[B]\n", "A", "k", "5",
     "[A]\nx=1\n; note\nk=5\n\n\n[B]\n"},
    {"new key in empty section", "[A]\n[B]\n", "A", "k", "5", "[A]\nk=5\n[B]\n"},
    {"new key in last section without final newline", "[A]\nx=1", "A", "k", "5", "[A]\nx=1\nk=5\n"},
    {"new section after a last line without newline", "[A]\nx=1", "B", "k", "5", "[A]\nx=1\n[B]\nk=5\n"},
    {"new section appended at end", "[A]\r\nx=1\r\n\r\n", "B", "k", "5", "[A]\r\nx=1\r\n\r\n[B]\r\nk=5\r\n"},
    {"first line ending decides", "[A]\nx=1\r\n", "B", "k", "5", "[A]\nx=1\r\n[B]\nk=5\n"},
    {"lone CR file", "[A]\rx=1\r", "A", "k", "5", "[A]\rx=1\rk=5\r"},
    {"section header only without newline", "[A]", "A", "k", "5", "[A]\r\nk=5\r\n"},
    {"unknown lines and trailing text stay", "junk line\n[A]\nnoequals\nx = 1 ; not a comment\n[Z]\nq=\n", "A", "x", "2",
     "junk line\n[A]\nnoequals\nx = 2\n[Z]\nq=\n"},
    {"commented key is not replaced", "[A]\n;k=1\n", "A", "k", "2", "[A]\n;k=1\nk=2\n"},
    {"first of duplicate sections is written", "[A]\nx=1\n[A]\nk=1\n", "A", "k", "2", "[A]\nx=1\nk=2\n[A]\nk=1\n"},
    {"UTF-8 BOM kept", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "j", "2", "\xEF\xBB\xBF[A]\r\nk=1\r\nj=2\r\n"},
    {"UTF-16LE kept", Utf16File(u"[名]\r\nk=中\r\n"), "名", "j", "文", Utf16File(u"[名]\r\nk=中\r\nj=文\r\n")},
    {"UTF-16LE replace", Utf16File(u"; 注\r\n[A]\r\nk=1\r\n"), "a", "K", "300", Utf16File(u"; 注\r\n[A]\r\nk=300\r\n")},
    {"UTF-16LE odd last byte stays last", Utf16File(u"[A]\nk=1\n") + "\x07", "A", "j", "2",
     Utf16File(u"[A]\nk=1\nj=2\n") + "\x07"},
    {"NUL bytes elsewhere stay", "[B]\nv=1\0x\n[A]\nk=1\n"s, "A", "k", "2", "[B]\nv=1\0x\n[A]\nk=2\n"s},
    {"invalid bytes elsewhere stay", "[B]\nv=\xFF\xFE\x80\n[A]\nk=1\n", "A", "k", "2", "[B]\nv=\xFF\xFE\x80\n[A]\nk=2\n"},
};

class IniWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTest, ChangesOnlyTheKey) {
    const WriteCase& c = GetParam();
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    if (c.before != kNoFile) WriteBytes(path, c.before);
    ASSERT_TRUE(WriteIniString(path, c.section, c.key, c.value));
    EXPECT_EQ(ReadBytes(path), c.after);
    EXPECT_EQ(ReadIniString(path, c.section, c.key, 260), c.value);
    EXPECT_FALSE(fs::exists(TemporaryPathFor(path)));
}

INSTANTIATE_TEST_SUITE_P(Cases, IniWriteTest, ::testing::ValuesIn(kWriteCases), [](const auto& info) {
    std::string name = info.param.name;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
});

TEST(IniWrite, ManyKeysInOneWriteEqualOneByOne) {
    const std::vector<std::pair<std::string, std::string>> keys{
        {"k", "1"}, {"NEW", "2"}, {"x", "3"}, {"new", "4"}, {"other", "5"}};
    const std::string starts[] = {kNoFile, "", "[A]\r\nx=0\r\n; c\r\n\r\n[B]\r\nk=0\r\n", "[B]\nk=0", "[a]\nK=9\nk=8\n"};
    for (const std::string& start : starts) {
        TempFolder folder;
        const std::string one = folder.File("one.ini");
        const std::string all = folder.File("all.ini");
        if (start != kNoFile) {
            WriteBytes(one, start);
            WriteBytes(all, start);
        }
        for (const auto& [k, v] : keys) ASSERT_TRUE(WriteIniString(one, "A", k, v));
        ASSERT_TRUE(WriteIniStrings(all, "A", keys));
        EXPECT_EQ(ReadBytes(all), ReadBytes(one)) << start;
    }
}

TEST(IniWrite, RefusesTextThatWouldNotReadBack) {
    struct Case {
        const char* section;
        std::string key;
        std::string value;
    };
    const Case cases[] = {
        {"A", "k", "1\r\n[B]"}, {"A", "k", std::string("1\0", 2)}, {"A]", "k", "1"}, {"A\n", "k", "1"},
        {"A", "", "1"},         {"A", "k=j", "1"},                  {"A", "[k", "1"}, {"A", ";k", "1"},
        {"A", " k", "1"},       {" A", "k", "1"},
    };
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    const std::string before = "[A]\nk=0\n";
    WriteBytes(path, before);
    for (const Case& c : cases) {
        EXPECT_FALSE(WriteIniString(path, c.section, c.key, c.value)) << c.section << '|' << c.key << '|' << c.value;
        EXPECT_EQ(ReadBytes(path), before);
    }
}

TEST(IniWrite, FailureLeavesTheOldFileWhole) {
    TempFolder folder;
    const std::string path = folder.File("config.ini");
    const std::string before = "[A]\r\nk=1\r\n";
    WriteBytes(path, before);

    // The temporary file cannot be created: a directory has its name.
    fs::create_directory(TemporaryPathFor(path));
    EXPECT_FALSE(WriteIniString(path, "A", "k", "2"));
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_TRUE(fs::is_directory(TemporaryPathFor(path)));
    fs::remove(TemporaryPathFor(path));

    EXPECT_TRUE(WriteIniString(path, "A", "k", "2"));
    EXPECT_EQ(ReadIniString(path, "A", "k", 5), "2");
}

TEST(IniWrite, FailsWithoutCreatingAnything) {
    TempFolder folder;
    const std::string inMissingFolder = folder.File("missing/config.ini");
    EXPECT_FALSE(WriteIniString(inMissingFolder, "A", "k", "1"));
    EXPECT_FALSE(fs::exists(folder.File("missing")));

    const std::string directory = folder.File("dir.ini");
    fs::create_directory(directory);
    EXPECT_FALSE(WriteIniString(directory, "A", "k", "1"));
    EXPECT_TRUE(fs::is_directory(directory));
    EXPECT_TRUE(fs::is_empty(directory));
}

TEST(IniWrite, OversizedFileIsNeitherReadNorRewritten) {
    TempFolder folder;
    const std::string path = folder.File("huge.ini");
    WriteBytes(path, "[A]\nk=1\n");
    fs::resize_file(path, kMaxIniFileBytes + 1);  // sparse: cheap to make
    EXPECT_EQ(ReadIniString(path, "A", "k", 5), "");
    EXPECT_FALSE(WriteIniString(path, "A", "k", "2"));
    EXPECT_EQ(fs::file_size(path), kMaxIniFileBytes + 1);
}

TEST(IniWrite, KeepsPermissionBitsAndSymbolicLinks) {
    TempFolder folder;
    const std::string target = folder.File("real.ini");
    const std::string link = folder.File("link.ini");
    WriteBytes(target, "[A]\nk=1\n");
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, perms);
    fs::create_symlink(target, link);

    ASSERT_TRUE(WriteIniString(link, "A", "k", "2"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "[A]\nk=2\n");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::mask, perms);
}

TEST(IniWrite, UnchangedValueLeavesTheFileAlone) {
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    WriteBytes(path, "[A]\nk=1\n");
    const auto before = fs::last_write_time(path);
    fs::last_write_time(path, before - std::chrono::hours(1));
    ASSERT_TRUE(WriteIniString(path, "A", "k", "1"));
    EXPECT_EQ(fs::last_write_time(path), before - std::chrono::hours(1));
}

TEST(IniWrite, ThreadsWritingDifferentKeysAllLand) {
    TempFolder folder;
    const std::string path = folder.File("config.ini");
    ASSERT_TRUE(WriteIniString(path, "Init", "anchor", "1"));
    constexpr int kKeys = 100;
    std::atomic<bool> done{false};
    std::atomic<int> anchorMisses{0};

    auto writer = [&](std::string section) {
        for (int i = 0; i < kKeys; ++i) WriteIniString(path, section, "K" + std::to_string(i), std::to_string(i));
    };
    // A reader must never see the file half written.
    std::thread reader([&] {
        while (!done)
            if (ReadIniString(path, "Init", "anchor", 5) != "1") ++anchorMisses;
    });
    std::thread a(writer, "Config1");
    std::thread b(writer, "Config2");
    a.join();
    b.join();
    done = true;
    reader.join();

    EXPECT_EQ(anchorMisses, 0);
    const IniSnapshot file(path);
    for (const char* section : {"Config1", "Config2"})
        for (int i = 0; i < kKeys; ++i)
            EXPECT_EQ(file.Read(section, "K" + std::to_string(i), 5), std::to_string(i)) << section << i;
}

}  // namespace
}  // namespace zrv

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

#include "config/ini.h"
#include "temp_folder.h"

namespace zrv {
namespace {

using test::TempFolder;
using test::Utf16File;
using test::WriteBytes;

using namespace std::string_literals;

struct ReadCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    size_t buffer;
    std::string expected;
};

const ReadCase kReadCases[] = {
    {"plain CRLF", "[Config1]\r\nK0=2\r\n", "Config1", "K0", 5, "2"},
    {"names ignore ASCII case", "[config1]\nk0=3\n", "CONFIG1", "K0", 5, "3"},
    {"blanks around key and value", "[A]\n  K0 \t=   7  \t\n", "A", "K0", 5, "7"},
    {"blanks inside brackets", "[ A ]\nk=1\n", "A", "k", 5, "1"},
    {"buffer 5 keeps four characters", "[A]\nk=12345\n", "A", "k", 5, "1234"},
    {"buffer 3 keeps two characters", "[A]\nk=123\n", "A", "k", 3, "12"},
    {"buffer 1 keeps nothing", "[A]\nk=123\n", "A", "k", 1, ""},
    {"buffer 0 keeps nothing", "[A]\nk=123\n", "A", "k", 0, ""},
    {"cut counts code points", "[A]\nk=中文字符\n", "A", "k", 3, "中文"},
    {"negative value", "[A]\nk=-100\n", "A", "k", 5, "-100"},
    {"value keeps inner = and blanks", "[A]\nk= a = b \n", "A", "k", 260, "a = b"},
    {"empty value", "[A]\nk=\n", "A", "k", 5, ""},
    {"missing section", "[A]\nk=1\n", "B", "k", 5, ""},
    {"missing key", "[A]\nk=1\n", "A", "j", 5, ""},
    {"key of the next section", "[A]\n[B]\nk=1\n", "A", "k", 5, ""},
    {"semicolon comment never matches", "[A]\n;k=1\n", "A", ";k", 5, ""},
    {"commented key is not the key", "[A]\n;k=1\nk=2\n", "A", "k", 5, "2"},
    {"hash comment never matches", "[A]\n#k=1\n", "A", "k", 5, ""},
    {"line without = never matches", "[A]\nk\n", "A", "k", 5, ""},
    {"key before any section", "k=1\n[A]\n", "A", "k", 5, ""},
    {"unclosed bracket is no section", "[A]\n[B\nk=1\n", "A", "k", 5, "1"},
    {"first of duplicate keys", "[A]\nk=1\nk=2\n", "A", "k", 5, "1"},
    {"first of duplicate sections", "[A]\nk=1\n[A]\nk=2\n", "A", "k", 5, "1"},
    {"lone CR line ends", "[A]\rj=0\rk=1\r", "A", "k", 5, "1"},
    {"no final newline", "[A]\nk=42", "A", "k", 5, "42"},
    {"UTF-8 BOM", "\xEF\xBB\xBF[A]\r\nk=5\r\n", "A", "k", 5, "5"},
    {"UTF-16LE with BOM", Utf16File(u"[A]\r\nk=六\r\n"), "A", "k", 5, "六"},
    {"UTF-16LE names ignore case", Utf16File(u"[a]\r\nK=9\r\n"), "A", "k", 5, "9"},
    {"UTF-16LE odd byte count", Utf16File(u"[A]\r\nk=7\r\n") + "\x01", "A", "k", 5, "7"},
    {"UTF-16LE lone surrogate", Utf16File(u"[A]\nk=1\xD800" u"2\n"), "A", "k", 10, "1\uFFFD2"},
    {"value ends at NUL", "[A]\nk=12\0" "34\n"s, "A", "k", 10, "12"},
    {"invalid UTF-8 becomes U+FFFD", "[A]\nk=\xFF" "1\n", "A", "k", 10, "\uFFFD1"},
    {"cut UTF-8 sequence at end", "[A]\nk=1\xE4", "A", "k", 10, "1\uFFFD"},
    {"invalid UTF-8 name matches only U+FFFD", "[A\xA0]\nk=1\n[A\uFFFD]\nk=2\n", "A\xA0", "k", 5, "2"},
    {"U+FFFD name skips invalid UTF-8", "[A\xA0]\nk=1\n[A\uFFFD]\nk=2\n", "A\uFFFD", "k", 5, "2"},
    {"invalid UTF-8 key matches only U+FFFD", "[A]\nk\xA0=1\nk\uFFFD=2\n", "A", "k\xA0", 5, "2"},
    {"UTF-16LE lone surrogate name is not U+FFFD", Utf16File(u"[A\xD800]\nk=1\n[A\uFFFD]\nk=2\n"), "A\uFFFD", "k", 5, "2"},
    {"empty file", "", "A", "k", 5, ""},
    {"BOM only", "\xEF\xBB\xBF", "A", "k", 5, ""},
    {"huge line before the key", "[A]\nx=" + std::string(1 << 20, 'x') + "\nk=8\n", "A", "k", 5, "8"},
    {"huge value is cut", "[A]\nk=" + std::string(1 << 20, '9') + "\n", "A", "k", 10, "999999999"},
};

class IniReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, SingleReadAndSnapshotAgree) {
    const ReadCase& c = GetParam();
    TempFolder folder;
    const std::string path = folder.File("t.ini");
    WriteBytes(path, c.file);
    EXPECT_EQ(ReadIniString(path, c.section, c.key, c.buffer), c.expected);
    EXPECT_EQ(IniSnapshot(path).Read(c.section, c.key, c.buffer), c.expected);
    EXPECT_EQ(IniSnapshot(path, c.section).Read(c.section, c.key, c.buffer), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, IniReadTest, ::testing::ValuesIn(kReadCases), [](const auto& info) {
    std::string name = info.param.name;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
});

TEST(IniRead, MissingFileOrFolderOrDirectoryGivesEmptyText) {
    TempFolder folder;
    std::filesystem::create_directory(folder.File("dir.ini"));
    for (const std::string& path : {folder.File("none.ini"), folder.File("no/such/folder.ini"), folder.File("dir.ini")}) {
        EXPECT_EQ(ReadIniString(path, "A", "k", 5), "") << path;
        EXPECT_EQ(IniSnapshot(path).Read("A", "k", 5), "") << path;
    }
}

struct WtoiCase {
    const char* text;
    int32_t expected;
};

TEST(ParseIntLikeWtoi, FollowsTheRuntimeRules) {
    const WtoiCase cases[] = {
        {"", 0},
        {"12", 12},
        {"-100", -100},
        {"+7", 7},
        {" \t\r\n\v\f5", 5},
        {"abc", 0},
        {"12ab", 12},
        {"1 2", 1},
        {"- 5", 0},
        {"--5", 0},
        {"-", 0},
        {"007", 7},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", INT32_MIN},   // wraps like a 32-bit int
        {"4294967297", 1},
        {"99999999999999999999", 1661992959},
        {"-4294967295", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseIntLikeWtoi(c.text), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace zrv

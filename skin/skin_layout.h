// Skin layout files: element rectangles, labels, function names and the macro
// editor's control rectangles, one set of files per interface language.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zrv {

// One element, in client pixels; it covers columns x..x+width-1 and rows y..y+height-1.
struct SkinButton {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::string label;

    bool operator==(const SkinButton&) const = default;
};

// right = x + width, bottom = y + height.
struct SkinRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool operator==(const SkinRect&) const = default;
};

inline constexpr int kMainButtonCount = 124;
inline constexpr int kColorButtonCount = 13;
inline constexpr int kAdvancedButtonCount = 52;
inline constexpr int kWarningButtonCount = 3;
inline constexpr int kFunctionNameCount = 55;  // entry 0 is never read and stays empty

struct SkinLayout {
    std::array<SkinButton, kMainButtonCount> MainButtons{};
    std::array<SkinButton, kColorButtonCount> ColorButtons{};
    std::array<SkinButton, kAdvancedButtonCount> AdvancedButtons{};
    std::array<SkinButton, kWarningButtonCount> WarningButtons{};
    std::array<std::string, kFunctionNameCount> FunctionNames{};
    SkinRect RepeatBoxRect;  // EDIT 3
    SkinRect NameBoxRect;    // EDIT 4
    SkinRect MacroListRect;  // MACRODISPLAY 1
    SkinRect EventListRect;  // MACRODISPLAY 2
};

inline constexpr std::string_view kMissingLayoutMessage = "找不到配置文件";
inline constexpr std::string_view kBadLayoutValueMessage = "加载ini错误！";
inline constexpr size_t kSkinValueBuffer = 260;  // at most 259 characters of a value are used

// What the reader cannot do itself: show a message box (owner: the main window) and end
// the program through the exit routine.
struct SkinLoadActions {
    std::function<void(std::string_view message)> showMessage;
    std::function<void()> exitProgram;
};

using SkinFields = std::array<std::string, 7>;

// Splits one value: fields 0..5 each closed by a comma (a field no comma closes is
// empty), field 6 everything after the sixth comma; a value without commas is field 0.
// tooManyCommas tells whether the value had more than six commas.
SkinFields SplitSkinValue(std::string_view value, bool& tooManyCommas);

// Decimal like the C run-time: blanks, sign, digits; no digits gives 0; clamps to 32 bits.
int32_t ParseSkinNumber(std::string_view text);

// Reads key `index` of `section`. A missing file (or a path of 260 characters or more)
// shows the missing-file message, ends the program and gives nothing; more than six
// commas shows the bad-value message and the fields are still given.
std::optional<SkinFields> ReadSkinEntry(const std::string& filePath, std::string_view section, int index,
                                        const SkinLoadActions& actions);

struct SkinLayoutFile {
    std::string_view chinese;  // relative to the skin folder
    std::string_view english;
};
inline constexpr SkinLayoutFile kSkinMainFile{"INI_CN/skin_main.ini", "INI_EN/skin_main_en.ini"};
inline constexpr SkinLayoutFile kSkinColorFile{"INI_CN/skin_color.ini", "INI_EN/skin_color_en.ini"};
inline constexpr SkinLayoutFile kSkinAdvancedFile{"INI_CN/skin_advance.ini", "INI_EN/skin_advance_en.ini"};
inline constexpr SkinLayoutFile kSkinWarningFile{"INI_CN/LBWarning.ini", "INI_EN/LBWarning_en.ini"};

// skinFolder + "/" + the file of the language (0 Chinese, anything else English).
std::string SkinLayoutPath(const std::string& skinFolder, const SkinLayoutFile& file, int uiLanguage);

// Reads the four files of the language in the order main, color, advanced, warning and
// overwrites every entry; a missing key leaves an empty entry. Returns false when a file
// was missing (the actions have run and the load stopped there).
bool LoadSkinLayout(const std::string& skinFolder, int uiLanguage, SkinLayout& layout,
                    const SkinLoadActions& actions);

}  // namespace zrv

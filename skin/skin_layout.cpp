#include "skin/skin_layout.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <string>

#include "config/ini.h"

namespace zrv {
namespace {

size_t CodePointCount(std::string_view text) {
    size_t n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

bool LayoutFileExists(const std::string& path) {
    if (CodePointCount(path) >= kSkinValueBuffer) return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

void Store(SkinButton& entry, const SkinFields& f) {
    entry.x = ParseSkinNumber(f[1]);
    entry.y = ParseSkinNumber(f[2]);
    entry.width = ParseSkinNumber(f[3]);
    entry.height = ParseSkinNumber(f[4]);
    entry.label = f[5];
}

void Store(SkinRect& rect, const SkinFields& f) {
    const int64_t x = ParseSkinNumber(f[1]);
    const int64_t y = ParseSkinNumber(f[2]);
    // The sums are taken in 64 bits so that oversized values cannot overflow.
    auto clamp = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    rect.left = static_cast<int32_t>(x);
    rect.top = static_cast<int32_t>(y);
    rect.right = clamp(x + ParseSkinNumber(f[3]));
    rect.bottom = clamp(y + ParseSkinNumber(f[4]));
}

template <size_t N>
bool ReadButtons(const std::string& path, std::array<SkinButton, N>& table, const SkinLoadActions& actions) {
    for (size_t i = 0; i < N; ++i) {
        auto fields = ReadSkinEntry(path, "BUTTONPOS", static_cast<int>(i), actions);
        if (!fields) return false;
        Store(table[i], *fields);
    }
    return true;
}

}  // namespace

SkinFields SplitSkinValue(std::string_view value, bool& tooManyCommas) {
    SkinFields fields;
    size_t commas = 0;
    for (char c : value)
        if (c == ',') ++commas;
    tooManyCommas = commas > 6;
    if (commas == 0) {
        fields[0] = std::string(value);
        return fields;
    }
    size_t start = 0;
    for (size_t k = 0; k < 6; ++k) {
        const size_t comma = value.find(',', start);
        if (comma == std::string_view::npos) return fields;  // an unclosed field reads as empty
        fields[k] = std::string(value.substr(start, comma - start));
        start = comma + 1;
    }
    fields[6] = std::string(value.substr(start));
    return fields;
}

int32_t ParseSkinNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{INT32_MAX} + 1) value = int64_t{INT32_MAX} + 1;  // saturate, then clamp
    }
    if (negative) value = -value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

std::optional<SkinFields> ReadSkinEntry(const std::string& filePath, std::string_view section, int index,
                                        const SkinLoadActions& actions) {
    const std::string key = std::to_string(index);
    if (!LayoutFileExists(filePath)) {
        if (actions.showMessage) actions.showMessage(kMissingLayoutMessage);
        if (actions.exitProgram) actions.exitProgram();
        return std::nullopt;
    }
    const std::string value = ReadIniString(filePath, section, key, kSkinValueBuffer);
    bool tooManyCommas = false;
    SkinFields fields = SplitSkinValue(value, tooManyCommas);
    if (tooManyCommas && actions.showMessage) actions.showMessage(kBadLayoutValueMessage);
    return fields;
}

std::string SkinLayoutPath(const std::string& skinFolder, const SkinLayoutFile& file, int uiLanguage) {
    return skinFolder + "/" + std::string(uiLanguage == 0 ? file.chinese : file.english);
}

bool LoadSkinLayout(const std::string& skinFolder, int uiLanguage, SkinLayout& layout,
                    const SkinLoadActions& actions) {
    const std::string main = SkinLayoutPath(skinFolder, kSkinMainFile, uiLanguage);
    if (!ReadButtons(main, layout.MainButtons, actions)) return false;
    layout.FunctionNames[0].clear();
    for (int code = 1; code < kFunctionNameCount; ++code) {
        auto fields = ReadSkinEntry(main, "FUN_STRING", code, actions);
        if (!fields) return false;
        layout.FunctionNames[code] = (*fields)[0];
    }

    if (!ReadButtons(SkinLayoutPath(skinFolder, kSkinColorFile, uiLanguage), layout.ColorButtons, actions))
        return false;

    const std::string advanced = SkinLayoutPath(skinFolder, kSkinAdvancedFile, uiLanguage);
    if (!ReadButtons(advanced, layout.AdvancedButtons, actions)) return false;
    struct ControlKey {
        std::string_view section;
        int index;
        SkinRect SkinLayout::*rect;
    };
    static constexpr ControlKey kControls[] = {
        {"EDIT", 3, &SkinLayout::RepeatBoxRect},
        {"EDIT", 4, &SkinLayout::NameBoxRect},
        {"MACRODISPLAY", 1, &SkinLayout::MacroListRect},
        {"MACRODISPLAY", 2, &SkinLayout::EventListRect},
    };
    for (const auto& c : kControls) {
        auto fields = ReadSkinEntry(advanced, c.section, c.index, actions);
        if (!fields) return false;
        Store(layout.*c.rect, *fields);
    }

    return ReadButtons(SkinLayoutPath(skinFolder, kSkinWarningFile, uiLanguage), layout.WarningButtons, actions);
}

}  // namespace zrv

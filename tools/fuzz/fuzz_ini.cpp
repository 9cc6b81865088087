// INI reader and writer on a hostile file: reads must not fault, and a write must read
// back as written without touching any other line.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/ini.h"
#include "tools/fuzz/fuzz_temp.h"

namespace {

std::string_view TrimBlanks(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// A section and a key named in the input itself, so that reads and writes hit real entries.
void NamesFromInput(std::string_view text, std::string& section, std::string& key) {
    while (!text.empty()) {
        const size_t eol = text.find_first_of("\r\n");
        const std::string_view line = TrimBlanks(text.substr(0, eol));
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        if (section.empty() && !line.empty() && line.front() == '[') {
            const size_t close = line.find(']');
            if (close != std::string_view::npos) section = TrimBlanks(line.substr(1, close - 1));
        } else if (key.empty() && line.find('=') != std::string_view::npos) {
            key = TrimBlanks(line.substr(0, line.find('=')));
        }
    }
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

void CheckWrite(const std::string& path, std::string_view original, const std::string& section, const std::string& key) {
    const std::string copy = path + ".w";
    zrv::fuzz::WriteFile(copy, original);
    const std::string value = "fz=1 x";
    if (!zrv::WriteIniString(copy, section, key, value)) return;  // refused names
    const std::string written = zrv::fuzz::ReadFile(copy);
    if (zrv::ReadIniString(copy, section, key, 4096) != value) std::abort();
    zrv::IniSnapshot snapshot(copy);
    if (snapshot.Read(section, key, 4096) != value) std::abort();
    zrv::IniSnapshot oneSection(copy, section);
    if (oneSection.Read(section, key, 4096) != value) std::abort();

    // Outside one line's text, the bytes stay: what differs in the old file holds no
    // line break. (UTF-16 units may hold a line-break byte, so only byte-based files.)
    const bool utf16 = original.size() >= 2 && original[0] == '\xFF' && original[1] == '\xFE';
    if (!utf16) {
        size_t prefix = 0;
        while (prefix < original.size() && prefix < written.size() && original[prefix] == written[prefix]) ++prefix;
        size_t suffix = 0;
        while (suffix < original.size() - prefix && suffix < written.size() - prefix &&
               original[original.size() - 1 - suffix] == written[written.size() - 1 - suffix])
            ++suffix;
        if (HasLineBreak(original.substr(prefix, original.size() - prefix - suffix))) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string path = zrv::fuzz::TempFolder() + "/fuzz.ini";
    zrv::fuzz::WriteFile(path, input);

    std::string section, key;
    NamesFromInput(input, section, key);
    const std::pair<std::string, std::string> names[] = {
        {"Macros", "macroNum"}, {"", ""}, {section, key}, {"a", "b"}};
    const zrv::IniSnapshot snapshot(path);
    for (const auto& [s, k] : names) {
        for (size_t buffer : {size_t{0}, size_t{1}, size_t{4}, size_t{260}}) {
            const std::string direct = zrv::ReadIniString(path, s, k, buffer);
            if (snapshot.Read(s, k, buffer) != direct) std::abort();
            if (zrv::IniSnapshot(path, s).Read(s, k, buffer) != direct) std::abort();
        }
    }
    zrv::ParseIntLikeWtoi(input);

    CheckWrite(path, input, section, key.empty() ? "k" : key);
    CheckWrite(path, input, "Macros", "macroNum");
    return 0;
}

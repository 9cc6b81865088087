// Key codes: Windows virtual-key codes <-> USB HID keyboard usages, and key names.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zrv {

struct KeyCodePair {
    uint8_t virtualKey;
    uint8_t usage;
};

namespace key_codes_detail {

// Runs of consecutive codes that pair off element by element.
struct KeyCodeRun {
    uint8_t virtualKey;
    uint8_t usage;
    uint8_t length;
};

inline constexpr KeyCodeRun kKeyCodeRuns[] = {
    {8, 42, 1},    {9, 43, 1},    {12, 156, 1},  {13, 40, 1},   {19, 72, 1},   {20, 57, 1},
    {27, 41, 1},   {32, 44, 1},   {33, 75, 1},   {34, 78, 1},   {35, 77, 1},   {36, 74, 1},
    {37, 80, 1},   {38, 82, 1},   {39, 79, 1},   {40, 81, 1},   {41, 119, 1},  {43, 116, 1},
    {44, 70, 1},   {45, 73, 1},   {46, 76, 1},   {47, 117, 1},  {48, 39, 1},   {49, 30, 9},
    {65, 4, 26},   {91, 227, 1},  {92, 231, 1},  {93, 101, 1},  {96, 98, 1},   {97, 89, 9},
    {106, 85, 1},  {107, 87, 1},  {108, 159, 1}, {109, 86, 1},  {110, 99, 1},  {111, 84, 1},
    {112, 58, 12}, {124, 104, 12}, {144, 83, 1}, {145, 71, 1},  {160, 225, 1}, {161, 229, 1},
    {162, 224, 1}, {163, 228, 1}, {164, 226, 1}, {165, 230, 1}, {186, 51, 1},  {187, 46, 1},
    {188, 54, 1},  {189, 45, 1},  {190, 55, 1},  {191, 56, 1},  {192, 50, 1},  {219, 47, 1},
    {220, 49, 1},  {221, 48, 1},  {222, 52, 1},
};

constexpr size_t PairCount() {
    size_t n = 0;
    for (const auto& run : kKeyCodeRuns) n += run.length;
    return n;
}

}  // namespace key_codes_detail

// The 120 pairs (virtual-key code, usage).
inline constexpr auto KeyCodeMap = [] {
    std::array<KeyCodePair, key_codes_detail::PairCount()> pairs{};
    size_t n = 0;
    for (const auto& run : key_codes_detail::kKeyCodeRuns)
        for (int k = 0; k < run.length; ++k)
            pairs[n++] = {static_cast<uint8_t>(run.virtualKey + k), static_cast<uint8_t>(run.usage + k)};
    return pairs;
}();
static_assert(KeyCodeMap.size() == 120);

// A code in no pair converts to itself. Only the low 8 bits of a code take part.
uint8_t VirtualKeyToUsage(uint8_t virtualKey);
uint8_t UsageToVirtualKey(uint8_t usage);

// The text shown for a usage or mouse-button code; "NON-AVAILABLE" for codes without one.
std::string_view KeyName(uint8_t code);

struct KeyNameEntry {
    uint8_t code;
    std::string_view name;
};

inline constexpr KeyNameEntry KeyNameTable[] = {
    {4, "A"}, {5, "B"}, {6, "C"}, {7, "D"}, {8, "E"}, {9, "F"}, {10, "G"}, {11, "H"}, {12, "I"},
    {13, "J"}, {14, "K"}, {15, "L"}, {16, "M"}, {17, "N"}, {18, "O"}, {19, "P"}, {20, "Q"},
    {21, "R"}, {22, "S"}, {23, "T"}, {24, "U"}, {25, "V"}, {26, "W"}, {27, "X"}, {28, "Y"},
    {29, "Z"},
    {30, "1"}, {31, "2"}, {32, "3"}, {33, "4"}, {34, "5"}, {35, "6"}, {36, "7"}, {37, "8"},
    {38, "9"}, {39, "0"},
    {40, "RETURN"}, {41, "ESCAPE"}, {42, "BACK"}, {43, "TAB"}, {44, "SPACE"}, {45, "-"}, {46, "+"},
    {47, "[{"}, {48, "]}"}, {49, "\\|"}, {50, "`~"}, {51, ";:"}, {52, " ' "}, {54, ","}, {55, "."},
    {56, "/?"}, {57, "CAPITAL"},
    {58, "F1"}, {59, "F2"}, {60, "F3"}, {61, "F4"}, {62, "F5"}, {63, "F6"}, {64, "F7"}, {65, "F8"},
    {66, "F9"}, {67, "F10"}, {68, "F11"}, {69, "F12"},
    {70, "SNAPSHOT"}, {71, "SCROLL"}, {72, "PAUSE"}, {73, "INSERT"}, {74, "HOME"}, {75, "PRIOR"},
    {76, "DELETE"}, {77, "END"}, {78, "NEXT"}, {79, "RIGHT"}, {80, "LEFT"}, {81, "DOWN"}, {82, "UP"},
    {83, "NUMLOCK"}, {84, "DIVIDE"}, {85, "MULTIPLY"}, {86, "SUBTRACT"}, {87, "ADD"},
    {89, "NUMPAD1"}, {90, "NUMPAD2"}, {91, "NUMPAD3"}, {92, "NUMPAD4"}, {93, "NUMPAD5"},
    {94, "NUMPAD6"}, {95, "NUMPAD7"}, {96, "NUMPAD8"}, {97, "NUMPAD9"}, {98, "NUMPAD0"},
    {99, "DECIMAL"}, {101, "APPS"},
    {104, "F13"}, {105, "F14"}, {106, "F15"}, {107, "F16"}, {108, "F17"}, {109, "F18"},
    {110, "F19"}, {111, "F20"}, {112, "F21"}, {113, "F22"}, {114, "F23"}, {115, "F24"},
    {116, "EXECUTE"}, {117, "HELP"}, {118, "MENU"}, {119, "SELECT"}, {156, "CLEAR"},
    {159, "SEPARATOR"},
    {224, "LCONTROL"}, {225, "LSHIFT"}, {226, "LMENU"}, {227, "LWIN"}, {228, "RCONTROL"},
    {229, "RSHIFT"}, {230, "RMENU"}, {231, "RWIN"},
    {240, "L-KEY"}, {241, "R-KEY"}, {242, "M-KEY"},
};

inline constexpr std::string_view kNoKeyName = "NON-AVAILABLE";

}  // namespace zrv

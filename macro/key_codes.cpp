#include "macro/key_codes.h"

namespace zrv {
namespace {

struct Lookup {
    std::array<uint8_t, 256> usageOfKey{};
    std::array<uint8_t, 256> keyOfUsage{};
    std::array<std::string_view, 256> name{};
};

constexpr Lookup kLookup = [] {
    Lookup t;
    for (int i = 0; i < 256; ++i) {
        t.usageOfKey[i] = static_cast<uint8_t>(i);
        t.keyOfUsage[i] = static_cast<uint8_t>(i);
        t.name[i] = kNoKeyName;
    }
    for (const auto& p : KeyCodeMap) {
        t.usageOfKey[p.virtualKey] = p.usage;
        t.keyOfUsage[p.usage] = p.virtualKey;
    }
    for (const auto& e : KeyNameTable) t.name[e.code] = e.name;
    return t;
}();

// Each code appears in at most one pair on each side, so the two directions agree.
constexpr bool PairsAreOneToOne() {
    for (size_t i = 0; i < KeyCodeMap.size(); ++i)
        for (size_t j = i + 1; j < KeyCodeMap.size(); ++j)
            if (KeyCodeMap[i].virtualKey == KeyCodeMap[j].virtualKey || KeyCodeMap[i].usage == KeyCodeMap[j].usage)
                return false;
    return true;
}
static_assert(PairsAreOneToOne());

}  // namespace

uint8_t VirtualKeyToUsage(uint8_t virtualKey) { return kLookup.usageOfKey[virtualKey]; }
uint8_t UsageToVirtualKey(uint8_t usage) { return kLookup.keyOfUsage[usage]; }
std::string_view KeyName(uint8_t code) { return kLookup.name[code]; }

}  // namespace zrv

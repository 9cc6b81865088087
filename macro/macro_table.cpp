#include "macro/macro_table.h"

#include <algorithm>
#include <vector>

namespace zrv {
namespace {

bool ValidSlot(int slot) { return slot >= 0 && slot < kMacroSlots; }

// UTF-8 to UTF-16 code units; malformed bytes become U+FFFD.
std::vector<uint16_t> ToUtf16(std::string_view text) {
    std::vector<uint16_t> units;
    size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        uint32_t cp = 0xFFFD;
        size_t length = 1;
        if (b < 0x80) {
            cp = b;
        } else if (b >= 0xC2 && b < 0xF5) {
            length = b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
            uint32_t value = b & (0x7F >> length);
            bool ok = i + length <= text.size();
            for (size_t k = 1; ok && k < length; ++k) {
                const auto c = static_cast<unsigned char>(text[i + k]);
                ok = (c & 0xC0) == 0x80;
                value = (value << 6) | (c & 0x3F);
            }
            const uint32_t minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
            if (ok && value >= minimum && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF)) cp = value;
            else length = 1;
        }
        i += length;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            units.push_back(static_cast<uint16_t>(0xD800 + (cp >> 10)));
            units.push_back(static_cast<uint16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            units.push_back(static_cast<uint16_t>(cp));
        }
    }
    return units;
}

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The code units of a name field up to its terminator; a field a file filled
// completely ends at its 20th unit.
std::vector<uint16_t> NameUnits(const std::array<uint8_t, 40>& field) {
    std::vector<uint16_t> units;
    for (size_t i = 0; i + 1 < field.size(); i += 2) {
        const auto unit = static_cast<uint16_t>(field[i] | (field[i + 1] << 8));
        if (unit == 0) break;
        units.push_back(unit);
    }
    return units;
}

std::array<uint8_t, 40> EncodeName(std::string_view utf8) {
    auto units = ToUtf16(utf8);
    size_t keep = std::min<size_t>(units.size(), kMacroNameChars);
    // A high surrogate whose partner was cut off would be half a character.
    if (keep > 0 && keep < units.size() && units[keep - 1] >= 0xD800 && units[keep - 1] <= 0xDBFF) --keep;
    std::array<uint8_t, 40> field{};
    for (size_t i = 0; i < keep; ++i) {
        field[2 * i] = static_cast<uint8_t>(units[i]);
        field[2 * i + 1] = static_cast<uint8_t>(units[i] >> 8);
    }
    return field;
}

}  // namespace

Macro SnapshotMacro(const MacroTable& table, int slot) {
    if (!ValidSlot(slot)) return {};
    std::lock_guard lock(table.mutex);
    return table.slot[slot];
}

void EditMacro(MacroTable& table, int slot, const std::function<void(Macro&)>& change) {
    if (!ValidSlot(slot)) return;
    std::lock_guard lock(table.mutex);
    change(table.slot[slot]);
}

MacroEvent GetEvent(const Macro& macro, int index) {
    if (index < 0 || index >= kMacroEventSlots) return {};
    return {macro.events[index][0], macro.events[index][1], macro.delays[index]};
}

void SetEvent(Macro& macro, int index, const MacroEvent& event) {
    if (index < 0 || index >= kMacroEventSlots) return;
    macro.events[index] = {event.code, event.action};
    macro.delays[index] = event.delay;
}

bool InsertEvent(Macro& macro, int position, uint8_t code, uint8_t action) {
    const int count = macro.eventCount;
    if (count + 1 > kMaxEditedEvents) return false;
    position = std::clamp(position, 0, count);
    macro.eventCount = static_cast<uint8_t>(count + 1);
    for (int k = count; k > position; --k) SetEvent(macro, k, GetEvent(macro, k - 1));
    SetEvent(macro, position, {code, action, kNewEventDelay});
    return true;
}

bool InsertEvent(MacroTable& table, int slot, int position, uint8_t code, uint8_t action,
                 const MacroMessage& message) {
    bool inserted = false;
    EditMacro(table, slot, [&](Macro& m) { inserted = InsertEvent(m, position, code, action); });
    // The message box is modal: never show it while holding the lock the player needs.
    if (!inserted && ValidSlot(slot) && message) message(kOverflowMessage);
    return inserted;
}

void DeleteEvent(Macro& macro, int index) {
    const int count = macro.eventCount > 0 ? macro.eventCount - 1 : 0;
    macro.eventCount = static_cast<uint8_t>(count);
    if (index < 0 || index >= count) return;
    for (int k = index; k < count; ++k) SetEvent(macro, k, GetEvent(macro, k + 1));
}

void DeleteEvent(MacroTable& table, int slot, int index) {
    EditMacro(table, slot, [&](Macro& m) { DeleteEvent(m, index); });
}

std::string MacroName(const Macro& macro) {
    const auto units = NameUnits(macro.name);
    std::string text;
    for (size_t i = 0; i < units.size(); ++i) {
        const uint16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            AppendUtf8(text, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(text, 0xFFFD);
        } else {
            AppendUtf8(text, u);
        }
    }
    return text;
}

void SetMacroName(Macro& macro, std::string_view utf8) { macro.name = EncodeName(utf8); }

int FindMacroByName(const MacroTable& table, std::string_view text) {
    const auto wanted = NameUnits(EncodeName(text));
    const int count = std::clamp<int>(table.userCount, 0, kUserMacroSlots);
    for (int i = 0; i < count; ++i)
        if (NameUnits(table.slot[i].name) == wanted) return i;
    return table.userCount;
}

}  // namespace zrv

// The macro table: 26 fixed slots of 1064-byte macro records, the counts and the
// two primitive edits.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

namespace zrv {

// An unsigned 16-bit number stored low byte first, at any offset.
struct Le16 {
    uint8_t lo = 0;
    uint8_t hi = 0;

    constexpr Le16() = default;
    constexpr Le16(uint16_t value) : lo(static_cast<uint8_t>(value)), hi(static_cast<uint8_t>(value >> 8)) {}
    constexpr operator uint16_t() const { return static_cast<uint16_t>(lo | (hi << 8)); }
    bool operator==(const Le16&) const = default;
};

inline constexpr int kMacroEventSlots = 255;
inline constexpr int kMaxEditedEvents = 254;   // InsertEvent's limit
inline constexpr int kMacroNameChars = 19;     // UTF-16 code units before the terminator
inline constexpr uint16_t kNewEventDelay = 30; // milliseconds

// One key or button event: code (HID keyboard usage, or 0xF0..0xF2 for the left, right,
// middle button), action (1 down, 2 up) and the pause after it in milliseconds.
struct MacroEvent {
    uint8_t code = 0;
    uint8_t action = 0;
    uint16_t delay = 0;
    bool operator==(const MacroEvent&) const = default;
};

// The record as the macro files store it, byte by byte.
struct Macro {
    std::array<uint8_t, 40> name{};  // UTF-16LE, zero-terminated
    uint8_t repeatMode = 0;          // nonzero: a press plays repeatCount passes
    Le16 repeatCount{};
    uint8_t eventCount = 0;
    std::array<std::array<uint8_t, 2>, kMacroEventSlots> events{};  // code, action
    std::array<Le16, kMacroEventSlots> delays{};

    bool operator==(const Macro&) const = default;
};

static_assert(sizeof(Macro) == 1064);
static_assert(offsetof(Macro, name) == 0);
static_assert(offsetof(Macro, repeatMode) == 40);
static_assert(offsetof(Macro, repeatCount) == 41);
static_assert(offsetof(Macro, eventCount) == 43);
static_assert(offsetof(Macro, events) == 44);
static_assert(offsetof(Macro, delays) == 554);

inline constexpr int kMacroSlots = 26;
inline constexpr int kUserMacroSlots = 12;   // slots 0..11
inline constexpr int kBlankSlot = 12;        // stays all zero
inline constexpr int kPresetFirstSlot = 13;  // slots 13..25
inline constexpr int kPresetMacroSlots = 13;

// The one process-wide table. The window thread is the only writer; it changes slots
// while holding `mutex`, and the playback thread copies a slot under the same lock
// (SnapshotMacro), so a running macro never sees a half-made edit.
struct MacroTable {
    std::array<Macro, kMacroSlots> slot{};  // not "slots": Qt defines that word
    int16_t userCount = 0;    // 0..12
    int16_t presetCount = 0;  // 0..13
    int32_t currentMacro = 0;  // user macro shown on the advanced page
    mutable std::mutex mutex;
};

Macro SnapshotMacro(const MacroTable& table, int slot);
// Runs change(slot) under the table's lock; slot outside 0..25 does nothing.
void EditMacro(MacroTable& table, int slot, const std::function<void(Macro&)>& change);

// Shows a message in the application's standard message box (OK only).
using MacroMessage = std::function<void(const std::string& text)>;
inline constexpr const char* kOverflowMessage = "Overflow!!!";

MacroEvent GetEvent(const Macro& macro, int index);
void SetEvent(Macro& macro, int index, const MacroEvent& event);

// Inserts before slot `position` (clamped to 0..eventCount) with delay 30. A macro that
// already holds 254 events is left unchanged and false is returned.
bool InsertEvent(Macro& macro, int position, uint8_t code, uint8_t action);
// The same on a table slot under its lock; on overflow shows "Overflow!!!" afterwards.
bool InsertEvent(MacroTable& table, int slot, int position, uint8_t code, uint8_t action,
                 const MacroMessage& message);
void DeleteEvent(Macro& macro, int index);
void DeleteEvent(MacroTable& table, int slot, int index);

// Names are UTF-8 outside the record. A name longer than 19 UTF-16 code units is cut to
// 19 (never inside a surrogate pair); the rest of the field is zeroed.
std::string MacroName(const Macro& macro);
void SetMacroName(Macro& macro, std::string_view utf8);
// First user macro whose name equals text (cut like SetMacroName), code unit by code
// unit; userCount when none does.
int FindMacroByName(const MacroTable& table, std::string_view text);

}  // namespace zrv

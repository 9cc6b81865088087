#include "device/protocol.h"

#include <algorithm>
#include <chrono>

namespace zrv {
namespace {

// One report: bytes at their positions over what the previous report left, then send.
struct ReportByte {
    int index;
    uint8_t value;
};

void Send(DeviceLink& link, std::initializer_list<ReportByte> bytes) {
    const auto handle = link.writeHandle.load();
    if (!handle) return;
    std::lock_guard lock(link.featureMutex);
    link.featureReport[0] = kFeatureReportId;
    for (const auto& b : bytes) link.featureReport[b.index] = b.value;
    handle->SetFeature(link.featureReport.data(), link.writeCaps.featureReportLength);
}

void SendPressKeys(DeviceLink& link) {
    const auto& k = link.keySlots;
    Send(link, {{1, 0x15}, {2, k[0]}, {3, k[1]}, {4, k[2]}, {5, k[3]}, {6, k[4]}, {7, k[5]}});
}

void SendPressButtons(DeviceLink& link) { Send(link, {{1, 0x16}, {3, link.buttonState}}); }

}  // namespace

void SetDpiLevel(DeviceLink& link, int32_t currentLevel, int levelIndex, uint8_t dpiCode, uint8_t enableMask) {
    Send(link, {{1, 0x09},
                {2, static_cast<uint8_t>(0x40 + currentLevel)},
                {3, static_cast<uint8_t>((dpiCode << 4) + 8 + levelIndex)},
                {4, enableMask}});
}

void SetButtonFunction(DeviceLink& link, uint8_t mouseButton, uint8_t mouseFunction) {
    Send(link, {{1, 0x10}, {2, mouseButton}, {3, mouseFunction}});
}

void SetWheelMode(DeviceLink& link, int32_t wheelStatus) {
    Send(link, {{1, 0x11}, {2, static_cast<uint8_t>(wheelStatus)}, {3, 0x00}});
}

void SetFireInterval(DeviceLink& link, int32_t milliseconds) {
    // Units of 8 ms, truncated toward zero, as an unsigned 16-bit big-endian number.
    const auto units = static_cast<uint16_t>(milliseconds / 8);
    const auto high = static_cast<uint8_t>(units >> 8);
    const auto low = static_cast<uint8_t>(units & 0xFF);
    Send(link, {{1, 0x12}, {2, high}, {3, low}, {4, 0}, {5, 0}, {6, 0}, {7, 0}});
}

void SetLighting(DeviceLink& link, uint8_t lightingCode) {
    Send(link, {{1, 0x13}, {2, 0x7F}, {3, static_cast<uint8_t>(0x10 + lightingCode)}});
}

void SendConsumerKey(DeviceLink& link, uint16_t usage) {
    Send(link, {{1, 0x17}, {2, static_cast<uint8_t>(usage >> 8)}, {3, static_cast<uint8_t>(usage & 0xFF)}});
}

void HostExit(DeviceLink& link) { Send(link, {{1, 0x20}, {2, 0x00}, {3, 0x00}}); }

void SendMacroEvent(DeviceLink& link, uint8_t code, uint8_t action) {
    if (code >= 0xF0) {
        if (code <= 0xF2) {
            const auto bit = static_cast<uint8_t>(1u << (code - 0xF0));
            if (action == 1) link.buttonState &= static_cast<uint8_t>(~bit);
            else if (action == 2) link.buttonState |= bit;
        }
        SendPressButtons(link);
        return;
    }
    auto& slots = link.keySlots;
    if (action == 1) {
        auto empty = std::find(slots.begin(), slots.end(), 0);
        if (empty != slots.end()) *empty = code;  // a seventh key is dropped
    } else if (action == 2) {
        auto held = std::find(slots.begin(), slots.end(), code);
        if (held != slots.end()) {
            std::move(held + 1, slots.end(), held);
            slots.back() = 0;
        }
    }
    SendPressKeys(link);
}

void ReleaseAll(DeviceLink& link, Clock& clock) {
    using std::chrono::milliseconds;
    clock.SleepFor(milliseconds(10));
    link.buttonState |= 0x07;
    SendPressButtons(link);
    clock.SleepFor(milliseconds(10));
    link.keySlots.fill(0);
    SendPressKeys(link);
}

}  // namespace zrv

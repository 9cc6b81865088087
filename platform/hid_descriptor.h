// What the device layer needs from a HID report descriptor: the top-level usage and the
// report lengths, computed the way the Windows HID capabilities give them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zrv {

struct HidDescriptorCaps {
    uint16_t usagePage = 0;  // of the first top-level Application collection
    uint16_t usage = 0;
    // Longest report of that kind in that collection, in bytes, plus the report-ID byte
    // (added even when the device uses no report IDs); 0 when the collection has none.
    uint16_t inputReportLength = 0;
    uint16_t outputReportLength = 0;
    uint16_t featureReportLength = 0;
};

// nullopt for an empty, cut, unbalanced or otherwise unusable descriptor; never reads past
// the end of the bytes.
std::optional<HidDescriptorCaps> ParseHidReportDescriptor(std::span<const uint8_t> bytes);

}  // namespace zrv

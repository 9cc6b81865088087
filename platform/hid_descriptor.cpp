#include "platform/hid_descriptor.h"

#include <array>

namespace zrv {
namespace {

enum ItemType : uint8_t { kMain = 0, kGlobal = 1, kLocal = 2, kReserved = 3 };

enum MainTag : uint8_t { kInput = 0x8, kOutput = 0x9, kCollection = 0xA, kFeature = 0xB, kEndCollection = 0xC };
enum GlobalTag : uint8_t { kUsagePage = 0x0, kReportSize = 0x7, kReportId = 0x8, kReportCount = 0x9, kPush = 0xA, kPop = 0xB };
enum LocalTag : uint8_t { kUsage = 0x0 };

constexpr uint8_t kLongItemPrefix = 0xFE;
constexpr uint32_t kApplicationCollection = 0x01;
// The kernel's own limits: 4 kB descriptors nest far less than this, and a report ID is one byte.
constexpr size_t kMaxPushDepth = 32;
constexpr size_t kMaxCollectionDepth = 64;
constexpr uint64_t kMaxReportBits = (uint64_t{0xFFFF} - 1) * 8;

struct Globals {
    uint32_t usagePage = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint32_t reportId = 0;
};

// Bits per report ID of one report kind.
struct ReportBits {
    std::array<uint64_t, 256> bits{};
    bool any = false;

    bool Add(uint32_t reportId, uint64_t count) {
        any = true;
        bits[reportId] += count;
        return bits[reportId] <= kMaxReportBits;
    }
    uint16_t Length() const {
        if (!any) return 0;
        uint64_t longest = 0;
        for (uint64_t b : bits) longest = b > longest ? b : longest;
        return static_cast<uint16_t>((longest + 7) / 8 + 1);
    }
};

}  // namespace

std::optional<HidDescriptorCaps> ParseHidReportDescriptor(std::span<const uint8_t> bytes) {
    Globals globals;
    std::array<Globals, kMaxPushDepth> stack{};
    size_t stackDepth = 0;

    // Only the first usage before a collection names it, as the HID parsers of both systems take it.
    bool haveUsage = false;
    bool usageHasPage = false;
    uint32_t firstUsage = 0;

    size_t depth = 0;
    enum class Tlc { Before, Inside, After } tlc = Tlc::Before;
    HidDescriptorCaps caps;
    ReportBits input, output, feature;

    size_t pos = 0;
    while (pos < bytes.size()) {
        const uint8_t prefix = bytes[pos];
        if (prefix == kLongItemPrefix) {
            // No long item tags are defined; skip the data.
            if (bytes.size() - pos < 3) return std::nullopt;
            const size_t dataSize = bytes[pos + 1];
            if (bytes.size() - pos - 3 < dataSize) return std::nullopt;
            pos += 3 + dataSize;
            continue;
        }
        const size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        const uint8_t type = (prefix >> 2) & 3;
        const uint8_t tag = prefix >> 4;
        if (bytes.size() - pos - 1 < size) return std::nullopt;
        uint32_t data = 0;
        for (size_t i = 0; i < size; ++i) data |= uint32_t{bytes[pos + 1 + i]} << (8 * i);
        pos += 1 + size;

        switch (type) {
        case kMain: {
            switch (tag) {
            case kInput:
            case kOutput:
            case kFeature:
                if (tlc == Tlc::Inside) {
                    const uint64_t bits = uint64_t{globals.reportSize} * globals.reportCount;
                    ReportBits& kind = tag == kInput ? input : tag == kOutput ? output : feature;
                    if (!kind.Add(globals.reportId, bits)) return std::nullopt;
                }
                break;
            case kCollection:
                if (depth == kMaxCollectionDepth) return std::nullopt;
                if (depth == 0 && tlc == Tlc::Before && (data & 0xFF) == kApplicationCollection) {
                    tlc = Tlc::Inside;
                    if (haveUsage) {
                        caps.usagePage = static_cast<uint16_t>(usageHasPage ? firstUsage >> 16 : globals.usagePage);
                        caps.usage = static_cast<uint16_t>(firstUsage & 0xFFFF);
                    } else {
                        caps.usagePage = static_cast<uint16_t>(globals.usagePage);
                    }
                }
                ++depth;
                break;
            case kEndCollection:
                if (depth == 0) return std::nullopt;
                --depth;
                if (depth == 0 && tlc == Tlc::Inside) tlc = Tlc::After;
                break;
            default:
                break;  // reserved main tags are ignored, as the kernel does
            }
            haveUsage = false;  // local items last until the next main item
            break;
        }
        case kGlobal:
            switch (tag) {
            case kUsagePage:
                if (data > 0xFFFF) return std::nullopt;
                globals.usagePage = data;
                break;
            case kReportSize:
                globals.reportSize = data;
                break;
            case kReportCount:
                globals.reportCount = data;
                break;
            case kReportId:
                if (data == 0 || data > 0xFF) return std::nullopt;
                globals.reportId = data;
                break;
            case kPush:
                if (stackDepth == stack.size()) return std::nullopt;
                stack[stackDepth++] = globals;
                break;
            case kPop:
                if (stackDepth == 0) return std::nullopt;
                globals = stack[--stackDepth];
                break;
            default:
                break;
            }
            break;
        case kLocal:
            if (tag == kUsage && !haveUsage) {
                haveUsage = true;
                usageHasPage = size == 4;
                firstUsage = data;
            }
            break;
        default:
            return std::nullopt;
        }
    }

    if (depth != 0 || tlc == Tlc::Before) return std::nullopt;
    caps.inputReportLength = input.Length();
    caps.outputReportLength = output.Length();
    caps.featureReportLength = feature.Length();
    return caps;
}

}  // namespace zrv

#include "platform/hid_descriptor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zrv {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Repeat(const Bytes& part, int times) {
    Bytes all;
    for (int i = 0; i < times; ++i) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Three buttons, five bits of padding, X and Y: the boot mouse, no report IDs.
const Bytes kBootMouse = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19, 0x01, 0x29, 0x03,
    0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x05, 0x81, 0x01,
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02, 0x81, 0x06,
    0xC0, 0xC0};

// The mouse's read interface: vendor page 0xFF00, usage 1, input report 6 of 7 bytes.
const Bytes kVendorInput = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x06, 0x09, 0x01, 0x15, 0x00,
                            0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x07, 0x81, 0x02, 0xC0};

// The mouse's write interface: vendor page 0xFF01, usage 1, feature report 7 of 7 bytes.
const Bytes kVendorFeature = {0x06, 0x01, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x07, 0x09, 0x01, 0x15, 0x00,
                              0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x07, 0xB1, 0x02, 0xC0};

// Input 1: 3 bytes; input 2: 16 bytes and 4 bits; feature 3: 32 bytes; feature 4: two 16-bit fields.
const Bytes kSeveralIds = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,                  //
    0x85, 0x01, 0x75, 0x08, 0x95, 0x03, 0x81, 0x02,            //
    0x85, 0x02, 0x75, 0x08, 0x95, 0x10, 0x81, 0x02,            //
    0x85, 0x02, 0x75, 0x01, 0x95, 0x04, 0x81, 0x02,            //
    0x85, 0x03, 0x75, 0x08, 0x95, 0x20, 0xB1, 0x02,            //
    0x85, 0x04, 0x75, 0x10, 0x95, 0x02, 0xB1, 0x02, 0xC0};

// Push keeps size 8 count 4 and report ID 1; the inner items use ID 2; pop brings ID 1 back.
const Bytes kPushPop = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x01, 0x75, 0x08, 0x95, 0x04, 0xA4,  //
    0x85, 0x02, 0x75, 0x01, 0x95, 0x03, 0x81, 0x02,                               // ID 2: 3 bits
    0xB4, 0x81, 0x02,                                                             // ID 1: 32 bits
    0x75, 0x01, 0x95, 0x03, 0x81, 0x02, 0xC0};                                    // ID 1: +3 bits

// A 4-byte usage carries its own page, whatever the global usage page says.
const Bytes kExtendedUsage = {0x05, 0x01, 0x0B, 0x01, 0x00, 0x00, 0xFF, 0xA1, 0x01,
                              0x75, 0x08, 0x95, 0x07, 0x81, 0x02, 0xC0};

// A second top-level collection has its own capabilities; only the first counts.
const Bytes kTwoCollections = Join({kVendorInput, {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02, 0x75,
                                                   0x08, 0x95, 0x28, 0x81, 0x02, 0xB1, 0x02, 0xC0}});

const Bytes kLongItem = {0xFE, 0x02, 0x10, 0xAA, 0xBB};

struct Case {
    std::string name;
    Bytes descriptor;
    std::optional<HidDescriptorCaps> expected;  // usage page, usage, input, output, feature
};

std::vector<Case> Cases() {
    const Bytes cutCollection(kVendorInput.begin(), kVendorInput.end() - 1);
    return {
        {"boot mouse without report IDs", kBootMouse, HidDescriptorCaps{0x01, 0x02, 4, 0, 0}},
        {"vendor input report 6", kVendorInput, HidDescriptorCaps{0xFF00, 0x01, 8, 0, 0}},
        {"vendor feature report 7", kVendorFeature, HidDescriptorCaps{0xFF01, 0x01, 0, 0, 8}},
        {"several report IDs", kSeveralIds, HidDescriptorCaps{0xFF00, 0x01, 18, 0, 33}},
        {"push and pop", kPushPop, HidDescriptorCaps{0x01, 0x02, 6, 0, 0}},
        {"extended usage", kExtendedUsage, HidDescriptorCaps{0xFF00, 0x01, 8, 0, 0}},
        {"first of two collections", kTwoCollections, HidDescriptorCaps{0xFF00, 0x01, 8, 0, 0}},
        {"long item skipped", Join({kLongItem, kVendorFeature}), HidDescriptorCaps{0xFF01, 0x01, 0, 0, 8}},
        {"trailing zero padding", Join({kVendorInput, {0x00, 0x00}}), HidDescriptorCaps{0xFF00, 0x01, 8, 0, 0}},
        {"empty", {}, std::nullopt},
        {"item data cut", {0x06, 0x00}, std::nullopt},
        {"long item cut", Join({{0xFE, 0x05, 0x10, 0xAA}}), std::nullopt},
        {"long item header cut", {0xFE, 0x05}, std::nullopt},
        {"collection not closed", cutCollection, std::nullopt},
        {"end collection without collection", Join({kVendorInput, {0xC0}}), std::nullopt},
        {"no application collection", {0x05, 0x01, 0x09, 0x01, 0xA1, 0x00, 0xC0}, std::nullopt},
        {"pop without push", {0x05, 0x01, 0x09, 0x02, 0xB4, 0xA1, 0x01, 0xC0}, std::nullopt},
        {"push stack overflow", Join({Repeat({0xA4}, 40), {0x09, 0x01, 0xA1, 0x01, 0xC0}}), std::nullopt},
        {"collections nested too deep", Join({Repeat({0xA1, 0x01}, 100), Repeat({0xC0}, 100)}), std::nullopt},
        {"report ID 0", {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x00, 0xC0}, std::nullopt},
        {"reserved item type", {0x0C, 0x09, 0x01, 0xA1, 0x01, 0xC0}, std::nullopt},
        {"report bits overflow",
         {0x09, 0x01, 0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02,
          0x81, 0x02, 0xC0},
         std::nullopt},
        {"report too long for a 16-bit length",
         Join({{0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x96, 0xFF, 0x7F}, Repeat({0x81, 0x02}, 3), {0xC0}}),
         std::nullopt},
    };
}

TEST(HidDescriptor, ComputesUsageAndReportLengths) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        const auto caps = ParseHidReportDescriptor(c.descriptor);
        ASSERT_EQ(caps.has_value(), c.expected.has_value());
        if (!caps) continue;
        EXPECT_EQ(caps->usagePage, c.expected->usagePage);
        EXPECT_EQ(caps->usage, c.expected->usage);
        EXPECT_EQ(caps->inputReportLength, c.expected->inputReportLength);
        EXPECT_EQ(caps->outputReportLength, c.expected->outputReportLength);
        EXPECT_EQ(caps->featureReportLength, c.expected->featureReportLength);
    }
}

// Every cut of a valid descriptor lacks its last End Collection and must be refused; each cut
// is parsed from a buffer of exactly that size, so a read past the end is a sanitizer error.
TEST(HidDescriptor, RefusesEveryCutOfAValidDescriptor) {
    for (const Bytes& full : {kBootMouse, kSeveralIds, kPushPop, Join({kLongItem, kVendorFeature})}) {
        for (size_t length = 0; length < full.size(); ++length) {
            const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_FALSE(ParseHidReportDescriptor(cut).has_value()) << "cut at " << length;
        }
    }
}

}  // namespace
}  // namespace zrv

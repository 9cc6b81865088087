// Report-descriptor parser on arbitrary bytes.
#include <cstdint>
#include <span>

#include "platform/hid_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    (void)zrv::ParseHidReportDescriptor(std::span<const uint8_t>(data, size));
    return 0;
}

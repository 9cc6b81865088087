// The hidraw uevent file (HID_ID line) on hostile text, through QueryInterface on a
// made-up sysfs tree with a valid report descriptor.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/linux_hidraw.h"
#include "tools/fuzz/fuzz_temp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string root = zrv::fuzz::TempFolder();
    const std::string device = root + "/sys/class/hidraw/hidraw0/device/";
    static const bool made = [&] {
        std::filesystem::create_directories(device);
        std::filesystem::create_directories(root + "/dev");
        static const unsigned char kDescriptor[] = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85,
                                                    0x06, 0x09, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00,
                                                    0x75, 0x08, 0x95, 0x07, 0x81, 0x02, 0xC0};
        zrv::fuzz::WriteFile(device + "report_descriptor",
                             std::string_view(reinterpret_cast<const char*>(kDescriptor), sizeof kDescriptor));
        return true;
    }();
    (void)made;
    zrv::fuzz::WriteFile(device + "uevent", input);
    static zrv::HidrawSystem system(root + "/sys", root + "/dev");
    const auto info = system.QueryInterface(root + "/dev/hidraw0");
    if (info && (info->usagePage != 0xFF00 || info->inputReportLength != 8)) std::abort();
    return 0;
}

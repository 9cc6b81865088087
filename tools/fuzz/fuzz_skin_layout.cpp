// Skin layout reader on a hostile layout file.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "skin/skin_layout.h"
#include "tools/fuzz/fuzz_temp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string folder = zrv::fuzz::TempFolder();
    static const bool made = std::filesystem::create_directories(folder + "/INI_CN");
    (void)made;
    const zrv::SkinLoadActions actions{[](std::string_view) {}, [] {}};

    // Every file of the language is the input.
    for (const auto* file : {&zrv::kSkinMainFile, &zrv::kSkinColorFile, &zrv::kSkinAdvancedFile, &zrv::kSkinWarningFile})
        zrv::fuzz::WriteFile(zrv::SkinLayoutPath(folder, *file, 0), input);

    const std::string main = zrv::SkinLayoutPath(folder, zrv::kSkinMainFile, 0);
    for (const char* section : {"BUTTONPOS", "FUN_STRING", "EDIT", "MACRODISPLAY"})
        for (int index : {-1, 0, 1, 3, 123, 2147483647}) (void)zrv::ReadSkinEntry(main, section, index, actions);

    static zrv::SkinLayout layout;
    (void)zrv::LoadSkinLayout(folder, 0, layout, actions);
    bool many = false;
    (void)zrv::SplitSkinValue(input, many);
    (void)zrv::ParseSkinNumber(input);
    return 0;
}

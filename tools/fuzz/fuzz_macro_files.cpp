// Macro value decoder and macro file loaders on hostile text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "macro/macro_files.h"
#include "tools/fuzz/fuzz_temp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const zrv::Macro decoded = zrv::DecodeMacro(input);
    const std::string encoded = zrv::EncodeMacro(decoded);
    if (encoded.size() != zrv::kMacroValueChars) std::abort();
    (void)zrv::DecodeMacro(encoded);

    const std::string path = zrv::fuzz::TempFolder() + "/macro.dat";
    zrv::fuzz::WriteFile(path, input);
    static zrv::MacroTable table;  // large; one for the process
    const zrv::MacroMessage ignore = [](const std::string&) {};
    zrv::LoadUserMacros(table, path, ignore);
    zrv::LoadPresetMacros(table, path, ignore);
    if (table.userCount < 0 || table.userCount > zrv::kUserMacroSlots) std::abort();
    if (table.presetCount < 0 || table.presetCount > zrv::kPresetMacroSlots) std::abort();
    (void)zrv::InitialEventRow(table);
    return 0;
}

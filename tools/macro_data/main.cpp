// Writes the shipped macro files into a data folder with the program's own writer:
//   zrv_macro_data <data folder>
#include <cstdio>
#include <filesystem>
#include <string>

#include "macro/macro_files.h"
#include "tools/macro_data/shipped_macros.h"

namespace {

void Write(const std::filesystem::path& path, const std::vector<zrv::Macro>& macros) {
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::remove(path);  // only what is written here may be in the file
    zrv::MacroTable table;
    for (size_t i = 0; i < macros.size(); ++i) table.slot[i] = macros[i];
    table.userCount = static_cast<int16_t>(macros.size());
    zrv::SaveUserMacros(table, path.string());
    std::printf("%s: %zu macros\n", path.string().c_str(), macros.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path data = argv[1];
    using zrv::shipped::FactoryUserMacros;
    Write(data / "constMacro.dat", zrv::shipped::PresetMacros());
    Write(data / "skins" / "INI_CN" / "defMacro.dat", FactoryUserMacros(0));
    Write(data / "skins" / "INI_EN" / "defMacro.dat", FactoryUserMacros(1));
    Write(data / "Macro_CN.dat", FactoryUserMacros(0));
    Write(data / "Macro_EN.dat", FactoryUserMacros(1));
    return 0;
}

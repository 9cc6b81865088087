// Where the program's files are: everything is found relative to the executable's folder.
#pragma once

#include <string>
#include <string_view>

namespace zrv {

// The folder of an executable path, cut before its last '/'; empty when there is none.
std::string ProgramFolderOf(std::string_view executablePath);
// The executable's file name without folder and extension ("ZRV_Vantix-sim").
std::string ProgramNameOf(std::string_view executablePath);

struct ProgramPaths {
    std::string configPath;
    std::string skinFolder;
};
ProgramPaths PathsOf(const std::string& programFolder);

}  // namespace zrv

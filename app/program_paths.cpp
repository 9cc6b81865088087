#include "app/program_paths.h"

namespace zrv {

std::string ProgramFolderOf(std::string_view executablePath) {
    const size_t slash = executablePath.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(executablePath.substr(0, slash));
}

std::string ProgramNameOf(std::string_view executablePath) {
    const size_t slash = executablePath.rfind('/');
    std::string_view name = slash == std::string_view::npos ? executablePath : executablePath.substr(slash + 1);
    // A leading dot names a hidden file, not an extension.
    const size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return std::string(name);
}

ProgramPaths PathsOf(const std::string& programFolder) {
    return {programFolder + "/config.ini", programFolder + "/skins"};
}

}  // namespace zrv

// A fresh directory under the temporary folder, removed with everything in it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace zrv {

struct TempTree {
    std::string path;

    TempTree() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zrv-hidraw-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path = pattern;
    }
    ~TempTree() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;
};

}  // namespace zrv

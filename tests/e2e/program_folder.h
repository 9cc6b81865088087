// A test's own folder with a lone copy of an executable, for end-to-end tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"

namespace zrv::e2e {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A folder holding a copy of the executable, the skin folder, the test's config.ini and maybe
// the macro files; the runtime and temp folders point into it so that parallel tests never meet.
class ProgramFolder {
public:
    // withMacroFiles adds the shipped macro files, without which start-up reports them missing;
    // without the skins start-up ends at the missing layout file.
    explicit ProgramFolder(const std::string& executableName, bool withMacroFiles = false, bool withSkins = true) {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::temp_directory_path() /
                ("zrv_e2e_" + std::to_string(getpid()) + "_" + test->test_suite_name() + "_" + test->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "bin");
        fs::create_directories(root_ / "run");
        fs::permissions(root_ / "run", fs::perms::owner_all);
        executable_ = root_ / "bin" / executableName;
        fs::copy_file(fs::path(ZRV_BIN_DIR) / executableName, executable_);
        if (withMacroFiles)
            for (const char* file : {"Macro_CN.dat", "Macro_EN.dat", "constMacro.dat"})
                fs::copy_file(fs::path(ZRV_SOURCE_DIR) / "data" / file, root_ / "bin" / file);
        if (withSkins)
            fs::copy(fs::path(ZRV_SOURCE_DIR) / "data" / "skins", root_ / "bin" / "skins", fs::copy_options::recursive);
    }
    ~ProgramFolder() { fs::remove_all(root_); }

    void WriteConfig(const std::string& text) const { std::ofstream(Config()) << text; }
    fs::path Root() const { return root_; }
    fs::path Config() const { return root_ / "bin" / "config.ini"; }
    fs::path Bin() const { return root_ / "bin"; }

    std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& args = {},
                                        const std::vector<std::string>& extraEnv = {}) const {
        std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + (root_ / "run").string(),
                                        "TMPDIR=" + (root_ / "run").string()};
        for (const auto& extra : extraEnv) {
            const std::string name = extra.substr(0, extra.find('=') + 1);
            std::erase_if(env, [&](const std::string& e) { return e.rfind(name, 0) == 0; });
            env.push_back(extra);
        }
        // Started from another folder: the program finds its files beside itself.
        return std::make_unique<ChildProcess>(executable_.string(), args, EnvironmentWith(env), root_.string());
    }

private:
    fs::path root_;
    fs::path executable_;
};

}  // namespace zrv::e2e

// The committed skin is exactly what its generator writes today, so a change of the
// element table cannot leave stale images or layouts behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "child_process.h"

namespace zrv::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file under `generated` equals the file of the same name under `committed`.
void ExpectSameFiles(const fs::path& generated, const fs::path& committed) {
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(generated)) {
        if (!entry.is_regular_file()) continue;
        const fs::path relative = fs::relative(entry.path(), generated);
        ++files;
        EXPECT_TRUE(ReadAll(entry.path()) == ReadAll(committed / relative)) << relative << " differs from the committed file";
    }
    EXPECT_GT(files, 0);
}

struct GeneratedFolder : testing::Test {
    fs::path out = fs::temp_directory_path() /
                   ("zrv_generated_" + std::to_string(::getpid()) + testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { fs::create_directories(out); }
    void TearDown() override { fs::remove_all(out); }

    void Run(const std::string& tool, const std::vector<std::string>& args) {
        ChildProcess child(std::string(ZRV_BIN_DIR) + "/" + tool, args,
                           EnvironmentWith({"QT_QPA_PLATFORM=offscreen"}), out.string());
        ASSERT_TRUE(child.Started());
        EXPECT_EQ(child.WaitForExit(60s), 0);
    }
};

TEST_F(GeneratedFolder, SkinImagesAndLayoutsAreTheCommittedOnes) {
    // The pictures under docs/ are left out: their labels may take glyphs from whatever
    // fallback fonts a machine has; the skin itself uses only the fonts the scripts install.
    Run("zrv_skin_generator", {(out / "skins").string()});
    ExpectSameFiles(out / "skins", fs::path(ZRV_SOURCE_DIR) / "data" / "skins");
}

}  // namespace
}  // namespace zrv::e2e

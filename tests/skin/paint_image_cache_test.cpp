#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "skin/skin_image.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;

class ImageCache : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("zrv_image_cache_" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    void Write(const std::string& name, const std::string& content) {
        std::ofstream(folder_ / name, std::ios::binary) << content;
    }

    // Decodes "W×H c" text files: a W by H image of colour c; anything else fails.
    CachedImageSource Source() {
        return CachedImageSource(folder_.string(), [](const std::string& path) -> std::optional<SkinImage> {
            std::ifstream in(path);
            int w = 0, h = 0;
            unsigned c = 0;
            if (!(in >> w >> h >> c)) return std::nullopt;
            SkinImage image;
            image.width = w;
            image.height = h;
            image.pixels.assign(static_cast<size_t>(w * h), 0xFF000000u | c);
            return image;
        });
    }

    fs::path folder_;
};

TEST_F(ImageCache, DecodesOnceWhileTheFileStaysTheSame) {
    Write("a.jpg", "2 3 255");
    CachedImageSource source = Source();
    auto first = source.LoadSkinImage("a.jpg");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->name, "a.jpg");
    EXPECT_EQ(first->GetSize(), (Size{2, 3}));
    EXPECT_EQ(first->Pixel(1, 2), (Rgb{0, 0, 255}));
    EXPECT_EQ(source.LoadSkinImage("a.jpg"), first);
    EXPECT_EQ(source.DecodeCount(), 1);
}

TEST_F(ImageCache, ChangedFileShowsAtTheNextLoad) {
    Write("a.jpg", "2 3 255");
    CachedImageSource source = Source();
    auto first = source.LoadSkinImage("a.jpg");
    // Same size, later modification time.
    Write("a.jpg", "2 3 254");
    fs::last_write_time(folder_ / "a.jpg", fs::last_write_time(folder_ / "a.jpg") + std::chrono::seconds(2));
    auto second = source.LoadSkinImage("a.jpg");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Pixel(0, 0), (Rgb{0, 0, 254}));
    // Same modification time, other size.
    const auto stamp = fs::last_write_time(folder_ / "a.jpg");
    Write("a.jpg", "10 3 253");
    fs::last_write_time(folder_ / "a.jpg", stamp);
    EXPECT_EQ(source.LoadSkinImage("a.jpg")->width, 10);
    EXPECT_EQ(source.DecodeCount(), 3);
}

TEST_F(ImageCache, MissingOrUndecodableGivesNull) {
    Write("bad.jpg", "not an image");
    CachedImageSource source = Source();
    EXPECT_EQ(source.LoadSkinImage("none.jpg"), nullptr);
    EXPECT_EQ(source.LoadSkinImage("bad.jpg"), nullptr);
    EXPECT_EQ(source.LoadSkinImage("bad.jpg"), nullptr);
    EXPECT_EQ(source.DecodeCount(), 1);  // a bad file is not decoded again until it changes
    fs::create_directory(folder_ / "dir.jpg");
    EXPECT_EQ(source.LoadSkinImage("dir.jpg"), nullptr);

    // A file that appears, and one that goes away again.
    Write("none.jpg", "1 1 7");
    ASSERT_NE(source.LoadSkinImage("none.jpg"), nullptr);
    fs::remove(folder_ / "none.jpg");
    EXPECT_EQ(source.LoadSkinImage("none.jpg"), nullptr);
}

}  // namespace
}  // namespace zrv

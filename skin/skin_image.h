// Skin images: the decoded JPEGs every page and popup is drawn from, and where they come from.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zrv {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;

    bool operator==(const Rgb&) const = default;
};

// Client pixels; covers columns x..x+width-1 and rows y..y+height-1.
struct Rect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool operator==(const Rect&) const = default;
};

struct Size {
    int32_t width = 0;
    int32_t height = 0;

    bool operator==(const Size&) const = default;
};

// A decoded image, 8 bits per component. Pixels are rows top to bottom, each pixel
// 0xFFRRGGBB (the layout of a 32-bit RGB QImage, so the Qt side copies rows as they are).
struct SkinImage {
    std::string name;  // the name it was loaded by, e.g. "main_over.jpg"
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // width * height

    // x, y inside the image.
    Rgb Pixel(int32_t x, int32_t y) const {
        const uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
        return {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)};
    }
    Size GetSize() const { return {width, height}; }
};

constexpr uint32_t PackPixel(Rgb c) {
    return 0xFF000000u | (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | uint32_t{c.b};
}

// Where skin images come from. A missing or undecodable file gives null and no message;
// the caller paints on without that layer.
class ImageSource {
public:
    virtual ~ImageSource() = default;
    // name is relative to the skin folder, e.g. "main_normal.jpg".
    virtual std::shared_ptr<const SkinImage> LoadSkinImage(std::string_view name) const = 0;
};

// Decodes one file; nullopt when it is missing or not an image.
using ImageDecoder = std::function<std::optional<SkinImage>(const std::string& path)>;

// Decodes through `decode` and keeps each image while its file's modification time and size
// stay the same; both are checked at every load, so a file replaced on disk shows at the next
// paint. Used on the window thread only.
class CachedImageSource : public ImageSource {
public:
    CachedImageSource(std::string skinFolder, ImageDecoder decode);
    std::shared_ptr<const SkinImage> LoadSkinImage(std::string_view name) const override;
    // How many decodes ran; for tests and the benchmark.
    int DecodeCount() const { return decodeCount_; }

private:
    struct Entry {
        std::filesystem::file_time_type modified;
        uintmax_t size = 0;
        std::shared_ptr<const SkinImage> image;
    };
    std::string folder_;
    ImageDecoder decode_;
    mutable std::map<std::string, Entry, std::less<>> cache_;
    mutable int decodeCount_ = 0;
};

// The image files of the skin folder.
inline constexpr std::string_view kMainMaskImage = "main_mask.jpg";
inline constexpr std::string_view kWarningMaskImage = "warning_mask.jpg";
inline constexpr std::string_view kMenuMaskImage = "menu_mask.jpg";
inline constexpr std::string_view kSubMenuMaskImage = "advanced menu_mask.jpg";
inline constexpr std::string_view kColorGrayImage = "color_normal_gray.jpg";
inline constexpr std::string_view kColorBlueImage = "color_over_blue.jpg";

struct StateImageNames {
    std::string_view normal;
    std::string_view over;
    std::string_view down;  // empty when the set has no down image
};

// Indexed by CurrentPage: 0 main, 1 advanced, 2 color.
inline constexpr StateImageNames kPageImages[3] = {
    {"main_normal.jpg", "main_over.jpg", "main_down.jpg"},
    {"advanced_normal.jpg", "advanced_over.jpg", "advanced_down.jpg"},
    {"color_normal_pink.jpg", "color_over_red.jpg", "color_down_purple.jpg"},
};
inline constexpr StateImageNames kMenuImages{"menu_normal.jpg", "menu_over.jpg", "menu_down.jpg"};
inline constexpr StateImageNames kSubMenuImages{"advanced menu_normal.jpg", "advanced menu_over.jpg",
                                                "advanced menu_down.jpg"};
inline constexpr StateImageNames kWarningImages{"warning_normal.jpg", "warning_over.jpg", ""};

}  // namespace zrv

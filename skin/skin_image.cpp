#include "skin/skin_image.h"

#include <system_error>
#include <utility>

namespace zrv {

CachedImageSource::CachedImageSource(std::string skinFolder, ImageDecoder decode)
    : folder_(std::move(skinFolder)), decode_(std::move(decode)) {}

std::shared_ptr<const SkinImage> CachedImageSource::LoadSkinImage(std::string_view name) const {
    const std::string path = folder_ + "/" + std::string(name);
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::is_regular_file(status)) {
        cache_.erase(path);
        return nullptr;
    }
    const auto modified = std::filesystem::last_write_time(path, error);
    const uintmax_t size = error ? 0 : std::filesystem::file_size(path, error);
    if (error) {
        cache_.erase(path);
        return nullptr;
    }
    if (auto it = cache_.find(path); it != cache_.end() && it->second.modified == modified && it->second.size == size)
        return it->second.image;

    ++decodeCount_;
    std::optional<SkinImage> decoded = decode_(path);
    std::shared_ptr<const SkinImage> image;
    if (decoded) {
        decoded->name = std::string(name);
        image = std::make_shared<const SkinImage>(std::move(*decoded));
    }
    // An undecodable file is remembered too, so it is not decoded again until it changes.
    cache_[path] = Entry{modified, size, image};
    return image;
}

}  // namespace zrv

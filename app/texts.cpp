#include "app/texts.h"

#include <cstdio>
#include <vector>

namespace zrv {

std::string WithProductName(const char* format) {
    const int length = std::snprintf(nullptr, 0, format, kProductName);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::snprintf(buffer.data(), buffer.size(), format, kProductName);
    return std::string(buffer.data(), static_cast<size_t>(length));
}

}  // namespace zrv

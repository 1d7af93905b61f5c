#include "png_file.h"

#include <stb_image_write.h>

bool writeRgbPng(const std::string& path, std::int32_t width, std::int32_t height,
                 const std::vector<std::uint8_t>& rgb) {
    if (width <= 0 || height <= 0 || rgb.size() != static_cast<std::size_t>(width) * height * 3) {
        return false;
    }
    return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}

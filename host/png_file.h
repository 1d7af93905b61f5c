// PNG files of 24-bit frames, through Debian's stb_image_write.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// rgb: width * height * 3 bytes, rows from the top. False when it cannot write.
bool writeRgbPng(const std::string& path, std::int32_t width, std::int32_t height, const std::vector<std::uint8_t>& rgb);

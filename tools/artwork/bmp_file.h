// Writes Windows bitmap files: 24-bit colour and 1-bit black and white,
// uncompressed, rows stored bottom-up as the format has them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// rgb: width * height * 3 bytes, rows from the top.
std::vector<std::uint8_t> encodeColourBmp(int width, int height, const std::vector<std::uint8_t>& rgb);
// white: width * height entries, rows from the top; true is white (palette
// index 1), false black (index 0).
std::vector<std::uint8_t> encodeMonochromeBmp(int width, int height, const std::vector<bool>& white);

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

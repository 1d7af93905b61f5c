// Reads a packed device-independent bitmap (an info header, the palette,
// then the pixels), the form a Windows bitmap resource is stored in:
// uncompressed 24-bit colour or 1-bit with a two-colour palette.
#pragma once

#include <cstddef>
#include <cstdint>

#include "raster.h"

// False, leaving out untouched, for anything else or anything truncated.
bool decodePackedDib(const std::uint8_t* data, std::size_t size, Raster& out);

// The editor's bitmaps as the library carries them: packed device-independent
// bitmaps found by their integer resource identifier. The Windows library
// keeps them as resources; the Linux library has them built into itself.
#pragma once

#include <cstddef>
#include <cstdint>

struct ResourceBytes {
    const std::uint8_t* data;
    std::size_t size;
};

// {null, 0} when the library has no bitmap of that identifier.
ResourceBytes findBitmapResource(std::int32_t resourceId);

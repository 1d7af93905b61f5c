// The reference editor of the Windows test host draws in memory, with the
// very bitmaps that Quorvane.dll carries: found among the loaded DLL's
// resources under their integer identifiers, English (United Kingdom) only.
#include "editor/bitmap_resources.h"

#include <windows.h>

ResourceBytes findBitmapResource(std::int32_t resourceId) {
    const HMODULE dll = GetModuleHandleA("Quorvane.dll");
    if (dll == nullptr) {
        return {nullptr, 0};
    }
    const HRSRC found = FindResourceExA(dll, MAKEINTRESOURCEA(2) /* RT_BITMAP */, MAKEINTRESOURCEA(resourceId),
                                        MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK));
    const HGLOBAL loaded = found != nullptr ? LoadResource(dll, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return {nullptr, 0};
    }
    return {static_cast<const std::uint8_t*>(data), SizeofResource(dll, found)};
}

// The Windows library finds its bitmaps among its own resources.
#include "bitmap_resources.h"

#include <windows.h>

namespace {

// The module that holds this code: the plug-in DLL, not the host program.
HMODULE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&thisModule), &module);
    return module;
}

} // namespace

ResourceBytes findBitmapResource(std::int32_t resourceId) {
    const HMODULE module = thisModule();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (found == nullptr) {
        return {nullptr, 0};
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return {nullptr, 0};
    }
    return {static_cast<const std::uint8_t*>(data), SizeofResource(module, found)};
}

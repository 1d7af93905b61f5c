// Quorvane.dll loaded as a Windows host loads it, reached only through its
// entry and the descriptors that the entry hands out.
#pragma once

#include <windows.h>

#include "vst2/vst2.h"
#include "tests/support/plugin_library.h"

class LoadedDll {
public:
    LoadedDll() : module(openPluginLibrary("Quorvane.dll")) {
        if (module != nullptr) {
            entry = pluginEntry(module);
        }
    }
    ~LoadedDll() { unload(); }
    LoadedDll(const LoadedDll&) = delete;
    LoadedDll& operator=(const LoadedDll&) = delete;

    void unload() {
        if (module != nullptr) {
            FreeLibrary(module);
            module = nullptr;
            entry = nullptr;
        }
    }

    HMODULE module = nullptr;
    PluginEntry entry = nullptr;
};

inline VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                          void* ptr = nullptr, float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

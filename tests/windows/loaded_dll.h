// Quorvane.dll loaded as a Windows host loads it, reached only through its
// "main" export and the descriptors that main hands out.
#pragma once

#include <windows.h>

#include "shell/vst2.h"

class LoadedDll {
public:
    using Entry = AEffect*(VSTCALLBACK*)(audioMasterCallback);

    LoadedDll() : module(LoadLibraryA("Quorvane.dll")) {
        if (module != nullptr) {
            entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "main")));
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
    Entry entry = nullptr;
};

inline VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                          void* ptr = nullptr, float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

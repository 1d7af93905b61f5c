// The built library, opened as a host opens it.
#pragma once

#include <dlfcn.h>

#include <stdexcept>
#include <string>

#include "vst2/vst2.h"

using PluginEntry = AEffect* (*)(audioMasterCallback);

class LoadedPlugin {
public:
    LoadedPlugin() : handle(dlopen(QUORVANE_LIBRARY, RTLD_NOW | RTLD_LOCAL)) {
        if (handle == nullptr) {
            throw std::runtime_error(std::string("dlopen: ") + dlerror());
        }
    }
    ~LoadedPlugin() { dlclose(handle); }
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    PluginEntry entry(const char* name) const { return reinterpret_cast<PluginEntry>(dlsym(handle, name)); }

private:
    void* handle;
};

inline VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                          void* ptr = nullptr, float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

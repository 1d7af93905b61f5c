// A plug-in library opened as a host opens it (LoadLibrary, dlopen), and
// its entry found as hosts find it: VSTPluginMain first, as every 64-bit
// host and current Linux hosts look it up, else main, the only name 32-bit
// Windows hosts and older Linux hosts know.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <initializer_list>

#include "vst2/vst2.h"

using PluginEntry = AEffect*(VSTCALLBACK*)(audioMasterCallback);

#if defined(_WIN32)
using PluginLibrary = HMODULE;

inline PluginLibrary openPluginLibrary(const char* path) { return LoadLibraryA(path); }

inline void* librarySymbol(PluginLibrary library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(library, name));
}
#else
using PluginLibrary = void*;

inline PluginLibrary openPluginLibrary(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }

inline void* librarySymbol(PluginLibrary library, const char* name) { return dlsym(library, name); }
#endif

// Null when the library exports neither name.
inline PluginEntry pluginEntry(PluginLibrary library) {
    for (const char* name : {"VSTPluginMain", "main"}) {
        if (void* symbol = librarySymbol(library, name)) {
            return reinterpret_cast<PluginEntry>(symbol);
        }
    }
    return nullptr;
}

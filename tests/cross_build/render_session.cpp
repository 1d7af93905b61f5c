// Loads a plug-in library as a host does, plays the scripted session through
// it and writes everything the plug-in produced to a file. Built for Linux
// and for Windows, so the two libraries can be compared byte for byte.
#include <cstdio>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "scripted_session.h"

namespace {

VstIntPtr VSTCALLBACK host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

using PluginEntry = AEffect*(VSTCALLBACK*)(audioMasterCallback);

PluginEntry loadEntry(const char* path) {
#if defined(_WIN32)
    HMODULE module = LoadLibraryA(path);
    return module != nullptr ? reinterpret_cast<PluginEntry>(reinterpret_cast<void*>(GetProcAddress(module, "main")))
                             : nullptr;
#else
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    return library != nullptr ? reinterpret_cast<PluginEntry>(dlsym(library, "main")) : nullptr;
#endif
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: render_session PLUGIN OUTPUT\n");
        return 2;
    }
    PluginEntry entry = loadEntry(argv[1]);
    AEffect* effect = entry != nullptr ? entry(host) : nullptr;
    if (effect == nullptr) {
        std::fprintf(stderr, "render_session: cannot make an instance of %s\n", argv[1]);
        return 1;
    }
    const std::vector<unsigned char> stream = ScriptedSession(effect).play();
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);

    std::FILE* file = std::fopen(argv[2], "wb");
    if (file == nullptr || std::fwrite(stream.data(), 1, stream.size(), file) != stream.size() ||
        std::fclose(file) != 0) {
        std::fprintf(stderr, "render_session: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%zu bytes\n", stream.size());
    return 0;
}

// Loads a plug-in library as a host does, plays the scripted session through
// it and writes everything the plug-in produced to a file. Built for Linux
// and for both Windows targets, so the libraries can be compared byte for byte.
#include <cstdio>

#include "scripted_session.h"
#include "tests/support/plugin_library.h"

namespace {

VstIntPtr VSTCALLBACK host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: render_session PLUGIN OUTPUT\n");
        return 2;
    }
    const PluginLibrary library = openPluginLibrary(argv[1]);
    const PluginEntry entry = library != nullptr ? pluginEntry(library) : nullptr;
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

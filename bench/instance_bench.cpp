// Making and closing an instance through the library's exported entry, as a
// host does when it scans or loads a project.
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "vst2/vst2.h"

namespace {

VstIntPtr VSTCALLBACK quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

using PluginEntry = AEffect* (*)(audioMasterCallback);

PluginEntry loadEntry() {
    static void* library = dlopen(QUORVANE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::fprintf(stderr, "cannot load %s: %s\n", QUORVANE_LIBRARY, dlerror());
        std::exit(1);
    }
    return reinterpret_cast<PluginEntry>(dlsym(library, "main"));
}

void BM_OpenAndCloseInstance(benchmark::State& state) {
    PluginEntry entry = loadEntry();
    for (auto _ : state) {
        AEffect* effect = entry(quietHost);
        benchmark::DoNotOptimize(effect);
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    }
}
BENCHMARK(BM_OpenAndCloseInstance);

} // namespace

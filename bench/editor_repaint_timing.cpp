// How long one full repaint of the DLL's editor takes in a real window:
// the panel copy, 45 masked copies and the present, each with device
// contexts made and released for it, driven by the host's idle call.
// Run under wine in either Windows tree: cd build-win64 && ../tools/wine-run
// ./editor_repaint_timing.exe
#include <windows.h>

#include <cstdio>

#include "vst2/vst2.h"
#include "tests/support/plugin_library.h"
#include "tests/windows/host_window.h"

namespace {

VstIntPtr VSTCALLBACK quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

double seconds() {
    static const double ticksPerSecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerSecond;
}

} // namespace

int main() {
    const HMODULE dll = openPluginLibrary("Quorvane.dll");
    const PluginEntry entry = dll != nullptr ? pluginEntry(dll) : nullptr;
    AEffect* effect = entry != nullptr ? entry(quietHost) : nullptr;
    if (effect == nullptr) {
        std::fprintf(stderr, "editor_repaint_timing: cannot load Quorvane.dll\n");
        return 1;
    }
    HostWindow& host = HostWindow::shared();
    effect->dispatcher(effect, effEditOpen, 0, 0, host.handle(), 0.0f);
    pumpMessages();

    constexpr int kWarmUp = 20;
    constexpr int kRepaints = 500;
    for (int i = 0; i < kWarmUp; ++i) {
        effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
    }
    const double start = seconds();
    for (int i = 0; i < kRepaints; ++i) {
        effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
    }
    GdiFlush();
    const double elapsed = seconds() - start;
    std::printf("%d full repaints (1 panel copy, 45 masked copies, 1 present): %.1f ms each, %.0f per second\n",
                kRepaints, elapsed * 1000.0 / kRepaints, kRepaints / elapsed);

    effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    FreeLibrary(dll);
    return 0;
}

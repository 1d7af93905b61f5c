// One full repaint of the editor on the software back end: the panel copy,
// 45 masked marks and the present, as every host idle tick costs.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "editor/editor_window.h"
#include "editor/xplat_software.h"
#include "shell/audioeffect.h"
#include "shell/plugin_entry.h"

namespace {

VstIntPtr VSTCALLBACK quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// Touches the frame as a window system would read it, so the present is not free.
void readFrame(void* context, const XplatFrame& frame) {
    *static_cast<std::uint8_t*>(context) += frame.rgb[frame.stride * (frame.height - 1)];
}

void BM_EditorFullPaint(benchmark::State& state) {
    AEffect* effect = openPluginInstance(quietHost);
    auto* editor = static_cast<EditorWindow*>(instanceOf(effect)->getEditor());
    editor->open(nullptr);
    std::uint8_t seen = 0;
    xplatSoftwareSetFrameSink(editor->platformWindow(), {readFrame, &seen});
    for (auto _ : state) {
        editor->paint();
    }
    benchmark::DoNotOptimize(seen);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}
BENCHMARK(BM_EditorFullPaint)->Unit(benchmark::kMicrosecond);

} // namespace

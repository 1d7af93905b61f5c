// One full repaint of the editor, as every host idle tick costs: the panel
// copy, 45 masked marks and the present, into memory on the software back
// end and, on Linux, on into an X11 window.
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>

#include <cstdint>

#include "editor/editor_window.h"
#include "editor/xplat_software.h"
#include "vst2/vst2_editor.h"
#include "vst2/audioeffect.h"
#include "vst2/plugin_entry.h"

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
    EditorWindow* editor = &static_cast<Vst2Editor*>(instanceOf(effect)->getEditor())->window();
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

// The same repaint presented in an X11 window: the whole 500 x 420 frame
// converted and sent with XPutImage, and the round trip that waits until the
// server has drawn it. Needs an X server (xvfb-run -a build/quorvane_bench).
void BM_EditorX11Repaint(benchmark::State& state) {
    // One host connection for the whole run: a server that resets when its
    // last client leaves (Xvfb under xvfb-run) would otherwise still be
    // resetting when the next repetition connects.
    static Display* const host = XOpenDisplay(nullptr);
    if (host == nullptr) {
        state.SkipWithError("no X display: run under xvfb-run -a");
        return;
    }
    const Window parent = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, 500, 420, 0, 0, 0);
    XMapWindow(host, parent);
    XSync(host, False);
    AEffect* effect = openPluginInstance(quietHost);
    EditorWindow* editor = &static_cast<Vst2Editor*>(instanceOf(effect)->getEditor())->window();
    editor->open(reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent)));

    Window root = 0;
    Window itsParent = 0;
    Window* children = nullptr;
    unsigned childCount = 0;
    XQueryTree(host, parent, &root, &itsParent, &children, &childCount);
    XFree(children);
    if (childCount != 1) {
        state.SkipWithError("the editor opened no X window on this display");
    } else {
        for (auto _ : state) {
            editor->paint();
        }
    }
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    XDestroyWindow(host, parent);
    XSync(host, False);
}
BENCHMARK(BM_EditorX11Repaint)->Unit(benchmark::kMicrosecond);

} // namespace

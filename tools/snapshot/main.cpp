// quorvane-snapshot: plays a short phrase through a fresh instance, the way
// a host would, and writes a PNG of the editor as it then stands.
#include <cstdio>
#include <vector>

#include "editor/editor_window.h"
#include "editor_snapshot.h"
#include "png_file.h"
#include "shell/audioeffect.h"
#include "shell/plugin_entry.h"

namespace {

VstIntPtr VSTCALLBACK quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

void sendNote(AEffect* effect, unsigned char status, unsigned char note, unsigned char velocity) {
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.midiData[0] = static_cast<char>(status);
    event.midiData[1] = static_cast<char>(note);
    event.midiData[2] = static_cast<char>(velocity);
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&event);
    effect->dispatcher(effect, effProcessEvents, 0, 0, &events, 0.0f);
}

void render(AEffect* effect, int blocks) {
    constexpr int kBlock = 512;
    std::vector<float> left(kBlock), right(kBlock);
    float* outputs[] = {left.data(), right.data()};
    for (int i = 0; i < blocks; ++i) {
        effect->processReplacing(effect, nullptr, outputs, kBlock);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    AEffect* effect = openPluginInstance(quietHost);
    if (effect == nullptr) {
        std::fprintf(stderr, "%s: no instance\n", argv[0]);
        return 1;
    }
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    // A held A4, then a leap to E5 while the first key is still down:
    // the pitch axis is caught between the two.
    sendNote(effect, 0x90, 69, 100);
    render(effect, 40);
    sendNote(effect, 0x90, 76, 120);
    render(effect, 3);

    auto* editor = static_cast<EditorWindow*>(instanceOf(effect)->getEditor());
    const EditorFrame frame = editor != nullptr ? captureEditorFrame(*editor) : EditorFrame{};
    const bool written = writeRgbPng(argv[1], frame.width, frame.height, frame.rgb);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    if (!written) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    std::printf("Editor snapshot: %s\n", argv[1]);
    return 0;
}

#include "vst2/vst2_editor.h"

#include "editor/control_layout.h"
#include "vst2/adelay.h"

Vst2Editor::Vst2Editor(ADelay* plugin)
    : AEffEditor(plugin), rect{0, 0, kEditorHeight, kEditorWidth}, model(*plugin), editorWindow(model) {
    plugin->setEditor(this);
}

VstInt32 Vst2Editor::getRect(ERect** out) {
    *out = &rect;
    return 0;
}

VstInt32 Vst2Editor::open(void* parentWindow) {
    return editorWindow.open(parentWindow);
}

void Vst2Editor::close() {
    editorWindow.close();
}

void Vst2Editor::idle() {
    editorWindow.idle();
}

void Vst2Editor::update() {
    editorWindow.update();
}

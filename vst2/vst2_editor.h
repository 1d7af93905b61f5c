// The editor as a VST 2 host sees it: the interface's editor slots, handed on
// to the format-neutral EditorWindow, which reaches the plug-in through
// ADelayEditorModel.
#pragma once

#include "editor/editor_window.h"
#include "vst2/adelay_editor_model.h"
#include "vst2/aeffeditor.h"

class ADelay;

class Vst2Editor : public AEffEditor {
public:
    // Loads the bitmaps and installs itself as the plug-in's editor.
    explicit Vst2Editor(ADelay* plugin);
    ~Vst2Editor() override = default;

    VstInt32 getRect(ERect** out) override;
    VstInt32 open(void* parentWindow) override;
    void close() override;
    // The window's queued mouse and paint events first, then the repaint.
    void idle() override;
    void update() override;

    EditorWindow& window() { return editorWindow; }

private:
    ERect rect;
    ADelayEditorModel model;
    EditorWindow editorWindow;
};

// The plug-in's editor: a fixed 500 x 420 panel with an XY pad, a
// modulation pad and twelve knobs for each of the sections M, F and L.
// It pulls everything it shows from the plug-in at each repaint and writes
// what the mouse does straight into the engine and, as automation, to the host.
#pragma once

#include <cstdint>

#include "shell/aeffeditor.h"
#include "xplat.h"

class ADelay;

class EditorWindow : public AEffEditor {
public:
    // Loads the bitmaps and installs itself as the plug-in's editor.
    explicit EditorWindow(ADelay* plugin);
    ~EditorWindow() override;

    VstInt32 getRect(ERect** out) override;
    VstInt32 open(void* parentWindow) override;
    void close() override;
    // The window's queued mouse and paint events first, then the repaint.
    void idle() override;
    void update() override;

    // Redraws the whole panel into the back buffer and presents it.
    void paint();

    // Mouse events in window pixels, from the window procedure.
    void onMouseDown(std::int32_t x, std::int32_t y);
    void onMouseMove(std::int32_t x, std::int32_t y);
    void onMouseUp(std::int32_t x, std::int32_t y);

    bool isWindowOpen() const { return isOpen != 0; }
    // The platform window, for the back end's own calls (frames, events).
    XplatWindow& platformWindow() { return window; }

private:
    ADelay& plugin() const;
    // One step of a vertical knob drag: 0.007 per pixel, upwards increases.
    void dragKnob(std::int32_t parameter, std::int32_t y);
    void paintPadMarks(std::int32_t column);
    void paintModulationMark(std::int32_t column);
    void paintKnobMark(std::int32_t control, std::int32_t parameter);

    ERect rect;
    std::int32_t isOpen;
    // Index into controlRects of the control pressed; 0 while none is.
    std::int32_t activeControl;
    // Pointer y at the press, moved along by knob drags.
    std::int32_t lastY;
    XplatBitmap panelBitmap;
    XplatBitmap targetImage;
    XplatBitmap targetMask;
    XplatBitmap knobMarkActive;
    XplatBitmap knobMarkIdle;
    XplatBitmap pointImage;
    XplatBitmap pointMask;
    XplatWindow window;
};

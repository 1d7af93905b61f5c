// The plug-in's editor: a fixed 500 x 420 panel with an XY pad, a
// modulation pad and twelve knobs for each of the sections M, F and L.
// It pulls everything it shows from its model at each repaint and writes
// what the mouse does into the engine and, as automation, to the host, all
// through the model: the editor knows no plug-in format.
#pragma once

#include <cstdint>

#include "editor_model.h"
#include "xplat.h"

struct PadControl;

class EditorWindow {
public:
    // Loads the bitmaps; the window appears with open.
    explicit EditorWindow(EditorModel& model);
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // Creates the window inside the host's parent window and paints; 1.
    std::int32_t open(void* parentWindow);
    void close();
    // The window's queued mouse and paint events first, then the repaint.
    void idle();
    // Repaints if open.
    void update();

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
    // Writes the pad's two values into the engine, then reports them.
    void writePad(const PadControl& pad, std::int32_t column, float x, float y);
    // One step of a vertical knob drag: 0.007 per pixel, upwards increases.
    void dragKnob(std::int32_t parameter, std::int32_t y);
    void paintPadMarks(std::int32_t column);
    void paintModulationMark(std::int32_t column);
    void paintKnobMark(std::int32_t control, std::int32_t parameter);

    // Everything below belongs to the GUI thread, which opens, idles, closes
    // and dispatches the window's messages; other threads reach the values
    // the editor shows only through the model.
    EditorModel& model;
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

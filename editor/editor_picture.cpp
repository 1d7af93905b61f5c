#include "editor/editor_picture.h"

#include <cstring>

#include "editor/editor_window.h"
#include "editor/xplat_software.h"

namespace {

void keepFrame(void* context, const XplatFrame& presented) {
    EditorFrame& frame = *static_cast<EditorFrame*>(context);
    frame.width = presented.width;
    frame.height = presented.height;
    frame.rgb.resize(static_cast<std::size_t>(presented.width) * presented.height * 3);
    for (std::int32_t row = 0; row < presented.height; ++row) {
        std::memcpy(&frame.rgb[static_cast<std::size_t>(row) * presented.width * 3],
                    presented.rgb + static_cast<std::size_t>(row) * presented.stride,
                    static_cast<std::size_t>(presented.width) * 3);
    }
}

} // namespace

EditorFrame captureEditorFrame(EditorWindow& editor) {
    const bool openedHere = !editor.isWindowOpen();
    if (openedHere) {
        editor.open(nullptr);
    }
    EditorFrame frame;
    // The picture's paint goes to memory only; whatever showed the frames
    // before (an X11 window) gets them back afterwards, untouched meanwhile.
    const XplatFrameSink shownBefore = xplatSoftwareSetFrameSink(editor.platformWindow(), {keepFrame, &frame});
    editor.paint();
    xplatSoftwareSetFrameSink(editor.platformWindow(), shownBefore);
    if (openedHere) {
        editor.close();
    }
    return frame;
}

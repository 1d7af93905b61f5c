// One repaint of an editor, caught as it is presented: what a picture of
// the editor shows.
#pragma once

#include <cstdint>
#include <vector>

class EditorWindow;

struct EditorFrame {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgb; // rows from the top
};

// Paints the editor with the plug-in's values as they are now. An editor
// that is not open is opened for the picture and closed again.
EditorFrame captureEditorFrame(EditorWindow& editor);

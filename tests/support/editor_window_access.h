// Test-support access to an instance's editor window, to send it the mouse
// messages a window system would: a host reaches the editor only through
// the dispatcher, and the software back end has no window system to send
// them. Hosts pack the pointer as X11 and Win32 deliver it.
#pragma once

#include <cstdint>

#include "editor/xplat_software.h"
#include "vst2/audioeffect.h"
#include "vst2/vst2_editor.h"

inline XplatWindow& editorWindowOf(AEffect* effect) {
    return static_cast<Vst2Editor*>(instanceOf(effect)->getEditor())->window().platformWindow();
}

// x in the low 16 bits, y in the high 16, each cut to 16 bits: a pointer
// left of or above the window wraps to just below 65536.
inline std::uint32_t packedPointer(std::int32_t x, std::int32_t y) {
    return (static_cast<std::uint32_t>(y) & 0xFFFFu) << 16 | (static_cast<std::uint32_t>(x) & 0xFFFFu);
}

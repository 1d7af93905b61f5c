// What the window procedure does with a message, shared by every back end:
// the back end translates its own event into an XplatMessage, calls
// xplatRouteMessage, and then takes or releases the pointer as told.
#pragma once

#include <cstdint>

class EditorWindow;

enum class XplatMessage { leftButtonDown, leftButtonUp, mouseMove, paint, other };

enum class XplatCapture { unchanged, take, release };

struct XplatPointer {
    std::int32_t x;
    std::int32_t y;
};

// x in the low 16 bits, y in the high 16, each unsigned; values above 13000
// come from a captured pointer left of or above the window and turn
// negative (65535 is -1).
XplatPointer xplatDecodePointer(std::uint32_t packedPosition);

// Calls the editor (which may be null: messages arrive before the window
// knows its owner) and answers what to do with the pointer capture, which
// a press takes and a release gives back whether or not there is an editor.
XplatCapture xplatRouteMessage(EditorWindow* editor, XplatMessage message, std::uint32_t packedPosition);

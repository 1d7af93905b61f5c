#include "xplat_messages.h"

#include "editor_window.h"

namespace {

std::int32_t decodeCoordinate(std::uint32_t sixteenBits) {
    // Not 32767: the window is far smaller than 13000 pixels, and a pointer
    // dragged off its left or top edge wraps round to just below 65536.
    constexpr std::int32_t kLargestPositive = 13000;
    const auto value = static_cast<std::int32_t>(sixteenBits);
    return value > kLargestPositive ? value - 65536 : value;
}

} // namespace

XplatPointer xplatDecodePointer(std::uint32_t packedPosition) {
    return {decodeCoordinate(packedPosition & 0xFFFFu), decodeCoordinate(packedPosition >> 16)};
}

XplatCapture xplatRouteMessage(EditorWindow* editor, XplatMessage message, std::uint32_t packedPosition) {
    const XplatPointer pointer = xplatDecodePointer(packedPosition);
    switch (message) {
    case XplatMessage::leftButtonDown:
        if (editor != nullptr) {
            editor->onMouseDown(pointer.x, pointer.y);
        }
        return XplatCapture::take;
    case XplatMessage::leftButtonUp:
        if (editor != nullptr) {
            editor->onMouseUp(pointer.x, pointer.y);
        }
        return XplatCapture::release;
    case XplatMessage::mouseMove:
        // The button state is not consulted: the editor knows whether it drags.
        if (editor != nullptr) {
            editor->onMouseMove(pointer.x, pointer.y);
        }
        return XplatCapture::unchanged;
    case XplatMessage::paint:
        if (editor != nullptr) {
            editor->paint();
        }
        return XplatCapture::unchanged;
    case XplatMessage::other:
        break;
    }
    return XplatCapture::unchanged;
}

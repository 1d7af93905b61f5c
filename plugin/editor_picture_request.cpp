#include "plugin/editor_picture_request.h"

#include <cstring>

#include "editor/editor_picture.h"
#include "editor/editor_window.h"
#include "plugin/adelay.h"

VstIntPtr ADelay::vendorSpecific(VstInt32 request, VstIntPtr size, void* buffer, float /*unused*/) {
    if (request != kEditorPictureRequest || size != kEditorPictureBytes || buffer == nullptr || editor == nullptr) {
        return 0;
    }
    const EditorFrame frame = captureEditorFrame(*static_cast<EditorWindow*>(editor));
    if (frame.width != kEditorPictureWidth || frame.height != kEditorPictureHeight ||
        static_cast<VstIntPtr>(frame.rgb.size()) != kEditorPictureBytes) {
        return 0;
    }
    std::memcpy(buffer, frame.rgb.data(), frame.rgb.size());
    return 1;
}

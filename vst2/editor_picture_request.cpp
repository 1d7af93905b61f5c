#include "vst2/editor_picture_request.h"

#include <cstring>

#include "editor/editor_picture.h"
#include "vst2/adelay.h"
#include "vst2/vst2_editor.h"

VstIntPtr ADelay::vendorSpecific(VstInt32 request, VstIntPtr size, void* buffer, float /*unused*/) {
    if (request != kEditorPictureRequest || size != kEditorPictureBytes || buffer == nullptr || editor == nullptr) {
        return 0;
    }
    const EditorFrame frame = captureEditorFrame(static_cast<Vst2Editor*>(editor)->window());
    if (frame.width != kEditorPictureWidth || frame.height != kEditorPictureHeight ||
        static_cast<VstIntPtr>(frame.rgb.size()) != kEditorPictureBytes) {
        return 0;
    }
    std::memcpy(buffer, frame.rgb.data(), frame.rgb.size());
    return 1;
}

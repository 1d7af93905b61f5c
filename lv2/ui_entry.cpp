// The UI binary's one export: an X11 UI showing the same EditorWindow as the
// VST 2 build, inside the host's window (ui:parent), repainted at every
// ui:idleInterface call. It reaches the sound only through the host.
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <new>
#include <string_view>

#include "editor/control_layout.h"
#include "editor/editor_window.h"
#include "editor/xplat_x11.h"
#include "lv2/lv2_editor_model.h"
#include "lv2/uris.h"

namespace {

struct Lv2Editor {
    Lv2Editor(LV2_URID_Map& map, LV2UI_Write_Function write, LV2UI_Controller controller)
        : model(map, write, controller), window(model) {}

    Lv2EditorModel model;
    EditorWindow window;
};

struct HostFeatures {
    LV2_URID_Map* map = nullptr;
    void* parent = nullptr;
    const LV2UI_Resize* resize = nullptr;
};

HostFeatures featuresOf(const LV2_Feature* const* features) {
    HostFeatures found;
    for (const LV2_Feature* const* feature = features; feature != nullptr && *feature != nullptr; ++feature) {
        const std::string_view uri = (*feature)->URI;
        if (uri == LV2_URID__map) {
            found.map = static_cast<LV2_URID_Map*>((*feature)->data);
        } else if (uri == LV2_UI__parent) {
            found.parent = (*feature)->data;
        } else if (uri == LV2_UI__resize) {
            found.resize = static_cast<const LV2UI_Resize*>((*feature)->data);
        }
    }
    return found;
}

LV2UI_Handle instantiate(const LV2UI_Descriptor* /*descriptor*/, const char* pluginUri, const char* /*bundlePath*/,
                         LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
                         const LV2_Feature* const* features) {
    const HostFeatures host = featuresOf(features);
    if (pluginUri == nullptr || std::string_view(pluginUri) != kPluginUri || host.map == nullptr || write == nullptr) {
        return nullptr;
    }
    auto* editor = new (std::nothrow) Lv2Editor(*host.map, write, controller);
    if (editor == nullptr) {
        return nullptr;
    }
    editor->window.open(host.parent);
    // The editor is drawn at one size only.
    if (host.resize != nullptr) {
        host.resize->ui_resize(host.resize->handle, kEditorWidth, kEditorHeight);
    }
    if (widget != nullptr) {
        *widget = reinterpret_cast<LV2UI_Widget>(
            static_cast<std::uintptr_t>(xplatX11WindowId(editor->window.platformWindow())));
    }
    return editor;
}

void cleanup(LV2UI_Handle handle) {
    delete static_cast<Lv2Editor*>(handle);
}

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
    static_cast<Lv2Editor*>(handle)->model.portEvent(port, size, format, buffer);
}

// Events first, then the repaint, as at a VST 2 host's idle call; 0 keeps
// the UI open.
int idle(LV2UI_Handle handle) {
    static_cast<Lv2Editor*>(handle)->window.idle();
    return 0;
}

const LV2UI_Idle_Interface kIdleInterface = {idle};

const void* extensionData(const char* uri) {
    return uri != nullptr && std::string_view(uri) == LV2_UI__idleInterface ? &kIdleInterface : nullptr;
}

const LV2UI_Descriptor kDescriptor = {kUiUri, instantiate, cleanup, portEvent, extensionData};

} // namespace

LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}

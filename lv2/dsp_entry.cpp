// The DSP binary's one export: LV2's descriptor, each call handed to
// Lv2Instrument. urid:map is the only feature it needs.
#include <lv2/core/lv2.h>
#include <lv2/urid/urid.h>

#include <new>
#include <string_view>

#include "lv2/lv2_instrument.h"
#include "lv2/uris.h"

namespace {

Lv2Instrument& instrumentOf(LV2_Handle handle) {
    return *static_cast<Lv2Instrument*>(handle);
}

// Without urid:map no event type could be recognised: no instance.
LV2_Handle instantiate(const LV2_Descriptor* /*descriptor*/, double sampleRate, const char* /*bundlePath*/,
                       const LV2_Feature* const* features) {
    const LV2_URID_Map* map = nullptr;
    for (const LV2_Feature* const* feature = features; feature != nullptr && *feature != nullptr; ++feature) {
        if (std::string_view((*feature)->URI) == LV2_URID__map) {
            map = static_cast<const LV2_URID_Map*>((*feature)->data);
        }
    }
    if (map == nullptr) {
        return nullptr;
    }
    return new (std::nothrow) Lv2Instrument(sampleRate, *map);
}

void connectPort(LV2_Handle instance, uint32_t port, void* data) {
    instrumentOf(instance).connect(port, data);
}

void activate(LV2_Handle instance) {
    instrumentOf(instance).activate();
}

void run(LV2_Handle instance, uint32_t frames) {
    instrumentOf(instance).run(frames);
}

// Nothing to stop: the next activate starts afresh anyway.
void deactivate(LV2_Handle /*instance*/) {}

void cleanup(LV2_Handle instance) {
    delete static_cast<Lv2Instrument*>(instance);
}

const void* extensionData(const char* /*uri*/) {
    return nullptr;
}

const LV2_Descriptor kDescriptor = {kPluginUri, instantiate, connectPort, activate, run, deactivate, cleanup,
                                    extensionData};

} // namespace

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}

#include "plugin_entry.h"

#include "audioeffect.h"

AEffect* openPluginInstance(audioMasterCallback audioMaster) {
    // A null callback cannot answer the version request; no instance.
    if (audioMaster == nullptr) {
        return nullptr;
    }
    if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) {
        return nullptr;
    }
    AudioEffect* instance = createEffectInstance(audioMaster);
    return instance != nullptr ? instance->getAeffect() : nullptr;
}

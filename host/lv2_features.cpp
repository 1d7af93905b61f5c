#include "lv2_features.h"

#include <cstdarg>
#include <cstdio>

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/parameters/parameters.h>

namespace {

LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri) {
    return uri != nullptr ? static_cast<Lv2HostFeatures*>(handle)->map(uri) : 0;
}

const char* unmapUrid(LV2_URID_Unmap_Handle handle, LV2_URID urid) {
    return static_cast<Lv2HostFeatures*>(handle)->unmap(urid);
}

} // namespace

int Lv2HostFeatures::logVprintf(LV2_Log_Handle handle, LV2_URID type, const char* format, va_list args) {
    auto* self = static_cast<Lv2HostFeatures*>(handle);
    char text[1024];
    const int length = std::vsnprintf(text, sizeof text, format != nullptr ? format : "", args);
    if (self->logLine) {
        std::string line = text;
        while (!line.empty() && line.back() == '\n') {
            line.pop_back();
        }
        const char* kind = self->unmap(type);
        self->logLine(std::string("plug-in log") + (kind != nullptr ? std::string(" (") + kind + ")" : "") + ": " +
                      line);
    }
    return length;
}

int Lv2HostFeatures::logPrintf(LV2_Log_Handle handle, LV2_URID type, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int length = logVprintf(handle, type, format, args);
    va_end(args);
    return length;
}

Lv2HostFeatures::Lv2HostFeatures(std::function<void(const std::string&)> log) : logLine(std::move(log)) {
    mapData = {this, mapUri};
    unmapData = {this, unmapUrid};
    logData = {this, logPrintf, logVprintf};
    setOptions(44100.0f, 512, 0);
}

LV2_URID Lv2HostFeatures::map(const std::string& uri) {
    const auto found = ids.find(uri);
    if (found != ids.end()) {
        return found->second;
    }
    uris.push_back(uri);
    const auto id = static_cast<LV2_URID>(uris.size());
    ids.emplace(uri, id);
    return id;
}

const char* Lv2HostFeatures::unmap(LV2_URID urid) const {
    return urid >= 1 && urid <= uris.size() ? uris[urid - 1].c_str() : nullptr;
}

bool Lv2HostFeatures::provides(const std::string& featureUri) {
    static const char* const known[] = {
        LV2_URID__map, LV2_URID__unmap, LV2_OPTIONS__options, LV2_BUF_SIZE__boundedBlockLength, LV2_LOG__log,
        LV2_CORE__hardRTCapable, LV2_CORE__inPlaceBroken,
    };
    for (const char* uri : known) {
        if (featureUri == uri) {
            return true;
        }
    }
    return false;
}

bool Lv2HostFeatures::tells(const std::string& optionUri) {
    for (const char* uri : {LV2_PARAMETERS__sampleRate, LV2_BUF_SIZE__minBlockLength, LV2_BUF_SIZE__maxBlockLength,
                            LV2_BUF_SIZE__nominalBlockLength, LV2_BUF_SIZE__sequenceSize}) {
        if (optionUri == uri) {
            return true;
        }
    }
    return false;
}

void Lv2HostFeatures::setOptions(float rate, int blockLength, int sequenceBytes) {
    sampleRate = rate;
    maxBlock = nominalBlock = blockLength;
    sequenceSize = sequenceBytes;
    const LV2_URID floatType = map(LV2_ATOM__Float);
    const LV2_URID intType = map(LV2_ATOM__Int);
    const auto option = [](LV2_URID key, LV2_URID type, const void* value, std::uint32_t size) {
        return LV2_Options_Option{LV2_OPTIONS_INSTANCE, 0, key, size, type, value};
    };
    options = {
        option(map(LV2_PARAMETERS__sampleRate), floatType, &sampleRate, sizeof sampleRate),
        option(map(LV2_BUF_SIZE__minBlockLength), intType, &minBlock, sizeof minBlock),
        option(map(LV2_BUF_SIZE__maxBlockLength), intType, &maxBlock, sizeof maxBlock),
        option(map(LV2_BUF_SIZE__nominalBlockLength), intType, &nominalBlock, sizeof nominalBlock),
        option(map(LV2_BUF_SIZE__sequenceSize), intType, &sequenceSize, sizeof sequenceSize),
        LV2_Options_Option{LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr},
    };
    features = {
        {LV2_URID__map, &mapData},
        {LV2_URID__unmap, &unmapData},
        {LV2_OPTIONS__options, options.data()},
        {LV2_BUF_SIZE__boundedBlockLength, nullptr},
        {LV2_LOG__log, &logData},
    };
    pointers.clear();
    for (const LV2_Feature& feature : features) {
        pointers.push_back(&feature);
    }
    pointers.push_back(nullptr);
}

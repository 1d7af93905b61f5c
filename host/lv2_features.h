// The LV2 host features quorvane-render gives every plug-in it instantiates:
// URI mapping both ways, options (sample rate, block lengths, sequence
// size), bounded block lengths and a log.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include <lv2/core/lv2.h>
#include <lv2/log/log.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

class Lv2HostFeatures {
public:
    // `log` receives the plug-in's messages (nothing when it is empty).
    explicit Lv2HostFeatures(std::function<void(const std::string&)> log);
    Lv2HostFeatures(const Lv2HostFeatures&) = delete;
    Lv2HostFeatures& operator=(const Lv2HostFeatures&) = delete;

    LV2_URID map(const std::string& uri);
    const char* unmap(LV2_URID urid) const;

    // Features plug-ins may require: those we pass, and the ones that only
    // promise something of the plug-in (hard real-time, no in-place).
    static bool provides(const std::string& featureUri);
    // Options this host can tell.
    static bool tells(const std::string& optionUri);

    // The values the options feature carries; set before instantiating.
    void setOptions(float sampleRate, int blockLength, int sequenceBytes);
    // Null-terminated, for lilv_plugin_instantiate.
    const LV2_Feature* const* list() const { return pointers.data(); }

private:
    std::unordered_map<std::string, LV2_URID> ids;
    std::vector<std::string> uris; // uris[id - 1]
    std::function<void(const std::string&)> logLine;

    LV2_URID_Map mapData{};
    LV2_URID_Unmap unmapData{};
    LV2_Log_Log logData{};
    float sampleRate = 0.0f;
    std::int32_t minBlock = 1, maxBlock = 0, nominalBlock = 0, sequenceSize = 0;
    std::vector<LV2_Options_Option> options;
    std::vector<LV2_Feature> features;
    std::vector<const LV2_Feature*> pointers;

    static int logPrintf(LV2_Log_Handle handle, LV2_URID type, const char* format, ...);
    static int logVprintf(LV2_Log_Handle handle, LV2_URID type, const char* format, va_list args);
};

#include "tests/stress/stress_host.h"

#include <atomic>
#include <cmath>
#include <string>

#include "engine/parameter_table.h"

namespace {

FailureLog* hostFailures = nullptr;
std::atomic<std::int64_t> automations{0};

} // namespace

void reportHostFailuresTo(FailureLog& log) { hostFailures = &log; }

VstIntPtr VSTCALLBACK stressHostCallback(AEffect* /*effect*/, VstInt32 opcode, VstInt32 index, VstIntPtr /*value*/,
                                         void* /*ptr*/, float opt) {
    switch (opcode) {
    case audioMasterVersion:
        return 2400;
    case audioMasterAutomate:
        automations.fetch_add(1, std::memory_order_relaxed);
        // The editor reports only what a knob or a pad can set.
        if (!isParameter(index) || !(opt >= 0.0f && opt <= 1.0f)) {
            hostFailures->record("automation of parameter " + std::to_string(index) + " to " + std::to_string(opt));
        }
        return 0;
    default:
        return 0;
    }
}

std::int64_t automationsHeard() { return automations.load(std::memory_order_relaxed); }

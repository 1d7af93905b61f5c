// The host side of the stress test: one callback for every instance, which
// any thread may call, as a real host's is. It answers the version request
// and checks every automation the editor reports.
#pragma once

#include <cstdint>

#include "tests/stress/failure_log.h"
#include "vst2/vst2.h"

// Failures the callback sees go to log from now on; set before any thread
// that may call it starts.
void reportHostFailuresTo(FailureLog& log);

VstIntPtr VSTCALLBACK stressHostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                         float opt);

// How many automations the host has heard, from every instance.
std::int64_t automationsHeard();

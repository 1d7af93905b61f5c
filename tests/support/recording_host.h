// A host callback that records every call and answers from a script.
#pragma once

#include <functional>
#include <vector>

#include "vst2/vst2.h"

struct HostCall {
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
};

// One host at a time: constructing it makes it the one that callback()
// reaches, as a host process has one callback for its plug-ins.
class RecordingHost {
public:
    RecordingHost();
    ~RecordingHost();
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    static VstIntPtr VSTCALLBACK callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                          float opt);

    int count(VstInt32 opcode) const;
    const HostCall* last(VstInt32 opcode) const;

    std::vector<HostCall> calls;
    // Answers audioMasterVersion with 2400 and everything else with 0 unless replaced.
    std::function<VstIntPtr(const HostCall&)> answer;
};

#include "recording_host.h"

#include <algorithm>

namespace {
RecordingHost* currentHost = nullptr;
}

RecordingHost::RecordingHost() {
    answer = [](const HostCall& call) -> VstIntPtr { return call.opcode == audioMasterVersion ? 2400 : 0; };
    currentHost = this;
}

RecordingHost::~RecordingHost() {
    if (currentHost == this) {
        currentHost = nullptr;
    }
}

VstIntPtr VSTCALLBACK RecordingHost::callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                              void* ptr, float opt) {
    if (currentHost == nullptr) {
        return 0;
    }
    const HostCall call{effect, opcode, index, value, ptr, opt};
    currentHost->calls.push_back(call);
    return currentHost->answer(call);
}

int RecordingHost::count(VstInt32 opcode) const {
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [opcode](const HostCall& call) { return call.opcode == opcode; }));
}

const HostCall* RecordingHost::last(VstInt32 opcode) const {
    for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
        if (it->opcode == opcode) {
            return &*it;
        }
    }
    return nullptr;
}

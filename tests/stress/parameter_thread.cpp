// A host's automation thread and its GUI's parameter list: values written and
// read on random indices (some outside the 90, some no number at all), the
// names, labels and display texts asked for, while everything else runs.
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "tests/stress/host_choices.h"
#include "tests/stress/instance_under_load.h"

namespace {

constexpr int kCallsPerBurst = 64;
// Names run to 13 characters and a terminator, the other texts to 8.
constexpr std::size_t kNameRoom = 14;
constexpr std::size_t kTextRoom = 9;

// Asks for one of a parameter's texts in a buffer larger than the room the
// interface gives it; the text must end within that room.
void askText(AEffect* effect, VstInt32 opcode, VstInt32 index, std::size_t room, FailureLog& failures) {
    char text[64];
    std::memset(text, 0x7F, sizeof text);
    effect->dispatcher(effect, opcode, index, 0, text, 0.0f);
    if (std::memchr(text, 0, room) == nullptr) {
        failures.record("text " + std::to_string(opcode) + " of parameter " + std::to_string(index) +
                        " is not terminated");
    }
}

} // namespace

void automateParameters(InstanceUnderLoad& instance, RunControl& run) {
    HostChoices choose(instance.seed);
    AEffect* effect = instance.effect;
    while (!run.stop.load(std::memory_order_relaxed)) {
        for (int call = 0; call < kCallsPerBurst; ++call) {
            const VstInt32 index = choose.between(-4, NumParams + 3);
            if (instance.manners.tame && isFeedbackAxisParameter(index)) {
                continue;
            }
            effect->setParameter(effect, index, choose.parameterValue());
            effect->getParameter(effect, choose.between(-4, NumParams + 3));
            askText(effect, effGetParamDisplay, index, kTextRoom, run.failures);
            askText(effect, effGetParamName, index, kNameRoom, run.failures);
            askText(effect, effGetParamLabel, index, kTextRoom, run.failures);
            effect->dispatcher(effect, effCanBeAutomated, index, 0, nullptr, 0.0f);
            instance.parameterCalls.fetch_add(1, std::memory_order_relaxed);
        }
        // Automation arrives in bursts; a GUI's parameter list refreshes now and then.
        std::this_thread::sleep_for(std::chrono::microseconds(choose.between(100, 2000)));
    }
}

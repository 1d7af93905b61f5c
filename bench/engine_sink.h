// A performance (bench/performances.h) played into an engine directly, as
// the plug-in and the editor would: parameters, MIDI and the editor's grabs.
#pragma once

#include "bench/performances.h"
#include "engine/engine.h"

class EngineSink : public PerformanceSink {
public:
    explicit EngineSink(Engine& engine) : engine(engine) {}
    void parameter(std::int32_t index, float value) override { engine.setParameter(index, value); }
    void midi(int status, int data1, int data2) override {
        engine.handleMidi(static_cast<std::uint8_t>(status), static_cast<std::uint8_t>(data1),
                          static_cast<std::uint8_t>(data2));
    }
    // As the editor does: held first, then the target, then the refresh flag.
    void hold(AxisIndex axis, float target) override {
        engine.axes[axis].held = true;
        engine.axes[axis].target = target;
        engine.paramsDirty.publish(true);
    }
    void release(AxisIndex axis) override { engine.axes[axis].held = false; }

private:
    Engine& engine;
};

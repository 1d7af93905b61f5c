// What the editor shows and plays, reached through whichever plug-in format
// hosts it. In a VST 2 host the plug-in answers from its engine directly; in
// an LV2 host the editor runs apart from the sound (perhaps in another
// process), so the answers come from port values and the writes travel as
// messages. The editor never sees which.
#pragma once

#include <cstdint>

#include "engine/axis_orders.h"

class EditorModel {
public:
    // A parameter's value: what the knobs and the pads' target marks show.
    virtual float parameter(std::int32_t index) = 0;
    // Changes a parameter as the user's own gesture, which the host records
    // as automation.
    virtual void automate(std::int32_t index, float value) = 0;

    // Where an axis is now, 0.0 to 2.0: the pads' output marks.
    virtual float axisOutput(AxisIndex axis) = 0;
    // The axis's first modulator amount: the modulation pads' marks.
    virtual float modulationAmount(AxisIndex axis) = 0;

    // Writes into the engine's axes, taken at the next sample that reads them.
    virtual void setAxisHeld(AxisIndex axis, bool held) = 0;
    virtual void setAxisTarget(AxisIndex axis, float target) = 0;
    virtual void setModulationAmount(AxisIndex axis, float amount) = 0;
    // The next block takes every parameter into the axes again.
    virtual void refreshAxes() = 0;

protected:
    ~EditorModel() = default;
};

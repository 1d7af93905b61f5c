// An LV2 plug-in found through lilv, instantiated and run as a host runs
// it: every port connected, control inputs as the user set them, MIDI in an
// atom sequence at each event's frame.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "atom_sequence.h"
#include "lv2_features.h"
#include "lv2_world.h"
#include "plugin.h"

class Lv2Plugin : public Plugin {
public:
    // `where` is a bundle directory or a plug-in URI. Refuses a plug-in that
    // has a port we cannot connect.
    Lv2Plugin(const std::string& where, const HostState& host);
    ~Lv2Plugin() override;

    const std::string& location() const override { return where; }
    int audioInputs() const override { return static_cast<int>(audioInputPorts.size()); }
    int audioOutputs() const override { return static_cast<int>(audioOutputPorts.size()); }
    const std::vector<ParameterFacts>& parameters() override { return facts; }
    void setParameter(int index, float value) override;

    // Refuses a plug-in that requires a feature or option we do not give
    // (--info still shows it); else instantiates with the host's rate and
    // block length, connects every port, activates.
    void start(std::size_t maxEventsPerBlock) override;
    void process(std::int64_t firstFrame, const ScheduledMessage* events, std::size_t eventCount, float** inputs,
                 float** outputs, int frames) override;
    // Deactivates.
    void stop() override;

    void describe(std::ostream& out) override;
    TextTable parameterTable() override;

private:
    enum class PortKind { AudioIn, AudioOut, ControlIn, ControlOut, AtomIn, AtomOut, CvIn, CvOut, Optional };
    struct Port {
        PortKind kind;
        std::string symbol, name;
        std::size_t minimumBytes = 0; // atom ports: resize-port's minimumSize
        bool midi = false;            // an atom input that takes MIDI events
    };

    void checkRequirements() const;
    void readPorts();
    void connectPorts(std::size_t sequenceBytes);
    std::string unitOf(std::uint32_t portIndex) const;

    std::string where;
    const HostState& host;
    Lv2World world;
    const LilvPlugin* plugin = nullptr;
    Lv2HostFeatures features;
    std::vector<Port> ports;                 // by port index
    std::vector<float> controls;             // by port index: control inputs and outputs
    std::vector<std::uint32_t> parameterPorts, audioInputPorts, audioOutputPorts;
    std::vector<ParameterFacts> facts;
    std::vector<AtomSequence> atomInputs, atomOutputs;
    std::vector<std::vector<float>> cvBuffers;
    AtomSequence* midiInput = nullptr;
    LV2_URID sequenceType = 0, chunkType = 0, midiEventType = 0;
    LilvInstance* instance = nullptr;
    bool running = false;
};

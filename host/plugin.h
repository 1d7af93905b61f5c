// What the render loop, --info and --list-params ask of a loaded plug-in,
// whatever its format: one implementation per format (VST 2, LV2).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "performance.h"

// Anything that makes a plug-in unusable: the text is one line for the user.
class PluginError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What every plug-in is told, whatever its format.
struct HostState {
    double sampleRate = 44100.0;
    int blockSize = 512;
    double tempoBpm = 120.0;
    std::function<void(const std::string&)> log; // set with --verbose
};

// A value the user may set: VST 2 parameters run from 0 to 1, an LV2
// control port over its own range (unbounded where it declares none).
struct ParameterFacts {
    std::string name;   // as the plug-in reports it
    std::string symbol; // LV2's port symbol; empty for VST 2
    float minimum = -std::numeric_limits<float>::infinity();
    float maximum = std::numeric_limits<float>::infinity();
};

// A heading per column and one row of text per item (--list-params: one per
// parameter).
struct TextTable {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

class Plugin {
public:
    virtual ~Plugin() = default;

    // What --plugin named: a library path, a bundle or a URI.
    virtual const std::string& location() const = 0;
    virtual int audioInputs() const = 0;
    virtual int audioOutputs() const = 0;
    // Indexed as --param and --automate index them.
    virtual const std::vector<ParameterFacts>& parameters() = 0;
    virtual void setParameter(int index, float value) = 0;

    // Ready to process blocks of up to the host's block size that carry at
    // most `maxEventsPerBlock` MIDI messages.
    virtual void start(std::size_t maxEventsPerBlock) = 0;
    // One block: the messages are the block's own, each at a frame from
    // `firstFrame` on; the channel arrays hold at least two pointers each.
    virtual void process(std::int64_t firstFrame, const ScheduledMessage* events, std::size_t eventCount,
                         float** inputs, float** outputs, int frames) = 0;
    // Also done on destruction if still started.
    virtual void stop() = 0;

    virtual void describe(std::ostream& out) = 0;
    virtual TextTable parameterTable() = 0;
    // 24-bit rows from the top as Quorvane draws its editor, or empty.
    virtual std::vector<std::uint8_t> editorPicture() { return {}; }
};

// Writes the bundle's Turtle files from the parameter table, so the LV2
// description can never drift from what the engine and the VST 2 build say:
//   quorvane-lv2-ttl OUTPUT_DIR DSP_BINARY UI_BINARY PROJECT_VERSION
// (PROJECT_VERSION as CMake has it: major.minor[.patch]).
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "engine/engine.h"
#include "lv2/port_layout.h"
#include "lv2/uris.h"

namespace {

const char* const kPrefixes = R"(@prefix atom: <http://lv2plug.in/ns/ext/atom#> .
@prefix doap: <http://usefulinc.com/ns/doap#> .
@prefix lv2: <http://lv2plug.in/ns/lv2core#> .
@prefix midi: <http://lv2plug.in/ns/ext/midi#> .
@prefix pset: <http://lv2plug.in/ns/ext/presets#> .
@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .
@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .
@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .
@prefix urid: <http://lv2plug.in/ns/ext/urid#> .

)";

const std::string kPresetUri = std::string(kPresetUriPrefix) + "init";

// Nine significant digits name every float exactly, so a host starts each
// control at the very float the VST 2 build starts from. Always a decimal
// point, so Turtle reads a number, never an integer.
std::string exactFloat(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    std::string result(text);
    if (result.find_first_of(".e") == std::string::npos) {
        result += ".0";
    }
    return result;
}

std::string lowercase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// "MYM0Overshoot" -> "my_m0_overshoot", "MModifier0" -> "m_modifier0": the
// section and axis letters, then one word per capital.
std::string symbolOf(std::int32_t index) {
    const std::string name = kParameterTable[static_cast<std::size_t>(index)].name;
    const bool isModifier = index % kParametersPerSection >= kModifier0Offset;
    const std::size_t prefixLength = isModifier ? 1 : 2;
    std::string symbol = lowercase(name.substr(0, prefixLength));
    for (std::size_t i = prefixLength; i < name.size(); ++i) {
        if (std::isupper(static_cast<unsigned char>(name[i]))) {
            symbol += '_';
        }
        symbol += static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
    }
    return symbol;
}

// "MY" for the axis whose TargetPos is MYTargetPos.
std::string axisName(int slot) {
    const std::string target = kParameterTable[static_cast<std::size_t>(kParameterOrder[slot].firstParameter)].name;
    return target.substr(0, target.size() - std::string("TargetPos").size());
}

bool isSourceParameter(std::int32_t index) {
    const std::int32_t field = index % kParametersPerSection % kFieldsPerAxis;
    return index % kParametersPerSection < kModifier0Offset && (field == kM0Source || field == kM1Source);
}

// A Source selects slot trunc(11 x value); each slot is labelled at its
// middle. No lv2:enumeration: hosts may still send any value, as VST 2
// automation does.
void writeSourceScalePoints(std::ostream& out) {
    for (int slot = 0; slot < kNumModSources; ++slot) {
        const float middle = (static_cast<float>(slot) + 0.5f) / static_cast<float>(kNumModSources);
        out << (slot == 0 ? "        lv2:scalePoint " : " ,\n            ") << "[ rdfs:label \"Slot " << slot
            << (slot == kLfoSourceSlot ? ": LFO" : "") << "\" ; rdf:value " << exactFloat(middle) << " ]";
    }
    out << " ;\n";
}

void writeControlPort(std::ostream& out, std::int32_t index) {
    const ParameterFacts& facts = kParameterTable[static_cast<std::size_t>(index)];
    out << "    ] , [\n        a lv2:InputPort , lv2:ControlPort ;\n        lv2:index "
        << lv2_ports::kFirstControl + static_cast<std::uint32_t>(index) << " ;\n        lv2:symbol \""
        << symbolOf(index) << "\" ;\n        lv2:name \"" << facts.name << "\" ;\n        lv2:default "
        << exactFloat(facts.defaultValue) << " ;\n        lv2:minimum 0.0 ;\n        lv2:maximum 1.0 ;\n";
    if (isSourceParameter(index)) {
        writeSourceScalePoints(out);
    }
}

struct MovingValue {
    std::uint32_t firstPort;
    const char* symbolSuffix;
    const char* nameSuffix;
    float maximum;
};

const MovingValue kMovingValues[] = {
    {lv2_ports::kFirstTarget, "_target_out", " target now", 2.0f},
    {lv2_ports::kFirstAxisOutput, "_axis_out", " output now", 2.0f},
    {lv2_ports::kFirstModulationAmount, "_m0_amount_out", " M0 amount now", 1.0f},
};

void writeMovingValuePorts(std::ostream& out) {
    for (const MovingValue& moving : kMovingValues) {
        for (int slot = 0; slot < kNumAxes; ++slot) {
            out << "    ] , [\n        a lv2:OutputPort , lv2:ControlPort ;\n        lv2:index "
                << moving.firstPort + static_cast<std::uint32_t>(slot) << " ;\n        lv2:symbol \""
                << lowercase(axisName(slot)) << moving.symbolSuffix << "\" ;\n        lv2:name \"" << axisName(slot)
                << moving.nameSuffix << "\" ;\n        lv2:minimum 0.0 ;\n        lv2:maximum "
                << exactFloat(moving.maximum) << " ;\n";
        }
    }
}

// The UI hears every moving value; the host sends the controls anyway.
void writeUi(std::ostream& out) {
    out << "<" << kUiUri << ">\n    a ui:X11UI ;\n"
        << "    lv2:requiredFeature urid:map , ui:parent , ui:idleInterface ;\n"
        << "    lv2:optionalFeature ui:resize , ui:noUserResize ;\n"
        << "    lv2:extensionData ui:idleInterface ;\n    ui:portNotification ";
    for (std::uint32_t port = lv2_ports::kFirstTarget; port < lv2_ports::kCount; ++port) {
        out << (port == lv2_ports::kFirstTarget ? "[\n" : " , [\n") << "        ui:plugin <" << kPluginUri
            << "> ;\n        lv2:index " << port << " ;\n        ui:protocol ui:floatProtocol\n    ]";
    }
    out << " .\n";
}

std::string pluginTurtle() {
    std::ostringstream out;
    out << kPrefixes << "<" << kPluginUri << ">\n    a lv2:Plugin , lv2:InstrumentPlugin ;\n"
        << "    doap:name \"Quorvane\" ;\n    doap:license <https://spdx.org/licenses/MIT> ;\n"
        << "    lv2:requiredFeature urid:map ;\n    lv2:optionalFeature lv2:hardRTCapable ;\n"
        << "    ui:ui <" << kUiUri << "> ;\n"
        << "    lv2:port [\n        a lv2:InputPort , atom:AtomPort ;\n        atom:bufferType atom:Sequence ;\n"
        << "        atom:supports midi:MidiEvent , atom:Object ;\n        lv2:designation lv2:control ;\n"
        << "        lv2:index " << lv2_ports::kEvents << " ;\n        lv2:symbol \"events\" ;\n"
        << "        lv2:name \"Events\" ;\n";
    const char* const channels[2][2] = {{"out_left", "Left"}, {"out_right", "Right"}};
    for (std::uint32_t channel = 0; channel < 2; ++channel) {
        out << "    ] , [\n        a lv2:OutputPort , lv2:AudioPort ;\n        lv2:index "
            << lv2_ports::kLeft + channel << " ;\n        lv2:symbol \"" << channels[channel][0]
            << "\" ;\n        lv2:name \"" << channels[channel][1] << "\" ;\n";
    }
    for (std::int32_t index = 0; index < NumParams; ++index) {
        writeControlPort(out, index);
    }
    writeMovingValuePorts(out);
    out << "    ] .\n\n";
    writeUi(out);
    return out.str();
}

std::string presetsTurtle() {
    std::ostringstream out;
    out << kPrefixes << "<" << kPresetUri << ">\n    a pset:Preset ;\n    lv2:appliesTo <" << kPluginUri
        << "> ;\n    rdfs:label \"" << kProgramName << "\" ;\n    lv2:port ";
    for (std::int32_t index = 0; index < NumParams; ++index) {
        out << (index == 0 ? "[\n" : " , [\n") << "        lv2:symbol \"" << symbolOf(index)
            << "\" ;\n        pset:value " << exactFloat(kParameterTable[static_cast<std::size_t>(index)].defaultValue)
            << "\n    ]";
    }
    out << " .\n";
    return out.str();
}

struct Lv2Version {
    int minor;
    int micro;
};

// LV2 has no major version (the URI is one); an odd minor or micro, or a
// minor of 0, marks a development build. So a release x.y.z is minor
// 2 x (100x + y), micro 2z: even, never 0, and growing with the project's.
Lv2Version lv2VersionOf(const std::string& projectVersion) {
    int major = 0;
    int minor = 0;
    int patch = 0;
    std::sscanf(projectVersion.c_str(), "%d.%d.%d", &major, &minor, &patch);
    return {2 * (100 * major + minor), 2 * patch};
}

std::string manifestTurtle(const std::string& dspBinary, const std::string& uiBinary, Lv2Version version) {
    std::ostringstream out;
    out << kPrefixes << "<" << kPluginUri << ">\n    a lv2:Plugin , lv2:InstrumentPlugin ;\n    lv2:binary <"
        << dspBinary << "> ;\n    lv2:minorVersion " << version.minor << " ;\n    lv2:microVersion "
        << version.micro << " ;\n    rdfs:seeAlso <quorvane.ttl> .\n\n<" << kUiUri
        << ">\n    a ui:X11UI ;\n    ui:binary <" << uiBinary << "> ;\n    rdfs:seeAlso <quorvane.ttl> .\n\n<"
        << kPresetUri << ">\n    a pset:Preset ;\n    lv2:appliesTo <" << kPluginUri << "> ;\n    rdfs:label \""
        << kProgramName << "\" ;\n    rdfs:seeAlso <presets.ttl> .\n";
    return out.str();
}

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    if (!file) {
        std::cerr << "quorvane-lv2-ttl: cannot write " << path << "\n";
    }
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: quorvane-lv2-ttl OUTPUT_DIR DSP_BINARY UI_BINARY PROJECT_VERSION\n";
        return 2;
    }
    const std::string directory = argv[1];
    const bool written = writeFile(directory + "/manifest.ttl", manifestTurtle(argv[2], argv[3], lv2VersionOf(argv[4]))) &&
                         writeFile(directory + "/quorvane.ttl", pluginTurtle()) &&
                         writeFile(directory + "/presets.ttl", presetsTurtle());
    return written ? 0 : 1;
}

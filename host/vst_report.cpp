// What --info and --list-params print about a VST 2 plug-in.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <string>
#include <vector>

#include "vst_plugin.h"

namespace {

std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

std::string flagNames(VstInt32 flags) {
    static const std::pair<VstInt32, const char*> names[] = {
        {effFlagsHasEditor, "HasEditor"},       {effFlagsHasClip, "HasClip"},
        {effFlagsHasVu, "HasVu"},               {effFlagsCanMono, "CanMono"},
        {effFlagsCanReplacing, "CanReplacing"}, {effFlagsProgramChunks, "ProgramChunks"},
        {effFlagsIsSynth, "IsSynth"},           {effFlagsNoSoundInStop, "NoSoundInStop"},
        {effFlagsExtIsAsync, "ExtIsAsync"},     {effFlagsExtHasBuffer, "ExtHasBuffer"},
        {effFlagsCanDoubleReplacing, "CanDoubleReplacing"},
    };
    std::string text;
    VstInt32 known = 0;
    for (const auto& [bit, name] : names) {
        known |= bit;
        if (flags & bit) {
            text += (text.empty() ? "" : " ") + std::string(name);
        }
    }
    if (flags & ~known) {
        text += (text.empty() ? "" : " ") + std::string("unknown:") + hex(static_cast<std::uint32_t>(flags & ~known));
    }
    return text.empty() ? "none" : text;
}

const char* categoryName(VstIntPtr category) {
    static const char* names[] = {"unknown",  "effect",       "synth",       "analysis",
                                  "mastering", "spatializer", "room effect", "surround effect",
                                  "restoration", "offline process", "shell", "generator"};
    return category >= 0 && category < static_cast<VstIntPtr>(std::size(names)) ? names[category] : "not a known one";
}

// The canDo texts a host asks a plug-in about.
const char* const kPluginCanDo[] = {
    "sendVstEvents", "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo",
    "offline",       "midiProgramNames", "bypass",           "noRealTime",          "plugAsChannelInsert",
    "plugAsSend",    "mixDynamic",       "multipass",        "metapass",            "1in1out",
    "1in2out",       "2in1out",          "2in2out",          "2in4out",             "4in2out",
    "4in4out",       "4in8out",          "8in4out",          "8in8out",
};

constexpr int kMaxProgramsListed = 128;

const char* canDoAnswer(VstIntPtr answer) {
    return answer > 0 ? "yes" : answer < 0 ? "no" : "don't know";
}

} // namespace

void VstPlugin::describe(std::ostream& out) {
    VstPlugin& plugin = *this;
    AEffect& fx = plugin.effect();
    const auto line = [&out](const char* label) -> std::ostream& {
        return out << std::left << std::setw(16) << label;
    };
    line("library") << plugin.path() << " (entry " << plugin.entryName() << ")\n";
    line("magic") << fourCharText(fx.magic) << " " << hex(static_cast<std::uint32_t>(fx.magic)) << "\n";
    line("unique ID") << fourCharText(fx.uniqueID) << " " << hex(static_cast<std::uint32_t>(fx.uniqueID)) << "\n";
    line("version") << fx.version << "\n";
    const std::string name = plugin.text(effGetEffectName);
    const std::string vendor = plugin.text(effGetVendorString);
    const std::string product = plugin.text(effGetProductString);
    line("name") << (name.empty() ? "(none given)" : name) << "\n";
    line("vendor") << (vendor.empty() ? "(none given)" : vendor) << ", version " << plugin.dispatch(effGetVendorVersion)
                   << "\n";
    line("product") << (product.empty() ? "(none given)" : product) << "\n";
    line("VST version") << plugin.dispatch(effGetVstVersion) << "\n";
    line("inputs") << fx.numInputs << "\n";
    line("outputs") << fx.numOutputs << "\n";
    line("flags") << hex(static_cast<std::uint32_t>(fx.flags)) << " " << flagNames(fx.flags) << "\n";
    const VstIntPtr category = plugin.dispatch(effGetPlugCategory);
    line("category") << category << " (" << categoryName(category) << ")\n";
    line("initial delay") << fx.initialDelay << " frames\n";
    line("tail size") << plugin.dispatch(effGetTailSize) << " frames\n";

    line("programs") << fx.numPrograms << "\n";
    const VstIntPtr current = plugin.dispatch(effGetProgram);
    bool changedProgram = false;
    const int listed = std::min(fx.numPrograms, kMaxProgramsListed);
    for (int i = 0; i < listed; ++i) {
        // VST 2.0 plug-ins without effGetProgramNameIndexed only name the
        // current program: select each in turn, then go back.
        char buffer[512] = {};
        const VstIntPtr named = plugin.dispatch(effGetProgramNameIndexed, i, -1, buffer);
        buffer[sizeof buffer - 1] = '\0';
        std::string programName = buffer;
        if (named == 0 && programName.empty()) {
            if (i != current) {
                plugin.dispatch(effSetProgram, 0, i);
                changedProgram = true;
            }
            programName = plugin.text(effGetProgramName);
        }
        out << "  " << std::right << std::setw(4) << i << "  " << programName << "\n";
    }
    if (listed < fx.numPrograms) {
        out << "  (and " << fx.numPrograms - listed << " more)\n";
    }
    if (changedProgram) {
        plugin.dispatch(effSetProgram, 0, current);
    }
    line("parameters") << fx.numParams << " (--list-params lists them)\n";

    out << "plug-in can do\n";
    for (const char* text : kPluginCanDo) {
        const VstIntPtr answer = plugin.dispatch(effCanDo, 0, 0, const_cast<char*>(text));
        out << "  " << std::left << std::setw(22) << text << canDoAnswer(answer) << "\n";
    }

    out << "output pins\n";
    for (int i = 0; i < fx.numOutputs; ++i) {
        VstPinProperties pin{};
        const VstIntPtr known = plugin.dispatch(effGetOutputProperties, i, 0, &pin);
        pin.label[sizeof pin.label - 1] = '\0';
        out << "  " << std::right << std::setw(4) << i << "  "
            << (known != 0 ? std::string(pin.label) + ((pin.flags & kVstPinIsStereo) ? " (stereo)" : "")
                           : std::string("(no label given)"))
            << "\n";
    }

    line("editor");
    if ((fx.flags & effFlagsHasEditor) == 0) {
        out << "none\n";
    } else if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        // Many plug-ins build their whole editor to answer effEditGetRect.
        out << "yes, size not asked without a display\n";
    } else {
        ERect* rect = nullptr;
        plugin.dispatch(effEditGetRect, 0, 0, &rect);
        if (rect == nullptr) {
            out << "yes, size not given before it is opened\n";
        } else {
            out << (rect->right - rect->left) << " x " << (rect->bottom - rect->top) << " pixels (top " << rect->top
                << ", left " << rect->left << ", bottom " << rect->bottom << ", right " << rect->right << ")\n";
        }
    }
}

TextTable VstPlugin::parameterTable() {
    TextTable table{{"index", "name", "display", "label", "value"}, {}};
    for (int i = 0; i < numParams(); ++i) {
        char value[32];
        std::snprintf(value, sizeof value, "%.6f", parameter(i));
        table.rows.push_back({std::to_string(i), parameterName(i), parameterDisplay(i), parameterLabel(i), value});
    }
    return table;
}

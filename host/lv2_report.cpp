// What --info and --list-params print about an LV2 plug-in.
#include <cmath>
#include <cstdio>
#include <iomanip>

#include <lv2/options/options.h>
#include <lv2/port-props/port-props.h>
#include <lv2/presets/presets.h>
#include <lv2/units/units.h>

#include "lv2_plugin.h"
#include "text_table.h"

namespace {

const char* const kRdfsLabel = "http://www.w3.org/2000/01/rdf-schema#label";

std::string number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

// A file: URI as the path it names.
std::string pathOf(const LilvNode* node) {
    char* path = node != nullptr ? lilv_file_uri_parse(lilv_node_as_uri(node), nullptr) : nullptr;
    if (path == nullptr) {
        return nodeText(node);
    }
    std::string text = path;
    lilv_free(path);
    return text;
}

std::string orNone(const std::string& text) {
    return text.empty() ? "(none given)" : text;
}

// Each URI of a list, and whether this host gives it.
void printUris(const LilvNodes* nodes, std::ostream& out, bool (*given)(const std::string&), const char* yes,
               const char* no) {
    if (nodes == nullptr || lilv_nodes_size(nodes) == 0) {
        out << "  (none)\n";
        return;
    }
    LILV_FOREACH(nodes, i, nodes) {
        const std::string uri = nodeText(lilv_nodes_get(nodes, i));
        out << "  " << uri;
        if (given != nullptr) {
            out << "  (" << (given(uri) ? yes : no) << ")";
        }
        out << "\n";
    }
}

} // namespace

std::string Lv2Plugin::unitOf(std::uint32_t portIndex) const {
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, portIndex);
    const OwnedNode unitKey = world.uri(LV2_UNITS__unit), symbolKey = world.uri(LV2_UNITS__symbol),
                    label = world.uri(kRdfsLabel);
    const OwnedNodes units(lilv_port_get_value(plugin, port, unitKey.get()));
    const LilvNode* unit = units ? lilv_nodes_get_first(units.get()) : nullptr;
    if (unit == nullptr) {
        return "";
    }
    // The symbol ("dB"), else the name where the symbol is empty
    // ("coefficient"), else the URI's last word.
    for (const LilvNode* key : {symbolKey.get(), label.get()}) {
        const OwnedNode text(lilv_world_get(world.get(), unit, key, nullptr));
        if (text && !nodeText(text.get()).empty()) {
            return nodeText(text.get());
        }
    }
    const std::string uri = nodeText(unit);
    return uri.substr(uri.find_last_of("#/") + 1);
}

TextTable Lv2Plugin::parameterTable() {
    TextTable table{{"index", "symbol", "name", "range", "unit", "value"}, {}};
    const OwnedNode toggled = world.uri(LV2_CORE__toggled), integer = world.uri(LV2_CORE__integer),
                    enumeration = world.uri(LV2_CORE__enumeration),
                    logarithmic = world.uri(LV2_PORT_PROPS__logarithmic);
    for (std::size_t i = 0; i < facts.size(); ++i) {
        const ParameterFacts& fact = facts[i];
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, parameterPorts[i]);
        std::string range = std::isinf(fact.minimum) && std::isinf(fact.maximum)
                                ? "unbounded"
                                : number(fact.minimum) + " to " + number(fact.maximum);
        for (const auto& [property, word] : {std::pair{toggled.get(), "toggled"}, {integer.get(), "integer"},
                                             {enumeration.get(), "enumeration"}, {logarithmic.get(), "logarithmic"}}) {
            if (lilv_port_has_property(plugin, port, property)) {
                range += std::string(", ") + word;
            }
        }
        char value[32];
        std::snprintf(value, sizeof value, "%.6f", static_cast<double>(controls[parameterPorts[i]]));
        table.rows.push_back({std::to_string(i), fact.symbol, fact.name, range, unitOf(parameterPorts[i]), value});
    }
    return table;
}

void Lv2Plugin::describe(std::ostream& out) {
    const auto line = [&out](const char* label) -> std::ostream& {
        return out << std::left << std::setw(16) << label;
    };
    line("URI") << nodeText(lilv_plugin_get_uri(plugin)) << "\n";
    const OwnedNode name(lilv_plugin_get_name(plugin));
    line("name") << orNone(nodeText(name.get())) << "\n";
    const LilvPluginClass* pluginClass = lilv_plugin_get_class(plugin);
    line("class") << nodeText(lilv_plugin_class_get_label(pluginClass)) << " ("
                  << nodeText(lilv_plugin_class_get_uri(pluginClass)) << ")\n";
    const OwnedNode author(lilv_plugin_get_author_name(plugin)), email(lilv_plugin_get_author_email(plugin)),
        homepage(lilv_plugin_get_author_homepage(plugin));
    line("author") << orNone(nodeText(author.get()));
    if (email) {
        out << " <" << nodeText(email.get()) << ">";
    }
    if (homepage) {
        out << ", " << nodeText(homepage.get());
    }
    out << "\n";
    line("bundle") << pathOf(lilv_plugin_get_bundle_uri(plugin)) << "\n";
    line("library") << pathOf(lilv_plugin_get_library_uri(plugin)) << "\n";
    line("audio inputs") << audioInputs() << "\n";
    line("audio outputs") << audioOutputs() << "\n";
    line("latency");
    if (lilv_plugin_has_latency(plugin)) {
        out << "reported on port " << lilv_plugin_get_latency_port_index(plugin) << "\n";
    } else {
        out << "none reported\n";
    }

    static const char* const kKinds[] = {"audio input",  "audio output", "control input", "control output",
                                         "atom input",   "atom output",  "CV input",      "CV output",
                                         "unconnected"};
    TextTable portTable{{"index", "type", "symbol", "name"}, {}};
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const Port& port = ports[i];
        portTable.rows.push_back({std::to_string(i), kKinds[static_cast<int>(port.kind)], port.symbol,
                                  port.name + (port.midi ? " (MIDI)" : "")});
    }
    line("ports") << ports.size() << "\n";
    printTable(portTable, out, 2);

    const OwnedNodes required(lilv_plugin_get_required_features(plugin));
    const OwnedNodes optional(lilv_plugin_get_optional_features(plugin));
    const OwnedNodes extensions(lilv_plugin_get_extension_data(plugin));
    out << "required features\n";
    printUris(required.get(), out, Lv2HostFeatures::provides, "provided", "NOT PROVIDED");
    out << "optional features\n";
    printUris(optional.get(), out, Lv2HostFeatures::provides, "provided", "not provided");
    const OwnedNode requiredKey = world.uri(LV2_OPTIONS__requiredOption),
                    supportedKey = world.uri(LV2_OPTIONS__supportedOption);
    const OwnedNodes requiredOptions(lilv_plugin_get_value(plugin, requiredKey.get()));
    const OwnedNodes supportedOptions(lilv_plugin_get_value(plugin, supportedKey.get()));
    out << "required options\n";
    printUris(requiredOptions.get(), out, Lv2HostFeatures::tells, "given", "NOT GIVEN");
    out << "supported options\n";
    printUris(supportedOptions.get(), out, Lv2HostFeatures::tells, "given", "not given");
    out << "extension data\n";
    printUris(extensions.get(), out, nullptr, "", "");

    const OwnedNode presetClass = world.uri(LV2_PRESETS__Preset), label = world.uri(kRdfsLabel);
    const OwnedNodes presets(lilv_plugin_get_related(plugin, presetClass.get()));
    line("presets") << (presets ? lilv_nodes_size(presets.get()) : 0) << "\n";
    if (presets) {
        LILV_FOREACH(nodes, i, presets.get()) {
            const LilvNode* preset = lilv_nodes_get(presets.get(), i);
            lilv_world_load_resource(world.get(), preset);
            const OwnedNode presetLabel(lilv_world_get(world.get(), preset, label.get(), nullptr));
            out << "  " << orNone(nodeText(presetLabel.get())) << "  <" << nodeText(preset) << ">\n";
        }
    }
    LilvUIs* uis = lilv_plugin_get_uis(plugin);
    line("UIs") << (uis != nullptr ? lilv_uis_size(uis) : 0) << "\n";
    if (uis != nullptr) {
        LILV_FOREACH(uis, i, uis) {
            const LilvUI* ui = lilv_uis_get(uis, i);
            const LilvNodes* classes = lilv_ui_get_classes(ui);
            out << "  " << nodeText(lilv_ui_get_uri(ui));
            if (classes != nullptr && lilv_nodes_size(classes) > 0) {
                out << "  (" << nodeText(lilv_nodes_get_first(classes)) << ")";
            }
            out << "\n";
        }
        lilv_uis_free(uis);
    }
    line("parameters") << facts.size() << " (--list-params lists them)\n";
}

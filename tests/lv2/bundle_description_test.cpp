// What hosts read from the bundle's Turtle, parsed back with lilv: the ports
// in the VST 2 build's parameter order with its names and, bit for bit, its
// defaults; symbols hosts can use; one required feature; the preset; the UI.
#include <gtest/gtest.h>

#include <lv2/atom/atom.h>
#include <lv2/midi/midi.h>
#include <lv2/presets/presets.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cctype>
#include <set>
#include <string>

#include "engine/engine.h"
#include "lv2/port_layout.h"
#include "lv2/uris.h"
#include "tests/lv2/lilv_host.h"
#include "tests/lv2/vst2_player.h"

namespace {

// A C identifier, as LV2 asks of a symbol.
bool isValidSymbol(const std::string& symbol) {
    if (symbol.empty() || std::isdigit(static_cast<unsigned char>(symbol[0]))) {
        return false;
    }
    for (char c : symbol) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') {
            return false;
        }
    }
    return true;
}

class BundleDescription : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(plugin, nullptr) << "Quorvane not found in LV2_PATH"; }

    const LilvPort* port(std::uint32_t index) const { return lilv_plugin_get_port_by_index(plugin, index); }
    bool portIs(std::uint32_t index, const char* classUri) const {
        LilvNode* node = world.uri(classUri);
        const bool is = lilv_port_is_a(plugin, port(index), node);
        lilv_node_free(node);
        return is;
    }
    std::string nameOf(std::uint32_t index) const {
        LilvNode* name = lilv_port_get_name(plugin, port(index));
        std::string text = lilv_node_as_string(name);
        lilv_node_free(name);
        return text;
    }

    Lv2World world;
    const LilvPlugin* plugin = world.quorvane();
};

TEST_F(BundleDescription, NamesClassLicenceAndFeatures) {
    LilvNode* name = lilv_plugin_get_name(plugin);
    EXPECT_STREQ(lilv_node_as_string(name), "Quorvane");
    lilv_node_free(name);
    EXPECT_STREQ(lilv_node_as_uri(lilv_plugin_class_get_uri(lilv_plugin_get_class(plugin))),
                 LV2_CORE__InstrumentPlugin);

    LilvNode* license = world.uri("http://usefulinc.com/ns/doap#license");
    LilvNodes* licenses = lilv_plugin_get_value(plugin, license);
    ASSERT_EQ(lilv_nodes_size(licenses), 1u);
    EXPECT_STREQ(lilv_node_as_uri(lilv_nodes_get_first(licenses)), "https://spdx.org/licenses/MIT");
    lilv_nodes_free(licenses);
    lilv_node_free(license);

    LilvNodes* required = lilv_plugin_get_required_features(plugin);
    ASSERT_EQ(lilv_nodes_size(required), 1u);
    EXPECT_STREQ(lilv_node_as_uri(lilv_nodes_get_first(required)), LV2_URID__map);
    lilv_nodes_free(required);
}

TEST_F(BundleDescription, PortsInTheVst2OrderWithItsNamesAndExactDefaults) {
    ASSERT_EQ(lilv_plugin_get_num_ports(plugin), lv2_ports::kCount);
    EXPECT_TRUE(portIs(lv2_ports::kEvents, LV2_ATOM__AtomPort) && portIs(lv2_ports::kEvents, LV2_CORE__InputPort));
    LilvNode* midi = world.uri(LV2_MIDI__MidiEvent);
    EXPECT_TRUE(lilv_port_supports_event(plugin, port(lv2_ports::kEvents), midi));
    lilv_node_free(midi);
    for (std::uint32_t channel : {lv2_ports::kLeft, lv2_ports::kRight}) {
        EXPECT_TRUE(portIs(channel, LV2_CORE__AudioPort) && portIs(channel, LV2_CORE__OutputPort));
    }

    std::vector<float> minimum(lv2_ports::kCount), maximum(lv2_ports::kCount), defaults(lv2_ports::kCount);
    lilv_plugin_get_port_ranges_float(plugin, minimum.data(), maximum.data(), defaults.data());
    for (std::int32_t index = 0; index < NumParams; ++index) {
        const std::uint32_t portIndex = lv2_ports::kFirstControl + static_cast<std::uint32_t>(index);
        const ParameterFacts& facts = kParameterTable[static_cast<std::size_t>(index)];
        SCOPED_TRACE(facts.name);
        EXPECT_TRUE(portIs(portIndex, LV2_CORE__ControlPort) && portIs(portIndex, LV2_CORE__InputPort));
        EXPECT_EQ(nameOf(portIndex), facts.name);
        EXPECT_EQ(bitsOf(defaults[portIndex]), bitsOf(facts.defaultValue));
        EXPECT_EQ(minimum[portIndex], 0.0f);
        EXPECT_EQ(maximum[portIndex], 1.0f);
    }
    for (std::uint32_t portIndex = lv2_ports::kFirstTarget; portIndex < lv2_ports::kCount; ++portIndex) {
        EXPECT_TRUE(portIs(portIndex, LV2_CORE__ControlPort) && portIs(portIndex, LV2_CORE__OutputPort)) << portIndex;
    }
}

TEST_F(BundleDescription, SymbolsAreUniqueIdentifiers) {
    std::set<std::string> seen;
    for (std::uint32_t index = 0; index < lv2_ports::kCount; ++index) {
        const std::string symbol = lilv_node_as_string(lilv_port_get_symbol(plugin, port(index)));
        EXPECT_TRUE(isValidSymbol(symbol)) << symbol;
        EXPECT_TRUE(seen.insert(symbol).second) << symbol << " twice";
    }
    EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(plugin, port(lv2_ports::kFirstControl + MYM0Overshoot))),
                 "my_m0_overshoot");
}

// Scale points name the source slots without turning the port into a list:
// hosts may still send any value, as VST 2 automation does.
TEST_F(BundleDescription, SourceSlotsAreLabelledNotEnumerated) {
    const LilvPort* source = port(lv2_ports::kFirstControl + FXM0Source);
    LilvScalePoints* points = lilv_port_get_scale_points(plugin, source);
    ASSERT_EQ(lilv_scale_points_size(points), static_cast<unsigned>(kNumModSources));
    bool lfoAtDefault = false;
    LILV_FOREACH (scale_points, i, points) {
        const LilvScalePoint* point = lilv_scale_points_get(points, i);
        const float value = lilv_node_as_float(lilv_scale_point_get_value(point));
        if (bitsOf(value) == bitsOf(kParameterTable[FXM0Source].defaultValue)) {
            lfoAtDefault = std::string(lilv_node_as_string(lilv_scale_point_get_label(point))).find("LFO") !=
                           std::string::npos;
        }
    }
    EXPECT_TRUE(lfoAtDefault);
    lilv_scale_points_free(points);
    LilvNode* enumeration = world.uri(LV2_CORE__enumeration);
    EXPECT_FALSE(lilv_port_has_property(plugin, source, enumeration));
    lilv_node_free(enumeration);
    EXPECT_EQ(lilv_port_get_scale_points(plugin, port(lv2_ports::kFirstControl + FXM0Amount)), nullptr);
}

TEST_F(BundleDescription, TheInitPresetHoldsEveryDefault) {
    LilvNode* presetClass = world.uri(LV2_PRESETS__Preset);
    LilvNodes* presets = lilv_plugin_get_related(plugin, presetClass);
    ASSERT_EQ(lilv_nodes_size(presets), 1u);
    const LilvNode* preset = lilv_nodes_get_first(presets);
    EXPECT_EQ(std::string(lilv_node_as_uri(preset)), std::string(kPresetUriPrefix) + "init");
    lilv_world_load_resource(world.world(), preset);

    UridTable urids;
    LilvState* state = lilv_state_new_from_world(world.world(), urids.mapFeature(), preset);
    ASSERT_NE(state, nullptr);
    EXPECT_STREQ(lilv_state_get_label(state), kProgramName);
    EXPECT_EQ(lilv_state_get_num_properties(state), 0u);
    // The values as a host applies them: port by port, by symbol.
    Lv2Instance instance(world, urids, 44100.0);
    ASSERT_TRUE(instance.valid());
    for (std::int32_t index = 0; index < NumParams; ++index) {
        instance.port(lv2_ports::kFirstControl + static_cast<std::uint32_t>(index)) = -1.0f;
    }
    struct Target {
        Lv2Instance* instance;
        const LilvPlugin* plugin;
        LilvWorld* world;
    } target{&instance, plugin, world.world()};
    lilv_state_restore(
        state, nullptr,
        [](const char* symbol, void* data, const void* value, uint32_t size, uint32_t) {
            auto* into = static_cast<Target*>(data);
            LilvNode* name = lilv_new_string(into->world, symbol);
            const LilvPort* port = lilv_plugin_get_port_by_symbol(into->plugin, name);
            lilv_node_free(name);
            if (port != nullptr && size == sizeof(float)) {
                std::memcpy(&into->instance->port(lilv_port_get_index(into->plugin, port)), value, sizeof(float));
            }
        },
        &target, 0, nullptr);
    for (std::int32_t index = 0; index < NumParams; ++index) {
        EXPECT_EQ(bitsOf(instance.port(lv2_ports::kFirstControl + static_cast<std::uint32_t>(index))),
                  bitsOf(kParameterTable[static_cast<std::size_t>(index)].defaultValue))
            << kParameterTable[static_cast<std::size_t>(index)].name;
    }
    lilv_state_free(state);
    lilv_nodes_free(presets);
    lilv_node_free(presetClass);
}

TEST_F(BundleDescription, AnX11UiThatIsNotResizable) {
    LilvUIs* uis = lilv_plugin_get_uis(plugin);
    ASSERT_EQ(lilv_uis_size(uis), 1u);
    const LilvUI* ui = lilv_uis_get(uis, lilv_uis_begin(uis));
    EXPECT_STREQ(lilv_node_as_uri(lilv_ui_get_uri(ui)), kUiUri);
    LilvNode* x11 = world.uri(LV2_UI__X11UI);
    EXPECT_TRUE(lilv_ui_is_a(ui, x11));
    lilv_node_free(x11);
    EXPECT_NE(std::string(lilv_node_as_uri(lilv_ui_get_binary_uri(ui))).find("Quorvane.lv2/quorvane_ui.so"),
              std::string::npos);

    LilvNode* optional = world.uri(LV2_CORE__optionalFeature);
    LilvNode* noUserResize = world.uri(LV2_UI__noUserResize);
    EXPECT_TRUE(lilv_world_ask(world.world(), lilv_ui_get_uri(ui), optional, noUserResize));
    lilv_node_free(noUserResize);
    lilv_node_free(optional);
    lilv_uis_free(uis);
}

} // namespace

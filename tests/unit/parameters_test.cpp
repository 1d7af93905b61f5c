// The 90 parameters as the host sees them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "tests/support/plugin_fixture.h"

namespace {

std::string textOf(ADelay& plugin, void (ADelay::*read)(VstInt32, char*), VstInt32 index) {
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    (plugin.*read)(index, buffer);
    const std::size_t length = strnlen(buffer, sizeof buffer);
    for (std::size_t i = length + 1; i < sizeof buffer; ++i) {
        EXPECT_EQ(buffer[i], '#') << "written past the terminator at index " << index;
    }
    return std::string(buffer, length);
}

TEST(Parameters, NamesFollowSectionAxisAndField) {
    auto plugin = makePlugin();
    const char* fields[] = {"TargetPos",  "Rate",     "Overshoot", "StaticPos",  "StaticRate",
                            "LockStatic", "M0Source", "M0Amount",  "M0Rate",     "M0Overshoot",
                            "M1Source",   "M1Amount", "M1Rate",    "M1Overshoot"};
    for (int section = 0; section < 3; ++section) {
        const std::string letter(1, "MFL"[section]);
        for (int axis = 0; axis < 2; ++axis) {
            for (int field = 0; field < 14; ++field) {
                const VstInt32 index = 30 * section + 14 * axis + field;
                EXPECT_EQ(textOf(*plugin, &ADelay::getParameterName, index),
                          letter + (axis == 0 ? "Y" : "X") + fields[field]);
            }
        }
        EXPECT_EQ(textOf(*plugin, &ADelay::getParameterName, 30 * section + 28), letter + "Modifier0");
        EXPECT_EQ(textOf(*plugin, &ADelay::getParameterName, 30 * section + 29), letter + "Modifier1");
    }
    EXPECT_EQ(textOf(*plugin, &ADelay::getParameterName, MYM0Overshoot), "MYM0Overshoot");
    EXPECT_EQ(textOf(*plugin, &ADelay::getParameterName, NumParams), "");
    EXPECT_EQ(textOf(*plugin, &ADelay::getParameterName, -1), "");
}

TEST(Parameters, DefaultsAfterConstruction) {
    auto plugin = makePlugin();
    EXPECT_EQ(plugin->getParameter(MYStaticRate), 0.015f);
    EXPECT_EQ(plugin->getParameter(MYM0Rate), 0.4f);
    EXPECT_EQ(plugin->getParameter(MYM0Overshoot), 0.7f);
    EXPECT_EQ(plugin->getParameter(MYM1Amount), 0.0f);
    EXPECT_EQ(plugin->getParameter(MXM1Amount), 0.5f);
    EXPECT_EQ(plugin->getParameter(LXM1Amount), 0.5f);
    EXPECT_EQ(plugin->getParameter(LXM1Rate), 0.0f);
    EXPECT_EQ(plugin->getParameter(FYM1Amount), 0.0f);
    EXPECT_EQ(plugin->getParameter(LYTargetPos), 0.5f);
    for (VstInt32 source : {MYM0Source, FXM0Source, LXM0Source}) {
        const float value = plugin->getParameter(source);
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        EXPECT_EQ(bits, 0x3F1745D1u) << "6.5/11, which selects the LFO's slot";
        EXPECT_EQ(plugin->engine.axes[kAxisMY].modulators[0].source, 6);
    }
    for (VstInt32 modifier : {MModifier0, MModifier1, FModifier0, FModifier1, LModifier0, LModifier1}) {
        const float value = plugin->getParameter(modifier);
        EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << modifier;
    }
    for (const AxisRecord& axis : plugin->engine.axes) {
        EXPECT_EQ(axis.target.load(), 0.0f) << "nobody holds an axis yet";
        EXPECT_EQ(axis.staticPos, 0.5f);
        EXPECT_FALSE(axis.held.load());
    }
    EXPECT_FALSE(plugin->engine.paramsDirty.load());
}

TEST(Parameters, WritesAreStoredAsSentAndAlwaysRaiseTheFlag) {
    auto plugin = makePlugin();
    plugin->setParameter(MYM0Amount, 1.7f);
    EXPECT_EQ(plugin->getParameter(MYM0Amount), 1.7f);
    EXPECT_TRUE(plugin->engine.paramsDirty.load());
    plugin->processReplacing(nullptr, nullptr, 0);
    EXPECT_FALSE(plugin->engine.paramsDirty.load());

    plugin->setParameter(95, 0.3f);
    EXPECT_TRUE(plugin->engine.paramsDirty.load());
    EXPECT_EQ(plugin->getParameter(95), 0.0f);
    EXPECT_EQ(plugin->getParameter(NumParams), 0.0f);
    EXPECT_EQ(plugin->getParameter(-7), 0.0f);
    plugin->setParameter(LModifier1, NAN);
    EXPECT_TRUE(std::isnan(plugin->getParameter(LModifier1))) << "the parameter keeps what the host wrote";
}

TEST(Parameters, LabelsAndDisplayTexts) {
    auto plugin = makePlugin();
    for (VstInt32 index : {0, 89, 500, -3}) {
        EXPECT_EQ(textOf(*plugin, &ADelay::getParameterLabel, index), "  ");
    }
    const std::pair<float, const char*> shown[] = {
        {0.0f, "0"},         {1.0f, "100"},      {0.5f, "50"}, {0.7f, "70"},           {0.015f, "1"},
        {-0.25f, "-25"},     {1.7f, "170"},      {NAN, "0"},   {INFINITY, "99999999"}, {-INFINITY, "-9999999"},
        {3e38f, "99999999"}, {-1e9f, "-9999999"}};
    for (const auto& [value, text] : shown) {
        plugin->setParameter(FXRate, value);
        EXPECT_EQ(textOf(*plugin, &ADelay::getParameterDisplay, FXRate), text) << value;
    }
    EXPECT_EQ(textOf(*plugin, &ADelay::getParameterDisplay, NumParams), "");
}

TEST(Parameters, EveryIndexCanBeAutomatedAndNoneSetFromText) {
    auto plugin = makePlugin();
    char text[] = "0.5";
    for (VstInt32 index : {0, 5, 89, 1000}) {
        EXPECT_TRUE(plugin->canParameterBeAutomated(index));
        EXPECT_FALSE(plugin->string2parameter(index, text));
    }
}

} // namespace
